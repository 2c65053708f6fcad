#pragma once
// The application object: an error that escapes an event handler is shown to
// the operator, and the program goes on.

#include <QApplication>

struct tEstadoPrograma;

class TAplicacionQt : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receptor, QEvent* evento) override;

    // The running program's state, once it exists: the error box goes
    // through its message facade.
    const tEstadoPrograma* estado = nullptr;

private:
    void muestraError(const QString& texto) const;
};
