// The emission: presentation file, reports, history rows, images and archive.
#include "ArchivoZip.h"
#include "CodigosTalon.h"
#include "ConfiguracionBanco.h"
#include "ErrorOperacion.h"
#include "FicheroPresentacion.h"
#include "ImagenesTalon.h"
#include "Importes.h"
#include "InformesEmision.h"
#include "MotorTablas.h"
#include "Numeros.h"
#include "TdmBBDD.h"

#include <QFileInfo>

#include <vector>

namespace {

// The size a text file had at one moment, to cut it back to it.
struct tMarcaFichero {
    explicit tMarcaFichero(const QString& ruta) : ruta(ruta), tamano(QFileInfo(ruta).size()) {}
    void restaura() const {
        QFile f(ruta);
        if (f.exists())
            f.resize(tamano);
    }
    QString ruta;
    qint64 tamano;
};

const QString aliasHistorico = QStringLiteral("hco");

namespace Mensaje {
const QString SinNumeroLibre =
    QStringLiteral("No queda ningún número de emisión libre en la carpeta %1");
const QString SinPresentador = QStringLiteral("No existe el presentador de la remesa (clave %1)");
const QString ImporteNoValido = QStringLiteral("El importe '%1' del cheque %2 no es válido");
const QString SinCopiaFichero = QStringLiteral("No se pudo copiar el fichero %1 en %2");
} // namespace Mensaje

// A correct cheque as the emission reads it, and the row it came from.
struct tTalonEmitible {
    qint64 fila = 0; // rowid in the cheque table
    tTalon talon;
};

// The cents of the display amount: its first "," and every "." removed.
std::optional<qint64> centimosDeImporte(const QString& importeVisible) {
    QString digitos = importeVisible;
    const qsizetype coma = digitos.indexOf(u',');
    if (coma >= 0)
        digitos.remove(coma, 1);
    digitos.remove(u'.');
    return leeEntero64(digitos);
}

// Inserts the cheque's history row into `tabla` on the connection, with the
// next key of that table; answers the engine message or "".
QString insertaHistoricoTalon(motor::Conexion& con, const QString& tabla, const tRemesas& remesa,
                              const tOrdenantes& ordenante, const tTalon& t) {
    const std::optional<qint64> imp = centimosDeImporte(t.Importe);
    if (!imp)
        return Mensaje::ImporteNoValido.arg(t.Importe, t.Numero);
    motor::Sentencia max(
        con, QStringLiteral("SELECT max(Pk_HistoricoRecibos) AS contador FROM %1").arg(tabla));
    if (!max.ejecuta())
        return max.error();
    const int maximo = max.siguiente() ? max.entero(0) : 0;
    const int clave = maximo != 0 ? maximo + 1 : 1;
    return motor::ejecutaSql(
        con,
        QStringLiteral("INSERT INTO %1 (Pk_HistoricoRecibos, Nombre_Remesa, Importe, "
                       "Modelo_Talon, Fecha_Pago, Fecha_Confeccion, Fecha_Talon, Numero_Modelo, "
                       "Numero, Nombre_Cliente, Nombre_Cons, Cuenta, Cuenta_ord, "
                       "Nombre_Ordenante, imp, indicador, Nif_Sufijo) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
            .arg(tabla),
        {clave, remesa.Nombre_Remesa, t.Importe, t.Modelo_Talon, remesa.Fecha_Proceso,
         remesa.Fecha_Confeccion, t.FechaPago, t.numero_Modelo, t.Numero, t.Nombre_Cliente,
         remesa.nombre_Cons, t.Cuenta, ordenante.Cuenta, ordenante.Nombre_ordenante, *imp,
         t.indicador, ordenante.Nif_Sufijo});
}

// The correct cheques of the table, in the order the table gives them.
bool leeTalonesCorrectos(motor::Conexion& con, std::vector<tTalonEmitible>& talones,
                         QString& error) {
    motor::Sentencia s(con, QStringLiteral("SELECT rowid, Pk_Talon, Modelo_Talon, Numero_Modelo, "
                                           "Importe, Fecha_Talon, Numero, Estado, Cuenta, "
                                           "indicador, Nombre_Cliente FROM main.Talones "
                                           "WHERE Estado = '0'"));
    if (!s.ejecuta()) {
        error = s.error();
        return false;
    }
    while (s.siguiente()) {
        tTalonEmitible e;
        e.fila = s.texto(0).toLongLong();
        tTalon& t = e.talon;
        t.Pk_Talon = s.entero(1);
        t.Modelo_Talon = s.texto(2);
        const QString modelo = s.texto(3);
        t.numero_Modelo = modelo.left(6);
        t.chk_Modelo = modelo.mid(5, 1);
        t.Importe = s.texto(4);
        t.FechaPago = s.texto(5);
        const QString numero = s.texto(6);
        t.Numero = numero.left(9);
        t.chk_numero = numero.mid(8, 1);
        t.Estado = s.texto(7);
        t.Cuenta = s.texto(8);
        t.indicador = s.entero(9);
        t.Nombre_Cliente = s.texto(10);
        talones.push_back(e);
    }
    return true;
}

// The cheque loop of one emission. Each cheque is moved from the remittance
// to the history in one transaction over both table files; its report lines
// and its presentation record are written inside that transaction, and only a
// committed cheque is counted. A cheque whose history row cannot be written is
// neither presented nor moved: it stays for a later emission.
class TBucleEmision {
public:
    TBucleEmision(TdmBBDD& dm, const tRemesas& remesa, const QString& rutaInforme)
        : dm_(dm), remesa_(remesa), informe_(rutaInforme) {}

    int talones = 0;
    qint64 totalCentimos = 0;

    void ejecuta(const QString& rutaTalones) {
        motor::Conexion con(rutaTalones);
        std::vector<tTalonEmitible> correctos;
        QString e;
        if (!con.abierta())
            e = con.error();
        else if (!con.adjunta(dm_.rutaHistoricoCheques(), aliasHistorico))
            e = con.error();
        else
            leeTalonesCorrectos(con, correctos, e);
        if (!e.isEmpty()) {
            dm_.iu().muestraMensaje(e);
            return;
        }
        for (const tTalonEmitible& c : correctos)
            if (!emiteTalon(con, c))
                break;
    }

private:
    // False when the loop must end here.
    bool emiteTalon(motor::Conexion& con, const tTalonEmitible& c) {
        const tOrdenantes& ordenante = dm_.estado().OrdenanteActual;
        tTalon registro = c.talon;
        const QString centimos = campoImporteTalon(registro.Importe);
        const std::optional<qint64> valor = leeEntero64(centimos);
        if (!valor)
            return falla(Mensaje::ImporteNoValido.arg(registro.Importe, registro.Numero));
        tTalon talon = c.talon;
        talon.Modelo_Talon = descripcionModelo(talon.Modelo_Talon);
        QString importe = QString::number(*valor);
        centimosAImporte(importe);
        talon.Importe = formateaImporte(importe);

        motor::Transaccion tr(con);
        if (!tr.iniciada())
            return falla(tr.error());
        QString e = insertaHistoricoTalon(con, aliasHistorico + QStringLiteral(".historicoCheques"),
                                          remesa_, ordenante, talon);
        if (!e.isEmpty()) {
            dm_.iu().muestraMensaje(e);
            return true;
        }
        e = motor::ejecutaSql(con, QStringLiteral("DELETE FROM main.Talones WHERE rowid = ?"),
                              {c.fila});
        if (!e.isEmpty())
            return falla(e);
        // A cheque whose move is not committed leaves no line behind: the bank
        // file and the report are cut back to where they stood.
        const tMarcaFichero marcaInforme(informe_);
        const tMarcaFichero marcaFichero(dm_.instalacion().dirs.Dir_Cons + remesa_.nombre_Cons);
        try {
            escribeDetalleTalon(informe_, talon);
            escribeRegistroTalon(dm_.instalacion().dirs.Dir_Cons, ordenante, registro, remesa_);
        } catch (const TErrorOperacion& error) {
            marcaInforme.restaura();
            marcaFichero.restaura();
            return falla(error.texto());
        }
        avisa(talones + 1, false);
        if (!tr.confirma()) {
            marcaInforme.restaura();
            marcaFichero.restaura();
            return falla(tr.error());
        }
        ++talones;
        totalCentimos += *valor;
        archivaImagenesTalon(dm_.instalacion().dirs, talon.Cuenta, talon.numero_Modelo,
                             talon.Numero);
        avisa(talones, true);
        return true;
    }

    bool falla(const QString& mensaje) {
        dm_.iu().muestraMensaje(mensaje);
        return false;
    }

    void avisa(int emitidos, bool confirmado) {
        if (dm_.puntoControlEmision)
            dm_.puntoControlEmision(emitidos, confirmado);
    }

    TdmBBDD& dm_;
    const tRemesas& remesa_;
    QString informe_;
};

} // namespace

bool TdmBBDD::facturaFichero(const tRemesas& registroRemesa, const QString& fecha_Confeccion,
                             const QString& fecha_Proceso) {
    VentanaEsperar espera(iu_);
    const tDirectorios& d = inst_.dirs;

    const tNombreCons cons = siguienteNombreCons(d.Dir_Cons);
    if (cons.numero.isEmpty())
        throw TErrorOperacion(Mensaje::SinNumeroLibre.arg(d.Dir_Cons));
    // A file for the bank without the presenter's NIF and account would be
    // refused by the bank: nothing is written without a presenter.
    tOrdenantes sinPresentador;
    sinPresentador.Pk_Ordenante = -1;
    const int pkOrdenante = estado_.OrdenanteActual.Pk_Ordenante;
    const tOrdenantes ordenante = CargaRegistroOrdenantesTablas(pkOrdenante, sinPresentador);
    if (ordenante.Pk_Ordenante == -1)
        throw TErrorOperacion(Mensaje::SinPresentador.arg(pkOrdenante));

    tRemesas remesa = registroRemesa;
    estado_.RemesaActual.nombre_Cons = remesa.nombre_Cons = cons.fichero;
    const QString informe = d.Dir_Cons + QStringLiteral("INFORES.") + cons.numero;
    const QString carta = d.Dir_Cons + QStringLiteral("INFO.") + cons.numero;
    estado_.OrdenanteActual = ordenante;

    // Images left by an interrupted capture must not reach this archive.
    vaciaCarpeta(d.Dir_Imagenes_tmp);

    remesa.Nombre_Ordenante = ordenante.Nombre_ordenante;
    remesa.Cuenta_Acreedor = ordenante.Cuenta;
    remesa.Nif = ordenante.Nif_Sufijo + u' ';
    estado_.OrdenanteActual.Nif_Sufijo += u' ';
    remesa.Fecha_Confeccion = fecha_Confeccion;
    remesa.Fecha_Proceso = fecha_Proceso;

    escribeCabeceraFichero(d.Dir_Cons, estado_.OrdenanteActual, cons.fichero, fecha_Confeccion,
                           fecha_Proceso);
    escribeCabeceraInforme(informe, remesa);

    TBucleEmision bucle(*this, remesa, informe);
    bucle.ejecuta(inst_.rutaTablaTalones(registroRemesa.Pk_Remesa));
    const int registros = 1 + bucle.talones;

    escribeTotalesFichero(d.Dir_Cons, cons.fichero, registros, bucle.talones,
                          estado_.OrdenanteActual.Nif_Sufijo, bucle.totalCentimos);

    QString importe = QString::number(bucle.totalCentimos);
    centimosAImporte(importe);
    remesa.Importe = importe;
    remesa.Numero_Registros = QString::number(registros + 1);
    remesa.Numero_Talones = QString::number(bucle.talones);
    remesa.fk_ordenante = ordenante.Pk_Ordenante;

    escribeCartaOrden(carta, remesa, leeConfiguracionBanco(inst_).Nombre);
    escribeTotalesInforme(informe, remesa);
    GuardaHistoricoRemesa(remesa); // a false result does not stop the emission
    ComprimeFicheroTalones(d.Dir_Cons + estado_.RemesaActual.nombre_Cons);
    return true;
}

bool TdmBBDD::GuardaHistoricoTalon(const tRemesas& regRemesa, const tOrdenantes& ordenante,
                                   const tTalon& regTalon) {
    motor::Conexion con(rutaHistoricoCheques());
    const QString e = con.abierta() ? insertaHistoricoTalon(con, QStringLiteral("historicoCheques"),
                                                            regRemesa, ordenante, regTalon)
                                    : con.error();
    if (e.isEmpty())
        return true;
    iu_.muestraMensaje(e);
    return false;
}

bool TdmBBDD::GuardaHistoricoRemesa(const tRemesas& regRemesa) {
    const QString ruta = rutaHistorico();
    const int clave = SiguienteClave(QStringLiteral("Pk_Historico"), ruta);
    motor::Conexion con(ruta);
    const QString e = motor::ejecutaSql(
        con,
        QStringLiteral("INSERT INTO historico (Pk_Historico, Nombre_Remesa, Importe, "
                       "Numero_Talones, Numero_Registros, Fecha_Soporte, Fecha_Confeccion, "
                       "Nombre_Cons, Cuenta, Nombre_Ordenante, Nif) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {clave, regRemesa.Nombre_Remesa, regRemesa.Importe, regRemesa.Numero_Talones,
         regRemesa.Numero_Registros, regRemesa.Fecha_Proceso, regRemesa.Fecha_Confeccion,
         regRemesa.nombre_Cons, regRemesa.Cuenta_Acreedor, regRemesa.Nombre_Ordenante,
         regRemesa.Nif});
    if (e.isEmpty())
        return true;
    iu_.muestraMensaje(e);
    return false;
}

void TdmBBDD::ComprimeFicheroTalones(const QString& fichero) {
    const tDirectorios& d = inst_.dirs;
    const QString nombre = QFileInfo(fichero).fileName();
    QString nombreCopia = nombre;
    nombreCopia.remove(u'.');
    const QString copia = d.Dir_Imagenes_tmp + nombreCopia + QStringLiteral(".txt");
    // An archive without the presentation file would be useless to the bank.
    if (copiaFichero(fichero, copia) != 0)
        throw TErrorOperacion(Mensaje::SinCopiaFichero.arg(fichero, copia));
    comprimeCarpetaZip(d.Dir_Cons + nombre + QStringLiteral(".zip"), d.Dir_Imagenes_tmp);
    vaciaCarpeta(d.Dir_Imagenes_tmp);
}
