#include "RegistroDiagnostico.h"

#include <QMetaObject>

namespace {
// Long enough to gather the lines of a burst into one write, short enough
// for the log to be current when support reads it.
constexpr int esperaEscrituraMs = 200;
} // namespace

TRegistroDiagnostico::TRegistroDiagnostico(tEscritor escritor, QObject* parent)
    : QObject(parent), escritor_(std::move(escritor)) {
    temporizador_.setSingleShot(true);
    temporizador_.setInterval(esperaEscrituraMs);
    connect(&temporizador_, &QTimer::timeout, this, &TRegistroDiagnostico::vacia);
}

TRegistroDiagnostico::~TRegistroDiagnostico() {
    vacia();
}

void TRegistroDiagnostico::anota(const QString& texto) {
    QString linea = texto;
    linea.replace(QStringLiteral("\r\n"), QStringLiteral(" | "));
    linea.replace(u'\n', QStringLiteral(" | "));
    linea.replace(u'\r', QStringLiteral(" | "));
    bool primera = false;
    {
        QMutexLocker bloqueo(&mutex_);
        primera = cola_.isEmpty();
        cola_.append({QTime::currentTime(), linea});
    }
    // The timer belongs to this object's thread: it is started there.
    if (primera)
        QMetaObject::invokeMethod(
            this, [this] { temporizador_.start(); }, Qt::AutoConnection);
}

void TRegistroDiagnostico::vacia() {
    QList<tLineaDiagnostico> lineas;
    {
        QMutexLocker bloqueo(&mutex_);
        lineas.swap(cola_);
    }
    if (!lineas.isEmpty() && escritor_)
        escritor_(lineas);
}
