// Operations on the drawer table, and the drawer of a cheque.
#include "AlmacenLibrados.h"

#include "AlmacenTalones.h"
#include "DetallesActividad.h"
#include "ErrorOperacion.h"
#include "ImagenesTalon.h"
#include "MotorTablas.h"
#include "RegistroActividad.h"
#include "SentenciasLibrados.h"
#include "TextosBBDD.h"

TCliente TAlmacenLibrados::CargaRegistroBeneficiarioTablas(int clavePrimaria, TCliente destino) {
    bd_.leeFilaPorClave(inst_.rutaDeudores(),
                        QStringLiteral("SELECT Pk_Cliente, Nombre_Cliente, Cuenta, Telefono, "
                                       "Nif, email FROM Deudores WHERE Pk_Cliente = ? "
                                       "ORDER BY rowid LIMIT 1"),
                        clavePrimaria, [&](const motor::Sentencia& s) {
                            destino.Pk_Cliente = s.entero(0);
                            destino.Nombre_Cliente = s.texto(1);
                            destino.Cuenta = s.texto(2);
                            destino.Telefono = s.texto(3);
                            destino.nif = s.texto(4);
                            destino.email = s.texto(5);
                        });
    return destino;
}

void TAlmacenLibrados::GuardaBeneficiario(TCliente& rBeneficiario) {
    const QString ruta = inst_.rutaDeudores();
    if (rBeneficiario.EsNuevo) {
        rBeneficiario.Pk_Cliente =
            bd_.insertaConClaveNueva(ruta, QStringLiteral("Pk_Cliente"),
                                     QStringLiteral("INSERT INTO Deudores (Pk_Cliente, "
                                                    "Nombre_Cliente, Cuenta) VALUES (?, ?, ?)"),
                                     {rBeneficiario.Nombre_Cliente, rBeneficiario.Cuenta});
        return;
    }
    const motor::ConexionOperacion operacion = bd_.abre(ruta);
    motor::Conexion& con = *operacion;
    fallaSiHayError(motor::ejecutaSql(
        con,
        QStringLiteral("UPDATE Deudores SET Nombre_Cliente = ?, Cuenta = ? "
                       "WHERE Pk_Cliente = ?"),
        {rBeneficiario.Nombre_Cliente, rBeneficiario.Cuenta, rBeneficiario.Pk_Cliente}));
}

bool TAlmacenLibrados::DuplicadoBeneficiario(const QString& aCuenta, bool /*nuevo*/,
                                             int& aNumeroRegistro) {
    motor::Conexion con(inst_.rutaDeudores());
    motor::Sentencia s(con, QStringLiteral("SELECT Pk_Cliente FROM Deudores WHERE Cuenta = ? "
                                           "ORDER BY rowid LIMIT 1"));
    s.liga(aCuenta);
    if (!s.ejecuta())
        throw TErrorOperacion(s.error());
    if (!s.siguiente())
        return false;
    const int clave = s.entero(0);
    if (clave == aNumeroRegistro)
        return false;
    aNumeroRegistro = clave;
    return true;
}

void TAlmacenLibrados::EliminaBeneficiarios(const QList<int>& claves) {
    // The drawers and their cheques of remittance 1 go together or not at
    // all: a cheque table that is missing or locked leaves every drawer.
    const QString alias = QStringLiteral("remesa1");
    const QString detalle =
        detalleLibrados(inst_.rutaDeudores(), inst_.rutaTalonesEstandar(), claves);
    QSet<QString> bases;
    motor::Conexion con(inst_.rutaDeudores());
    QString e = con.error();
    if (e.isEmpty() && !con.adjunta(inst_.rutaTalonesEstandar(), alias))
        e = con.error();
    if (e.isEmpty()) {
        motor::Transaccion tr(con);
        e = tr.error();
        for (int clave : claves) {
            if (e.isEmpty()) {
                motor::Sentencia s(con, QStringLiteral("SELECT Cuenta, Numero_Modelo, Numero "
                                                       "FROM %1.Talones WHERE fk_Clientes = ?")
                                            .arg(alias));
                s.liga(clave);
                if (!s.ejecuta())
                    e = s.error();
                while (e.isEmpty() && s.siguiente())
                    bases.insert(baseImagenTalon(s.texto(0), s.texto(1), s.texto(2)));
            }
            if (e.isEmpty())
                e = motor::ejecutaSql(
                    con, QStringLiteral("DELETE FROM main.Deudores WHERE Pk_Cliente = ?"), {clave});
            if (e.isEmpty())
                e = motor::ejecutaSql(
                    con, QStringLiteral("DELETE FROM %1.Talones WHERE fk_Clientes = ?").arg(alias),
                    {clave});
        }
        if (e.isEmpty() && !tr.confirma())
            e = tr.error();
    }
    fallaSiHayError(e);
    anotaActividad(inst_, iu_, ActoActividad::BorradoLibrados, detalle);
    // The images go only once their cheques are gone for good, and only
    // those no cheque left in a remittance is filed under.
    for (const QString& base : TAlmacenTalones(bd_).basesSinTalon(bases))
        borraImagenesTalon(inst_.dirs.Dir_Imagenes, base);
}

TCliente libradoDeCuenta(motor::Conexion& con, const QString& esquema, const QString& cuenta,
                         bool crea) {
    const QString tabla = esquema + QStringLiteral(".Deudores");
    motor::Sentencia s(con, QStringLiteral("SELECT Pk_Cliente, Nombre_Cliente, Cuenta, Telefono, "
                                           "Nif, email FROM %1 WHERE Cuenta = ? "
                                           "ORDER BY rowid LIMIT 1")
                                .arg(tabla));
    s.liga(cuenta);
    if (!s.ejecuta())
        throw TErrorOperacion(s.error());
    TCliente librado;
    if (s.siguiente()) {
        librado.Pk_Cliente = s.entero(0);
        librado.Nombre_Cliente = s.texto(1);
        librado.Cuenta = s.texto(2);
        librado.Telefono = s.texto(3);
        librado.nif = s.texto(4);
        librado.email = s.texto(5);
        return librado;
    }
    if (!crea)
        return librado;
    motor::Sentencia max(con, QStringLiteral("SELECT max(Pk_Cliente) FROM %1").arg(tabla));
    if (!max.ejecuta())
        throw TErrorOperacion(max.error());
    const int maximo = max.siguiente() ? max.entero(0) : 0;
    librado.Pk_Cliente = maximo != 0 ? maximo + 1 : 1;
    librado.Cuenta = cuenta;
    librado.EsNuevo = true;
    fallaSiHayError(motor::ejecutaSql(
        con,
        QStringLiteral("INSERT INTO %1 (Pk_Cliente, Nombre_Cliente, Cuenta) VALUES (?, ?, ?)")
            .arg(tabla),
        {librado.Pk_Cliente, QString(), cuenta}));
    return librado;
}

tTalon TAlmacenLibrados::CompruebaLibrado(tTalon regtalon) {
    asignaLibrado(regtalon);
    return regtalon;
}

void TAlmacenLibrados::asignaLibrado(tTalon& talon) {
    if (esCuentaProvisional(talon.Cuenta)) {
        talon.fk_Beneficiarios = 0;
        return;
    }
    const QString esquema = QStringLiteral("main");
    TCliente librado;
    {
        const motor::ConexionOperacion operacion = bd_.abre(inst_.rutaDeudores());
        motor::Conexion& con = *operacion;
        librado = libradoDeCuenta(con, esquema, talon.Cuenta, false);
        // A missing one is looked up again and created in one write
        // transaction: a program storing the same account at the same time
        // finds it.
        if (librado.Pk_Cliente == 0) {
            motor::Transaccion tr(con);
            if (!tr.iniciada())
                throw TErrorOperacion(tr.error());
            librado = libradoDeCuenta(con, esquema, talon.Cuenta, true);
            if (!tr.confirma())
                throw TErrorOperacion(tr.error());
        }
    }
    talon.fk_Beneficiarios = librado.Pk_Cliente;
    if (!librado.EsNuevo)
        talon.Nombre_Cliente = librado.Nombre_Cliente;
}

tFilasLista TAlmacenLibrados::CargaListaBeneficiarios() {
    // A drawer that an older version made for a placeholder account is no
    // drawer to name or delete.
    return bd_.cargaFilasLista(inst_.rutaDeudores(),
                               QStringLiteral("SELECT Pk_Cliente, Nombre_Cliente, Cuenta FROM "
                                              "Deudores WHERE coalesce(Cuenta, '') NOT IN (?, ?) "
                                              "ORDER BY rowid"),
                               3, {TalonManual::Cuenta, CuentaSinLibrado});
}
