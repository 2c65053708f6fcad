#pragma once
// A diagnostic log whose lines a test reads back, in the order they were
// handed, with no file behind it.

#include "RegistroDiagnostico.h"

#include <QStringList>

struct DiagnosticoPrueba {
    QStringList escritas;
    TRegistroDiagnostico registro{[this](const QList<tLineaDiagnostico>& lineas) {
        for (const tLineaDiagnostico& l : lineas)
            escritas << l.texto;
    }};

    // Every line handed so far, the queued ones included.
    QStringList lineas() {
        registro.vacia();
        return escritas;
    }
};
