// Working folders, table creation and the check of the table files.
#include "TablasInstalacion.h"

#include "AlmacenRemesas.h"
#include "DefinicionTablas.h"
#include "ErrorOperacion.h"
#include "MotorTablas.h"
#include "Servidor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <vector>

bool TTablasInstalacion::creaCarpetasTrabajo() {
    const QStringList carpetas = carpetasDeTrabajo(inst_.dirs);
    for (const QString& c : carpetas)
        QDir().mkpath(c); // result ignored: the check below decides
    for (const QString& c : carpetas)
        if (!QFileInfo(c).isDir())
            return false;
    return true;
}

QString TTablasInstalacion::problemaCarpetasTrabajo() const {
    for (const QString& c : carpetasDeTrabajo(inst_.dirs)) {
        if (QFileInfo(c).isDir())
            continue;
        // The nearest part of the path that is there stands in the way.
        QString parte = QDir::cleanPath(c);
        while (!QFileInfo::exists(parte) && QFileInfo(parte).path() != parte)
            parte = QFileInfo(parte).path();
        const QString carpeta = QDir::toNativeSeparators(QDir::cleanPath(c));
        if (QFileInfo(parte).isDir())
            return QStringLiteral("No se pudo crear la carpeta %1: compruebe que se puede escribir "
                                  "en %2.")
                .arg(carpeta, QDir::toNativeSeparators(parte));
        const QString fichero = QDir::toNativeSeparators(parte);
        const QString arreglo = QStringLiteral(": cámbielo de nombre o muévalo y vuelva a abrir "
                                               "el programa.");
        if (fichero == carpeta)
            return QStringLiteral("%1 es un fichero, no una carpeta%2").arg(fichero, arreglo);
        return QStringLiteral("%1 es un fichero, no una carpeta, y el programa necesita dentro la "
                              "carpeta %2%3")
            .arg(fichero, carpeta, arreglo);
    }
    return {};
}

namespace {

// Beside a table file while the program creates it: a file found empty with
// this beside it was made by the program and never written.
QString marcaCreacion(const QString& ruta) {
    return ruta + QStringLiteral(".creando");
}

} // namespace

namespace {

// On the server the table and its indexes come in one transaction; a
// workstation that made it first leaves it as it is.
QString creaTablaEnServidor(const QString& ruta, const tDefinicionTabla& def) {
    motor::Conexion con(ruta, true);
    if (!con.abierta())
        return con.error();
    motor::Transaccion tr(con);
    QString e = tr.error();
    QString sql = def.sqlCreacion();
    sql.replace(QStringLiteral("CREATE TABLE "), QStringLiteral("CREATE TABLE IF NOT EXISTS "));
    const QStringList sentencias = QStringList{sql} + def.sqlIndices();
    for (const QString& s : sentencias)
        if (e.isEmpty())
            e = motor::ejecutaSql(con, s);
    if (e.isEmpty() && !tr.confirma())
        e = tr.error();
    return e;
}

} // namespace

void creaTabla(const QString& ruta, const tDefinicionTabla& def) {
    if (motor::enServidor()) {
        fallaSiHayError(creaTablaEnServidor(ruta, def));
        return;
    }
    if (QFileInfo::exists(ruta))
        return;
    QString e;
    {
        QFile marca(marcaCreacion(ruta));
        marca.open(QIODevice::WriteOnly); // without it an empty file is only reported
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
    if (e.isEmpty()) {
        QFile::remove(marcaCreacion(ruta));
        return;
    }
    // A half-made file would read as an existing table next time.
    motor::borraTabla(ruta);
    QFile::remove(marcaCreacion(ruta));
    throw TErrorOperacion(e);
}

namespace {

// The start's way: a table that cannot be made stops it with its own
// message, which says nothing of the engine.
bool intentaCrear(const QString& ruta, const tDefinicionTabla& def) {
    try {
        creaTabla(ruta, def);
        return true;
    } catch (const TErrorOperacion&) {
        return false;
    }
}

} // namespace

namespace {

namespace Mensaje {
const QString Vacia =
    QStringLiteral("La tabla %1 está vacía (0 bytes): está dañada; restáurela desde una copia "
                   "de seguridad.");
const QString Cortada =
    QStringLiteral("La tabla %1 está dañada: el fichero está cortado; restáurela desde una "
                   "copia de seguridad.");
const QString OtraTabla =
    QStringLiteral("La tabla %1 contiene otra tabla (%2) en lugar de %3: restáurela desde una "
                   "copia de seguridad.");
const QString FaltaColumna =
    QStringLiteral("A la tabla %1 le falta la columna %2: está dañada o es de otro programa; "
                   "restáurela desde una copia de seguridad.");
const QString TablasDanadas =
    QStringLiteral("Estas tablas no se pueden usar y el programa no las ha modificado:\n\n%1\n\n"
                   "Cierre el programa y restáurelas desde una copia de seguridad, o consulte "
                   "con el soporte técnico. Mientras tanto, las operaciones que las usen "
                   "mostrarán un error.");
// A held table is sound: only the other program stands in the way.
const QString TablasOcupadas =
    QStringLiteral("Estas tablas están en uso por otro programa y no se han podido comprobar:"
                   "\n\n%1\n\nCierre el otro programa y vuelva a intentarlo (cierre este programa "
                   "y vuelva a abrirlo). Mientras tanto, las operaciones que las usen mostrarán "
                   "un error.");
} // namespace Mensaje

struct tProblemaTabla {
    QString texto;        // empty when the file holds its table
    bool ocupada = false; // another program holds it: nothing to restore
};

// The engine's file header says how many pages the file holds: a file shorter
// than that was cut. Reading 100 bytes keeps the check at start quick
// however large the history grows.
bool estaCortada(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray c = f.read(100);
    if (c.size() < 100 || !c.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return false; // the engine itself says it is no table file
    const auto entero = [&c](int i, int bytes) {
        quint64 v = 0;
        for (int k = 0; k < bytes; ++k)
            v = (v << 8) | quint8(c[i + k]);
        return v;
    };
    const quint64 pagina = entero(16, 2) == 1 ? 65536 : entero(16, 2);
    const quint64 paginas = entero(28, 4);
    // The page count is only kept up to date when these two agree.
    const bool cuentaValida = entero(92, 4) == entero(24, 4);
    return cuentaValida && paginas > 0 && quint64(f.size()) < paginas * pagina;
}

// What is wrong with an existing table file. Only reads: a damaged file is
// never written.
// What is wrong with a table on the server: only a missing column can be.
tProblemaTabla problemaTablaEnServidor(const QString& ruta, const tDefinicionTabla& def) {
    motor::Conexion con(ruta);
    motor::Sentencia s(con, QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(def.nombre));
    if (!s.ejecuta())
        return {s.error(), s.ocupada()};
    QStringList presentes;
    for (int i = 0; i < s.columnas(); ++i)
        presentes << s.nombreColumna(i);
    for (const tColumna& c : def.columnas)
        if (!presentes.contains(c.nombre, Qt::CaseInsensitive))
            return {Mensaje::FaltaColumna.arg(motor::tablaEnServidor(ruta), c.nombre)};
    return {};
}

tProblemaTabla problemaTabla(const QString& ruta, const tDefinicionTabla& def) {
    if (motor::enServidor())
        return problemaTablaEnServidor(ruta, def);
    const QString nombre = QDir::toNativeSeparators(ruta);
    if (QFileInfo(ruta).size() == 0)
        return {Mensaje::Vacia.arg(nombre)};
    motor::Conexion con(ruta);
    // Reading the list of tables also lets the engine undo a transaction that
    // a stop cut off, before the file's length is judged.
    motor::Sentencia tablas(
        con, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    if (!tablas.ejecuta())
        return {tablas.error(), tablas.ocupada()};
    QStringList nombres;
    while (tablas.siguiente())
        nombres << tablas.texto(0);
    if (estaCortada(ruta))
        return {Mensaje::Cortada.arg(nombre)};
    if (!nombres.contains(def.nombre, Qt::CaseInsensitive))
        return {Mensaje::OtraTabla.arg(
            nombre, nombres.isEmpty() ? QStringLiteral("ninguna") : nombres.join(u','),
            def.nombre)};
    motor::Sentencia columnas(con, QStringLiteral("PRAGMA table_info(%1)").arg(def.nombre));
    if (!columnas.ejecuta())
        return {columnas.error(), columnas.ocupada()};
    QStringList presentes;
    while (columnas.siguiente())
        presentes << columnas.texto(1);
    for (const tColumna& c : def.columnas)
        if (!presentes.contains(c.nombre, Qt::CaseInsensitive))
            return {Mensaje::FaltaColumna.arg(nombre, c.nombre)};
    return {};
}

} // namespace

QStringList TTablasInstalacion::compruebaTablas() {
    std::vector<std::pair<QString, const tDefinicionTabla*>> ficheros = {
        {inst_.rutaRemesas(), &Tablas::remesas()},
        {inst_.rutaHistorico(), &Tablas::historico()},
        {inst_.rutaOrdenantes(), &Tablas::ordenantes()},
        {inst_.rutaHistoricoCheques(), &Tablas::historicoCheques()},
        {inst_.rutaDeudores(), &Tablas::deudores()}};
    for (const QString& ruta : motor::rutasTablasRemesas(inst_.dirs.Dir_TablaRemesas))
        ficheros.emplace_back(ruta, &Tablas::talones());

    QStringList danadas;
    QStringList ocupadas;
    for (const auto& [ruta, def] : ficheros) {
        if (!motor::existeTabla(ruta))
            continue;
        const bool creandose = QFileInfo::exists(marcaCreacion(ruta));
        if (creandose && QFileInfo(ruta).size() == 0) {
            // Made by the program and cut off before its table was written:
            // nothing is lost by making it again.
            motor::borraTabla(ruta);
            QFile::remove(marcaCreacion(ruta));
            continue;
        }
        const tProblemaTabla problema = problemaTabla(ruta, *def);
        if (problema.texto.isEmpty() && creandose)
            QFile::remove(marcaCreacion(ruta));
        if (!problema.texto.isEmpty())
            (problema.ocupada ? ocupadas : danadas) << problema.texto;
    }
    const QString separacion = QStringLiteral("\n\n");
    if (!danadas.isEmpty())
        iu_.muestraMensaje(Mensaje::TablasDanadas.arg(danadas.join(separacion)));
    if (!ocupadas.isEmpty())
        iu_.muestraMensaje(Mensaje::TablasOcupadas.arg(ocupadas.join(separacion)));
    return danadas + ocupadas;
}

bool TTablasInstalacion::CreaTablas() {
    return CreaTablaRemesas() && CreaTablaHistorico() && CreaTablaOrdenantes() &&
           CreaTablaHistoricoCheques() && CreaTablaDeudores();
}

bool TTablasInstalacion::CreaTablaRemesas() {
    const QString ruta = inst_.rutaRemesas();
    if (motor::existeTabla(ruta))
        return true;
    if (!intentaCrear(ruta, Tablas::remesas()))
        return false;
    tRemesas estandar;
    estandar.Nombre_Remesa = QStringLiteral("ESTANDAR");
    estandar.Importe = estandar.Numero_Talones = estandar.Numero_Registros = QStringLiteral("0");
    // The table is made either way: without its first remittance the
    // operator is told and creates one.
    try {
        TAlmacenRemesas(bd_).GuardaRegistroRemesa(estandar);
    } catch (const TErrorOperacion& e) {
        iu_.muestraMensaje(e.texto());
    }
    return true;
}

bool TTablasInstalacion::CreaTablaHistorico() {
    return intentaCrear(inst_.rutaHistorico(), Tablas::historico());
}

bool TTablasInstalacion::CreaTablaOrdenantes() {
    return intentaCrear(inst_.rutaOrdenantes(), Tablas::ordenantes());
}

bool TTablasInstalacion::CreaTablaHistoricoCheques() {
    const QString ruta = inst_.rutaHistoricoCheques();
    if (motor::existeTabla(ruta)) {
        // A history made by an earlier version lacks the newer indexes; they
        // only make it faster, so one that cannot be made now is no error.
        motor::Conexion con(ruta);
        for (const QString& sql : Tablas::historicoCheques().sqlIndices())
            motor::ejecutaSql(con, sql);
        return true;
    }
    return intentaCrear(ruta, Tablas::historicoCheques());
}

bool TTablasInstalacion::CreaTablaDeudores() {
    return intentaCrear(inst_.rutaDeudores(), Tablas::deudores());
}
