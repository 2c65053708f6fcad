#include "MotorTablas.h"

#include "ErrorOperacion.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>

namespace motor {

namespace {
QAtomicInt contadorConexiones;

// The engine's primary result codes that the operator can act on.
enum CodigoMotor {
    Error = 1,
    Permiso = 3,
    Ocupada = 5,
    Bloqueada = 6,
    SoloLectura = 8,
    EntradaSalida = 10,
    Danada = 11,
    Llena = 13,
    NoSeAbre = 14,
    NoEsTabla = 26,
};

QString nombresTablas(const QStringList& rutas) {
    QStringList nombres;
    for (const QString& r : rutas)
        nombres << QDir::toNativeSeparators(r);
    return nombres.join(QStringLiteral(" o "));
}

// The engine's primary result code; 0 when the error carries none.
int codigoMotor(const QSqlError& e) {
    bool ok = false;
    const int codigo = e.nativeErrorCode().toInt(&ok) & 0xff;
    return ok ? codigo : 0;
}

QString queOcurrio(const QSqlError& e, const QString& tablas) {
    const QString texto = e.databaseText();
    const QString copia = QStringLiteral("restáurela desde una copia de seguridad");
    switch (codigoMotor(e)) {
    case Danada:
    case NoEsTabla:
        return QStringLiteral("La tabla %1 está dañada: %2.").arg(tablas, copia);
    case Llena:
        return QStringLiteral("Disco lleno: no se pudo escribir en la tabla %1. Libere espacio "
                              "en el disco y repita la operación.")
            .arg(tablas);
    case NoSeAbre:
        return QStringLiteral("La tabla %1 no se puede abrir.").arg(tablas);
    case Permiso:
    case SoloLectura:
        return QStringLiteral("La tabla %1 no se puede modificar (solo lectura o sin permiso).")
            .arg(tablas);
    case Ocupada:
    case Bloqueada:
        return QStringLiteral("La tabla %1 está en uso por otro programa.").arg(tablas);
    case EntradaSalida:
        return QStringLiteral("Error de lectura o escritura en el disco de la tabla %1.")
            .arg(tablas);
    case Error:
        // A file that holds another table, or an older one without a column.
        if (texto.contains(QStringLiteral("no such table")) ||
            texto.contains(QStringLiteral("no such column")) ||
            texto.contains(QStringLiteral("has no column")))
            return QStringLiteral("La tabla %1 está dañada o contiene otra tabla: %2.")
                .arg(tablas, copia);
        break;
    default:
        break;
    }
    return QStringLiteral("La tabla %1 no ha podido completar la operación.").arg(tablas);
}
} // namespace

bool esTablaOcupada(const QSqlError& error) {
    const int codigo = codigoMotor(error);
    return codigo == Ocupada || codigo == Bloqueada;
}

QString mensajeErrorTabla(const QStringList& rutas, const QSqlError& error) {
    QString motor = error.text().trimmed();
    if (motor.isEmpty())
        motor = QStringLiteral("error desconocido");
    return mensajeConMotor(queOcurrio(error, nombresTablas(rutas)), motor);
}

QString mensajeTablaInexistente(const QString& ruta) {
    return QStringLiteral("La tabla %1 no existe.").arg(QDir::toNativeSeparators(ruta));
}

Conexion::Conexion(const QString& rutaFichero, bool crear, bool soloLectura)
    : nombre_(QStringLiteral("teskora_%1").arg(contadorConexiones.fetchAndAddRelaxed(1))),
      rutas_{rutaFichero} {
    if (!crear && !QFileInfo(rutaFichero).isFile()) {
        error_ = mensajeTablaInexistente(rutaFichero);
        return;
    }
    QSqlDatabase bd = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre_);
    bd.setDatabaseName(rutaFichero);
    if (soloLectura)
        bd.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!bd.open()) {
        error_ = mensaje(bd.lastError());
        return;
    }
    abierta_ = true;
}

Conexion::~Conexion() {
    // The kept statements go before their connection.
    preparadas_.clear();
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

Conexion::tPreparada* Conexion::preparadaLibre(const QString& sql) {
    std::unique_ptr<tPreparada>& p = preparadas_[sql];
    if (!p)
        p = std::make_unique<tPreparada>();
    return p->enUso ? nullptr : p.get();
}

bool Conexion::adjunta(const QString& rutaFichero, const QString& alias) {
    if (!abierta_)
        return false;
    if (const auto a = adjuntas_.find(alias); a != adjuntas_.end() && a->second == rutaFichero)
        return true;
    if (!QFileInfo(rutaFichero).isFile()) {
        error_ = mensajeTablaInexistente(rutaFichero);
        return false;
    }
    rutas_ << rutaFichero;
    QString e =
        ejecutaSql(*this, QStringLiteral("ATTACH DATABASE ? AS %1").arg(alias), {rutaFichero});
    if (!e.isEmpty()) {
        rutas_.removeLast();
        error_ = e;
        return false;
    }
    adjuntas_[alias] = rutaFichero;
    return true;
}

Sentencia::Sentencia(Conexion& conexion, const QString& sql) : conexion_(conexion) {
    if (!conexion_.abierta()) {
        error_ = conexion_.error();
        return;
    }
    guardada_ = conexion_.preparadaLibre(sql);
    std::unique_ptr<QSqlQuery>& q = guardada_ ? guardada_->consulta : propia_;
    if (guardada_)
        guardada_->enUso = true;
    if (q) {
        consulta_ = q.get();
        preparada_ = true;
        return;
    }
    q = std::make_unique<QSqlQuery>(conexion_.bd());
    consulta_ = q.get();
    consulta_->setForwardOnly(true);
    if (!consulta_->prepare(sql)) {
        anotaError(consulta_->lastError());
        if (guardada_) {
            // Nothing kept: the next use prepares it again.
            guardada_->consulta.reset();
            guardada_->enUso = false;
            guardada_ = nullptr;
            consulta_ = nullptr;
        }
        return;
    }
    preparada_ = true;
}

Sentencia::~Sentencia() {
    if (consulta_)
        consulta_->finish();
    if (guardada_)
        guardada_->enUso = false;
}

Sentencia& Sentencia::liga(const QVariant& valor) {
    if (consulta_)
        consulta_->bindValue(parametro_++, valor);
    return *this;
}

bool Sentencia::ejecuta() {
    if (!preparada_)
        return false;
    parametro_ = 0;
    if (!consulta_->exec()) {
        anotaError(consulta_->lastError());
        return false;
    }
    return true;
}

void Sentencia::anotaError(const QSqlError& error) {
    error_ = conexion_.mensaje(error);
    ocupada_ = esTablaOcupada(error);
}

QString Sentencia::texto(int columna) const {
    const QVariant v = valor(columna);
    return v.isNull() ? QString() : v.toString();
}

QString Sentencia::texto(const QString& columna) const {
    return consulta_ ? texto(consulta_->record().indexOf(columna)) : QString();
}

int Sentencia::entero(int columna) const {
    return valor(columna).toInt();
}

int Sentencia::entero(const QString& columna) const {
    return consulta_ ? entero(consulta_->record().indexOf(columna)) : 0;
}

bool Sentencia::esNulo(int columna) const {
    return valor(columna).isNull();
}

int Sentencia::columnas() const {
    return consulta_ ? consulta_->record().count() : 0;
}

QVariant Sentencia::valor(int columna) const {
    return consulta_ ? consulta_->value(columna) : QVariant();
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

Conexion& Conexiones::de(const QString& rutaFichero) {
    std::unique_ptr<Conexion>& c = conexiones_[rutaFichero];
    if (!c || !c->abierta())
        c = std::make_unique<Conexion>(rutaFichero);
    return *c;
}

ConexionOperacion::ConexionOperacion(Conexiones* recorrido, const QString& rutaFichero) {
    if (recorrido) {
        con_ = &recorrido->de(rutaFichero);
    } else {
        propia_ = std::make_unique<Conexion>(rutaFichero);
        con_ = propia_.get();
    }
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
