#include "CalidadImagen.h"

#include <array>
#include <cmath>

namespace {
// Grey levels within this distance of the commonest one count as its colour
// (JPEG noise on a plain sheet).
constexpr int MargenDominante = 10;
// Print, as against paper: a reduced picture blurs thin strokes into mid greys.
constexpr int UmbralOscuro = 160;

int pixelesDe(int mm, int ppp) {
    return static_cast<int>(std::lround(mm * ppp / 25.4));
}
} // namespace

tMedidasGris mideGris(const uchar* pixeles, int ancho, int alto, qsizetype bytesPorLinea,
                      int paso) {
    tMedidasGris m;
    m.ancho = ancho;
    m.alto = alto;
    if (!pixeles || ancho <= 0 || alto <= 0)
        return m;
    paso = paso < 1 ? 1 : paso;
    std::array<qint64, 256> histograma{};
    qint64 oscurosBanda = 0;
    qint64 enBanda = 0;
    const int inicioBanda = alto - alto / 5;
    for (int y = 0; y < alto; y += paso) {
        const uchar* fila = pixeles + y * bytesPorLinea;
        const bool banda = y >= inicioBanda;
        for (int x = 0; x < ancho; x += paso) {
            const uchar g = fila[x];
            ++histograma[g];
            if (banda) {
                ++enBanda;
                oscurosBanda += g < UmbralOscuro;
            }
        }
    }
    qint64 total = 0;
    double suma = 0;
    int moda = 0;
    for (int g = 0; g < 256; ++g) {
        total += histograma[g];
        suma += double(g) * double(histograma[g]);
        if (histograma[g] > histograma[moda])
            moda = g;
    }
    m.media = suma / double(total);
    double cuadrados = 0;
    qint64 cercanos = 0;
    for (int g = 0; g < 256; ++g) {
        cuadrados += (g - m.media) * (g - m.media) * double(histograma[g]);
        if (std::abs(g - moda) <= MargenDominante)
            cercanos += histograma[g];
    }
    m.dispersion = std::sqrt(cuadrados / double(total));
    m.dominante = double(cercanos) / double(total);
    m.oscurosBanda = enBanda > 0 ? double(oscurosBanda) / double(enBanda) : 0;
    return m;
}

tAvisoImagen juzgaTamano(int ancho, int alto, const tLimitesImagen& l) {
    const int anchoMin = pixelesDe(l.anchoMinimoMm, l.pppMinimo);
    const int anchoMax = pixelesDe(l.anchoMaximoMm, l.pppMaximo);
    const int altoMin = pixelesDe(l.altoMinimoMm, l.pppMinimo);
    const int altoMax = pixelesDe(l.altoMaximoMm, l.pppMaximo);
    if (ancho >= anchoMin && ancho <= anchoMax && alto >= altoMin && alto <= altoMax)
        return {};
    return {AvisoImagen::Tamano,
            QStringLiteral("La imagen mide %1 × %2 puntos; la de un cheque mide de %3 a %4 de "
                           "ancho y de %5 a %6 de alto: el documento se leyó cortado o junto a "
                           "otro. Vuelva a pasarlo por el lector.")
                .arg(ancho)
                .arg(alto)
                .arg(anchoMin)
                .arg(anchoMax)
                .arg(altoMin)
                .arg(altoMax)};
}

tAvisoImagen juzgaFrontal(const tMedidasGris& m, const tLimitesImagen& l) {
    const QString repase = QStringLiteral(" Vuelva a pasarlo por el lector o acéptelo así.");
    if (m.dominante * 1000 >= l.blancoPorMil || m.dispersion < l.dispersionMinima) {
        if (m.media < l.mediaMinima)
            return {AvisoImagen::Oscura,
                    QStringLiteral("El anverso es todo oscuro (gris medio %1 de 255): el lector "
                                   "no lo iluminó.")
                            .arg(qRound(m.media)) +
                        repase};
        return {AvisoImagen::EnBlanco,
                QStringLiteral("El anverso es casi todo de un color (%1 %): se leyó una hoja en "
                               "blanco o el documento al revés.")
                        .arg(qRound(m.dominante * 1000) / 10.0, 0, 'f', 1) +
                    repase};
    }
    if (m.media < l.mediaMinima)
        return {AvisoImagen::Oscura,
                QStringLiteral("El anverso es demasiado oscuro (gris medio %1 de 255, mínimo %2).")
                        .arg(qRound(m.media))
                        .arg(l.mediaMinima) +
                    repase};
    if (m.media > l.mediaMaxima)
        return {AvisoImagen::EnBlanco,
                QStringLiteral("El anverso es demasiado claro (gris medio %1 de 255, máximo %2).")
                        .arg(qRound(m.media))
                        .arg(l.mediaMaxima) +
                    repase};
    if (m.oscurosBanda * 10000 < l.bandaPorDiezMil)
        return {AvisoImagen::SinBanda,
                QStringLiteral("El anverso no muestra la banda CMC7 en su parte inferior: el "
                               "documento pudo pasar al revés o la imagen no es la suya.") +
                    repase};
    return {};
}

tAvisoImagen avisoIlegible(const QString& cara, const QString& causa) {
    return {AvisoImagen::Ilegible,
            QStringLiteral("No se puede leer la imagen del %1: %2. Vuelva a pasar el documento "
                           "por el lector.")
                .arg(cara, causa)};
}
