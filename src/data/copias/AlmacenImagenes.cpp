#include "AlmacenImagenes.h"

#include "ErrorOperacion.h"
#include "MotivoFallo.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

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
    const QDir raiz(carpeta_);
    QDirIterator it(carpeta_, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (info.fileName().endsWith(Parcial))
            continue;
        guardadas_.insert(raiz.relativeFilePath(info.filePath()),
                          {info.size(), info.lastModified().toMSecsSinceEpoch()});
    }
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
    return nombre;
}

QList<tImagenCopia> TAlmacenImagenes::copia(const QString& origen, const QString& prefijo) {
    indexa();
    QList<tImagenCopia> imagenes;
    const QDir dir(origen);
    const QFileInfoList ficheros = dir.entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& f : ficheros) {
        tImagenCopia i;
        i.relativa = prefijo + u'/' + f.fileName();
        i.tamano = f.size();
        i.fechaMs = f.lastModified().toMSecsSinceEpoch();
        i.almacen = guarda(f.filePath(), i.relativa, i.tamano, i.fechaMs);
        imagenes << i;
    }
    return imagenes;
}

void TAlmacenImagenes::purga(const QSet<QString>& usadas) {
    indexa();
    const QDir raiz(carpeta_);
    QDirIterator it(carpeta_, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString ruta = it.next();
        const QString relativa = raiz.relativeFilePath(ruta);
        if (usadas.contains(relativa))
            continue;
        QFile::remove(ruta);
        guardadas_.remove(relativa);
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
