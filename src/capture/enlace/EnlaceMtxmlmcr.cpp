#include "EnlaceMtxmlmcr.h"

#include <cstring>

namespace {
// The value the call wrote: its first `largo` bytes, up to the first NUL.
QByteArray valorEscrito(const QByteArray& buffer, uint32_t largo) {
    QByteArray v = buffer.left(
        static_cast<qsizetype>(std::min<uint32_t>(largo, static_cast<uint32_t>(buffer.size()))));
    const qsizetype nulo = v.indexOf('\0');
    return nulo < 0 ? v : v.left(nulo);
}
constexpr int SinBiblioteca = -1;
} // namespace

TEnlaceMtxmlmcr::TEnlaceMtxmlmcr(const QString& configurada, const QString& dirAplicacion,
                                 TRegistroDiagnostico* diagnostico)
    : m_biblioteca(candidatosBiblioteca(configurada, dirAplicacion, NombreFabricante),
                   funciones()) {
    m_biblioteca.fijaDiagnostico(diagnostico, NombreLector);
}

QStringList TEnlaceMtxmlmcr::funciones() {
    return {QStringLiteral("MTMICRGetDevice"),   QStringLiteral("MTMICROpenDevice"),
            QStringLiteral("MTMICRCloseDevice"), QStringLiteral("MTMICRProcessCheck"),
            QStringLiteral("MTMICRGetValue"),    QStringLiteral("MTMICRGetIndexValue"),
            QStringLiteral("MTMICRGetImage")};
}

int TEnlaceMtxmlmcr::getDevice(int indice, QByteArray& nombre) {
    auto f = funcion<MTMICRGetDevice_t>("MTMICRGetDevice");
    if (!f)
        return SinBiblioteca;
    QByteArray buffer(200, '\0');
    const int r = f(indice, buffer.data());
    buffer[199] = '\0';
    nombre = QByteArray(buffer.constData());
    return r;
}

int TEnlaceMtxmlmcr::openDevice(const QByteArray& dispositivo) {
    auto f = funcion<MTMICROpenDevice_t>("MTMICROpenDevice");
    return f ? f(dispositivo.constData()) : SinBiblioteca;
}

int TEnlaceMtxmlmcr::closeDevice(const QByteArray& dispositivo) {
    auto f = funcion<MTMICRCloseDevice_t>("MTMICRCloseDevice");
    return f ? f(dispositivo.constData()) : SinBiblioteca;
}

int TEnlaceMtxmlmcr::processCheck(const QByteArray& dispositivo, const QByteArray& ajustes,
                                  QByteArray& respuesta, uint32_t capacidad) {
    auto f = funcion<MTMICRProcessCheck_t>("MTMICRProcessCheck");
    if (!f)
        return SinBiblioteca;
    QByteArray buffer(static_cast<qsizetype>(capacidad) + 1, '\0');
    uint32_t largo = capacidad;
    const int r = f(dispositivo.constData(), ajustes.constData(), buffer.data(), &largo);
    respuesta = valorEscrito(buffer, std::min(largo, capacidad));
    return r;
}

int TEnlaceMtxmlmcr::getValue(const QByteArray& respuesta, const char* seccion,
                              const QByteArray& clave, QByteArray& valor, uint32_t capacidad) {
    auto f = funcion<MTMICRGetValue_t>("MTMICRGetValue");
    if (!f)
        return SinBiblioteca;
    QByteArray buffer(static_cast<qsizetype>(capacidad) + 1, ' ');
    uint32_t largo = capacidad;
    const int r = f(respuesta.constData(), seccion, clave.constData(), buffer.data(), &largo);
    valor = valorEscrito(buffer, std::min(largo, capacidad));
    return r;
}

int TEnlaceMtxmlmcr::getIndexValue(const QByteArray& respuesta, const char* seccion,
                                   const char* clave, int indice, QByteArray& valor,
                                   uint32_t capacidad) {
    auto f = funcion<MTMICRGetIndexValue_t>("MTMICRGetIndexValue");
    if (!f)
        return SinBiblioteca;
    QByteArray buffer(static_cast<qsizetype>(capacidad) + 1, ' ');
    uint32_t largo = capacidad;
    const int r = f(respuesta.constData(), seccion, clave, indice, buffer.data(), &largo);
    valor = valorEscrito(buffer, std::min(largo, capacidad));
    return r;
}

int TEnlaceMtxmlmcr::getImage(const QByteArray& dispositivo, const QByteArray& url,
                              QByteArray& imagen) {
    auto f = funcion<MTMICRGetImage_t>("MTMICRGetImage");
    if (!f)
        return SinBiblioteca;
    uint32_t tamano = static_cast<uint32_t>(imagen.size());
    const int r = f(dispositivo.constData(), url.constData(), imagen.data(), &tamano);
    if (tamano < static_cast<uint32_t>(imagen.size()))
        imagen.truncate(static_cast<qsizetype>(tamano));
    return r;
}
