#pragma once
// The small layer that owns every connection, statement and transaction on
// the tables. Each table file is one SQLite database holding one table; when
// the program works on a database server (Servidor.h) the same calls reach
// the server's table that stands for the file. Values always travel as bound
// parameters; the engine's error text is the message the data module shows
// or hands back.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <map>
#include <memory>

class QSqlError;

namespace motor {

class EnlaceServidor;
class ResultadoServidor;

// What the operator reads when the engine fails on table files: one Spanish
// sentence that names the file(s) and says what happened (damaged, disk full,
// missing, in use...), then the engine's own text for support. Every engine
// message of the data module is made here.
QString mensajeErrorTabla(const QStringList& rutas, const QSqlError& error);
// Whether the engine failed because another program holds the table (busy
// or locked): nothing is wrong with the file, the operation can be repeated.
bool esTablaOcupada(const QSqlError& error);
// The message for a table file that does not exist.
QString mensajeTablaInexistente(const QString& ruta);

// One open table file. Never creates a file by accident: opening a path that
// does not exist fails unless `crear` is set. A statement is prepared once per
// connection and kept: a connection held for a whole walk (storing a batch,
// an emission) parses each statement once, however many rows it touches.
// With `soloLectura` the file is never written, not even to undo a cut-off
// transaction (for files that must stay as they are, such as backup copies).
class Conexion {
public:
    explicit Conexion(const QString& rutaFichero, bool crear = false, bool soloLectura = false);
    // On the server: the connection is to the server's database, and the
    // table may not exist yet only with `crear`.
    ~Conexion();
    Conexion(const Conexion&) = delete;
    Conexion& operator=(const Conexion&) = delete;

    bool abierta() const { return abierta_; }
    const QString& error() const { return error_; }
    QSqlDatabase bd() const;
    // The engine's failure as the operator reads it, naming this connection's
    // files (the main one and those attached).
    QString mensaje(const QSqlError& error) const { return mensajeErrorTabla(rutas_, error); }
    // Whether the tables are on the database server.
    bool enServidor() const { return enlace_ != nullptr; }
    // The statement as this connection's engine reads it.
    QString traduce(const QString& sql) const;

    // Makes a second table file visible under `alias` (for joins and for
    // moving rows between files in one transaction). Attaching the same file
    // under the same alias again does nothing.
    bool adjunta(const QString& rutaFichero, const QString& alias);

private:
    friend class Sentencia;
    friend class Transaccion;
    // On the server: the statement that holds the tables against other
    // writers until the transaction ends, as a write transaction holds the
    // table files; empty when none of them exists yet.
    QString sqlBloqueo(const QStringList& rutas);
    // A prepared statement kept for reuse; taken by one Sentencia at a time.
    struct tPreparada {
        std::unique_ptr<QSqlQuery> consulta; // null until prepared
        bool enUso = false;
        // On the server: the text as the server reads it (or, for what is
        // not prepared there, the statements to run as they are), and its
        // name once prepared, on its second run.
        QByteArray textoServidor;
        QStringList directas;
        QByteArray nombreServidor;
        int usos = 0;
    };
    // The kept statement for `sql`, or nullptr when it is in use (a nested
    // use of the same text gets a statement of its own).
    tPreparada* preparadaLibre(const QString& sql);

    QString nombre_;
    QStringList rutas_;
    std::map<QString, QString> adjuntas_; // alias -> file
    std::map<QString, std::unique_ptr<tPreparada>> preparadas_;
    QString error_;
    bool abierta_ = false;
    std::unique_ptr<EnlaceServidor> enlace_; // on the server
    bool existePrincipal_ = true;            // on the server: the main table is there
    bool enTransaccion_ = false;
};

// One use of a statement: bind in order, run, read rows. The statement is
// the connection's kept one (prepared on its first use); when the use ends
// it is reset, so no read lock outlives it.
class Sentencia {
public:
    Sentencia(Conexion& conexion, const QString& sql);
    ~Sentencia();
    Sentencia(const Sentencia&) = delete;
    Sentencia& operator=(const Sentencia&) = delete;

    Sentencia& liga(const QVariant& valor);
    bool ejecuta();
    bool siguiente();

    QString texto(int columna) const;
    QString texto(const QString& columna) const;
    int entero(int columna) const;
    int entero(const QString& columna) const;
    bool esNulo(int columna) const;
    int columnas() const;
    QString nombreColumna(int columna) const;

    const QString& error() const { return error_; }
    // The failure was another program holding the table (esTablaOcupada).
    bool ocupada() const { return ocupada_; }

private:
    QVariant valor(int columna) const;
    int indiceColumna(const QString& columna) const;
    void anotaError(const QSqlError& error);
    void iniciaEnServidor(const QString& sql);
    bool ejecutaEnServidor();

    Conexion& conexion_;
    Conexion::tPreparada* guardada_ = nullptr; // the connection's, when taken
    std::unique_ptr<QSqlQuery> propia_;        // when the kept one was in use
    QSqlQuery* consulta_ = nullptr;
    QString error_;
    int parametro_ = 0;
    bool preparada_ = false;
    bool ocupada_ = false;
    // On the server: the statement (the connection's kept one, or its own
    // when that was in use), the values bound and the rows of the last run.
    Conexion::tPreparada* enServidor_ = nullptr;
    std::unique_ptr<Conexion::tPreparada> propiaServidor_;
    QVariantList valores_;
    std::unique_ptr<ResultadoServidor> resultado_;
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

// The connections of one walk over many rows, one per table file, opened on
// first use and held until the walk ends.
class Conexiones {
public:
    Conexiones() = default;
    Conexiones(const Conexiones&) = delete;
    Conexiones& operator=(const Conexiones&) = delete;
    // The walk's connection to the file; one that failed to open is tried
    // again on the next call.
    Conexion& de(const QString& rutaFichero);

private:
    std::map<QString, std::unique_ptr<Conexion>> conexiones_;
};

// The connection one operation uses: the walk's when a walk is on, else one
// opened for the operation and closed after it.
class ConexionOperacion {
public:
    ConexionOperacion(Conexiones* recorrido, const QString& rutaFichero);
    ConexionOperacion(const ConexionOperacion&) = delete;
    ConexionOperacion& operator=(const ConexionOperacion&) = delete;
    Conexion& operator*() const { return *con_; }
    Conexion* operator->() const { return con_; }

private:
    std::unique_ptr<Conexion> propia_;
    Conexion* con_;
};

// Runs one statement with its parameters; answers the engine message or "".
QString ejecutaSql(Conexion& conexion, const QString& sql, const QVariantList& valores = {});

// Deletes a table file and every file the engine keeps beside it; on the
// server, drops its table.
bool borraTabla(const QString& rutaFichero);
// The remittances' cheque tables in the folder (on the server: those the
// server holds), as file paths, by name.
QStringList rutasTablasRemesas(const QString& carpeta);
// Whether the table file exists (on the server: its table).
bool existeTabla(const QString& rutaFichero);

} // namespace motor
