#pragma once
// What runs once, right after the main window is first on screen: working
// folders, missing tables, scanner configuration or check, one-time upgrade.

#include <functional>

class TdmBBDD;
class IInterfazUsuario;

class TSecuenciaInicio {
public:
    TSecuenciaInicio(TdmBBDD& dm, IInterfazUsuario& iu) : dm_(dm), iu_(iu) {}

    // Steps served by other parts of the program; a step left empty is skipped.
    std::function<void()> abreConfiguracionPrimeraVez;
    std::function<void()> compruebaEstadoEscaner;
    std::function<void()> actualizacionUnica;
    // Set by ejecuta: config.ini was missing, so the configuration window
    // was opened as the first step.
    bool muestraPantallaConfiguracion = false;
    std::function<void()> abreCopiasSeguridad;

    // Runs the sequence; false when the application must end.
    bool ejecuta();

private:
    // After damaged tables: names the newest copy that can be restored and
    // offers the window of copies.
    void ofreceCopias();

    TdmBBDD& dm_;
    IInterfazUsuario& iu_;
};
