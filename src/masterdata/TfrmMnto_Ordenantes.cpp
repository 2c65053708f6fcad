#include "TfrmMnto_Ordenantes.h"

#include "Accesibilidad.h"
#include "AlmacenOrdenantes.h"
#include "Cadenas.h"
#include "CajaMensajes.h"
#include "CamposTexto.h"
#include "ComprobacionOrdenante.h"
#include "ListaOrdenable.h"
#include "NombresControles.h"
#include "TdmBBDD.h"
#include "Textos.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

QStringList TfrmMnto_Ordenantes::textoAyuda() {
    return {QStringLiteral("El procedimiento de entrega a la entidad de crédito de una remesa de "
                           "cheques para su tramitación y abono, exige informar del presentador "
                           "o "),
            QStringLiteral("persona-empresa que hace la entrega y recibe el pago."),
            QStringLiteral("La aplicación permite tener varios presentadores. Al emitir una "
                           "remesa la aplicación exige elegir un presentador de entre los "
                           "existentes."),
            QStringLiteral("Este menú facilita el alta y mantenimiento de presentadores.")};
}

bool TfrmMnto_Ordenantes::Launch(TdmBBDD& dm, QWidget* parent) {
    TfrmMnto_Ordenantes frm(dm, parent);
    frm.prepara();
    return frm.exec() == QDialog::Accepted;
}

TfrmMnto_Ordenantes::TfrmMnto_Ordenantes(TdmBBDD& dm, QWidget* parent)
    : TVentanaMantenimiento(parent), dm_(dm) {
    setWindowTitle(Caption);
    creaControles();
    dimensiona(858, 526);
    nombraControles({{lvwOrdenante, "lvwOrdenante"},
                     {grpPresentador, "grpPresentador"},
                     {edtNombre, "edtNombre"},
                     {edtCuenta, "edtCuenta"},
                     {edtNif, "edtNif"}});
    Accesibilidad::hazAccesible(this);
}

void TfrmMnto_Ordenantes::creaControles() {
    lvwOrdenante = new TListaOrdenable(dm_.estado().ColumnaOrden, this);
    lvwOrdenante->defineColumnas(
        {QStringLiteral("Nombre"), QStringLiteral("Cuenta"), QStringLiteral("Identificador")},
        {355, 194, 156});
    lvwOrdenante->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lvwOrdenante->setAccessibleName(QStringLiteral("Presentadores"));

    btnNuevo = boton(QStringLiteral("&Nuevo"), "btnNuevo");
    btnModificar = boton(QStringLiteral("&Modificar"), "btnModificar");
    btnEliminar = boton(QStringLiteral("&Eliminar"), "btnEliminar");

    grpPresentador = new QGroupBox(QStringLiteral("Presentador (Obligatorio) "), this);
    auto* formulario = new QFormLayout(grpPresentador);
    const auto campo = [&](const QString& etiqueta, int longitud) {
        auto* edt = new QLineEdit(grpPresentador);
        edt->setMaxLength(longitud);
        fuerzaMayusculas(edt);
        edt->installEventFilter(this);
        auto* lbl = new QLabel(etiqueta, grpPresentador);
        lbl->setBuddy(edt);
        formulario->addRow(lbl, edt);
        return edt;
    };
    edtNombre = campo(QStringLiteral("Nombre"), 35);
    edtCuenta = campo(QStringLiteral("Cuenta (IBAN)"), 26);
    edtNif = campo(QStringLiteral("CIF/NIF"), 9);
    const QFontMetrics fm(edtNombre->font());
    edtNombre->setMinimumWidth(fm.horizontalAdvance(QString(36, u'W')));
    edtCuenta->setMaximumWidth(fm.horizontalAdvance(QString(30, u'W')));
    edtNif->setMaximumWidth(fm.horizontalAdvance(QString(12, u'W')));

    btnAceptar = boton(QStringLiteral("&Aceptar"), "btnAceptar");
    btnCancelar = boton(QStringLiteral("&Cancelar"), "btnCancelar");
    btnSalir = boton(QStringLiteral("&Salir"), "btnSalir");

    auto* capas = new QVBoxLayout(this);
    capas->addLayout(filaLista(lvwOrdenante, {btnNuevo, btnModificar, btnEliminar}), 1);
    capas->addWidget(grpPresentador);
    capas->addLayout(filaBotones({btnAceptar, btnCancelar, btnSalir}));
    capas->addWidget(creaAyuda(textoAyuda(), 6));
    defineModos({.lista = lvwOrdenante,
                 .consulta = {btnNuevo, btnSalir},
                 .conSeleccion = {btnModificar, btnEliminar},
                 .edicion = {btnAceptar, btnCancelar},
                 .campos = {edtNombre, edtCuenta, edtNif}});

    setTabOrder(edtNombre, edtCuenta);
    setTabOrder(edtCuenta, edtNif);
    setTabOrder(edtNif, btnAceptar);

    connect(btnNuevo, &QPushButton::clicked, this, &TfrmMnto_Ordenantes::nuevo);
    connect(btnModificar, &QPushButton::clicked, this, &TfrmMnto_Ordenantes::modificar);
    connect(btnEliminar, &QPushButton::clicked, this, &TfrmMnto_Ordenantes::eliminar);
    connect(btnAceptar, &QPushButton::clicked, this, &TfrmMnto_Ordenantes::aceptar);
    connect(btnCancelar, &QPushButton::clicked, this, &TfrmMnto_Ordenantes::cancelar);
    connect(btnSalir, &QPushButton::clicked, this, &QDialog::reject);
    connect(lvwOrdenante, &QTreeWidget::itemSelectionChanged, this,
            &TfrmMnto_Ordenantes::muestraSeleccion);
}

void TfrmMnto_Ordenantes::prepara() {
    CargaListaOrdenantes();
    fijaModoEdicion(false);
    muestraSeleccion();
}

void TfrmMnto_Ordenantes::CargaListaOrdenantes() {
    VentanaEsperar espera(dm_.iu());
    const QSignalBlocker bloqueo(lvwOrdenante);
    lvwOrdenante->cargaFilas(dm_.ordenantes().CargaListaOrdenantes());
}

void TfrmMnto_Ordenantes::muestraSeleccion() {
    edtNombre->clear();
    edtCuenta->clear();
    edtNif->clear();
    limpiaRegistroOrdenante(regOrdenante);
    const TElementoLista* fila = lvwOrdenante->filaSeleccionada();
    habilitaSeleccion();
    if (fila == nullptr)
        return;
    ejecutaMostrandoError(dm_.iu(), [&] {
        regOrdenante = dm_.ordenantes().CargaRegistroOrdenantesTablas(fila->datos.pk, regOrdenante);
    });
    edtNif->setText(regOrdenante.Nif_Sufijo);
    edtNombre->setText(regOrdenante.Nombre_ordenante);
    edtCuenta->setText(regOrdenante.Cuenta);
}

void TfrmMnto_Ordenantes::nuevo() {
    FNuevo = true;
    fijaModoEdicion(true);
    edtNombre->clear();
    edtCuenta->clear();
    edtNif->clear();
    edtNombre->setFocus();
}

void TfrmMnto_Ordenantes::modificar() {
    if (lvwOrdenante->filaSeleccionada() == nullptr)
        return;
    FNuevo = false;
    fijaModoEdicion(true);
    edtNombre->setFocus();
}

QString TfrmMnto_Ordenantes::rellenaNif(const QString& nif) {
    const QString t = nif.trimmed();
    if (t.isEmpty())
        return nif;
    return rellenaCadena(t, QStringLiteral("0"), 9, false);
}

QString TfrmMnto_Ordenantes::normalizaCuenta(const QString& cuenta) {
    // normalizaTexto may turn a quote into a blank; blanks go after it.
    return cuentaOrdenanteSinBlancos(normalizaTexto(cuenta.trimmed()));
}

void TfrmMnto_Ordenantes::saleCampo(QLineEdit* campo) {
    if (campo == edtNif)
        edtNif->setText(rellenaNif(edtNif->text()));
    else if (campo == edtCuenta)
        edtCuenta->setText(normalizaCuenta(edtCuenta->text()));
}

tOrdenantes TfrmMnto_Ordenantes::registroDeCampos() const {
    tOrdenantes r;
    r.Pk_Ordenante = FNuevo ? 0 : regOrdenante.Pk_Ordenante;
    r.EsNuevo = FNuevo;
    r.Nif_Sufijo = edtNif->text();
    r.Nombre_ordenante = edtNombre->text().trimmed();
    r.Cuenta = edtCuenta->text();
    return r;
}

void TfrmMnto_Ordenantes::CompruebaValoresIntroducidos(const tOrdenantes& r) {
    ::CompruebaValoresIntroducidos(dm_.ordenantes(), r);
}

void TfrmMnto_Ordenantes::aceptar() {
    if (!enEdicion())
        return;
    // The access key presses the button without leaving the field being
    // typed in: its rule is applied here as it would be on leaving it.
    if (auto* campo = qobject_cast<QLineEdit*>(focusWidget()))
        saleCampo(campo);
    tOrdenantes r = registroDeCampos();
    if (!CajaMensajes(dm_.estado(), this).ejecutaMostrandoError([&] {
            CompruebaValoresIntroducidos(r);
            dm_.ordenantes().GuardaOrdenante(r);
        }))
        return;
    CargaListaOrdenantes();
    fijaModoEdicion(false);
    lvwOrdenante->setFocus();
    lvwOrdenante->seleccionaFila(0);
    muestraSeleccion();
}

void TfrmMnto_Ordenantes::cancelar() {
    fijaModoEdicion(false);
    muestraSeleccion();
}

void TfrmMnto_Ordenantes::eliminar() {
    const TElementoLista* fila = lvwOrdenante->filaSeleccionada();
    if (enEdicion() || fila == nullptr)
        return;
    const int clave = fila->datos.pk;
    if (CajaMensajes(dm_.estado(), this)
            .confirma(Cadenas::mensajes().mnjAvisoBorradoAcreedor,
                      Cadenas::captions().captionCajaMensajes))
        ejecutaMostrandoError(dm_.iu(), [&] { dm_.ordenantes().EliminaRegistroOrdenante(clave); });
    CargaListaOrdenantes();
    muestraSeleccion();
}

bool TfrmMnto_Ordenantes::eventFilter(QObject* objeto, QEvent* evento) {
    auto* campo = qobject_cast<QLineEdit*>(objeto);
    if (campo == nullptr || (campo != edtNombre && campo != edtCuenta && campo != edtNif))
        return TVentanaMantenimiento::eventFilter(objeto, evento);
    if (evento->type() == QEvent::FocusOut) {
        saleCampo(campo);
    } else if (evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
        if (tecla == Qt::Key_F2 && campo == edtNombre) {
            edtNombre->setText(RegF2.Nombre_ordenante);
            return true;
        }
        if (tecla == Qt::Key_F2 && campo == edtCuenta) {
            edtCuenta->setText(RegF2.Cuenta);
            return true;
        }
    }
    return TVentanaMantenimiento::eventFilter(objeto, evento);
}
