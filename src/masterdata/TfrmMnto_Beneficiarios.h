#pragma once
// Drawer maintenance: the drawers are created nameless when a cheque of a new
// account is stored; here the operator names them, or deletes several at once
// together with their cheques of the working remittance. A drawer's account
// cannot change here and no drawer is added here.

#include "Registros.h"
#include "TVentanaMantenimiento.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class TdmBBDD;
class TfrmSelectBeneficiarios;

class TfrmMnto_Beneficiarios : public TVentanaMantenimiento {
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

    void modificar() override;
    void aceptar();
    void cancelar() override;
    void eliminar();
    void muestraSeleccion();

    bool FNuevo = false;
    TCliente regBeneficiario;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void creaControles();
    void cargaLista();
    bool CompruebaValoresIntroducidos(const TCliente& r);

    TdmBBDD& dm_;
    TfrmSelectBeneficiarios* frmSelect = nullptr;
    QPushButton* btnModificar = nullptr;
    QPushButton* btnEliminar = nullptr;
    QPushButton* btnAceptar = nullptr;
    QPushButton* btnCancelar = nullptr;
    QPushButton* btnSalir = nullptr;
    QGroupBox* grpLibrado = nullptr;
    QLineEdit* edtNombre = nullptr;
    QLineEdit* edtCuenta = nullptr;
};
