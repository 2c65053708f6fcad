#include "VerificacionImagenes.h"

#include "ImagenesTalon.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

namespace {

// The grey front is measured at a quarter of its size: the JPEG decoder
// scales while it decodes, which is several times faster than a full
// decode, and a quarter still shows the codeline's print.
constexpr int Reduccion = 4;

struct tLectura {
    QImage imagen;
    QSize tamano;
    QString error;
};

tLectura lee(const QString& ruta, bool reducida) {
    tLectura l;
    if (!QFileInfo::exists(ruta)) {
        l.error = QStringLiteral("el lector no la entregó");
        return l;
    }
    QImageReader lector(ruta);
    l.tamano = lector.size();
    if (reducida && l.tamano.isValid())
        lector.setScaledSize(l.tamano / Reduccion);
    if (!lector.read(&l.imagen)) {
        l.error = QStringLiteral("el fichero está dañado (%1)").arg(lector.errorString());
        return l;
    }
    if (!l.tamano.isValid())
        l.tamano = l.imagen.size();
    return l;
}

} // namespace

tAvisoImagen verificaImagenesLeidas(const QString& carpeta, const QString& secuencia,
                                    const tLimitesImagen& limites) {
    const QDir dir(carpeta);
    struct tCara {
        QString fichero;
        QString nombre;
        bool gris;
    };
    const tCara caras[] = {
        {ImagenCheque::FrontalJpg.nombre(secuencia), QStringLiteral("anverso"), true},
        {ImagenCheque::FrontalTif.nombre(secuencia), QStringLiteral("anverso en blanco y negro"),
         false},
        {ImagenCheque::TraseroTif.nombre(secuencia), QStringLiteral("reverso"), false},
    };
    tAvisoImagen tono;
    for (const tCara& c : caras) {
        const tLectura l = lee(dir.filePath(c.fichero), c.gris);
        if (!l.error.isEmpty())
            return avisoIlegible(c.nombre, l.error);
        if (tAvisoImagen a = juzgaTamano(l.tamano.width(), l.tamano.height(), limites); a.hay()) {
            a.motivo = QStringLiteral("Imagen del %1: ").arg(c.nombre) + a.motivo;
            return a;
        }
        if (c.gris && !tono.hay()) {
            const QImage gris = l.imagen.convertToFormat(QImage::Format_Grayscale8);
            tono = juzgaFrontal(
                mideGris(gris.constBits(), gris.width(), gris.height(), gris.bytesPerLine()),
                limites);
        }
    }
    return tono;
}
