#pragma once
// Remittance dates: process date, confection date (today) and the presenter
// of the emission, chosen from the list or registered on the spot.

#include "TextosBBDD.h"

#include <QDate>
#include <QDialog>

class TdmBBDD;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

class TfrmFechas : public QDialog {
    Q_OBJECT
public:
    TfrmFechas(TdmBBDD& dm, const QDate& hoy, QWidget* parent = nullptr);

    // Fresh window, modal; the out texts are filled whether accepted or not.
    static bool Launch(TdmBBDD& dm, QString& fecha_p, QString& fecha_C, QWidget* parent = nullptr);

    // Fills the presenter list and resets the new-presenter fields.
    void prepara();
    void pulsaNuevo();
    // All the checks in order; true when the window may close accepted.
    bool pulsaAceptar();

    static inline const QString& LineaSeleccione = MensajeBBDD::SeleccioneOrdenante;
    static inline const QString MensajeSinOrdenante =
        QStringLiteral("debe de escoger un ordenante o dar de al ta uno nuevo");
    // Presenter key of a line of the list: its last " -- " part.
    static int claveDeLinea(const QString& linea);

    QLineEdit* edtFechaConfeccion = nullptr;
    QLineEdit* edtFechaProceso = nullptr;
    QComboBox* cboOrdenantes = nullptr;
    QPushButton* btnNuevo = nullptr;
    QGroupBox* grpPresentador = nullptr;
    QLineEdit* edtNombre = nullptr;
    QLineEdit* edtCuenta = nullptr;
    QLineEdit* edtNif = nullptr;
    QPushButton* btnAceptar = nullptr;
    QPushButton* btnCancelar = nullptr;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    bool registraOrdenanteNuevo();
    void habilitaCamposNuevo(bool si);
    void enfocaFechaProceso();

    TdmBBDD& dm_;
    QDate hoy_;
};
