#include "ListaOrdenable.h"

#include <QHeaderView>
#include <QStyledItemDelegate>

namespace {
// Every row is as high as a line of text: with uniform row heights the first
// row sets the height of all, and a first row with an empty caption would
// otherwise cut the accents off the capitals of the others.
class TDelegadoFila : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& opcion, const QModelIndex& indice) const override {
        QSize s = QStyledItemDelegate::sizeHint(opcion, indice);
        s.setHeight(qMax(s.height(), opcion.fontMetrics.height() + 4));
        return s;
    }
};

QString pliegaAZ(const QString& s) {
    QString r = s;
    for (QChar& c : r)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    return r;
}
} // namespace

void preparaListaInforme(QTreeWidget* lista) {
    lista->setRootIsDecorated(false);
    lista->setUniformRowHeights(true);
    lista->setSelectionMode(QAbstractItemView::SingleSelection);
    lista->setSelectionBehavior(QAbstractItemView::SelectRows);
    lista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lista->setAllColumnsShowFocus(true);
    lista->setAlternatingRowColors(true);
    lista->setStyleSheet(
        QStringLiteral("QTreeView::item { border-right: 1px solid #d0d0d0; "
                       "border-bottom: 1px solid #d0d0d0; }"
                       "QTreeView::item:selected { background-color: palette(highlight); "
                       "color: palette(highlighted-text); }"));
    lista->header()->setSectionsClickable(true);
    lista->header()->setSortIndicatorShown(false);
}

TElementoLista::TElementoLista(const tFilaLista& fila, const int& columnaOrden)
    : QTreeWidgetItem(QStringList{fila.caption} + fila.celdas), datos(fila.datos),
      columnaOrden_(columnaOrden) {}

int TElementoLista::comparaTextos(const QString& a, const QString& b) {
    return QString::compare(pliegaAZ(a), pliegaAZ(b), Qt::CaseSensitive);
}

bool TElementoLista::operator<(const QTreeWidgetItem& otro) const {
    const int c = columnaOrden_;
    if (c < 0 || c >= columnCount() || c >= otro.columnCount())
        return false; // a failed comparison counts as equal
    return comparaTextos(text(c), otro.text(c)) < 0;
}

TListaOrdenable::TListaOrdenable(int& columnaOrden, QWidget* parent)
    : QTreeWidget(parent), columnaOrden_(columnaOrden) {
    preparaListaInforme(this);
    setItemDelegate(new TDelegadoFila(this));
    connect(header(), &QHeaderView::sectionClicked, this, [this](int columna) {
        columnaOrden_ = columna;
        ordena();
    });
}

void TListaOrdenable::defineColumnas(const QStringList& titulos, const QList<int>& anchos) {
    setColumnCount(titulos.size());
    setHeaderLabels(titulos);
    for (int i = 0; i < anchos.size() && i < titulos.size(); ++i)
        setColumnWidth(i, anchos[i]);
}

TElementoLista* TListaOrdenable::agregaFila(const tFilaLista& fila) {
    auto* e = new TElementoLista(fila, columnaOrden_);
    addTopLevelItem(e);
    ordena();
    return e;
}

void TListaOrdenable::cargaFilas(const tFilasLista& filas) {
    clear();
    QList<QTreeWidgetItem*> elementos;
    for (const tFilaLista& f : filas)
        elementos << new TElementoLista(f, columnaOrden_);
    addTopLevelItems(elementos);
    ordena();
}

void TListaOrdenable::ordena() {
    sortItems(0, Qt::AscendingOrder);
}

TElementoLista* TListaOrdenable::fila(int i) const {
    return static_cast<TElementoLista*>(topLevelItem(i));
}

TElementoLista* TListaOrdenable::filaSeleccionada() const {
    const QList<QTreeWidgetItem*> sel = selectedItems();
    return sel.isEmpty() ? nullptr : static_cast<TElementoLista*>(sel.first());
}

QList<TElementoLista*> TListaOrdenable::filasSeleccionadas() const {
    QList<TElementoLista*> r;
    for (int i = 0; i < numeroFilas(); ++i)
        if (fila(i)->isSelected())
            r << fila(i);
    return r;
}

void TListaOrdenable::seleccionaFila(int i) {
    if (QTreeWidgetItem* e = topLevelItem(i)) {
        setCurrentItem(e);
        e->setSelected(true);
    }
}
