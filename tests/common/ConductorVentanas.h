#pragma once
// Drives modal windows in GUI tests: a step registered for a window class
// runs once that window is on screen and its own event loop turns, so a test
// can open a modal window and still press its buttons. Steps run in the order
// the windows appear; every window seen is recorded by class name.

#include <QApplication>
#include <QEvent>
#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>

class ConductorVentanas : public QObject {
public:
    ConductorVentanas() { qApp->installEventFilter(this); }
    ~ConductorVentanas() override { qApp->removeEventFilter(this); }

    // The step for every showing of windows of class V.
    template <class V> void alMostrar(std::function<void(V*)> paso) {
        pasos_.insert(QString::fromLatin1(V::staticMetaObject.className()),
                      [paso](QWidget* w) { paso(static_cast<V*>(w)); });
    }

    QStringList vistas;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::Show || !o->isWidgetType())
            return false;
        const QString clase = QString::fromLatin1(o->metaObject()->className());
        const auto paso = pasos_.value(clase);
        if (!paso)
            return false;
        vistas << clase;
        QPointer<QWidget> ventana(static_cast<QWidget*>(o));
        QMetaObject::invokeMethod(
            this,
            [ventana, paso] {
                if (ventana)
                    paso(ventana);
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    QHash<QString, std::function<void(QWidget*)>> pasos_;
};
