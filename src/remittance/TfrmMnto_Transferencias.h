#pragma once
// Selection of an emitted remittance: the emissions recorded in the history,
// newest first. The chosen one becomes the current remittance, whose summary
// the caller then opens.

#include <QDialog>

class QPushButton;
class TdmBBDD;
class TListaOrdenable;

class TfrmMnto_Transferencias : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Selección de la remesa");
    static inline const QString ErrorConsulta = QStringLiteral("ERROR EN LA CONSULTA : ");

    // True when an emission was chosen; it is then RemesaActual (key and
    // presentation file name).
    static bool Launch(TdmBBDD& dm, QWidget* parent);

    explicit TfrmMnto_Transferencias(TdmBBDD& dm, QWidget* parent = nullptr);

    // Fills the list, newest first; with more than one row the first is selected.
    void CargaListaRemesas();
    // "&Seleccionar" is enabled only while a row is selected.
    void RegistrosEnLista();
    // Takes the selected emission into RemesaActual and closes with OK.
    void seleccionar();

    TListaOrdenable* lvwRemesas = nullptr;
    QPushButton* btnSeleccionar = nullptr;
    QPushButton* btnCancelar = nullptr;

protected:
    void showEvent(QShowEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    TdmBBDD& dm_;
    bool cargada_ = false;
};
