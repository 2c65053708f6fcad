#include "BloqueoEmision.h"

#include "ErrorOperacion.h"
#include "RegistroActividad.h"
#include "Servidor.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

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

bool TBloqueoEmision::tomaEnServidor(int esperaMs) {
    if (!servidor_)
        servidor_ = std::make_unique<motor::EnlaceServidor>();
    if (!servidor_->abierto())
        throw TErrorOperacion(servidor_->error());
    QSqlQuery q(servidor_->bd());
    // Who holds it, for the others' message: user and computer.
    const QString quien = QStringLiteral("%1|%2|%3")
                              .arg(Programa, TRegistroActividad::usuarioSistema(),
                                   TRegistroActividad::nombreEquipo());
    QString literal = quien.left(60);
    literal.replace(u'\'', QStringLiteral("''"));
    q.exec(QStringLiteral("SET application_name = '%1'").arg(literal));
    // The server frees the lock of a program that died once it notices the
    // broken link, a moment later: that moment is always waited for.
    const QDeadlineTimer plazo(std::max(esperaMs, 1000));
    for (;;) {
        if (!q.exec(QStringLiteral("SELECT pg_try_advisory_lock(%1)").arg(Claves)) || !q.next())
            throw TErrorOperacion(motor::mensajeErrorServidor({}, q.lastError()));
        if (q.value(0).toBool()) {
            tomadoServidor_ = true;
            return true;
        }
        if (plazo.hasExpired())
            return false;
        QThread::msleep(std::min<qint64>(100, std::max<qint64>(1, plazo.remainingTime())));
    }
}

QString TBloqueoEmision::mensajeOcupadoEnServidor() const {
    QString usuario = QStringLiteral("desconocido");
    QString equipo = usuario;
    QString hora = QStringLiteral("--:--");
    motor::EnlaceServidor enlace;
    QSqlQuery q(enlace.bd());
    if (enlace.abierto() &&
        q.exec(QStringLiteral(
            "SELECT a.application_name, a.query_start FROM pg_locks l JOIN "
            "pg_stat_activity a ON a.pid = l.pid WHERE l.locktype = 'advisory' AND "
            "l.granted AND l.classid = 7406 AND l.objsubid = 2 AND l.objid::bigint = "
            "(hashtext(current_schema())::bigint & 4294967295) AND l.database = (SELECT "
            "oid FROM pg_database WHERE datname = current_database())")) &&
        q.next()) {
        const QStringList partes = q.value(0).toString().split(u'|');
        if (partes.size() == 3) {
            usuario = partes[1];
            equipo = partes[2];
        }
        // The holder's last statement took the lock.
        const QDateTime desde = q.value(1).toDateTime();
        if (desde.isValid())
            hora = desde.toLocalTime().toString(QStringLiteral("HH:mm"));
    }
    return QStringLiteral("La remesa la está emitiendo el usuario %1 en el equipo %2 desde las "
                          "%3; espere a que termine")
        .arg(usuario, equipo, hora);
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
