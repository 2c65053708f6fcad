#include "RegistroActividad.h"

#include "MotorTablas.h"
#include "Servidor.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>

namespace {

const QString NombreFichero = QStringLiteral("Actividad.dat");
// Sorted and compared as text: the form orders as the time does.
const QString FormatoFecha = QStringLiteral("yyyy-MM-dd HH:mm:ss");
const QString NoAnotado =
    QStringLiteral("La acción \"%1\" se ha hecho, pero no se pudo anotar en el registro de "
                   "actividad: %2");

const QString Creacion = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS Actividad (Pk_Actividad INTEGER, FechaHora VARCHAR(19), "
    "Usuario VARCHAR(64), Equipo VARCHAR(64), Acto VARCHAR(40), Detalle VARCHAR(1000))");
// A row written stays as it was: the record is evidence.
const QStringList SoloAnadir = {
    QStringLiteral("CREATE TRIGGER IF NOT EXISTS ActividadSinCambios BEFORE UPDATE ON Actividad "
                   "BEGIN SELECT RAISE(ABORT, 'el registro de actividad no se modifica'); END"),
    QStringLiteral("CREATE TRIGGER IF NOT EXISTS ActividadSinBorrados BEFORE DELETE ON Actividad "
                   "BEGIN SELECT RAISE(ABORT, 'el registro de actividad no se borra'); END"),
};

// The same guard on the database server.
const QStringList SoloAnadirEnServidor = {
    QStringLiteral("CREATE OR REPLACE FUNCTION actividad_solo_anadir() RETURNS trigger "
                   "LANGUAGE plpgsql AS 'BEGIN RAISE EXCEPTION ''el registro de actividad no se "
                   "modifica ni se borra''; END'"),
    QStringLiteral("CREATE OR REPLACE TRIGGER ActividadSinCambios BEFORE UPDATE OR DELETE ON "
                   "Actividad FOR EACH ROW EXECUTE FUNCTION actividad_solo_anadir()"),
};

// On the server the table is made once, before the first act's transaction,
// so that the transaction holds it against another workstation's act.
QString creaEnServidor(const QString& ruta) {
    if (motor::existeTabla(ruta))
        return {};
    motor::Conexion con(ruta, true);
    QString e = con.error();
    for (const QString& sql : QStringList{Creacion} + SoloAnadirEnServidor)
        if (e.isEmpty())
            e = motor::ejecutaSql(con, sql);
    return e;
}

QString primeraNoVacia(std::initializer_list<const char*> variables) {
    for (const char* v : variables) {
        const QString valor = qEnvironmentVariable(v);
        if (!valor.isEmpty())
            return valor;
    }
    return {};
}

} // namespace

QStringList ActoActividad::todos() {
    return {Emision,       EmisionCompletada, AnulacionCheque,     BorradoLibrados,
            BorradoRemesa, RestauracionCopia, ConfiguracionEscaner};
}

TRegistroActividad::TRegistroActividad(const tDirectorios& dirs)
    : ruta_(dirs.Dir_Tablas + NombreFichero) {}

QStringList TRegistroActividad::proteccionEnServidor() {
    return SoloAnadirEnServidor;
}

QString TRegistroActividad::usuarioSistema() {
    const QString usuario = primeraNoVacia({"USER", "LOGNAME", "USERNAME"});
    return usuario.isEmpty() ? QStringLiteral("desconocido") : usuario;
}

QString TRegistroActividad::nombreEquipo() {
    const QString equipo = QSysInfo::machineHostName();
    return equipo.isEmpty() ? QStringLiteral("desconocido") : equipo;
}

void TRegistroActividad::anota(const QString& acto, const QString& detalle) const {
    if (motor::enServidor())
        fallaSiHayError(creaEnServidor(ruta_));
    motor::Conexion con(ruta_, true);
    if (!con.abierta())
        throw TErrorOperacion(con.error());
    // Table, key and row in one transaction: the first act makes the table
    // with one commit, and a later one finds it made without writing.
    motor::Transaccion tr(con);
    if (!tr.iniciada())
        throw TErrorOperacion(tr.error());
    const QStringList creacion =
        con.enServidor() ? QStringList() : QStringList{Creacion} + SoloAnadir;
    for (const QString& sql : creacion)
        fallaSiHayError(motor::ejecutaSql(con, sql));
    motor::Sentencia max(con, QStringLiteral("SELECT max(Pk_Actividad) FROM Actividad"));
    if (!max.ejecuta())
        throw TErrorOperacion(max.error());
    const int clave = (max.siguiente() ? max.entero(0) : 0) + 1;
    fallaSiHayError(motor::ejecutaSql(
        con,
        QStringLiteral("INSERT INTO Actividad (Pk_Actividad, FechaHora, Usuario, Equipo, Acto, "
                       "Detalle) VALUES (?, ?, ?, ?, ?, ?)"),
        {clave, QDateTime::currentDateTime().toString(FormatoFecha), usuarioSistema(),
         nombreEquipo(), acto, detalle}));
    if (!tr.confirma())
        throw TErrorOperacion(tr.error());
}

QList<tFilaActividad> TRegistroActividad::lista(const tFiltroActividad& filtro) const {
    if (!motor::existeTabla(ruta_))
        return {};
    motor::Conexion con(ruta_);
    if (!con.abierta())
        throw TErrorOperacion(con.error());
    const QString desde =
        filtro.desde.isNull() ? QString() : filtro.desde.startOfDay().toString(FormatoFecha);
    const QString hasta =
        filtro.hasta.isNull() ? QString() : filtro.hasta.endOfDay().toString(FormatoFecha);
    motor::Sentencia s(con, QStringLiteral("SELECT FechaHora, Usuario, Equipo, Acto, Detalle "
                                           "FROM Actividad WHERE (coalesce(?, '') = '' OR "
                                           "Acto = ?) AND (coalesce(?, '') = '' OR "
                                           "FechaHora >= ?) AND (coalesce(?, '') = '' OR "
                                           "FechaHora <= ?) "
                                           "ORDER BY FechaHora DESC, Pk_Actividad DESC"));
    s.liga(filtro.acto).liga(filtro.acto).liga(desde).liga(desde).liga(hasta).liga(hasta);
    if (!s.ejecuta())
        throw TErrorOperacion(s.error());
    QList<tFilaActividad> filas;
    while (s.siguiente())
        filas.append({QDateTime::fromString(s.texto(0), FormatoFecha), s.texto(1), s.texto(2),
                      s.texto(3), s.texto(4)});
    return filas;
}

void anotaActividad(const tInstalacion& inst, IInterfazUsuario& iu, const QString& acto,
                    const QString& detalle) {
    try {
        TRegistroActividad(inst.dirs).anota(acto, detalle);
    } catch (const TErrorOperacion& e) {
        // Not a failure of the act: a notice that it went unrecorded.
        iu.muestraMensaje(NoAnotado.arg(acto, e.texto()));
    }
}

QString TRegistroActividad::nombreFichero() {
    return NombreFichero;
}
