#include "TfrmMod_Cheque.h"

#include "Accesibilidad.h"
#include "Cadenas.h"
#include "CajaMensajes.h"
#include "CamposTexto.h"
#include "CodigosTalon.h"
#include "FilasLista.h"
#include "ImagenesTalon.h"
#include "Importes.h"
#include "NombresControles.h"
#include "TdmBBDD.h"
#include "TiposDocumento.h"
#include "ValidacionTalon.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString MensajeDuplicado =
    QStringLiteral("Documento duplicado no puede ser tramitado, elimínelo");
const QString LineaDetalle = QStringLiteral("La remesa se generará con el siguiente detalle:");
const QString ImagenVacia = QStringLiteral("SIN_IMAGEN.jpg");

// The six model descriptions of the selector; the index is the model code.
QStringList descripcionesModelo() {
    QStringList d;
    for (int codigo = 0; codigo <= 5; ++codigo)
        d << descripcionModelo(QString::number(codigo));
    return d;
}

// The stamp laid over the picture of a duplicate cheque.
QPixmap selloDuplicado() {
    QPixmap sello(230, 70);
    sello.fill(Qt::transparent);
    QPainter p(&sello);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor rojo(200, 0, 0);
    p.setPen(QPen(rojo, 5));
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawRoundedRect(QRectF(sello.rect()).adjusted(3, 3, -3, -3), 10, 10);
    QFont letra;
    letra.setBold(true);
    letra.setPixelSize(34);
    p.setFont(letra);
    p.drawText(sello.rect(), Qt::AlignCenter, QStringLiteral("DUPLICADO"));
    return sello;
}

bool esEnter(const QEvent* evento) {
    if (evento->type() != QEvent::KeyPress)
        return false;
    const int tecla = static_cast<const QKeyEvent*>(evento)->key();
    return tecla == Qt::Key_Return || tecla == Qt::Key_Enter;
}

} // namespace

// --- List rows -------------------------------------------------------------

TElementoCheque::TElementoCheque(const tFilaLista& fila) : datos(fila.datos) {
    setText(TfrmMod_Cheque::colEstado, fila.caption);
    // The cells beyond the columns (the bearer flag) are not shown.
    for (int i = 0; i < fila.celdas.size() && i + 1 < TfrmMod_Cheque::NumeroColumnas; ++i)
        setText(i + 1, fila.celdas.at(i));
    // A name longer than its column can still be read whole.
    setToolTip(TfrmMod_Cheque::colNombre, text(TfrmMod_Cheque::colNombre));
    setTextAlignment(TfrmMod_Cheque::colImporte, Qt::AlignRight | Qt::AlignVCenter);
}

bool TElementoCheque::operator<(const QTreeWidgetItem& otro) const {
    const int columna = treeWidget() != nullptr ? treeWidget()->sortColumn() : 0;
    if (columna == TfrmMod_Cheque::colOrden)
        return text(columna).toLongLong() < otro.text(columna).toLongLong();
    return QString::localeAwareCompare(text(columna), otro.text(columna)) < 0;
}

// --- Class-level -----------------------------------------------------------

QStringList TfrmMod_Cheque::titulosColumnas() {
    return {QStringLiteral("Estado"),    QStringLiteral("Modelo     "),
            QStringLiteral("Importe "),  QStringLiteral("Cuenta"),
            QStringLiteral("Nº Cheque"), QStringLiteral("Nombre Librado"),
            QStringLiteral("Fecha"),     QStringLiteral("Orden")};
}

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

QString TfrmMod_Cheque::lineaIncompletos(int n) {
    if (n == 1)
        return QStringLiteral("Quedan %1 cheque sin completar, si continua no se incluira en ésta "
                              "emisión-remesa.")
            .arg(n);
    return QStringLiteral("Quedan %1 cheques sin completar, si continua no se incluiran en ésta "
                          "emisión-remesa.")
        .arg(n);
}

bool TfrmMod_Cheque::Launch(TdmBBDD& dm, const tRemesas& remesa, QWidget* parent) {
    TfrmMod_Cheque frm(dm, remesa, parent);
    frm.prepara();
    return frm.exec() == QDialog::Accepted;
}

Qt::SortOrder TfrmMod_Cheque::siguienteOrden(QMap<int, Qt::SortOrder>& ordenes, int columna) {
    if (columna < 0 || columna >= NumeroColumnas)
        return Qt::AscendingOrder;
    const auto anterior = ordenes.constFind(columna);
    Qt::SortOrder orden = columna == colOrden ? Qt::DescendingOrder : Qt::AscendingOrder;
    if (anterior != ordenes.cend())
        orden = *anterior == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    ordenes.insert(columna, orden);
    return orden;
}

// --- Construction ----------------------------------------------------------

TfrmMod_Cheque::TfrmMod_Cheque(TdmBBDD& dm, const tRemesas& remesa, QWidget* parent)
    : QDialog(parent), dm_(dm), remesa_(remesa) {
    setWindowTitle(Caption + remesa.Nombre_Remesa);
    creaControles();
    conecta();
    setFixedWidth(Ancho);
    resize(Ancho, Alto);
    fijaModo(Modo::Navegando);
    bloqueaDetalle(true);
    nombraControles({{lvwTransferencias, "lvwTransferencias"},
                     {ledtImporteTotal, "ledtImporteTotal"},
                     {ledtOrdenes, "ledtOrdenes"},
                     {lbtTotTrans, "lbtTotTrans"},
                     {grpDetalle, "grpDetalle"},
                     {edtFormato, "edtFormato"},
                     {edtNumero, "edtNumero"},
                     {lbtImporte, "lbtImporte"},
                     {lbleditCuenta, "lbleditCuenta"},
                     {medtAbono, "medtAbono"},
                     {chIndicador, "chIndicador"},
                     {lbleditNombreBenef, "lbleditNombreBenef"},
                     {cboxOrdenes, "cboxOrdenes"},
                     {pnlImagen, "pnlImagen"},
                     {imgCheque, "imgCheque"},
                     {imgDuplicado, "imgDuplicado"},
                     {EliminarAct, "EliminarAct"},
                     {EmitirAct, "EmitirAct"},
                     {ModificarAct, "ModificarAct"},
                     {btnbeneficiarios, "btnbeneficiarios"},
                     {btnEmision, "btnEmision"},
                     {btnManual, "btnManual"},
                     {btnModifica, "btnModifica"},
                     {btnLeer, "btnLeer"},
                     {btnSalir, "btnSalir"},
                     {btnSiguiente, "btnSiguiente"},
                     {btnAnterior, "btnAnterior"},
                     {btnAceptar, "btnAceptar"},
                     {btnCancelar, "btnCancelar"},
                     {pnlAviso, "pnlAviso"},
                     {redtAviso, "redtAviso"},
                     {lbedImp, "lbedImp"},
                     {lblTalones, "lblTalones"},
                     {btnContinuar, "btnContinuar"},
                     {btnCancelarAviso, "btnCancelarAviso"},
                     {mmoAyuda, "mmoAyuda"}});
    Accesibilidad::hazAccesible(this);
}

void TfrmMod_Cheque::creaControles() {
    lvwTransferencias = new QTreeWidget(this);
    lvwTransferencias->setColumnCount(NumeroColumnas);
    lvwTransferencias->setHeaderLabels(titulosColumnas());
    lvwTransferencias->setRootIsDecorated(false);
    lvwTransferencias->setUniformRowHeights(true);
    lvwTransferencias->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwTransferencias->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwTransferencias->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwTransferencias->setAllColumnsShowFocus(true);
    lvwTransferencias->setAlternatingRowColors(true);
    // Grid lines between the cells; the selected row keeps legible colours.
    lvwTransferencias->setStyleSheet(
        QStringLiteral("QTreeView::item { border-right: 1px solid #d0d0d0; "
                       "border-bottom: 1px solid #d0d0d0; }"
                       "QTreeView::item:selected { background-color: palette(highlight); "
                       "color: palette(highlighted-text); }"));
    lvwTransferencias->header()->setSectionsClickable(true);
    lvwTransferencias->header()->setSortIndicatorShown(false);
    lvwTransferencias->headerItem()->setTextAlignment(colImporte,
                                                      Qt::AlignRight | Qt::AlignVCenter);
    // Every column is as wide as its content (ajustaColumnas); the drawer's
    // name, the one text of free length, takes what is left.
    lvwTransferencias->header()->setStretchLastSection(false);
    lvwTransferencias->header()->setSectionResizeMode(colNombre, QHeaderView::Stretch);
    lvwTransferencias->setAccessibleName(QStringLiteral("Cheques de la remesa"));

    const auto boton = [this](const QString& texto) {
        auto* b = new QPushButton(texto, this);
        b->setAutoDefault(false);
        b->installEventFilter(this);
        return b;
    };
    btnbeneficiarios = boton(QStringLiteral("&Eliminar"));
    btnEmision = boton(QStringLiteral("E&mitir"));
    btnManual = boton(QStringLiteral("C&heque (Manual)"));
    btnModifica = boton(QStringLiteral("&Modificar"));
    btnLeer = boton(QStringLiteral(" Escanear Che&ques"));
    btnSalir = boton(QStringLiteral("&Salir"));
    btnSiguiente = boton(QStringLiteral("Si&guiente"));
    btnAnterior = boton(QStringLiteral("&A&nterior"));
    // Of the caption's two access keys the last one counts: Alt+N moves
    // back, and Alt+A stays with "&Aceptar".
    btnAnterior->setShortcut(QKeySequence(Qt::ALT | Qt::Key_N));
    btnAceptar = boton(QStringLiteral("&Aceptar"));
    btnCancelar = boton(QStringLiteral("&Cancelar"));

    EliminarAct = new QAction(btnbeneficiarios->text(), this);
    EmitirAct = new QAction(btnEmision->text(), this);
    ModificarAct = new QAction(btnModifica->text(), this);

    // The list takes the whole width, so that a row is read whole; its
    // commands stand in one row right under it.
    auto* filaPrincipal = new QHBoxLayout;
    for (QPushButton* b : {btnbeneficiarios, btnEmision, btnManual, btnModifica, btnLeer, btnSalir})
        filaPrincipal->addWidget(b);
    filaPrincipal->addStretch();

    pnlImagen = new QFrame(this);
    pnlImagen->setFrameShape(QFrame::StyledPanel);
    imgCheque = new QLabel(pnlImagen);
    imgCheque->setScaledContents(true);
    imgCheque->setFixedSize(340, 160);
    imgCheque->setAccessibleName(QStringLiteral("Imagen del cheque"));
    auto* capaImagen = new QVBoxLayout(pnlImagen);
    capaImagen->setContentsMargins(2, 2, 2, 2);
    capaImagen->addWidget(imgCheque);
    imgDuplicado = new QLabel(imgCheque);
    imgDuplicado->setPixmap(selloDuplicado());
    imgDuplicado->adjustSize();
    imgDuplicado->move(imgCheque->width() - imgDuplicado->width() - 10, 10);
    imgDuplicado->setAccessibleName(QStringLiteral("DUPLICADO"));
    imgDuplicado->hide();
    QSizePolicy politica = pnlImagen->sizePolicy();
    politica.setRetainSizeWhenHidden(true);
    pnlImagen->setSizePolicy(politica);

    auto* columnaEdicion = new QVBoxLayout;
    for (QPushButton* b : {btnSiguiente, btnAnterior, btnAceptar, btnCancelar})
        columnaEdicion->addWidget(b);
    columnaEdicion->addStretch();

    auto* filaDetalle = new QHBoxLayout;
    filaDetalle->addWidget(creaDetalle(), 1);
    filaDetalle->addWidget(pnlImagen, 0, Qt::AlignTop);
    filaDetalle->addLayout(columnaEdicion);

    mmoAyuda = new QPlainTextEdit(this);
    mmoAyuda->setReadOnly(true);
    mmoAyuda->setPlainText(textoAyuda().join(u'\n'));
    Accesibilidad::textoAyuda(mmoAyuda);
    QFont letraAyuda = mmoAyuda->font();
    letraAyuda.setPointSizeF(letraAyuda.pointSizeF() * 0.9);
    mmoAyuda->setFont(letraAyuda);
    // Eight lines in view, the rest a scroll away: the list keeps its room.
    mmoAyuda->setFixedHeight(QFontMetrics(letraAyuda).lineSpacing() * 8 +
                             2 * mmoAyuda->frameWidth() + 8);

    auto* capas = new QVBoxLayout(this);
    capas->setContentsMargins(6, 6, 6, 6);
    capas->addWidget(creaCabecera());
    capas->addWidget(lvwTransferencias, 1);
    capas->addLayout(filaPrincipal);
    capas->addLayout(filaDetalle);
    capas->addWidget(mmoAyuda);

    creaAviso();
}

QWidget* TfrmMod_Cheque::creaCabecera() {
    auto* cabecera = new QWidget(this);
    auto* fila = new QHBoxLayout(cabecera);
    fila->setContentsMargins(0, 0, 0, 0);
    const auto campo = [&](const QString& etiqueta, int caracteres) {
        auto* edt = new QLineEdit(cabecera);
        edt->setReadOnly(true);
        edt->setFocusPolicy(Qt::NoFocus);
        edt->setAlignment(Qt::AlignRight);
        edt->setFixedWidth(edt->fontMetrics().horizontalAdvance(QString(caracteres, u'0')) + 16);
        auto* lbl = new QLabel(etiqueta, cabecera);
        lbl->setBuddy(edt);
        fila->addWidget(lbl);
        fila->addWidget(edt);
        fila->addSpacing(12);
        return edt;
    };
    ledtImporteTotal = campo(QStringLiteral("Importe total - Cheques completos"), 20);
    ledtOrdenes = campo(QStringLiteral("Nº de cheques - Cheques completos"), 6);
    lbtTotTrans = campo(QStringLiteral("Nº TOTAL de cheques."), 6);
    fila->addStretch();
    return cabecera;
}

QWidget* TfrmMod_Cheque::creaDetalle() {
    grpDetalle = new QGroupBox(QStringLiteral("Detalle del cheque (Obligatorio)"), this);
    auto* formulario = new QFormLayout(grpDetalle);
    const QFontMetrics fm(grpDetalle->font());
    const auto fila = [&](const QString& etiqueta, QWidget* control, int caracteres) {
        if (caracteres > 0)
            control->setFixedWidth(fm.horizontalAdvance(QString(caracteres, u'0')) + 16);
        control->installEventFilter(this);
        auto* lbl = new QLabel(etiqueta, grpDetalle);
        lbl->setBuddy(control);
        formulario->addRow(lbl, control);
    };
    const auto linea = [&](int longitud) {
        auto* edt = new QLineEdit(grpDetalle);
        if (longitud > 0)
            edt->setMaxLength(longitud);
        return edt;
    };

    edtFormato = linea(0);
    edtFormato->setInputMask(QStringLiteral("9999-9; "));
    fila(QStringLiteral("Tipo - dígito control"), edtFormato, 7);

    edtNumero = linea(0);
    edtNumero->setInputMask(QStringLiteral("NNNNNNN-N; "));
    fila(QStringLiteral("Nº cheque - dígito control"), edtNumero, 10);

    lbtImporte = linea(14);
    lbtImporte->setAlignment(Qt::AlignRight);
    fuerzaMayusculas(lbtImporte);
    fila(QStringLiteral("Importe"), lbtImporte, 15);

    lbleditCuenta = linea(20);
    fuerzaMayusculas(lbleditCuenta);
    fila(QStringLiteral("Cuenta (20 dígitos)"), lbleditCuenta, 22);

    medtAbono = linea(0);
    medtAbono->setInputMask(QStringLiteral("99/99/9999; "));
    medtAbono->setToolTip(QStringLiteral("dd/mm/aaaa"));
    fila(QStringLiteral("Fecha Vto."), medtAbono, 11);

    chIndicador = new QCheckBox(QStringLiteral("Pagaré al portador- No a la orden"), grpDetalle);
    chIndicador->installEventFilter(this);
    formulario->addRow(QString(), chIndicador);

    lbleditNombreBenef = linea(35);
    fuerzaMayusculas(lbleditNombreBenef);
    fila(QStringLiteral("Librado"), lbleditNombreBenef, 0);

    // The model code of the cheque; never shown, never typed in.
    cboxOrdenes = new QComboBox(grpDetalle);
    cboxOrdenes->addItems(descripcionesModelo());
    cboxOrdenes->setEnabled(false);
    cboxOrdenes->setAccessibleName(QStringLiteral("Modelo"));
    cboxOrdenes->hide();

    setTabOrder(edtFormato, edtNumero);
    setTabOrder(edtNumero, lbtImporte);
    setTabOrder(lbtImporte, lbleditCuenta);
    setTabOrder(lbleditCuenta, medtAbono);
    setTabOrder(medtAbono, chIndicador);
    setTabOrder(chIndicador, lbleditNombreBenef);
    return grpDetalle;
}

void TfrmMod_Cheque::creaAviso() {
    pnlAviso = new QFrame(this);
    pnlAviso->setFrameShape(QFrame::Box);
    pnlAviso->setLineWidth(2);
    pnlAviso->setAutoFillBackground(true);
    redtAviso = new QTextEdit(pnlAviso);
    redtAviso->setReadOnly(true);
    redtAviso->setFocusPolicy(Qt::NoFocus);
    redtAviso->setAccessibleName(QStringLiteral("Aviso"));
    redtAviso->setFixedHeight(redtAviso->fontMetrics().lineSpacing() * 5);

    auto* formulario = new QFormLayout;
    const auto campo = [&](const QString& etiqueta) {
        auto* edt = new QLineEdit(pnlAviso);
        edt->setReadOnly(true);
        edt->setFocusPolicy(Qt::NoFocus);
        edt->setAlignment(Qt::AlignRight);
        auto* lbl = new QLabel(etiqueta, pnlAviso);
        lbl->setBuddy(edt);
        formulario->addRow(lbl, edt);
        return edt;
    };
    lbedImp = campo(QStringLiteral("Total de importes de la remesa:"));
    lblTalones = campo(QStringLiteral("Nº de cheques de la remesa:"));

    btnContinuar = new QPushButton(QStringLiteral("C&ontinuar"), pnlAviso);
    btnCancelarAviso = new QPushButton(QStringLiteral("&Cancelar"), pnlAviso);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    for (QPushButton* b : {btnContinuar, btnCancelarAviso}) {
        b->setAutoDefault(false);
        b->installEventFilter(this);
        botones->addWidget(b);
    }

    auto* capas = new QVBoxLayout(pnlAviso);
    capas->addWidget(redtAviso);
    capas->addLayout(formulario);
    capas->addLayout(botones);
    pnlAviso->setFixedWidth(560);
    pnlAviso->adjustSize();
    pnlAviso->hide();
}

void TfrmMod_Cheque::conecta() {
    const auto enlaza = [this](QAction* accion, QPushButton* b, void (TfrmMod_Cheque::*orden)()) {
        connect(b, &QPushButton::clicked, accion, &QAction::trigger);
        connect(accion, &QAction::triggered, this, orden);
        connect(accion, &QAction::enabledChanged, b, &QWidget::setEnabled);
    };
    enlaza(EliminarAct, btnbeneficiarios, &TfrmMod_Cheque::eliminar);
    enlaza(EmitirAct, btnEmision, &TfrmMod_Cheque::emitir);
    enlaza(ModificarAct, btnModifica, &TfrmMod_Cheque::modificar);
    connect(btnManual, &QPushButton::clicked, this, &TfrmMod_Cheque::chequeManual);
    connect(btnLeer, &QPushButton::clicked, this, &TfrmMod_Cheque::escanear);
    connect(btnSalir, &QPushButton::clicked, this, &TfrmMod_Cheque::salir);
    connect(btnSiguiente, &QPushButton::clicked, this, &TfrmMod_Cheque::siguiente);
    connect(btnAnterior, &QPushButton::clicked, this, &TfrmMod_Cheque::anterior);
    connect(btnAceptar, &QPushButton::clicked, this, &TfrmMod_Cheque::aceptar);
    connect(btnCancelar, &QPushButton::clicked, this, &TfrmMod_Cheque::cancelar);
    connect(btnContinuar, &QPushButton::clicked, this, &TfrmMod_Cheque::continuar);
    connect(btnCancelarAviso, &QPushButton::clicked, this, &TfrmMod_Cheque::cancelarAviso);
    connect(lvwTransferencias, &QTreeWidget::itemSelectionChanged, this,
            &TfrmMod_Cheque::seleccionCambiada);
    connect(lvwTransferencias, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (ModificarAct->isEnabled())
            ModificarAct->trigger();
    });
    connect(lvwTransferencias->header(), &QHeaderView::sectionClicked, this,
            &TfrmMod_Cheque::ordenaColumna);
}

void TfrmMod_Cheque::ajustaColumnas() {
    for (int columna = 0; columna < NumeroColumnas; ++columna)
        if (columna != colNombre)
            lvwTransferencias->resizeColumnToContents(columna);
}

void TfrmMod_Cheque::prepara() {
    refrescaLista();
    btnLeer->setFocus();
}

// --- State -----------------------------------------------------------------

QString TfrmMod_Cheque::tablaTalones() const {
    return dm_.rutaTalonesActual();
}

bool TfrmMod_Cheque::accionesDeFilaHabilitadas() const {
    return modo_ == Modo::Navegando && lvwTransferencias->isEnabled() &&
           lvwTransferencias->topLevelItemCount() > 0 &&
           !lvwTransferencias->selectedItems().isEmpty();
}

bool TfrmMod_Cheque::duplicadoMostrado() const {
    return !imgDuplicado->isHidden();
}

int TfrmMod_Cheque::filaActual() const {
    const QList<QTreeWidgetItem*> seleccion = lvwTransferencias->selectedItems();
    return seleccion.isEmpty() ? -1 : lvwTransferencias->indexOfTopLevelItem(seleccion.first());
}

void TfrmMod_Cheque::fijaModo(Modo modo) {
    modo_ = modo;
    const bool navegando = modo == Modo::Navegando;
    lvwTransferencias->setEnabled(navegando);
    for (QPushButton* b : {btnManual, btnLeer, btnSalir})
        b->setEnabled(navegando);
    if (modo == Modo::Editando) {
        btnAceptar->setEnabled(true);
        btnCancelar->setEnabled(true);
        fijaBotonesPosicion();
    } else if (navegando) {
        for (QPushButton* b : {btnSiguiente, btnAnterior, btnAceptar, btnCancelar})
            b->setEnabled(false);
        pnlAviso->hide();
    }
    actualizaAcciones();
}

void TfrmMod_Cheque::actualizaAcciones() {
    const bool habilitadas = accionesDeFilaHabilitadas();
    for (QAction* a : {EliminarAct, EmitirAct, ModificarAct})
        a->setEnabled(habilitadas);
    // The buttons follow their actions; set them too, as an action that
    // does not change sends no signal.
    btnbeneficiarios->setEnabled(habilitadas);
    btnEmision->setEnabled(habilitadas);
    btnModifica->setEnabled(habilitadas);
}

void TfrmMod_Cheque::bloqueaDetalle(bool bloquear) {
    for (QWidget* campo : std::initializer_list<QWidget*>{edtFormato, edtNumero, lbtImporte,
                                                          lbleditCuenta, lbleditNombreBenef})
        fijaEditable(campo, !bloquear);
    fijaFechaEditable(!bloquear &&
                      fechaEditableAlEmpezarEdicion(medtAbono->text(), edtFormato->text()));
}

void TfrmMod_Cheque::fijaFechaEditable(bool editable) {
    fijaEditable(medtAbono, editable);
    fijaEditable(chIndicador, editable);
}

void TfrmMod_Cheque::vaciaDetalle() {
    lbtImporte->clear();
    lbleditNombreBenef->clear();
    edtNumero->clear();
    medtAbono->clear();
    edtFormato->clear();
    cboxOrdenes->setCurrentIndex(0);
    chIndicador->setChecked(false);
}

void TfrmMod_Cheque::fijaBotonesPosicion() {
    const int fila = filaActual();
    const int filas = lvwTransferencias->topLevelItemCount();
    btnSiguiente->setEnabled(fila >= 0 && fila < filas - 1);
    btnAnterior->setEnabled(fila > 0);
}

QString TfrmMod_Cheque::textoMascara(const QLineEdit* campo) const {
    // A masked field left empty still answers its separators.
    QString relleno = campo->text();
    relleno.remove(u'-').remove(u'/');
    return relleno.trimmed().isEmpty() ? QString() : campo->text();
}

// --- List --------------------------------------------------------------------

void TfrmMod_Cheque::refrescaLista() {
    bloqueaDetalle(true);
    actualizaTotales();
    cargandoLista = true;
    lbleditCuenta->clear();
    lbleditNombreBenef->clear();
    int filas = 0;
    const tFilasLista lista = dm_.Carga_lista_Talones(filas);
    lvwTransferencias->clear();
    lvwTransferencias->header()->setSortIndicatorShown(false);
    for (const tFilaLista& fila : lista)
        lvwTransferencias->addTopLevelItem(new TElementoCheque(fila));
    ajustaColumnas();
    pnlImagen->setVisible(lvwTransferencias->topLevelItemCount() > 0);
    fijaModo(Modo::Navegando);
    cargandoLista = false;
    if (lvwTransferencias->topLevelItemCount() > 0)
        seleccionaFila(0);
    actualizaAcciones();
}

void TfrmMod_Cheque::actualizaTotales() {
    const QString& euros = Cadenas::captions().CaptionEuros;
    QString importe = ledtImporteTotal->text();
    if (importe.endsWith(euros))
        importe.chop(euros.size());
    if (importe.isEmpty())
        importe = formateaImporte(QString());
    QString completos = ledtOrdenes->text();
    QString total = lbtTotTrans->text();
    dm_.CalculaTotales(importe, completos, total, tablaTalones());
    ledtImporteTotal->setText(importe + euros);
    ledtOrdenes->setText(completos.isEmpty() ? QStringLiteral("0") : completos);
    lbtTotTrans->setText(total.isEmpty() ? QStringLiteral("0") : total);
}

void TfrmMod_Cheque::seleccionaFila(int indice) {
    QTreeWidgetItem* fila = lvwTransferencias->topLevelItem(indice);
    if (fila == nullptr)
        return;
    lvwTransferencias->setCurrentItem(fila);
    fila->setSelected(true);
    lvwTransferencias->scrollToItem(fila);
}

void TfrmMod_Cheque::seleccionCambiada() {
    if (cargandoLista)
        return;
    cargaTalonSeleccionado();
    actualizaTotales();
    actualizaAcciones();
}

void TfrmMod_Cheque::cargaTalonSeleccionado() {
    const QList<QTreeWidgetItem*> seleccion = lvwTransferencias->selectedItems();
    if (seleccion.isEmpty())
        return;
    const auto* fila = static_cast<const TElementoCheque*>(seleccion.first());
    regTalon = dm_.CargaRegistroTalones(fila->datos.pk, tablaTalones(), regTalon);
    regClientes = dm_.CargaRegistroBeneficiarioTablas(regTalon.fk_Beneficiarios, TCliente{});
    muestraTalon();
}

void TfrmMod_Cheque::muestraTalon() {
    edtFormato->setText(regTalon.numero_Modelo);
    edtNumero->setText(regTalon.Numero);
    lbleditCuenta->setText(regTalon.Cuenta);
    lbtImporte->setText(regTalon.Importe);
    chIndicador->setChecked(regTalon.indicador == 1);
    medtAbono->setText(regTalon.FechaPago);
    lbleditNombreBenef->setText(regClientes.Nombre_Cliente);
    if (!regTalon.Modelo_Talon.isEmpty()) {
        // A bad read (code 6) has no entry of its own here.
        const int modelo = regTalon.Modelo_Talon.toInt();
        cboxOrdenes->setCurrentIndex(modelo >= 0 && modelo < cboxOrdenes->count() ? modelo : 5);
    }
    muestraImagen(regTalon);
    imgDuplicado->setVisible(regTalon.Estado == Estado::Duplicado);
}

QString TfrmMod_Cheque::rutaImagenTalon(const tTalon& talon) const {
    const tDirectorios& dirs = dm_.instalacion().dirs;
    const QString frontal = rutaImagenFrontal(dirs.Dir_Imagenes, baseImagenTalon(talon));
    if (!frontal.isEmpty() && QFileInfo::exists(frontal))
        return frontal;
    return QDir(dirs.Dir_Aplicacion).filePath(ImagenVacia);
}

void TfrmMod_Cheque::muestraImagen(const tTalon& talon) {
    QPixmap imagen;
    imagenMostrada_ = rutaImagenTalon(talon);
    if (!imagen.load(imagenMostrada_)) {
        imagenMostrada_ = QDir(dm_.instalacion().dirs.Dir_Pub).filePath(ImagenVacia);
        if (!imagen.load(imagenMostrada_))
            imagenMostrada_.clear();
    }
    imgCheque->setPixmap(imagen);
}

void TfrmMod_Cheque::ordenaColumna(int columna) {
    if (columna < 0 || columna >= NumeroColumnas)
        return;
    const Qt::SortOrder orden = siguienteOrden(dm_.estado().OrdenesCheques, columna);
    lvwTransferencias->sortItems(columna, orden);
    lvwTransferencias->header()->setSortIndicatorShown(true);
    if (QTreeWidgetItem* fila = lvwTransferencias->currentItem())
        lvwTransferencias->scrollToItem(fila);
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
    bloqueaDetalle(false);
    enfoca(edtFormato);
    edtFormato->setCursorPosition(0);
}

void TfrmMod_Cheque::saleModelo() {
    const tReglasModelo reglas = reglasAlSalirDelModelo(edtFormato->text());
    if (reglas.vaciaFecha)
        medtAbono->clear();
    fijaEditable(medtAbono, reglas.fechaEditable);
    fijaEditable(chIndicador, reglas.portadorEditable);
    cboxOrdenes->setCurrentIndex(reglas.modelo);
}

void TfrmMod_Cheque::saleImporte() {
    lbtImporte->setText(formateaImporte(lbtImporte->text()));
}

void TfrmMod_Cheque::saleCampo(QObject* campo) {
    if (campo == edtFormato)
        saleModelo();
    else if (campo == lbtImporte)
        saleImporte();
}

tTalon TfrmMod_Cheque::talonDeCampos() const {
    tTalon t = regTalon;
    t.Importe = lbtImporte->text().remove(u'.');
    t.Cuenta = lbleditCuenta->text();
    t.numero_Modelo = textoMascara(edtFormato);
    t.FechaPago = textoMascara(medtAbono);
    t.Numero = textoMascara(edtNumero);
    t.indicador = chIndicador->isChecked() ? 1 : 0;
    t.Nombre_Cliente = lbleditNombreBenef->text();
    t.Modelo_Talon = QString::number(cboxOrdenes->currentIndex());
    t.Nuevo = false;
    return t;
}

bool TfrmMod_Cheque::validaTalon(const tTalon& talon, QString& mensaje) const {
    tContextoValidacion contexto;
    // The images are those the cheque has now; a changed base name takes
    // them along when the cheque is saved.
    contexto.existeImagenFrontal = QFileInfo::exists(
        rutaImagenFrontal(dm_.instalacion().dirs.Dir_Imagenes, baseImagenTalon(regTalon)));
    contexto.mostradoComoDuplicado = duplicadoMostrado();
    contexto.duplicidadTalon = [this](const tTalon& t) {
        return dm_.duplicidadTalon(QString::number(t.Pk_Talon), t.Numero, t.Cuenta, t.numero_Modelo,
                                   false);
    };
    return ::validaTalon(talon, mensaje, contexto);
}

bool TfrmMod_Cheque::guardaTalonEditado(tTalon& talon, QString& mensaje) {
    return dm_.GuardaTalonEditado(talon, regClientes, tablaTalones(), mensaje);
}

void TfrmMod_Cheque::actualizaFila(const tTalon& talon) {
    QTreeWidgetItem* fila = lvwTransferencias->topLevelItem(filaActual());
    if (fila == nullptr)
        return;
    fila->setText(colEstado, palabraEstado(Estado::Correcto));
    fila->setText(colModelo, cboxOrdenes->currentText());
    fila->setText(colImporte, importeVisible(talon.Importe));
    fila->setText(colCuenta, talon.Cuenta);
    fila->setText(colNumero, talon.Numero);
    fila->setText(colNombre, talon.Nombre_Cliente);
    fila->setToolTip(colNombre, talon.Nombre_Cliente);
    fila->setText(colFecha, talon.FechaPago);
    auto* elemento = static_cast<TElementoCheque*>(fila);
    elemento->datos.cuenta = talon.Cuenta;
    elemento->datos.Importe = talon.Importe;
    elemento->datos.fechaPago = talon.FechaPago;
    elemento->datos.Modelo = talon.Modelo_Talon;
    elemento->datos.indicador = talon.indicador;
    elemento->datos.fk_Cliente = QString::number(talon.fk_Beneficiarios);
    elemento->datos.Error = false;
    ajustaColumnas();
}

void TfrmMod_Cheque::guarda(BotonGuardar boton) {
    if (modo_ != Modo::Editando)
        return;
    // The rules of leaving the model and amount fields hold for what is
    // saved, however the field was left (an access key leaves none, and a
    // window without focus sees no field left): an amount never goes to the
    // table unformatted.
    saleModelo();
    saleImporte();
    // regTalon keeps the stored cheque until the save succeeds, so a failed
    // attempt does not lose the name its images are filed under.
    const QString baseAnterior = baseImagenTalon(regTalon);
    tTalon talon = talonDeCampos();
    QString mensaje;
    if (!validaTalon(talon, mensaje)) {
        CajaMensajes(dm_.estado(), this).muestraMensaje(mensaje);
        enfoca(boton == BotonGuardar::Aceptar ? edtFormato : edtNumero);
        return;
    }
    talon.Estado = Estado::Correcto;
    if (!guardaTalonEditado(talon, mensaje)) {
        CajaMensajes(dm_.estado(), this).muestraMensaje(mensaje);
        if (boton == BotonGuardar::Aceptar) {
            bloqueaDetalle(true);
            fijaModo(Modo::Navegando);
            actualizaTotales();
            lvwTransferencias->setFocus();
        } else {
            enfoca(lbtImporte);
        }
        return;
    }
    regTalon = talon;
    lbleditNombreBenef->setText(talon.Nombre_Cliente);
    actualizaFila(talon);
    const QString baseNueva = baseImagenTalon(talon);
    if (baseNueva != baseAnterior)
        renombraImagenesTalon(dm_.instalacion().dirs, baseAnterior, baseNueva);

    if (boton == BotonGuardar::Aceptar) {
        bloqueaDetalle(true);
        fijaModo(Modo::Navegando);
        actualizaTotales();
        lvwTransferencias->setFocus();
    } else {
        avanza(boton == BotonGuardar::Siguiente ? 1 : -1);
    }
}

void TfrmMod_Cheque::avanza(int paso) {
    const int filas = lvwTransferencias->topLevelItemCount();
    int fila = filaActual() + paso;
    if (fila >= 0 && fila < filas) {
        seleccionaFila(fila);
        // Duplicates cannot be completed: pass over them, but not beyond the
        // end of the list.
        while (duplicadoMostrado() && fila + paso >= 0 && fila + paso < filas) {
            fila += paso;
            seleccionaFila(fila);
        }
    }
    fijaBotonesPosicion();
    bloqueaDetalle(false);
    actualizaTotales();
    enfoca(lbtImporte);
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

void TfrmMod_Cheque::cancelar() {
    if (modo_ != Modo::Editando)
        return;
    bloqueaDetalle(true);
    fijaModo(Modo::Navegando);
    // What the operator typed is dropped: the selected cheque is shown as
    // it is stored, so nothing rejected stays beside its row.
    vaciaDetalle();
    cargaTalonSeleccionado();
    lvwTransferencias->setFocus();
}

// --- Main commands -----------------------------------------------------------

void TfrmMod_Cheque::chequeManual() {
    if (modo_ != Modo::Navegando)
        return;
    tTalon talon;
    dm_.introduceTalonManual(talon);
    regTalon = talon;
    tFilaLista fila;
    fila.caption = palabraEstado(Estado::Incompleto);
    fila.celdas << descripcionModelo(talon.Modelo_Talon) << importeVisible(talon.Importe)
                << talon.Cuenta << QString() << QString() << QString()
                << QString::number(talon.Pk_Talon);
    fila.datos.pk = talon.Pk_Talon;
    fila.datos.cuenta = talon.Cuenta;
    fila.datos.Modelo = talon.Modelo_Talon;
    fila.datos.Importe = talon.Importe;
    fila.datos.fk_Cliente = QString::number(talon.fk_Beneficiarios);
    fila.datos.Error = true;
    lvwTransferencias->addTopLevelItem(new TElementoCheque(fila));
    ajustaColumnas();
    pnlImagen->setVisible(true);
    seleccionaFila(lvwTransferencias->topLevelItemCount() - 1);
    modificar();
}

void TfrmMod_Cheque::eliminar() {
    if (!accionesDeFilaHabilitadas())
        return;
    const auto* fila =
        static_cast<const TElementoCheque*>(lvwTransferencias->selectedItems().first());
    // The cheque on screen is the one deleted; should its loading have
    // failed, it is not the selected row and nothing is deleted.
    if (regTalon.Pk_Talon != fila->datos.pk)
        return;
    dm_.EliminaTalon(regTalon, fila->text(colEstado));
    actualizaTotales();
    vaciaDetalle();
    refrescaLista();
}

void TfrmMod_Cheque::escanear() {
    if (modo_ != Modo::Navegando)
        return;
    const tEstadoPrograma& estado = dm_.estado();
    const int tipo = estado.Escaner.tipo;
    if (tipo < TipoLector::SeacBanche || tipo > TipoLector::VisionX || !estado.abreVentanaCaptura)
        return;
    if (estado.abreVentanaCaptura(tipo))
        refrescaLista();
}

void TfrmMod_Cheque::salir() {
    dm_.EminaTalonesDuplicados(tablaTalones());
    reject();
}

void TfrmMod_Cheque::emitir() {
    if (!accionesDeFilaHabilitadas())
        return;
    if (ledtImporteTotal->text() == Cadenas::captions().Caption0Euros) {
        CajaMensajes(dm_.estado(), this).muestraMensaje(Cadenas::mensajes().mnjErrorEmision);
        return;
    }
    fijaModo(Modo::Aviso);
    lbedImp->setText(ledtImporteTotal->text());
    lblTalones->setText(ledtOrdenes->text());
    // The text is replaced, never added to: each opening shows its lines once.
    QString html =
        QStringLiteral("<p style=\"color:#000000\">%1</p>").arg(LineaDetalle.toHtmlEscaped());
    int incompletos = 0;
    if (dm_.Quedan_Talones_Incompletos(incompletos))
        html += QStringLiteral("<p style=\"color:#ff0000\">%1</p>")
                    .arg(lineaIncompletos(incompletos).toHtmlEscaped());
    redtAviso->setHtml(html);
    const QRect zona = lvwTransferencias->geometry();
    pnlAviso->adjustSize();
    pnlAviso->move(zona.center() - QPoint(pnlAviso->width() / 2, pnlAviso->height() / 2));
    pnlAviso->show();
    pnlAviso->raise();
    btnContinuar->setFocus();
}

void TfrmMod_Cheque::continuar() {
    if (modo_ != Modo::Aviso)
        return;
    dm_.EminaTalonesDuplicados(tablaTalones());
    accept();
}

void TfrmMod_Cheque::cancelarAviso() {
    if (modo_ != Modo::Aviso)
        return;
    pnlAviso->hide();
    fijaModo(Modo::Navegando);
    lvwTransferencias->setFocus();
}

// --- Keys and focus ----------------------------------------------------------

void TfrmMod_Cheque::pasaAlSiguiente(QObject* campo) {
    QPushButton* final = btnSiguiente->isEnabled() ? btnSiguiente : btnAceptar;
    QWidget* siguiente = nullptr;
    if (campo == edtFormato)
        siguiente = edtNumero;
    else if (campo == edtNumero)
        siguiente = lbtImporte;
    else if (campo == lbtImporte)
        siguiente = lbleditCuenta;
    else if (campo == lbleditCuenta)
        siguiente = medtAbono->isEnabled() ? static_cast<QWidget*>(medtAbono) : final;
    else if (campo == medtAbono)
        siguiente = chIndicador;
    else if (campo == chIndicador || campo == lbleditNombreBenef)
        siguiente = final;
    if (siguiente != nullptr)
        enfoca(siguiente);
}

void TfrmMod_Cheque::enfoca(QWidget* campo) {
    campo->setFocus();
    // A field reached from the keyboard is taken whole, so that typing
    // replaces it: a full mask or the manual cheque's placeholders would
    // otherwise swallow every key.
    if (auto* edt = qobject_cast<QLineEdit*>(campo))
        edt->selectAll();
}

bool TfrmMod_Cheque::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::FocusOut && modo_ == Modo::Editando) {
        // Only leaving for another control of this window counts.
        const Qt::FocusReason motivo = static_cast<QFocusEvent*>(evento)->reason();
        if (motivo != Qt::ActiveWindowFocusReason && motivo != Qt::PopupFocusReason)
            saleCampo(objeto);
    } else if (esEnter(evento)) {
        if (auto* b = qobject_cast<QPushButton*>(objeto)) {
            if (b->isEnabled())
                b->click();
            return true;
        }
        if (modo_ == Modo::Editando) {
            pasaAlSiguiente(objeto);
            return true;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

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
