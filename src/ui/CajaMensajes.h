#pragma once
// The one place through which every message box and question of the program
// is shown.
//
// Tests answer the boxes before the action, in the manner of a "next answer"
// hook: once an answer has been scripted (or the recording switched on), no
// modal box is shown any more; each box is recorded in order and a question
// takes the next scripted answer. Plain messages have one button and take no
// answer. A question with nothing scripted answers "the other button"
// (Cancel), the harmless choice for a confirmation.

#include <QList>
#include <QString>

class QWidget;
class TPreguntaF;

class CajaMensajes {
public:
    // Answers, as the question dialog gives them.
    static constexpr quint16 PrimerBoton = 0;
    static constexpr quint16 SegundoBoton = 1;

    enum class Tipo { Mensaje, Aviso, Confirmacion, Pregunta };

    struct Registro {
        Tipo tipo;
        QString titulo;
        QString texto;
        // Only for questions: the labels of the buttons, and the answer given.
        QString boton1;
        QString boton2;
        quint16 respuesta = PrimerBoton;
    };

    // Plain box with one OK button; title = the executable's name.
    static void muestraMensaje(QWidget* parent, const QString& texto);
    // The same with a warning sign.
    static void muestraAviso(QWidget* parent, const QString& texto);
    // Standard OK / Cancel box with the given title; true for OK.
    static bool confirma(QWidget* parent, const QString& texto, const QString& titulo);
    // The question dialog (TPreguntaF::PreguntaDlg): 0 for the first button,
    // 1 otherwise. Uses the dialog registered at start-up, or a fresh one.
    static quint16 pregunta(QWidget* parent, const QString& Texto, const QString& Boton1,
                            const QString& Boton2, const QString& Cabecera);

    // The long-lived question dialog created at start-up (nullptr to forget it).
    static void registraDialogoPregunta(TPreguntaF* dialogo);

    // Test hook. fijaSiguienteRespuesta queues an answer for the next question
    // or confirmation (0 / true = first button) and switches the recording on.
    static void fijaSiguienteRespuesta(quint16 respuesta);
    static void activaGrabacion();
    // Switches the recording off and forgets answers and records.
    static void restablece();
    static bool grabando();
    static const QList<Registro>& registros();
    // Only the texts, in the order they were shown.
    static QStringList textos();
    static int respuestasPendientes();
};
