#pragma once
// The cheque editor's list panel: the totals of the remittance above the
// list of its cheques. The list sorts by rules of its own, not by the
// program-wide sort column: "Orden" compares the keys as integers, every
// other column compares texts in the locale's order, and each column
// remembers its last direction for the whole run.

#include "CalidadImagen.h"
#include "FilasLista.h"

#include <QMap>
#include <QTreeWidgetItem>
#include <QWidget>

class QLineEdit;
class QTreeWidget;

class TElementoCheque : public QTreeWidgetItem {
public:
    explicit TElementoCheque(const tFilaLista& fila);
    // Shows the row anew (after the cheque on it was saved); the key stays.
    void muestra(const tFilaLista& fila);
    tRegDataTalones datos;
    bool operator<(const QTreeWidgetItem& otro) const override;
};

// The three figures of the header as CalculaTotales takes and answers them:
// the amount without its " Euros".
struct tTotalesCheques {
    QString importe;
    QString completos;
    QString total;
};

class TPanelListaCheques : public QWidget {
    Q_OBJECT
public:
    enum Columna {
        colEstado,
        colModelo,
        colImporte,
        colCuenta,
        colNumero,
        colNombre,
        colFecha,
        colOrden,
        NumeroColumnas
    };

    static QStringList titulosColumnas();
    // The order the next header click on a column sorts by: the first click
    // sorts text columns ascending and "Orden" descending, every further one
    // reverses.
    static Qt::SortOrder siguienteOrden(QMap<int, Qt::SortOrder>& ordenes, int columna);

    // `ordenes` holds the directions per column; it outlives the panel (it
    // is part of the program state).
    TPanelListaCheques(QMap<int, Qt::SortOrder>& ordenes, QWidget* parent);

    // --- Rows ----------------------------------------------------------------
    void cargaFilas(const tFilasLista& filas);
    void agregaFila(const tFilaLista& fila);
    void muestraFilaActual(const tFilaLista& fila);
    int numeroFilas() const;
    // Index of the selected row; -1 when none is.
    int filaActual() const;
    void seleccionaFila(int indice);
    // Index of the row of the cheque with that key; -1 when none is.
    int indiceDeClave(int clave) const;
    // The selected row's data and state word; nullptr when none is selected.
    const TElementoCheque* filaSeleccionada() const;
    void ordenaColumna(int columna);
    // The keys of every row.
    QList<int> claves() const;
    // Rows whose cheque carries an image mark show it by their state: a
    // warning sign, red, the mark and its reason as tooltip.
    void marcaAvisos(const QMap<int, tAvisoImagen>& avisos);

    // --- Totals --------------------------------------------------------------
    // What the header shows now (the starting point for CalculaTotales).
    tTotalesCheques totales() const;
    void muestraTotales(const tTotalesCheques& totales);
    QString importeTotalMostrado() const;
    QString completosMostrados() const;

    // --- The list as a control -----------------------------------------------
    void fijaHabilitada(bool habilitada);
    bool habilitada() const;
    void enfocaLista();
    // Where the list stands in `ventana`'s coordinates.
    QRect zonaLista(const QWidget* ventana) const;

signals:
    void seleccionCambiada();
    void filaActivada();

private:
    QWidget* creaCabecera();
    void creaLista();
    void ajustaColumnas();

    QMap<int, Qt::SortOrder>& ordenes_;
    QTreeWidget* lvwTransferencias = nullptr;
    QLineEdit* ledtImporteTotal = nullptr;
    QLineEdit* ledtOrdenes = nullptr;
    QLineEdit* lbtTotTrans = nullptr;
};
