#include "TfrmScanerVisionX.h"

#include "Accesibilidad.h"
#include "CajaMensajes.h"
#include "IInterfazUsuario.h"
#include "TAdaptadorVisionX.h"
#include "TdmBBDD.h"
#include "TextosCaptura.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

tComportamientoCaptura comportamientoVisionX() {
    tComportamientoCaptura c;
    c.variante = VarianteLectura::Normal;
    c.todos = true;
    // The lines Save could not store stay, with their images, until the
    // operator clears them.
    c.avisoLargo = true;
    return c;
}

} // namespace

TfrmScanerVisionX::TfrmScanerVisionX(TdmBBDD& dm, TEnlaceVisionAPI& enlace, QWidget* parent)
    : TfrmCaptura(dm, Caption, comportamientoVisionX(), parent),
      adaptador_(std::make_unique<TAdaptadorVisionX>(enlace)) {
    setObjectName(QStringLiteral("frmScanerVisionX"));
    btnParar = new QPushButton(QStringLiteral("&Parar"), this);
    btnParar->setObjectName(QStringLiteral("btnParar"));
    btnDesatascar = new QPushButton(QStringLiteral("&Desatascar"), this);
    btnDesatascar->setObjectName(QStringLiteral("btnDesatascar"));
    btnReiniciar = new QPushButton(QStringLiteral("&Reiniciar"), this);
    btnReiniciar->setObjectName(QStringLiteral("btnReiniciar"));
    for (QPushButton* b : {btnParar, btnDesatascar, btnReiniciar})
        anadeBotonLector(b);
    connect(btnParar, &QPushButton::clicked, this,
            [this] { boton([this] { adaptador_->parar(); }); });
    connect(btnDesatascar, &QPushButton::clicked, this,
            [this] { boton([this] { adaptador_->desatascar(); }); });
    connect(btnReiniciar, &QPushButton::clicked, this,
            [this] { boton([this] { adaptador_->reiniciar(); }); });

    anadeLineaEstado();
    tmrAlimentacion_ = new QTimer(this);
    tmrAlimentacion_->setInterval(IntervaloAlimentacion);
    connect(tmrAlimentacion_, &QTimer::timeout, this, &TfrmScanerVisionX::compruebaAlimentacion);

    // The adapter numbers the lines and names the images with the same number.
    connect(adaptador_.get(), &TAdaptadorVisionX::lineaLeida, this, [this](const QString& linea) {
        ++documentos_;
        recibeLineaLector(linea);
        muestraEstado();
    });
    connect(adaptador_.get(), &TAdaptadorVisionX::mensaje, this, &TfrmScanerVisionX::avisa);
    // The 5-second retry when no reader is listed happens at start-up: the
    // wait window says that the program is working meanwhile.
    adaptador_->fijaEspera([this](int ms) {
        this->dm().iu().lanzaVentanaEsperar();
        // Windows keep painting; the operator's clicks and keys wait.
        QElapsedTimer reloj;
        reloj.start();
        while (reloj.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
            QThread::msleep(20);
        }
        this->dm().iu().CierraVentanaEsperar();
    });
#ifdef Q_OS_WIN
    adaptador_->fijaDestino(static_cast<VApiDestino>(winId()));
#endif
    Accesibilidad::hazAccesible(this);
}

TfrmScanerVisionX::~TfrmScanerVisionX() = default;

QStringList TfrmScanerVisionX::textoAyuda() const {
    return TextosCaptura::ayudaTolva();
}

bool TfrmScanerVisionX::enciendeEscaner() {
    bool encendido = false;
    boton([&] { encendido = adaptador_->enciendeEscaner(); });
    return encendido;
}

void TfrmScanerVisionX::leer() {
    if (alimentando_)
        return;
    bool empezada = false;
    boton([&] {
        empezada = adaptador_->leerCheques(dm().instalacion().dirs.Dir_Imagenes_tmp,
                                           lista() + lineasEnEspera());
    });
    if (empezada) {
        alimentando_ = true;
        haLeido_ = true;
        documentos_ = 0;
        tmrAlimentacion_->start();
    }
    muestraEstado();
}

void TfrmScanerVisionX::compruebaAlimentacion() {
    if (adaptador_->estadoDispositivo() == "Feeding")
        return;
    tmrAlimentacion_->stop();
    // The engine posted its last events before it left "Feeding": the feed
    // ends after them.
    QMetaObject::invokeMethod(this, &TfrmScanerVisionX::finDeAlimentacion, Qt::QueuedConnection);
}

void TfrmScanerVisionX::finDeAlimentacion() {
    alimentando_ = false;
    muestraEstado();
}

void TfrmScanerVisionX::muestraEstado() {
    muestraEstadoLector(haLeido_ ? documentos_ : -1);
}

void TfrmScanerVisionX::alMostrar() {
    haLeido_ = alimentando_;
    muestraEstado();
}

void TfrmScanerVisionX::alCerrar() {
    // Documents fed after the window closed would only be cleared at the
    // next showing: they stay in the hopper instead.
    if (alimentando_)
        boton([this] { adaptador_->parar(); });
}

template <class F> void TfrmScanerVisionX::boton(F trabajo) {
    enBoton_ = true;
    trabajo();
    enBoton_ = false;
}

void TfrmScanerVisionX::avisa(const QString& texto) {
    if (enBoton_) {
        CajaMensajes(dm().estado(), this).muestraMensaje(texto);
        return;
    }
    // An engine event: its box opens once the event has been handled.
    pendientes_.append(texto);
    if (pendientes_.size() == 1 && !mostrando_)
        QMetaObject::invokeMethod(this, &TfrmScanerVisionX::muestraPendientes,
                                  Qt::QueuedConnection);
}

void TfrmScanerVisionX::muestraPendientes() {
    if (mostrando_)
        return;
    mostrando_ = true;
    while (!pendientes_.isEmpty())
        CajaMensajes(dm().estado(), this).muestraMensaje(pendientes_.takeFirst());
    mostrando_ = false;
}

#ifdef Q_OS_WIN
bool TfrmScanerVisionX::nativeEvent(const QByteArray& tipo, void* mensaje, qintptr* resultado) {
    const MSG* m = static_cast<const MSG*>(mensaje);
    if (m->message == VAPI_MENSAJE_MOTOR) {
        adaptador_->mensajesVisionX(static_cast<uintptr_t>(m->wParam),
                                    static_cast<intptr_t>(m->lParam));
        *resultado = 0;
        return true;
    }
    return TfrmCaptura::nativeEvent(tipo, mensaje, resultado);
}
#endif
