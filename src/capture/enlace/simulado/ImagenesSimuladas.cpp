#include "ImagenesSimuladas.h"

#include "ComunSimulador.h"
#include "FallosImagen.h"

#include <QBuffer>
#include <QFile>

namespace {

FalloImagen falloDe(const QString& seccion, int posicion) {
    const std::pair<const char*, FalloImagen> claves[] = {
        {"frontalEnBlanco", FalloImagen::FrontalEnBlanco},
        {"frontalOscuro", FalloImagen::FrontalOscuro},
        {"imagenCortada", FalloImagen::Cortada},
        {"imagenDanada", FalloImagen::Danada},
    };
    for (const auto& [clave, fallo] : claves)
        if (posicion > 0 && ajusteSimulador(seccion, QString::fromLatin1(clave)) == posicion)
            return fallo;
    return FalloImagen::Ninguno;
}

} // namespace

QByteArray imagenSimulada(const QString& seccion, int posicion, CaraSimulada cara,
                          const QString& origen) {
    QFile f(origen);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = f.readAll();
    const FalloImagen fallo = falloDe(seccion, posicion);
    if (fallo == FalloImagen::Ninguno)
        return bytes;
    if (fallo == FalloImagen::Danada) {
        if (cara == CaraSimulada::FrontalJpg)
            danaFichero(bytes);
        return bytes;
    }
    const bool frontal = cara != CaraSimulada::TraseraTif;
    if (fallo != FalloImagen::Cortada && !frontal)
        return bytes;
    const QImage imagen = QImage::fromData(bytes);
    if (imagen.isNull())
        return bytes;
    QByteArray salida;
    QBuffer buffer(&salida);
    buffer.open(QIODevice::WriteOnly);
    aplicaFalloImagen(imagen, fallo, frontal)
        .save(&buffer, cara == CaraSimulada::FrontalJpg ? "JPG" : "TIFF", 80);
    return salida;
}
