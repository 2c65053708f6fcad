#include "TfrmMnto_Beneficiarios.h"

#include "Accesibilidad.h"
#include "AlmacenLibrados.h"
#include "Cadenas.h"
#include "CajaMensajes.h"
#include "CamposTexto.h"
#include "ListaOrdenable.h"
#include "TdmBBDD.h"
#include "Textos.h"
#include "TfrmSelectBeneficiarios.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString sinBlancosDelante(const QString& texto) {
    qsizetype i = 0;
    while (i < texto.size() && texto.at(i) == u' ')
        ++i;
    return texto.mid(i);
}
} // namespace

QStringList TfrmMnto_Beneficiarios::textoAyuda() {
    return {QStringLiteral("Desde esta ventana asignaremos un nombre de librado a la cuenta. La "
                           "cuenta se introducirá automática o manualmente desde el menú >> "
                           "Leer "),
            QStringLiteral("cheques."),
            QStringLiteral("El nombre del  librado del cheque es opcional. Pero si se introduce "
                           "éste en la aplicación, cada vez que se lea "),
            QStringLiteral("un cheque de esa cuenta también se mostrará el nombre del librado "
                           "facilitando la identificación y cuadre de los cheques.")};
}

bool TfrmMnto_Beneficiarios::Launch(TdmBBDD& dm, QWidget* parent) {
    TfrmMnto_Beneficiarios frm(dm, parent);
    frm.prepara();
    return frm.exec() == QDialog::Accepted;
}

TfrmMnto_Beneficiarios::TfrmMnto_Beneficiarios(TdmBBDD& dm, QWidget* parent)
    : TVentanaMantenimiento(parent), dm_(dm) {
    setObjectName(QStringLiteral("frmMnto_Beneficiarios"));
    setWindowTitle(Caption);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    creaControles();
    Accesibilidad::hazAccesible(this);
    dimensiona(753, 635);
}

void TfrmMnto_Beneficiarios::creaControles() {
    frmSelect = new TfrmSelectBeneficiarios(dm_.estado().ColumnaOrden, this);
    btnModificar = boton(QStringLiteral("&Modificar"), "btnModificar");
    btnEliminar = boton(QStringLiteral("&Eliminar"), "btnEliminar");

    grpLibrado = new QGroupBox(QStringLiteral("Librado"), this);
    grpLibrado->setObjectName(QStringLiteral("grpLibrado"));
    auto* formulario = new QFormLayout(grpLibrado);
    const auto campo = [&](const QString& etiqueta, int longitud, const char* nombre) {
        auto* edt = new QLineEdit(grpLibrado);
        edt->setObjectName(QLatin1String(nombre));
        edt->setMaxLength(longitud);
        fuerzaMayusculas(edt);
        edt->installEventFilter(this);
        auto* lbl = new QLabel(etiqueta, grpLibrado);
        Accesibilidad::etiqueta(lbl, edt);
        formulario->addRow(lbl, edt);
        return edt;
    };
    edtNombre = campo(QStringLiteral("Nombre  (OPC.)"), 35, "edtNombre");
    edtCuenta = campo(QStringLiteral("Cuenta (OBL.)"), 20, "edtCuenta");
    const QFontMetrics fm(edtNombre->font());
    edtNombre->setMinimumWidth(fm.horizontalAdvance(QString(36, u'W')));
    edtCuenta->setMaximumWidth(fm.horizontalAdvance(QString(24, u'W')));
    fijaEditable(edtCuenta, false);

    btnAceptar = boton(QStringLiteral("&Aceptar"), "btnAceptar");
    btnCancelar = boton(QStringLiteral("&Cancelar"), "btnCancelar");
    btnSalir = boton(QStringLiteral("&Salir"), "btnSalir");

    auto* capas = new QVBoxLayout(this);
    capas->addLayout(filaLista(frmSelect, {btnModificar, btnEliminar}), 1);
    capas->addWidget(grpLibrado);
    capas->addLayout(filaBotones({btnAceptar, btnCancelar, btnSalir}));
    capas->addWidget(creaAyuda(textoAyuda(), 6));
    defineModos({.lista = frmSelect->lista(),
                 .consulta = {btnSalir},
                 .conSeleccion = {btnModificar, btnEliminar},
                 .edicion = {btnAceptar, btnCancelar},
                 .campos = {edtNombre}});

    connect(btnModificar, &QPushButton::clicked, this, &TfrmMnto_Beneficiarios::modificar);
    connect(btnEliminar, &QPushButton::clicked, this, &TfrmMnto_Beneficiarios::eliminar);
    connect(btnAceptar, &QPushButton::clicked, this, &TfrmMnto_Beneficiarios::aceptar);
    connect(btnCancelar, &QPushButton::clicked, this, &TfrmMnto_Beneficiarios::cancelar);
    connect(btnSalir, &QPushButton::clicked, this, &QDialog::reject);
    connect(frmSelect->lista(), &QTreeWidget::itemSelectionChanged, this,
            &TfrmMnto_Beneficiarios::muestraSeleccion);
}

void TfrmMnto_Beneficiarios::prepara() {
    cargaLista();
}

void TfrmMnto_Beneficiarios::cargaLista() {
    frmSelect->Carga_lista_Beneficiarios(dm_);
    fijaModoEdicion(false);
    muestraSeleccion();
}

void TfrmMnto_Beneficiarios::muestraSeleccion() {
    const TElementoLista* fila = frmSelect->filaSeleccionada();
    habilitaSeleccion();
    edtNombre->clear();
    edtCuenta->clear();
    if (fila == nullptr)
        return;
    ejecutaMostrandoError(dm_.iu(), [&] {
        regBeneficiario =
            dm_.librados().CargaRegistroBeneficiarioTablas(fila->datos.pk, regBeneficiario);
    });
    edtNombre->setText(regBeneficiario.Nombre_Cliente);
    edtCuenta->setText(regBeneficiario.Cuenta);
}

void TfrmMnto_Beneficiarios::modificar() {
    if (enEdicion() || frmSelect->filaSeleccionada() == nullptr)
        return;
    FNuevo = false;
    fijaModoEdicion(true);
    edtNombre->setFocus();
}

TCliente TfrmMnto_Beneficiarios::registroDeCampos() const {
    TCliente r;
    r.Pk_Cliente = regBeneficiario.Pk_Cliente;
    r.EsNuevo = false;
    r.Nombre_Cliente = sinBlancosDelante(edtNombre->text());
    r.Cuenta = sinBlancosDelante(edtCuenta->text().remove(u'-'));
    return r;
}

bool TfrmMnto_Beneficiarios::CompruebaValoresIntroducidos(const TCliente& r) {
    int clave = r.Pk_Cliente;
    const CajaMensajes caja(dm_.estado(), this);
    bool duplicado = false;
    if (!ejecutaMostrandoError(dm_.iu(), [&] {
            duplicado = dm_.librados().DuplicadoBeneficiario(r.Cuenta, FNuevo, clave);
        }))
        return false;
    if (duplicado) {
        caja.muestraMensaje(MensajeCuentaDuplicada);
        return false;
    }
    return true;
}

void TfrmMnto_Beneficiarios::aceptar() {
    if (!enEdicion())
        return;
    // The access key presses the button without leaving the name field: its
    // rule is applied here as it would be on leaving it.
    if (focusWidget() == edtNombre)
        edtNombre->setText(normalizaTexto(edtNombre->text()));
    TCliente r = registroDeCampos();
    if (!CompruebaValoresIntroducidos(r))
        return;
    if (!CajaMensajes(dm_.estado(), this).ejecutaMostrandoError([&] {
            dm_.librados().GuardaBeneficiario(r);
        }))
        return;
    regBeneficiario = r;
    // The row changes in place: the list is neither reloaded nor re-sorted.
    if (TElementoLista* fila = frmSelect->filaSeleccionada()) {
        fila->setText(0, r.Nombre_Cliente);
        fila->setText(1, r.Cuenta);
    }
    fijaModoEdicion(false);
    frmSelect->lista()->setFocus();
}

void TfrmMnto_Beneficiarios::cancelar() {
    fijaModoEdicion(false);
    muestraSeleccion();
}

void TfrmMnto_Beneficiarios::eliminar() {
    const QList<int> claves = frmSelect->clavesSeleccionadas();
    if (enEdicion() || claves.isEmpty())
        return;
    if (CajaMensajes(dm_.estado(), this)
            .confirma(Cadenas::mensajes().mnjAvisoBorradoLibrado,
                      Cadenas::captions().captionCajaMensajes))
        ejecutaMostrandoError(dm_.iu(), [&] { dm_.librados().EliminaBeneficiarios(claves); });
    cargaLista();
}

bool TfrmMnto_Beneficiarios::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        const bool enter = tecla == Qt::Key_Return || tecla == Qt::Key_Enter;
        if ((objeto == edtNombre || objeto == edtCuenta) && enter) {
            btnAceptar->setFocus();
            return true;
        }
    } else if (objeto == edtNombre && evento->type() == QEvent::FocusOut) {
        edtNombre->setText(normalizaTexto(edtNombre->text()));
    }
    return TVentanaMantenimiento::eventFilter(objeto, evento);
}
