#include "EscrituraSegura.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// Forces what was written to the disk; the system's words on failure. A file
// system that cannot do it (EINVAL) has nothing more to tell.
std::optional<QString> llevaAlDisco(int descriptor) {
#ifdef Q_OS_WIN
    if (_commit(descriptor) == 0)
        return std::nullopt;
#else
    if (::fsync(descriptor) == 0 || errno == EINVAL)
        return std::nullopt;
#endif
    return QString::fromLocal8Bit(std::strerror(errno));
}

QString fallo(const QString& paso, const QString& sistema) {
    return sistema.isEmpty() ? paso : QStringLiteral("%1 (%2)").arg(paso, sistema);
}

} // namespace

std::optional<QString> escribeFicheroEntero(const QString& ruta, const QByteArray& bytes) {
    QSaveFile f(ruta);
    // Unbuffered: each write reaches the system at once, so a short write is
    // seen here and not in a flush that the commit would not report.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fallo(QStringLiteral("no se pudo crear"), f.errorString());
    qint64 escritos = 0;
    while (escritos < bytes.size()) {
        const qint64 n = f.write(bytes.constData() + escritos, bytes.size() - escritos);
        if (n <= 0) {
            const QString sistema = f.errorString();
            f.cancelWriting();
            return fallo(QStringLiteral("no se pudo escribir (disco lleno o sin permiso)"),
                         sistema);
        }
        escritos += n;
    }
    if (!f.flush())
        return fallo(QStringLiteral("no se pudo escribir"), f.errorString());
    if (const auto error = llevaAlDisco(f.handle()))
        return fallo(QStringLiteral("no se pudo guardar en el disco"), *error);
    if (f.size() != bytes.size())
        return QStringLiteral("el disco guardó %1 de %2 bytes").arg(f.size()).arg(bytes.size());
    if (!f.commit())
        return fallo(QStringLiteral("no se pudo sustituir el fichero anterior"), f.errorString());
    return std::nullopt;
}
