#include "FicherosTexto.h"

#include "ErrorOperacion.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

#include <algorithm>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

// One byte per character. A character that Windows-1252 lacks becomes "?",
// as the system's own conversion writes it; never a control byte.
QByteArray textoCp1252(const QString& texto) {
    // Nearly every line is plain ASCII, the same bytes in this code page.
    if (std::all_of(texto.cbegin(), texto.cend(), [](QChar c) { return c.unicode() < 0x80; }))
        return texto.toLatin1();
    QByteArray bytes;
    for (const char32_t c : texto.toUcs4()) {
        if (c < 0x80) {
            bytes += static_cast<char>(c);
            continue;
        }
        QStringEncoder cp1252("windows-1252");
        if (!cp1252.isValid())
            throw TErrorOperacion(
                QStringLiteral("No se dispone de la página de códigos Windows-1252"));
        const QByteArray b = cp1252.encode(QString::fromUcs4(&c, 1));
        bytes += cp1252.hasError() || b.size() != 1 ? QByteArray("?") : b;
    }
    return bytes;
}

QByteArray codificaLineas(const QStringList& lineas) {
    QByteArray bytes;
    if (!lineas.isEmpty())
        bytes.reserve(lineas.size() * (lineas.first().size() + 2));
    for (const QString& linea : lineas) {
        bytes += textoCp1252(linea);
        bytes += "\r\n";
    }
    return bytes;
}

namespace {

// Asks the system to put the file's bytes on the disk itself, so that a full
// disk is found now and what was written survives a power cut.
bool sincronizaConDisco(QFileDevice& f) {
#ifdef Q_OS_WIN
    return _commit(f.handle()) == 0;
#else
    return ::fsync(f.handle()) == 0;
#endif
}

class TDestinoDisco : public IDestinoFicheros {
public:
    std::unique_ptr<QIODevice> dispositivo(const QString& ruta) const override {
        return std::make_unique<QFile>(ruta);
    }
};

void escribe(const QString& ruta, const QStringList& lineas, QIODevice::OpenMode modo,
             const IDestinoFicheros& destino) {
    const QByteArray bytes = codificaLineas(lineas);
    const qint64 tamanoPrevio = (modo & QIODevice::Append) ? QFileInfo(ruta).size() : 0;
    const std::unique_ptr<QIODevice> f = destino.dispositivo(ruta);
    auto* fichero = qobject_cast<QFileDevice*>(f.get());
    // A line is written whole or not at all: what a failed write left is cut
    // off again (a new file is removed), so a bank file never ends in half a
    // record.
    const auto falla = [&](bool abierto = true, QString motivo = {}) {
        if (motivo.isEmpty())
            motivo = f->errorString();
        f->close();
        if (abierto && (modo & QIODevice::Append))
            QFile::resize(ruta, tamanoPrevio);
        else if (abierto)
            QFile::remove(ruta);
        return TErrorOperacion(
            QStringLiteral("Error de escritura en el fichero %1: %2").arg(ruta, motivo));
    };
    if (!f->open(QIODevice::WriteOnly | modo))
        throw falla(false);
    if (f->write(bytes) != bytes.size() || (fichero && !fichero->flush()))
        throw falla();
    // A file made whole is on the disk before the caller goes on.
    if (fichero && (modo & QIODevice::Truncate) && !sincronizaConDisco(*fichero))
        throw falla(true, QString::fromLocal8Bit(std::strerror(errno)));
    f->close();
    if (fichero && fichero->error() != QFileDevice::NoError)
        throw falla();
}

} // namespace

const IDestinoFicheros& destinoDisco() {
    static const TDestinoDisco disco;
    return disco;
}

void creaFicheroTexto(const QString& ruta, const QStringList& lineas,
                      const IDestinoFicheros& destino) {
    escribe(ruta, lineas, QIODevice::Truncate, destino);
}

void anadeFicheroTexto(const QString& ruta, const QStringList& lineas,
                       const IDestinoFicheros& destino) {
    if (!QFileInfo(ruta).isFile())
        throw TErrorOperacion(QStringLiteral("No existe el fichero %1").arg(ruta));
    escribe(ruta, lineas, QIODevice::Append, destino);
}
