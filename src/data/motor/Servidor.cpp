#include "Servidor.h"

#include "ErrorOperacion.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QMutex>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <vector>

#include <libpq-fe.h>
#include <unistd.h>

namespace motor {

namespace {

QMutex cerrojoServidor;
std::optional<tServidorDatos> servidorActual;
// Tables known to stand on the server, so that opening one asks nothing;
// a statement that finds one missing forgets it.
QSet<QString> tablasConocidas;
// Bumped when the server changes or a link to it breaks: kept connections of
// an older generation are closed instead of being used again.
QAtomicInt generacion;
QAtomicInt contadorEnlaces;

// The connections a thread keeps for its next operations (a connection
// belongs to the thread that opened it).
struct tEnlacesHilo {
    struct tGuardado {
        QString nombre;
        int generacion;
    };
    std::vector<tGuardado> libres;
    pid_t proceso = getpid();
    // A child process (fork) shares its parent's links to the server: it
    // must neither use nor close them.
    void olvidaSiHeredados() {
        if (proceso == getpid())
            return;
        libres.clear();
        proceso = getpid();
    }
    ~tEnlacesHilo() {
        if (proceso != getpid())
            return;
        for (const tGuardado& g : libres)
            cierra(g.nombre);
    }
    static void cierra(const QString& nombre) {
        {
            QSqlDatabase bd = QSqlDatabase::database(nombre, false);
            if (bd.isValid())
                bd.close();
        }
        QSqlDatabase::removeDatabase(nombre);
    }
};
thread_local tEnlacesHilo enlacesHilo;

std::optional<tServidorDatos> servidorCopia() {
    QMutexLocker l(&cerrojoServidor);
    return servidorActual;
}

bool enlaceRoto(const QSqlError& error) {
    const QString estado = error.nativeErrorCode();
    return error.type() == QSqlError::ConnectionError || estado.startsWith(QStringLiteral("08")) ||
           estado.startsWith(QStringLiteral("57P"));
}

} // namespace

QString comillas(const QString& identificador) {
    QString s = identificador;
    s.replace(u'"', QStringLiteral("\"\""));
    return u'"' + s + u'"';
}

void usaServidor(const std::optional<tServidorDatos>& servidor) {
    QMutexLocker l(&cerrojoServidor);
    servidorActual = servidor;
    tablasConocidas.clear();
    generacion.fetchAndAddRelaxed(1);
}

const tServidorDatos* servidorEnUso() {
    // The choice is made at start (and by tests between cases), never while
    // operations run: the pointer stays valid until the next choice.
    QMutexLocker l(&cerrojoServidor);
    return servidorActual ? &*servidorActual : nullptr;
}

QString descripcionServidor(const tServidorDatos& s) {
    return QStringLiteral("%1 en %2:%3").arg(s.base, s.servidor).arg(s.puerto);
}

int remesaDeTabla(const QString& rutaFichero) {
    bool ok = false;
    const int n = QFileInfo(rutaFichero).completeBaseName().toInt(&ok);
    return ok ? n : 0;
}

QString tablaEnServidor(const QString& rutaFichero) {
    const int remesa = remesaDeTabla(rutaFichero);
    if (remesa > 0)
        return QStringLiteral("talones_%1").arg(remesa);
    return QFileInfo(rutaFichero).completeBaseName().toLower();
}

EnlaceServidor::EnlaceServidor() {
    const std::optional<tServidorDatos> s = servidorCopia();
    if (!s) {
        error_ = QStringLiteral("No hay servidor de datos configurado.");
        return;
    }
    const int gen = generacion.loadRelaxed();
    enlacesHilo.olvidaSiHeredados();
    while (!enlacesHilo.libres.empty()) {
        const tEnlacesHilo::tGuardado g = enlacesHilo.libres.back();
        enlacesHilo.libres.pop_back();
        if (g.generacion == gen) {
            nombre_ = g.nombre;
            abierto_ = true;
            return;
        }
        tEnlacesHilo::cierra(g.nombre);
    }
    nombre_ = QStringLiteral("teskora_srv_%1").arg(contadorEnlaces.fetchAndAddRelaxed(1));
    QSqlDatabase bd = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), nombre_);
    bd.setHostName(s->servidor);
    bd.setPort(s->puerto);
    bd.setDatabaseName(s->base);
    if (!s->usuario.isEmpty())
        bd.setUserName(s->usuario);
    // No password here: the server's own password file (~/.pgpass or
    // PGPASSFILE) gives it, so it is never written in config.ini.
    bd.setConnectOptions(QStringLiteral("connect_timeout=10;application_name=teskora_chk"));
    // Sums of integer columns come as exact numbers: their text is read as
    // an integer, as the file engine's is.
    bd.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!bd.open()) {
        error_ = mensajeConMotor(
            QStringLiteral("No se puede conectar con el servidor de datos %1: compruebe que está "
                           "en marcha, que este puesto llega a él y el usuario y la contraseña "
                           "(fichero .pgpass).")
                .arg(descripcionServidor(*s)),
            bd.lastError().text().trimmed());
        return;
    }
    QStringList ajustes = {// A table another workstation is writing waits as long as a table
                           // file held by another program does, then fails as "en uso".
                           QStringLiteral("SET lock_timeout = '5s'"),
                           QStringLiteral("SET client_min_messages = warning")};
    if (!s->esquema.isEmpty())
        ajustes << QStringLiteral("SET search_path TO %1").arg(comillas(s->esquema));
    for (const QString& sql : ajustes) {
        QSqlQuery q(bd);
        if (!q.exec(sql)) {
            error_ = mensajeErrorServidor({}, q.lastError());
            return;
        }
    }
    abierto_ = true;
}

PGconn* clienteDe(const QSqlDatabase& bd) {
    const QVariant v = bd.driver() ? bd.driver()->handle() : QVariant();
    // The driver names the type after the client library's struct.
    const bool esEnlace = v.isValid() && (qstrcmp(v.typeName(), "pg_conn*") == 0 ||
                                          qstrcmp(v.typeName(), "PGconn*") == 0);
    return esEnlace ? *static_cast<PGconn* const*>(v.constData()) : nullptr;
}

namespace {

// Whether the connection can serve another operation: linked, and with no
// transaction left open by the one that ends (it is undone, as closing a
// table file undoes it).
bool reutilizable(QSqlDatabase& bd) {
    PGconn* c = clienteDe(bd);
    if (!c || PQstatus(c) != CONNECTION_OK)
        return false;
    if (PQtransactionStatus(c) == PQTRANS_IDLE)
        return true;
    QSqlQuery q(bd);
    return q.exec(QStringLiteral("ROLLBACK")) && PQtransactionStatus(c) == PQTRANS_IDLE;
}

} // namespace

pg_conn* EnlaceServidor::cliente() const {
    return abierto_ ? clienteDe(bd()) : nullptr;
}

EnlaceServidor::~EnlaceServidor() {
    if (nombre_.isEmpty())
        return;
    QSqlDatabase bd = this->bd();
    if (abierto_ && bd.isOpen() && reutilizable(bd)) {
        bool limpio = true;
        if (conPreparadas_) {
            PGresult* r = PQexec(clienteDe(bd), "DEALLOCATE ALL");
            limpio = PQresultStatus(r) == PGRES_COMMAND_OK;
            PQclear(r);
        }
        if (limpio) {
            enlacesHilo.libres.push_back({nombre_, generacion.loadRelaxed()});
            return;
        }
    }
    bd = QSqlDatabase();
    tEnlacesHilo::cierra(nombre_);
}

namespace {

// The server's error classes the operator can act on.
enum class Fallo { Otro, NoExiste, Columna, Llena, Ocupada, Permiso, Danada, Enlace };

Fallo falloDe(const QSqlError& e) {
    const QString c = e.nativeErrorCode();
    if (enlaceRoto(e))
        return Fallo::Enlace;
    if (c == QStringLiteral("42P01"))
        return Fallo::NoExiste;
    if (c == QStringLiteral("42703"))
        return Fallo::Columna;
    if (c == QStringLiteral("53100") || c == QStringLiteral("53200"))
        return Fallo::Llena;
    if (c == QStringLiteral("55P03") || c == QStringLiteral("40P01") ||
        c == QStringLiteral("40001"))
        return Fallo::Ocupada;
    if (c == QStringLiteral("42501") || c == QStringLiteral("25006"))
        return Fallo::Permiso;
    if (c.startsWith(QStringLiteral("XX")))
        return Fallo::Danada;
    return Fallo::Otro;
}

} // namespace

bool esOcupadaEnServidor(const QSqlError& error) {
    return falloDe(error) == Fallo::Ocupada;
}

bool esTablaInexistenteEnServidor(const QSqlError& error) {
    return falloDe(error) == Fallo::NoExiste;
}

QString mensajeErrorServidor(const QStringList& rutas, const QSqlError& error) {
    QStringList nombres;
    for (const QString& r : rutas)
        nombres << tablaEnServidor(r);
    const QString tablas = nombres.join(QStringLiteral(" o "));
    const std::optional<tServidorDatos> s = servidorCopia();
    const QString servidor = s ? descripcionServidor(*s) : QString();
    QString que;
    switch (falloDe(error)) {
    case Fallo::Enlace:
        que = QStringLiteral("Se perdió la conexión con el servidor de datos %1: la operación no "
                             "se hizo. Compruebe la red y repita la operación.")
                  .arg(servidor);
        break;
    case Fallo::NoExiste:
        que = QStringLiteral("La tabla %1 no existe en el servidor de datos.").arg(tablas);
        break;
    case Fallo::Columna:
        que = QStringLiteral("La tabla %1 del servidor de datos no tiene las columnas del "
                             "programa.")
                  .arg(tablas);
        break;
    case Fallo::Llena:
        que = QStringLiteral("El servidor de datos no tiene espacio: no se pudo escribir en la "
                             "tabla %1. Avise a quien administra el servidor.")
                  .arg(tablas);
        break;
    case Fallo::Ocupada:
        que = QStringLiteral("La tabla %1 está en uso por otro programa.").arg(tablas);
        break;
    case Fallo::Permiso:
        que = QStringLiteral("La tabla %1 no se puede modificar (solo lectura o sin permiso).")
                  .arg(tablas);
        break;
    case Fallo::Danada:
        que = QStringLiteral("La tabla %1 está dañada en el servidor de datos: avise a quien lo "
                             "administra.")
                  .arg(tablas);
        break;
    case Fallo::Otro:
        que = tablas.isEmpty()
                  ? QStringLiteral("El servidor de datos no ha podido completar la operación.")
                  : QStringLiteral("La tabla %1 no ha podido completar la operación.").arg(tablas);
        break;
    }
    QString motor = error.text().trimmed();
    if (motor.isEmpty())
        motor = QStringLiteral("error desconocido");
    if (enlaceRoto(error))
        generacion.fetchAndAddRelaxed(1); // no kept connection is trusted again
    if (falloDe(error) == Fallo::NoExiste)
        for (const QString& r : rutas)
            olvidaTabla(r);
    return mensajeConMotor(que, motor);
}

namespace {
QString claveTabla(const QString& rutaFichero) {
    return (servidorActual ? servidorActual->esquema : QString()) + u'.' +
           tablaEnServidor(rutaFichero);
}
} // namespace

bool tablaConocida(const QString& rutaFichero) {
    QMutexLocker l(&cerrojoServidor);
    return tablasConocidas.contains(claveTabla(rutaFichero));
}

void conoceTabla(const QString& rutaFichero) {
    QMutexLocker l(&cerrojoServidor);
    tablasConocidas.insert(claveTabla(rutaFichero));
}

void olvidaTabla(const QString& rutaFichero) {
    QMutexLocker l(&cerrojoServidor);
    tablasConocidas.remove(claveTabla(rutaFichero));
}

bool existeTablaEnServidor(EnlaceServidor& enlace, const QString& rutaFichero, QString* error) {
    if (!enlace.abierto()) {
        if (error)
            *error = enlace.error();
        return false;
    }
    if (tablaConocida(rutaFichero))
        return true;
    // The name is the program's own (letters, digits and _), never typed.
    QSqlQuery q(enlace.bd());
    if (!q.exec(QStringLiteral("SELECT to_regclass('%1') IS NOT NULL")
                    .arg(tablaEnServidor(rutaFichero))) ||
        !q.next()) {
        if (error)
            *error = mensajeErrorServidor({rutaFichero}, q.lastError());
        return false;
    }
    const bool existe = q.value(0).toBool();
    if (existe)
        conoceTabla(rutaFichero);
    return existe;
}

QString traduceSql(const QString& sql, const QString& rutaPrincipal,
                   const QStringList& aliasAdjuntas, const QStringList& rutasAdjuntas) {
    // Another program's way to hold tables, as the server does it: the same
    // writers (and with EXCLUSIVE, readers) wait.
    static const QRegularExpression inicio(QStringLiteral("^\\s*BEGIN (IMMEDIATE|EXCLUSIVE)\\s*$"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (const auto m = inicio.match(sql); m.hasMatch()) {
        QStringList tablas{tablaEnServidor(rutaPrincipal)};
        for (const QString& r : rutasAdjuntas)
            tablas << tablaEnServidor(r);
        tablas.sort();
        const bool exclusiva =
            m.captured(1).compare(QStringLiteral("EXCLUSIVE"), Qt::CaseInsensitive) == 0;
        return QStringLiteral("BEGIN") + SeparadorSentencias +
               QStringLiteral("LOCK TABLE %1 IN %2 MODE")
                   .arg(tablas.join(QStringLiteral(", ")),
                        exclusiva ? QStringLiteral("ACCESS EXCLUSIVE")
                                  : QStringLiteral("SHARE ROW EXCLUSIVE"));
    }
    QString s = sql;
    QStringList prefijos = aliasAdjuntas;
    prefijos << QStringLiteral("main");
    for (const QString& alias : prefijos)
        s.replace(QRegularExpression(QStringLiteral("\\b%1\\.").arg(alias),
                                     QRegularExpression::CaseInsensitiveOption),
                  QString());
    int remesa = remesaDeTabla(rutaPrincipal);
    for (const QString& r : rutasAdjuntas)
        if (remesa == 0)
            remesa = remesaDeTabla(r);
    if (remesa > 0) {
        static const QRegularExpression talones(QStringLiteral("\\bTalones\\b"),
                                                QRegularExpression::CaseInsensitiveOption);
        s.replace(talones, QStringLiteral("talones_%1").arg(remesa));
        // Index names are unique in the whole schema.
        s.replace(QStringLiteral("idx_Talones_"), QStringLiteral("idx_talones_%1_").arg(remesa));
    }
    static const QRegularExpression sinIndice(QStringLiteral("\\s+NOT INDEXED\\b"));
    s.remove(sinIndice);
    static const QRegularExpression like(QStringLiteral("\\bLIKE\\b"));
    s.replace(like, QStringLiteral("ILIKE"));
    static const QRegularExpression instr(QStringLiteral("\\binstr\\("));
    s.replace(instr, QStringLiteral("strpos("));
    static const QRegularExpression creaTabla(
        QStringLiteral("^\\s*CREATE TABLE (IF NOT EXISTS )?(\\w+) \\((.*)\\)\\s*$"),
        QRegularExpression::DotMatchesEverythingOption);
    if (const auto m = creaTabla.match(s); m.hasMatch()) {
        QString columnas = m.captured(3);
        // Text compares and sorts byte by byte, as in the table files; the
        // widths are the program's to keep, as they are with the files.
        columnas.replace(QRegularExpression(QStringLiteral("\\bVARCHAR\\(\\d+\\)")),
                         QStringLiteral("TEXT COLLATE \"C\""));
        columnas.replace(QRegularExpression(QStringLiteral("\\bINTEGER\\b")),
                         QStringLiteral("BIGINT"));
        s = QStringLiteral("CREATE TABLE %1%2 (%3, rowid BIGINT GENERATED BY DEFAULT AS IDENTITY)")
                .arg(m.captured(1), m.captured(2), columnas);
    }
    return s;
}

QString expresionDeGlob(const QString& glob) {
    QString r = QStringLiteral("^");
    for (qsizetype i = 0; i < glob.size(); ++i) {
        const QChar c = glob[i];
        if (c == u'*') {
            r += QStringLiteral(".*");
        } else if (c == u'?') {
            r += u'.';
        } else if (c == u'[') {
            // A set ends at the first "]" after its first member.
            qsizetype fin = i + 1;
            if (fin < glob.size() && glob[fin] == u'^')
                ++fin;
            if (fin < glob.size() && glob[fin] == u']')
                ++fin;
            while (fin < glob.size() && glob[fin] != u']')
                ++fin;
            QString miembros = glob.mid(i + 1, fin - i - 1);
            // In the server's sets a backslash escapes.
            miembros.replace(u'\\', QStringLiteral("\\\\"));
            r += u'[' + miembros + u']';
            i = fin;
        } else if (c.unicode() < 128 && !c.isLetterOrNumber()) {
            // A backslash before any other ASCII sign takes it as itself.
            r += u'\\';
            r += c;
        } else {
            r += c;
        }
    }
    return r + u'$';
}

bool esSentenciaDirecta(const QString& sqlTraducida) {
    static const QRegularExpression preparable(
        QStringLiteral("^\\s*(SELECT|INSERT|UPDATE|DELETE|WITH|VALUES)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return !preparable.match(sqlTraducida).hasMatch();
}

} // namespace motor
