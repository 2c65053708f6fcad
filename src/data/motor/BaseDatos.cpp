// Key allocation, single-row reads, list rows and the connections of a walk,
// shared by every store of the data module.
#include "BaseDatos.h"

#include "DefinicionTablas.h"
#include "ErrorOperacion.h"
#include "MotorTablas.h"

#include <QFileInfo>

namespace {

// The highest key plus one, 1 for an empty table.
int claveSiguiente(motor::Conexion& con, const QString& columna, const QString& rutaTabla) {
    motor::Sentencia s(con, QStringLiteral("SELECT max(%1) AS contador FROM %2")
                                .arg(columna, nombreTablaDeFichero(rutaTabla)));
    if (!s.ejecuta())
        throw TErrorOperacion(s.error());
    const int maximo = s.siguiente() ? s.entero(0) : 0;
    return maximo != 0 ? maximo + 1 : 1;
}

} // namespace

int TBaseDatos::claveNueva(const QString& columna, const QString& rutaTabla) {
    const motor::ConexionOperacion operacion = abre(rutaTabla);
    motor::Conexion& con = *operacion;
    return claveSiguiente(con, columna, rutaTabla);
}

int TBaseDatos::insertaConClaveNueva(
    const QString& rutaTabla, const QString& columna, const QString& sqlInsert,
    const QVariantList& valores, const std::function<QString(motor::Conexion&)>& antesDeInsertar,
    const std::function<QString(int)>& antesDeConfirmar) {
    const motor::ConexionOperacion operacion = abre(rutaTabla);
    motor::Conexion& con = *operacion;
    // Taken inside the transaction: no other row can take the same key, and
    // a failure anywhere leaves the table as it was.
    motor::Transaccion tr(con);
    if (!tr.iniciada())
        throw TErrorOperacion(tr.error());
    if (antesDeInsertar)
        fallaSiHayError(antesDeInsertar(con));
    const int clave = claveSiguiente(con, columna, rutaTabla);
    fallaSiHayError(motor::ejecutaSql(con, sqlInsert, QVariantList{clave} + valores));
    if (antesDeConfirmar)
        fallaSiHayError(antesDeConfirmar(clave));
    if (!tr.confirma())
        throw TErrorOperacion(tr.error());
    return clave;
}

void TBaseDatos::leeFilaPorClave(const QString& rutaTabla, const QString& sql, int clave,
                                 const std::function<void(const motor::Sentencia&)>& rellena) {
    const motor::ConexionOperacion operacion = abre(rutaTabla);
    motor::Conexion& con = *operacion;
    motor::Sentencia s(con, sql);
    s.liga(clave);
    if (!s.ejecuta())
        throw TErrorOperacion(s.error());
    if (s.siguiente())
        rellena(s);
}

tFilasLista TBaseDatos::cargaFilasLista(const QString& rutaTabla, const QString& sql, int columnas,
                                        const QVariantList& valores) {
    tFilasLista filas;
    motor::Conexion con(rutaTabla);
    motor::Sentencia s(con, sql);
    for (const QVariant& v : valores)
        s.liga(v);
    if (!s.ejecuta())
        return filas;
    while (s.siguiente()) {
        tFilaLista f;
        f.datos.pk = s.entero(0);
        f.caption = s.texto(1);
        for (int c = 2; c < columnas; ++c)
            f.celdas << s.texto(c);
        filas << f;
    }
    return filas;
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

motor::ConexionOperacion TBaseDatos::abre(const QString& rutaTabla) {
    return motor::ConexionOperacion(recorrido_, rutaTabla);
}

TBaseDatos::TRecorrido::TRecorrido(TBaseDatos& bd)
    : bd_(bd), conexiones_(std::make_unique<motor::Conexiones>()), anterior_(bd.recorrido_) {
    // A walk inside another keeps the outer one's connections.
    if (!anterior_)
        bd_.recorrido_ = conexiones_.get();
}

TBaseDatos::TRecorrido::~TRecorrido() {
    if (!anterior_)
        bd_.recorrido_ = nullptr;
}
