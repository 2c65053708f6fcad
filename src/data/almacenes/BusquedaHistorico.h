#pragma once
// The search over the history of emitted cheques: the criteria an operator
// gives and the one select statement they become. Criteria are bound values,
// never text spliced into the statement.
//
// Names, NIFs and accounts are compared in one folded form on both sides, so
// that a name is found however it was typed or stored: accents and "Ñ" fold
// to plain capitals, letter case does not count, the apostrophe counts as a
// blank and the other symbols that the maintenance windows turn into "?" all
// match one another. "%" and "_" are plain characters that match only
// themselves. The cheque number and the amount are matched as typed.

#include "Registros.h"

#include <QDate>
#include <QString>
#include <QVariantList>

#include <optional>

struct tCriteriosHistorico {
    // beneficiario.Cuenta, beneficiario.Nombre_Cliente, remesa.Nombre_Remesa,
    // talon.Numero, ordenante.Nif_Sufijo, ordenante.Nombre_ordenante,
    // ordenante.Cuenta.
    tHistoricoTrans datos;
    // The amounts as shown: a "Desde" text that is no amount is looked for as
    // it is, so both stay texts here.
    QString importeDesde;
    QString importeHasta;
    bool conFechaConfeccion = false;
    QDate confeccionDesde;
    QDate confeccionHasta;
};

// A statement with its bound values, in order: `sql` lists the rows of the
// search in the table's order; `condicion` is its WHERE part alone (empty
// when every row is listed), with the same values, for the statements that
// read the result by parts.
struct tConsultaHistorico {
    QString sql;
    QString condicion;
    QVariantList valores;
};

// The fields a history row carries, in the order of the statement: the
// fifteen columns of the grid (ImporteCal and indicadorStr are calculated by
// the grid's query), then the three that the grid does not show.
namespace ColumnasHistorico {
inline constexpr int Cuenta = 0;
inline constexpr int Numero = 1;
inline constexpr int Nombre_Cliente = 2;
inline constexpr int ImporteCal = 3;
inline constexpr int Numero_Modelo = 4;
inline constexpr int indicadorStr = 14;
inline constexpr int Visibles = 15;
inline constexpr int Pk_HistoricoRecibos = 15;
inline constexpr int Importe = 16;
inline constexpr int indicador = 17;
inline constexpr int Campos = 18;
} // namespace ColumnasHistorico

// The field list of the statement, in the order above.
QString camposHistorico();

// Every fragment criterion is a "contains" match; an empty one matches every
// row, also rows whose column is empty or NULL. When both amounts are given
// the cents lie between them, both included; otherwise the display amount
// contains the "Desde" amount. The confection date is compared as a calendar
// date. The rows keep the table's order.
tConsultaHistorico consultaBusquedaHistorico(const tCriteriosHistorico& criterios);

// What keeps criteria from being searched, with the field to correct: an
// amount that does not read as an amount, or a range that no cheque can
// fall in. Nothing when the search can run.
struct tFaltaCriterios {
    enum class Campo { ImporteDesde, ImporteHasta, FechaDesde };
    Campo campo;
    QString mensaje;
};
std::optional<tFaltaCriterios> faltaCriterios(const tCriteriosHistorico& criterios);

namespace TextosBusqueda {
inline const QString ImporteIlegible =
    QStringLiteral("El importe \"%1\" no se puede leer como un importe. Escríbalo con coma "
                   "decimal y, si quiere, con puntos de miles: por ejemplo 1.000,00.");
inline const QString HastaSinDesde =
    QStringLiteral("Ha escrito el importe \"Hasta\" sin el importe \"Desde\". Para buscar los "
                   "cheques de un intervalo de importes escriba los dos.");
inline const QString ImportesInvertidos =
    QStringLiteral("El importe \"Desde\" es mayor que el importe \"Hasta\": ningún cheque puede "
                   "estar en ese intervalo.");
inline const QString FechasInvertidas =
    QStringLiteral("La fecha de confección \"Desde\" es posterior a la fecha \"Hasta\": ninguna "
                   "remesa puede estar en ese intervalo.");
} // namespace TextosBusqueda

// The fragment as a LIKE pattern with "\" as escape character: "%" + the
// fragment with "\", "%" and "_" escaped + "%".
QString patronContiene(const QString& fragmento);

// A character in the folded form names are compared in.
QChar pliegaParaComparar(QChar c);

// A GLOB pattern that finds the fragment, in the folded form, anywhere in a
// text: each character becomes the set of characters that fold as it does.
QString patronComparable(const QString& fragmento);
