#pragma once
// What a test scripts in the operator's boxes and system dialogs.
//
// A test constructs one of these and points the program state at it
// (tEstadoPrograma::guion); the program leaves the pointer empty. While a
// script is present no modal box or dialog is ever opened:
// - every message box, warning, confirmation and question is recorded in
//   order (`cajas`, or only their texts with `textos()`);
// - a question or confirmation takes the next queued answer
//   (`fijaSiguienteRespuesta`), Cancel / the second button when none is
//   queued; a one-button question always takes its button without using
//   an answer;
// - the save-file dialog answers the next queued path (`fijaSiguienteRutaGuardar`),
//   cancelled (empty) when none is queued; the open-file dialog likewise
//   (`fijaSiguienteRutaAbrir`);
// - printing goes to the PDF file `rutaPdf` (cancelled when empty);
// - addresses are recorded in `direcciones` instead of being opened.
// The script belongs to the test that built it: a fresh one per test (or
// `restablece()` in cleanup()) so nothing leaks from one test to the next.
// `mientrasAbierta`, when set, runs for each box before it is recorded
// (and answered): the operator's time in front of it, in which a test lets a
// reader's events in, as a real modal box would.

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

#include <functional>

class TGuionDialogos {
public:
    static constexpr quint16 PrimerBoton = 0;
    static constexpr quint16 SegundoBoton = 1;

    enum class Tipo { Mensaje, Aviso, Confirmacion, Pregunta };

    struct Caja {
        Tipo tipo;
        QString titulo;
        QString texto;
        // Only for questions: the labels of the buttons.
        QString boton1;
        QString boton2;
        // The answer given (PrimerBoton for plain messages).
        quint16 respuesta = PrimerBoton;
    };

    // --- Scripting (the test) -------------------------------------------------
    void fijaSiguienteRespuesta(quint16 respuesta) { respuestas.enqueue(respuesta); }
    void fijaSiguienteRutaGuardar(const QString& ruta) { rutasGuardar.enqueue(ruta); }
    void fijaSiguienteRutaAbrir(const QString& ruta) { rutasAbrir.enqueue(ruta); }
    void restablece() { *this = TGuionDialogos{}; }

    // --- Reading what happened (the test) -------------------------------------
    QStringList textos() const {
        QStringList lista;
        for (const Caja& caja : cajas)
            lista.append(caja.texto);
        return lista;
    }
    int respuestasPendientes() const { return int(respuestas.size()); }

    // --- Answering (the facades) ------------------------------------------------
    // Records a box that was shown, after its time on screen.
    void anota(const Caja& caja) {
        if (mientrasAbierta)
            mientrasAbierta(caja);
        cajas.append(caja);
    }
    quint16 siguienteRespuesta() {
        return respuestas.isEmpty() ? SegundoBoton : respuestas.dequeue();
    }
    QString siguienteRutaGuardar() {
        return rutasGuardar.isEmpty() ? QString() : rutasGuardar.dequeue();
    }
    QString siguienteRutaAbrir() { return rutasAbrir.isEmpty() ? QString() : rutasAbrir.dequeue(); }

    QQueue<quint16> respuestas;
    QQueue<QString> rutasGuardar;
    QQueue<QString> rutasAbrir;
    QString rutaPdf;
    QList<Caja> cajas;
    QStringList direcciones;
    QStringList titulosImpresos;
    std::function<void(const Caja&)> mientrasAbierta;
};
