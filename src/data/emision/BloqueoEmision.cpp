#include "BloqueoEmision.h"

#include "ErrorOperacion.h"
#include "RegistroActividad.h"
#include "Servidor.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <cerrno>
#include <optional>
#include <signal.h>

namespace {

// The lock's two keys: the program's, and its schema's, so that two
// offices (or two test installations) on one server do not wait for each
// other.
const QString Claves = QStringLiteral("7406, hashtext(current_schema())");
const QString Programa = QStringLiteral("teskora_chk");

} // namespace

TBloqueoEmision::TBloqueoEmision(const tDirectorios& dirs) : ruta_(ruta(dirs)), lock_(ruta_) {
    // An emission may take long: the lock is stale only when its program is
    // gone, never because of its age.
    lock_.setStaleLockTime(0);
}

TBloqueoEmision::~TBloqueoEmision() {
    if (lock_.isLocked())
        lock_.unlock();
    if (tomadoServidor_) {
        QSqlQuery q(servidor_->bd());
        q.exec(QStringLiteral("SELECT pg_advisory_unlock(%1)").arg(Claves));
        q.exec(QStringLiteral("SET application_name = '%1'").arg(Programa));
    }
}

QString TBloqueoEmision::ruta(const tDirectorios& dirs) {
    return dirs.Dir_Cons + QStringLiteral("Emision.lock");
}

bool TBloqueoEmision::toma(int esperaMs) {
    if (motor::enServidor())
        return tomaEnServidor(esperaMs);
    return lock_.tryLock(esperaMs);
}

namespace {

// Who holds the server's lock, as its connection says.
struct tTitular {
    qint64 pid = 0; // its process on its computer
    QString usuario = QStringLiteral("desconocido");
    QString equipo = QStringLiteral("desconocido");
    QDateTime desde; // its last statement took the lock
};

std::optional<tTitular> titularEnServidor(const QSqlDatabase& bd) {
    QSqlQuery q(bd);
    if (!q.exec(QStringLiteral(
            "SELECT a.application_name, a.query_start FROM pg_locks l JOIN "
            "pg_stat_activity a ON a.pid = l.pid WHERE l.locktype = 'advisory' AND "
            "l.granted AND l.classid = 7406 AND l.objsubid = 2 AND l.objid::bigint = "
            "(hashtext(current_schema())::bigint & 4294967295) AND l.database = (SELECT "
            "oid FROM pg_database WHERE datname = current_database())")) ||
        !q.next())
        return std::nullopt;
    tTitular t;
    const QStringList partes = q.value(0).toString().split(u'|');
    if (partes.size() >= 4) {
        t.pid = partes[1].toLongLong();
        t.usuario = partes[2];
        t.equipo = partes[3];
    }
    t.desde = q.value(1).toDateTime();
    return t;
}

// A holder that was a program of this computer which no longer runs: the
// server frees its lock as soon as it notices the broken link.
bool titularMuertoAqui(const std::optional<tTitular>& t) {
    return t && t->pid > 0 && t->equipo == TRegistroActividad::nombreEquipo() &&
           kill(pid_t(t->pid), 0) != 0 && errno == ESRCH;
}

} // namespace

bool TBloqueoEmision::tomaEnServidor(int esperaMs) {
    if (!servidor_)
        servidor_ = std::make_unique<motor::EnlaceServidor>();
    if (!servidor_->abierto())
        throw TErrorOperacion(servidor_->error());
    QSqlQuery q(servidor_->bd());
    // Who holds it, for the others' message: process, user and computer.
    QString quien =
        QStringLiteral("%1|%2|%3|%4")
            .arg(Programa)
            .arg(QCoreApplication::applicationPid())
            .arg(TRegistroActividad::usuarioSistema(), TRegistroActividad::nombreEquipo())
            .left(63);
    quien.replace(u'\'', QStringLiteral("''"));
    q.exec(QStringLiteral("SET application_name = '%1'").arg(quien));
    QDeadlineTimer plazo(esperaMs);
    bool prorrogado = false;
    for (;;) {
        if (!q.exec(QStringLiteral("SELECT pg_try_advisory_lock(%1)").arg(Claves)) || !q.next())
            throw TErrorOperacion(motor::mensajeErrorServidor({}, q.lastError()));
        if (q.value(0).toBool()) {
            tomadoServidor_ = true;
            return true;
        }
        if (plazo.hasExpired()) {
            // Held by nobody now (it was just freed), or by a program of
            // this computer that died: tried again, for a moment more.
            const std::optional<tTitular> titular = titularEnServidor(servidor_->bd());
            if (prorrogado || (titular && !titularMuertoAqui(titular)))
                return false;
            prorrogado = true;
            plazo = QDeadlineTimer(titular ? 3000 : 0);
            continue;
        }
        QThread::msleep(std::min<qint64>(100, std::max<qint64>(1, plazo.remainingTime())));
    }
}

QString TBloqueoEmision::mensajeOcupadoEnServidor() const {
    motor::EnlaceServidor enlace;
    const tTitular t =
        (enlace.abierto() ? titularEnServidor(enlace.bd()) : std::nullopt).value_or(tTitular{});
    const QString hora = t.desde.isValid() ? t.desde.toLocalTime().toString(QStringLiteral("HH:mm"))
                                           : QStringLiteral("--:--");
    return QStringLiteral("La remesa la está emitiendo el usuario %1 en el equipo %2 desde las "
                          "%3; espere a que termine")
        .arg(t.usuario, t.equipo, hora);
}

QString TBloqueoEmision::mensajeOcupado() const {
    if (motor::enServidor())
        return mensajeOcupadoEnServidor();
    qint64 pid = 0;
    QString equipo;
    QString programa;
    lock_.getLockInfo(&pid, &equipo, &programa);
    // The lock file is made by the program that holds the lock: its owner is
    // that program's user, its time the moment the emission began.
    const QFileInfo info(ruta_);
    QString usuario = info.owner();
    if (usuario.isEmpty())
        usuario = QStringLiteral("desconocido");
    if (equipo.isEmpty())
        equipo = QStringLiteral("desconocido");
    const QDateTime desde = info.lastModified();
    const QString hora =
        desde.isValid() ? desde.toString(QStringLiteral("HH:mm")) : QStringLiteral("--:--");
    return QStringLiteral("La remesa la está emitiendo el usuario %1 en el equipo %2 desde las "
                          "%3; espere a que termine")
        .arg(usuario, equipo, hora);
}
