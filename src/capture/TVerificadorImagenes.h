#pragma once
// Checks the images of read documents on a worker thread of its own, so
// reading never waits for it. The capture window hands it each document's
// sequence number once its images are written; the verdict comes back on
// the window's thread, in order, through `verificado`.

#include "CalidadImagen.h"

#include <QObject>
#include <QThread>

class TVerificadorImagenes : public QObject {
    Q_OBJECT
public:
    explicit TVerificadorImagenes(QObject* parent = nullptr);
    ~TVerificadorImagenes() override;

    void fijaLimites(const tLimitesImagen& limites) { limites_ = limites; }
    // Queues the document's check; its verdict arrives later.
    void verifica(const QString& carpeta, const QString& secuencia);
    // The verdicts still to come are dropped (the list they were for was
    // emptied: their numbers will name other documents).
    void descarta();
    // Documents queued whose verdict has not arrived yet.
    int pendientes() const { return pendientes_; }
    // Waits (processing the verdicts as they arrive) until none is pending,
    // at most `ms` milliseconds; true when none is.
    bool esperaPendientes(int ms);

signals:
    void verificado(const QString& secuencia, const tAvisoImagen& aviso);

private:
    QThread hilo_;
    QObject* trabajador_ = nullptr; // lives on hilo_
    tLimitesImagen limites_;
    int pendientes_ = 0;
    int ronda_ = 0; // raised by descarta()
};
