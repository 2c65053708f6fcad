#include "TPanelDetalleCheque.h"

#include "CamposTexto.h"
#include "CodigosTalon.h"
#include "ImagenesTalon.h"
#include "Importes.h"
#include "NombresControles.h"
#include "TiposDocumento.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

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

} // namespace

// --- Construction ------------------------------------------------------------

TPanelDetalleCheque::TPanelDetalleCheque(const tDirectorios& dirs, QWidget* parent)
    : QWidget(parent), dirs_(dirs) {
    // Created in the order Tab visits them: the editing buttons come right
    // after the window's main buttons, the fields after them.
    QLayout* botones = creaBotones();
    QWidget* imagen = creaImagen();
    QWidget* detalle = creaDetalle();
    auto* fila = new QHBoxLayout(this);
    fila->setContentsMargins(0, 0, 0, 0);
    fila->addWidget(detalle, 1);
    fila->addWidget(imagen, 0, Qt::AlignTop);
    fila->addLayout(botones);
    nombra();
    cierraEdicion();
    bloquea(true);
}

QLayout* TPanelDetalleCheque::creaBotones() {
    btnSiguiente = botonOrden(QStringLiteral("Si&guiente"), this);
    btnAnterior = botonOrden(QStringLiteral("&A&nterior"), this);
    // Of the caption's two access keys the last one counts: Alt+N moves
    // back, and Alt+A stays with "&Aceptar".
    btnAnterior->setShortcut(QKeySequence(Qt::ALT | Qt::Key_N));
    btnAceptar = botonOrden(QStringLiteral("&Aceptar"), this);
    btnCancelar = botonOrden(QStringLiteral("&Cancelar"), this);
    connect(btnSiguiente, &QPushButton::clicked, this, &TPanelDetalleCheque::siguientePulsado);
    connect(btnAnterior, &QPushButton::clicked, this, &TPanelDetalleCheque::anteriorPulsado);
    connect(btnAceptar, &QPushButton::clicked, this, &TPanelDetalleCheque::aceptarPulsado);
    connect(btnCancelar, &QPushButton::clicked, this, &TPanelDetalleCheque::cancelarPulsado);

    auto* columna = new QVBoxLayout;
    for (QPushButton* b : {btnSiguiente, btnAnterior, btnAceptar, btnCancelar})
        columna->addWidget(b);
    columna->addStretch();
    return columna;
}

QWidget* TPanelDetalleCheque::creaImagen() {
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
    lblAvisoImagen = new QLabel(imgCheque);
    lblAvisoImagen->setObjectName(QStringLiteral("lblAvisoImagen"));
    lblAvisoImagen->setStyleSheet(QStringLiteral(
        "background-color: #c00000; color: white; font-weight: bold; padding: 2px 6px;"));
    lblAvisoImagen->hide();
    // An empty remittance hides the picture; the fields keep their place.
    QSizePolicy politica = pnlImagen->sizePolicy();
    politica.setRetainSizeWhenHidden(true);
    pnlImagen->setSizePolicy(politica);
    return pnlImagen;
}

QWidget* TPanelDetalleCheque::creaDetalle() {
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

void TPanelDetalleCheque::nombra() {
    nombraControles({{grpDetalle, "grpDetalle"},
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
                     {btnSiguiente, "btnSiguiente"},
                     {btnAnterior, "btnAnterior"},
                     {btnAceptar, "btnAceptar"},
                     {btnCancelar, "btnCancelar"}});
}

// --- Showing -----------------------------------------------------------------

void TPanelDetalleCheque::muestraTalon(const tTalon& talon, const QString& nombreLibrado) {
    edtFormato->setText(talon.numero_Modelo);
    edtNumero->setText(talon.Numero);
    lbleditCuenta->setText(talon.Cuenta);
    lbtImporte->setText(textoImporte(talon.Importe));
    chIndicador->setChecked(talon.indicador == 1);
    medtAbono->setText(talon.FechaPago);
    lbleditNombreBenef->setText(nombreLibrado);
    if (!talon.Modelo_Talon.isEmpty()) {
        // A bad read (code 6) has no entry of its own here.
        const int modelo = talon.Modelo_Talon.toInt();
        cboxOrdenes->setCurrentIndex(modelo >= 0 && modelo < cboxOrdenes->count() ? modelo : 5);
    }
    cargaImagen(talon);
    imgDuplicado->setVisible(talon.Estado == Estado::Duplicado);
}

void TPanelDetalleCheque::muestraLibrado(const QString& nombre) {
    lbleditNombreBenef->setText(nombre);
}

void TPanelDetalleCheque::vacia() {
    lbtImporte->clear();
    lbleditNombreBenef->clear();
    edtNumero->clear();
    medtAbono->clear();
    edtFormato->clear();
    cboxOrdenes->setCurrentIndex(0);
    chIndicador->setChecked(false);
}

void TPanelDetalleCheque::vaciaCuentaYLibrado() {
    lbleditCuenta->clear();
    lbleditNombreBenef->clear();
}

void TPanelDetalleCheque::muestraZonaImagen(bool visible) {
    pnlImagen->setVisible(visible);
}

QString TPanelDetalleCheque::rutaImagenTalon(const tTalon& talon) const {
    const QString frontal = rutaImagenFrontal(dirs_.Dir_Imagenes, baseImagenTalon(talon));
    if (!frontal.isEmpty() && QFileInfo::exists(frontal))
        return frontal;
    return QDir(dirs_.Dir_Aplicacion).filePath(ImagenVacia);
}

void TPanelDetalleCheque::cargaImagen(const tTalon& talon) {
    QPixmap imagen;
    imagenMostrada_ = rutaImagenTalon(talon);
    if (!imagen.load(imagenMostrada_)) {
        imagenMostrada_ = QDir(dirs_.Dir_Pub).filePath(ImagenVacia);
        if (!imagen.load(imagenMostrada_))
            imagenMostrada_.clear();
    }
    imgCheque->setPixmap(imagen);
}

void TPanelDetalleCheque::muestraAvisoImagen(const tAvisoImagen& aviso) {
    lblAvisoImagen->setText(aviso.aviso);
    lblAvisoImagen->setToolTip(aviso.motivo);
    lblAvisoImagen->setAccessibleName(aviso.aviso);
    lblAvisoImagen->adjustSize();
    lblAvisoImagen->move(6, imgCheque->height() - lblAvisoImagen->height() - 6);
    lblAvisoImagen->setVisible(aviso.hay());
}

bool TPanelDetalleCheque::duplicadoMostrado() const {
    return !imgDuplicado->isHidden();
}

// --- Editing -----------------------------------------------------------------

tTalon TPanelDetalleCheque::talonDeCampos(const tTalon& base) const {
    tTalon t = base;
    t.Importe = tImporte::leeTexto(lbtImporte->text());
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

bool TPanelDetalleCheque::importeIlegible() const {
    return esImporteIlegible(lbtImporte->text());
}

QString TPanelDetalleCheque::textoMascara(const QLineEdit* campo) const {
    // A masked field left empty still answers its separators.
    QString relleno = campo->text();
    relleno.remove(u'-').remove(u'/');
    return relleno.trimmed().isEmpty() ? QString() : campo->text();
}

void TPanelDetalleCheque::bloquea(bool bloquear) {
    for (QWidget* campo : std::initializer_list<QWidget*>{edtFormato, edtNumero, lbtImporte,
                                                          lbleditCuenta, lbleditNombreBenef})
        fijaEditable(campo, !bloquear);
    fijaFechaEditable(!bloquear &&
                      fechaEditableAlEmpezarEdicion(medtAbono->text(), edtFormato->text()));
}

void TPanelDetalleCheque::fijaFechaEditable(bool editable) {
    fijaEditable(medtAbono, editable);
    fijaEditable(chIndicador, editable);
}

void TPanelDetalleCheque::abreEdicion(int fila, int filas) {
    editando_ = true;
    btnAceptar->setEnabled(true);
    btnCancelar->setEnabled(true);
    fijaPosicion(fila, filas);
}

void TPanelDetalleCheque::fijaPosicion(int fila, int filas) {
    btnSiguiente->setEnabled(fila >= 0 && fila < filas - 1);
    btnAnterior->setEnabled(fila > 0);
}

void TPanelDetalleCheque::cierraEdicion() {
    editando_ = false;
    for (QPushButton* b : {btnSiguiente, btnAnterior, btnAceptar, btnCancelar})
        b->setEnabled(false);
}

void TPanelDetalleCheque::saleModelo() {
    const tReglasModelo reglas = reglasAlSalirDelModelo(edtFormato->text());
    if (reglas.vaciaFecha)
        medtAbono->clear();
    fijaEditable(medtAbono, reglas.fechaEditable);
    fijaEditable(chIndicador, reglas.portadorEditable);
    cboxOrdenes->setCurrentIndex(reglas.modelo);
}

void TPanelDetalleCheque::saleImporte() {
    lbtImporte->setText(formateaImporte(lbtImporte->text()));
}

void TPanelDetalleCheque::saleCampo(QObject* campo) {
    if (campo == edtFormato)
        saleModelo();
    else if (campo == lbtImporte)
        saleImporte();
}

// --- Keys and focus ----------------------------------------------------------

void TPanelDetalleCheque::enfoca(Campo campo) {
    switch (campo) {
    case Campo::Modelo:
        enfocaControl(edtFormato);
        break;
    case Campo::Numero:
        enfocaControl(edtNumero);
        break;
    case Campo::Importe:
        enfocaControl(lbtImporte);
        break;
    }
}

void TPanelDetalleCheque::enfocaAlPrincipio() {
    enfocaControl(edtFormato);
    edtFormato->setCursorPosition(0);
}

void TPanelDetalleCheque::enfocaControl(QWidget* control) {
    control->setFocus();
    // A field reached from the keyboard is taken whole, so that typing
    // replaces it: a full mask or the manual cheque's placeholders would
    // otherwise swallow every key.
    if (auto* edt = qobject_cast<QLineEdit*>(control))
        edt->selectAll();
}

void TPanelDetalleCheque::pasaAlSiguiente(QObject* campo) {
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
        enfocaControl(siguiente);
}

bool TPanelDetalleCheque::eventFilter(QObject* objeto, QEvent* evento) {
    if (!editando_)
        return QWidget::eventFilter(objeto, evento);
    if (evento->type() == QEvent::FocusOut) {
        // Only leaving for another control of this window counts.
        const Qt::FocusReason motivo = static_cast<QFocusEvent*>(evento)->reason();
        if (motivo != Qt::ActiveWindowFocusReason && motivo != Qt::PopupFocusReason)
            saleCampo(objeto);
    } else if (evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            pasaAlSiguiente(objeto);
            return true;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}
