#pragma once
// The application object: an error that escapes an event handler is shown to
// the operator, and the program goes on.

#include <QApplication>

class TAplicacionQt : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receptor, QEvent* evento) override;
};
