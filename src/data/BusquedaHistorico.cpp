#include "BusquedaHistorico.h"

#include "Importes.h"
#include "Numeros.h"

#include <QStringList>

namespace {

// The shown columns, the two calculated ones filled by the grid's model
// (ImporteCal from Importe, indicadorStr from Numero_Modelo and indicador),
// then the hidden ones.
const QString listaCampos = QStringLiteral(
    "Cuenta, Numero, Nombre_Cliente, Importe AS ImporteCal, Numero_Modelo, Modelo_Talon, "
    "Fecha_Talon, Fecha_Confeccion, Fecha_Pago, Nombre_Cons, Nombre_Ordenante, Nif_Sufijo, "
    "Nombre_Remesa, Cuenta_ord, indicador AS indicadorStr, Pk_HistoricoRecibos, Importe, "
    "indicador");

// "dd/mm/yyyy" rearranged as "yyyymmdd", which sorts as the calendar does.
const QString fechaOrdenable =
    QStringLiteral("(substr(fecha_confeccion, 7, 4) || substr(fecha_confeccion, 4, 2) || "
                   "substr(fecha_confeccion, 1, 2))");

// The typed amount in cents; nothing for an empty or zero amount ("0,00" is
// how an untouched field reads).
std::optional<qint64> centimosCriterio(const QString& importe) {
    const std::optional<tImporte> valor = tImporte::leeTexto(importe);
    if (!valor || valor->centimos() == 0)
        return std::nullopt;
    return valor->centimos();
}

} // namespace

QString patronContiene(const QString& fragmento) {
    QString escapado;
    escapado.reserve(fragmento.size() + 4);
    for (QChar c : fragmento) {
        if (c == u'\\' || c == u'%' || c == u'_')
            escapado += u'\\';
        escapado += c;
    }
    return u'%' + escapado + u'%';
}

tConsultaHistorico consultaBusquedaHistorico(const tCriteriosHistorico& criterios) {
    const tHistoricoTrans& d = criterios.datos;
    tConsultaHistorico consulta;
    QStringList condiciones;
    const auto contiene = [&](const QString& columna, const QString& fragmento) {
        // An empty fragment is no condition at all, so empty and NULL columns
        // are listed too.
        if (fragmento.isEmpty())
            return;
        condiciones << columna + QStringLiteral(" LIKE ? ESCAPE '\\'");
        consulta.valores << patronContiene(fragmento);
    };
    contiene(QStringLiteral("nombre_remesa"), d.remesa.Nombre_Remesa);
    contiene(QStringLiteral("Nombre_Cliente"), d.beneficiario.Nombre_Cliente);
    contiene(QStringLiteral("Cuenta"), d.beneficiario.Cuenta);
    contiene(QStringLiteral("Nif_sufijo"), d.ordenante.Nif_Sufijo);
    contiene(QStringLiteral("Nombre_ordenante"), d.ordenante.Nombre_ordenante);
    contiene(QStringLiteral("Numero"), d.talon.Numero);
    contiene(QStringLiteral("Cuenta_ord"), d.ordenante.Cuenta);

    const std::optional<qint64> desde = centimosCriterio(d.talon.Importe);
    const std::optional<qint64> hasta = centimosCriterio(criterios.importeHasta);
    if (desde && hasta) {
        condiciones << QStringLiteral("Imp BETWEEN ? AND ?");
        consulta.valores << *desde << *hasta;
    } else if (d.talon.Importe != QStringLiteral("0,00")) {
        contiene(QStringLiteral("Importe"), d.talon.Importe);
    }

    if (criterios.conFechaConfeccion) {
        condiciones << fechaOrdenable + QStringLiteral(" BETWEEN ? AND ?");
        consulta.valores << criterios.confeccionDesde.toString(QStringLiteral("yyyyMMdd"))
                         << criterios.confeccionHasta.toString(QStringLiteral("yyyyMMdd"));
    }

    // NOT INDEXED: the rows come in the table's own order whatever indexes
    // the file holds; no ordering is added.
    consulta.sql = QStringLiteral("SELECT ") + listaCampos +
                   QStringLiteral(" FROM historicoCheques NOT INDEXED");
    if (!condiciones.isEmpty())
        consulta.sql += QStringLiteral(" WHERE ") + condiciones.join(QStringLiteral(" AND "));
    return consulta;
}
