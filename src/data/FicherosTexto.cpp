#include "FicherosTexto.h"

#include "ErrorOperacion.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

namespace {

QByteArray codificaLineas(const QStringList& lineas) {
    QStringEncoder cp1252("windows-1252");
    if (!cp1252.isValid())
        throw TErrorOperacion(QStringLiteral("No se dispone de la página de códigos Windows-1252"));
    QByteArray bytes;
    for (const QString& linea : lineas) {
        bytes += cp1252.encode(linea);
        bytes += "\r\n";
    }
    return bytes;
}

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
