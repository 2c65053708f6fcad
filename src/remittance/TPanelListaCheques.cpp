#include "TPanelListaCheques.h"

#include "Cadenas.h"
#include "Importes.h"
#include "ListaOrdenable.h"
#include "NombresControles.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

// --- Rows --------------------------------------------------------------------

TElementoCheque::TElementoCheque(const tFilaLista& fila) {
    muestra(fila);
    setTextAlignment(TPanelListaCheques::colImporte, Qt::AlignRight | Qt::AlignVCenter);
}

void TElementoCheque::muestra(const tFilaLista& fila) {
    datos = fila.datos;
    setText(TPanelListaCheques::colEstado, fila.caption);
    // The cells beyond the columns (the bearer flag) are not shown.
    for (int i = 0; i < fila.celdas.size() && i + 1 < TPanelListaCheques::NumeroColumnas; ++i)
        setText(i + 1, fila.celdas.at(i));
    // A name longer than its column can still be read whole.
    setToolTip(TPanelListaCheques::colNombre, text(TPanelListaCheques::colNombre));
}

bool TElementoCheque::operator<(const QTreeWidgetItem& otro) const {
    const int columna = treeWidget() != nullptr ? treeWidget()->sortColumn() : 0;
    if (columna == TPanelListaCheques::colOrden)
        return text(columna).toLongLong() < otro.text(columna).toLongLong();
    return QString::localeAwareCompare(text(columna), otro.text(columna)) < 0;
}

// --- Class-level -------------------------------------------------------------

QStringList TPanelListaCheques::titulosColumnas() {
    return {QStringLiteral("Estado"),    QStringLiteral("Modelo     "),
            QStringLiteral("Importe "),  QStringLiteral("Cuenta"),
            QStringLiteral("Nº Cheque"), QStringLiteral("Nombre Librado"),
            QStringLiteral("Fecha"),     QStringLiteral("Orden")};
}

Qt::SortOrder TPanelListaCheques::siguienteOrden(QMap<int, Qt::SortOrder>& ordenes, int columna) {
    if (columna < 0 || columna >= NumeroColumnas)
        return Qt::AscendingOrder;
    const auto anterior = ordenes.constFind(columna);
    Qt::SortOrder orden = columna == colOrden ? Qt::DescendingOrder : Qt::AscendingOrder;
    if (anterior != ordenes.cend())
        orden = *anterior == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    ordenes.insert(columna, orden);
    return orden;
}

// --- Construction ------------------------------------------------------------

TPanelListaCheques::TPanelListaCheques(QMap<int, Qt::SortOrder>& ordenes, QWidget* parent)
    : QWidget(parent), ordenes_(ordenes) {
    auto* capas = new QVBoxLayout(this);
    capas->setContentsMargins(0, 0, 0, 0);
    QWidget* cabecera = creaCabecera();
    creaLista();
    capas->addWidget(cabecera);
    capas->addWidget(lvwTransferencias, 1);
    nombraControles({{lvwTransferencias, "lvwTransferencias"},
                     {ledtImporteTotal, "ledtImporteTotal"},
                     {ledtOrdenes, "ledtOrdenes"},
                     {lbtTotTrans, "lbtTotTrans"}});
}

QWidget* TPanelListaCheques::creaCabecera() {
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

void TPanelListaCheques::creaLista() {
    lvwTransferencias = new QTreeWidget(this);
    preparaListaInforme(lvwTransferencias);
    lvwTransferencias->setColumnCount(NumeroColumnas);
    lvwTransferencias->setHeaderLabels(titulosColumnas());
    lvwTransferencias->headerItem()->setTextAlignment(colImporte,
                                                      Qt::AlignRight | Qt::AlignVCenter);
    // Every column is as wide as its content (ajustaColumnas); the drawer's
    // name, the one text of free length, takes what is left.
    lvwTransferencias->header()->setStretchLastSection(false);
    lvwTransferencias->header()->setSectionResizeMode(colNombre, QHeaderView::Stretch);
    lvwTransferencias->setAccessibleName(QStringLiteral("Cheques de la remesa"));

    connect(lvwTransferencias, &QTreeWidget::itemSelectionChanged, this,
            &TPanelListaCheques::seleccionCambiada);
    connect(lvwTransferencias, &QTreeWidget::itemDoubleClicked, this,
            &TPanelListaCheques::filaActivada);
    connect(lvwTransferencias->header(), &QHeaderView::sectionClicked, this,
            &TPanelListaCheques::ordenaColumna);
}

// --- Rows --------------------------------------------------------------------

void TPanelListaCheques::cargaFilas(const tFilasLista& filas) {
    lvwTransferencias->clear();
    lvwTransferencias->header()->setSortIndicatorShown(false);
    for (const tFilaLista& fila : filas)
        lvwTransferencias->addTopLevelItem(new TElementoCheque(fila));
    ajustaColumnas();
}

void TPanelListaCheques::agregaFila(const tFilaLista& fila) {
    lvwTransferencias->addTopLevelItem(new TElementoCheque(fila));
    ajustaColumnas();
}

void TPanelListaCheques::muestraFilaActual(const tFilaLista& fila) {
    auto* elemento = static_cast<TElementoCheque*>(lvwTransferencias->topLevelItem(filaActual()));
    if (elemento == nullptr)
        return;
    // The row keeps the key it was chosen by.
    tFilaLista mostrada = fila;
    mostrada.datos.pk = elemento->datos.pk;
    mostrada.celdas[colOrden - 1] = elemento->text(colOrden);
    elemento->muestra(mostrada);
    ajustaColumnas();
}

QList<int> TPanelListaCheques::claves() const {
    QList<int> c;
    for (int i = 0; i < numeroFilas(); ++i)
        c << static_cast<TElementoCheque*>(lvwTransferencias->topLevelItem(i))->datos.pk;
    return c;
}

void TPanelListaCheques::marcaAvisos(const QMap<int, tAvisoImagen>& avisos) {
    const QIcon senal = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (int i = 0; i < numeroFilas(); ++i) {
        auto* e = static_cast<TElementoCheque*>(lvwTransferencias->topLevelItem(i));
        const tAvisoImagen aviso = avisos.value(e->datos.pk);
        e->setIcon(colEstado, aviso.hay() ? senal : QIcon());
        e->setToolTip(colEstado,
                      aviso.hay() ? aviso.aviso + QStringLiteral(": ") + aviso.motivo : QString());
        e->setData(colEstado, Qt::ForegroundRole,
                   aviso.hay() ? QVariant(QColor(0xc0, 0, 0)) : QVariant());
        e->setData(colEstado, Qt::AccessibleTextRole,
                   aviso.hay() ? QVariant(e->text(colEstado) + QStringLiteral(", ") + aviso.aviso)
                               : QVariant());
    }
    ajustaColumnas();
}

int TPanelListaCheques::numeroFilas() const {
    return lvwTransferencias->topLevelItemCount();
}

int TPanelListaCheques::filaActual() const {
    const QList<QTreeWidgetItem*> seleccion = lvwTransferencias->selectedItems();
    return seleccion.isEmpty() ? -1 : lvwTransferencias->indexOfTopLevelItem(seleccion.first());
}

void TPanelListaCheques::seleccionaFila(int indice) {
    QTreeWidgetItem* fila = lvwTransferencias->topLevelItem(indice);
    if (fila == nullptr)
        return;
    lvwTransferencias->setCurrentItem(fila);
    fila->setSelected(true);
    lvwTransferencias->scrollToItem(fila);
}

int TPanelListaCheques::indiceDeClave(int clave) const {
    for (int i = 0; i < lvwTransferencias->topLevelItemCount(); ++i)
        if (static_cast<const TElementoCheque*>(lvwTransferencias->topLevelItem(i))->datos.pk ==
            clave)
            return i;
    return -1;
}

const TElementoCheque* TPanelListaCheques::filaSeleccionada() const {
    const QList<QTreeWidgetItem*> seleccion = lvwTransferencias->selectedItems();
    return seleccion.isEmpty() ? nullptr : static_cast<const TElementoCheque*>(seleccion.first());
}

void TPanelListaCheques::ordenaColumna(int columna) {
    if (columna < 0 || columna >= NumeroColumnas)
        return;
    lvwTransferencias->sortItems(columna, siguienteOrden(ordenes_, columna));
    lvwTransferencias->header()->setSortIndicatorShown(true);
    if (QTreeWidgetItem* fila = lvwTransferencias->currentItem())
        lvwTransferencias->scrollToItem(fila);
}

void TPanelListaCheques::ajustaColumnas() {
    for (int columna = 0; columna < NumeroColumnas; ++columna)
        if (columna != colNombre)
            lvwTransferencias->resizeColumnToContents(columna);
}

// --- Totals ------------------------------------------------------------------

tTotalesCheques TPanelListaCheques::totales() const {
    const QString& euros = Cadenas::captions().CaptionEuros;
    tTotalesCheques t{ledtImporteTotal->text(), ledtOrdenes->text(), lbtTotTrans->text()};
    if (t.importe.endsWith(euros))
        t.importe.chop(euros.size());
    if (t.importe.isEmpty())
        t.importe = formateaImporte(QString());
    return t;
}

void TPanelListaCheques::muestraTotales(const tTotalesCheques& t) {
    ledtImporteTotal->setText(t.importe + Cadenas::captions().CaptionEuros);
    ledtOrdenes->setText(t.completos.isEmpty() ? QStringLiteral("0") : t.completos);
    lbtTotTrans->setText(t.total.isEmpty() ? QStringLiteral("0") : t.total);
}

QString TPanelListaCheques::importeTotalMostrado() const {
    return ledtImporteTotal->text();
}

QString TPanelListaCheques::completosMostrados() const {
    return ledtOrdenes->text();
}

// --- The list as a control ---------------------------------------------------

void TPanelListaCheques::fijaHabilitada(bool habilitada) {
    lvwTransferencias->setEnabled(habilitada);
}

bool TPanelListaCheques::habilitada() const {
    return lvwTransferencias->isEnabled();
}

void TPanelListaCheques::enfocaLista() {
    lvwTransferencias->setFocus();
}

QRect TPanelListaCheques::zonaLista(const QWidget* ventana) const {
    return QRect(lvwTransferencias->mapTo(ventana, QPoint(0, 0)), lvwTransferencias->size());
}
