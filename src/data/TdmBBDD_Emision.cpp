// The emission: presentation file, reports, history rows, images and archive.
#include "ArchivoZip.h"
#include "CodigosTalon.h"
#include "ConfiguracionBanco.h"
#include "EmisionEnCurso.h"
#include "ErrorOperacion.h"
#include "Fechas.h"
#include "FicheroPresentacion.h"
#include "ImagenesTalon.h"
#include "Importes.h"
#include "InformesEmision.h"
#include "MotorTablas.h"
#include "Numeros.h"
#include "TdmBBDD.h"
#include "TextosBBDD.h"
#include "ValidacionTalon.h"

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
const QString SinCopiaFichero = QStringLiteral("No se pudo copiar el fichero %1 en %2");
const QString NoCumplenReglas =
    QStringLiteral("Estos cheques no cumplen las reglas de un cheque correcto y siguen en la "
                   "remesa para que los corrija en el editor de cheques:\n");
const QString YMas = QStringLiteral("... y %1 más");
const QString SinHistorico =
    QStringLiteral("%1 cheque(s) no se pudieron pasar al histórico: no se han presentado y "
                   "siguen en la remesa para una próxima emisión.\n");
} // namespace Mensaje

// A correct cheque as the emission reads it, and the row it came from.
struct tTalonEmitible {
    qint64 fila = 0; // rowid in the cheque table
    tTalon talon;
};

// Inserts the cheque's history row into `tabla` on the connection, with the
// next key of that table; answers the engine message or "".
QString insertaHistoricoTalon(motor::Conexion& con, const QString& tabla, const tRemesas& remesa,
                              const tOrdenantes& ordenante, const tTalon& t) {
    const std::optional<tImporte> imp = tImporte::leeTexto(t.Importe);
    if (!imp)
        return MensajeBBDD::ImporteNoValido.arg(t.Importe, t.Numero);
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
         remesa.nombre_Cons, t.Cuenta, ordenante.Cuenta, ordenante.Nombre_ordenante,
         imp->centimos(), t.indicador, ordenante.Nif_Sufijo});
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

// What the cheque loop left out, told to the operator once for the whole
// emission: cheques that fail the cheque rules, and cheques whose history row
// could not be written (a full disk fails every one of them).
struct tApartados {
    QStringList reglas;
    int historico = 0;
    QString errorHistorico;

    void avisa(IInterfazUsuario& iu) const {
        if (!reglas.isEmpty()) {
            constexpr int mostrados = 20;
            QStringList lineas = reglas.mid(0, mostrados);
            if (reglas.size() > mostrados)
                lineas << Mensaje::YMas.arg(reglas.size() - mostrados);
            iu.muestraMensaje(Mensaje::NoCumplenReglas + lineas.join(u'\n'));
        }
        if (historico > 0)
            iu.muestraMensaje(Mensaje::SinHistorico.arg(historico) + errorHistorico);
    }
};

// The cheque loop of one emission. Each cheque is moved from the remittance
// to the history in one transaction over both table files; its report lines
// and its presentation record are written inside that transaction, and only a
// committed cheque is counted. A cheque that fails the cheque rules, or whose
// history row cannot be written, is neither presented nor moved: it stays for
// a later emission. Should the process die between a record and its commit,
// the bank file is made again from the history at the next start.
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
        apartados_.avisa(dm_.iu());
    }

private:
    // The cheque rules, as the editor applies them, on the stored cheque: a
    // table edited by hand or an old program may hold a "correct" cheque that
    // is not. Its images are those in the image folder; a cheque already in
    // the history is not presented again; due dates are taken as of the
    // process date, the day the bank receives the file.
    bool cumpleReglas(motor::Conexion& con, const tTalon& t, QString& mensaje) {
        tContextoValidacion contexto;
        const QDate proceso = leeFecha(remesa_.Fecha_Proceso);
        if (proceso.isValid())
            contexto.hoy = proceso;
        contexto.existeImagenFrontal = QFileInfo::exists(
            rutaImagenFrontal(dm_.instalacion().dirs.Dir_Imagenes, baseImagenTalon(t)));
        contexto.duplicidadTalon = [&con](const tTalon& c) {
            motor::Sentencia s(con, QStringLiteral("SELECT 1 FROM %1.historicoCheques WHERE "
                                                   "Numero = ? AND Numero_Modelo = ? AND "
                                                   "Cuenta = ? LIMIT 1")
                                        .arg(aliasHistorico));
            s.liga(c.Numero).liga(c.numero_Modelo).liga(c.Cuenta);
            return s.ejecuta() && s.siguiente();
        };
        return validaTalon(t, mensaje, contexto);
    }

    // False when the loop must end here.
    bool emiteTalon(motor::Conexion& con, const tTalonEmitible& c) {
        const tOrdenantes& ordenante = dm_.estado().OrdenanteActual;
        QString regla;
        if (!cumpleReglas(con, c.talon, regla)) {
            apartados_.reglas << QStringLiteral("%1: %2").arg(c.talon.Numero, regla);
            return true;
        }
        const std::optional<tImporte> importe = tImporte::leeTexto(c.talon.Importe);
        if (!importe)
            return falla(MensajeBBDD::ImporteNoValido.arg(c.talon.Importe, c.talon.Numero));
        // The bank record, the report and the history all take the one value.
        tTalon registro = c.talon;
        registro.Importe = importe->plano();
        tTalon talon = c.talon;
        talon.Modelo_Talon = descripcionModelo(talon.Modelo_Talon);
        talon.Importe = importe->visible();

        motor::Transaccion tr(con);
        if (!tr.iniciada())
            return falla(tr.error());
        QString e = insertaHistoricoTalon(con, aliasHistorico + QStringLiteral(".historicoCheques"),
                                          remesa_, ordenante, talon);
        if (!e.isEmpty()) {
            if (apartados_.historico++ == 0)
                apartados_.errorHistorico = e;
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
            escribeDetalleTalon(informe_, talon, dm_.destino());
            escribeRegistroTalon(dm_.instalacion().dirs.Dir_Cons, ordenante, registro, remesa_,
                                 dm_.destino());
        } catch (const TErrorOperacion& error) {
            marcaInforme.restaura();
            marcaFichero.restaura();
            return falla(error.texto());
        }
        avisa(PuntoEmision::RegistroSinConfirmar, talones + 1);
        if (!tr.confirma()) {
            marcaInforme.restaura();
            marcaFichero.restaura();
            return falla(tr.error());
        }
        ++talones;
        totalCentimos += importe->centimos();
        avisa(PuntoEmision::Confirmado, talones);
        archivaImagenesTalon(dm_.instalacion().dirs, talon.Cuenta, talon.numero_Modelo,
                             talon.Numero,
                             [this] { avisa(PuntoEmision::ArchivandoImagenes, talones); });
        avisa(PuntoEmision::ImagenesArchivadas, talones);
        return true;
    }

    bool falla(const QString& mensaje) {
        dm_.iu().muestraMensaje(mensaje);
        return false;
    }

    void avisa(PuntoEmision punto, int emitidos) {
        if (dm_.puntoControlEmision)
            dm_.puntoControlEmision(punto, emitidos);
    }

    TdmBBDD& dm_;
    const tRemesas& remesa_;
    QString informe_;
    tApartados apartados_;
};

} // namespace

void TdmBBDD::avisaPuntoEmision(PuntoEmision punto, int talones) {
    if (puntoControlEmision)
        puntoControlEmision(punto, talones);
}

int TdmBBDD::ultimaClave(const QString& columna, const QString& rutaTabla) {
    QString e;
    const int clave = claveNueva(columna, rutaTabla, e);
    if (clave == 0)
        throw TErrorOperacion(e);
    return clave - 1;
}

bool TdmBBDD::facturaFichero(const tRemesas& registroRemesa, const QString& fecha_Confeccion,
                             const QString& fecha_Proceso) {
    VentanaEsperar espera(iu_);
    const tDirectorios& d = inst_.dirs;
    // An emission cut off earlier is finished first: its number stays its own.
    completaEmisionInterrumpida();

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

    // Recorded before any file of the emission exists, removed after the last.
    tEmisionEnCurso enCurso;
    enCurso.fichero = cons.fichero;
    enCurso.numero = cons.numero;
    enCurso.claveHistoricoCheques =
        ultimaClave(QStringLiteral("Pk_HistoricoRecibos"), rutaHistoricoCheques());
    enCurso.claveHistorico = ultimaClave(QStringLiteral("Pk_Historico"), rutaHistorico());
    const QString rutaEnCurso = rutaEmisionEnCurso(d);
    escribeEmisionEnCurso(rutaEnCurso, enCurso);
    avisaPuntoEmision(PuntoEmision::EmisionRegistrada, 0);

    tRemesas remesa = registroRemesa;
    estado_.RemesaActual.nombre_Cons = remesa.nombre_Cons = cons.fichero;
    estado_.OrdenanteActual = ordenante;

    // Images left by an interrupted capture must not reach this archive.
    vaciaCarpeta(d.Dir_Imagenes_tmp);

    remesa.Nombre_Ordenante = ordenante.Nombre_ordenante;
    remesa.Cuenta_Acreedor = ordenante.Cuenta;
    remesa.Nif = ordenante.Nif_Sufijo + u' ';
    estado_.OrdenanteActual.Nif_Sufijo += u' ';
    remesa.Fecha_Confeccion = fecha_Confeccion;
    remesa.Fecha_Proceso = fecha_Proceso;
    remesa.fk_ordenante = ordenante.Pk_Ordenante;

    escribeCabeceraFichero(d.Dir_Cons, estado_.OrdenanteActual, cons.fichero, fecha_Confeccion,
                           fecha_Proceso, destino());
    escribeCabeceraInforme(rutaInforme(cons.numero), remesa, destino());
    avisaPuntoEmision(PuntoEmision::CabeceraEscrita, 0);

    TBucleEmision bucle(*this, remesa, rutaInforme(cons.numero));
    bucle.ejecuta(inst_.rutaTablaTalones(registroRemesa.Pk_Remesa));

    terminaEmision(remesa, cons.numero, bucle.talones, bucle.totalCentimos, true);
    QFile::remove(rutaEnCurso);
    return true;
}

QString TdmBBDD::rutaInforme(const QString& numero) const {
    return inst_.dirs.Dir_Cons + ficheroInforme(u'.' + numero);
}

QString TdmBBDD::rutaCarta(const QString& numero) const {
    return inst_.dirs.Dir_Cons + ficheroCarta(u'.' + numero);
}

void TdmBBDD::terminaEmision(tRemesas& remesa, const QString& numero, int talones,
                             qint64 totalCentimos, bool guardaHistoricoRemesa) {
    const tDirectorios& d = inst_.dirs;
    const int registros = 1 + talones;
    escribeTotalesFichero(d.Dir_Cons, remesa.nombre_Cons, registros, talones, remesa.Nif,
                          totalCentimos, destino());
    avisaPuntoEmision(PuntoEmision::TotalesEscritos, talones);

    remesa.Importe = tImporte::deCentimos(totalCentimos).plano();
    remesa.Numero_Registros = QString::number(registros + 1);
    remesa.Numero_Talones = QString::number(talones);

    escribeCartaOrden(rutaCarta(numero), remesa, leeConfiguracionBanco(inst_).Nombre, destino());
    escribeTotalesInforme(rutaInforme(numero), remesa, destino());
    avisaPuntoEmision(PuntoEmision::InformesEscritos, talones);
    if (guardaHistoricoRemesa)
        GuardaHistoricoRemesa(remesa); // a false result does not stop the emission
    avisaPuntoEmision(PuntoEmision::HistoricoRemesa, talones);
    ComprimeFicheroTalones(d.Dir_Cons + remesa.nombre_Cons);
    avisaPuntoEmision(PuntoEmision::ArchivoComprimido, talones);
}

bool TdmBBDD::GuardaHistoricoTalon(const tRemesas& regRemesa, const tOrdenantes& ordenante,
                                   const tTalon& regTalon) {
    motor::Conexion con(rutaHistoricoCheques());
    // Key and row in one transaction: a failure inserts nothing.
    motor::Transaccion tr(con);
    QString e = tr.error();
    if (e.isEmpty())
        e = insertaHistoricoTalon(con, QStringLiteral("historicoCheques"), regRemesa, ordenante,
                                  regTalon);
    if (e.isEmpty() && !tr.confirma())
        e = tr.error();
    if (e.isEmpty())
        return true;
    iu_.muestraMensaje(e);
    return false;
}

bool TdmBBDD::GuardaHistoricoRemesa(const tRemesas& regRemesa) {
    int clave = 0;
    const QString e = insertaConClaveNueva(
        rutaHistorico(), QStringLiteral("Pk_Historico"),
        QStringLiteral("INSERT INTO historico (Pk_Historico, Nombre_Remesa, Importe, "
                       "Numero_Talones, Numero_Registros, Fecha_Soporte, Fecha_Confeccion, "
                       "Nombre_Cons, Cuenta, Nombre_Ordenante, Nif) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {regRemesa.Nombre_Remesa, regRemesa.Importe, regRemesa.Numero_Talones,
         regRemesa.Numero_Registros, regRemesa.Fecha_Proceso, regRemesa.Fecha_Confeccion,
         regRemesa.nombre_Cons, regRemesa.Cuenta_Acreedor, regRemesa.Nombre_Ordenante,
         regRemesa.Nif},
        clave);
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
    comprimeCarpetaZip(
        d.Dir_Cons + nombre + QStringLiteral(".zip"), d.Dir_Imagenes_tmp,
        [this] { avisaPuntoEmision(PuntoEmision::Comprimiendo, 0); }, destino());
    vaciaCarpeta(d.Dir_Imagenes_tmp);
}
