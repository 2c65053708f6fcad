#pragma once
// The drawer list of drawer maintenance: one row per drawer (name, account),
// several rows selectable at once, kept sorted by the program-wide sort column.

#include <QFrame>

class TdmBBDD;
class TElementoLista;
class TListaOrdenable;

class TfrmSelectBeneficiarios : public QFrame {
    Q_OBJECT
public:
    static inline const QString TituloNombre =
        QStringLiteral("Nombre Librado                         ");
    static inline const QString TituloCuenta = QStringLiteral("Cuenta");

    TfrmSelectBeneficiarios(int& columnaOrden, QWidget* parent = nullptr);

    // Fills the list from the drawer table; with rows, the first one is
    // selected and the list takes the focus. An engine failure leaves the
    // list as far as it was filled.
    void Carga_lista_Beneficiarios(TdmBBDD& dm);

    // The first selected row in list order, or nullptr.
    TElementoLista* filaSeleccionada() const;
    // The keys of every selected row, in list order.
    QList<int> clavesSeleccionadas() const;

    TListaOrdenable* lista() const { return lvwBeneficiarios; }

private:
    TListaOrdenable* lvwBeneficiarios = nullptr;
};
