#pragma once
// Every control of a window carries, as its object name, the name of the
// member that holds it: tests find controls by that name (findChild), and it
// stays the same when the layout changes.

#include <QObject>

#include <initializer_list>
#include <utility>

inline void nombraControles(std::initializer_list<std::pair<QObject*, const char*>> controles) {
    for (const auto& [control, nombre] : controles)
        control->setObjectName(QLatin1String(nombre));
}
