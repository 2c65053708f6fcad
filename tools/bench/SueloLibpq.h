#pragma once
// The floor on the database server: the same table work as the file floor
// (SueloSqlite.h), written directly on the server's C client library. The
// statements are the ones the program sends to the server for the same file
// statements (the table layer's own translation, done once per statement),
// each prepared once per run and then run with its values bound; a
// transaction is one exchange (BEGIN and its table lock sent together).
// One link serves every table, as the server holds them all in one
// database, and it is kept from run to run, as the program keeps its links.

#include "ComunBench.h"
#include "Servidor.h"
#include "SueloSqlite.h"

#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <libpq-fe.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace suelo {

// One link to the server, in one schema.
class Enlace {
public:
    explicit Enlace(const motor::tServidorDatos& s) {
        const std::string host = s.servidor.toStdString(), puerto = std::to_string(s.puerto),
                          base = s.base.toStdString(), usuario = s.usuario.toStdString();
        const char* claves[] = {"host", "port", "dbname", "user", nullptr};
        const char* valores[] = {host.c_str(), puerto.c_str(), base.c_str(), usuario.c_str(),
                                 nullptr};
        c_ = PQconnectdbParams(claves, valores, 0);
        if (PQstatus(c_) != CONNECTION_OK)
            throw Fallo(std::string("connect: ") + PQerrorMessage(c_));
        if (!s.esquema.isEmpty())
            ejecuta("SET search_path TO \"" + s.esquema.toStdString() + '"');
    }
    ~Enlace() { PQfinish(c_); }
    Enlace(const Enlace&) = delete;
    Enlace& operator=(const Enlace&) = delete;

    PGconn* c() const { return c_; }

    // Runs statements as they are, in one exchange.
    void ejecuta(const std::string& sql) {
        PGresult* r = PQexec(c_, sql.c_str());
        const ExecStatusType e = PQresultStatus(r);
        PQclear(r);
        if (e != PGRES_COMMAND_OK && e != PGRES_TUPLES_OK)
            throw Fallo(sql + ": " + PQerrorMessage(c_));
    }

    // The name of a fresh prepared statement on this link.
    std::string nuevoNombre() {
        std::string nombre(1, 's');
        nombre += std::to_string(++sentencias_);
        return nombre;
    }

private:
    PGconn* c_ = nullptr;
    int sentencias_ = 0;
};

// A table of the floor on the server, with the tables it sees under an alias
// (the file floor's attached tables). Its statements are released when it
// goes, as the file floor finalises its own.
class BaseServidor {
public:
    BaseServidor(Enlace& enlace, const std::string& ruta)
        : enlace_(enlace), ruta_(QFile::decodeName(ruta.c_str())) {}
    ~BaseServidor() {
        for (const auto& [sql, s] : sentencias_)
            PQclear(PQexec(enlace_.c(), ("DEALLOCATE " + s->nombre()).c_str()));
    }
    BaseServidor(const BaseServidor&) = delete;
    BaseServidor& operator=(const BaseServidor&) = delete;

    // The file engine's "?" places as the server's "$n", counted in
    // `parametros`.
    static std::string numeraMarcadores(const std::string& sql, int& parametros) {
        std::string texto;
        char comilla = 0;
        for (const char ch : sql) {
            if (comilla) {
                comilla = ch == comilla ? 0 : comilla;
            } else if (ch == '\'' || ch == '"') {
                comilla = ch;
            } else if (ch == '?') {
                texto += '$' + std::to_string(++parametros);
                continue;
            }
            texto += ch;
        }
        return texto;
    }

    class Sentencia {
    public:
        Sentencia(Enlace& enlace, const std::string& sql) : c_(enlace.c()) {
            const std::string texto = numeraMarcadores(sql, parametros_);
            nombre_ = enlace.nuevoNombre();
            PGresult* r = PQprepare(c_, nombre_.c_str(), texto.c_str(), parametros_, nullptr);
            const bool hecho = PQresultStatus(r) == PGRES_COMMAND_OK;
            PQclear(r);
            if (!hecho)
                throw Fallo(texto + ": " + PQerrorMessage(c_));
            valores_.resize(size_t(parametros_));
        }
        ~Sentencia() { PQclear(r_); }
        Sentencia(const Sentencia&) = delete;
        Sentencia& operator=(const Sentencia&) = delete;

        const std::string& nombre() const { return nombre_; }
        Sentencia& texto(int i, const std::string& v) {
            valores_[size_t(i - 1)] = v;
            return *this;
        }
        Sentencia& entero(int i, long long v) { return texto(i, std::to_string(v)); }
        // True when a row came; throws on a server failure. The first step
        // runs the statement and takes all its rows, as the driver does.
        bool paso() {
            if (!r_) {
                std::vector<const char*> v;
                for (const std::string& s : valores_)
                    v.push_back(s.c_str());
                r_ =
                    PQexecPrepared(c_, nombre_.c_str(), parametros_, v.data(), nullptr, nullptr, 0);
                const ExecStatusType e = PQresultStatus(r_);
                if (e != PGRES_COMMAND_OK && e != PGRES_TUPLES_OK)
                    throw Fallo(nombre_ + ": " + PQerrorMessage(c_));
                fila_ = -1;
            }
            return ++fila_ < PQntuples(r_);
        }
        long long columnaEntera(int c) { return std::atoll(PQgetvalue(r_, fila_, c)); }
        std::string columnaTexto(int c) { return PQgetvalue(r_, fila_, c); }
        // Back before the first row, the rows kept: no new run.
        void rebobina() { fila_ = -1; }
        void reinicia() {
            PQclear(r_);
            r_ = nullptr;
        }

    private:
        PGconn* c_;
        std::string nombre_;
        int parametros_ = 0;
        std::vector<std::string> valores_;
        PGresult* r_ = nullptr;
        int fila_ = -1;
    };

    void adjunta(const std::string& ruta, const std::string& alias) {
        alias_ << QString::fromStdString(alias);
        adjuntas_ << QFile::decodeName(ruta.c_str());
    }

    Sentencia& operator()(const char* sql) {
        std::unique_ptr<Sentencia>& s = sentencias_[sql];
        if (!s)
            s = std::make_unique<Sentencia>(enlace_, traduce(sql));
        s->reinicia();
        return *s;
    }

    // A statement run once (a transaction's start or end): the server's
    // statements for it, sent together.
    void ejecuta(const char* sql) {
        // Translated once: a floor run sends the same few texts many times.
        std::string& t = directas_[sql];
        if (t.empty())
            t = traduce(sql);
        if (motor::esSentenciaDirecta(QString::fromStdString(t))) {
            enlace_.ejecuta(t);
            return;
        }
        (*this)(sql).paso();
        (*this)(sql).reinicia();
    }

    // A statement run once with its values, in one exchange, as the program
    // sends one with its values written in; its rows, as texts.
    std::vector<std::vector<std::string>> una(const char* sql,
                                              const std::vector<std::string>& valores = {}) {
        int parametros = 0;
        const std::string texto = numeraMarcadores(traduce(sql), parametros);
        std::vector<const char*> v;
        for (const std::string& valor : valores)
            v.push_back(valor.c_str());
        PGresult* r = PQexecParams(enlace_.c(), texto.c_str(), int(v.size()), nullptr, v.data(),
                                   nullptr, nullptr, 0);
        const ExecStatusType e = PQresultStatus(r);
        if (e != PGRES_COMMAND_OK && e != PGRES_TUPLES_OK) {
            PQclear(r);
            throw Fallo(texto + ": " + PQerrorMessage(enlace_.c()));
        }
        std::vector<std::vector<std::string>> filas(size_t(PQntuples(r)));
        for (int f = 0; f < PQntuples(r); ++f)
            for (int c = 0; c < PQnfields(r); ++c)
                filas[size_t(f)].push_back(PQgetvalue(r, f, c));
        PQclear(r);
        return filas;
    }

    // The highest value of the column plus one, 1 for an empty table.
    long long siguiente(const char* sqlMax) {
        Sentencia& s = (*this)(sqlMax);
        const long long m = s.paso() ? s.columnaEntera(0) : 0;
        s.reinicia();
        return m + 1;
    }

private:
    std::string traduce(const char* sql) const {
        return motor::traduceSql(QString::fromUtf8(sql), ruta_, alias_, adjuntas_)
            .replace(motor::SeparadorSentencias, QStringLiteral("; "))
            .toStdString();
    }

    Enlace& enlace_;
    QString ruta_;
    QStringList alias_, adjuntas_;
    std::map<std::string, std::unique_ptr<Sentencia>> sentencias_;
    std::map<std::string, std::string> directas_;
};

// Opens a table of the floor: its file, or, with a link, its table on the
// server.
template <class B> B abre(Enlace* enlace, const QString& ruta) {
    if constexpr (std::is_same_v<B, BaseServidor>)
        return B(*enlace, QFile::encodeName(ruta).toStdString());
    else
        return B(QFile::encodeName(ruta).toStdString());
}

// The server named by a connection file ("socket-folder port user database",
// as the test server's script writes it), in a schema of its own made now
// and named `esquema`: each installation of a run sees only its own tables.
inline motor::tServidorDatos servidorEnEsquemaNuevo(const QString& fichero,
                                                    const QString& esquema) {
    QFile f(fichero);
    if (!f.open(QIODevice::ReadOnly))
        throw Fallo("cannot read " + fichero.toStdString());
    const QStringList campos =
        QString::fromUtf8(f.readAll())
            .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (campos.size() < 4)
        throw Fallo("expected \"socket-folder port user database\" in " + fichero.toStdString());
    motor::tServidorDatos s{campos[0], campos[1].toInt(), campos[3], campos[2], {}};
    Enlace(s).ejecuta("CREATE SCHEMA \"" + esquema.toStdString() + '"');
    s.esquema = esquema;
    return s;
}

// Puts the fresh and the aged installation each in a schema of its own on
// the server the connection file names, prepares them and measures them as
// bench::mideRondas does, one installation after the other; the schemas go
// at the end, with their million history rows. False when anything failed.
template <class Instalacion>
bool mideEnServidor(const QString& fichero, Instalacion& nueva, Instalacion& envejecida,
                    const char* titulo, const std::vector<bench::tSuelo<Instalacion>>& suelos) {
    try {
        nueva.servidor = servidorEnEsquemaNuevo(fichero, bench::nombreEsquema(1));
        envejecida.servidor = servidorEnEsquemaNuevo(fichero, bench::nombreEsquema(2));
    } catch (const Fallo& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return false;
    }
    const bool medido = nueva.prepara(false) && envejecida.prepara(true) &&
                        bench::mideRondas(nueva, envejecida, titulo, suelos, true);
    // The program's kept links are let go before their schemas.
    motor::usaServidor(std::nullopt);
    for (const Instalacion* inst : {&nueva, &envejecida})
        try {
            Enlace(*inst->servidor)
                .ejecuta("DROP SCHEMA \"" + inst->servidor->esquema.toStdString() + "\" CASCADE");
        } catch (const Fallo& e) {
            std::fprintf(stderr, "%s\n", e.what());
        }
    return medido;
}

} // namespace suelo
