#include "TfrmFechas.h"

#include "Accesibilidad.h"
#include "AlmacenOrdenantes.h"
#include "Cadenas.h"
#include "CajaMensajes.h"
#include "CamposTexto.h"
#include "ComprobacionOrdenante.h"
#include "Fechas.h"
#include "LineaOrdenante.h"
#include "NombresControles.h"
#include "TdmBBDD.h"
#include "Textos.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLabel* etiqueta(const QString& texto, QWidget* campo, QWidget* parent) {
    auto* l = new QLabel(texto, parent);
    l->setBuddy(campo);
    return l;
}
} // namespace

TfrmFechas::TfrmFechas(TdmBBDD& dm, const QDate& hoy, QWidget* parent)
    : QDialog(parent), dm_(dm), hoy_(hoy) {
    setWindowTitle(QStringLiteral("Fechas de la remesa"));
    auto* capas = new QVBoxLayout(this);

    auto* fechas = new QFormLayout;
    edtFechaConfeccion = new QLineEdit(this);
    edtFechaConfeccion->setInputMask(QStringLiteral("99/99/9999"));
    edtFechaConfeccion->setText(hoy.toString(QStringLiteral("dd/MM/yyyy")));
    fijaEditable(edtFechaConfeccion, false);
    edtFechaProceso = new QLineEdit(this);
    edtFechaProceso->setInputMask(QStringLiteral("NN/NN/NNNN"));
    edtFechaProceso->setText(hoy.toString(QStringLiteral("dd/MM/yyyy")));
    edtFechaProceso->setMaximumWidth(120);
    edtFechaConfeccion->setMaximumWidth(120);
    fechas->addRow(etiqueta(QStringLiteral("Fecha Confección"), edtFechaConfeccion, this),
                   edtFechaConfeccion);
    fechas->addRow(etiqueta(QStringLiteral("Fecha de Proceso"), edtFechaProceso, this),
                   edtFechaProceso);
    capas->addLayout(fechas);

    const QFont fija = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    cboOrdenantes = new QComboBox(this);
    cboOrdenantes->setFont(fija);
    cboOrdenantes->setAccessibleName(QStringLiteral("Presentador"));
    cboOrdenantes->setMinimumWidth(760);
    auto* cabecera = new QLabel(this);
    cabecera->setFont(fija);
    cabecera->setText(
        rellenaCadena(QStringLiteral("CIF/NIF-Sufijo"), QStringLiteral(" "), 15, true) +
        rellenaCadena(QStringLiteral("Nombre Presentador"), QStringLiteral(" "), 38, true) +
        QStringLiteral("IBAN"));
    cabecera->setBuddy(cboOrdenantes);
    btnNuevo = new QPushButton(QStringLiteral("&Nuevo"), this);
    auto* filaOrdenante = new QHBoxLayout;
    filaOrdenante->addWidget(cboOrdenantes, 1);
    filaOrdenante->addWidget(btnNuevo);
    capas->addWidget(cabecera);
    capas->addLayout(filaOrdenante);

    grpPresentador = new QGroupBox(QStringLiteral("Datos del Presentador (Obligatorios)"), this);
    auto* datos = new QFormLayout(grpPresentador);
    edtNombre = new QLineEdit(grpPresentador);
    edtNombre->setMaxLength(70);
    edtCuenta = new QLineEdit(grpPresentador);
    edtCuenta->setMaxLength(34);
    edtNif = new QLineEdit(grpPresentador);
    edtNif->setMaxLength(9);
    edtNif->setMaximumWidth(120);
    for (QLineEdit* e : {edtNombre, edtCuenta, edtNif}) {
        fuerzaMayusculas(e);
        e->installEventFilter(this);
    }
    datos->addRow(etiqueta(QStringLiteral("Nombre"), edtNombre, grpPresentador), edtNombre);
    datos->addRow(etiqueta(QStringLiteral("Cuenta (IBAN)"), edtCuenta, grpPresentador), edtCuenta);
    datos->addRow(etiqueta(QStringLiteral("Cif/NIf"), edtNif, grpPresentador), edtNif);
    capas->addWidget(grpPresentador);

    btnAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    btnCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(btnAceptar);
    botones->addWidget(btnCancelar);
    capas->addLayout(botones);

    auto* ayuda = new QPlainTextEdit(this);
    ayuda->setReadOnly(true);
    ayuda->setPlainText(
        QStringLiteral("Como paso previo a la emisión deberá de introducir la Fecha de proceso de "
                       "la remesa y escoger un presentador de la lista desplegable.\n"
                       "Si lo desea puede dar de alta un nuevo presentador presionando [Nuevo] y "
                       "rellenando la información del mismo : Nombre,\n"
                       "IBAN y  CIF/NIF en las casillas correspondientes."));
    ayuda->setFixedHeight(80);
    Accesibilidad::textoAyuda(ayuda);
    capas->addWidget(ayuda);

    edtFechaProceso->installEventFilter(this);
    Accesibilidad::hazAccesible(this);
    connect(btnNuevo, &QPushButton::clicked, this, &TfrmFechas::pulsaNuevo);
    connect(btnAceptar, &QPushButton::clicked, this, [this] {
        if (pulsaAceptar())
            accept();
    });
    connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);
    for (QPushButton* b : {btnAceptar, btnCancelar, btnNuevo}) {
        b->setAutoDefault(false);
        pulsaConEnter(b);
    }
    nombraControles({{edtFechaConfeccion, "edtFechaConfeccion"},
                     {edtFechaProceso, "edtFechaProceso"},
                     {cboOrdenantes, "cboOrdenantes"},
                     {btnNuevo, "btnNuevo"},
                     {grpPresentador, "grpPresentador"},
                     {edtNombre, "edtNombre"},
                     {edtCuenta, "edtCuenta"},
                     {edtNif, "edtNif"},
                     {btnAceptar, "btnAceptar"},
                     {btnCancelar, "btnCancelar"}});
}

void TfrmFechas::habilitaCamposNuevo(bool si) {
    for (QLineEdit* e : {edtNombre, edtCuenta, edtNif})
        fijaEditable(e, si);
}

void TfrmFechas::prepara() {
    cboOrdenantes->clear();
    cboOrdenantes->addItems(dm_.ordenantes().Carga_Combo_Ordenantes());
    cboOrdenantes->setCurrentIndex(0);
    for (QLineEdit* e : {edtNombre, edtCuenta, edtNif})
        e->clear();
    habilitaCamposNuevo(false);
    enfocaFechaProceso();
}

void TfrmFechas::enfocaFechaProceso() {
    edtFechaProceso->setFocus();
    // The date is taken whole: typing replaces today's date.
    edtFechaProceso->selectAll();
}

void TfrmFechas::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Once on screen, activation would move the cursor off the selection.
    QMetaObject::invokeMethod(this, &TfrmFechas::enfocaFechaProceso, Qt::QueuedConnection);
}

void TfrmFechas::pulsaNuevo() {
    cboOrdenantes->setCurrentIndex(0);
    habilitaCamposNuevo(true);
    edtNombre->setFocus();
    cboOrdenantes->setEnabled(false); // until the window closes
}

int TfrmFechas::claveDeLinea(const QString& linea) {
    return claveDeLineaOrdenante(linea);
}

bool TfrmFechas::registraOrdenanteNuevo() {
    tOrdenantes o;
    o.Nif_Sufijo = edtNif->text();
    o.Nombre_ordenante = edtNombre->text().trimmed();
    o.Cuenta = cuentaOrdenanteSinBlancos(edtCuenta->text());
    o.EsNuevo = true;
    if (!CajaMensajes(dm_.estado(), this).ejecutaMostrandoError([&] {
            CompruebaValoresIntroducidos(dm_.ordenantes(), o);
            dm_.ordenantes().GuardaOrdenante(o);
        }))
        return false;
    cboOrdenantes->addItem(
        lineaOrdenante(o.Nif_Sufijo, o.Nombre_ordenante, o.Cuenta, o.Pk_Ordenante));
    cboOrdenantes->setCurrentIndex(cboOrdenantes->count() - 1);
    // Registered once: a second acceptance chooses it from the list.
    habilitaCamposNuevo(false);
    return true;
}

bool TfrmFechas::pulsaAceptar() {
    const tRegistro_Mensajes& m = Cadenas::mensajes();
    if (!esFechaValida(edtFechaProceso->text(), hoy_)) {
        CajaMensajes(dm_.estado(), this).muestraMensaje(m.mnjErrorFechaAbono);
        return false;
    }
    if (!esFechaValida(edtFechaConfeccion->text(), hoy_)) {
        CajaMensajes(dm_.estado(), this).muestraMensaje(m.mnjErrorFechaConf);
        return false;
    }
    if (edtNombre->isEnabled()) {
        if (!registraOrdenanteNuevo())
            return false;
    } else if (cboOrdenantes->currentText().startsWith(QString(18, u'-'))) {
        CajaMensajes(dm_.estado(), this).muestraMensaje(MensajeSinOrdenante);
        return false;
    }
    tEstadoPrograma& e = dm_.estado();
    e.OrdenanteActual.Pk_Ordenante = claveDeLinea(cboOrdenantes->currentText());
    e.RemesaActual.Fecha_Confeccion = edtFechaConfeccion->text();
    e.RemesaActual.Fecha_Proceso = edtFechaProceso->text();
    return true;
}

bool TfrmFechas::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(e)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            if (o == edtFechaProceso || o == edtNif)
                btnAceptar->setFocus();
            else if (o == edtNombre)
                edtCuenta->setFocus();
            else if (o == edtCuenta)
                edtNif->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

bool TfrmFechas::Launch(TdmBBDD& dm, QString& fecha_p, QString& fecha_C, QWidget* parent) {
    TfrmFechas frm(dm, QDate::currentDate(), parent);
    frm.prepara();
    const bool aceptada = frm.exec() == QDialog::Accepted;
    fecha_p = frm.edtFechaProceso->text();
    fecha_C = frm.edtFechaConfeccion->text();
    return aceptada;
}
