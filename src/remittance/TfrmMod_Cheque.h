#pragma once
// The cheque editor of a remittance: the list of its cheques with their
// state, the selected cheque's fields and front image, and the commands that
// scan more cheques, add one by hand, complete and correct one, delete one
// and ask for the remittance to be emitted.
//
// The window composes three panels (list, detail, emission warning), the
// row of main commands and the help text; it holds the decisions and the
// calls to the data module, the panels only show and forward.
//
// Three modes: browsing (list and main buttons live, detail locked), editing
// (list and main buttons locked, detail open, the four editing buttons live)
// and the emission warning (list and main buttons locked, warning panel up).

#include "AvisosImagen.h"
#include "CuadreRemesa.h"
#include "Registros.h"

#include <QDialog>
#include <QMap>

enum class GuardadoTalon;
class QAction;
class QPushButton;
class TdmBBDD;
class TCuadroCuadre;
class TPanelAvisoCheque;
class TPanelDetalleCheque;
class TPanelListaCheques;

class TfrmMod_Cheque : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Mantenimiento de cheques de la remesa ");
    // The size of the program's main area: the whole window, with every
    // column of the list readable, fits in it.
    static constexpr int Ancho = 1008;
    static constexpr int Alto = 612;

    enum class Modo { Navegando, Editando, Aviso };
    enum class BotonGuardar { Aceptar, Siguiente, Anterior };

    static QStringList textoAyuda();

    // Opens the editor modally on the remittance; true only when it closed
    // through "C&ontinuar" of the emission warning.
    static bool Launch(TdmBBDD& dm, const tRemesas& remesa, QWidget* parent = nullptr);

    TfrmMod_Cheque(TdmBBDD& dm, const tRemesas& remesa, QWidget* parent = nullptr);

    // What Launch does before showing: fills the list and focuses the
    // scanning button.
    void prepara();

    // --- State -------------------------------------------------------------
    Modo modo() const { return modo_; }
    // Eliminar, Modificar and Emitir: rows, one selected, list not locked.
    bool accionesDeFilaHabilitadas() const;
    // The cheque on screen as last loaded or saved.
    const tTalon& regTalon() const { return regTalon_; }
    // Path of the picture on screen; empty when none could be loaded.
    const QString& imagenMostrada() const;
    bool duplicadoMostrado() const;
    int filaActual() const;

    // --- Decisions ---------------------------------------------------------
    // The cheque on screen as it would be saved: regTalon with the fields.
    tTalon talonDeCampos() const;
    // The checks of an edited cheque; false with the first failing message.
    bool validaTalon(const tTalon& talon, QString& mensaje) const;
    // Stores the edited cheque and settles its drawer in one operation of
    // the data module, provided the cheque and its drawer are still what
    // was shown; otherwise the message of what failed.
    GuardadoTalon guardaTalonEditado(tTalon& talon);

    // --- Commands ----------------------------------------------------------
    void refrescaLista();
    void actualizaTotales();
    void muestraTalon();
    void modificar();
    void aceptar();
    void siguiente();
    void anterior();
    void cancelar();
    void chequeManual();
    void eliminar();
    void escanear();
    void salir();
    void emitir();
    void continuar();
    void cancelarAviso();
    // Closing the window while editing cancels the edit first.
    void reject() override;

    // --- Control totals and image marks ------------------------------------
    // The questions of Emitir before the warning panel: declared totals that
    // differ from the correct cheques, correct cheques with image marks.
    // True to go on ("Emitir igualmente"); none is asked when all is well.
    bool confirmaCuadre();
    bool confirmaAvisosImagen();
    const QMap<int, tAvisoImagen>& avisosImagen() const { return avisos_; }

protected:
    void keyPressEvent(QKeyEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private:
    void creaControles();
    QLayout* creaBotonesPrincipales();
    QWidget* creaAyuda();
    void conecta();
    void cargaTalonSeleccionado();

    QString tablaTalones() const;
    void fijaModo(Modo modo);
    void actualizaAcciones();
    void seleccionCambiada();
    void guarda(BotonGuardar boton);
    void terminaEdicion();
    void avanza(int paso);
    // After another program changed the remittance: the list as it is now,
    // on the cheque with that key while it is still there.
    void refrescaListaEn(int clave);

    // --- Control totals and image marks ---
    int pkRemesa() const;
    void cargaAvisosImagen();
    void quitaAvisoImagen(int clave);

    TdmBBDD& dm_;
    tRemesas remesa_;
    Modo modo_ = Modo::Navegando;
    bool mostrado_ = false;
    bool cargandoLista = false;
    tTalon regTalon_;
    TCliente regClientes;
    // Key of the manual cheque just added and never saved: cancelling its
    // edit removes it again. 0 when there is none.
    int manualSinGuardar_ = 0;

    TPanelListaCheques* lista_ = nullptr;
    TPanelDetalleCheque* detalle_ = nullptr;
    TPanelAvisoCheque* aviso_ = nullptr;
    TCuadroCuadre* grpCuadre = nullptr;
    TCuadreRemesa cuadre_;
    TAvisosImagen almacenAvisos_;
    QMap<int, tAvisoImagen> avisos_; // by cheque key

    QAction* EliminarAct = nullptr;
    QAction* EmitirAct = nullptr;
    QAction* ModificarAct = nullptr;
    QPushButton* btnEliminar = nullptr;
    QPushButton* btnEmision = nullptr;
    QPushButton* btnManual = nullptr;
    QPushButton* btnModifica = nullptr;
    QPushButton* btnLeer = nullptr;
    QPushButton* btnSalir = nullptr;
};
