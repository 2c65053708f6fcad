#include "FicherosTexto.h"

#include "ErrorOperacion.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

// One byte per character. A character that Windows-1252 lacks becomes "?",
// as the system's own conversion writes it; never a control byte.
QByteArray textoCp1252(const QString& texto) {
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
    for (const QString& linea : lineas) {
        bytes += textoCp1252(linea);
        bytes += "\r\n";
    }
    return bytes;
}

namespace {

void escribe(const QString& ruta, const QStringList& lineas, QIODevice::OpenMode modo) {
    const QByteArray bytes = codificaLineas(lineas);
    QFile f(ruta);
    const auto falla = [&] {
        return TErrorOperacion(
            QStringLiteral("Error de escritura en el fichero %1: %2").arg(ruta, f.errorString()));
    };
    if (!f.open(QIODevice::WriteOnly | modo))
        throw falla();
    if (f.write(bytes) != bytes.size() || !f.flush())
        throw falla();
    f.close();
    if (f.error() != QFileDevice::NoError)
        throw falla();
}

} // namespace

void creaFicheroTexto(const QString& ruta, const QStringList& lineas) {
    escribe(ruta, lineas, QIODevice::Truncate);
}

void anadeFicheroTexto(const QString& ruta, const QStringList& lineas) {
    if (!QFileInfo(ruta).isFile())
        throw TErrorOperacion(QStringLiteral("No existe el fichero %1").arg(ruta));
    escribe(ruta, lineas, QIODevice::Append);
}
