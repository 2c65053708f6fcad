#pragma once
// The history grid's query: the rows of one search over historicoCheques.dat,
// read from the engine in blocks as the grid shows them, so the memory used
// does not grow with the size of the result. Two columns are calculated for
// each row as it is read: ImporteCal (the amount in display form) and
// indicadorStr ("SI"/"NO" for promissory notes, empty otherwise).

#include "BusquedaHistorico.h"

#include <QSqlQueryModel>

#include <memory>

namespace motor {
class Conexion;
}

class TqryHistorico : public QSqlQueryModel {
    Q_OBJECT
public:
    explicit TqryHistorico(QObject* parent = nullptr);
    ~TqryHistorico() override;

    // Runs the statement on the table file; false with the engine message,
    // leaving the query closed (no rows).
    bool abre(const QString& rutaTabla, const tConsultaHistorico& consulta, QString& error);
    // Runs the last statement again (after a row was deleted).
    bool reabre(QString& error);
    // Closes the query and the table file; the statement is kept for reabre.
    void cierra();
    bool abierta() const { return conexion_ != nullptr; }
    bool tieneFilas() const { return rowCount() > 0; }

    // The text of a column of a row, as stored (calculated columns excluded).
    QString texto(int fila, int columna) const;

    QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;

    // indicadorStr of one row.
    static QString indicadorTexto(const QString& numeroModelo, int indicador);

private:
    std::unique_ptr<motor::Conexion> conexion_;
    QString ruta_;
    tConsultaHistorico consulta_;
};
