#pragma once
// Whether a document image the reader left is fit for the bank, judged from
// its size and its grey levels. A cheque is 150 to 235 mm wide and 70 to 110
// mm high; a reader scans it at 100 to 300 dots per inch. An image far
// outside that was cut short or joined to the next document. A usable front
// is neither almost one colour (a blank sheet, a document fed the wrong way,
// a lamp that failed) nor too dark or too light to read, and carries the
// dark print of the codeline in its bottom strip.
//
// The judgement works on grey levels (0 black, 255 white) already decoded:
// decoding is the caller's (the capture side decodes with the image
// plugins). QtCore only.

#include <QString>

struct tLimitesImagen {
    int pppMinimo = 100;
    int pppMaximo = 300;
    int anchoMinimoMm = 120;
    int anchoMaximoMm = 250;
    int altoMinimoMm = 55;
    int altoMaximoMm = 125;
    // Share (per thousand) of the pixels near the commonest grey level from
    // which a front counts as blank.
    int blancoPorMil = 995;
    // Mean grey level below which a front is dark, above which it is washed
    // out; spread (standard deviation) below which it shows nothing.
    int mediaMinima = 70;
    int mediaMaxima = 250;
    int dispersionMinima = 8;
    // Share (per ten thousand) of dark pixels the bottom strip must have for
    // the codeline to be there.
    int bandaPorDiezMil = 20;
};

// The marks, as the capture window and the editor show them.
namespace AvisoImagen {
inline const QString EnBlanco = QStringLiteral("IMAGEN: en blanco");
inline const QString Oscura = QStringLiteral("IMAGEN: oscura");
inline const QString Tamano = QStringLiteral("IMAGEN: tamaño");
inline const QString Ilegible = QStringLiteral("IMAGEN: ilegible");
inline const QString SinBanda = QStringLiteral("IMAGEN: sin banda");
} // namespace AvisoImagen

// What is wrong with a document's images: the mark and, for the tooltip, why.
// An empty mark is a document whose images passed.
struct tAvisoImagen {
    QString aviso;
    QString motivo;
    bool hay() const { return !aviso.isEmpty(); }
    friend bool operator==(const tAvisoImagen&, const tAvisoImagen&) = default;
};

// What the judgement needs of a grey picture, measured once.
struct tMedidasGris {
    int ancho = 0;
    int alto = 0;
    double media = 0;
    double dispersion = 0;
    // Share of the pixels within a few levels of the commonest one.
    double dominante = 0;
    // Share of dark pixels in the bottom fifth.
    double oscurosBanda = 0;
};

// Measures a grey picture of `alto` rows of `ancho` bytes, `bytesPorLinea`
// apart, visiting every `paso`-th pixel of every `paso`-th row.
tMedidasGris mideGris(const uchar* pixeles, int ancho, int alto, qsizetype bytesPorLinea,
                      int paso = 1);

// Size in pixels against the limits: no mark, or the "tamaño" mark.
tAvisoImagen juzgaTamano(int ancho, int alto, const tLimitesImagen& limites);
// The grey levels of a front: blank, dark or washed out, without codeline.
tAvisoImagen juzgaFrontal(const tMedidasGris& medidas, const tLimitesImagen& limites);
// The mark of an image that could not be read at all.
tAvisoImagen avisoIlegible(const QString& cara, const QString& causa);
