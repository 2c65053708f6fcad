#pragma once
// The cheque editor of a remittance: the list of its cheques with their
// state, the selected cheque's fields and front image, and the commands that
// scan more cheques, add one by hand, complete and correct one, delete one
// and ask for the remittance to be emitted.
//
// Three modes: browsing (list and main buttons live, detail locked), editing
// (list and main buttons locked, detail open, the four editing buttons live)
// and the emission warning (list and main buttons locked, warning panel up).

#include "Registros.h"

#include <QDialog>
#include <QTreeWidgetItem>

#include <QMap>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;
class QTreeWidget;
class TdmBBDD;
struct tFilaLista;

// A row of the cheque list. The list sorts by rules of its own: "Orden"
// compares the keys as integers, every other column compares texts in the
// locale's order.
class TElementoCheque : public QTreeWidgetItem {
public:
    explicit TElementoCheque(const tFilaLista& fila);
    tRegDataTalones datos;
    bool operator<(const QTreeWidgetItem& otro) const override;
};

class TfrmMod_Cheque : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Mantenimiento de cheques de la remesa ");
    // The size of the program's main area: the whole window, with every
    // column of the list readable, fits in it.
    static constexpr int Ancho = 1008;
    static constexpr int Alto = 612;

    enum Columna {
        colEstado,
        colModelo,
        colImporte,
        colCuenta,
        colNumero,
        colNombre,
        colFecha,
        colOrden,
        NumeroColumnas
    };
    enum class Modo { Navegando, Editando, Aviso };
    enum class BotonGuardar { Aceptar, Siguiente, Anterior };

    static QStringList titulosColumnas();
    static QStringList textoAyuda();
    // The red line of the warning panel for n incomplete cheques.
    static QString lineaIncompletos(int n);

    // Opens the editor modally on the remittance; true only when it closed
    // through "C&ontinuar" of the emission warning.
    static bool Launch(TdmBBDD& dm, const tRemesas& remesa, QWidget* parent = nullptr);

    // The order the next header click on a column sorts by. Directions are
    // remembered per column for the whole run (OrdenesCheques of the program
    // state): the first click sorts text columns ascending and "Orden"
    // descending, every further one reverses.
    static Qt::SortOrder siguienteOrden(QMap<int, Qt::SortOrder>& ordenes, int columna);

    TfrmMod_Cheque(TdmBBDD& dm, const tRemesas& remesa, QWidget* parent = nullptr);

    // What Launch does before showing: fills the list and focuses the
    // scanning button.
    void prepara();

    // --- State -------------------------------------------------------------
    Modo modo() const { return modo_; }
    // Eliminar, Modificar and Emitir: rows, one selected, list not locked.
    bool accionesDeFilaHabilitadas() const;
    // Path of the picture on screen; empty when none could be loaded.
    const QString& imagenMostrada() const { return imagenMostrada_; }
    bool duplicadoMostrado() const;
    int filaActual() const;

    // --- Decisions ---------------------------------------------------------
    // The cheque on screen as it would be saved: regTalon with the fields.
    tTalon talonDeCampos() const;
    // The checks of an edited cheque; false with the first failing message.
    bool validaTalon(const tTalon& talon, QString& mensaje) const;
    // Stores the edited cheque and settles its drawer; false with the
    // message of the operation that failed.
    bool guardaTalonEditado(tTalon& talon, QString& mensaje);
    // The picture for a cheque: its front JPEG, else the application's
    // placeholder, else the placeholder of the "Pub" folder.
    QString rutaImagenTalon(const tTalon& talon) const;

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
    void ordenaColumna(int columna);
    void saleModelo();
    void saleImporte();

    // --- Controls ----------------------------------------------------------
    QTreeWidget* lvwTransferencias = nullptr;
    QLineEdit* ledtImporteTotal = nullptr;
    QLineEdit* ledtOrdenes = nullptr;
    QLineEdit* lbtTotTrans = nullptr;

    QGroupBox* grpDetalle = nullptr;
    QLineEdit* edtFormato = nullptr;
    QLineEdit* edtNumero = nullptr;
    QLineEdit* lbtImporte = nullptr;
    QLineEdit* lbleditCuenta = nullptr;
    QLineEdit* medtAbono = nullptr;
    QCheckBox* chIndicador = nullptr;
    QLineEdit* lbleditNombreBenef = nullptr;
    QComboBox* cboxOrdenes = nullptr;

    QFrame* pnlImagen = nullptr;
    QLabel* imgCheque = nullptr;
    QLabel* imgDuplicado = nullptr;

    QAction* EliminarAct = nullptr;
    QAction* EmitirAct = nullptr;
    QAction* ModificarAct = nullptr;
    QPushButton* btnbeneficiarios = nullptr;
    QPushButton* btnEmision = nullptr;
    QPushButton* btnManual = nullptr;
    QPushButton* btnModifica = nullptr;
    QPushButton* btnLeer = nullptr;
    QPushButton* btnSalir = nullptr;
    QPushButton* btnSiguiente = nullptr;
    QPushButton* btnAnterior = nullptr;
    QPushButton* btnAceptar = nullptr;
    QPushButton* btnCancelar = nullptr;

    QFrame* pnlAviso = nullptr;
    QTextEdit* redtAviso = nullptr;
    QLineEdit* lbedImp = nullptr;
    QLineEdit* lblTalones = nullptr;
    QPushButton* btnContinuar = nullptr;
    QPushButton* btnCancelarAviso = nullptr;

    QPlainTextEdit* mmoAyuda = nullptr;

    tTalon regTalon;
    TCliente regClientes;
    bool cargandoLista = false;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private:
    void creaControles();
    QWidget* creaCabecera();
    QWidget* creaDetalle();
    void creaAviso();
    void conecta();
    void ajustaColumnas();
    void cargaTalonSeleccionado();

    QString tablaTalones() const;
    void fijaModo(Modo modo);
    void actualizaAcciones();
    void bloqueaDetalle(bool bloquear);
    void fijaFechaEditable(bool editable);
    void vaciaDetalle();
    void fijaBotonesPosicion();
    void seleccionCambiada();
    void seleccionaFila(int indice);
    void muestraImagen(const tTalon& talon);
    void guarda(BotonGuardar boton);
    void enfoca(QWidget* campo);
    void avanza(int paso);
    void actualizaFila(const tTalon& talon);
    void saleCampo(QObject* campo);
    void pasaAlSiguiente(QObject* campo);
    QString textoMascara(const QLineEdit* campo) const;

    TdmBBDD& dm_;
    tRemesas remesa_;
    Modo modo_ = Modo::Navegando;
    QString imagenMostrada_;
    bool mostrado_ = false;
};
