#include "TVerificadorImagenes.h"

#include "VerificacionImagenes.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMetaObject>

TVerificadorImagenes::TVerificadorImagenes(QObject* parent) : QObject(parent) {
    qRegisterMetaType<tAvisoImagen>("tAvisoImagen");
    trabajador_ = new QObject;
    trabajador_->moveToThread(&hilo_);
    connect(&hilo_, &QThread::finished, trabajador_, &QObject::deleteLater);
    hilo_.setObjectName(QStringLiteral("VerificadorImagenes"));
    hilo_.start(QThread::LowPriority);
}

TVerificadorImagenes::~TVerificadorImagenes() {
    hilo_.quit();
    hilo_.wait();
}

void TVerificadorImagenes::verifica(const QString& carpeta, const QString& secuencia) {
    ++pendientes_;
    const tLimitesImagen limites = limites_;
    // The destructor waits for the thread, so `this` outlives every check;
    // a verdict posted to it after that is dropped with its events.
    const int ronda = ronda_;
    QMetaObject::invokeMethod(trabajador_, [this, carpeta, secuencia, limites, ronda] {
        const tAvisoImagen aviso = verificaImagenesLeidas(carpeta, secuencia, limites);
        QMetaObject::invokeMethod(
            this,
            [this, secuencia, aviso, ronda] {
                if (ronda != ronda_)
                    return;
                --pendientes_;
                emit verificado(secuencia, aviso);
            },
            Qt::QueuedConnection);
    });
}

void TVerificadorImagenes::descarta() {
    ++ronda_;
    pendientes_ = 0;
}

bool TVerificadorImagenes::esperaPendientes(int ms) {
    const QDeadlineTimer plazo(ms);
    while (pendientes_ > 0 && !plazo.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    return pendientes_ == 0;
}
