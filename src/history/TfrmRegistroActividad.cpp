#include "TfrmRegistroActividad.h"

#include "Accesibilidad.h"
#include "CajaMensajes.h"
#include "CamposTexto.h"
#include "NombresControles.h"
#include "TdmBBDD.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString FormatoFechaHora = QStringLiteral("dd/MM/yyyy HH:mm:ss");
const QString SinFilas = QStringLiteral("Ninguna acción registrada con estas condiciones");
const QString ConFilas = QStringLiteral("%1 acciones registradas");
const QString UnaFila = QStringLiteral("1 acción registrada");
} // namespace

void TfrmRegistroActividad::Launch(TdmBBDD& dm, QWidget* parent) {
    TfrmRegistroActividad frm(dm, parent);
    frm.exec();
}

TfrmRegistroActividad::TfrmRegistroActividad(TdmBBDD& dm, QWidget* parent)
    : QDialog(parent), dm_(dm) {
    setWindowTitle(Caption);
    setObjectName(QStringLiteral("TfrmRegistroActividad"));

    cmbActo = new QComboBox(this);
    cmbActo->addItem(TodosLosActos);
    cmbActo->addItems(ActoActividad::todos());
    auto* lblActo = new QLabel(QStringLiteral("A&cción:"), this);
    Accesibilidad::etiqueta(lblActo, cmbActo);

    const QDate hoy = QDate::currentDate();
    chkDesde = new QCheckBox(QStringLiteral("&Desde el día"), this);
    dtpDesde = new QDateEdit(hoy.addMonths(-1), this);
    chkHasta = new QCheckBox(QStringLiteral("&Hasta el día"), this);
    dtpHasta = new QDateEdit(hoy, this);
    for (QDateEdit* d : {dtpDesde, dtpHasta}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        d->setEnabled(false);
    }
    dtpDesde->setAccessibleName(chkDesde->text().remove(u'&'));
    dtpHasta->setAccessibleName(chkHasta->text().remove(u'&'));

    lvwActividad = new QTreeWidget(this);
    lvwActividad->setRootIsDecorated(false);
    lvwActividad->setHeaderLabels({QStringLiteral("Fecha y hora"), QStringLiteral("Usuario"),
                                   QStringLiteral("Equipo"), QStringLiteral("Acción"),
                                   QStringLiteral("Detalle")});
    lvwActividad->setAccessibleName(Caption);
    lblResultado = new QLabel(this);
    btnSalir = new QPushButton(QStringLiteral("&Salir"), this);
    btnSalir->setAutoDefault(false);
    pulsaConEnter(btnSalir);

    auto* filtros = new QGridLayout;
    filtros->addWidget(lblActo, 0, 0);
    filtros->addWidget(cmbActo, 0, 1);
    filtros->addWidget(chkDesde, 0, 2);
    filtros->addWidget(dtpDesde, 0, 3);
    filtros->addWidget(chkHasta, 0, 4);
    filtros->addWidget(dtpHasta, 0, 5);
    filtros->setColumnStretch(6, 1);
    auto* pie = new QHBoxLayout;
    pie->addWidget(lblResultado, 1);
    pie->addWidget(btnSalir);
    auto* capas = new QVBoxLayout(this);
    capas->addLayout(filtros);
    capas->addWidget(lvwActividad, 1);
    capas->addLayout(pie);
    resize(900, 500);

    connect(cmbActo, &QComboBox::currentIndexChanged, this, &TfrmRegistroActividad::aplicaFiltro);
    for (auto [chk, dtp] : {std::pair{chkDesde, dtpDesde}, std::pair{chkHasta, dtpHasta}}) {
        connect(chk, &QCheckBox::toggled, dtp, &QWidget::setEnabled);
        connect(chk, &QCheckBox::toggled, this, &TfrmRegistroActividad::aplicaFiltro);
        connect(dtp, &QDateEdit::dateChanged, this, &TfrmRegistroActividad::aplicaFiltro);
    }
    connect(btnSalir, &QPushButton::clicked, this, &QDialog::reject);

    nombraControles({{cmbActo, "cmbActo"},
                     {chkDesde, "chkDesde"},
                     {dtpDesde, "dtpDesde"},
                     {chkHasta, "chkHasta"},
                     {dtpHasta, "dtpHasta"},
                     {lvwActividad, "lvwActividad"},
                     {lblResultado, "lblResultado"},
                     {btnSalir, "btnSalir"}});
    Accesibilidad::hazAccesible(this);
    aplicaFiltro();
}

tFiltroActividad TfrmRegistroActividad::filtro() const {
    tFiltroActividad f;
    if (cmbActo->currentIndex() > 0)
        f.acto = cmbActo->currentText();
    if (chkDesde->isChecked())
        f.desde = dtpDesde->date();
    if (chkHasta->isChecked())
        f.hasta = dtpHasta->date();
    return f;
}

void TfrmRegistroActividad::aplicaFiltro() {
    // A record that cannot be read is told, and the list shows no rows.
    QList<tFilaActividad> filas;
    CajaMensajes(dm_.estado(), this).ejecutaMostrandoError([&] {
        filas = TRegistroActividad(dm_.instalacion().dirs).lista(filtro());
    });
    lvwActividad->clear();
    QList<QTreeWidgetItem*> elementos;
    for (const tFilaActividad& f : filas)
        elementos << new QTreeWidgetItem(QStringList{f.fechaHora.toString(FormatoFechaHora),
                                                     f.usuario, f.equipo, f.acto, f.detalle});
    lvwActividad->addTopLevelItems(elementos);
    for (int c = 0; c < 4; ++c)
        lvwActividad->resizeColumnToContents(c);
    lblResultado->setText(filas.isEmpty()     ? SinFilas
                          : filas.size() == 1 ? UnaFila
                                              : ConFilas.arg(filas.size()));
}
