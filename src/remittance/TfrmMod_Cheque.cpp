#include "TfrmMod_Cheque.h"

#include "Accesibilidad.h"
#include "AlmacenLibrados.h"
#include "AlmacenTalones.h"
#include "Cadenas.h"
#include "CajaMensajes.h"
#include "CamposTexto.h"
#include "CodigosTalon.h"
#include "ErrorOperacion.h"
#include "FilasLista.h"
#include "ImagenesTalon.h"
#include "NombresControles.h"
#include "TCuadroCuadre.h"
#include "TPanelAvisoCheque.h"
#include "TPanelDetalleCheque.h"
#include "TPanelListaCheques.h"
#include "TdmBBDD.h"
#include "TextosBBDD.h"
#include "ValidacionTalon.h"

#include <QAction>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString MensajeDuplicado =
    QStringLiteral("Documento duplicado no puede ser tramitado, elimínelo");
} // namespace

// --- Class-level -----------------------------------------------------------

QStringList TfrmMod_Cheque::textoAyuda() {
    return {
        QStringLiteral("Para incorporar cheques a la remesa, siga los siguientes pasos:"),
        QStringLiteral(
            "    1º- Presione el botón [Escanear Cheques] para incorporarlos a la BBDD."),
        QStringLiteral("    2º- Seleccione un cheque y pulse [Modificar] para completar la "
                       "información de detalle. Una vez completada pulse [Aceptar]."),
        QStringLiteral("          Para moverse entre los diferentes cheques, utilice los botones "
                       "[Siguiente] y [Anterior]. "),
        QStringLiteral("    3º- Introduzca, el Librado si lo desea."),
        QStringLiteral("    4º- Emita la remesa con el botón [Emitir]."),
        QStringLiteral("Nota:  Tipo de cheques admitidos: 42xx, 43xx, 82xx, 83xx, 75xx, 77xx, 90xx "
                       "y 91xx. El tipo 9999, indica que la lectura del cheque fue "
                       "ERRÓNEA-INCOMPLETA,"),
        QStringLiteral("puede editar el cheque y corregir los valores, apoyandose en la imagen del "
                       "talón"),
        QStringLiteral("Fecha de vencimiento: se admite un rango de + - 1 año en formato "
                       "(dd/mm/aaaa.)"),
        QStringLiteral("Si un cheque o varios aperecen como DUPLICADOS, es por que ya han sido "
                       "[Emitido]s, si queremos incluirlos en una remesa, previamente anule"),
        QStringLiteral("dichos cheques. Vaya a Mantenimiento >> Histórico de cheques."),
        QStringLiteral(
            "Los documentos duplicados se eliminan automáticamente al cerrar o emitir la "
            "remesa."),
        QStringLiteral("No se dispone de las imágenes de los cheques introducidos manualmente, en "
                       "pantalla en el área de la imagen se mostrará el literal \"IMAGEN NO "
                       "DISPONIBLE\"")};
}

bool TfrmMod_Cheque::Launch(TdmBBDD& dm, const tRemesas& remesa, QWidget* parent) {
    TfrmMod_Cheque frm(dm, remesa, parent);
    frm.prepara();
    return frm.exec() == QDialog::Accepted;
}

// --- Construction ----------------------------------------------------------

TfrmMod_Cheque::TfrmMod_Cheque(TdmBBDD& dm, const tRemesas& remesa, QWidget* parent)
    : QDialog(parent), dm_(dm), remesa_(remesa), cuadre_(dm.instalacion()),
      almacenAvisos_(dm.instalacion()) {
    setWindowTitle(Caption + remesa.Nombre_Remesa);
    creaControles();
    conecta();
    setFixedWidth(Ancho);
    resize(Ancho, Alto);
    fijaModo(Modo::Navegando);
    detalle_->bloquea(true);
    nombraControles({{EliminarAct, "EliminarAct"},
                     {EmitirAct, "EmitirAct"},
                     {ModificarAct, "ModificarAct"},
                     {btnEliminar, "btnEliminar"},
                     {btnEmision, "btnEmision"},
                     {btnManual, "btnManual"},
                     {btnModifica, "btnModifica"},
                     {btnLeer, "btnLeer"},
                     {btnSalir, "btnSalir"}});
    Accesibilidad::hazAccesible(this);
}

void TfrmMod_Cheque::creaControles() {
    // Created in the order Tab visits them: list, main commands, editing
    // commands and fields, warning.
    lista_ = new TPanelListaCheques(dm_.estado().OrdenesCheques, this);
    QLayout* filaPrincipal = creaBotonesPrincipales();
    grpCuadre = new TCuadroCuadre(dm_.estado(), cuadre_, this);
    detalle_ = new TPanelDetalleCheque(dm_.instalacion().dirs, this);
    QWidget* ayuda = creaAyuda();

    // The list takes the whole width, so that a row is read whole; its
    // commands stand in one row right under it.
    auto* capas = new QVBoxLayout(this);
    capas->setContentsMargins(6, 6, 6, 6);
    capas->addWidget(lista_, 1);
    capas->addLayout(filaPrincipal);
    capas->addWidget(detalle_);
    // The Cuadre box beside the help: the list keeps all its height.
    auto* pie = new QHBoxLayout;
    pie->addWidget(ayuda, 1);
    pie->addWidget(grpCuadre, 0, Qt::AlignTop);
    capas->addLayout(pie);

    // Laid over the list when shown, outside the layout.
    aviso_ = new TPanelAvisoCheque(this);
}

QLayout* TfrmMod_Cheque::creaBotonesPrincipales() {
    btnEliminar = botonOrden(QStringLiteral("&Eliminar"), this);
    btnEmision = botonOrden(QStringLiteral("E&mitir"), this);
    btnManual = botonOrden(QStringLiteral("C&heque (Manual)"), this);
    btnModifica = botonOrden(QStringLiteral("&Modificar"), this);
    btnLeer = botonOrden(QStringLiteral(" Escanear Che&ques"), this);
    btnSalir = botonOrden(QStringLiteral("&Salir"), this);

    EliminarAct = new QAction(btnEliminar->text(), this);
    EmitirAct = new QAction(btnEmision->text(), this);
    ModificarAct = new QAction(btnModifica->text(), this);

    auto* fila = new QHBoxLayout;
    for (QPushButton* b : {btnEliminar, btnEmision, btnManual, btnModifica, btnLeer, btnSalir})
        fila->addWidget(b);
    fila->addStretch();
    return fila;
}

QWidget* TfrmMod_Cheque::creaAyuda() {
    auto* mmoAyuda = new QPlainTextEdit(this);
    mmoAyuda->setObjectName(QStringLiteral("mmoAyuda"));
    mmoAyuda->setReadOnly(true);
    mmoAyuda->setPlainText(textoAyuda().join(u'\n'));
    Accesibilidad::textoAyuda(mmoAyuda);
    QFont letraAyuda = mmoAyuda->font();
    letraAyuda.setPointSizeF(letraAyuda.pointSizeF() * 0.9);
    mmoAyuda->setFont(letraAyuda);
    // Eight lines in view, the rest a scroll away: the list keeps its room.
    mmoAyuda->setFixedHeight(QFontMetrics(letraAyuda).lineSpacing() * 8 +
                             2 * mmoAyuda->frameWidth() + 8);
    return mmoAyuda;
}

void TfrmMod_Cheque::conecta() {
    const auto enlaza = [this](QAction* accion, QPushButton* b, void (TfrmMod_Cheque::*orden)()) {
        connect(b, &QPushButton::clicked, accion, &QAction::trigger);
        connect(accion, &QAction::triggered, this, orden);
        connect(accion, &QAction::enabledChanged, b, &QWidget::setEnabled);
    };
    enlaza(EliminarAct, btnEliminar, &TfrmMod_Cheque::eliminar);
    enlaza(EmitirAct, btnEmision, &TfrmMod_Cheque::emitir);
    enlaza(ModificarAct, btnModifica, &TfrmMod_Cheque::modificar);
    connect(btnManual, &QPushButton::clicked, this, &TfrmMod_Cheque::chequeManual);
    connect(btnLeer, &QPushButton::clicked, this, &TfrmMod_Cheque::escanear);
    connect(btnSalir, &QPushButton::clicked, this, &TfrmMod_Cheque::salir);
    connect(detalle_, &TPanelDetalleCheque::siguientePulsado, this, &TfrmMod_Cheque::siguiente);
    connect(detalle_, &TPanelDetalleCheque::anteriorPulsado, this, &TfrmMod_Cheque::anterior);
    connect(detalle_, &TPanelDetalleCheque::aceptarPulsado, this, &TfrmMod_Cheque::aceptar);
    connect(detalle_, &TPanelDetalleCheque::cancelarPulsado, this, &TfrmMod_Cheque::cancelar);
    connect(aviso_, &TPanelAvisoCheque::continuarPulsado, this, &TfrmMod_Cheque::continuar);
    connect(aviso_, &TPanelAvisoCheque::cancelarPulsado, this, &TfrmMod_Cheque::cancelarAviso);
    connect(lista_, &TPanelListaCheques::seleccionCambiada, this,
            &TfrmMod_Cheque::seleccionCambiada);
    connect(lista_, &TPanelListaCheques::filaActivada, this, [this] {
        if (ModificarAct->isEnabled())
            ModificarAct->trigger();
    });
}

void TfrmMod_Cheque::prepara() {
    grpCuadre->cargaRemesa(pkRemesa());
    refrescaLista();
    btnLeer->setFocus();
}

// --- State -----------------------------------------------------------------

QString TfrmMod_Cheque::tablaTalones() const {
    return dm_.rutaTalonesActual();
}

bool TfrmMod_Cheque::accionesDeFilaHabilitadas() const {
    return modo_ == Modo::Navegando && lista_->habilitada() && lista_->numeroFilas() > 0 &&
           lista_->filaSeleccionada() != nullptr;
}

const QString& TfrmMod_Cheque::imagenMostrada() const {
    return detalle_->imagenMostrada();
}

bool TfrmMod_Cheque::duplicadoMostrado() const {
    return detalle_->duplicadoMostrado();
}

int TfrmMod_Cheque::filaActual() const {
    return lista_->filaActual();
}

void TfrmMod_Cheque::fijaModo(Modo modo) {
    modo_ = modo;
    const bool navegando = modo == Modo::Navegando;
    lista_->fijaHabilitada(navegando);
    for (QPushButton* b : {btnManual, btnLeer, btnSalir})
        b->setEnabled(navegando);
    if (modo == Modo::Editando) {
        detalle_->abreEdicion(filaActual(), lista_->numeroFilas());
    } else if (navegando) {
        detalle_->cierraEdicion();
        aviso_->hide();
    }
    actualizaAcciones();
}

void TfrmMod_Cheque::actualizaAcciones() {
    const bool habilitadas = accionesDeFilaHabilitadas();
    for (QAction* a : {EliminarAct, EmitirAct, ModificarAct})
        a->setEnabled(habilitadas);
    // The buttons follow their actions; set them too, as an action that
    // does not change sends no signal.
    btnEliminar->setEnabled(habilitadas);
    btnEmision->setEnabled(habilitadas);
    btnModifica->setEnabled(habilitadas);
}

// --- List --------------------------------------------------------------------

void TfrmMod_Cheque::refrescaLista() {
    detalle_->bloquea(true);
    actualizaTotales();
    cargandoLista = true;
    detalle_->vaciaCuentaYLibrado();
    int filas = 0;
    tFilasLista lista;
    ejecutaMostrandoError(dm_.iu(), [&] {
        lista = dm_.talones().Carga_lista_Talones(dm_.estado().RemesaActual.Pk_Remesa, filas);
    });
    lista_->cargaFilas(lista);
    cargaAvisosImagen();
    detalle_->muestraZonaImagen(lista_->numeroFilas() > 0);
    fijaModo(Modo::Navegando);
    cargandoLista = false;
    if (lista_->numeroFilas() > 0)
        lista_->seleccionaFila(0);
    actualizaAcciones();
}

void TfrmMod_Cheque::actualizaTotales() {
    tTotalesCheques t = lista_->totales();
    ejecutaMostrandoError(dm_.iu(), [&] {
        dm_.talones().CalculaTotales(t.importe, t.completos, t.total, tablaTalones());
    });
    lista_->muestraTotales(t);
    grpCuadre->muestraContados(TCuadroCuadre::totalesDeCabecera(t.importe, t.completos));
}

void TfrmMod_Cheque::seleccionCambiada() {
    if (cargandoLista)
        return;
    cargaTalonSeleccionado();
    actualizaTotales();
    actualizaAcciones();
}

void TfrmMod_Cheque::cargaTalonSeleccionado() {
    const TElementoCheque* fila = lista_->filaSeleccionada();
    if (fila == nullptr)
        return;
    const CajaMensajes caja(dm_.estado(), this);
    ejecutaMostrandoError(dm_.iu(), [&] {
        regTalon_ = dm_.talones().CargaRegistroTalones(
            fila->datos.pk, dm_.estado().RemesaActual.Pk_Remesa, regTalon_);
    });
    ejecutaMostrandoError(dm_.iu(), [&] {
        regClientes =
            dm_.librados().CargaRegistroBeneficiarioTablas(regTalon_.fk_Beneficiarios, TCliente{});
    });
    muestraTalon();
}

void TfrmMod_Cheque::muestraTalon() {
    detalle_->muestraTalon(regTalon_, regClientes.Nombre_Cliente);
    detalle_->muestraAvisoImagen(avisos_.value(regTalon_.Pk_Talon));
}

// --- Editing -----------------------------------------------------------------

void TfrmMod_Cheque::modificar() {
    if (!accionesDeFilaHabilitadas())
        return;
    if (duplicadoMostrado()) {
        CajaMensajes(dm_.estado(), this).muestraMensaje(MensajeDuplicado);
        return;
    }
    fijaModo(Modo::Editando);
    detalle_->bloquea(false);
    detalle_->enfocaAlPrincipio();
}

tTalon TfrmMod_Cheque::talonDeCampos() const {
    return detalle_->talonDeCampos(regTalon_);
}

bool TfrmMod_Cheque::validaTalon(const tTalon& talon, QString& mensaje) const {
    tContextoValidacion contexto;
    // The images are those the cheque has now; a changed base name takes
    // them along when the cheque is saved.
    contexto.existeImagenFrontal = QFileInfo::exists(
        rutaImagenFrontal(dm_.instalacion().dirs.Dir_Imagenes, baseImagenTalon(regTalon_)));
    contexto.mostradoComoDuplicado = duplicadoMostrado();
    contexto.importeIlegible = detalle_->importeIlegible();
    contexto.duplicidadTalon = [this](const tTalon& t) {
        return dm_.talones().duplicidadTalon(QString::number(t.Pk_Talon), t.Numero, t.Cuenta,
                                             t.numero_Modelo, false);
    };
    return ::validaTalon(talon, mensaje, contexto);
}

GuardadoTalon TfrmMod_Cheque::guardaTalonEditado(tTalon& talon) {
    return dm_.talones().GuardaTalonEditado(regTalon_, talon, regClientes, tablaTalones());
}

void TfrmMod_Cheque::guarda(BotonGuardar boton) {
    if (modo_ != Modo::Editando)
        return;
    // The rules of leaving the model and amount fields hold for what is
    // saved, however the field was left (an access key leaves none, and a
    // window without focus sees no field left): an amount never goes to the
    // table unformatted.
    detalle_->saleModelo();
    detalle_->saleImporte();
    // regTalon keeps the stored cheque until the save succeeds, so a failed
    // attempt does not lose the name its images are filed under.
    const QString baseAnterior = baseImagenTalon(regTalon_);
    tTalon talon = talonDeCampos();
    QString mensaje;
    if (!validaTalon(talon, mensaje)) {
        CajaMensajes(dm_.estado(), this).muestraMensaje(mensaje);
        detalle_->enfoca(boton == BotonGuardar::Aceptar ? TPanelDetalleCheque::Campo::Modelo
                                                        : TPanelDetalleCheque::Campo::Numero);
        return;
    }
    talon.Estado = Estado::Correcto;
    GuardadoTalon guardado = GuardadoTalon::Hecho;
    const CajaMensajes caja(dm_.estado(), this);
    if (!caja.ejecutaMostrandoError([&] { guardado = guardaTalonEditado(talon); })) {
        if (boton == BotonGuardar::Aceptar)
            terminaEdicion();
        else
            detalle_->enfoca(TPanelDetalleCheque::Campo::Importe);
        return;
    }
    if (guardado == GuardadoTalon::CambiadoPorOtro) {
        // Nothing was written: the operator sees what the remittance holds
        // now before deciding again.
        caja.muestraMensaje(MensajeBBDD::TalonCambiadoAlGuardar);
        refrescaListaEn(regTalon_.Pk_Talon);
        return;
    }
    if (talon.Pk_Talon == manualSinGuardar_)
        manualSinGuardar_ = 0;
    regTalon_ = talon;
    detalle_->muestraLibrado(talon.Nombre_Cliente);
    lista_->muestraFilaActual(filaListaTalon(talon));
    const QString baseNueva = baseImagenTalon(talon);
    if (baseNueva != baseAnterior)
        renombraImagenesTalon(dm_.instalacion().dirs, baseAnterior, baseNueva);

    if (boton == BotonGuardar::Aceptar)
        terminaEdicion();
    else
        avanza(boton == BotonGuardar::Siguiente ? 1 : -1);
}

void TfrmMod_Cheque::terminaEdicion() {
    detalle_->bloquea(true);
    fijaModo(Modo::Navegando);
    actualizaTotales();
    lista_->enfocaLista();
}

void TfrmMod_Cheque::avanza(int paso) {
    const int filas = lista_->numeroFilas();
    int fila = filaActual() + paso;
    if (fila >= 0 && fila < filas) {
        lista_->seleccionaFila(fila);
        // Duplicates cannot be completed: pass over them, but not beyond the
        // end of the list.
        while (duplicadoMostrado() && fila + paso >= 0 && fila + paso < filas) {
            fila += paso;
            lista_->seleccionaFila(fila);
        }
    }
    detalle_->fijaPosicion(filaActual(), filas);
    detalle_->bloquea(false);
    actualizaTotales();
    detalle_->enfoca(TPanelDetalleCheque::Campo::Importe);
}

void TfrmMod_Cheque::aceptar() {
    guarda(BotonGuardar::Aceptar);
}

void TfrmMod_Cheque::siguiente() {
    guarda(BotonGuardar::Siguiente);
}

void TfrmMod_Cheque::anterior() {
    guarda(BotonGuardar::Anterior);
}

void TfrmMod_Cheque::refrescaListaEn(int clave) {
    refrescaLista();
    const int fila = lista_->indiceDeClave(clave);
    if (fila >= 0)
        lista_->seleccionaFila(fila);
    lista_->enfocaLista();
}

void TfrmMod_Cheque::cancelar() {
    if (modo_ != Modo::Editando)
        return;
    // A manual cheque never saved was only a blank to fill in: it goes.
    if (manualSinGuardar_ != 0 && regTalon_.Pk_Talon == manualSinGuardar_) {
        manualSinGuardar_ = 0;
        ejecutaMostrandoError(dm_.iu(), [&] { dm_.talones().EliminaTalon(regTalon_); });
        detalle_->vacia();
        refrescaLista();
        lista_->enfocaLista();
        return;
    }
    detalle_->bloquea(true);
    fijaModo(Modo::Navegando);
    // What the operator typed is dropped: the selected cheque is shown as
    // it is stored, so nothing rejected stays beside its row.
    detalle_->vacia();
    cargaTalonSeleccionado();
    lista_->enfocaLista();
}

// --- Main commands -----------------------------------------------------------

void TfrmMod_Cheque::chequeManual() {
    if (modo_ != Modo::Navegando)
        return;
    tTalon talon;
    if (!ejecutaMostrandoError(dm_.iu(), [&] {
            dm_.talones().introduceTalonManual(talon, dm_.estado().RemesaActual.Pk_Remesa);
        }))
        return;
    // Its key may have been a deleted cheque's: no mark of that one stays.
    quitaAvisoImagen(talon.Pk_Talon);
    regTalon_ = talon;
    manualSinGuardar_ = talon.Pk_Talon;
    // Until it is completed, the new row shows only what the operator does
    // not type: number, drawer and date stay empty.
    tTalon enLista = talon;
    enLista.Estado = Estado::Incompleto;
    enLista.Numero.clear();
    enLista.Nombre_Cliente.clear();
    enLista.FechaPago.clear();
    lista_->agregaFila(filaListaTalon(enLista));
    detalle_->muestraZonaImagen(true);
    lista_->seleccionaFila(lista_->numeroFilas() - 1);
    modificar();
}

void TfrmMod_Cheque::eliminar() {
    if (!accionesDeFilaHabilitadas())
        return;
    const TElementoCheque* fila = lista_->filaSeleccionada();
    // The cheque on screen is the one deleted; should its loading have
    // failed, it is not the selected row and nothing is deleted.
    if (regTalon_.Pk_Talon != fila->datos.pk)
        return;
    const int clave = regTalon_.Pk_Talon;
    if (!ejecutaMostrandoError(dm_.iu(), [&] {
            dm_.talones().EliminaTalon(regTalon_, fila->text(TPanelListaCheques::colEstado));
        })) {
        // It stays (another program changed it, or the table failed): the
        // list shows what the remittance holds now, on that cheque.
        refrescaListaEn(clave);
        return;
    }
    actualizaTotales();
    detalle_->vacia();
    refrescaLista();
}

void TfrmMod_Cheque::escanear() {
    if (modo_ != Modo::Navegando)
        return;
    const tEstadoPrograma& estado = dm_.estado();
    const int tipo = estado.Escaner.tipo;
    if (tipo < TipoLector::SeacBanche || tipo > TipoLector::VisionX || !estado.abreVentanaCaptura)
        return;
    if (estado.abreVentanaCaptura(tipo)) {
        // The capture window may have declared control totals meanwhile.
        grpCuadre->cargaRemesa(pkRemesa());
        refrescaLista();
    }
}

void TfrmMod_Cheque::salir() {
    ejecutaMostrandoError(dm_.iu(), [&] { dm_.talones().EminaTalonesDuplicados(tablaTalones()); });
    reject();
}

void TfrmMod_Cheque::emitir() {
    if (!accionesDeFilaHabilitadas())
        return;
    if (lista_->importeTotalMostrado() == Cadenas::captions().Caption0Euros) {
        CajaMensajes(dm_.estado(), this).muestraMensaje(Cadenas::mensajes().mnjErrorEmision);
        return;
    }
    if (!confirmaCuadre() || !confirmaAvisosImagen())
        return;
    fijaModo(Modo::Aviso);
    // A count that could not be read shows no red line.
    int incompletos = 0;
    if (!dm_.talones().Quedan_Talones_Incompletos(incompletos))
        incompletos = 0;
    aviso_->muestra(lista_->importeTotalMostrado(), lista_->completosMostrados(), incompletos,
                    lista_->zonaLista(this));
}

void TfrmMod_Cheque::continuar() {
    if (modo_ != Modo::Aviso)
        return;
    ejecutaMostrandoError(dm_.iu(), [&] { dm_.talones().EminaTalonesDuplicados(tablaTalones()); });
    accept();
}

void TfrmMod_Cheque::reject() {
    cancelar();
    QDialog::reject();
}

void TfrmMod_Cheque::cancelarAviso() {
    if (modo_ != Modo::Aviso)
        return;
    aviso_->hide();
    fijaModo(Modo::Navegando);
    lista_->enfocaLista();
}

// --- Keys --------------------------------------------------------------------

void TfrmMod_Cheque::keyPressEvent(QKeyEvent* evento) {
    // Neither Escape nor Enter closes the window: it ends by its buttons.
    if (evento->key() == Qt::Key_Escape || evento->key() == Qt::Key_Return ||
        evento->key() == Qt::Key_Enter) {
        evento->accept();
        return;
    }
    QDialog::keyPressEvent(evento);
}

void TfrmMod_Cheque::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (!mostrado_) {
        mostrado_ = true;
        btnLeer->setFocus();
    }
}

// --- Control totals and image marks --------------------------------------------

namespace {
const QString BotonEmitirIgualmente = QStringLiteral("Emitir igualmente");
const QString BotonVolver = QStringLiteral("Volver");
const QString CabeceraAtencion = QStringLiteral("Atención");
} // namespace

int TfrmMod_Cheque::pkRemesa() const {
    return dm_.estado().RemesaActual.Pk_Remesa;
}

// The marks of cheques no longer in the remittance (deleted, emitted) go, so
// that a key taken again by a new cheque never shows another's mark.
void TfrmMod_Cheque::cargaAvisosImagen() {
    avisos_.clear();
    CajaMensajes(dm_.estado(), this).ejecutaMostrandoError([&] {
        const QList<int> enLista = lista_->claves();
        const QSet<int> claves(enLista.cbegin(), enLista.cend());
        almacenAvisos_.conservaSolo(pkRemesa(), claves);
        avisos_ = almacenAvisos_.carga(pkRemesa());
    });
    lista_->marcaAvisos(avisos_);
}

void TfrmMod_Cheque::quitaAvisoImagen(int clave) {
    if (clave == 0)
        return;
    CajaMensajes(dm_.estado(), this).ejecutaMostrandoError([&] {
        almacenAvisos_.fija(pkRemesa(), {clave}, {});
        avisos_.remove(clave);
    });
}

bool TfrmMod_Cheque::confirmaCuadre() {
    const tDiferenciaCuadre d = grpCuadre->diferencia();
    if (!d.descuadrado())
        return true;
    const tCuadreDeclarado& declarado = grpCuadre->declarado();
    QStringList lineas{QStringLiteral("Los totales declarados no cuadran con los cheques "
                                      "correctos de la remesa:")};
    if (declarado.documentos)
        lineas << QStringLiteral("Documentos: declarados %1, correctos %2.")
                      .arg(*declarado.documentos)
                      .arg(*declarado.documentos + *d.documentos);
    if (declarado.importe)
        lineas << QStringLiteral("Importe: declarado %1, correctos %2.")
                      .arg(declarado.importe->visible(),
                           tImporte::deCentimos(declarado.importe->centimos() +
                                                d.importe->centimos())
                               .visible());
    lineas << QStringLiteral("¿Desea emitir la remesa igualmente o volver a revisarla?");
    return CajaMensajes(dm_.estado(), this)
               .preguntaConVuelta(lineas.join(u'\n'), BotonEmitirIgualmente, BotonVolver,
                                  CabeceraAtencion) == CajaMensajes::PrimerBoton;
}

bool TfrmMod_Cheque::confirmaAvisosImagen() {
    int marcados = 0;
    QStringList tipos;
    for (auto it = avisos_.cbegin(); it != avisos_.cend(); ++it) {
        // Only the correct cheques are emitted; the others stay in the remittance.
        if (dm_.talones()
                .CargaRegistroTalones(it.key(), dm_.estado().RemesaActual.Pk_Remesa)
                .Estado != Estado::Correcto)
            continue;
        ++marcados;
        if (!tipos.contains(it->aviso))
            tipos << it->aviso;
    }
    if (marcados == 0)
        return true;
    const QString cuales = tipos.join(QStringLiteral(", "));
    const QString texto =
        (marcados == 1 ? QStringLiteral("Se va a emitir 1 cheque con la imagen marcada (%1): el "
                                        "banco puede rechazarlo.")
                             .arg(cuales)
                       : QStringLiteral("Se van a emitir %1 cheques con la imagen marcada (%2): "
                                        "el banco puede rechazarlos.")
                             .arg(marcados)
                             .arg(cuales)) +
        QStringLiteral("\n¿Desea emitir la remesa igualmente o volver a revisarla?");
    return CajaMensajes(dm_.estado(), this)
               .preguntaConVuelta(texto, BotonEmitirIgualmente, BotonVolver, CabeceraAtencion) ==
           CajaMensajes::PrimerBoton;
}
