// Operations on the cheque table of a remittance.
#include "AlmacenTalones.h"

#include "AlmacenLibrados.h"
#include "CodigosTalon.h"
#include "ErrorOperacion.h"
#include "ImagenesTalon.h"
#include "Importes.h"
#include "MotorTablas.h"
#include "Numeros.h"
#include "SentenciasTalones.h"
#include "TextosBBDD.h"

#include <QDir>

#include <tuple>

namespace {

const QString sqlInsertaTalon =
    QStringLiteral("INSERT INTO Talones (Pk_Talon, indicador, Modelo_Talon, Importe, Fecha_Talon, "
                   "Numero_Modelo, Numero, Estado, Cuenta, Nombre_Cliente, fk_Clientes, fk_Remesa) "
                   "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");

} // namespace

void TAlmacenTalones::GuardaTalon(tTalon& regTalon, const QString& nombreTabla) {
    if (regTalon.Nuevo) {
        regTalon = TAlmacenLibrados(bd_).CompruebaLibrado(regTalon);
        insertaTalonNuevo(regTalon, nombreTabla);
        return;
    }
    const motor::ConexionOperacion operacion = bd_.abre(nombreTabla);
    motor::Conexion& con = *operacion;
    fallaSiHayError(motor::ejecutaSql(
        con, sqlActualizaTalon,
        {regTalon.Modelo_Talon, regTalon.indicador, textoImporte(regTalon.Importe), regTalon.Numero,
         regTalon.Cuenta, regTalon.FechaPago, codigoEstado(regTalon.Estado),
         regTalon.Nombre_Cliente, regTalon.numero_Modelo, regTalon.Pk_Talon}));
}

void TAlmacenTalones::insertaTalonNuevo(tTalon& regTalon, const QString& nombreTabla) {
    insertaTalonNuevo(regTalon, nombreTabla, textoImporte(regTalon.Importe));
}

void TAlmacenTalones::insertaTalonNuevo(tTalon& regTalon, const QString& nombreTabla,
                                        const QString& importeTabla) {
    regTalon.Pk_Talon = bd_.insertaConClaveNueva(
        nombreTabla, QStringLiteral("Pk_Talon"), sqlInsertaTalon,
        {regTalon.indicador, regTalon.Modelo_Talon, importeTabla, regTalon.FechaPago,
         regTalon.numero_Modelo, regTalon.Numero, codigoEstado(regTalon.Estado), regTalon.Cuenta,
         regTalon.Nombre_Cliente, regTalon.fk_Beneficiarios, regTalon.fk_Remesas});
}

void TAlmacenTalones::introduceTalonManual(tTalon& regtalon, int pkRemesa) {
    regtalon.Numero = TalonManual::Numero;
    regtalon.numero_Modelo = TalonManual::NumeroModelo;
    // The row keeps the placeholder text of a cheque entered by hand; the
    // record carries what it reads as, zero.
    regtalon.Importe = tImporte::leeTexto(TalonManual::Importe);
    regtalon.Modelo_Talon = TalonManual::ModeloTalon;
    regtalon.indicador = 0;
    regtalon.Cuenta = TalonManual::Cuenta;
    regtalon.Nuevo = true;
    // The row goes into the remittance's table and says so.
    regtalon.fk_Remesas = pkRemesa;
    regtalon = TAlmacenLibrados(bd_).CompruebaLibrado(regtalon);
    regtalon.Estado = Estado::Incompleto;
    insertaTalonNuevo(regtalon, inst_.rutaTablaTalones(pkRemesa), TalonManual::Importe);
}

tTalon TAlmacenTalones::CargaRegistroTalones(int clave, int pkRemesa, tTalon destino) {
    bd_.leeFilaPorClave(inst_.rutaTablaTalones(pkRemesa), sqlLeeTalon, clave,
                        [&](const motor::Sentencia& s) {
                            destino.Pk_Talon = clave;
                            leeTalon(s, destino);
                            destino.fk_Remesas = pkRemesa;
                        });
    return destino;
}

void leeTalon(const motor::Sentencia& s, tTalon& destino) {
    destino.indicador = s.entero(0);
    destino.Modelo_Talon = s.texto(1);
    destino.numero_Modelo = s.texto(2);
    destino.FechaPago = s.texto(3);
    destino.Numero = s.texto(4);
    destino.Estado = estadoDeCodigo(s.texto(5));
    destino.Cuenta = s.texto(6);
    destino.Importe = tImporte::leeTexto(s.texto(7));
    destino.Nombre_Cliente = s.texto(8);
    destino.fk_Beneficiarios = s.entero(9);
}

bool compruebaCambioTalon(motor::Conexion& con, const tTalon& mostrado) {
    motor::Sentencia s(con, sqlLeeTalon);
    s.liga(mostrado.Pk_Talon);
    if (!s.ejecuta())
        throw TErrorOperacion(s.error());
    if (!s.siguiente())
        return true;
    tTalon ahora = mostrado;
    leeTalon(s, ahora);
    const auto guardados = [](const tTalon& t) {
        return std::tie(t.indicador, t.Modelo_Talon, t.numero_Modelo, t.FechaPago, t.Numero,
                        t.Estado, t.Cuenta, t.Importe, t.Nombre_Cliente, t.fk_Beneficiarios);
    };
    return guardados(ahora) != guardados(mostrado);
}

tFilasLista TAlmacenTalones::Carga_lista_Talones(int pkRemesa, int& NumeroTrasferencias) {
    VentanaEsperar espera(iu_);
    tFilasLista filas;
    motor::Conexion con(inst_.rutaTablaTalones(pkRemesa));
    QString e;
    if (!con.adjunta(inst_.rutaDeudores(), QStringLiteral("libr")))
        e = con.error();
    if (e.isEmpty()) {
        // A cheque whose drawer no longer exists is left out; one of no
        // drawer (key 0: a placeholder account) is listed without a name.
        // The drawer's name is the drawer's own, not the copy kept in the
        // cheque.
        motor::Sentencia s(
            con, QStringLiteral("SELECT t.Estado, t.Modelo_Talon, t.Importe, t.Cuenta, t.Numero, "
                                "d.Nombre_Cliente, t.Fecha_Talon, t.Pk_Talon, t.indicador, "
                                "d.Pk_Cliente FROM Talones t "
                                "LEFT JOIN libr.Deudores d ON t.fk_Clientes = d.Pk_Cliente "
                                "WHERE d.Pk_Cliente IS NOT NULL OR t.fk_Clientes = 0 "
                                "ORDER BY t.Pk_Talon"));
        if (s.ejecuta()) {
            while (s.siguiente()) {
                tTalon t;
                t.Estado = estadoDeCodigo(s.texto(0));
                t.Modelo_Talon = s.texto(1);
                t.Importe = tImporte::leeTexto(s.texto(2));
                t.Cuenta = s.texto(3);
                t.Numero = s.texto(4);
                t.Nombre_Cliente = s.texto(5);
                t.FechaPago = s.texto(6);
                t.Pk_Talon = s.entero(7);
                t.indicador = s.entero(8);
                t.fk_Beneficiarios = s.entero(9);
                filas << filaListaTalon(t);
            }
        } else {
            e = s.error();
        }
    }
    NumeroTrasferencias = 0;
    fallaSiHayError(e);
    NumeroTrasferencias = int(filas.size());
    return filas;
}

void TAlmacenTalones::CalculaTotales(QString& importe, QString& transferencias,
                                     QString& Total_Transferencias, const QString& aNombreTabla) {
    motor::Conexion con(aNombreTabla);
    motor::Sentencia s(con, QStringLiteral("SELECT Importe, Estado FROM Talones"));
    if (!s.ejecuta())
        throw TErrorOperacion(s.error());
    qint64 total = 0;
    qint64 buenos = 0;
    qint64 suma = 0;
    while (s.siguiente()) {
        ++total;
        const std::optional<tImporte> importe = tImporte::leeTexto(s.texto(0));
        if (!importe)
            continue;
        if (estadoDeCodigo(s.texto(1)) == Estado::Correcto && importe->centimos() > 0) {
            suma += importe->centimos();
            ++buenos;
        }
    }
    transferencias = QString::number(buenos);
    Total_Transferencias = QString::number(total);
    importe = tImporte::deCentimos(suma).visible();
}

void TAlmacenTalones::EliminaTalon(const tTalon& talon, const QString& /*estado*/) {
    // Only the cheque as it was shown goes: one that another program has
    // changed or emitted meanwhile stays, and the operator is told.
    {
        motor::Conexion con(inst_.rutaTablaTalones(talon.fk_Remesas));
        motor::Transaccion tr(con);
        if (!tr.iniciada())
            throw TErrorOperacion(tr.error());
        if (compruebaCambioTalon(con, talon))
            throw TErrorOperacion(MensajeBBDD::TalonCambiadoAlEliminar);
        fallaSiHayError(motor::ejecutaSql(
            con, QStringLiteral("DELETE FROM Talones WHERE Pk_Talon = ?"), {talon.Pk_Talon}));
        if (!tr.confirma())
            throw TErrorOperacion(tr.error());
    }
    // A duplicate shares its image files with the cheque it repeats.
    if (talon.Estado != Estado::Duplicado)
        borraImagenesTalon(inst_.dirs.Dir_Imagenes, baseImagenTalon(talon));
}

void TAlmacenTalones::EminaTalonesDuplicados(const QString& nombreTabla) {
    motor::Conexion con(nombreTabla);
    fallaSiHayError(motor::ejecutaSql(con, QStringLiteral("DELETE FROM Talones WHERE Estado = ?"),
                                      {codigoEstado(Estado::Duplicado)}));
}

bool TAlmacenTalones::Quedan_Talones_Incompletos(int& Numero_Incompletos) {
    motor::Conexion con(inst_.rutaTalonesEstandar());
    motor::Sentencia s(con,
                       QStringLiteral("SELECT count(*) AS Total FROM Talones WHERE Estado = ?"));
    s.liga(codigoEstado(Estado::Incompleto));
    if (!s.ejecuta() || !s.siguiente())
        return false;
    Numero_Incompletos = s.entero(0);
    return Numero_Incompletos > 0;
}

bool TAlmacenTalones::duplicidadTalon(const QString& apk, const QString& Numero,
                                      const QString& Cuenta, const QString& modelo,
                                      bool consultaLista) {
    bool duplicado = false;
    for (const QString& e : buscaDuplicado(apk, Numero, Cuenta, modelo, consultaLista, duplicado))
        iu_.muestraMensaje(e);
    return duplicado;
}

QStringList TAlmacenTalones::buscaDuplicado(const QString& apk, const QString& Numero,
                                            const QString& Cuenta, const QString& modelo,
                                            bool consultaLista, bool& duplicado) {
    duplicado = false;
    QStringList errores;
    if (consultaLista) {
        const motor::ConexionOperacion operacion = bd_.abre(inst_.rutaTalonesEstandar());
        motor::Conexion& con = *operacion;
        motor::Sentencia s(con, QStringLiteral("SELECT 1 FROM Talones WHERE Pk_Talon <> ? AND "
                                               "Numero = ? AND Numero_Modelo = ? AND Cuenta = ? "
                                               "LIMIT 1"));
        s.liga(apk).liga(Numero).liga(modelo).liga(Cuenta);
        if (s.ejecuta())
            duplicado = s.siguiente();
        else
            errores << s.error();
    }
    const motor::ConexionOperacion operacion = bd_.abre(inst_.rutaHistoricoCheques());
    motor::Conexion& con = *operacion;
    motor::Sentencia s(con, QStringLiteral("SELECT 1 FROM historicoCheques WHERE Numero = ? AND "
                                           "Numero_Modelo = ? AND Cuenta = ? LIMIT 1"));
    s.liga(Numero).liga(modelo).liga(Cuenta);
    if (s.ejecuta()) {
        if (s.siguiente())
            duplicado = true;
    } else {
        errores << s.error();
    }
    return errores;
}

QSet<QString> TAlmacenTalones::basesSinTalon(QSet<QString> bases) const {
    for (const QString& tabla : motor::rutasTablasRemesas(inst_.dirs.Dir_TablaRemesas)) {
        motor::Conexion con(tabla);
        motor::Sentencia s(con,
                           QStringLiteral("SELECT Cuenta, Numero_Modelo, Numero FROM Talones"));
        if (!s.ejecuta())
            return {};
        while (s.siguiente() && !bases.isEmpty())
            bases.remove(baseImagenTalon(s.texto(0), s.texto(1), s.texto(2)));
    }
    return bases;
}
