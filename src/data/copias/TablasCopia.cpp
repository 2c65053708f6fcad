#include "TablasCopia.h"

#include "AlmacenImagenes.h"
#include "DefinicionTablas.h"
#include "ErrorOperacion.h"
#include "MotivoFallo.h"
#include "MotorTablas.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <filesystem>
#include <system_error>

namespace {
// Engine result codes that speak of the source file, not of the copy.
constexpr int Danada = 11;
constexpr int NoEsTabla = 26;
constexpr int LecturaCorta = 522; // extended code: the file is shorter than it says

bool fuenteDanada(const QSqlError& e) {
    const int codigo = e.nativeErrorCode().toInt();
    return codigo == LecturaCorta || (codigo & 0xff) == Danada || (codigo & 0xff) == NoEsTabla;
}

QString nombre(const QString& ruta) {
    return QDir::toNativeSeparators(ruta);
}
} // namespace

QString huellaTabla(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray cabecera = f.read(100);
    if (cabecera.size() < 100 || !cabecera.startsWith(QByteArrayLiteral("SQLite format 3")))
        return {};
    const QFileInfo info(ruta);
    return QStringLiteral("%1;%2;%3")
        .arg(QString::fromLatin1(cabecera.mid(24, 4).toHex()))
        .arg(info.size())
        .arg(info.lastModified().toMSecsSinceEpoch());
}

bool copiaTabla(const QString& origen, const QString& destino) {
    QSqlError error;
    {
        motor::Conexion con(origen);
        if (con.abierta()) {
            QSqlQuery q(con.bd());
            q.prepare(QStringLiteral("VACUUM INTO ?"));
            q.addBindValue(destino);
            if (q.exec())
                return true;
            error = q.lastError();
        } else {
            throw TErrorOperacion(con.error());
        }
    }
    QFile::remove(destino);
    if (fuenteDanada(error)) {
        copiaFicheroEntero(origen, destino);
        return false;
    }
    throw TErrorOperacion(
        QStringLiteral("no se pudo copiar la tabla %1 en %2: %3")
            .arg(nombre(origen), nombre(destino), motivoFallo(error.databaseText())));
}

void reutilizaTabla(const QString& anterior, const QString& destino) {
    std::error_code ec;
    std::filesystem::create_hard_link(anterior.toStdString(), destino.toStdString(), ec);
    if (ec)
        copiaFicheroEntero(anterior, destino);
}

QString problemaTablaCopia(const QString& ruta, const tDefinicionTabla& def, bool completa) {
    if (!QFileInfo(ruta).isFile())
        return QStringLiteral("falta la tabla %1").arg(QFileInfo(ruta).fileName());
    motor::Conexion con(ruta, false, true);
    motor::Sentencia revision(con, completa ? QStringLiteral("PRAGMA integrity_check")
                                            : QStringLiteral("PRAGMA quick_check"));
    if (!revision.ejecuta())
        return revision.error();
    const QString resultado = revision.siguiente() ? revision.texto(0) : QString();
    if (resultado != QStringLiteral("ok"))
        return QStringLiteral("la tabla %1 está dañada (%2)")
            .arg(QFileInfo(ruta).fileName(), resultado);
    motor::Sentencia columnas(con, QStringLiteral("PRAGMA table_info(%1)").arg(def.nombre));
    if (!columnas.ejecuta())
        return columnas.error();
    QStringList presentes;
    while (columnas.siguiente())
        presentes << columnas.texto(1);
    if (presentes.isEmpty())
        return QStringLiteral("el fichero %1 no contiene la tabla %2")
            .arg(QFileInfo(ruta).fileName(), def.nombre);
    for (const tColumna& c : def.columnas)
        if (!presentes.contains(c.nombre, Qt::CaseInsensitive))
            return QStringLiteral("a la tabla %1 le falta la columna %2")
                .arg(QFileInfo(ruta).fileName(), c.nombre);
    return {};
}

int filasTabla(const QString& ruta, const QString& tabla) {
    motor::Conexion con(ruta, false, true);
    motor::Sentencia s(con, QStringLiteral("SELECT count(*) FROM %1").arg(tabla));
    return s.ejecuta() && s.siguiente() ? s.entero(0) : 0;
}
