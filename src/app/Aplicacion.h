#pragma once
// The running program: installation layout, program-wide state and the
// long-lived windows, created in their fixed order and kept until the end.

#include "EstadoPrograma.h"
#include "Instalacion.h"
#include "SecuenciaInicio.h"

#include <QTimer>

#include <memory>

class QTranslator;
class TfrmPrincipal;
class TfrmInfo_Proceso;
class InterfazUsuarioQt;
class TdmBBDD;
class TPreguntaF;
class TCaptura;
class TfrmAcerca;
class TGuionDialogos;
class TDLogFile;
class TRegistroDiagnostico;

class TAplicacion {
public:
    // dirAplicacion: the executable's folder (any folder in tests). A test
    // passes its script of boxes and dialogs; the program passes none. With
    // a log in debug mode, the program's events are written into it.
    explicit TAplicacion(const QString& dirAplicacion, TGuionDialogos* guion = nullptr,
                         TDLogFile* log = nullptr);
    ~TAplicacion();

    // Shows the main window; the start-up sequence follows once it is on screen.
    void muestra();

    tInstalacion inst;
    // The log's queue, made first and gone last: every window may write to it.
    std::unique_ptr<TRegistroDiagnostico> registroDiagnostico;
    tEstadoPrograma estado;
    // Qt's own texts in Spanish; null when the translations are missing.
    std::unique_ptr<QTranslator> traductorQt;
    std::unique_ptr<TfrmPrincipal> frmPrincipal;
    std::unique_ptr<TfrmInfo_Proceso> frmInfo_Proceso;
    std::unique_ptr<InterfazUsuarioQt> iu;
    std::unique_ptr<TdmBBDD> dmBBDD;
    std::unique_ptr<TPreguntaF> PreguntaF;
    std::unique_ptr<TCaptura> captura; // the capture windows
    std::unique_ptr<TfrmAcerca> frmAcerca;
    std::unique_ptr<TSecuenciaInicio> secuenciaInicio;
    // One-shot timer armed when the main window is first shown: the start-up
    // sequence runs once the window is on screen.
    QTimer tmrInicio;

    // Set when the start-up sequence ended the program.
    bool terminadaEnInicio = false;
    // Set when the start-up sequence ran to its end.
    bool inicioCompletado = false;

    // The window "Copias de seguridad".
    void abreCopiasSeguridad();

private:
    void aplicaEstiloVisual();
    void conectaMenu();
};
