#include "TfrmMnto_Transferencias.h"

#include "AlmacenHistorico.h"
#include "CajaMensajes.h"
#include "CamposTexto.h"
#include "ListaOrdenable.h"
#include "NombresControles.h"
#include "TdmBBDD.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The amount and the number of cheques are right-aligned.
constexpr int ColumnaImporte = 4;
constexpr int ColumnaNumeroTalones = 5;
} // namespace

bool TfrmMnto_Transferencias::Launch(TdmBBDD& dm, QWidget* parent) {
    TfrmMnto_Transferencias frm(dm, parent);
    return frm.exec() == QDialog::Accepted;
}

TfrmMnto_Transferencias::TfrmMnto_Transferencias(TdmBBDD& dm, QWidget* parent)
    : QDialog(parent), dm_(dm) {
    setWindowTitle(Caption);

    lvwRemesas = new TListaOrdenable(dm_.estado().ColumnaOrden, this);
    lvwRemesas->defineColumnas({QStringLiteral("Fecha Confección"), QStringLiteral("Nif Pre."),
                                QStringLiteral("Nombre Presentador     "), QStringLiteral("Cuenta"),
                                QStringLiteral("Importe            "), QStringLiteral("Nº Cheques"),
                                QStringLiteral("Fecha Abono")},
                               {110, 90, 240, 220, 120, 90, 90});
    for (int c : {ColumnaImporte, ColumnaNumeroTalones})
        lvwRemesas->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    lvwRemesas->setAccessibleName(Caption);
    lvwRemesas->installEventFilter(this);

    btnSeleccionar = new QPushButton(QStringLiteral("&Seleccionar"), this);
    btnCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    for (QPushButton* b : {btnSeleccionar, btnCancelar}) {
        b->setAutoDefault(false);
        pulsaConEnter(b);
    }
    auto* filaBotones = new QHBoxLayout;
    filaBotones->addStretch();
    filaBotones->addWidget(btnSeleccionar);
    filaBotones->addWidget(btnCancelar);

    auto* capas = new QVBoxLayout(this);
    capas->addWidget(lvwRemesas, 1);
    capas->addLayout(filaBotones);

    connect(btnSeleccionar, &QPushButton::clicked, this, &TfrmMnto_Transferencias::seleccionar);
    connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(lvwRemesas, &QTreeWidget::itemSelectionChanged, this,
            &TfrmMnto_Transferencias::RegistrosEnLista);
    connect(lvwRemesas, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (btnSeleccionar->isEnabled())
            seleccionar();
    });
    RegistrosEnLista();
    resize(1000, 420);
    nombraControles({{lvwRemesas, "lvwRemesas"},
                     {btnSeleccionar, "btnSeleccionar"},
                     {btnCancelar, "btnCancelar"}});
}

void TfrmMnto_Transferencias::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (!cargada_) {
        cargada_ = true;
        CargaListaRemesas();
    }
}

void TfrmMnto_Transferencias::CargaListaRemesas() {
    QString error;
    tFilasLista filas;
    try {
        VentanaEsperar espera(dm_.iu());
        filas = dm_.historico().CargaListaRemesasEmitidas();
    } catch (const TErrorOperacion& e) {
        // The list stays open, empty, under its own heading for the failure.
        error = e.texto();
    }
    const QSignalBlocker bloqueo(lvwRemesas);
    lvwRemesas->clear();
    if (!error.isEmpty())
        CajaMensajes(dm_.estado(), this).muestraMensaje(ErrorConsulta + error);
    // The rows keep the order they come in (newest first) until a column
    // title is clicked.
    QList<QTreeWidgetItem*> elementos;
    for (const tFilaLista& f : filas) {
        auto* e = new TElementoLista(f, dm_.estado().ColumnaOrden);
        for (int c : {ColumnaImporte, ColumnaNumeroTalones})
            e->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        elementos << e;
    }
    lvwRemesas->addTopLevelItems(elementos);
    if (lvwRemesas->numeroFilas() > 1)
        lvwRemesas->seleccionaFila(0);
    RegistrosEnLista();
}

void TfrmMnto_Transferencias::RegistrosEnLista() {
    btnSeleccionar->setEnabled(lvwRemesas->numeroFilas() > 0 &&
                               lvwRemesas->filaSeleccionada() != nullptr);
}

void TfrmMnto_Transferencias::seleccionar() {
    const TElementoLista* fila = lvwRemesas->filaSeleccionada();
    if (fila == nullptr)
        return;
    // An emission whose file name cannot be read is not chosen: the window
    // stays, and the current remittance with it.
    QString nombreCons;
    if (!ejecutaMostrandoError(dm_.iu(), [&] {
            nombreCons = dm_.historico().DevuelveNombreconsolidado(fila->datos.pk);
        }))
        return;
    tRemesas& remesa = dm_.estado().RemesaActual;
    remesa.Pk_Remesa = fila->datos.pk;
    remesa.nombre_Cons = nombreCons;
    accept();
}

bool TfrmMnto_Transferencias::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == lvwRemesas && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            if (btnSeleccionar->isEnabled())
                seleccionar();
            return true;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}
