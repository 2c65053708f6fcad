#pragma once
// Where every layer hands its lines for the diagnostic log. It sits in the
// lowest layer so that the data module, the capture windows and the shell
// can all reach it through the program state; the log file itself belongs to
// the application, which gives the writer.
//
// Handing a line only stamps it with the time and queues it: reading a
// cheque or storing a batch never waits for the disk. The queue is written
// from one place, the thread that owns this object, shortly after the first
// line queued, when asked (`vacia`) and at the end.

#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QTime>
#include <QTimer>

#include <functional>

struct tLineaDiagnostico {
    QTime hora;
    QString texto;
};

class TRegistroDiagnostico : public QObject {
public:
    using tEscritor = std::function<void(const QList<tLineaDiagnostico>& lineas)>;

    explicit TRegistroDiagnostico(tEscritor escritor, QObject* parent = nullptr);
    ~TRegistroDiagnostico() override;

    // Queues one line (line breaks become " | "); from any thread.
    void anota(const QString& texto);
    // Writes what is queued now.
    void vacia();

private:
    tEscritor escritor_;
    QMutex mutex_;
    QList<tLineaDiagnostico> cola_;
    QTimer temporizador_;
};

// The line for the log when there is one (`registro` set); nothing otherwise.
inline void anotaDiagnostico(TRegistroDiagnostico* registro, const QString& texto) {
    if (registro)
        registro->anota(texto);
}
