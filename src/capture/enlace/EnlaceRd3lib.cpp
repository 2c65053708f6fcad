#include "EnlaceRd3lib.h"

#include <QFile>

QStringList TEnlaceRd3lib::funciones() {
    return {
        QStringLiteral("rdConfigAPI"),
        QStringLiteral("rdInit"),
        QStringLiteral("rdReset"),
        QStringLiteral("rdDoubleDetect"),
        QStringLiteral("rdsCameraSetup"),
        QStringLiteral("rdsImageDirectory"),
        QStringLiteral("rdsImageSetup"),
        QStringLiteral("rdsScanDimensionsMM"),
        QStringLiteral("rdOperation"),
        QStringLiteral("rdGetLineMode"),
        QStringLiteral("rdOnCodeLine"),
        QStringLiteral("rdOnError"),
        QStringLiteral("rdOnFeederEmpty"),
        QStringLiteral("rdOnAllDone"),
        QStringLiteral("rdOnImageStored"),
        QStringLiteral("rdOnDocumentDone"),
        QStringLiteral("rdsSetSort"),
        QStringLiteral("rdReadMode"),
        QStringLiteral("rdStart"),
        QStringLiteral("rdsImageNameFormat"),
        QStringLiteral("rdsBinarizationSetup"),
        QStringLiteral("rdStop"),
        QStringLiteral("rdEject"),
    };
}

TEnlaceRd3lib::TEnlaceRd3lib(const QString& configurada, const QString& dirAplicacion,
                             TRegistroDiagnostico* diagnostico)
    : m_biblioteca(candidatosBiblioteca(configurada, dirAplicacion, NombreFabricante),
                   funciones()) {
    m_biblioteca.fijaDiagnostico(diagnostico, NombreLector);
}

template <typename F> F TEnlaceRd3lib::resuelta(const char* nombre) const {
    const QFunctionPointer f = m_biblioteca.funcion(nombre);
    if (!f)
        throw ErrorEnlace(QStringLiteral("no está cargada la biblioteca del lector (%1).")
                              .arg(QString::fromLatin1(nombre)));
    return reinterpret_cast<F>(f);
}

void TEnlaceRd3lib::compruebaResultado(const char* nombre, int resultado) const {
    if (resultado >= 0)
        return;
    const QString llamada = QString::fromLatin1(nombre);
    const QString texto = QStringLiteral("la función %1 del lector falló con el código %2.")
                              .arg(llamada)
                              .arg(resultado);
    m_biblioteca.anotaError(llamada, resultado, texto);
    throw ErrorEnlace(texto);
}

// One status call: resolve, call, check.
#define RD3_LLAMA(nombre, tipo, ...)                                                               \
    compruebaResultado(#nombre, resuelta<tipo>(#nombre)(__VA_ARGS__))

void TEnlaceRd3lib::rdConfigAPI(int codigo, int valor) {
    RD3_LLAMA(rdConfigAPI, rdConfigAPI_t, codigo, valor);
}

int TEnlaceRd3lib::rdInit(int modo) {
    const QFunctionPointer f = m_biblioteca.funcion("rdInit");
    return f ? reinterpret_cast<rdInit_t>(f)(modo) : RD3_SIN_LECTOR_2;
}

void TEnlaceRd3lib::rdReset(int modo) {
    RD3_LLAMA(rdReset, rdReset_t, modo);
}
void TEnlaceRd3lib::rdDoubleDetect(int nivel) {
    RD3_LLAMA(rdDoubleDetect, rdDoubleDetect_t, nivel);
}
void TEnlaceRd3lib::rdsCameraSetup(int a, int b, int c, int d) {
    RD3_LLAMA(rdsCameraSetup, rdsCameraSetup_t, a, b, c, d);
}
void TEnlaceRd3lib::rdsImageDirectory(int camaras, const QString& carpeta) {
    const QByteArray texto = QFile::encodeName(carpeta);
    RD3_LLAMA(rdsImageDirectory, rdsImageDirectory_t, camaras, texto.constData());
}
void TEnlaceRd3lib::rdsImageSetup(int camara, int dpi, int formato, int opciones) {
    RD3_LLAMA(rdsImageSetup, rdsImageSetup_t, camara, dpi, formato, opciones);
}
void TEnlaceRd3lib::rdsScanDimensionsMM(int ancho, int alto, int x, int y) {
    RD3_LLAMA(rdsScanDimensionsMM, rdsScanDimensionsMM_t, ancho, alto, x, y);
}
void TEnlaceRd3lib::rdOperation(int operacion) {
    RD3_LLAMA(rdOperation, rdOperation_t, operacion);
}
void TEnlaceRd3lib::rdGetLineMode(int modo) {
    RD3_LLAMA(rdGetLineMode, rdGetLineMode_t, modo);
}
void TEnlaceRd3lib::rdOnCodeLine(rdManejadorLinea manejador) {
    RD3_LLAMA(rdOnCodeLine, rdOnCodeLine_t, manejador);
}
void TEnlaceRd3lib::rdOnError(rdManejadorEvento manejador) {
    RD3_LLAMA(rdOnError, rdOnEvento_t, manejador);
}
void TEnlaceRd3lib::rdOnFeederEmpty(rdManejadorEvento manejador) {
    RD3_LLAMA(rdOnFeederEmpty, rdOnEvento_t, manejador);
}
void TEnlaceRd3lib::rdOnAllDone(rdManejadorEvento manejador) {
    RD3_LLAMA(rdOnAllDone, rdOnEvento_t, manejador);
}
void TEnlaceRd3lib::rdOnImageStored(int modo, rdManejadorEvento manejador) {
    RD3_LLAMA(rdOnImageStored, rdOnImageStored_t, modo, manejador);
}
void TEnlaceRd3lib::rdOnDocumentDone(rdManejadorEvento manejador) {
    RD3_LLAMA(rdOnDocumentDone, rdOnEvento_t, manejador);
}
void TEnlaceRd3lib::rdsSetSort(int casilla) {
    RD3_LLAMA(rdsSetSort, rdsSetSort_t, casilla);
}
void TEnlaceRd3lib::rdReadMode(int modo) {
    RD3_LLAMA(rdReadMode, rdReadMode_t, modo);
}
void TEnlaceRd3lib::rdStart() {
    RD3_LLAMA(rdStart, rdSinArgumentos_t);
}
void TEnlaceRd3lib::rdsImageNameFormat(int camara, const QString& nombre) {
    const QByteArray texto = QFile::encodeName(nombre);
    RD3_LLAMA(rdsImageNameFormat, rdsImageNameFormat_t, camara, texto.constData());
}
void TEnlaceRd3lib::rdsBinarizationSetup(int camara, int metodo, int umbral) {
    RD3_LLAMA(rdsBinarizationSetup, rdsBinarizationSetup_t, camara, metodo, umbral);
}
void TEnlaceRd3lib::rdStop() {
    RD3_LLAMA(rdStop, rdSinArgumentos_t);
}
void TEnlaceRd3lib::rdEject() {
    RD3_LLAMA(rdEject, rdSinArgumentos_t);
}
