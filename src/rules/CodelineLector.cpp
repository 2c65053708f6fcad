#include "CodelineLector.h"

QString limpiaCodelineLector(const QByteArray& bytes) {
    const auto byte = [&bytes](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    qsizetype largo = bytes.size();
    while (largo > 0 && byte(largo - 1) <= 0x20)
        --largo;
    const bool cortado = largo > CodelineLector::LongitudMaxima;
    if (cortado)
        largo = CodelineLector::LongitudMaxima - 1;
    QString linea;
    linea.reserve(largo + 1);
    for (qsizetype i = 0; i < largo; ++i)
        linea += byte(i) >= 0x20 && byte(i) < 0x7F ? QChar(byte(i)) : QChar(u'?');
    if (cortado)
        linea += QChar(u'?');
    return linea;
}
