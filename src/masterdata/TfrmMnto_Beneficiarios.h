#pragma once
// Drawer maintenance: the drawers are created nameless when a cheque of a new
// account is stored; here the operator names them, or deletes several at once
// together with their cheques of the working remittance. A drawer's account
// cannot change here and no drawer is added here.

#include "Registros.h"

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TdmBBDD;
class TfrmSelectBeneficiarios;

class TfrmMnto_Beneficiarios : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Mantenimiento de Librados");
    static inline const QString MensajeCuentaDuplicada =
        QStringLiteral("ya existe una cuenta con los mismos datos");
    static QStringList textoAyuda();

    // Opens the window modally on the drawers of the installation; true when
    // it closed with the OK result.
    static bool Launch(TdmBBDD& dm, QWidget* parent);

    explicit TfrmMnto_Beneficiarios(TdmBBDD& dm, QWidget* parent = nullptr);

    // Loads the list, enters browse mode and shows the selection.
    void prepara();

    // The record that "Aceptar" would store, from the fields as they stand:
    // the name without leading blanks, the account without "-" nor leading
    // blanks.
    TCliente registroDeCampos() const;
    bool enEdicion() const { return enEdicion_; }

    void modificar();
    void aceptar();
    void cancelar();
    void eliminar();
    void muestraSeleccion();

    bool FNuevo = false;
    TCliente regBeneficiario;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void changeEvent(QEvent* evento) override;

private:
    void creaControles();
    void cargaLista();
    void fijaModoEdicion(bool edicion);
    bool CompruebaValoresIntroducidos(const TCliente& r);

    TdmBBDD& dm_;
    bool enEdicion_ = false;
    TfrmSelectBeneficiarios* frmSelect = nullptr;
    QPushButton* btnModificar = nullptr;
    QPushButton* btnEliminar = nullptr;
    QPushButton* btnAceptar = nullptr;
    QPushButton* btnCancelar = nullptr;
    QPushButton* btnSalir = nullptr;
    QGroupBox* grpLibrado = nullptr;
    QLineEdit* edtNombre = nullptr;
    QLineEdit* edtCuenta = nullptr;
    QPlainTextEdit* mmoAyuda = nullptr;
};
