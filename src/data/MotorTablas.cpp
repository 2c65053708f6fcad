#include "MotorTablas.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>

namespace motor {

namespace {
QAtomicInt contadorConexiones;

QString textoError(const QSqlError& e) {
    QString t = e.text().trimmed();
    return t.isEmpty() ? QStringLiteral("Error desconocido del motor de tablas") : t;
}
} // namespace

Conexion::Conexion(const QString& rutaFichero, bool crear)
    : nombre_(QStringLiteral("teskora_%1").arg(contadorConexiones.fetchAndAddRelaxed(1))) {
    if (!crear && !QFileInfo(rutaFichero).isFile()) {
        error_ = QStringLiteral("No existe la tabla %1").arg(rutaFichero);
        return;
    }
    QSqlDatabase bd = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre_);
    bd.setDatabaseName(rutaFichero);
    if (!bd.open()) {
        error_ = textoError(bd.lastError());
        return;
    }
    abierta_ = true;
}

Conexion::~Conexion() {
    {
        QSqlDatabase bd = QSqlDatabase::database(nombre_, false);
        if (bd.isValid())
            bd.close();
    }
    QSqlDatabase::removeDatabase(nombre_);
}

QSqlDatabase Conexion::bd() const {
    return QSqlDatabase::database(nombre_, false);
}

bool Conexion::adjunta(const QString& rutaFichero, const QString& alias) {
    if (!abierta_)
        return false;
    if (!QFileInfo(rutaFichero).isFile()) {
        error_ = QStringLiteral("No existe la tabla %1").arg(rutaFichero);
        return false;
    }
    QString e =
        ejecutaSql(*this, QStringLiteral("ATTACH DATABASE ? AS %1").arg(alias), {rutaFichero});
    if (!e.isEmpty()) {
        error_ = e;
        return false;
    }
    return true;
}

Sentencia::Sentencia(Conexion& conexion, const QString& sql)
    : conexion_(conexion), consulta_(conexion.bd()), sql_(sql) {
    if (!conexion_.abierta()) {
        error_ = conexion_.error();
        return;
    }
    consulta_.setForwardOnly(true);
    if (!consulta_.prepare(sql_)) {
        error_ = textoError(consulta_.lastError());
        return;
    }
    preparada_ = true;
}

Sentencia& Sentencia::liga(const QVariant& valor) {
    consulta_.addBindValue(valor);
    return *this;
}

bool Sentencia::ejecuta() {
    if (!preparada_)
        return false;
    if (!consulta_.exec()) {
        error_ = textoError(consulta_.lastError());
        return false;
    }
    return true;
}

QString Sentencia::texto(int columna) const {
    QVariant v = consulta_.value(columna);
    return v.isNull() ? QString() : v.toString();
}

QString Sentencia::texto(const QString& columna) const {
    return texto(consulta_.record().indexOf(columna));
}

int Sentencia::entero(int columna) const {
    return consulta_.value(columna).toInt();
}

int Sentencia::entero(const QString& columna) const {
    return entero(consulta_.record().indexOf(columna));
}

bool Sentencia::esNulo(int columna) const {
    return consulta_.value(columna).isNull();
}

int Sentencia::columnas() const {
    return consulta_.record().count();
}

Transaccion::Transaccion(Conexion& conexion) : conexion_(conexion) {
    if (!conexion_.abierta()) {
        error_ = conexion_.error();
        return;
    }
    error_ = ejecutaSql(conexion_, QStringLiteral("BEGIN IMMEDIATE"));
    iniciada_ = error_.isEmpty();
}

Transaccion::~Transaccion() {
    if (iniciada_ && !confirmada_)
        ejecutaSql(conexion_, QStringLiteral("ROLLBACK"));
}

bool Transaccion::confirma() {
    if (!iniciada_)
        return false;
    error_ = ejecutaSql(conexion_, QStringLiteral("COMMIT"));
    confirmada_ = error_.isEmpty();
    return confirmada_;
}

QString ejecutaSql(Conexion& conexion, const QString& sql, const QVariantList& valores) {
    Sentencia s(conexion, sql);
    for (const QVariant& v : valores)
        s.liga(v);
    s.ejecuta();
    return s.error();
}

bool borraFicherosTabla(const QString& rutaFichero) {
    bool ok = true;
    QString base = rutaFichero;
    if (base.endsWith(QStringLiteral(".dat")))
        base.chop(4);
    // The data file, the index file named after it, and the engine's journals.
    const QStringList ficheros = {
        rutaFichero, base + QStringLiteral(".idx"), rutaFichero + QStringLiteral("-journal"),
        rutaFichero + QStringLiteral("-wal"), rutaFichero + QStringLiteral("-shm")};
    for (const QString& f : ficheros)
        if (QFile::exists(f) && !QFile::remove(f))
            ok = false;
    return ok;
}

} // namespace motor
