#pragma once
// Presenter maintenance: the list of presenters with a browse mode and an
// edit mode, the field rules applied on leaving a field, and the checks that
// a presenter passes before it is stored.

#include "Registros.h"
#include "TVentanaMantenimiento.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class TdmBBDD;
class TListaOrdenable;

class TfrmMnto_Ordenantes : public TVentanaMantenimiento {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Mantenimiento de Presentadores");
    static QStringList textoAyuda();

    // Opens the window modally on the presenters of the installation; true
    // when it closed with the OK result.
    static bool Launch(TdmBBDD& dm, QWidget* parent);

    explicit TfrmMnto_Ordenantes(TdmBBDD& dm, QWidget* parent = nullptr);

    // Loads the list and enters browse mode (what Launch does before showing).
    void prepara();

    // --- Field rules, applied when the field is left ------------------------
    // A NIF shorter than 9 characters gets zeros in front; blanks around it go.
    static QString rellenaNif(const QString& nif);
    // The account trimmed, normalised and without any blank inside: the
    // presentation file reads the presenter's IBAN by position.
    static QString normalizaCuenta(const QString& cuenta);

    // --- Decisions -----------------------------------------------------------
    // The record that "Aceptar" would store, from the fields as they stand.
    tOrdenantes registroDeCampos() const;
    // The checks in their order; the first failure throws TErrorOperacion.
    void CompruebaValoresIntroducidos(const tOrdenantes& r);

    // --- Commands ------------------------------------------------------------
    void nuevo();
    void modificar() override;
    void aceptar();
    void cancelar() override;
    void eliminar();
    void muestraSeleccion();
    void CargaListaOrdenantes();

    TListaOrdenable* lvwOrdenante = nullptr;
    QPushButton* btnNuevo = nullptr;
    QPushButton* btnModificar = nullptr;
    QPushButton* btnEliminar = nullptr;
    QPushButton* btnAceptar = nullptr;
    QPushButton* btnCancelar = nullptr;
    QPushButton* btnSalir = nullptr;
    QGroupBox* grpPresentador = nullptr;
    QLineEdit* edtNombre = nullptr;
    QLineEdit* edtCuenta = nullptr;
    QLineEdit* edtNif = nullptr;

    bool FNuevo = false;
    tOrdenantes regOrdenante;
    // What F2 puts back into the name and account fields; nothing fills it.
    tOrdenantes RegF2;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void creaControles();
    void saleCampo(QLineEdit* campo);

    TdmBBDD& dm_;
};
