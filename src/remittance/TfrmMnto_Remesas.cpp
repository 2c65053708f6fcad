#include "TfrmMnto_Remesas.h"

#include "Accesibilidad.h"
#include "AlmacenRemesas.h"
#include "AvisosImagen.h"
#include "CajaMensajes.h"
#include "CamposTexto.h"
#include "CuadreRemesa.h"
#include "ErrorOperacion.h"
#include "ListaOrdenable.h"
#include "NombresControles.h"
#include "TdmBBDD.h"
#include "TfrmFechas.h"
#include "TfrmMod_Cheque.h"
#include "TfrmResumen_Facturacion.h"
#include "copias/CopiasAutomaticas.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmMnto_Remesas::TfrmMnto_Remesas(TdmBBDD& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setWindowTitle(QStringLiteral("Remesas"));
    auto* capas = new QGridLayout(this);

    lvwremesas = new TListaOrdenable(dm_.estado().ColumnaOrden, this);
    lvwremesas->defineColumnas({QStringLiteral("Nombre Remesa ")}, {300});
    lvwremesas->installEventFilter(this);
    lvwremesas->setAccessibleName(QStringLiteral("Remesas"));
    capas->addWidget(lvwremesas, 0, 0, 6, 1);

    // Captions padded so that the text sits at the left of the button.
    btnNueva = new QPushButton(QStringLiteral("&Nueva          "), this);
    btnSeleccionar = new QPushButton(QStringLiteral("&Seleccionar"), this);
    btnEliminar = new QPushButton(QStringLiteral("&Eliminar       "), this);
    capas->addWidget(btnNueva, 0, 1);
    capas->addWidget(btnSeleccionar, 1, 1);
    capas->addWidget(btnEliminar, 2, 1);

    edtNombre = new QLineEdit(this);
    edtNombre->setMaxLength(35);
    fuerzaMayusculas(edtNombre);
    edtNombre->installEventFilter(this);
    auto* lblNombre = new QLabel(QStringLiteral("Nombre Remesa (OBL)"), this);
    lblNombre->setBuddy(edtNombre);
    capas->addWidget(lblNombre, 6, 0);
    capas->addWidget(edtNombre, 7, 0);
    btnAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    btnCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    capas->addWidget(btnAceptar, 6, 1);
    capas->addWidget(btnCancelar, 7, 1);

    auto* ayuda = new QPlainTextEdit(this);
    ayuda->setReadOnly(true);
    ayuda->setPlainText(QStringLiteral("Para operar, tiene que elegir unar remesa en la lista y "
                                       "pulsar [Seleccionar] o bien\n"
                                       "crear una [Nueva].\n"
                                       "[Eliminar] borra la remesa y  todos sus talones."));
    ayuda->setFixedHeight(70);
    Accesibilidad::textoAyuda(ayuda);
    capas->addWidget(ayuda, 8, 0, 1, 2);

    for (QPushButton* b : {btnNueva, btnSeleccionar, btnEliminar, btnAceptar, btnCancelar}) {
        b->setAutoDefault(false);
        pulsaConEnter(b);
    }
    connect(btnNueva, &QPushButton::clicked, this, &TfrmMnto_Remesas::pulsaNueva);
    connect(btnAceptar, &QPushButton::clicked, this, &TfrmMnto_Remesas::pulsaAceptar);
    connect(btnCancelar, &QPushButton::clicked, this, &TfrmMnto_Remesas::pulsaCancelar);
    connect(btnSeleccionar, &QPushButton::clicked, this, &TfrmMnto_Remesas::pulsaSeleccionar);
    connect(btnEliminar, &QPushButton::clicked, this, &TfrmMnto_Remesas::pulsaEliminar);
    connect(lvwremesas, &QTreeWidget::itemClicked, this, &TfrmMnto_Remesas::haceActualSeleccionada);
    connect(lvwremesas, &QTreeWidget::itemSelectionChanged, this,
            &TfrmMnto_Remesas::actualizaAcciones);
    connect(lvwremesas, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (btnSeleccionar->isEnabled())
            pulsaSeleccionar();
    });

    tmrRemesas.setInterval(1);
    tmrRemesas.setSingleShot(true);
    connect(&tmrRemesas, &QTimer::timeout, this, [this] {
        tmrRemesas.stop();
        done(QDialog::Accepted);
    });

    abreEditor = [this](const tRemesas& r) { return TfrmMod_Cheque::Launch(dm_, r, this); };
    abreFechas = [this](QString& p, QString& c) { return TfrmFechas::Launch(dm_, p, c, this); };
    emite = [this](tRemesas& r, const QString& c, const QString& p) {
        // A copy of the data folder first; its failure is told and the emission goes on.
        copiaAntesDeEmitir(dm_.instalacion(), dm_.iu());
        // A file that cannot be written ends the emission, not the program.
        bool emitida = false;
        CajaMensajes(dm_.estado(), this).ejecutaMostrandoError([&] {
            emitida = dm_.facturaFichero(r, c, p);
        });
        return emitida;
    };
    abreResumen = [this](const QString& f) { TfrmResumen_Facturacion::Launch(dm_, f, this); };

    fijaEditable(edtNombre, false);
    modoConsulta();
    nombraControles({{lvwremesas, "lvwremesas"},
                     {edtNombre, "edtNombre"},
                     {btnNueva, "btnNueva"},
                     {btnSeleccionar, "btnSeleccionar"},
                     {btnEliminar, "btnEliminar"},
                     {btnAceptar, "btnAceptar"},
                     {btnCancelar, "btnCancelar"}});
    Accesibilidad::hazAccesible(this);
}

void TfrmMnto_Remesas::modoConsulta() {
    btnNueva->setEnabled(true);
    lvwremesas->setEnabled(true);
    btnAceptar->setEnabled(false);
    btnCancelar->setEnabled(false);
    actualizaAcciones();
}

void TfrmMnto_Remesas::actualizaAcciones() {
    const bool hayFila = lvwremesas->isEnabled() && lvwremesas->filaSeleccionada() != nullptr;
    btnSeleccionar->setEnabled(hayFila);
    btnEliminar->setEnabled(hayFila);
}

void TfrmMnto_Remesas::haceActualSeleccionada() {
    regRemesa.Nombre_Remesa.clear();
    if (const TElementoLista* fila = lvwremesas->filaSeleccionada())
        ejecutaMostrandoError(dm_.iu(), [&] {
            regRemesa = dm_.remesas().cargaRegistroRemesasTablas(fila->datos.pk, tRemesas{});
        });
    dm_.estado().RemesaActual = regRemesa;
    edtNombre->setText(regRemesa.Nombre_Remesa);
}

void TfrmMnto_Remesas::refrescaLista() {
    tFilasLista filas;
    ejecutaMostrandoError(dm_.iu(), [&] { filas = dm_.remesas().carga_lista_Remesas(); });
    lvwremesas->cargaFilas(filas);
    if (lvwremesas->numeroFilas() > 0) {
        if (lvwremesas->isEnabled())
            lvwremesas->setFocus();
        lvwremesas->seleccionaFila(0);
    }
    modoConsulta();
    haceActualSeleccionada();
    fijaEditable(edtNombre, false);
}

void TfrmMnto_Remesas::recorrido() {
    // No remittance could be read (the table's message has been shown): the
    // editor has nothing to work on.
    if (lvwremesas->numeroFilas() == 0)
        return;
    tEstadoPrograma& e = dm_.estado();
    if (!abreEditor(e.RemesaActual))
        return;
    QString fecha_p, fecha_C;
    if (!abreFechas(fecha_p, fecha_C))
        return;
    if (!emite(e.RemesaActual, fecha_C, fecha_p))
        return;
    olvidaDatosPropios(e.RemesaActual.Pk_Remesa, false);
    abreResumen(e.RemesaActual.nombre_Cons);
}

void TfrmMnto_Remesas::showEvent(QShowEvent* ev) {
    QDialog::showEvent(ev);
    if (recorridoHecho_)
        return;
    recorridoHecho_ = true;
    // Qt sends this event before the window reaches the screen: the road
    // runs here, so the list never stands behind the editor, the dates
    // window and the summary. The timer then closes it as soon as it shows.
    btnNueva->setFocus();
    refrescaLista();
    recorrido();
    tmrRemesas.start();
}

void TfrmMnto_Remesas::pulsaNueva() {
    fijaEditable(edtNombre, true);
    edtNombre->clear();
    edtNombre->setFocus();
    btnNueva->setEnabled(false);
    lvwremesas->setEnabled(false);
    btnSeleccionar->setEnabled(false);
    btnEliminar->setEnabled(false);
    btnAceptar->setEnabled(true);
    btnCancelar->setEnabled(true);
}

bool TfrmMnto_Remesas::pulsaAceptar() {
    tRemesas nueva;
    nueva.Nombre_Remesa = edtNombre->text().trimmed();
    nueva.Importe = nueva.Numero_Talones = nueva.Numero_Registros = QStringLiteral("0");
    if (!CajaMensajes(dm_.estado(), this).ejecutaMostrandoError([&] {
            dm_.remesas().compruebaNombreRemesa(nueva.Nombre_Remesa);
        }) ||
        !ejecutaMostrandoError(dm_.iu(), [&] { dm_.remesas().GuardaRegistroRemesa(nueva); }))
        return false;
    refrescaLista();
    fijaEditable(edtNombre, false);
    modoConsulta();
    return true;
}

void TfrmMnto_Remesas::pulsaCancelar() {
    fijaEditable(edtNombre, false);
    modoConsulta();
    haceActualSeleccionada();
}

void TfrmMnto_Remesas::pulsaSeleccionar() {
    hide();
    recorrido();
    done(QDialog::Accepted);
}

void TfrmMnto_Remesas::pulsaEliminar() {
    const int pk = dm_.estado().RemesaActual.Pk_Remesa;
    if (ejecutaMostrandoError(dm_.iu(), [&] { dm_.remesas().EliminaRemesa(pk); }))
        olvidaDatosPropios(pk, true);
    refrescaLista();
}

// The declared control totals go with an emitted or deleted remittance, and
// with a deleted one its cheques' image marks: a new remittance may take its
// key. (The marks of emitted cheques go when the editor next lists the
// remittance; those of the cheques left there stay.)
void TfrmMnto_Remesas::olvidaDatosPropios(int pkRemesa, bool eliminada) {
    CajaMensajes(dm_.estado(), this).ejecutaMostrandoError([&] {
        TCuadreRemesa(dm_.instalacion()).borra(pkRemesa);
        if (eliminada)
            TAvisosImagen(dm_.instalacion()).borraRemesa(pkRemesa);
    });
}

bool TfrmMnto_Remesas::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(e)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            if (o == edtNombre) {
                btnAceptar->setFocus();
                return true;
            }
            if (o == lvwremesas && btnSeleccionar->isEnabled()) {
                pulsaSeleccionar();
                return true;
            }
        }
    }
    return QDialog::eventFilter(o, e);
}

bool TfrmMnto_Remesas::Launch(TdmBBDD& dm, QWidget* parent) {
    TfrmMnto_Remesas frm(dm, parent);
    return frm.exec() == QDialog::Accepted;
}
