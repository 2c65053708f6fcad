#include "MigracionServidor.h"

#include "BloqueoEmision.h"
#include "ConfiguracionBaseDatos.h"
#include "EmisionEnCurso.h"
#include "ErrorOperacion.h"
#include "Importes.h"
#include "MotorTablas.h"
#include "RegistroActividad.h"
#include "SentenciaServidor.h"
#include "Servidor.h"

#include <QAtomicInt>
#include <QDir>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// Rows sent to the server in one statement.
constexpr int filasPorEnvio = 200;

struct tTablaOrigen {
    QString ruta;
    QString nombre; // the table inside the file
    QStringList columnas;
    QStringList tipos;
    QStringList indices; // their statements, as the file keeps them
};

// The amounts a table holds, as a check: cents of the columns that hold
// amounts (text amounts as the program reads them, and cents).
struct tSuma {
    qint64 filas = 0;
    qint64 centimos = 0;
};

bool esColumnaImporte(const QString& columna) {
    return columna.compare(QStringLiteral("Importe"), Qt::CaseInsensitive) == 0 ||
           columna.compare(QStringLiteral("imp"), Qt::CaseInsensitive) == 0;
}

qint64 centimosDe(const QString& columna, const QString& valor) {
    if (columna.compare(QStringLiteral("imp"), Qt::CaseInsensitive) == 0)
        return valor.toLongLong();
    const std::optional<tImporte> importe = tImporte::leeTexto(valor);
    return importe ? importe->centimos() : 0;
}

QStringList ficherosDeTablas(const tInstalacion& inst) {
    QStringList rutas;
    const QDir tablas(inst.dirs.Dir_Tablas);
    for (const QString& f : tablas.entryList({QStringLiteral("*.dat")}, QDir::Files, QDir::Name))
        rutas << tablas.filePath(f);
    return rutas + motor::rutasTablasRemesas(inst.dirs.Dir_TablaRemesas);
}

tTablaOrigen leeOrigen(const QString& ruta) {
    tTablaOrigen t{ruta, {}, {}, {}, {}};
    motor::Conexion con(ruta);
    if (!con.abierta())
        throw TErrorOperacion(con.error());
    motor::Sentencia nombres(con, QStringLiteral("SELECT name FROM sqlite_master WHERE type = "
                                                 "'table' AND name NOT LIKE 'sqlite%' ORDER BY "
                                                 "name"));
    if (!nombres.ejecuta())
        throw TErrorOperacion(nombres.error());
    if (!nombres.siguiente())
        throw TErrorOperacion(QStringLiteral("El fichero %1 no contiene ninguna tabla.")
                                  .arg(QDir::toNativeSeparators(ruta)));
    t.nombre = nombres.texto(0);
    motor::Sentencia columnas(con, QStringLiteral("PRAGMA table_info(%1)").arg(t.nombre));
    if (!columnas.ejecuta())
        throw TErrorOperacion(columnas.error());
    while (columnas.siguiente()) {
        t.columnas << columnas.texto(1);
        t.tipos << columnas.texto(2);
    }
    motor::Sentencia indices(con, QStringLiteral("SELECT sql FROM sqlite_master WHERE type = "
                                                 "'index' AND sql IS NOT NULL ORDER BY name"));
    if (!indices.ejecuta())
        throw TErrorOperacion(indices.error());
    while (indices.siguiente())
        t.indices << indices.texto(0);
    return t;
}

// The table as the server makes it: the same columns, text and integers
// as the program makes them there, any other declared type as text.
QString creacionEnServidor(const tTablaOrigen& t) {
    static const QRegularExpression conocido(QStringLiteral("^(VARCHAR\\(\\d+\\)|INTEGER)$"),
                                             QRegularExpression::CaseInsensitiveOption);
    QStringList columnas;
    for (qsizetype i = 0; i < t.columnas.size(); ++i) {
        const QString tipo = t.tipos[i].trimmed();
        columnas << t.columnas[i] + u' ' +
                        (conocido.match(tipo).hasMatch() ? tipo.toUpper()
                                                         : QStringLiteral("VARCHAR(1)"));
    }
    return motor::traduceSql(
        QStringLiteral("CREATE TABLE %1 (%2)").arg(t.nombre, columnas.join(QStringLiteral(", "))),
        t.ruta, {}, {});
}

// The destination's own connection: the program's connections go to the
// server in use, and during the move there is none.
class TDestino {
public:
    explicit TDestino(const motor::tServidorDatos& s) {
        static QAtomicInt contador;
        nombre_ = QStringLiteral("teskora_migracion_%1").arg(contador.fetchAndAddRelaxed(1));
        QSqlDatabase bd = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), nombre_);
        bd.setHostName(s.servidor);
        bd.setPort(s.puerto);
        bd.setDatabaseName(s.base);
        if (!s.usuario.isEmpty())
            bd.setUserName(s.usuario);
        bd.setConnectOptions(QStringLiteral("connect_timeout=10;application_name=teskora_chk"));
        bd.setNumericalPrecisionPolicy(QSql::HighPrecision);
        if (!bd.open())
            throw TErrorOperacion(
                QStringLiteral("No se puede conectar con el servidor de datos %1.")
                    .arg(motor::descripcionServidor(s)),
                bd.lastError().text().trimmed());
        QSqlQuery(bd).exec(QStringLiteral("SET client_min_messages = warning"));
    }
    ~TDestino() {
        {
            QSqlDatabase bd = QSqlDatabase::database(nombre_, false);
            if (bd.isOpen()) {
                if (enTransaccion_)
                    QSqlQuery(bd).exec(QStringLiteral("ROLLBACK"));
                bd.close();
            }
        }
        QSqlDatabase::removeDatabase(nombre_);
    }
    TDestino(const TDestino&) = delete;
    TDestino& operator=(const TDestino&) = delete;

    QSqlDatabase bd() const { return QSqlDatabase::database(nombre_, false); }
    // Runs the statement; the server's failure throws, naming the table.
    QSqlQuery ejecuta(const QString& sql, const QString& tabla = {}) const {
        QSqlQuery q(bd());
        q.setForwardOnly(true);
        if (!q.exec(sql))
            throw rechazo(tabla, q.lastError());
        return q;
    }
    // Runs the statement with its values bound, in one exchange; the
    // server's failure throws, naming the table.
    void ejecuta(const QString& sql, const QVariantList& valores, const QString& tabla) const {
        pg_conn* c = motor::clienteDe(bd());
        motor::ResultadoServidor resultado;
        QSqlError error;
        if (!resultado.toma(
                c, motor::ejecutaEnEnlace(c, {}, motor::conMarcadoresNumerados(sql), valores),
                error))
            throw rechazo(tabla, error);
    }

    void inicia() {
        ejecuta(QStringLiteral("BEGIN"));
        enTransaccion_ = true;
    }
    void confirma() {
        ejecuta(QStringLiteral("COMMIT"));
        enTransaccion_ = false;
    }

private:
    static TErrorOperacion rechazo(const QString& tabla, const QSqlError& error) {
        return TErrorOperacion(
            tabla.isEmpty()
                ? QStringLiteral("El servidor de datos no ha aceptado la copia.")
                : QStringLiteral("El servidor de datos no ha aceptado la copia de la tabla %1.")
                      .arg(tabla),
            error.text().trimmed());
    }

    QString nombre_;
    bool enTransaccion_ = false;
};

// Copies the rows in their order; answers what the file holds.
tSuma copiaFilas(const tTablaOrigen& t, const QString& tabla, const TDestino& destino) {
    tSuma suma;
    motor::Conexion con(t.ruta);
    motor::Sentencia filas(con, QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                                    .arg(t.columnas.join(QStringLiteral(", ")), t.nombre));
    if (!filas.ejecuta())
        throw TErrorOperacion(filas.error());
    const QString marcas =
        u'(' + QStringList(t.columnas.size(), QStringLiteral("?")).join(u',') + u')';
    const QString insercion = QStringLiteral("INSERT INTO %1 (%2) VALUES ")
                                  .arg(tabla, t.columnas.join(QStringLiteral(", ")));
    QVariantList valores;
    QStringList grupos;
    const auto envia = [&] {
        if (grupos.isEmpty())
            return;
        destino.ejecuta(insercion + grupos.join(u','), valores, tabla);
        valores.clear();
        grupos.clear();
    };
    while (filas.siguiente()) {
        for (int i = 0; i < t.columnas.size(); ++i) {
            valores << (filas.esNulo(i) ? QVariant() : QVariant(filas.texto(i)));
            if (esColumnaImporte(t.columnas[i]) && !filas.esNulo(i))
                suma.centimos += centimosDe(t.columnas[i], filas.texto(i));
        }
        grupos << marcas;
        ++suma.filas;
        if (grupos.size() == filasPorEnvio)
            envia();
    }
    envia();
    return suma;
}

// What the server holds of the table, counted as the file's was.
tSuma sumaEnServidor(const tTablaOrigen& t, const QString& tabla, const TDestino& destino) {
    tSuma suma;
    QStringList importes;
    for (const QString& c : t.columnas)
        if (esColumnaImporte(c))
            importes << c;
    QSqlQuery q = destino.ejecuta(
        QStringLiteral("SELECT 1%1 FROM %2")
            .arg(importes.isEmpty() ? QString()
                                    : QStringLiteral(", ") + importes.join(QStringLiteral(", ")),
                 tabla),
        tabla);
    while (q.next()) {
        ++suma.filas;
        for (int i = 0; i < importes.size(); ++i)
            if (!q.isNull(i + 1))
                suma.centimos += centimosDe(importes[i], q.value(i + 1).toString());
    }
    return suma;
}

} // namespace

motor::tServidorDatos servidorDeMigracion(const tInstalacion& instalacion) {
    using namespace ConfiguracionBaseDatos;
    const QString fichero = instalacion.ficheros.ficheroConfiguracion;
    const motor::tServidorDatos s = leeServidorDatos(fichero);
    if (s.base.isEmpty())
        throw TErrorOperacion(
            QStringLiteral("Escriba en %1, sección [%2], el servidor de datos al que pasar las "
                           "tablas (Servidor=, Puerto=, Base=, Usuario=) y vuelva a intentarlo.")
                .arg(QDir::toNativeSeparators(fichero), Seccion));
    return s;
}

tResultadoMigracion migraAServidor(const tInstalacion& inst, const motor::tServidorDatos& destino) {
    if (motor::enServidor())
        throw TErrorOperacion(
            QStringLiteral("Las tablas ya están en un servidor de datos: no hay nada que pasar."));
    // No emission may move cheques while the tables are copied, and one
    // left cut off is finished on the files first.
    TBloqueoEmision bloqueo(inst.dirs);
    if (!bloqueo.toma(0))
        throw TErrorOperacion(bloqueo.mensajeOcupado() +
                              QStringLiteral(": las tablas no se han pasado al servidor."));
    if (hayEmisionEnCurso(inst.dirs))
        throw TErrorOperacion(
            QStringLiteral("Hay una emisión interrumpida: abra el programa para que la complete "
                           "y vuelva a intentarlo. Las tablas no se han pasado al servidor."));
    std::vector<tTablaOrigen> tablas;
    for (const QString& ruta : ficherosDeTablas(inst))
        tablas.push_back(leeOrigen(ruta));

    TDestino servidor(destino);
    servidor.inicia();
    if (!destino.esquema.isEmpty()) {
        servidor.ejecuta(
            QStringLiteral("CREATE SCHEMA IF NOT EXISTS %1").arg(motor::comillas(destino.esquema)));
        servidor.ejecuta(
            QStringLiteral("SET LOCAL search_path TO %1").arg(motor::comillas(destino.esquema)));
    }
    {
        QSqlQuery q =
            servidor.ejecuta(QStringLiteral("SELECT count(*) FROM information_schema.tables WHERE "
                                            "table_schema = current_schema()"));
        if (q.next() && q.value(0).toLongLong() > 0)
            throw TErrorOperacion(
                QStringLiteral("La base de datos %1 del servidor ya tiene tablas: las tablas solo "
                               "se pasan a una base vacía. No se ha cambiado nada.")
                    .arg(motor::descripcionServidor(destino)));
    }

    tResultadoMigracion resultado;
    for (const tTablaOrigen& t : tablas) {
        const QString tabla = motor::tablaEnServidor(t.ruta);
        servidor.ejecuta(creacionEnServidor(t), tabla);
        for (const QString& indice : t.indices)
            servidor.ejecuta(motor::traduceSql(indice, t.ruta, {}, {}), tabla);
        if (t.nombre.compare(QStringLiteral("Actividad"), Qt::CaseInsensitive) == 0)
            for (const QString& sql : TRegistroActividad::proteccionEnServidor())
                servidor.ejecuta(sql, tabla);
        const tSuma enFichero = copiaFilas(t, tabla, servidor);
        const tSuma copiada = sumaEnServidor(t, tabla, servidor);
        if (copiada.filas != enFichero.filas || copiada.centimos != enFichero.centimos)
            throw TErrorOperacion(
                QStringLiteral("La copia de la tabla %1 no coincide con el fichero %2 (%3 filas "
                               "y %4 céntimos en el fichero, %5 filas y %6 céntimos en el "
                               "servidor). No se ha cambiado nada.")
                    .arg(tabla, QDir::toNativeSeparators(t.ruta))
                    .arg(enFichero.filas)
                    .arg(enFichero.centimos)
                    .arg(copiada.filas)
                    .arg(copiada.centimos));
        ++resultado.tablas;
        resultado.filas += enFichero.filas;
        resultado.detalle << QStringLiteral("%1: %2 filas, %3 euros")
                                 .arg(tabla)
                                 .arg(enFichero.filas)
                                 .arg(tImporte::deCentimos(enFichero.centimos).visible());
    }
    servidor.confirma();

    try {
        escribeConfiguracionBaseDatos(inst.ficheros.ficheroConfiguracion, destino);
    } catch (const TErrorOperacion& e) {
        throw TErrorOperacion(
            QStringLiteral("Las tablas están copiadas en el servidor, pero config.ini no se pudo "
                           "cambiar: %1 El programa sigue trabajando con los ficheros; escriba "
                           "Motor=PostgreSQL en la sección [BASEDATOS] a mano.")
                .arg(e.texto()));
    }
    return resultado;
}
