#include "ImagenesTalon.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <filesystem>
#include <system_error>

namespace {

bool mismoFichero(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

} // namespace

QString baseImagenTalon(const QString& cuenta, const QString& numeroModelo, const QString& numero) {
    return cuenta + numeroModelo.left(4) + numero.left(7);
}

QString baseImagenTalon(const tTalon& talon) {
    return baseImagenTalon(talon.Cuenta, talon.numero_Modelo, talon.Numero);
}

bool esNombreFicheroValido(const QString& nombre) {
    if (nombre.isEmpty() || nombre.size() > 255 || nombre == u"." || nombre == u"..")
        return false;
    for (QChar c : nombre) {
        if (c.unicode() < 32)
            return false;
        switch (c.unicode()) {
        case u'\\':
        case u'/':
        case u':':
        case u'*':
        case u'?':
        case u'"':
        case u'<':
        case u'>':
        case u'|':
            return false;
        default:
            break;
        }
    }
    return true;
}

QString rutaImagen(const QString& carpeta, const QString& prefijo, const QString& base,
                   const QString& extension) {
    const QString nombre = prefijo + base + extension;
    if (!esNombreFicheroValido(nombre))
        return {};
    // Joined by hand: an emission builds thousands of these, and a QDir for
    // each costs more than the rest of the path.
    if (carpeta.isEmpty())
        return nombre;
    if (carpeta.endsWith(u'/'))
        return carpeta + nombre;
    return carpeta + u'/' + nombre;
}

QString tFicheroImagen::nombre(const QString& base) const {
    return prefijo.toString() + base + extension.toString();
}

QString tFicheroImagen::ruta(const QString& carpeta, const QString& base) const {
    return rutaImagen(carpeta, prefijo.toString(), base, extension.toString());
}

QString rutaImagenFrontal(const QString& carpeta, const QString& base) {
    return ImagenCheque::FrontalJpg.ruta(carpeta, base);
}

QSet<QString> ficherosEnCarpeta(const QString& carpeta) {
    QSet<QString> nombres;
    if (carpeta.isEmpty())
        return nombres;
    QDirIterator it(carpeta, QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        nombres.insert(it.fileName());
    }
    return nombres;
}

int copiaFichero(const QString& origen, const QString& destino) {
    if (origen.isEmpty() || destino.isEmpty() || mismoFichero(origen, destino))
        return -1;
    QFile entrada(origen);
    if (!QFileInfo(origen).isFile() || !entrada.open(QIODevice::ReadOnly))
        return -1;
    QFile salida(destino);
    if (!salida.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return -1;
    constexpr qint64 bloque = 8192;
    QByteArray datos(bloque, Qt::Uninitialized);
    qint64 quedan = entrada.size();
    while (quedan > 0) {
        const qint64 pedidos = qMin(bloque, quedan);
        const qint64 leidos = entrada.read(datos.data(), pedidos);
        if (leidos != pedidos)
            return -1;
        if (salida.write(datos.constData(), leidos) != leidos)
            return -1;
        quedan -= leidos;
    }
    if (!salida.flush())
        return -1;
    return 0;
}

void borraFichero(const QString& ruta) {
    if (!ruta.isEmpty() && QFileInfo(ruta).isFile())
        QFile::remove(ruta);
}

void vaciaCarpeta(const QString& carpeta) {
    if (carpeta.isEmpty())
        return;
    QDirIterator it(carpeta, QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext())
        borraFichero(it.next());
}

namespace {

// Why a folder refused a file, as the operator reads it, then the system's
// text for support.
QString causaEscritura(const QString& carpeta, bool abierto, const QString& textoSistema) {
    QString causa;
    if (!QFileInfo(carpeta).isDir())
        causa = QStringLiteral("la carpeta no existe");
    else if (!abierto)
        causa = QStringLiteral("no se puede escribir en la carpeta (es de solo lectura o no "
                               "tiene permiso para escribir en ella)");
    else
        causa = QStringLiteral("no se pudo escribir en el disco (puede estar lleno)");
    if (!textoSistema.trimmed().isEmpty())
        causa += QStringLiteral(". Mensaje del sistema: ") + textoSistema.trimmed();
    return causa;
}

tCopiaLeidas noCopiadas(const QString& carpeta, const QString& causa) {
    return {tCopiaLeidas::Resultado::NoCopiadas, QDir::toNativeSeparators(carpeta), causa};
}

// Copies one file through a device opened beside `destino`, then renames it
// over `destino`.
tCopiaLeidas copiaUna(const QString& origen, const QString& destino, const tAbreDestino& abre) {
    const QString carpetaOrigen = QFileInfo(origen).absolutePath();
    const QString carpetaDestino = QFileInfo(destino).absolutePath();
    QFile entrada(origen);
    if (!entrada.open(QIODevice::ReadOnly))
        return noCopiadas(carpetaOrigen,
                          QStringLiteral("no se pudo leer la imagen %1. Mensaje del sistema: %2")
                              .arg(QFileInfo(origen).fileName(), entrada.errorString()));
    const QByteArray bytes = entrada.readAll();
    if (bytes.size() != entrada.size())
        return noCopiadas(carpetaOrigen,
                          QStringLiteral("no se pudo leer la imagen %1. Mensaje del sistema: %2")
                              .arg(QFileInfo(origen).fileName(), entrada.errorString()));
    const QString temporal = destino + QStringLiteral(".copia");
    const std::unique_ptr<QIODevice> salida =
        abre ? abre(temporal) : std::unique_ptr<QIODevice>(std::make_unique<QFile>(temporal));
    auto* fichero = qobject_cast<QFileDevice*>(salida.get());
    if (!salida->open(QIODevice::WriteOnly | QIODevice::Truncate))
        return noCopiadas(carpetaDestino,
                          causaEscritura(carpetaDestino, false, salida->errorString()));
    bool bien = salida->write(bytes) == bytes.size() && (!fichero || fichero->flush());
    QString textoSistema = salida->errorString();
    salida->close();
    if (fichero && fichero->error() != QFileDevice::NoError) {
        bien = false;
        textoSistema = fichero->errorString();
    }
    if (bien && !renombraReemplazando(temporal, destino)) {
        bien = false;
        textoSistema = QStringLiteral("no se pudo sustituir %1").arg(QFileInfo(destino).fileName());
    }
    if (!bien) {
        QFile::remove(temporal);
        return noCopiadas(carpetaDestino, causaEscritura(carpetaDestino, true, textoSistema));
    }
    return {};
}

} // namespace

tCopiaLeidas copiaImagenesLectura(const tDirectorios& dirs, const QString& secuencia,
                                  const QString& base, TipoLector::Tipo tipoLector,
                                  const tAbreDestino& abre) {
    const tCopiaLeidas faltan{tCopiaLeidas::Resultado::Faltan, {}, {}};
    switch (tipoLector) {
    case TipoLector::Teclado:
        return {};
    case TipoLector::SeacBanche:
    case TipoLector::Excella:
    case TipoLector::ExcellaSTX:
    case TipoLector::VisionX:
        break;
    default:
        return faltan;
    }
    for (const tFicheroImagen& imagen : ImagenCheque::Todos) {
        const QString origen = imagen.ruta(dirs.Dir_Imagenes_tmp, secuencia);
        const QString destino = imagen.ruta(dirs.Dir_Imagenes, base);
        if (origen.isEmpty() || destino.isEmpty() || !QFileInfo(origen).isFile() ||
            mismoFichero(origen, destino))
            return faltan;
        const tCopiaLeidas copia = copiaUna(origen, destino, abre);
        if (copia.resultado != tCopiaLeidas::Resultado::Copiadas)
            return copia;
    }
    return {};
}

bool copiaImagenesLeidas(const tDirectorios& dirs, const QString& secuencia, const QString& base,
                         TipoLector::Tipo tipoLector) {
    return copiaImagenesLectura(dirs, secuencia, base, tipoLector).resultado ==
           tCopiaLeidas::Resultado::Copiadas;
}

QStringList nombresImagenesLeidas(const QString& secuencia) {
    QStringList nombres;
    for (const tFicheroImagen& imagen : ImagenCheque::Todos)
        nombres << imagen.nombre(secuencia);
    return nombres;
}

void vaciaImagenesLeidasSalvo(const QString& carpeta, const QStringList& secuencias) {
    if (carpeta.isEmpty())
        return;
    QStringList quedan;
    for (const QString& s : secuencias)
        quedan << nombresImagenesLeidas(s);
    QDirIterator it(carpeta, QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QString ruta = it.next();
        if (!quedan.contains(QFileInfo(ruta).fileName()))
            borraFichero(ruta);
    }
}

bool renumeraImagenesLeidas(const QString& carpeta, const QString& de, const QString& a) {
    const QStringList origenes = nombresImagenesLeidas(de);
    const QStringList destinos = nombresImagenesLeidas(a);
    const QDir dir(carpeta);
    bool todas = true;
    for (qsizetype i = 0; i < origenes.size(); ++i)
        todas = renombraReemplazando(dir.filePath(origenes[i]), dir.filePath(destinos[i])) && todas;
    return todas;
}

void borraImagenesTalon(const QString& carpeta, const QString& base) {
    for (const tFicheroImagen& imagen : ImagenCheque::Todos)
        borraFichero(imagen.ruta(carpeta, base));
}

void renombraImagenesTalon(const tDirectorios& dirs, const QString& baseAnterior,
                           const QString& baseNueva) {
    for (const tFicheroImagen& imagen : ImagenCheque::Todos) {
        const QString anterior = imagen.ruta(dirs.Dir_Imagenes, baseAnterior);
        const QString nueva = imagen.ruta(dirs.Dir_Imagenes, baseNueva);
        // QFile::rename never replaces an existing file: a taken name fails.
        if (!anterior.isEmpty() && !nueva.isEmpty())
            QFile::rename(anterior, nueva);
    }
}

bool renombraReemplazando(const QString& origen, const QString& destino) {
    if (origen.isEmpty() || destino.isEmpty())
        return false;
#ifdef Q_OS_WIN
    const std::filesystem::path de(origen.toStdWString()), a(destino.toStdWString());
#else
    const std::filesystem::path de(QFile::encodeName(origen).toStdString()),
        a(QFile::encodeName(destino).toStdString());
#endif
    std::error_code error;
    std::filesystem::rename(de, a, error);
    return !error;
}

namespace {

// True when both files hold the same bytes.
bool mismoContenido(const QString& a, const QString& b) {
    QFile fa(a);
    QFile fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
        return false;
    constexpr qint64 bloque = 65536;
    while (!fa.atEnd()) {
        const QByteArray da = fa.read(bloque);
        if (da.isEmpty() || da != fb.read(bloque))
            return false;
    }
    return true;
}

} // namespace

bool mueveFichero(const QString& origen, const QString& destino, const tRenombrado& renombra) {
    if (origen.isEmpty() || destino.isEmpty())
        return false;
    // The rename is tried first: it nearly always succeeds, and a missing
    // source makes it fail anyway, so the source is looked at only then.
    if (renombra ? renombra(origen, destino) : renombraReemplazando(origen, destino))
        return true;
    if (!QFileInfo(origen).isFile())
        return false;
    // The source goes only once a whole copy is known to be in place.
    if (copiaFichero(origen, destino) != 0 || !mismoContenido(origen, destino))
        return false;
    return QFile::remove(origen);
}

QString archivaImagenesTalon(const tDirectorios& dirs, const QString& cuenta,
                             const QString& numeroModelo, const QString& numero,
                             const std::function<void()>& trasPrimera,
                             const tRenombrado& renombra) {
    const QString base = baseImagenTalon(cuenta, numeroModelo, numero);
    using namespace ImagenCheque;
    const auto mueve = [&](const tFicheroImagen& imagen) {
        return mueveFichero(imagen.ruta(dirs.Dir_Imagenes, base),
                            imagen.ruta(dirs.Dir_Hco_Imagenes, base), renombra);
    };
    mueve(FrontalJpg);
    if (trasPrimera)
        trasPrimera();
    mueve(TraseroTif);
    const QString archivada = FrontalTif.ruta(dirs.Dir_Hco_Imagenes, base);
    if (mueve(FrontalTif))
        return archivada;
    // Not moved: it is still in the image folder, or an earlier run that was
    // cut off had already moved it.
    for (const QString& frontal : {FrontalTif.ruta(dirs.Dir_Imagenes, base), archivada})
        if (!frontal.isEmpty() && QFileInfo(frontal).isFile())
            return frontal;
    return {};
}
