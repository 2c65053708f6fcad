#include "TablaAuxiliar.h"

#include "DefinicionTablas.h"
#include "ErrorOperacion.h"
#include "Servidor.h"

#include <QFile>
#include <QFileInfo>

std::unique_ptr<motor::Conexion> abreTablaAuxiliar(const QString& ruta) {
    if (!motor::existeTabla(ruta))
        return nullptr;
    auto con = std::make_unique<motor::Conexion>(ruta);
    if (!con->abierta())
        throw TErrorOperacion(con->error());
    return con;
}

std::unique_ptr<motor::Conexion> abreTablaAuxiliarParaEscribir(const QString& ruta,
                                                               const tDefinicionTabla& def) {
    if (!motor::enServidor() && !QFileInfo::exists(ruta)) {
        // Made as any file of the program, so a data folder shared by a
        // group stays writable for all its members.
        QFile f(ruta);
        if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly) && !QFileInfo::exists(ruta))
            throw TErrorOperacion(
                QStringLiteral("No se pudo crear la tabla %1: %2").arg(ruta, f.errorString()));
    }
    auto con = std::make_unique<motor::Conexion>(ruta, true);
    if (!con->abierta())
        throw TErrorOperacion(con->error());
    QString sql = def.sqlCreacion();
    sql.replace(QStringLiteral("CREATE TABLE "), QStringLiteral("CREATE TABLE IF NOT EXISTS "));
    ejecutaEnTablaAuxiliar(*con, sql);
    for (const QString& indice : def.sqlIndices())
        ejecutaEnTablaAuxiliar(*con, indice);
    return con;
}

void ejecutaEnTablaAuxiliar(motor::Conexion& con, const QString& sql, const QVariantList& valores) {
    const QString e = motor::ejecutaSql(con, sql, valores);
    if (!e.isEmpty())
        throw TErrorOperacion(e);
}
