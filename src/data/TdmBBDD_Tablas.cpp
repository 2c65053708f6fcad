// Working folders, table creation and key allocation.
#include "DefinicionTablas.h"
#include "MotorTablas.h"
#include "TdmBBDD.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TdmBBDD::TdmBBDD(const tInstalacion& instalacion, tEstadoPrograma& estado, IInterfazUsuario& iu,
                 QObject* parent)
    : QObject(parent), inst_(instalacion), estado_(estado), iu_(iu) {
    tmrInicio.setInterval(1);
    tmrInicio.setSingleShot(true);
    connect(&tmrInicio, &QTimer::timeout, this, [this] {
        // Disabled first, so the sequence can never run twice.
        tmrInicio.stop();
        emit tmrInicioTimer();
    });
}

bool TdmBBDD::creaCarpetasTrabajo() {
    const QStringList carpetas = carpetasDeTrabajo(inst_.dirs);
    for (const QString& c : carpetas)
        QDir().mkpath(c); // result ignored: the check below decides
    for (const QString& c : carpetas)
        if (!QFileInfo(c).isDir())
            return false;
    return true;
}

bool TdmBBDD::creaTabla(const QString& ruta, const tDefinicionTabla& def, QString* error) {
    if (QFileInfo::exists(ruta))
        return true;
    QString e;
    {
        // The file is made first as any file of the program, with the
        // permissions the user's umask allows, so a data folder shared by a
        // group stays writable for all its members (the engine would make it
        // writable by its owner only).
        if (QFile f(ruta); !f.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            e = f.errorString();
    }
    if (e.isEmpty()) {
        motor::Conexion con(ruta, true);
        if (!con.abierta()) {
            e = con.error();
        } else {
            motor::Transaccion tr(con);
            e = tr.error();
            if (e.isEmpty())
                e = motor::ejecutaSql(con, def.sqlCreacion());
            for (const QString& sql : def.sqlIndices())
                if (e.isEmpty())
                    e = motor::ejecutaSql(con, sql);
            if (e.isEmpty() && !tr.confirma())
                e = tr.error();
        }
    }
    if (e.isEmpty())
        return true;
    // A half-made file would read as an existing table next time.
    motor::borraFicherosTabla(ruta);
    if (error)
        *error = e;
    return false;
}

bool TdmBBDD::CreaTablas() {
    return CreaTablaRemesas() && CreaTablaHistorico() && CreaTablaOrdenantes() &&
           CreaTablaHistoricoCheques() && CreaTablaDeudores();
}

bool TdmBBDD::CreaTablaRemesas() {
    const QString ruta = rutaRemesas();
    if (QFileInfo::exists(ruta))
        return true;
    if (!creaTabla(ruta, Tablas::remesas(), nullptr))
        return false;
    tRemesas estandar;
    estandar.Nombre_Remesa = QStringLiteral("ESTANDAR");
    estandar.Importe = estandar.Numero_Talones = estandar.Numero_Registros = QStringLiteral("0");
    GuardaRegistroRemesa(estandar); // its result does not change ours
    return true;
}

bool TdmBBDD::CreaTablaHistorico() {
    return creaTabla(rutaHistorico(), Tablas::historico(), nullptr);
}

bool TdmBBDD::CreaTablaOrdenantes() {
    return creaTabla(rutaOrdenantes(), Tablas::ordenantes(), nullptr);
}

bool TdmBBDD::CreaTablaHistoricoCheques() {
    return creaTabla(rutaHistoricoCheques(), Tablas::historicoCheques(), nullptr);
}

bool TdmBBDD::CreaTablaDeudores() {
    return creaTabla(rutaDeudores(), Tablas::deudores(), nullptr);
}

bool TdmBBDD::CreaTablaTalones(const QString& fichero) {
    QString e;
    if (creaTabla(inst_.dirs.Dir_TablaRemesas + fichero, Tablas::talones(), &e))
        return true;
    iu_.muestraMensaje(e);
    return false;
}

int TdmBBDD::SiguienteClave(const QString& columna, const QString& rutaTabla) {
    QString e;
    const int clave = claveNueva(columna, rutaTabla, e);
    if (clave == 0)
        iu_.muestraMensaje(e);
    return clave;
}

int TdmBBDD::claveNueva(const QString& columna, const QString& rutaTabla, QString& error) {
    motor::Conexion con(rutaTabla);
    motor::Sentencia s(con, QStringLiteral("SELECT max(%1) AS contador FROM %2")
                                .arg(columna, nombreTablaDeFichero(rutaTabla)));
    if (!s.ejecuta()) {
        error = s.error();
        return 0;
    }
    const int maximo = s.siguiente() ? s.entero(0) : 0;
    return maximo != 0 ? maximo + 1 : 1;
}

void TdmBBDD::leeFilaPorClave(const QString& rutaTabla, const QString& sql, int clave,
                              const std::function<void(const motor::Sentencia&)>& rellena) {
    motor::Conexion con(rutaTabla);
    motor::Sentencia s(con, sql);
    s.liga(clave);
    if (!s.ejecuta()) {
        iu_.muestraMensaje(s.error());
        return;
    }
    if (s.siguiente())
        rellena(s);
}

QString nombreTablaDeFichero(const QString& rutaTabla) {
    const QString fichero = QFileInfo(rutaTabla).fileName();
    for (const tDefinicionTabla* def :
         {&Tablas::remesas(), &Tablas::historico(), &Tablas::ordenantes(),
          &Tablas::historicoCheques(), &Tablas::deudores()}) {
        if (fichero.compare(def->nombre + QStringLiteral(".dat"), Qt::CaseInsensitive) == 0)
            return def->nombre;
    }
    return Tablas::talones().nombre;
}
