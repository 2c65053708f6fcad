#pragma once
// A scripted stand-in for the operator: records every message and question,
// answers questions as the windows' script (TGuionDialogos) does: the next
// queued answer, the second button when none is queued, and the only button
// of a one-button question; and keeps track of the wait window.

#include "GuionDialogos.h"
#include "IInterfazUsuario.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

class InterfazUsuarioFalsa : public IInterfazUsuario {
public:
    struct Pregunta {
        QString texto;
        QString boton1;
        QString boton2;
        QString cabecera;
        int respuesta = 0;
    };

    // Queues the answer for the next question.
    void fijaSiguienteRespuesta(int respuesta) { respuestas.enqueue(respuesta); }

    void muestraMensaje(const QString& texto) override { mensajes.append(texto); }

    int pregunta(const QString& texto, const QString& boton1, const QString& boton2,
                 const QString& cabecera) override {
        const int respuesta = boton2.isEmpty()       ? TGuionDialogos::PrimerBoton
                              : respuestas.isEmpty() ? TGuionDialogos::SegundoBoton
                                                     : respuestas.dequeue();
        preguntas.append({texto, boton1, boton2, cabecera, respuesta});
        return respuesta;
    }

    void lanzaVentanaEsperar() override {
        ++vecesMostrada;
        esperaVisible = true;
    }

    void CierraVentanaEsperar() override {
        ++vecesOcultada;
        esperaVisible = false;
    }

    // The phases a long operation reported, each once in its order.
    void progresoEspera(const QString& fase, int, int) override {
        if (fases.isEmpty() || fases.last() != fase)
            fases.append(fase);
    }

    // The lines for the diagnostic log, in order.
    void anotaSuceso(const QString& texto) override { sucesos.append(texto); }

    QStringList mensajes;
    QStringList fases;
    QStringList sucesos;
    QList<Pregunta> preguntas;
    QQueue<int> respuestas;
    int vecesMostrada = 0;
    int vecesOcultada = 0;
    bool esperaVisible = false;
};
