#pragma once
// Where the tables live: the SQLite files of the data folder (the default,
// one file per table) or one PostgreSQL database shared by several
// workstations. The choice is made once for the whole program, at start,
// from config.ini; the stores keep addressing a table by its file's path and
// this layer finds the server's table that stands for it:
// - a master table file (Tablas/historico.dat) is the table of the same name;
// - a remittance's cheque table (TablaRemesas/7.dat) is Talones_7.
// On the server every table has one more column, `rowid`, numbered as rows
// are inserted, so that "the order rows were written in" means the same on
// both engines.

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>

class QSqlError;
struct pg_conn;

namespace motor {

struct tServidorDatos {
    QString servidor; // host name, or the folder of the server's local socket
    int puerto = 5432;
    QString base;
    QString usuario; // empty: the system user's name
    QString esquema; // empty: the user's default schema
    bool operator==(const tServidorDatos&) const = default;
};

// Chooses the engine for every table opened from now on: the server, or the
// SQLite files when empty. Connections kept for the previous choice are
// closed as they are handed back.
void usaServidor(const std::optional<tServidorDatos>& servidor);
// The server in use; null while the tables are SQLite files.
const tServidorDatos* servidorEnUso();
inline bool enServidor() {
    return servidorEnUso() != nullptr;
}
// The server's name for what config.ini names, for messages: "base en servidor".
QString descripcionServidor(const tServidorDatos& servidor);

// An identifier quoted for the server (a schema name from config.ini).
QString comillas(const QString& identificador);

// The server's table that stands for a table file (lower case, as the
// server folds unquoted names).
QString tablaEnServidor(const QString& rutaFichero);
// The remittance whose cheque table the file is; 0 for a master table.
int remesaDeTabla(const QString& rutaFichero);

// One open connection to the server, taken from the calling thread's kept
// connections (or opened) and handed back when it goes. A connection whose
// link to the server broke is not kept.
class EnlaceServidor {
public:
    EnlaceServidor();
    ~EnlaceServidor();
    EnlaceServidor(const EnlaceServidor&) = delete;
    EnlaceServidor& operator=(const EnlaceServidor&) = delete;

    bool abierto() const { return abierto_; }
    // Why it could not connect, as the operator reads it.
    const QString& error() const { return error_; }
    QSqlDatabase bd() const { return QSqlDatabase::database(nombre_, false); }
    // The client library's link under the connection, for the statements
    // sent on it without the driver; null when there is none.
    pg_conn* cliente() const;
    // A statement was prepared on the link: the link's prepared statements
    // go when it is handed back, so that whoever takes it next starts clean.
    void anotaPreparada() { conPreparadas_ = true; }

private:
    QString nombre_;
    QString error_;
    bool abierto_ = false;
    bool conPreparadas_ = false;
};

// The server's failure as the operator reads it: one Spanish sentence naming
// the tables and what happened, then the server's own text.
QString mensajeErrorServidor(const QStringList& rutas, const QSqlError& error);
// Whether another workstation holds the table (lock wait ended, deadlock).
bool esOcupadaEnServidor(const QSqlError& error);
// The table is not on the server.
bool esTablaInexistenteEnServidor(const QSqlError& error);

// The tables this program knows to stand on the server (made or seen), so
// that opening one asks the server nothing.
bool tablaConocida(const QString& rutaFichero);
void conoceTabla(const QString& rutaFichero);
void olvidaTabla(const QString& rutaFichero);

// The client library's own link under a connection of the server's driver,
// for statements sent without the driver; null when there is none.
pg_conn* clienteDe(const QSqlDatabase& bd);

// Whether the table stands on the server; false also when it cannot be asked
// (the failure is then in `error`).
bool existeTablaEnServidor(EnlaceServidor& enlace, const QString& rutaFichero,
                           QString* error = nullptr);

// The statement as the server reads it, on a connection whose main table is
// `rutaPrincipal` and which sees the tables of `adjuntas` (alias -> file):
// schema prefixes of the file engine go, each remittance's table takes its
// own name, the file engine's hints go, LIKE compares as it does on the files
// (ASCII letters without case) and tables are made with the `rowid` column.
QString traduceSql(const QString& sql, const QString& rutaPrincipal,
                   const QStringList& aliasAdjuntas, const QStringList& rutasAdjuntas);
// A GLOB pattern of the file engine (* ? and [sets], case counts) as the
// server's regular expression for `~`, matching the same texts.
QString expresionDeGlob(const QString& glob);

// Between statements that run one after the other as one (the translation
// of a file engine's BEGIN IMMEDIATE): they go to the server one by one.
inline const QString SeparadorSentencias = QStringLiteral(";\n");

// Whether the statement must run as it is (not prepared): the server only
// prepares queries and row changes.
bool esSentenciaDirecta(const QString& sqlTraducida);

} // namespace motor
