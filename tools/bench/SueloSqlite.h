#pragma once
// The floor of the benchmarks: the same table work written directly against
// the engine's C interface, with the engine's defaults (full synchronous
// writes, rollback journal), as the program's connections have them.

#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace suelo {

struct Fallo : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Base {
public:
    explicit Base(const std::string& ruta) {
        if (sqlite3_open_v2(ruta.c_str(), &bd_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw Fallo("open " + ruta + ": " + sqlite3_errmsg(bd_));
        sqlite3_busy_timeout(bd_, 5000);
    }
    ~Base() {
        sentencias_.clear();
        sqlite3_close(bd_);
    }
    Base(const Base&) = delete;
    Base& operator=(const Base&) = delete;

    // A prepared statement, prepared on first use and kept.
    class Sentencia {
    public:
        Sentencia(sqlite3* bd, const char* sql) : bd_(bd) {
            if (sqlite3_prepare_v2(bd, sql, -1, &st_, nullptr) != SQLITE_OK)
                throw Fallo(std::string(sql) + ": " + sqlite3_errmsg(bd));
        }
        ~Sentencia() { sqlite3_finalize(st_); }
        Sentencia& texto(int i, const std::string& v) {
            sqlite3_bind_text(st_, i, v.data(), int(v.size()), SQLITE_TRANSIENT);
            return *this;
        }
        Sentencia& entero(int i, sqlite3_int64 v) {
            sqlite3_bind_int64(st_, i, v);
            return *this;
        }
        // True when a row came; throws on an engine failure.
        bool paso() {
            const int r = sqlite3_step(st_);
            if (r == SQLITE_ROW)
                return true;
            if (r != SQLITE_DONE)
                throw Fallo(sqlite3_errmsg(bd_));
            return false;
        }
        sqlite3_int64 columnaEntera(int c) { return sqlite3_column_int64(st_, c); }
        std::string columnaTexto(int c) {
            const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st_, c));
            return t ? std::string(t) : std::string();
        }
        void reinicia() { sqlite3_reset(st_); }

    private:
        sqlite3* bd_;
        sqlite3_stmt* st_ = nullptr;
    };

    Sentencia& operator()(const char* sql) {
        std::unique_ptr<Sentencia>& s = sentencias_[sql];
        if (!s)
            s = std::make_unique<Sentencia>(bd_, sql);
        s->reinicia();
        return *s;
    }
    void ejecuta(const char* sql) {
        (*this)(sql).paso();
        (*this)(sql).reinicia();
    }
    // Another table file in sight under `alias`.
    void adjunta(const std::string& ruta, const std::string& alias) {
        Sentencia& s = (*this)("ATTACH DATABASE ? AS ?");
        s.texto(1, ruta).texto(2, alias).paso();
        s.reinicia();
    }
    // The highest value of the column plus one, 1 for an empty table.
    sqlite3_int64 siguiente(const char* sqlMax) {
        Sentencia& s = (*this)(sqlMax);
        const sqlite3_int64 m = s.paso() ? s.columnaEntera(0) : 0;
        s.reinicia();
        return m + 1;
    }

private:
    sqlite3* bd_ = nullptr;
    std::map<std::string, std::unique_ptr<Sentencia>> sentencias_;
};

// Copies in blocks of 8192 bytes, as the program copies images.
inline void copia(const std::string& origen, const std::string& destino) {
    const int de = ::open(origen.c_str(), O_RDONLY);
    const int a = ::open(destino.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (de < 0 || a < 0)
        throw Fallo("copy " + origen);
    char bloque[8192];
    ssize_t n;
    while ((n = ::read(de, bloque, sizeof bloque)) > 0)
        if (::write(a, bloque, size_t(n)) != n)
            throw Fallo("write " + destino);
    ::close(de);
    ::close(a);
}

// Appends bytes to a text file: open, append, close, as every record is.
inline void anade(const std::string& ruta, const std::string& bytes) {
    std::FILE* f = std::fopen(ruta.c_str(), "ab");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())
        throw Fallo("append " + ruta);
    std::fclose(f);
}

} // namespace suelo
