#include "DefinicionTablas.h"

QString tDefinicionTabla::sqlCreacion() const {
    QStringList cols;
    for (const tColumna& c : columnas)
        cols << (c.ancho == 0 ? QStringLiteral("%1 INTEGER").arg(c.nombre)
                              : QStringLiteral("%1 VARCHAR(%2)").arg(c.nombre).arg(c.ancho));
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(nombre, cols.join(QStringLiteral(", ")));
}

QStringList tDefinicionTabla::sqlIndices() const {
    QStringList sql;
    for (const QStringList& cols : indices)
        sql << QStringLiteral("CREATE INDEX IF NOT EXISTS idx_%1_%2 ON %1 (%3)")
                   .arg(nombre, cols.join(u'_'), cols.join(QStringLiteral(", ")));
    return sql;
}

namespace Tablas {

const tDefinicionTabla& remesas() {
    static const tDefinicionTabla t{QStringLiteral("remesas"),
                                    {{"Pk_Remesas", 0},
                                     {"Nombre_Remesa", 50},
                                     {"Importe", 18},
                                     {"Numero_Talones", 8},
                                     {"Numero_Registros", 10},
                                     {"Fecha_Soporte", 8},
                                     {"NombreCons", 30},
                                     {"Emitida", 1},
                                     {"Facturable", 2}},
                                    {{"Pk_Remesas"}}};
    return t;
}

const tDefinicionTabla& historico() {
    static const tDefinicionTabla t{QStringLiteral("historico"),
                                    {{"Pk_Historico", 0},
                                     {"Nombre_Remesa", 50},
                                     {"Nombre_Ordenante", 70},
                                     {"Nif", 9},
                                     {"Cuenta", 34},
                                     {"Importe", 18},
                                     {"Numero_Talones", 8},
                                     {"Numero_Registros", 10},
                                     {"Fecha_Soporte", 10},
                                     {"Fecha_Confeccion", 10},
                                     {"Nombre_Cons", 20}},
                                    {{"Pk_Historico"}}};
    return t;
}

const tDefinicionTabla& ordenantes() {
    static const tDefinicionTabla t{
        QStringLiteral("Ordenantes"),
        {{"Pk_Ordenante", 0}, {"Nif_Sufijo", 12}, {"Nombre_Ordenante", 70}, {"Cuenta", 34}},
        {{"Pk_Ordenante"}}};
    return t;
}

const tDefinicionTabla& historicoCheques() {
    static const tDefinicionTabla t{QStringLiteral("historicoCheques"),
                                    {{"Pk_HistoricoRecibos", 0},
                                     {"Nombre_Remesa", 50},
                                     {"Importe", 15},
                                     {"Fecha_Confeccion", 10},
                                     {"Fecha_Pago", 10},
                                     {"Nombre_Cons", 30},
                                     {"Modelo_Talon", 50},
                                     {"Numero_Modelo", 6},
                                     {"Fecha_Talon", 10},
                                     {"Numero", 20},
                                     {"Nombre_Cliente", 35},
                                     {"Nif_Sufijo", 12},
                                     {"Nombre_Ordenante", 70},
                                     {"Cuenta_ord", 34},
                                     {"Cuenta", 34},
                                     {"imp", 0},
                                     {"indicador", 0}},
                                    {{"Pk_HistoricoRecibos"}, {"Numero"}, {"Nombre_Cons"}}};
    return t;
}

const tDefinicionTabla& deudores() {
    static const tDefinicionTabla t{QStringLiteral("Deudores"),
                                    {{"Pk_Cliente", 0},
                                     {"Nombre_Cliente", 35},
                                     {"Nif", 9},
                                     {"Cuenta", 34},
                                     {"Telefono", 9},
                                     {"email", 62}},
                                    {{"Pk_Cliente"}, {"Cuenta"}}};
    return t;
}

const tDefinicionTabla& talones() {
    static const tDefinicionTabla t{QStringLiteral("Talones"),
                                    {{"Pk_Talon", 0},
                                     {"Modelo_Talon", 1},
                                     {"Numero_Modelo", 10},
                                     {"Importe", 15},
                                     {"Fecha_Talon", 10},
                                     {"Numero", 9},
                                     {"Estado", 1},
                                     {"Cuenta", 20},
                                     {"indicador", 0},
                                     {"Nombre_Cliente", 35},
                                     {"fk_Clientes", 0},
                                     {"fk_Remesa", 0}},
                                    {{"Pk_Talon"}, {"Numero"}}};
    return t;
}

} // namespace Tablas
