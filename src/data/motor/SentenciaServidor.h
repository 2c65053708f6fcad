#pragma once
// Statements on the database server sent through its C client library
// rather than through the driver: values travel apart from the text (never
// written into it), a statement run again on a connection is prepared there
// once and from then on sends only its values, and a transaction's start
// goes with its table lock in one exchange.

#include <QByteArray>
#include <QSqlError>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

struct pg_conn;
struct pg_result;

namespace motor {

// The rows one run answered, read in order.
class ResultadoServidor {
public:
    ResultadoServidor() = default;
    ~ResultadoServidor();
    ResultadoServidor(const ResultadoServidor&) = delete;
    ResultadoServidor& operator=(const ResultadoServidor&) = delete;

    // Keeps the run's result; false, with the failure in `error`, when the
    // run failed.
    bool toma(pg_conn* cliente, pg_result* resultado, QSqlError& error);
    void suelta();

    bool siguiente();
    // The value as the driver reads it: integers and truth values as such,
    // the rest (sums included) as their text; null for NULL or no row.
    QVariant valor(int columna) const;
    int columnas() const;
    QString nombreColumna(int columna) const;
    // The column of that name (letter case aside); -1 when none.
    int indiceColumna(const QString& nombre) const;

private:
    pg_result* resultado_ = nullptr;
    QStringList nombres_; // read once: rows are read by column name many times
    int fila_ = -1;
};

// One run in one exchange: by its prepared name when `nombre` is not empty,
// otherwise the text (with "$n" places) and its values.
pg_result* ejecutaEnEnlace(pg_conn* cliente, const QByteArray& nombre, const QByteArray& sql,
                           const QVariantList& valores);
// Prepares `sql` on the link under `nombre`; false, with the failure in
// `error`, when the server refuses it.
bool preparaEnEnlace(pg_conn* cliente, const QByteArray& nombre, const QByteArray& sql,
                     QSqlError& error);
// A name for a statement this program prepares, never used before in it.
QByteArray nombrePreparadaNueva();

// The failure of a run as the driver reports one: the server's state code
// and text, or a broken link.
QSqlError errorDeResultado(pg_conn* cliente, const pg_result* resultado);
// The statement with its "?" places numbered as the server reads them ($1,
// $2...), in the client library's encoding (UTF-8).
QByteArray conMarcadoresNumerados(const QString& sql);

} // namespace motor
