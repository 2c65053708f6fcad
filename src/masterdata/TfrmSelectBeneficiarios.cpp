#include "TfrmSelectBeneficiarios.h"

#include "AlmacenLibrados.h"
#include "ListaOrdenable.h"
#include "TdmBBDD.h"

#include <QSignalBlocker>
#include <QVBoxLayout>

TfrmSelectBeneficiarios::TfrmSelectBeneficiarios(int& columnaOrden, QWidget* parent)
    : QFrame(parent) {
    setObjectName(QStringLiteral("frmSelectBeneficiarios"));
    lvwBeneficiarios = new TListaOrdenable(columnaOrden, this);
    lvwBeneficiarios->setObjectName(QStringLiteral("lvwBeneficiarios"));
    lvwBeneficiarios->setAccessibleName(QStringLiteral("Librados"));
    lvwBeneficiarios->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvwBeneficiarios->defineColumnas({TituloNombre, TituloCuenta}, {300, 300});
    auto* capas = new QVBoxLayout(this);
    capas->setContentsMargins(0, 0, 0, 0);
    capas->addWidget(lvwBeneficiarios);
}

void TfrmSelectBeneficiarios::Carga_lista_Beneficiarios(TdmBBDD& dm) {
    {
        const QSignalBlocker bloqueo(lvwBeneficiarios);
        lvwBeneficiarios->cargaFilas(dm.librados().CargaListaBeneficiarios());
        if (lvwBeneficiarios->numeroFilas() > 0)
            lvwBeneficiarios->seleccionaFila(0);
    }
    if (lvwBeneficiarios->numeroFilas() > 0)
        lvwBeneficiarios->setFocus();
}

TElementoLista* TfrmSelectBeneficiarios::filaSeleccionada() const {
    const QList<TElementoLista*> filas = lvwBeneficiarios->filasSeleccionadas();
    return filas.isEmpty() ? nullptr : filas.first();
}

QList<int> TfrmSelectBeneficiarios::clavesSeleccionadas() const {
    QList<int> claves;
    for (const TElementoLista* f : lvwBeneficiarios->filasSeleccionadas())
        claves << f->datos.pk;
    return claves;
}
