#pragma once
// The history grid's query: the rows of one search over historicoCheques.dat.
//
// A search may list a million rows, so the rows are never all read: the
// first block is read at once (the grid's first screen), the rest of the
// result is counted afterwards by parts of the table, from a timer, while
// the grid is already on screen, and a block of rows is read when the grid
// shows it. The count leaves a small map from row numbers to the table's own
// row numbers, so that any block, the last one too, is read from near its
// place in the table. Only a few blocks are kept, and no statement stays open
// between two reads: the query holds no lock on the table.
//
// The grid shows the fifteen fields of the search; two of them are
// calculated for each row: ImporteCal (the amount in display form) and
// indicadorStr ("SI"/"NO" for promissory notes, empty otherwise). The three
// other fields of a row (key, stored amount, indicador) are read with texto.

#include "BusquedaHistorico.h"
#include "ErrorOperacion.h"

#include <QAbstractTableModel>
#include <QTimer>

#include <functional>
#include <list>
#include <map>
#include <memory>
#include <vector>

namespace motor {
class Conexion;
}

class TqryHistorico : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int FilasPorBloque = 256;

    explicit TqryHistorico(QObject* parent = nullptr);
    ~TqryHistorico() override;

    // Runs the statement on the table file and reads its first block. On a
    // failure throws TErrorOperacion, leaving the query closed (no rows).
    void abre(const QString& rutaTabla, const tConsultaHistorico& consulta);
    // Runs the last statement again (after a row was deleted); throws as abre.
    void reabre();
    // Closes the query and the table file; the statement is kept for reabre.
    void cierra();
    bool abierta() const { return conexion_ != nullptr; }
    bool tieneFilas() const { return filas_ > 0; }

    // True once every row of the result is counted: rowCount() is then the
    // number of rows found. Until then it is the number counted so far.
    bool contada() const { return !abierta() || siguienteRowid_ > ultimoRowid_; }
    // Rows of the table still to go through to finish the count.
    qint64 filasPorContar() const;
    // Counts the rest of the result now.
    void terminaRecuento();

    // A field of a row, as stored (ColumnasHistorico; the calculated
    // columns excluded); empty for a row that cannot be read.
    QString texto(int fila, int campo) const;

    // Failures found while counting or reading rows, which happen after
    // abre has answered and so have no caller to throw to: told here, once
    // per search, outside any paint.
    std::function<void(const TErrorOperacion&)> alFallar;

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion,
                        int rol = Qt::DisplayRole) const override;

    // indicadorStr of one row.
    static QString indicadorTexto(const QString& numeroModelo, int indicador);
    // What each column holds, as a screen reader says its title.
    static QString descripcionColumna(int columna);

signals:
    // More rows were counted, or the count ended.
    void recuentoCambiado();

private:
    using tFila = std::vector<QString>;
    struct tBloque {
        std::vector<tFila> filas;
        std::list<int>::iterator usoReciente;
    };
    // From row `fila` on, the rows of the result are those of the table from
    // row number `rowid` on.
    struct tTramo {
        int fila;
        qint64 rowid;
    };

    // No rows, no table file, no count under way.
    void vacia();
    // Counts parts of the table for a short while, then lets the grid go on.
    void cuentaUnRato();
    // Counts parts of the table while `sigue` answers true, then shows the
    // rows counted.
    void cuenta(const std::function<bool()>& sigue);
    // Counts the next part of the table into `contadas`; false on a failure,
    // which ends the count.
    bool cuentaTramo(int& contadas);
    // The row, read with its block when the block is not kept; nothing when
    // it cannot be read.
    const tFila* fila(int numero) const;
    bool leeBloque(int numero, std::vector<tFila>& filas) const;
    void informa(const QString& mensajeMotor) const;

    std::unique_ptr<motor::Conexion> conexion_;
    QString ruta_;
    tConsultaHistorico consulta_;
    int filas_ = 0;
    std::vector<tTramo> tramos_;
    qint64 siguienteRowid_ = 0; // the next table row to count
    qint64 ultimoRowid_ = -1;   // the last table row when the search ran
    QTimer temporizador_;
    mutable std::map<int, tBloque> bloques_;
    mutable std::list<int> usos_; // block numbers, the last used first
    mutable bool fallado_ = false;
};
