#pragma once
// The small layer that owns every connection, statement and transaction on
// the table files. Each table file is one SQLite database holding one table.
// Values always travel as bound parameters; the engine's error text is the
// message the data module shows or hands back.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

class QSqlError;

namespace motor {

// What the operator reads when the engine fails on table files: one Spanish
// sentence that names the file(s) and says what happened (damaged, disk full,
// missing, in use...), then the engine's own text for support. Every engine
// message of the data module is made here.
QString mensajeErrorTabla(const QStringList& rutas, const QSqlError& error);
// The message for a table file that does not exist.
QString mensajeTablaInexistente(const QString& ruta);

// One open table file. Never creates a file by accident: opening a path that
// does not exist fails unless `crear` is set.
class Conexion {
public:
    explicit Conexion(const QString& rutaFichero, bool crear = false);
    ~Conexion();
    Conexion(const Conexion&) = delete;
    Conexion& operator=(const Conexion&) = delete;

    bool abierta() const { return abierta_; }
    const QString& error() const { return error_; }
    QSqlDatabase bd() const;
    // The engine's failure as the operator reads it, naming this connection's
    // files (the main one and those attached).
    QString mensaje(const QSqlError& error) const { return mensajeErrorTabla(rutas_, error); }

    // Makes a second table file visible under `alias` (for joins and for
    // moving rows between files in one transaction).
    bool adjunta(const QString& rutaFichero, const QString& alias);

private:
    QString nombre_;
    QStringList rutas_;
    QString error_;
    bool abierta_ = false;
};

// One statement: prepare, bind in order, run, read rows.
class Sentencia {
public:
    Sentencia(Conexion& conexion, const QString& sql);
    Sentencia(const Sentencia&) = delete;
    Sentencia& operator=(const Sentencia&) = delete;

    Sentencia& liga(const QVariant& valor);
    bool ejecuta();
    bool siguiente() { return consulta_.next(); }

    QString texto(int columna) const;
    QString texto(const QString& columna) const;
    int entero(int columna) const;
    int entero(const QString& columna) const;
    bool esNulo(int columna) const;
    int columnas() const;

    const QString& error() const { return error_; }

private:
    Conexion& conexion_;
    QSqlQuery consulta_;
    QString sql_;
    QString error_;
    bool preparada_ = false;
};

// Everything in between commits together or not at all; rolls back when it
// goes out of scope without `confirma`.
class Transaccion {
public:
    explicit Transaccion(Conexion& conexion);
    ~Transaccion();
    Transaccion(const Transaccion&) = delete;
    Transaccion& operator=(const Transaccion&) = delete;

    bool iniciada() const { return iniciada_; }
    bool confirma();
    const QString& error() const { return error_; }

private:
    Conexion& conexion_;
    QString error_;
    bool iniciada_ = false;
    bool confirmada_ = false;
};

// Runs one statement with its parameters; answers the engine message or "".
QString ejecutaSql(Conexion& conexion, const QString& sql, const QVariantList& valores = {});

// Deletes a table file and every file the engine keeps beside it.
bool borraFicherosTabla(const QString& rutaFichero);

} // namespace motor
