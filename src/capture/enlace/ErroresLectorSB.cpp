#include "ErroresLectorSB.h"

#include <QStringList>

namespace {

struct tErrorLector {
    int codigo;
    const char16_t* texto;
};

// The library's own texts. 16384 has two texts: the later one stands.
constexpr tErrorLector Errores[] = {
    {2, u"Bloqueo en alimentador Automatico."},
    {4, u"Casilla 0 va a llenarse"},
    {8, u" Casilla 1 va a llenarse"},
    {16, u"Error en proceso Scanner"},
    {32, u"Casilla 0 llena"},
    {64, u"Casilla 1 llena"},
    {512, u"Codeline no recibida.. Timeout.."},
    {1024, u"Atasco en zona transmisión"},
    {2048, u"Error de fichero en Disco.."},
    {4096, u"Documento doble"},
    {8192, u"Error en Scasi I/O.."},
    {16384, u" Error ..."},
    {32768, u"Error en Imagen"},
    {65536, u" Error..."},
    {131072, u" Error de Allocation"},
    {262144, u" Error en TIFF"},
    {524288, u"Error en proceso de Escaneo... Repetir Documento.."},
};

} // namespace

QString textoErrorLectorSB(int codigo) {
    QStringList textos;
    for (const tErrorLector& e : Errores)
        if (codigo & e.codigo)
            textos << QString::fromUtf16(e.texto);
    if (textos.isEmpty())
        return QStringLiteral("Error del lector (código %1)").arg(codigo);
    return textos.join(QChar(u'\n'));
}
