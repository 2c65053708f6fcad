#include "TfrmConfiguracion.h"

#include "Accesibilidad.h"
#include "CajaMensajes.h"
#include "CamposTexto.h"
#include "ComprobacionEscaner.h"
#include "ConfiguracionEscaner.h"
#include "DetallesActividad.h"
#include "RegistroActividad.h"
#include "TdmBBDD.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

QStringList TfrmConfiguracion::tiposEscaner() {
    return {QStringLiteral("Manual"),          QStringLiteral("Seac-Banche"),
            QStringLiteral("MagTek: EXCELLA"), QStringLiteral("MagTek: EXCELLA STX"),
            QStringLiteral("MagTek: SAFE"),    QStringLiteral("Panini: Vision X")};
}

bool TfrmConfiguracion::Launch(TdmBBDD& dm, IPresenciaLectores& lectores, bool primeraVez,
                               QWidget* parent) {
    TfrmConfiguracion frm(dm, lectores, primeraVez, parent);
    return frm.exec() == QDialog::Accepted;
}

TfrmConfiguracion::TfrmConfiguracion(TdmBBDD& dm, IPresenciaLectores& lectores, bool primeraVez,
                                     QWidget* parent)
    : QDialog(parent), dm_(dm), lectores_(lectores), primeraVez_(primeraVez) {
    setObjectName(QStringLiteral("frmConfiguracion"));
    // No close box: the choice is always written through "&Aceptar".
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto* raiz = new QVBoxLayout(this);
    lblExplicacion = new QLabel(Explicacion, this);
    lblExplicacion->setObjectName(QStringLiteral("lblExplicacion"));
    lblExplicacion->setWordWrap(true);
    raiz->addWidget(lblExplicacion);

    rgTipo = new QGroupBox(QStringLiteral("Tipo de escáner"), this);
    rgTipo->setObjectName(QStringLiteral("rgTipo"));
    grupoTipo = new QButtonGroup(this);
    auto* tipos = new QVBoxLayout(rgTipo);
    const QStringList nombres = tiposEscaner();
    for (int i = 0; i < nombres.size(); ++i) {
        auto* rb = new QRadioButton(nombres.at(i), rgTipo);
        rb->setObjectName(QStringLiteral("rbTipo%1").arg(i));
        grupoTipo->addButton(rb, i);
        tipos->addWidget(rb);
    }
    raiz->addWidget(rgTipo);

    // The endorsement is kept in config.ini but no reader prints it yet: the
    // group is never shown.
    grpImpresion = new QGroupBox(
        QStringLiteral("Impresión  en reverso de cheque para escáner Seac-Banche"), this);
    grpImpresion->setObjectName(QStringLiteral("grpImpresion"));
    auto* impresion = new QVBoxLayout(grpImpresion);
    rbImprimir = new QRadioButton(QStringLiteral("Imprimir"), grpImpresion);
    rbImprimir->setObjectName(QStringLiteral("rbImprimir"));
    rbSinImpresion = new QRadioButton(QStringLiteral("Sin impresión"), grpImpresion);
    rbSinImpresion->setObjectName(QStringLiteral("rbSinImpresion"));
    auto* lblTexto =
        new QLabel(QStringLiteral("Texto que se imprimirá en el cheque"), grpImpresion);
    edtTexto = new QLineEdit(grpImpresion);
    fuerzaMayusculas(edtTexto);
    edtTexto->setObjectName(QStringLiteral("edtTexto"));
    edtTexto->setMaxLength(ConfiguracionEscaner::LongitudTexto);
    Accesibilidad::etiqueta(lblTexto, edtTexto);
    chkFecha = new QCheckBox(
        QStringLiteral(
            "   Añadir la fecha actual al final del  texto del reverso:      DD/MM/YYYY"),
        grpImpresion);
    chkFecha->setObjectName(QStringLiteral("chkFecha"));
    for (QWidget* w :
         std::initializer_list<QWidget*>{rbImprimir, rbSinImpresion, lblTexto, edtTexto, chkFecha})
        impresion->addWidget(w);
    grpImpresion->setVisible(false);
    grpImpresion->setEnabled(false);
    raiz->addWidget(grpImpresion);

    btnAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    btnAceptar->setObjectName(QStringLiteral("btnAceptar"));
    btnAceptar->setDefault(true);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(btnAceptar);
    raiz->addLayout(botones);
    setMinimumWidth(420);

    connect(btnAceptar, &QPushButton::clicked, this, &TfrmConfiguracion::aceptar);
    connect(grupoTipo, &QButtonGroup::idClicked, this, [this] { btnAceptar->setEnabled(true); });
    Accesibilidad::hazAccesible(this);
}

void TfrmConfiguracion::showEvent(QShowEvent* e) {
    setWindowTitle(Caption);
    muestraValores();
    if (primeraVez_)
        escribe(); // config.ini, with Safe, exists from now on
    btnAceptar->setEnabled(true);
    QDialog::showEvent(e);
}

void TfrmConfiguracion::muestraValores() {
    tEscaner& e = dm_.estado().Escaner;
    e = leeConfiguracionEscaner(dm_.instalacion());
    chkFecha->setChecked(e.Fecha);
    rbImprimir->setChecked(e.Imprimir);
    rbSinImpresion->setChecked(!e.Imprimir);
    if (QAbstractButton* rb = grupoTipo->button(e.tipo))
        rb->setChecked(true);
    edtTexto->setText(e.texto.toUpper());
}

void TfrmConfiguracion::escribe() {
    tEscaner& e = dm_.estado().Escaner;
    e.tipo = grupoTipo->checkedId() < 0 ? 0 : grupoTipo->checkedId();
    e.Imprimir = rbImprimir->isChecked();
    e.texto = edtTexto->text();
    e.Fecha = chkFecha->isChecked();
    const tEscaner antes = leeConfiguracionEscaner(dm_.instalacion());
    try {
        escribeConfiguracionEscaner(dm_.instalacion(), e, primeraVez_);
    } catch (const TErrorOperacion& fallo) {
        // The window goes on to check the reader with the settings chosen.
        CajaMensajes(dm_.estado(), this)
            .muestraMensaje(fallo.texto() +
                            QStringLiteral(" La configuración del escáner no ha cambiado."));
        return;
    }
    anotaCambioEscaner(dm_.instalacion(), dm_.iu(), antes, e);
}

void TfrmConfiguracion::reject() {
    if (!primeraVez_)
        QDialog::reject();
}

void TfrmConfiguracion::aceptar() {
    escribe();
    btnAceptar->setEnabled(false); // the check may take seconds
    compruebaEstadoEscaner(dm_.instalacion(), dm_.estado(), lectores_, this);
    done(QDialog::Accepted);
}
