#include "MotorTablas.h"

#include "ErrorOperacion.h"
#include "SentenciaServidor.h"
#include "Servidor.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>

#include <utility>

#include <libpq-fe.h>

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
    if (enServidor())
        return esOcupadaEnServidor(error);
    const int codigo = codigoMotor(error);
    return codigo == Ocupada || codigo == Bloqueada;
}

QString mensajeErrorTabla(const QStringList& rutas, const QSqlError& error) {
    if (enServidor())
        return mensajeErrorServidor(rutas, error);
    QString motor = error.text().trimmed();
    if (motor.isEmpty())
        motor = QStringLiteral("error desconocido");
    return mensajeConMotor(queOcurrio(error, nombresTablas(rutas)), motor);
}

QString mensajeTablaInexistente(const QString& ruta) {
    if (enServidor())
        return QStringLiteral("La tabla %1 no existe en el servidor de datos.")
            .arg(tablaEnServidor(ruta));
    return QStringLiteral("La tabla %1 no existe.").arg(QDir::toNativeSeparators(ruta));
}

Conexion::Conexion(const QString& rutaFichero, bool crear, bool soloLectura)
    : nombre_(QStringLiteral("teskora_%1").arg(contadorConexiones.fetchAndAddRelaxed(1))),
      rutas_{rutaFichero} {
    if (motor::enServidor()) {
        enlace_ = std::make_unique<EnlaceServidor>();
        if (!enlace_->abierto()) {
            error_ = enlace_->error();
            return;
        }
        existePrincipal_ = existeTablaEnServidor(*enlace_, rutaFichero, &error_);
        if (!existePrincipal_ && error_.isEmpty() && !crear)
            error_ = mensajeTablaInexistente(rutaFichero);
        abierta_ = error_.isEmpty();
        return;
    }
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
    if (enlace_) {
        enlace_.reset();
        return;
    }
    {
        QSqlDatabase bd = QSqlDatabase::database(nombre_, false);
        if (bd.isValid())
            bd.close();
    }
    QSqlDatabase::removeDatabase(nombre_);
}

QSqlDatabase Conexion::bd() const {
    return enlace_ ? enlace_->bd() : QSqlDatabase::database(nombre_, false);
}

QString Conexion::traduce(const QString& sql) const {
    if (!enlace_)
        return sql;
    QStringList alias, rutas;
    for (const auto& [a, r] : adjuntas_) {
        alias << a;
        rutas << r;
    }
    return traduceSql(sql, rutas_.value(0), alias, rutas);
}

QString Conexion::sqlBloqueo(const QStringList& rutas) {
    QStringList tablas;
    for (const QString& r : rutas)
        if (r != rutas_.value(0) || existePrincipal_)
            tablas << tablaEnServidor(r);
    if (tablas.isEmpty())
        return {};
    // Always in the same order, so two workstations never wait for each other.
    tablas.sort();
    return QStringLiteral("LOCK TABLE %1 IN SHARE ROW EXCLUSIVE MODE")
        .arg(tablas.join(QStringLiteral(", ")));
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
    if (!existeTabla(rutaFichero)) {
        error_ = mensajeTablaInexistente(rutaFichero);
        return false;
    }
    if (enlace_) {
        // One database: the table is already in sight under its own name.
        if (enTransaccion_)
            if (const QString e = ejecutaSql(*this, sqlBloqueo({rutaFichero})); !e.isEmpty()) {
                error_ = e;
                return false;
            }
        rutas_ << rutaFichero;
        adjuntas_[alias] = rutaFichero;
        return true;
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
    if (conexion_.enServidor()) {
        iniciaEnServidor(sql);
        return;
    }
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

void Sentencia::iniciaEnServidor(const QString& sql) {
    if (guardada_) {
        guardada_->enUso = true;
        enServidor_ = guardada_;
    } else {
        propiaServidor_ = std::make_unique<Conexion::tPreparada>();
        enServidor_ = propiaServidor_.get();
    }
    // Translated once per connection: the kept statement keeps the text.
    if (enServidor_->textoServidor.isEmpty() && enServidor_->directas.isEmpty()) {
        const QString traducida = conexion_.traduce(sql);
        // The server prepares only queries and row changes.
        if (esSentenciaDirecta(traducida))
            enServidor_->directas = traducida.split(SeparadorSentencias);
        else
            enServidor_->textoServidor = conMarcadoresNumerados(traducida);
    }
    resultado_ = std::make_unique<ResultadoServidor>();
    preparada_ = true;
}

Sentencia::~Sentencia() {
    if (consulta_)
        consulta_->finish();
    if (guardada_)
        guardada_->enUso = false;
}

Sentencia& Sentencia::liga(const QVariant& valor) {
    if (enServidor_)
        valores_ << valor;
    else if (consulta_)
        consulta_->bindValue(parametro_++, valor);
    return *this;
}

bool Sentencia::ejecuta() {
    if (!preparada_)
        return false;
    if (enServidor_)
        return ejecutaEnServidor();
    parametro_ = 0;
    if (!consulta_->exec()) {
        anotaError(consulta_->lastError());
        return false;
    }
    return true;
}

bool Sentencia::ejecutaEnServidor() {
    pg_conn* c = conexion_.enlace_->cliente();
    Conexion::tPreparada& p = *enServidor_;
    const QVariantList valores = std::exchange(valores_, {});
    QSqlError error;
    bool hecho = true;
    if (!p.directas.isEmpty()) {
        // A transaction's start and its hold on the tables go in one
        // exchange (the server stops at the first that fails and answers
        // that failure); others go one by one, as each commits on its own.
        const bool juntas =
            p.directas.size() > 1 &&
            p.directas.first().trimmed().compare(QStringLiteral("BEGIN"), Qt::CaseInsensitive) == 0;
        const QStringList envios =
            juntas ? QStringList{p.directas.join(SeparadorSentencias)} : p.directas;
        for (const QString& sql : envios)
            if (hecho)
                hecho =
                    resultado_->toma(c, c ? PQexec(c, sql.toUtf8().constData()) : nullptr, error);
    } else {
        // Run again on this connection, it is prepared once on the server
        // and from then on sends only its values; run once, it goes with
        // its values in one exchange, nothing kept.
        if (p.nombreServidor.isEmpty() && p.usos > 0) {
            const QByteArray nombre = nombrePreparadaNueva();
            hecho = preparaEnEnlace(c, nombre, p.textoServidor, error);
            if (hecho) {
                p.nombreServidor = nombre;
                conexion_.enlace_->anotaPreparada();
            }
        }
        ++p.usos;
        if (hecho)
            hecho = resultado_->toma(
                c, ejecutaEnEnlace(c, p.nombreServidor, p.textoServidor, valores), error);
    }
    if (!hecho)
        anotaError(error);
    return hecho;
}

void Sentencia::anotaError(const QSqlError& error) {
    error_ = conexion_.mensaje(error);
    ocupada_ = esTablaOcupada(error);
}

bool Sentencia::siguiente() {
    if (resultado_)
        return resultado_->siguiente();
    return consulta_ && consulta_->next();
}

QString Sentencia::texto(int columna) const {
    const QVariant v = valor(columna);
    return v.isNull() ? QString() : v.toString();
}

QString Sentencia::texto(const QString& columna) const {
    return texto(indiceColumna(columna));
}

int Sentencia::entero(int columna) const {
    return valor(columna).toInt();
}

int Sentencia::entero(const QString& columna) const {
    return entero(indiceColumna(columna));
}

bool Sentencia::esNulo(int columna) const {
    return valor(columna).isNull();
}

int Sentencia::columnas() const {
    if (resultado_)
        return resultado_->columnas();
    return consulta_ ? consulta_->record().count() : 0;
}

QString Sentencia::nombreColumna(int columna) const {
    if (resultado_)
        return resultado_->nombreColumna(columna);
    return consulta_ ? consulta_->record().fieldName(columna) : QString();
}

int Sentencia::indiceColumna(const QString& columna) const {
    if (resultado_)
        return resultado_->indiceColumna(columna);
    return consulta_ ? consulta_->record().indexOf(columna) : -1;
}

QVariant Sentencia::valor(int columna) const {
    if (resultado_)
        return resultado_->valor(columna);
    return consulta_ ? consulta_->value(columna) : QVariant();
}

Transaccion::Transaccion(Conexion& conexion) : conexion_(conexion) {
    if (!conexion_.abierta()) {
        error_ = conexion_.error();
        return;
    }
    if (conexion_.enServidor()) {
        // The transaction and its hold on the tables, as one statement.
        const QString bloqueo = conexion_.sqlBloqueo(conexion_.rutas_);
        error_ = ejecutaSql(conexion_, bloqueo.isEmpty() ? QStringLiteral("BEGIN")
                                                         : QStringLiteral("BEGIN") +
                                                               SeparadorSentencias + bloqueo);
        if (!error_.isEmpty()) {
            ejecutaSql(conexion_, QStringLiteral("ROLLBACK"));
            return;
        }
        conexion_.enTransaccion_ = true;
        iniciada_ = true;
        return;
    }
    error_ = ejecutaSql(conexion_, QStringLiteral("BEGIN IMMEDIATE"));
    iniciada_ = error_.isEmpty();
}

Transaccion::~Transaccion() {
    if (iniciada_ && !confirmada_)
        ejecutaSql(conexion_, QStringLiteral("ROLLBACK"));
    conexion_.enTransaccion_ = false;
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

bool borraTabla(const QString& rutaFichero) {
    if (enServidor()) {
        olvidaTabla(rutaFichero);
        EnlaceServidor enlace;
        QSqlQuery q(enlace.bd());
        return enlace.abierto() &&
               q.exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(tablaEnServidor(rutaFichero)));
    }
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

QStringList rutasTablasRemesas(const QString& carpeta) {
    QStringList rutas;
    if (!enServidor()) {
        const QDir dir(carpeta);
        for (const QString& f : dir.entryList({QStringLiteral("*.dat")}, QDir::Files, QDir::Name))
            rutas << dir.filePath(f);
        return rutas;
    }
    EnlaceServidor enlace;
    QSqlQuery q(enlace.bd());
    if (!enlace.abierto() ||
        !q.exec(QStringLiteral("SELECT table_name FROM information_schema.tables WHERE "
                               "table_schema = current_schema() AND table_name ~ "
                               "'^talones_[0-9]+$' ORDER BY table_name")))
        return rutas;
    while (q.next())
        rutas << QDir(carpeta).filePath(q.value(0).toString().mid(8) + QStringLiteral(".dat"));
    return rutas;
}

bool existeTabla(const QString& rutaFichero) {
    if (!enServidor())
        return QFileInfo(rutaFichero).isFile();
    if (tablaConocida(rutaFichero))
        return true;
    EnlaceServidor enlace;
    return existeTablaEnServidor(enlace, rutaFichero);
}

} // namespace motor
