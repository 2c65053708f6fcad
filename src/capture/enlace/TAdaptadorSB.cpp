#include "TAdaptadorSB.h"

#include "CodelineLector.h"
#include "ErroresLectorSB.h"
#include "ImagenesTalon.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <cstring>

namespace {
// Names of the images of a document that adds no line: the storing step
// never reads them, and each such document replaces the last one's.
const QString DescartadaFrontal = QStringLiteral("descartadaF");
const QString DescartadaTrasera = QStringLiteral("descartadaT");
} // namespace

QString codelineDeBiblioteca(const char* texto) {
    if (!texto)
        return QStringLiteral("?");
    // Read a little past the limit only: a runaway text is cut anyway.
    const std::size_t largo = strnlen(texto, CodelineLector::LongitudMaxima + 64);
    return limpiaCodelineLector(QByteArray::fromRawData(texto, static_cast<qsizetype>(largo)));
}

int ultimaSecuenciaDe(const QStringList& lineas) {
    int ultima = static_cast<int>(lineas.size());
    for (const QString& linea : lineas) {
        const qsizetype marca = linea.lastIndexOf(QChar(0x00AC));
        bool ok = false;
        const int n = marca < 0 ? 0 : linea.mid(marca + 1).toInt(&ok);
        if (ok && n > ultima)
            ultima = n;
    }
    return ultima;
}

// The handlers that the library calls. Its C interface carries no context
// with a handler, so the adapter that registered them is kept here; the lock
// is held for each whole call, so the adapter cannot go away in the middle of
// one. A handler never waits for the user-interface thread, so the lock never
// waits on it either.
struct ManejadoresSB {
    static std::mutex mutex;
    static TAdaptadorSB* activo;

    template <typename F> static int conActivo(F f) {
        std::lock_guard<std::mutex> cierre(mutex);
        if (activo)
            f(*activo);
        return 0;
    }
    static int LECTOR_LLAMADA linea(const char* texto) {
        return conActivo([texto](TAdaptadorSB& a) { a.enLinea(texto); });
    }
    static int LECTOR_LLAMADA error(int32_t codigo) {
        return conActivo([codigo](TAdaptadorSB& a) { a.enError(codigo); });
    }
    static int LECTOR_LLAMADA alimentadorVacio(int32_t) {
        return conActivo([](TAdaptadorSB& a) { a.enAlimentadorVacio(); });
    }
    static int LECTOR_LLAMADA finLectura(int32_t) {
        return conActivo([](TAdaptadorSB& a) { a.enFinLectura(); });
    }
    static int LECTOR_LLAMADA imagenGuardada(int32_t) {
        return conActivo([](TAdaptadorSB& a) { a.enImagenGuardada(); });
    }
    static int LECTOR_LLAMADA documentoHecho(int32_t) {
        return conActivo([](TAdaptadorSB& a) { a.enDocumentoHecho(); });
    }
};
std::mutex ManejadoresSB::mutex;
TAdaptadorSB* ManejadoresSB::activo = nullptr;

TAdaptadorSB::TAdaptadorSB(TEnlaceRd3lib& enlace, QObject* parent)
    : QObject(parent), m_enlace(enlace) {}

TAdaptadorSB::~TAdaptadorSB() {
    std::lock_guard<std::mutex> cierre(ManejadoresSB::mutex);
    if (ManejadoresSB::activo == this)
        ManejadoresSB::activo = nullptr;
}

void TAdaptadorSB::alCrearVentana() {
    m_prefs = ScannerPrefs{};
    if (!m_enlace.cargada())
        return;
    try {
        m_enlace.rdConfigAPI(RD3_CONFIGURACION_API, 1);
    } catch (const ErrorEnlace& e) {
        emit mensaje(e.texto());
    }
}

bool TAdaptadorSB::compruebaEstadoEscaner() {
    if (!m_enlace.cargada())
        return false;
    const int r = m_enlace.rdInit(-1);
    if (r != RD3_SIN_LECTOR_1 && r != RD3_SIN_LECTOR_2)
        return true;
    m_enlace.biblioteca().anotaError(QStringLiteral("rdInit"), r, MensajeSinLector);
    return false;
}

template <typename Paso> void TAdaptadorSB::pasoGuardado(const QString& prefijo, Paso paso) {
    try {
        paso();
    } catch (const ErrorEnlace& e) {
        emit mensaje(prefijo + e.texto());
    }
}

void TAdaptadorSB::cargaParametros(const QString& carpetaImagenes) {
    QString carpeta = QDir::toNativeSeparators(carpetaImagenes);
    if (!carpeta.endsWith(QDir::separator()))
        carpeta += QDir::separator();
    m_enlace.rdDoubleDetect(m_prefs.Double);
    m_enlace.rdsCameraSetup(0, 1, 0, 0);
    m_enlace.rdsImageDirectory(RD3_TODAS_CAMARAS, carpeta);
    m_enlace.rdsImageSetup(RD3_CAMARA_FRONTAL_1, 100, RD3_FORMATO_CAMARAS_1_4, RD3_OPCION_IMAGEN);
    m_enlace.rdsImageSetup(RD3_CAMARA_FRONTAL_2, 100, RD3_FORMATO_CAMARAS_2_8, RD3_OPCION_IMAGEN);
    m_enlace.rdsImageSetup(RD3_CAMARA_TRASERA_1, 100, RD3_FORMATO_CAMARAS_1_4, RD3_OPCION_IMAGEN);
    m_enlace.rdsImageSetup(RD3_CAMARA_TRASERA_2, 100, RD3_FORMATO_CAMARAS_2_8, RD3_OPCION_IMAGEN);
    m_enlace.rdsScanDimensionsMM(200, 90, 0, 0);
}

void TAdaptadorSB::registraManejadores() {
    {
        std::lock_guard<std::mutex> cierre(ManejadoresSB::mutex);
        ManejadoresSB::activo = this;
    }
    m_enlace.rdOnCodeLine(&ManejadoresSB::linea);
    m_enlace.rdOnError(&ManejadoresSB::error);
    m_enlace.rdOnFeederEmpty(&ManejadoresSB::alimentadorVacio);
    m_enlace.rdOnAllDone(&ManejadoresSB::finLectura);
    m_enlace.rdOnImageStored(2, &ManejadoresSB::imagenGuardada);
    m_enlace.rdOnDocumentDone(&ManejadoresSB::documentoHecho);
}

bool TAdaptadorSB::leerCheques(const QString& carpetaImagenes, const QStringList& lineasEnLista) {
    if (!m_enlace.cargada()) {
        emit mensaje(MensajeSinLector);
        return false;
    }
    // 1. The presence check, until one run has passed it.
    if (m_primeraLectura) {
        if (!compruebaEstadoEscaner()) {
            emit mensaje(MensajeSinLector);
            return false;
        }
        m_primeraLectura = false;
    }
    try {
        pasoGuardado(PrefijoReset, [this] { m_enlace.rdReset(0); });                         // 2
        pasoGuardado(PrefijoCargaParametros, [&] { cargaParametros(carpetaImagenes); });     // 3
        pasoGuardado(PrefijoOperation, [this] { m_enlace.rdOperation(m_prefs.Operation); }); // 4
        pasoGuardado(PrefijoGetLineMode, [this] { m_enlace.rdGetLineMode(0); });             // 5
        registraManejadores();                                                               // 6
        m_enlace.rdsSetSort(m_prefs.SortPocket);                                             // 7
        pasoGuardado(PrefijoReadMode, [this] { m_enlace.rdReadMode(1); });                   // 8
    } catch (const ErrorEnlace& e) {
        emit mensaje(e.texto());
        return false;
    }
    // 9. Error flag and reading state cleared; numbering continues the list.
    {
        std::lock_guard<std::mutex> cierre(m_mutexCarpeta);
        m_carpetaImagenes = carpetaImagenes;
    }
    m_error = false;
    m_leyendo = true;
    m_documentos = 0;
    m_imagenes = 0;
    m_ultimaSecuencia = ultimaSecuenciaDe(lineasEnLista);
    m_aceptaLineas = true;
    pasoGuardado(PrefijoStart, [this] { m_enlace.rdStart(); }); // 10
    return true;
}

void TAdaptadorSB::desatascar() {
    try {
        m_enlace.rdEject();
    } catch (const ErrorEnlace& e) {
        emit mensaje(e.texto());
    }
}

void TAdaptadorSB::parar() {
    m_leyendo = false;
    try {
        m_enlace.rdStop();
    } catch (const ErrorEnlace& e) {
        emit mensaje(e.texto());
    }
}

void TAdaptadorSB::reiniciar() {
    m_prefs = ScannerPrefs{};
    if (!m_enlace.cargada()) {
        emit mensaje(MensajeSinLector);
        return;
    }
    try {
        m_enlace.rdConfigAPI(RD3_CONFIGURACION_API, 1);
        m_enlace.rdInit(-1);
    } catch (const ErrorEnlace& e) {
        emit mensaje(e.texto());
    }
}

void TAdaptadorSB::cierraVentana() {
    m_aceptaLineas = false;
}

// ---- Library's thread ----

void TAdaptadorSB::quitaImagenes(int secuencia) {
    QString carpeta;
    {
        std::lock_guard<std::mutex> cierre(m_mutexCarpeta);
        carpeta = m_carpetaImagenes;
    }
    if (carpeta.isEmpty())
        return;
    const QDir dir(carpeta);
    // The cheque's three files and the back JPEG the reader also writes.
    using namespace ImagenCheque;
    for (const QStringView prefijo : {PrefijoFrontal, PrefijoTrasero})
        for (const QStringView ext : {ExtensionJpg, ExtensionTif})
            QFile::remove(
                dir.filePath(tFicheroImagen{prefijo, ext}.nombre(QString::number(secuencia))));
}

void TAdaptadorSB::nombraImagenes(const QString& frontal, const QString& trasera) {
    m_enlace.rdsImageNameFormat(RD3_CAMARA_FRONTAL_1, frontal);
    m_enlace.rdsImageNameFormat(RD3_CAMARA_FRONTAL_2, frontal);
    m_enlace.rdsImageNameFormat(RD3_CAMARA_TRASERA_1, trasera);
    m_enlace.rdsImageNameFormat(RD3_CAMARA_TRASERA_2, trasera);
    m_enlace.rdsBinarizationSetup(RD3_CAMARA_FRONTAL_2, 1, 60);
    m_enlace.rdsBinarizationSetup(RD3_CAMARA_TRASERA_2, 1, 60);
}

void TAdaptadorSB::enLinea(const char* texto) {
    const QString codeline = codelineDeBiblioteca(texto);
    try {
        if (!m_aceptaLineas) {
            nombraImagenes(DescartadaFrontal, DescartadaTrasera);
            return;
        }
        const int n = ++m_ultimaSecuencia;
        const QString linea = codeline + QChar(0x00AC) + QString::number(n);
        QMetaObject::invokeMethod(
            this,
            [this, linea, n] {
                if (m_aceptaLineas)
                    emit lineaLeida(linea, n);
            },
            Qt::QueuedConnection);
        // No file of an earlier document may stand under this number.
        quitaImagenes(n);
        QThread::msleep(EsperaNombreImagenes);
        nombraImagenes(ImagenCheque::PrefijoFrontal.toString() + QString::number(n),
                       ImagenCheque::PrefijoTrasero.toString() + QString::number(n));
    } catch (const ErrorEnlace& e) {
        const QString texto = e.texto();
        QMetaObject::invokeMethod(
            this, [this, texto] { emit mensaje(texto); }, Qt::QueuedConnection);
    }
}

void TAdaptadorSB::enError(int codigo) {
    m_error = true;
    const QString texto = textoErrorLectorSB(codigo);
    m_enlace.biblioteca().anotaError(QStringLiteral("el aviso de error (rdOnError)"), codigo,
                                     texto);
    QMetaObject::invokeMethod(
        this, [this, codigo, texto] { emit errorLector(codigo, texto); }, Qt::QueuedConnection);
}

void TAdaptadorSB::enAlimentadorVacio() {
    m_leyendo = false;
    QMetaObject::invokeMethod(
        this, [this] { emit alimentadorVacio(); }, Qt::QueuedConnection);
}

void TAdaptadorSB::enFinLectura() {
    m_leyendo = false;
    QMetaObject::invokeMethod(
        this, [this] { emit lecturaTerminada(); }, Qt::QueuedConnection);
}

void TAdaptadorSB::enImagenGuardada() {
    const int n = ++m_imagenes;
    QMetaObject::invokeMethod(
        this, [this, n] { emit imagenGuardada(n); }, Qt::QueuedConnection);
}

void TAdaptadorSB::enDocumentoHecho() {
    const int n = ++m_documentos;
    QMetaObject::invokeMethod(
        this, [this, n] { emit documentoHecho(n); }, Qt::QueuedConnection);
}
