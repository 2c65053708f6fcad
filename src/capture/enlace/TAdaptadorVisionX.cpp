#include "TAdaptadorVisionX.h"

#include "CodelineLector.h"
#include "EscrituraSegura.h"
#include "ImagenesTalon.h"
#include "TAdaptadorSB.h"

#include <QDir>
#include <QThread>

#include <cstring>
#include <exception>
#include <mutex>

// The engine's notification carries no context, so the adapter that started
// the engine is kept here; the notification only posts the event to it.
struct NotificacionVisionX {
    static std::mutex mutex;
    static TAdaptadorVisionX* activo;

    static void LECTOR_LLAMADA notifica(uint32_t mensaje, uintptr_t evento, intptr_t argumento) {
        if (mensaje != VAPI_MENSAJE_MOTOR)
            return;
        std::lock_guard<std::mutex> cierre(mutex);
        if (activo)
            QMetaObject::invokeMethod(
                activo, [a = activo, evento, argumento] { a->mensajesVisionX(evento, argumento); },
                Qt::QueuedConnection);
    }
};
std::mutex NotificacionVisionX::mutex;
TAdaptadorVisionX* NotificacionVisionX::activo = nullptr;

TAdaptadorVisionX::TAdaptadorVisionX(TEnlaceVisionAPI& enlace, QObject* parent)
    : QObject(parent), m_enlace(enlace),
      m_destino(reinterpret_cast<VApiDestino>(&NotificacionVisionX::notifica)),
      m_espera([](int ms) { QThread::msleep(ms); }) {}

TAdaptadorVisionX::~TAdaptadorVisionX() {
    std::lock_guard<std::mutex> cierre(NotificacionVisionX::mutex);
    if (NotificacionVisionX::activo == this)
        NotificacionVisionX::activo = nullptr;
}

TParametrosConfig TAdaptadorVisionX::configParametros() {
    TParametrosConfig p;
    std::memset(&p, 0, sizeof p);
    p.habilitarMICR = -1;
    p.fuenteMICR = 0;
    p.guardarFicheroMICR = 0;
    p.tipoEspaciosMICR = 2;
    p.simboloRechazo = '?';
    p.ImagenFrontal1 = {11, 2, 300, 256, 75};
    p.ImagenFrontal2 = {1, 2, 100, 256, 9};
    p.ImagenTrasera1 = {1, 2, 100, 256, 9};
    return p;
}

QByteArray TAdaptadorVisionX::sustituyeCaracteresMICR(const QByteArray& codeline) {
    QByteArray c = codeline;
    c.replace('<', '+').replace('>', '#').replace(';', '-').replace(':', '>');
    // Blanks inside the digit spans are unreadable digits.
    const int tramos[][2] = {{2, 8}, {10, 13}, {16, 19}, {22, 31}, {34, 37}};
    for (const auto& tramo : tramos)
        for (int i = tramo[0]; i <= tramo[1] && i <= c.size(); ++i)
            if (c[i - 1] == ' ')
                c[i - 1] = '?';
    return c;
}

bool TAdaptadorVisionX::enciendeEscaner() {
    TListaDispositivos lista{};
    uint32_t cuenta = 0;
    m_enlace.VApiGetDeviceList(lista, 15, cuenta);
    if (lista.presente == 0) {
        m_espera(EsperaReintento);
        m_enlace.VApiGetDeviceList(lista, 15, cuenta);
    }
    if (lista.presente == 0) {
        m_encendido = false;
        return false;
    }
    if (!m_encendido) {
        {
            std::lock_guard<std::mutex> cierre(NotificacionVisionX::mutex);
            NotificacionVisionX::activo = this;
        }
        m_idDispositivo = m_enlace.StartUp(m_destino, VAPI_MENSAJE_MOTOR);
        m_encendido = true;
    }
    return true;
}

QByteArray TAdaptadorVisionX::estadoDispositivo() {
    char buffer[200] = {};
    if (!m_enlace.GetDeviceStateString(m_idDispositivo, buffer, 199))
        return QByteArray();
    return QByteArray(buffer, static_cast<qsizetype>(strnlen(buffer, sizeof buffer)));
}

void TAdaptadorVisionX::errorAPI(int codigo, const QString& llamada) {
    QByteArray buffer(10000, '\0');
    const QString texto = m_enlace.GetEngineApiErrorString(codigo, buffer.data(), 9999)
                              ? QString::fromLocal8Bit(buffer.constData())
                              : MensajeErrorAPI;
    m_enlace.biblioteca().anotaError(llamada, codigo, texto);
    emit mensaje(texto);
}

void TAdaptadorVisionX::fallo(const QString& llamada, const QString& texto) {
    m_enlace.biblioteca().anotaError(llamada, 0, texto);
    emit mensaje(texto);
}

bool TAdaptadorVisionX::leerCheques(const QString& carpetaImagenes,
                                    const QStringList& lineasEnLista) {
    m_carpetaImagenes = carpetaImagenes;
    m_ultimaSecuencia = ultimaSecuenciaDe(lineasEnLista);
    if (!m_enlace.OnLine(m_idDispositivo)) {
        fallo(QStringLiteral("OnLine"), m_encendido ? MensajeEspera : MensajeSinLector);
        return false;
    }
    if (m_enlace.StartFeeding(m_idDispositivo))
        return true;
    fallo(QStringLiteral("StartFeeding"), MensajeAtascado);
    return false;
}

void TAdaptadorVisionX::parar() {
    if (estadoDispositivo() == "Feeding" && !m_enlace.StopFeeding(m_idDispositivo))
        fallo(QStringLiteral("StopFeeding"), MensajeNoPara);
}

void TAdaptadorVisionX::desatascar() {
    if (estadoDispositivo() == "OnLine" && !m_enlace.FreeTrack(m_idDispositivo, 1))
        fallo(QStringLiteral("FreeTrack"), MensajeNoDesatasca);
}

void TAdaptadorVisionX::reiniciar() {
    if (estadoDispositivo() == "Feeding")
        return;
    if (m_enlace.ShutDown(m_idDispositivo))
        m_idDispositivo = m_enlace.StartUp(m_destino, VAPI_MENSAJE_MOTOR);
}

void TAdaptadorVisionX::mensajesVisionX(uintptr_t evento, intptr_t argumento) {
    try {
        switch (evento) {
        case VAPI_EVENTO_PARAMETROS:
            if (m_enlace.ChangeParameters(m_idDispositivo)) {
                if (!m_enlace.SetDeviceParameters(m_idDispositivo, configParametros()))
                    fallo(QStringLiteral("SetDeviceParameters"), MensajeParametros);
            } else {
                errorAPI(0, QStringLiteral("ChangeParameters"));
            }
            break;
        case VAPI_EVENTO_CODELINE:
            eventoCodeline();
            break;
        case VAPI_EVENTO_BOLSILLO:
            if (!m_enlace.SetPocket(m_idDispositivo, argumento, 1))
                errorAPI(0, QStringLiteral("SetPocket"));
            break;
        case VAPI_EVENTO_IMAGENES:
            eventoImagenes(reinterpret_cast<const TPInfoImagen*>(argumento));
            break;
        default:
            break;
        }
    } catch (const std::exception& e) {
        emit mensaje(QStringLiteral("Error en la comunicación de los mensajes del dispositivo: ") +
                     QString::fromLocal8Bit(e.what()));
    }
}

void TAdaptadorVisionX::eventoCodeline() {
    char buffer[46] = {};
    if (!m_enlace.GetMicrCodeline(m_idDispositivo, buffer, 45)) {
        m_lineaPendiente = 0;
        m_avisado = true;
        fallo(QStringLiteral("GetMicrCodeline"), MensajeCodeline);
        return;
    }
    // Cleaned after the substitution, which works on the reader's positions.
    m_codigoMICR = limpiaCodelineLector(sustituyeCaracteresMICR(QByteArray(
                                            buffer, static_cast<qsizetype>(strnlen(buffer, 46)))))
                       .toLatin1();
    m_lineaPendiente = ++m_ultimaSecuencia;
    m_avisado = false;
    emit lineaLeida(QString::fromLatin1(m_codigoMICR) + QChar(0x00AC) +
                        QString::number(m_lineaPendiente),
                    m_lineaPendiente);
}

void TAdaptadorVisionX::eventoImagenes(const TPInfoImagen* registro) {
    const int n = m_lineaPendiente;
    m_lineaPendiente = 0;
    if (registro && n > 0) {
        if (!guardarImagenes(*registro, n))
            emit mensaje(MensajeImagenes + QString::fromLatin1(m_codigoMICR));
    } else if (!m_avisado) {
        emit mensaje(MensajeDocumentoNoLeido);
    }
    m_avisado = false;
    m_enlace.FreeImagesBuffer(registro);
}

bool TAdaptadorVisionX::guardarImagenes(const TPInfoImagen& registro, int n) {
    if (!registro.Imagenes)
        return false;
    struct {
        QString nombre;
        const char* error;
    } const ficheros[] = {
        {ImagenCheque::FrontalJpg.nombre(QString::number(n)),
         "Frontal 1: Error al crear la imagen."},
        {ImagenCheque::FrontalTif.nombre(QString::number(n)),
         "Frontal 2: Error al crear la imagen."},
        {ImagenCheque::TraseroTif.nombre(QString::number(n)),
         "Trasera 1: Error al crear la imagen."},
    };
    bool todas = true;
    for (int i = 0; i < 3; ++i) {
        const TParImagen& par = registro.Imagenes[i];
        if (!creaImagen(ficheros[i].nombre, par.datos, par.bytes)) {
            emit mensaje(QString::fromUtf8(ficheros[i].error));
            todas = false;
        }
    }
    return todas;
}

bool TAdaptadorVisionX::creaImagen(const QString& nombre, const uint8_t* datos, int32_t bytes) {
    if (m_carpetaImagenes.isEmpty() || (!datos && bytes != 0) || bytes < 0) {
        emit mensaje(QStringLiteral("Error: imagen no válida"));
        return false;
    }
    const auto error =
        escribeFicheroEntero(QDir(m_carpetaImagenes).filePath(nombre),
                             QByteArray::fromRawData(reinterpret_cast<const char*>(datos), bytes));
    if (error)
        emit mensaje(QStringLiteral("Error: ") + *error);
    return !error;
}
