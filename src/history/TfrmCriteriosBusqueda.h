#pragma once
// The criteria of a search over the history of emitted cheques. "&Aceptar"
// turns them into one statement, runs it into the history grid's query and
// closes; "&Salir" closes and runs nothing.

#include "BusquedaHistorico.h"

#include "TVentanaModal.h"

class QCheckBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class TdmBBDD;

class TfrmCriteriosBusqueda : public TVentanaModal {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Criterios de búsqueda");
    static QStringList textoAyuda();

    // A fresh window, shown modally; true when accepted (the search has run).
    static bool Launch(TdmBBDD& dm, QWidget* parent);

    explicit TfrmCriteriosBusqueda(TdmBBDD& dm, QWidget* parent = nullptr);

    // Empty text fields, both dates today with the box cleared (what Launch
    // does before showing).
    void prepara();

    // The criteria as the fields hold them.
    tCriteriosHistorico criterios() const;

    // --- Commands ------------------------------------------------------------
    // Runs the search and closes; an amount that is no amount, or a range
    // that no cheque can fall in, is told and the window stays.
    void aceptar();

    QLineEdit* ledtNombreOrdenante = nullptr;
    QLineEdit* ledtNifOrdenante = nullptr;
    QLineEdit* ledtCuentaOrdenante = nullptr;
    QLineEdit* ledtNombreRemesa = nullptr;
    QCheckBox* chkConfeccionInicial = nullptr;
    QDateEdit* dtpconfeccionInicial = nullptr;
    QDateEdit* dtpConfeccionFinal = nullptr;
    QLineEdit* ledtImporte = nullptr;
    QLineEdit* lbeImporteHasta = nullptr;
    QLineEdit* lbeNumero = nullptr;
    QLineEdit* ledtNombreBenef = nullptr;
    QLineEdit* ledtCuentaBenef = nullptr;
    QPushButton* btnAceptar = nullptr;
    QPushButton* btnSalir = nullptr;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private:
    void creaControles();
    void saleCampo(QObject* campo);
    // The display form of a readable or empty amount field.
    void formaImporte(QLineEdit* campo);
    void cambiaDesde();

    TdmBBDD& dm_;
    QDateEdit* fechaPorClic_ = nullptr; // focused by a click not yet released
};
