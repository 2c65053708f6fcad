#pragma once
// A report-style list that keeps itself sorted by the program-wide sort
// column: a header click stores its column in ColumnaOrden and re-sorts;
// adding rows re-sorts too. Column 0 is the row caption, column n the
// row's cell n-1. Text order ignores the case of A to Z only; a row without
// the cell being compared counts as equal.

#include "FilasLista.h"

#include <QTreeWidget>

// The look and selection of every report-style list: one whole row selected
// at a time, no editing in place, grid lines, alternating colours, headers
// that take clicks.
void preparaListaInforme(QTreeWidget* lista);

class TElementoLista : public QTreeWidgetItem {
public:
    TElementoLista(const tFilaLista& fila, const int& columnaOrden);
    tRegDataTalones datos;
    bool operator<(const QTreeWidgetItem& otro) const override;

    // Comparison used by every list window: A-Z folded, then code order.
    static int comparaTextos(const QString& a, const QString& b);

private:
    const int& columnaOrden_;
};

class TListaOrdenable : public QTreeWidget {
    Q_OBJECT
public:
    TListaOrdenable(int& columnaOrden, QWidget* parent = nullptr);

    // Columns with their titles and widths in pixels.
    void defineColumnas(const QStringList& titulos, const QList<int>& anchos);
    TElementoLista* agregaFila(const tFilaLista& fila);
    void cargaFilas(const tFilasLista& filas);
    void ordena();

    TElementoLista* fila(int i) const;
    TElementoLista* filaSeleccionada() const;
    // Every selected row, in the order the list shows them.
    QList<TElementoLista*> filasSeleccionadas() const;
    int numeroFilas() const { return topLevelItemCount(); }
    void seleccionaFila(int i);

private:
    int& columnaOrden_;
};
