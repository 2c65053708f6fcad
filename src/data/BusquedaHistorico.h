#pragma once
// The search over the history of emitted cheques: the criteria an operator
// gives and the one select statement they become. Criteria are bound values,
// never text spliced into the statement, and a fragment matches itself only:
// "%", "_" and "\" typed by the operator are plain characters.

#include "Registros.h"

#include <QDate>
#include <QString>
#include <QVariantList>

struct tCriteriosHistorico {
    // beneficiario.Cuenta, beneficiario.Nombre_Cliente, talon.Importe (the
    // "Desde" amount as shown), remesa.Nombre_Remesa, talon.Numero,
    // ordenante.Nif_Sufijo, ordenante.Nombre_ordenante, ordenante.Cuenta.
    tHistoricoTrans datos;
    QString importeHasta; // the "Hasta" amount as shown
    bool conFechaConfeccion = false;
    QDate confeccionDesde;
    QDate confeccionHasta;
};

// A statement with its bound values, in order.
struct tConsultaHistorico {
    QString sql;
    QVariantList valores;
};

// The columns of the history grid, in their order: the shown ones with the
// two calculated ones (ImporteCal, indicadorStr), then the hidden ones.
namespace ColumnasHistorico {
inline constexpr int Cuenta = 0;
inline constexpr int Numero = 1;
inline constexpr int ImporteCal = 3;
inline constexpr int Numero_Modelo = 4;
inline constexpr int indicadorStr = 14;
inline constexpr int Pk_HistoricoRecibos = 15;
inline constexpr int Importe = 16;
inline constexpr int indicador = 17;
} // namespace ColumnasHistorico

// Every fragment criterion is a "contains" match; an empty one matches every
// row, also rows whose column is empty or NULL. When both amounts are given
// the cents lie between them, both included; otherwise the display amount
// contains the "Desde" amount. The confection date is compared as a calendar
// date. The rows keep the table's order.
tConsultaHistorico consultaBusquedaHistorico(const tCriteriosHistorico& criterios);

// The fragment as a LIKE pattern with "\" as escape character: "%" + the
// fragment with "\", "%" and "_" escaped + "%".
QString patronContiene(const QString& fragmento);
