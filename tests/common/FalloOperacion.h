#pragma once
// What an operation of the data module failed with: the text of the
// TErrorOperacion it threw, or a null text when it ran through.

#include "ErrorOperacion.h"

#include <QString>

template <typename Operacion> QString falloDe(Operacion&& operacion) {
    try {
        operacion();
        return QString();
    } catch (const TErrorOperacion& e) {
        return e.texto();
    }
}
