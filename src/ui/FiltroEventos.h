#pragma once
// An event filter given as a function: a window adds a behaviour to a widget
// it does not subclass (a list, its owner window) without taking over its
// own eventFilter, which stays free for the window's fields. The filter is a
// child of `padre` and goes with it.

#include <QObject>

#include <functional>

class TFiltroEventos : public QObject {
public:
    // Answers true when the event was handled and goes no further.
    using Filtro = std::function<bool(QEvent*)>;

    TFiltroEventos(QObject* vigilado, Filtro filtro, QObject* padre)
        : QObject(padre), filtro_(std::move(filtro)) {
        vigilado->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* evento) override { return filtro_(evento); }

private:
    Filtro filtro_;
};
