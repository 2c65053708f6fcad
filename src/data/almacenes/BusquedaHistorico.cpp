#include "BusquedaHistorico.h"

#include "Servidor.h"

#include "Importes.h"
#include "Textos.h"

#include <QHash>
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

// No value of the history is anywhere near this long (the widest column
// holds 70 characters); a longer fragment is in no value, and its pattern
// would pass the engine's limit on pattern length.
constexpr qsizetype largoMaximoFragmento = 255;

// The characters that fold into each folded character, other than itself:
// the Latin letters and the symbols of the Windows code page, with their
// small and capital forms.
const QHash<QChar, QString>& equivalentes() {
    static const QHash<QChar, QString> tabla = [] {
        QHash<QChar, QString> t;
        const auto anade = [&t](char16_t desde, char16_t hasta) {
            for (char16_t u = desde; u <= hasta; ++u) {
                const QChar c(u);
                const QChar plegado = pliegaParaComparar(c);
                if (plegado != c)
                    t[plegado] += c;
            }
        };
        anade(0x0020, 0x024F); // Latin-1 and the Latin extensions
        anade(0x02C6, 0x02DC); // modifier letters of the code page
        anade(0x2010, 0x2044); // dashes, quotes, daggers, ellipsis, per mille
        anade(0x20AC, 0x20AC); // euro sign
        anade(0x2122, 0x2122); // trade mark sign
        return t;
    }();
    return tabla;
}

// One folded character as a GLOB item: the character itself when nothing
// else folds into it, else the set of all that do. In a set "]" goes first
// and "-" last, so that both are plain members.
QString itemGlob(QChar plegado) {
    QString miembros = QString(plegado) + equivalentes().value(plegado);
    if (const QChar pequena = plegado.toLower(); !miembros.contains(pequena))
        miembros += pequena;
    if (miembros.size() == 1) {
        if (plegado == u'*' || plegado == u'?' || plegado == u'[')
            return u'[' + miembros + u']';
        return miembros;
    }
    QString item = QStringLiteral("[");
    if (miembros.contains(u']'))
        item += u']';
    for (QChar m : std::as_const(miembros))
        if (m != u']' && m != u'-')
            item += m;
    if (miembros.contains(u'-'))
        item += u'-';
    return item + u']';
}

// The amount an amount field holds; nothing when it does not read as one.
// An empty field reads as zero, as "0,00" does.
std::optional<tImporte> importeCampo(const QString& texto) {
    if (texto.trimmed().isEmpty())
        return tImporte();
    return tImporte::leeEntrada(texto);
}

qint64 centimosCampo(const QString& texto) {
    return importeCampo(texto).value_or(tImporte()).centimos();
}

} // namespace

QString camposHistorico() {
    return listaCampos;
}

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

QChar pliegaParaComparar(QChar c) {
    if (c == u'%' || c == u'_')
        return c;
    // The double quote, which normalizaTexto turns into two characters,
    // folds to its first.
    const QString normalizado = normalizaTexto(QString(c));
    return normalizado.isEmpty() ? c : normalizado.front().toUpper();
}

QString patronComparable(const QString& fragmento) {
    QString patron = QStringLiteral("*");
    for (QChar c : fragmento)
        patron += itemGlob(pliegaParaComparar(c));
    return patron + u'*';
}

tConsultaHistorico consultaBusquedaHistorico(const tCriteriosHistorico& criterios) {
    const tHistoricoTrans& d = criterios.datos;
    tConsultaHistorico consulta;
    QStringList condiciones;
    // An empty fragment is no condition at all, so empty and NULL columns are
    // listed too.
    const auto comparable = [&](const QString& columna, const QString& fragmento) {
        if (fragmento.isEmpty())
            return;
        if (fragmento.size() > largoMaximoFragmento) {
            condiciones << QStringLiteral("1 = 0");
            return;
        }
        if (motor::enServidor()) {
            condiciones << columna + QStringLiteral(" ~ ?");
            consulta.valores << motor::expresionDeGlob(patronComparable(fragmento));
        } else {
            condiciones << columna + QStringLiteral(" GLOB ?");
            consulta.valores << patronComparable(fragmento);
        }
    };
    const auto contiene = [&](const QString& columna, const QString& fragmento) {
        if (fragmento.isEmpty())
            return;
        condiciones << columna + QStringLiteral(" LIKE ? ESCAPE '\\'");
        consulta.valores << patronContiene(fragmento);
    };
    comparable(QStringLiteral("nombre_remesa"), d.remesa.Nombre_Remesa);
    comparable(QStringLiteral("Nombre_Cliente"), d.beneficiario.Nombre_Cliente);
    comparable(QStringLiteral("Cuenta"), d.beneficiario.Cuenta);
    comparable(QStringLiteral("Nif_sufijo"), d.ordenante.Nif_Sufijo);
    comparable(QStringLiteral("Nombre_ordenante"), d.ordenante.Nombre_ordenante);
    contiene(QStringLiteral("Numero"), d.talon.Numero);
    comparable(QStringLiteral("Cuenta_ord"), d.ordenante.Cuenta);

    const QString desdeTexto = criterios.importeDesde.trimmed();
    const std::optional<tImporte> desde = importeCampo(desdeTexto);
    const qint64 hasta = centimosCampo(criterios.importeHasta);
    if (desde && desde->centimos() != 0 && hasta != 0) {
        condiciones << QStringLiteral("Imp BETWEEN ? AND ?");
        consulta.valores << desde->centimos() << hasta;
    } else if (!desde) {
        // Never dropped: a text that is no amount is looked for as it is.
        contiene(QStringLiteral("Importe"), desdeTexto);
    } else if (desde->centimos() != 0) {
        contiene(QStringLiteral("Importe"), desde->visible());
    }

    if (criterios.conFechaConfeccion) {
        condiciones << fechaOrdenable + QStringLiteral(" BETWEEN ? AND ?");
        consulta.valores << criterios.confeccionDesde.toString(QStringLiteral("yyyyMMdd"))
                         << criterios.confeccionHasta.toString(QStringLiteral("yyyyMMdd"));
    }

    consulta.condicion = condiciones.join(QStringLiteral(" AND "));
    // NOT INDEXED: the rows come in the table's own order (its row numbers)
    // whatever indexes the file holds; the engine reads them in that order
    // anyway, so ordering by it sorts nothing.
    consulta.sql = QStringLiteral("SELECT ") + listaCampos +
                   QStringLiteral(", rowid FROM historicoCheques NOT INDEXED");
    if (!consulta.condicion.isEmpty())
        consulta.sql += QStringLiteral(" WHERE ") + consulta.condicion;
    consulta.sql += QStringLiteral(" ORDER BY rowid");
    return consulta;
}

std::optional<tFaltaCriterios> faltaCriterios(const tCriteriosHistorico& criterios) {
    using Campo = tFaltaCriterios::Campo;
    const std::optional<tImporte> desde = importeCampo(criterios.importeDesde);
    if (!desde)
        return tFaltaCriterios{Campo::ImporteDesde,
                               TextosBusqueda::ImporteIlegible.arg(QStringLiteral("Desde"))};
    const std::optional<tImporte> hasta = importeCampo(criterios.importeHasta);
    if (!hasta)
        return tFaltaCriterios{Campo::ImporteHasta,
                               TextosBusqueda::ImporteIlegible.arg(QStringLiteral("Hasta"))};
    if (hasta->centimos() != 0 && desde->centimos() == 0)
        return tFaltaCriterios{Campo::ImporteDesde, TextosBusqueda::HastaSinDesde};
    if (hasta->centimos() != 0 && desde->centimos() > hasta->centimos())
        return tFaltaCriterios{Campo::ImporteDesde, TextosBusqueda::ImportesInvertidos};
    if (criterios.conFechaConfeccion && criterios.confeccionDesde > criterios.confeccionHasta)
        return tFaltaCriterios{Campo::FechaDesde, TextosBusqueda::FechasInvertidas};
    return std::nullopt;
}
