#include "AlmacenImagenes.h"

#include "ErrorOperacion.h"
#include "MotivoFallo.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>

namespace {
const QString Parcial = QStringLiteral(".parcial");
constexpr qint64 ToleranciaFechaMs = 2000;
constexpr qint64 Bloque = 1 << 20;

// A second version of an image keeps its date and size in its store name.
QString nombreVersion(const QString& relativa, qint64 tamano, qint64 fechaMs) {
    return QStringLiteral("%1~%2~%3").arg(relativa).arg(fechaMs).arg(tamano);
}

[[noreturn]] void falla(const QString& fichero, const QString& sistema) {
    throw TErrorOperacion(QStringLiteral("no se pudo escribir %1: %2")
                              .arg(QDir::toNativeSeparators(fichero), motivoFallo(sistema)));
}
// Size and date of every file of a folder (and of its sub-folders), read
// straight from the file system: a data folder holds tens of thousands of
// images and each copy looks at every one.
template <class Visita>
void recorreFicheros(const QString& carpeta, bool subcarpetas, Visita visita) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto trata = [&visita](const fs::directory_entry& e) {
        struct stat datos {};
        if (!e.is_regular_file() || ::stat(e.path().c_str(), &datos) != 0)
            return;
        visita(QString::fromStdString(e.path().string()),
               QString::fromStdString(e.path().filename().string()), qint64(datos.st_size),
               qint64(datos.st_mtim.tv_sec) * 1000 + datos.st_mtim.tv_nsec / 1000000);
    };
    if (subcarpetas) {
        for (fs::recursive_directory_iterator it(carpeta.toStdString(), ec), fin; !ec && it != fin;
             it.increment(ec))
            trata(*it);
    } else {
        for (fs::directory_iterator it(carpeta.toStdString(), ec), fin; !ec && it != fin;
             it.increment(ec))
            trata(*it);
    }
}
} // namespace

bool TAlmacenImagenes::mismaFecha(qint64 a, qint64 b) {
    return std::abs(a - b) <= ToleranciaFechaMs;
}

void copiaFicheroEntero(const QString& origen, const QString& destino) {
    QFile entrada(origen);
    if (!entrada.open(QIODevice::ReadOnly))
        throw TErrorOperacion(QStringLiteral("no se pudo leer %1: %2")
                                  .arg(QDir::toNativeSeparators(origen), entrada.errorString()));
    const QString temporal = destino + Parcial;
    QFile salida(temporal);
    if (!salida.open(QIODevice::WriteOnly | QIODevice::Truncate))
        falla(destino, salida.errorString());
    while (!entrada.atEnd()) {
        const QByteArray bloque = entrada.read(Bloque);
        if (bloque.isEmpty() && entrada.error() != QFileDevice::NoError)
            break;
        if (salida.write(bloque) != bloque.size()) {
            const QString e = salida.errorString();
            salida.remove();
            falla(destino, e);
        }
    }
    if (!salida.flush() || entrada.error() != QFileDevice::NoError) {
        const QString e =
            entrada.error() != QFileDevice::NoError ? entrada.errorString() : salida.errorString();
        salida.remove();
        falla(destino, e);
    }
    salida.setFileTime(QFileInfo(origen).lastModified(), QFileDevice::FileModificationTime);
    salida.close();
    std::error_code ec;
    std::filesystem::rename(temporal.toStdString(), destino.toStdString(), ec);
    if (ec) {
        QFile::remove(temporal);
        falla(destino, QString::fromStdString(ec.message()));
    }
}

TAlmacenImagenes::TAlmacenImagenes(const QString& carpeta) : carpeta_(carpeta) {}

void TAlmacenImagenes::indexa() {
    if (indexado_)
        return;
    indexado_ = true;
    const qsizetype prefijo = QDir(carpeta_).absolutePath().size() + 1;
    recorreFicheros(
        QDir(carpeta_).absolutePath(), true,
        [this, prefijo](const QString& ruta, const QString&, qint64 tamano, qint64 fechaMs) {
            if (!ruta.endsWith(Parcial))
                guardadas_.insert(ruta.mid(prefijo), {tamano, fechaMs});
        });
}

QString TAlmacenImagenes::guarda(const QString& fichero, const QString& relativa, qint64 tamano,
                                 qint64 fechaMs) {
    const auto tiene = [this, tamano, fechaMs](const QString& nombre) {
        const auto g = guardadas_.constFind(nombre);
        return g != guardadas_.cend() && g->tamano == tamano && mismaFecha(g->fechaMs, fechaMs);
    };
    const QString version = nombreVersion(relativa, tamano, fechaMs);
    if (tiene(relativa))
        return relativa;
    if (guardadas_.contains(version))
        return version;
    // The plain name is taken by another version: the new one goes beside.
    const QString nombre = guardadas_.contains(relativa) ? version : relativa;
    const QString destino = carpeta_ + u'/' + nombre;
    QDir().mkpath(QFileInfo(destino).path());
    copiaFicheroEntero(fichero, destino);
    guardadas_.insert(nombre, {tamano, fechaMs});
    ++escritas_;
    return nombre;
}

QList<tImagenCopia> TAlmacenImagenes::copia(const QString& origen, const QString& prefijo) {
    indexa();
    QList<tImagenCopia> imagenes;
    recorreFicheros(origen, false,
                    [this, &imagenes, &prefijo](const QString& ruta, const QString& nombre,
                                                qint64 tamano, qint64 fechaMs) {
                        tImagenCopia i;
                        i.relativa = prefijo + u'/' + nombre;
                        i.tamano = tamano;
                        i.fechaMs = fechaMs;
                        i.almacen = guarda(ruta, i.relativa, tamano, fechaMs);
                        imagenes << i;
                    });
    std::sort(imagenes.begin(), imagenes.end(),
              [](const tImagenCopia& a, const tImagenCopia& b) { return a.relativa < b.relativa; });
    return imagenes;
}

void TAlmacenImagenes::purga(const QSet<QString>& usadas) {
    indexa();
    const QString raiz = QDir(carpeta_).absolutePath();
    QStringList sobran;
    recorreFicheros(raiz, true, [&](const QString& ruta, const QString&, qint64, qint64) {
        if (!usadas.contains(ruta.mid(raiz.size() + 1)))
            sobran << ruta;
    });
    for (const QString& ruta : sobran) {
        QFile::remove(ruta);
        guardadas_.remove(ruta.mid(raiz.size() + 1));
    }
}

QByteArray TAlmacenImagenes::texto(const QList<tImagenCopia>& imagenes) {
    QByteArray t;
    for (const tImagenCopia& i : imagenes)
        t += QStringLiteral("%1\t%2\t%3\t%4\n")
                 .arg(i.relativa)
                 .arg(i.tamano)
                 .arg(i.fechaMs)
                 .arg(i.almacen)
                 .toUtf8();
    return t;
}

bool TAlmacenImagenes::lee(const QString& ruta, QList<tImagenCopia>& imagenes) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    imagenes.clear();
    for (const QByteArray& linea : f.readAll().split('\n')) {
        if (linea.isEmpty())
            continue;
        const QStringList c = QString::fromUtf8(linea).split(u'\t');
        if (c.size() != 4)
            return false;
        imagenes << tImagenCopia{c[0], c[1].toLongLong(), c[2].toLongLong(), c[3]};
    }
    return true;
}
