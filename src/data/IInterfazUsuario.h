#pragma once
// How the data module talks to the operator without opening windows itself:
// the application implements this with message boxes, the question dialog and
// the wait window; tests implement it with a scripted recorder.

#include "ErrorOperacion.h"

#include <QString>

class IInterfazUsuario {
public:
    virtual ~IInterfazUsuario() = default;

    // A plain message box (engine messages, warnings).
    virtual void muestraMensaje(const QString& texto) = 0;
    // A question with one or two buttons; 0 = first button, 1 = otherwise.
    virtual int pregunta(const QString& texto, const QString& boton1, const QString& boton2,
                         const QString& cabecera) = 0;
    // The wait window, shown without blocking and hidden afterwards.
    virtual void lanzaVentanaEsperar() = 0;
    virtual void CierraVentanaEsperar() = 0;
    // While the wait window is shown: the phase of a long operation and how
    // far it is (`total` 0 when it cannot be counted). The window keeps
    // painting and shows a progress bar; nothing else can be used meanwhile.
    virtual void progresoEspera(const QString& fase, int hechos, int total) {
        (void)fase;
        (void)hechos;
        (void)total;
    }
    // One line for the diagnostic log (what a batch of readings, an
    // emission, a completion or a backup did); written only while the log
    // is on.
    virtual void anotaSuceso(const QString& texto) { (void)texto; }
};

// Runs an operation of the data module and, when it fails, shows its
// message to the operator; true when the operation ran through. For the
// windows whose failures the operator reads in the main window's box.
template <typename Operacion>
bool ejecutaMostrandoError(IInterfazUsuario& iu, Operacion&& operacion) {
    try {
        operacion();
        return true;
    } catch (const TErrorOperacion& e) {
        iu.muestraMensaje(e.texto());
        return false;
    }
}

// Keeps the wait window on screen for one scope, hidden also on failure.
class VentanaEsperar {
public:
    explicit VentanaEsperar(IInterfazUsuario& iu) : iu_(iu) { iu_.lanzaVentanaEsperar(); }
    ~VentanaEsperar() { iu_.CierraVentanaEsperar(); }
    VentanaEsperar(const VentanaEsperar&) = delete;
    VentanaEsperar& operator=(const VentanaEsperar&) = delete;

private:
    IInterfazUsuario& iu_;
};
