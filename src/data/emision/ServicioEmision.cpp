// The emission: every correct cheque of the remittance moves to the history
// in one transaction, with its bank file, reports and archive written before
// that transaction commits. An emission happened whole or not at all: a
// failure, or the end of the process, before the commit leaves every cheque
// in the remittance and no file of it behind; after the commit, what is left
// (moving the images) is finished from the history at the next start.
#include "ServicioEmision.h"

#include "AlmacenOrdenantes.h"
#include "ArchivoZip.h"
#include "BloqueoEmision.h"
#include "CodigosTalon.h"
#include "ConfiguracionBanco.h"
#include "DetallesActividad.h"
#include "EmisionEnCurso.h"
#include "ErrorOperacion.h"
#include "Fechas.h"
#include "FicheroPresentacion.h"
#include "FicherosEmision.h"
#include "FilasEmision.h"
#include "ImagenesTalon.h"
#include "Importes.h"
#include "MotorTablas.h"
#include "RegistroActividad.h"
#include "TextosBBDD.h"
#include "ValidacionTalon.h"
#include "VerificacionFicheroBanco.h"

#include <QFileInfo>
#include <QSet>

#include <vector>

namespace {

const QString aliasHistorico = QStringLiteral("hco");
const QString aliasHistoricoRemesas = QStringLiteral("hre");

namespace Mensaje {
const QString SinNumeroLibre =
    QStringLiteral("No queda ningún número de emisión libre en la carpeta %1");
const QString SinPresentador = QStringLiteral("No existe el presentador de la remesa (clave %1)");
const QString SinCopiaFichero = QStringLiteral("No se pudo copiar el fichero %1 en %2");
const QString NoCumplenReglas =
    QStringLiteral("Estos cheques no cumplen las reglas de un cheque correcto y siguen en la "
                   "remesa para que los corrija en el editor de cheques:\n");
const QString YMas = QStringLiteral("... y %1 más");
const QString NoEmitida =
    QStringLiteral("La remesa %1 no se ha emitido: %2\nTodos sus cheques siguen en la remesa y "
                   "no queda ningún fichero de esta emisión.");
const QString NadaQueEmitir =
    QStringLiteral("La remesa %1 no tiene cheques correctos que emitir: no se ha generado "
                   "ningún fichero.");
} // namespace Mensaje

namespace Fase {
const QString Historico = QStringLiteral("Pasando los cheques al histórico");
const QString Ficheros = QStringLiteral("Escribiendo el fichero para el banco y los informes");
const QString Archivo = QStringLiteral("Comprimiendo las imágenes");
const QString Imagenes = QStringLiteral("Archivando las imágenes");
} // namespace Fase

// Progress is told every so many cheques: often enough for the bar to move,
// seldom enough to cost nothing.
constexpr int pasoProgreso = 25;

// A correct cheque as the emission reads it, and the row it came from.
struct tTalonEmitible {
    qint64 fila = 0; // rowid in the cheque table
    tTalon talon;
    bool importeIlegible = false; // the amount column holds no amount
};

// The next key of a table on the connection: its highest plus one, 1 when
// empty. Throws TErrorOperacion on an engine failure.
int siguienteClaveEn(motor::Conexion& con, const QString& tabla, const QString& columna) {
    motor::Sentencia max(con, QStringLiteral("SELECT max(%1) FROM %2").arg(columna, tabla));
    if (!max.ejecuta())
        throw TErrorOperacion(max.error());
    const int maximo = max.siguiente() ? max.entero(0) : 0;
    return maximo + 1;
}

// The columns of a cheque's history row, in the order of filaHistoricoTalon.
const QStringList columnasHistoricoTalon =
    QStringLiteral("Pk_HistoricoRecibos, Nombre_Remesa, Importe, Modelo_Talon, Fecha_Pago, "
                   "Fecha_Confeccion, Fecha_Talon, Numero_Modelo, Numero, Nombre_Cliente, "
                   "Nombre_Cons, Cuenta, Cuenta_ord, Nombre_Ordenante, imp, indicador, Nif_Sufijo")
        .split(QStringLiteral(", "));

// The cheque's history row, the amount in display form and in cents.
QVariantList filaHistoricoTalon(int clave, const tRemesas& remesa, const tOrdenantes& ordenante,
                                const tTalon& t, tImporte importe) {
    return {clave,
            remesa.Nombre_Remesa,
            importe.visible(),
            t.Modelo_Talon,
            remesa.Fecha_Proceso,
            remesa.Fecha_Confeccion,
            t.FechaPago,
            t.numero_Modelo,
            t.Numero,
            t.Nombre_Cliente,
            remesa.nombre_Cons,
            t.Cuenta,
            ordenante.Cuenta,
            ordenante.Nombre_ordenante,
            importe.centimos(),
            t.indicador,
            ordenante.Nif_Sufijo};
}

// Inserts the emission's row of historico.dat into `tabla` with the key;
// throws TErrorOperacion on an engine failure.
void insertaHistoricoRemesa(motor::Conexion& con, const QString& tabla, int clave,
                            const tRemesas& r) {
    fallaSiHayError(motor::ejecutaSql(
        con,
        QStringLiteral("INSERT INTO %1 (Pk_Historico, Nombre_Remesa, Importe, Numero_Talones, "
                       "Numero_Registros, Fecha_Soporte, Fecha_Confeccion, Nombre_Cons, Cuenta, "
                       "Nombre_Ordenante, Nif) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
            .arg(tabla),
        {clave, r.Nombre_Remesa, r.Importe, r.Numero_Talones, r.Numero_Registros, r.Fecha_Proceso,
         r.Fecha_Confeccion, r.nombre_Cons, r.Cuenta_Acreedor, r.Nombre_Ordenante, r.Nif}));
}

// The emission's cheques as the history table on the connection holds them.
tTotalesFicheroBanco totalesHistorico(motor::Conexion& con, const QString& tabla,
                                      const QString& nombreCons) {
    motor::Sentencia s(
        con, QStringLiteral("SELECT count(*), sum(imp) FROM %1 WHERE Nombre_Cons = ?").arg(tabla));
    s.liga(nombreCons);
    if (!s.ejecuta() || !s.siguiente())
        throw TErrorOperacion(s.error());
    return {s.entero(0), s.texto(1).toLongLong()};
}

// Key and row in one transaction on the table's own file: a failure inserts
// nothing and throws its message.
void insertaConSuClave(const QString& ruta, const QString& columna,
                       const std::function<void(motor::Conexion&, int)>& inserta) {
    motor::Conexion con(ruta);
    motor::Transaccion tr(con);
    if (!tr.iniciada())
        throw TErrorOperacion(tr.error());
    inserta(con, siguienteClaveEn(con, nombreTablaDeFichero(ruta), columna));
    if (!tr.confirma())
        throw TErrorOperacion(tr.error());
}

// The correct cheques of the table, in the order the table gives them.
std::vector<tTalonEmitible> leeTalonesCorrectos(motor::Conexion& con) {
    motor::Sentencia s(con, QStringLiteral("SELECT rowid, Pk_Talon, Modelo_Talon, Numero_Modelo, "
                                           "Importe, Fecha_Talon, Numero, Estado, Cuenta, "
                                           "indicador, Nombre_Cliente FROM main.Talones "
                                           "WHERE Estado = '0'"));
    if (!s.ejecuta())
        throw TErrorOperacion(s.error());
    std::vector<tTalonEmitible> talones;
    while (s.siguiente()) {
        tTalonEmitible e;
        e.fila = s.texto(0).toLongLong();
        tTalon& t = e.talon;
        t.Pk_Talon = s.entero(1);
        t.Modelo_Talon = s.texto(2);
        const QString modelo = s.texto(3);
        t.numero_Modelo = modelo.left(6);
        t.chk_Modelo = modelo.mid(5, 1);
        t.Importe = tImporte::leeTexto(s.texto(4));
        e.importeIlegible = esImporteIlegible(s.texto(4));
        t.FechaPago = s.texto(5);
        const QString numero = s.texto(6);
        t.Numero = numero.left(9);
        t.chk_numero = numero.mid(8, 1);
        t.Estado = estadoDeCodigo(s.texto(7));
        t.Cuenta = s.texto(8);
        t.indicador = s.entero(9);
        t.Nombre_Cliente = s.texto(10);
        talones.push_back(e);
    }
    return talones;
}

// The cheques the emission leaves out because they fail the cheque rules,
// told to the operator once for the whole emission.
void avisaApartados(IInterfazUsuario& iu, const QStringList& reglas) {
    if (reglas.isEmpty())
        return;
    constexpr int mostrados = 20;
    QStringList lineas = reglas.mid(0, mostrados);
    if (reglas.size() > mostrados)
        lineas << Mensaje::YMas.arg(reglas.size() - mostrados);
    iu.muestraMensaje(Mensaje::NoCumplenReglas + lineas.join(u'\n'));
}

// Where a cheque's front TIFF is now: in the image folder (whose files are
// `enImagenes`), or already in the history folder; "" when it is nowhere.
QString frontalActual(const tDirectorios& d, const QSet<QString>& enImagenes, const tTalon& t) {
    const QString base = baseImagenTalon(t);
    const tFicheroImagen& frontal = ImagenCheque::FrontalTif;
    if (enImagenes.contains(frontal.nombre(base)))
        return frontal.ruta(d.Dir_Imagenes, base);
    const QString archivada = frontal.ruta(d.Dir_Hco_Imagenes, base);
    return !archivada.isEmpty() && QFileInfo(archivada).isFile() ? archivada : QString();
}

// One emission of one remittance, in one transaction over its cheque table
// and the two history tables. The bank file, the reports and the archive are
// written before the commit; a failure before it rolls everything back and
// throws, leaving the files for the caller to remove.
class TEmision {
public:
    TEmision(TServicioEmision& servicio, const tRemesas& remesa, const tOrdenantes& ordenante,
             const QString& numero)
        : sv_(servicio), d_(servicio.instalacion().dirs), ordenante_(ordenante),
          ficheros_(d_, numero, remesa, ordenante) {}

    // True when the emission committed at least one cheque.
    bool ejecuta(const QString& rutaTalones) {
        motor::Conexion con(rutaTalones);
        if (!con.abierta())
            throw TErrorOperacion(con.error());
        if (!con.adjunta(sv_.instalacion().rutaHistoricoCheques(), aliasHistorico) ||
            !con.adjunta(sv_.instalacion().rutaHistorico(), aliasHistoricoRemesas))
            throw TErrorOperacion(con.error());
        // Takes the write lock of the three files now: a cheque stored by
        // another program is either in this emission or waits for its end.
        motor::Transaccion tr(con);
        if (!tr.iniciada())
            throw TErrorOperacion(tr.error());
        mueveAlHistorico(con);
        if (ficheros_.talones() == 0)
            return false;

        sv_.iu().progresoEspera(Fase::Ficheros, 0, 0);
        ficheros_.escribe(leeConfiguracionBanco(sv_.instalacion()).Nombre, sv_.destino());
        avisa(PuntoEmision::FicherosEscritos, 0);
        insertaHistoricoRemesa(
            con, tablaRemesas(),
            siguienteClaveEn(con, tablaRemesas(), QStringLiteral("Pk_Historico")),
            ficheros_.remesa());
        // Read back as the bank will, against the rows about to commit.
        compruebaFicheroBanco(
            ficheros_.rutaFichero(),
            totalesHistorico(con, tablaCheques(), ficheros_.remesa().nombre_Cons));

        sv_.iu().progresoEspera(Fase::Archivo, 0, 0);
        sv_.ComprimeFicheroTalones(ficheros_.rutaFichero(), frontales_);
        avisa(PuntoEmision::ArchivoComprimido, 0);
        if (!tr.confirma())
            throw TErrorOperacion(tr.error());
        avisa(PuntoEmision::Confirmado, ficheros_.talones());
        return true;
    }

    // After the commit: the emitted cheques' images go to the history
    // folder. One that cannot be moved stays where it is, and the next
    // completion or annulment finds it there.
    void archivaImagenes() {
        const int total = int(emitidos_.size());
        for (int i = 0; i < total; ++i) {
            const tTalon& t = emitidos_[std::size_t(i)];
            if (i % pasoProgreso == 0)
                sv_.iu().progresoEspera(Fase::Imagenes, i, total);
            archivaImagenesTalon(
                d_, t.Cuenta, t.numero_Modelo, t.Numero,
                [this, i] { avisa(PuntoEmision::ArchivandoImagenes, i + 1); }, sv_.renombraFichero);
        }
        avisa(PuntoEmision::ImagenesArchivadas, total);
    }

    const QStringList& apartados() const { return reglas_; }
    const TFicherosEmision& ficheros() const { return ficheros_; }

private:
    QString tablaCheques() const { return aliasHistorico + QStringLiteral(".historicoCheques"); }
    QString tablaRemesas() const { return aliasHistoricoRemesas + QStringLiteral(".historico"); }

    void mueveAlHistorico(motor::Conexion& con) {
        const std::vector<tTalonEmitible> correctos = leeTalonesCorrectos(con);
        // Read once under the lock: asking the disk for each cheque's images
        // costs more than the rest of moving it.
        enImagenes_ = ficherosEnCarpeta(d_.Dir_Imagenes);
        proceso_ = leeFecha(ficheros_.remesa().Fecha_Proceso);
        int clave = siguienteClaveEn(con, tablaCheques(), QStringLiteral("Pk_HistoricoRecibos"));
        preparaReglas(con, correctos);
        std::vector<qint64> movidas;
        movidas.reserve(correctos.size());
        std::vector<QVariantList> historico;
        historico.reserve(correctos.size());
        const int total = int(correctos.size());
        for (int i = 0; i < total; ++i) {
            if (i % pasoProgreso == 0)
                sv_.iu().progresoEspera(Fase::Historico, i, total);
            const tTalonEmitible& c = correctos[std::size_t(i)];
            QString regla;
            if (!cumpleReglas(c, regla)) {
                reglas_ << QStringLiteral("%1: %2").arg(c.talon.Numero, regla);
                continue;
            }
            // The rules passed: the cheque has an amount above zero, and the
            // bank record, the report and the history all take that one value.
            tTalon talon = c.talon;
            talon.Modelo_Talon = descripcionModelo(talon.Modelo_Talon);
            historico.push_back(
                filaHistoricoTalon(clave++, ficheros_.remesa(), ordenante_, talon, *talon.Importe));
            movidas.push_back(c.fila);
            enHistorico_.insert({c.talon.Numero, c.talon.numero_Modelo, c.talon.Cuenta});
            ficheros_.anadeTalon(talon);
            const QString frontal = frontalActual(d_, enImagenes_, talon);
            if (!frontal.isEmpty())
                frontales_ << frontal;
            emitidos_.push_back(talon);
        }
        insertaFilas(con, tablaCheques(), columnasHistoricoTalon, historico);
        borraFilas(con, QStringLiteral("main.Talones"), movidas);
    }

    // The cheque rules, as the editor applies them, on the stored cheque: a
    // table edited by hand or by an earlier version of this program may hold
    // a "correct" cheque that is not. Its images are those in the image
    // folder; a cheque already in the history (this emission's rows
    // included) is not presented again; due dates are taken as of the process
    // date, the day the bank receives the file.
    bool cumpleReglas(const tTalonEmitible& c, QString& mensaje) {
        const tTalon& t = c.talon;
        contextoReglas_.importeIlegible = c.importeIlegible;
        contextoReglas_.existeImagenFrontal =
            enImagenes_.contains(rutaImagenFrontal({}, baseImagenTalon(t)));
        return validaTalon(t, mensaje, contextoReglas_);
    }

    // What the rules need that is the same for every cheque, made once: the
    // day (asking the clock per cheque costs more than the rule) and the
    // look-up of the history, read for all the cheques at once and kept up
    // to date with the rows this emission adds.
    void preparaReglas(motor::Conexion& con, const std::vector<tTalonEmitible>& correctos) {
        if (proceso_.isValid())
            contextoReglas_.hoy = proceso_;
        QStringList numeros;
        numeros.reserve(qsizetype(correctos.size()));
        for (const tTalonEmitible& c : correctos)
            numeros << c.talon.Numero;
        enHistorico_ = talonesEnHistorico(con, tablaCheques(), numeros);
        contextoReglas_.duplicidadTalon = [this](const tTalon& c) {
            return enHistorico_.contains({c.Numero, c.numero_Modelo, c.Cuenta});
        };
    }

    void avisa(PuntoEmision punto, int talones) {
        if (sv_.puntoControlEmision)
            sv_.puntoControlEmision(punto, talones);
    }

    TServicioEmision& sv_;
    const tDirectorios& d_;
    tOrdenantes ordenante_;
    TFicherosEmision ficheros_;
    QSet<QString> enImagenes_;           // the files of the image folder
    QDate proceso_;                      // the process date, the day of the due dates
    tContextoValidacion contextoReglas_; // see preparaReglas
    QSet<tClaveTalon> enHistorico_;      // the cheques the history holds, of those emitted
    QStringList frontales_;              // the front TIFFs for the archive, from where they are
    std::vector<tTalon> emitidos_;       // as the report shows them
    QStringList reglas_;
};

// The emission names the history holds, so that a number is never given
// twice even when the folder of emitted files was emptied by hand. Every
// emission has its row in historico.dat, read once; historicoCheques.dat is
// asked (by its index) only for a name that historico.dat lacks.
class TNombresEmitidos {
public:
    TNombresEmitidos(const QString& rutaHistorico, const QString& rutaHistoricoCheques)
        : cheques_(rutaHistoricoCheques) {
        motor::Conexion con(rutaHistorico);
        motor::Sentencia s(con, QStringLiteral("SELECT DISTINCT Nombre_Cons FROM historico"));
        if (!s.ejecuta())
            throw TErrorOperacion(s.error());
        while (s.siguiente())
            remesas_.insert(s.texto(0));
    }

    bool usado(const QString& nombreCons) {
        if (remesas_.contains(nombreCons))
            return true;
        motor::Sentencia s(cheques_, QStringLiteral("SELECT 1 FROM historicoCheques WHERE "
                                                    "Nombre_Cons = ? LIMIT 1"));
        s.liga(nombreCons);
        if (!s.ejecuta())
            throw TErrorOperacion(s.error());
        return s.siguiente();
    }

private:
    QSet<QString> remesas_;
    motor::Conexion cheques_;
};

} // namespace

void TServicioEmision::avisaPuntoEmision(PuntoEmision punto, int talones) {
    if (puntoControlEmision)
        puntoControlEmision(punto, talones);
}

int TServicioEmision::ultimaClave(const QString& columna, const QString& rutaTabla) {
    return bd_.claveNueva(columna, rutaTabla) - 1;
}

std::optional<tEmisionHecha> TServicioEmision::facturaFichero(const tRemesas& registroRemesa,
                                                              int pkOrdenante,
                                                              const QString& fecha_Confeccion,
                                                              const QString& fecha_Proceso) {
    VentanaEsperar espera(iu_);
    const tDirectorios& d = inst_.dirs;
    // One emission at a time in the data folder, whichever program runs it.
    TBloqueoEmision bloqueo(d);
    if (!bloqueo.toma(esperaBloqueoEmisionMs))
        throw TErrorOperacion(bloqueo.mensajeOcupado());
    // An emission cut off earlier is finished first: its number stays its own.
    completaEmisionConBloqueo();

    TNombresEmitidos emitidos(inst_.rutaHistorico(), inst_.rutaHistoricoCheques());
    const tNombreCons cons = siguienteNombreCons(
        d.Dir_Cons, [&emitidos](const QString& nombre) { return emitidos.usado(nombre); });
    if (cons.numero.isEmpty())
        throw TErrorOperacion(Mensaje::SinNumeroLibre.arg(d.Dir_Cons));
    // A file for the bank without the presenter's NIF and account would be
    // refused by the bank: nothing is written without a presenter.
    tOrdenantes sinPresentador;
    sinPresentador.Pk_Ordenante = -1;
    tOrdenantes ordenante =
        TAlmacenOrdenantes(bd_).CargaRegistroOrdenantesTablas(pkOrdenante, sinPresentador);
    if (ordenante.Pk_Ordenante == -1)
        throw TErrorOperacion(Mensaje::SinPresentador.arg(pkOrdenante));

    // Recorded before any file of the emission exists, removed after the last
    // step: found by the next start, it says which files to make again from
    // the history or to remove.
    tEmisionEnCurso enCurso;
    enCurso.fichero = cons.fichero;
    enCurso.numero = cons.numero;
    enCurso.claveHistoricoCheques =
        ultimaClave(QStringLiteral("Pk_HistoricoRecibos"), inst_.rutaHistoricoCheques());
    enCurso.claveHistorico = ultimaClave(QStringLiteral("Pk_Historico"), inst_.rutaHistorico());
    escribeEmisionEnCurso(d, enCurso);
    avisaPuntoEmision(PuntoEmision::EmisionRegistrada, 0);

    tRemesas remesa = registroRemesa;
    remesa.nombre_Cons = cons.fichero;
    remesa.Nombre_Ordenante = ordenante.Nombre_ordenante;
    remesa.Cuenta_Acreedor = ordenante.Cuenta;
    ordenante.Nif_Sufijo += u' ';
    remesa.Nif = ordenante.Nif_Sufijo;
    remesa.Fecha_Confeccion = fecha_Confeccion;
    remesa.Fecha_Proceso = fecha_Proceso;
    remesa.fk_ordenante = ordenante.Pk_Ordenante;

    // Images left by an interrupted capture must not reach this archive.
    vaciaCarpeta(d.Dir_Imagenes_tmp);
    TEmision emision(*this, remesa, ordenante, cons.numero);
    const auto descarta = [&] {
        for (const QString& f : TFicherosEmision::ficherosDe(d, cons.numero))
            QFile::remove(f);
        vaciaCarpeta(d.Dir_Imagenes_tmp);
        borraEmisionEnCurso(d);
    };
    bool emitida = false;
    try {
        emitida = emision.ejecuta(inst_.rutaTablaTalones(registroRemesa.Pk_Remesa));
    } catch (const TErrorOperacion& e) {
        descarta();
        avisaApartados(iu_, emision.apartados());
        throw TErrorOperacion(Mensaje::NoEmitida.arg(registroRemesa.Nombre_Remesa, e.texto()));
    }
    if (!emitida) {
        descarta();
        if (emision.apartados().isEmpty())
            iu_.muestraMensaje(Mensaje::NadaQueEmitir.arg(registroRemesa.Nombre_Remesa));
        avisaApartados(iu_, emision.apartados());
        return std::nullopt;
    }
    const TFicherosEmision& hecha = emision.ficheros();
    const QString detalle =
        detalleEmision(cons.fichero, remesa.Nombre_Remesa, hecha.talones(), hecha.centimos());
    anotaActividad(inst_, iu_, ActoActividad::Emision, detalle);
    iu_.anotaSuceso(QStringLiteral("Emisión confirmada: ") + detalle);
    emision.archivaImagenes();
    borraEmisionEnCurso(d);
    avisaApartados(iu_, emision.apartados());
    return tEmisionHecha{cons.fichero, ordenante};
}

void TServicioEmision::GuardaHistoricoRemesa(const tRemesas& regRemesa) {
    insertaConSuClave(inst_.rutaHistorico(), QStringLiteral("Pk_Historico"),
                      [&](motor::Conexion& con, int clave) {
                          insertaHistoricoRemesa(con, QStringLiteral("historico"), clave,
                                                 regRemesa);
                      });
}

void TServicioEmision::ComprimeFicheroTalones(const QString& fichero,
                                              const QStringList& frontales) {
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
        [this] { avisaPuntoEmision(PuntoEmision::Comprimiendo, 0); }, bd_.destino(), frontales);
    vaciaCarpeta(d.Dir_Imagenes_tmp);
}
