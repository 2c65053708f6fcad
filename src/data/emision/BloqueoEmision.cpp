#include "BloqueoEmision.h"

#include <QFileInfo>

TBloqueoEmision::TBloqueoEmision(const tDirectorios& dirs) : ruta_(ruta(dirs)), lock_(ruta_) {
    // An emission may take long: the lock is stale only when its program is
    // gone, never because of its age.
    lock_.setStaleLockTime(0);
}

TBloqueoEmision::~TBloqueoEmision() {
    if (lock_.isLocked())
        lock_.unlock();
}

QString TBloqueoEmision::ruta(const tDirectorios& dirs) {
    return dirs.Dir_Cons + QStringLiteral("Emision.lock");
}

bool TBloqueoEmision::toma(int esperaMs) {
    return lock_.tryLock(esperaMs);
}

QString TBloqueoEmision::mensajeOcupado() const {
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
