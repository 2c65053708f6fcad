#pragma once
// Remittance list: makes a remittance current and runs the main road for it
// (cheque editor, dates, emission, summary), then closes itself.

#include "Registros.h"

#include <QDialog>
#include <QTimer>
#include <functional>

class TdmBBDD;
class TListaOrdenable;
class QLineEdit;
class QPushButton;

class TfrmMnto_Remesas : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMnto_Remesas(TdmBBDD& dm, QWidget* parent = nullptr);

    static bool Launch(TdmBBDD& dm, QWidget* parent = nullptr);

    // Steps of the road; the real windows by default, scripted in tests.
    std::function<bool(const tRemesas&)> abreEditor;
    std::function<bool(QString& fecha_p, QString& fecha_C)> abreFechas;
    std::function<bool(tRemesas&, const QString& fecha_C, const QString& fecha_p)> emite;
    std::function<void(const QString& ficheroRemesa)> abreResumen;

    void refrescaLista();
    // Steps 2 to 4 of the road for the current remittance.
    void recorrido();
    void pulsaNueva();
    bool pulsaAceptar();
    void pulsaCancelar();
    void pulsaSeleccionar();
    void pulsaEliminar();

    tRemesas regRemesa;
    QTimer tmrRemesas;

    TListaOrdenable* lvwremesas = nullptr;
    QLineEdit* edtNombre = nullptr;
    QPushButton* btnNueva = nullptr;
    QPushButton* btnSeleccionar = nullptr;
    QPushButton* btnEliminar = nullptr;
    QPushButton* btnAceptar = nullptr;
    QPushButton* btnCancelar = nullptr;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void haceActualSeleccionada();
    void olvidaDatosPropios(int pkRemesa, bool eliminada);
    void modoConsulta();
    void actualizaAcciones();

    TdmBBDD& dm_;
    bool recorridoHecho_ = false;
};
