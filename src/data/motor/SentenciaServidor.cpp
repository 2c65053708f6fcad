#include "SentenciaServidor.h"

#include <QAtomicInt>

#include <vector>

#include <libpq-fe.h>

namespace motor {

namespace {

QAtomicInt contadorPreparadas;

bool resultadoBueno(const PGresult* r) {
    const ExecStatusType estado = PQresultStatus(r);
    return estado == PGRES_COMMAND_OK || estado == PGRES_TUPLES_OK;
}

// The value as the server reads it: its text, which the server takes as
// the type the place needs (as it takes a bound value); a truth value as
// the file engine keeps it.
QByteArray textoValor(const QVariant& v) {
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
    return v.toString().toUtf8();
}

} // namespace

ResultadoServidor::~ResultadoServidor() {
    suelta();
}

bool ResultadoServidor::toma(pg_conn* cliente, pg_result* resultado, QSqlError& error) {
    suelta();
    if (!resultado || !resultadoBueno(resultado)) {
        error = errorDeResultado(cliente, resultado);
        PQclear(resultado);
        return false;
    }
    resultado_ = resultado;
    for (int i = 0; i < PQnfields(resultado_); ++i)
        nombres_ << QString::fromUtf8(PQfname(resultado_, i));
    return true;
}

void ResultadoServidor::suelta() {
    PQclear(resultado_);
    resultado_ = nullptr;
    nombres_.clear();
    fila_ = -1;
}

bool ResultadoServidor::siguiente() {
    return resultado_ && ++fila_ < PQntuples(resultado_);
}

QVariant ResultadoServidor::valor(int columna) const {
    if (!resultado_ || fila_ < 0 || fila_ >= PQntuples(resultado_) || columna < 0 ||
        columna >= PQnfields(resultado_) || PQgetisnull(resultado_, fila_, columna))
        return {};
    const char* texto = PQgetvalue(resultado_, fila_, columna);
    // The server's type numbers (pg_type) of the values read as such.
    constexpr Oid tipoLogico = 16, tipoEntero8 = 20, tipoEntero2 = 21, tipoEntero4 = 23;
    switch (PQftype(resultado_, columna)) {
    case tipoLogico:
        return texto[0] == 't';
    case tipoEntero8:
    case tipoEntero2:
    case tipoEntero4:
        return QByteArray(texto).toLongLong();
    default:
        return QString::fromUtf8(texto);
    }
}

int ResultadoServidor::columnas() const {
    return int(nombres_.size());
}

QString ResultadoServidor::nombreColumna(int columna) const {
    return nombres_.value(columna);
}

int ResultadoServidor::indiceColumna(const QString& nombre) const {
    for (int i = 0; i < nombres_.size(); ++i)
        if (nombre.compare(nombres_[i], Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

pg_result* ejecutaEnEnlace(pg_conn* cliente, const QByteArray& nombre, const QByteArray& sql,
                           const QVariantList& valores) {
    if (!cliente)
        return nullptr;
    std::vector<QByteArray> textos;
    std::vector<const char*> punteros;
    textos.reserve(std::size_t(valores.size()));
    for (const QVariant& v : valores) {
        if (v.isNull()) {
            punteros.push_back(nullptr);
            continue;
        }
        textos.push_back(textoValor(v));
        punteros.push_back(textos.back().constData());
    }
    const int n = int(punteros.size());
    if (!nombre.isEmpty())
        return PQexecPrepared(cliente, nombre.constData(), n, punteros.data(), nullptr, nullptr, 0);
    return PQexecParams(cliente, sql.constData(), n, nullptr, punteros.data(), nullptr, nullptr, 0);
}

bool preparaEnEnlace(pg_conn* cliente, const QByteArray& nombre, const QByteArray& sql,
                     QSqlError& error) {
    PGresult* r =
        cliente ? PQprepare(cliente, nombre.constData(), sql.constData(), 0, nullptr) : nullptr;
    const bool hecho = r && resultadoBueno(r);
    if (!hecho)
        error = errorDeResultado(cliente, r);
    PQclear(r);
    return hecho;
}

QByteArray nombrePreparadaNueva() {
    return "teskora_" + QByteArray::number(contadorPreparadas.fetchAndAddRelaxed(1));
}

QSqlError errorDeResultado(pg_conn* cliente, const pg_result* resultado) {
    const bool roto = !cliente || PQstatus(cliente) != CONNECTION_OK;
    const char* estado = resultado ? PQresultErrorField(resultado, PG_DIAG_SQLSTATE) : nullptr;
    QString texto =
        resultado ? QString::fromUtf8(PQresultErrorMessage(resultado)).trimmed() : QString();
    if (texto.isEmpty() && cliente)
        texto = QString::fromUtf8(PQerrorMessage(cliente)).trimmed();
    return QSqlError(QString(), texto,
                     roto ? QSqlError::ConnectionError : QSqlError::StatementError,
                     estado ? QString::fromLatin1(estado) : QString());
}

QByteArray conMarcadoresNumerados(const QString& sql) {
    QString r;
    r.reserve(sql.size() + 16);
    int siguiente = 0;
    QChar comilla;
    for (const QChar c : sql) {
        if (!comilla.isNull()) {
            if (c == comilla)
                comilla = QChar();
        } else if (c == u'\'' || c == u'"') {
            comilla = c;
        } else if (c == u'?') {
            r += u'$' + QString::number(++siguiente);
            continue;
        }
        r += c;
    }
    return r.toUtf8();
}

} // namespace motor
