#include "CopiasSeguridad.h"

#include "AlmacenImagenes.h"
#include "BloqueoEmision.h"
#include "DefinicionTablas.h"
#include "ErrorOperacion.h"
#include "EscrituraSegura.h"
#include "FicheroPerfil.h"
#include "MotivoFallo.h"
#include "MotorTablas.h"
#include "RegistroActividad.h"
#include "RetencionCopias.h"
#include "TablasCopia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSet>

#include <filesystem>
#include <system_error>

namespace {
const QString FormatoNombre = QStringLiteral("yyyy-MM-dd_HH-mm-ss");
const QString Resumen = QStringLiteral("copia.ini");
const QString ListaImagenes = QStringLiteral("imagenes.txt");
const QString Parcial = QStringLiteral(".parcial_");
const QString Restaurando = QStringLiteral(".restaurando");
const QString SeccionCopia = QStringLiteral("COPIA");
const QString SeccionTablas = QStringLiteral("TABLAS");
const QString Almacen = QStringLiteral("Imagenes");

// The folders of a data folder that a copy holds, relative to it.
struct tCarpetasDatos {
    QString tablas, remesas, pub, hco, imagenes;
};

tCarpetasDatos carpetasDatos(const tDirectorios& d) {
    const QDir raiz(d.Dir_Cuarderno);
    return {raiz.relativeFilePath(d.Dir_Tablas), raiz.relativeFilePath(d.Dir_TablaRemesas),
            raiz.relativeFilePath(d.Dir_Pub), raiz.relativeFilePath(d.Dir_Hco_Imagenes),
            raiz.relativeFilePath(d.Dir_Imagenes)};
}

QStringList tablasDe(const QString& carpeta) {
    return QDir(carpeta).entryList({QStringLiteral("*.dat")}, QDir::Files, QDir::Name);
}

void creaCarpeta(const QString& ruta) {
    if (!QDir().mkpath(ruta))
        throw TErrorOperacion(
            QStringLiteral("no se pudo crear la carpeta %1").arg(QDir::toNativeSeparators(ruta)));
}

void renombra(const QString& de, const QString& a) {
    std::error_code ec;
    std::filesystem::rename(de.toStdString(), a.toStdString(), ec);
    if (ec)
        throw TErrorOperacion(QStringLiteral("no se pudo sustituir %1: %2")
                                  .arg(QDir::toNativeSeparators(a),
                                       motivoFallo(QString::fromStdString(ec.message()))));
}

void escribe(const QString& ruta, const QByteArray& bytes) {
    if (const auto e = escribeFicheroEntero(ruta, bytes))
        throw TErrorOperacion(QStringLiteral("no se pudo escribir %1: %2")
                                  .arg(QDir::toNativeSeparators(ruta), motivoFallo(*e)));
}

qint64 tamanoFicheros(const QString& carpeta) {
    qint64 total = 0;
    const QDir dir(carpeta);
    for (const QFileInfo& f : dir.entryInfoList(QDir::Files))
        total += f.size();
    return total;
}
} // namespace

TCopiasSeguridad::TCopiasSeguridad(const tInstalacion& instalacion)
    : TCopiasSeguridad(instalacion, leeConfiguracionCopias(instalacion)) {}

TCopiasSeguridad::TCopiasSeguridad(const tInstalacion& instalacion,
                                   const tConfiguracionCopias& configuracion)
    : inst_(instalacion), conf_(configuracion) {}

QString TCopiasSeguridad::almacen() const {
    return conf_.Carpeta + u'/' + Almacen;
}

QString TCopiasSeguridad::fechaLegible(const tCopia& copia) {
    return copia.fecha.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
}

QString TCopiasSeguridad::nombreLibre() const {
    QDateTime momento = ahora();
    // Two copies in one second: the second takes the next free second.
    while (QFileInfo::exists(conf_.Carpeta + u'/' + momento.toString(FormatoNombre)))
        momento = momento.addSecs(1);
    return momento.toString(FormatoNombre);
}

namespace {
// One program at a time makes a copy in, restores from or trims a folder of
// copies.
class TBloqueoCopias {
public:
    TBloqueoCopias(const QString& carpeta, int esperaMs)
        : lock_(carpeta + QStringLiteral("/Copias.lock")) {
        creaCarpeta(carpeta);
        lock_.setStaleLockTime(0);
        if (lock_.tryLock(esperaMs))
            return;
        if (lock_.error() == QLockFile::LockFailedError)
            throw TErrorOperacion(QStringLiteral("otro programa está usando la carpeta de copias"));
        throw TErrorOperacion(motivoFallo(QStringLiteral("Permission denied")));
    }

private:
    QLockFile lock_;
};
} // namespace

QString TCopiasSeguridad::mensajeFallo(const QString& motivo) const {
    return QStringLiteral("No se pudo hacer la copia de seguridad en la carpeta %1: %2.")
        .arg(QDir::toNativeSeparators(conf_.Carpeta), motivo);
}

tCopia TCopiasSeguridad::haz(const QString& motivo) {
    try {
        const TBloqueoCopias bloqueo(conf_.Carpeta, esperaBloqueoMs);
        tCopia copia = hazSinRetencion(motivo);
        aplicaRetencion();
        return copia;
    } catch (const TErrorOperacion& e) {
        const QString texto = mensajeFallo(e.texto());
        anotaFallo(motivo, texto);
        throw TErrorOperacion(texto);
    }
}

void TCopiasSeguridad::anotaFallo(const QString& motivo, const QString& texto) const {
    if (diagnostico)
        diagnostico(QStringLiteral("Copia de seguridad (%1) no hecha: %2").arg(motivo, texto));
}

tCopia TCopiasSeguridad::hazSinRetencion(const QString& motivo) {
    tCopia copia;
    copia.nombre = nombreLibre();
    copia.ruta = conf_.Carpeta + u'/' + copia.nombre;
    copia.fecha = QDateTime::fromString(copia.nombre, FormatoNombre);
    copia.motivo = motivo;
    const QString parcial = conf_.Carpeta + u'/' + Parcial + copia.nombre;
    try {
        escribeCopia(parcial, motivo, copia);
        renombra(parcial, copia.ruta);
    } catch (...) {
        QDir(parcial).removeRecursively();
        throw;
    }
    if (diagnostico)
        diagnostico(QStringLiteral("Copia de seguridad (%1) hecha en %2: %3 tablas (%4 sin cambios "
                                   "desde la anterior, %5 dañadas), %6 imágenes (%7 nuevas), "
                                   "%8 bytes")
                        .arg(motivo, QDir::toNativeSeparators(copia.ruta))
                        .arg(copia.tablas)
                        .arg(copia.tablasSinCambios)
                        .arg(copia.tablasDanadas)
                        .arg(copia.imagenes)
                        .arg(copia.imagenesNuevas)
                        .arg(copia.bytes));
    return copia;
}

void TCopiasSeguridad::escribeCopia(const QString& parcial, const QString& motivo, tCopia& copia) {
    QDir(parcial).removeRecursively();
    const tCarpetasDatos c = carpetasDatos(inst_.dirs);
    for (const QString& sub : {c.tablas, c.remesas, c.pub})
        creaCarpeta(parcial + u'/' + sub);
    const QList<tCopia> anteriores = lista();
    std::optional<TFicheroPerfil> anterior;
    if (!anteriores.isEmpty())
        anterior.emplace(anteriores.first().ruta + u'/' + Resumen);
    TFicheroPerfil resumen(parcial + u'/' + Resumen);
    {
        // No emission commits while the tables are copied.
        TBloqueoEmision bloqueo(inst_.dirs);
        if (!bloqueo.toma(esperaBloqueoMs))
            throw TErrorOperacion(bloqueo.mensajeOcupado());
        for (const QString& sub : {c.tablas, c.remesas}) {
            for (const QString& fichero : tablasDe(inst_.dirs.Dir_Cuarderno + sub)) {
                const QString relativa = sub + u'/' + fichero;
                const QString origen = inst_.dirs.Dir_Cuarderno + relativa;
                const QString destino = parcial + u'/' + relativa;
                const QString huella = huellaTabla(origen);
                const QString previa =
                    anteriores.isEmpty() ? QString() : anteriores.first().ruta + u'/' + relativa;
                ++copia.tablas;
                if (!huella.isEmpty() && anterior &&
                    anterior->texto(SeccionTablas, relativa, QString()) == huella &&
                    QFileInfo::exists(previa)) {
                    reutilizaTabla(previa, destino);
                    ++copia.tablasSinCambios;
                } else if (!copiaTabla(origen, destino)) {
                    ++copia.tablasDanadas;
                    continue; // damaged: kept as it was, without a fingerprint
                }
                resumen.fija(SeccionTablas, relativa, huella);
            }
        }
        if (QFileInfo::exists(inst_.ficheros.ficheroConfiguracion))
            copiaFicheroEntero(inst_.ficheros.ficheroConfiguracion,
                               parcial + u'/' + c.pub + QStringLiteral("/config.ini"));
    }
    // Images go after the lock: an emission moves its cheques' images from
    // Imagenes to Hco, so Imagenes is read first and none is missed.
    TAlmacenImagenes imagenes(almacen());
    QList<tImagenCopia> lista = imagenes.copia(inst_.dirs.Dir_Imagenes, c.imagenes);
    lista += imagenes.copia(inst_.dirs.Dir_Hco_Imagenes, c.hco);
    copia.imagenes = static_cast<int>(lista.size());
    copia.imagenesNuevas = imagenes.escritas();
    escribe(parcial + u'/' + ListaImagenes, TAlmacenImagenes::texto(lista));

    copia.bytes = tamanoFicheros(parcial + u'/' + c.tablas) +
                  tamanoFicheros(parcial + u'/' + c.remesas) +
                  tamanoFicheros(parcial + u'/' + c.pub);
    for (const tImagenCopia& i : lista)
        copia.bytes += i.tamano;
    for (const QString& f : tablasDe(parcial + u'/' + c.remesas))
        copia.chequesRemesas +=
            filasTabla(parcial + u'/' + c.remesas + u'/' + f, Tablas::talones().nombre);
    copia.chequesHistorico =
        filasTabla(parcial + u'/' + c.tablas + u'/' + inst_.tablas.tabla_HistoricoTalones,
                   Tablas::historicoCheques().nombre);
    copia.emisiones = filasTabla(parcial + u'/' + c.tablas + u'/' + inst_.tablas.tabla_Historico,
                                 Tablas::historico().nombre);
    resumen.fija(SeccionCopia, QStringLiteral("Motivo"), motivo);
    resumen.fija(SeccionCopia, QStringLiteral("Bytes"), QString::number(copia.bytes));
    resumen.fijaEntero(SeccionCopia, QStringLiteral("ChequesRemesas"), copia.chequesRemesas);
    resumen.fijaEntero(SeccionCopia, QStringLiteral("ChequesHistorico"), copia.chequesHistorico);
    resumen.fijaEntero(SeccionCopia, QStringLiteral("Emisiones"), copia.emisiones);
    try {
        resumen.guarda();
    } catch (const TErrorOperacion& e) {
        throw TErrorOperacion(motivoFallo(e.texto()));
    }
}

bool TCopiasSeguridad::hazAlCerrar() {
    const QDate hoy = ahora().date();
    for (const tCopia& c : lista())
        if (c.motivo == MotivoCierre && c.fecha.date() == hoy)
            return false;
    haz(MotivoCierre);
    return true;
}

QList<tCopia> TCopiasSeguridad::lista() const {
    static const QRegularExpression patron(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2}_\\d{2}-\\d{2}-\\d{2}$"));
    QList<tCopia> copias;
    const QDir dir(conf_.Carpeta);
    const QStringList nombres = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (auto n = nombres.crbegin(); n != nombres.crend(); ++n) {
        const QString ruta = dir.filePath(*n);
        if (!patron.match(*n).hasMatch() || !QFileInfo::exists(ruta + u'/' + Resumen))
            continue;
        const TFicheroPerfil resumen(ruta + u'/' + Resumen);
        tCopia c;
        c.nombre = *n;
        c.ruta = ruta;
        c.fecha = QDateTime::fromString(*n, FormatoNombre);
        c.motivo = resumen.texto(SeccionCopia, QStringLiteral("Motivo"), QString());
        c.bytes = resumen.texto(SeccionCopia, QStringLiteral("Bytes"), QString()).toLongLong();
        c.chequesRemesas = resumen.entero(SeccionCopia, QStringLiteral("ChequesRemesas"), 0);
        c.chequesHistorico = resumen.entero(SeccionCopia, QStringLiteral("ChequesHistorico"), 0);
        c.emisiones = resumen.entero(SeccionCopia, QStringLiteral("Emisiones"), 0);
        copias << c;
    }
    return copias;
}

QString TCopiasSeguridad::comprueba(const tCopia& copia, bool completa) const {
    const tCarpetasDatos c = carpetasDatos(inst_.dirs);
    QList<tImagenCopia> imagenes;
    if (!TAlmacenImagenes::lee(copia.ruta + u'/' + ListaImagenes, imagenes))
        return QStringLiteral("falta la lista de sus imágenes");
    for (const tDefinicionTabla* def :
         {&Tablas::remesas(), &Tablas::historico(), &Tablas::ordenantes(),
          &Tablas::historicoCheques(), &Tablas::deudores()}) {
        const QString e = problemaTablaCopia(copia.ruta + u'/' + c.tablas + u'/' + def->nombre +
                                                 QStringLiteral(".dat"),
                                             *def, completa);
        if (!e.isEmpty())
            return e;
    }
    const QString remesas = copia.ruta + u'/' + c.remesas;
    for (const QString& f : tablasDe(remesas))
        if (const QString e = problemaTablaCopia(remesas + u'/' + f, Tablas::talones(), completa);
            !e.isEmpty())
            return e;
    const QString store = almacen();
    for (const tImagenCopia& i : imagenes)
        if (QFileInfo(store + u'/' + i.almacen).size() != i.tamano)
            return QStringLiteral("falta la imagen %1 en %2")
                .arg(i.relativa, QDir::toNativeSeparators(store));
    return {};
}

std::optional<tCopia> TCopiasSeguridad::ultimaValida() const {
    for (const tCopia& c : lista())
        if (comprueba(c, false).isEmpty())
            return c;
    return std::nullopt;
}

void TCopiasSeguridad::aplicaRetencion() {
    const QList<tCopia> copias = lista();
    QList<QDateTime> fechas;
    for (const tCopia& c : copias)
        fechas << c.fecha;
    const QList<QDateTime> sobran = copiasSobrantes(fechas, conf_.Conservar, ahora().date());
    QSet<QString> usadas;
    for (const tCopia& c : copias) {
        if (sobran.contains(c.fecha)) {
            QDir(c.ruta).removeRecursively();
            continue;
        }
        QList<tImagenCopia> imagenes;
        TAlmacenImagenes::lee(c.ruta + u'/' + ListaImagenes, imagenes);
        for (const tImagenCopia& i : imagenes)
            usadas.insert(i.almacen);
    }
    // Copies cut off by a stop, and their images.
    const QDir dir(conf_.Carpeta);
    for (const QString& n : dir.entryList({Parcial + u'*'}, QDir::Dirs | QDir::Hidden))
        QDir(dir.filePath(n)).removeRecursively();
    if (!sobran.isEmpty())
        TAlmacenImagenes(almacen()).purga(usadas);
}

namespace {
// The files a restore writes: each beside its target first, then renamed
// over it, so a failure while writing leaves the data folder as it was.
class TSustitucion {
public:
    ~TSustitucion() {
        for (const QString& destino : destinos_)
            QFile::remove(destino + Restaurando);
    }
    void prepara(const QString& origen, const QString& destino) {
        destinos_ << destino;
        copiaFicheroEntero(origen, destino + Restaurando);
    }
    void sustituye() {
        for (const QString& destino : destinos_) {
            // A journal left beside the old table would be played on the new one.
            QFile::remove(destino + QStringLiteral("-journal"));
            renombra(destino + Restaurando, destino);
        }
        destinos_.clear();
    }

private:
    QStringList destinos_;
};

// Removes the files of the folder that the restored state does not hold.
void borraSobrantes(const QString& carpeta, const QSet<QString>& quedan, bool tablas) {
    const QDir dir(carpeta);
    for (const QString& f : dir.entryList(QDir::Files)) {
        if (quedan.contains(f))
            continue;
        if (!tablas)
            QFile::remove(dir.filePath(f));
        else if (f.endsWith(QStringLiteral(".dat")))
            motor::borraTabla(dir.filePath(f));
    }
}
} // namespace

void TCopiasSeguridad::restaura(const tCopia& copia) {
    const QString cual = QStringLiteral("La copia del %1 (%2)")
                             .arg(fechaLegible(copia), QDir::toNativeSeparators(copia.ruta));
    if (const QString problema = comprueba(copia, true); !problema.isEmpty())
        throw TErrorOperacion(
            QStringLiteral("%1 no se puede restaurar: %2. No se ha cambiado nada.")
                .arg(cual, problema));
    std::optional<TBloqueoCopias> bloqueoCopias;
    try {
        bloqueoCopias.emplace(conf_.Carpeta, esperaBloqueoMs);
        // The state being replaced is kept first: a restore can be undone.
        hazSinRetencion(MotivoRestauracion);
    } catch (const TErrorOperacion& e) {
        const QString texto = mensajeFallo(e.texto());
        anotaFallo(MotivoRestauracion, texto);
        throw TErrorOperacion(QStringLiteral("No se ha restaurado nada: antes de restaurar se "
                                             "copia el estado actual, y esa copia falló. %1")
                                  .arg(texto));
    }
    TBloqueoEmision bloqueo(inst_.dirs);
    if (!bloqueo.toma(esperaBloqueoMs))
        throw TErrorOperacion(bloqueo.mensajeOcupado());
    const tCarpetasDatos c = carpetasDatos(inst_.dirs);
    const QString datos = inst_.dirs.Dir_Cuarderno;
    try {
        TSustitucion sustitucion;
        QSet<QString> tablas[2];
        int k = 0;
        for (const QString& sub : {c.tablas, c.remesas}) {
            for (const QString& f : tablasDe(copia.ruta + u'/' + sub)) {
                if (sub == c.tablas && f == TRegistroActividad::nombreFichero())
                    continue;
                sustitucion.prepara(copia.ruta + u'/' + sub + u'/' + f, datos + sub + u'/' + f);
                tablas[k].insert(f);
            }
            ++k;
        }
        const QString ini = copia.ruta + u'/' + c.pub + QStringLiteral("/config.ini");
        if (QFileInfo::exists(ini))
            sustitucion.prepara(ini, inst_.ficheros.ficheroConfiguracion);
        QList<tImagenCopia> imagenes;
        TAlmacenImagenes::lee(copia.ruta + u'/' + ListaImagenes, imagenes);
        QSet<QString> hco;
        QSet<QString> abiertas;
        for (const tImagenCopia& i : imagenes) {
            const QString destino = datos + i.relativa;
            const QFileInfo actual(destino);
            (i.relativa.startsWith(c.hco + u'/') ? hco : abiertas).insert(actual.fileName());
            if (actual.exists() && actual.size() == i.tamano &&
                TAlmacenImagenes::mismaFecha(actual.lastModified().toMSecsSinceEpoch(), i.fechaMs))
                continue;
            sustitucion.prepara(almacen() + u'/' + i.almacen, destino);
        }
        sustitucion.sustituye();
        borraSobrantes(inst_.dirs.Dir_TablaRemesas, tablas[1], true);
        borraSobrantes(inst_.dirs.Dir_Hco_Imagenes, hco, false);
        borraSobrantes(inst_.dirs.Dir_Imagenes, abiertas, false);
    } catch (const TErrorOperacion& e) {
        throw TErrorOperacion(QStringLiteral("%1 no se pudo restaurar: %2.").arg(cual, e.texto()));
    }
    // The data folder now holds the copy; the window that asked for the
    // restore records the act.
    aplicaRetencion();
}
