#pragma once
// The one place through which every message box and question of the program
// is shown.
//
// A window builds one on the spot with the program state and itself as the
// owner of the boxes:
//     CajaMensajes(dm_.estado(), this).muestraMensaje(texto);
// When the state carries a test script (tEstadoPrograma::guion, see
// GuionDialogos.h) nothing modal opens: the box is recorded there and a
// question takes the script's next answer. Otherwise the box is shown.

#include "ErrorOperacion.h"
#include "GuionDialogos.h"

#include <QString>

class QWidget;
struct tEstadoPrograma;

class CajaMensajes {
public:
    // Answers, as the question dialog gives them.
    static constexpr quint16 PrimerBoton = TGuionDialogos::PrimerBoton;
    static constexpr quint16 SegundoBoton = TGuionDialogos::SegundoBoton;
    using Tipo = TGuionDialogos::Tipo;

    CajaMensajes(const tEstadoPrograma& estado, QWidget* parent);

    // Plain box with one OK button; title = the executable's name.
    void muestraMensaje(const QString& texto) const;
    // The same with a warning sign.
    void muestraAviso(const QString& texto) const;
    // Standard OK / Cancel box with the given title; true for OK.
    bool confirma(const QString& texto, const QString& titulo) const;
    // The question dialog (TPreguntaF::PreguntaDlg): 0 for the first button,
    // 1 otherwise. Uses the state's long-lived dialog, or a fresh one.
    quint16 pregunta(const QString& Texto, const QString& Boton1, const QString& Boton2,
                     const QString& Cabecera) const;

    // A question whose second answer is the safe one ("Volver"): it is the
    // default button, and Escape or the close box give it too. 0 for the
    // first button, 1 otherwise; the test script answers as for pregunta.
    quint16 preguntaConVuelta(const QString& Texto, const QString& Boton1, const QString& Boton2,
                              const QString& Cabecera) const;

    // Runs an operation of the data module and, when it fails, shows its
    // message: the one place where a window turns a failed operation into a
    // box. True when the operation ran through.
    template <typename Operacion> bool ejecutaMostrandoError(Operacion&& operacion) const {
        try {
            operacion();
            return true;
        } catch (const TErrorOperacion& e) {
            muestraMensaje(e.texto());
            return false;
        }
    }

private:
    const tEstadoPrograma& estado_;
    QWidget* parent_;
};
