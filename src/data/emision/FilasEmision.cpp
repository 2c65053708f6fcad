#include "FilasEmision.h"

#include "ErrorOperacion.h"
#include "MotorTablas.h"

#include <QHashFunctions>

#include <algorithm>

namespace {

// Values per statement: well below the engine's limit on parameters.
constexpr std::size_t porSentencia = 500;

QString marcadores(std::size_t n) {
    QString texto = QStringLiteral("?");
    texto.reserve(qsizetype(2 * n));
    for (std::size_t i = 1; i < n; ++i)
        texto += QStringLiteral(",?");
    return texto;
}

// Runs `sql` (with "%1" where the markers go) over `valores` in groups,
// handing each statement, run, to `filas`.
template <class Valores, class F>
void porGrupos(motor::Conexion& con, const QString& sql, const Valores& valores, F filas) {
    const auto total = std::size_t(valores.size());
    for (std::size_t desde = 0; desde < total; desde += porSentencia) {
        const std::size_t n = std::min(porSentencia, total - desde);
        motor::Sentencia s(con, sql.arg(marcadores(n)));
        for (std::size_t i = desde; i < desde + n; ++i)
            s.liga(valores[decltype(valores.size())(i)]);
        if (!s.ejecuta())
            throw TErrorOperacion(s.error());
        filas(s);
    }
}

} // namespace

size_t qHash(const tClaveTalon& clave, size_t semilla) {
    return qHashMulti(semilla, clave.numero, clave.modelo, clave.cuenta);
}

QSet<tClaveTalon> talonesEnHistorico(motor::Conexion& con, const QString& tablaHistorico,
                                     const QStringList& numeros) {
    QSet<tClaveTalon> claves;
    porGrupos(con,
              QStringLiteral("SELECT Numero, Numero_Modelo, Cuenta FROM %1 WHERE Numero IN (%2)")
                  .arg(tablaHistorico, QStringLiteral("%1")),
              numeros, [&](motor::Sentencia& s) {
                  while (s.siguiente())
                      claves.insert({s.texto(0), s.texto(1), s.texto(2)});
              });
    return claves;
}

void borraFilas(motor::Conexion& con, const QString& tabla, const std::vector<qint64>& filas) {
    porGrupos(con,
              QStringLiteral("DELETE FROM %1 WHERE rowid IN (%2)").arg(tabla, QStringLiteral("%1")),
              filas, [](motor::Sentencia&) {});
}

void insertaFilas(motor::Conexion& con, const QString& tabla, const QStringList& columnas,
                  const std::vector<QVariantList>& filas) {
    const auto porFila = std::size_t(std::max<qsizetype>(1, columnas.size()));
    const std::size_t filasPorSentencia = std::max<std::size_t>(1, porSentencia / porFila);
    const QString fila = u'(' + marcadores(porFila) + u')';
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES ")
                            .arg(tabla, columnas.join(QStringLiteral(", ")));
    for (std::size_t desde = 0; desde < filas.size(); desde += filasPorSentencia) {
        const std::size_t n = std::min(filasPorSentencia, filas.size() - desde);
        QStringList grupo;
        grupo.fill(fila, qsizetype(n));
        motor::Sentencia s(con, sql + grupo.join(u','));
        for (std::size_t i = desde; i < desde + n; ++i)
            for (const QVariant& v : filas[i])
                s.liga(v);
        if (!s.ejecuta())
            throw TErrorOperacion(s.error());
    }
}
