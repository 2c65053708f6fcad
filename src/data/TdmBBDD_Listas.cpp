// Rows of the presenter and drawer lists and of the list of emitted remittances.
#include "Importes.h"
#include "MotorTablas.h"
#include "TdmBBDD.h"
#include "TextosBBDD.h"

// One row per table row, in the table's order: column 0 the key, column 1
// the caption, the rest the cells. An engine failure ends the list where it
// stands.
tFilasLista TdmBBDD::cargaFilasLista(const QString& rutaTabla, const QString& sql, int columnas,
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

tFilasLista TdmBBDD::CargaListaOrdenantes() {
    return cargaFilasLista(rutaOrdenantes(),
                           QStringLiteral("SELECT Pk_Ordenante, Nombre_Ordenante, Cuenta, "
                                          "Nif_Sufijo FROM Ordenantes ORDER BY rowid"),
                           4);
}

tFilasLista TdmBBDD::CargaListaBeneficiarios() {
    // A drawer that an older version made for a placeholder account is no
    // drawer to name or delete.
    return cargaFilasLista(rutaDeudores(),
                           QStringLiteral("SELECT Pk_Cliente, Nombre_Cliente, Cuenta FROM "
                                          "Deudores WHERE coalesce(Cuenta, '') NOT IN (?, ?) "
                                          "ORDER BY rowid"),
                           3, {TalonManual::Cuenta, CuentaSinLibrado});
}

tFilasLista TdmBBDD::CargaListaRemesasEmitidas(QString& error) {
    tFilasLista filas;
    motor::Conexion con(rutaHistorico());
    // The last row stored is the newest emission.
    motor::Sentencia s(con, QStringLiteral("SELECT Pk_Historico, Fecha_Confeccion, Nif, "
                                           "Nombre_Ordenante, Cuenta, Importe, Numero_Talones, "
                                           "Fecha_Soporte FROM historico ORDER BY rowid DESC"));
    if (!s.ejecuta()) {
        error = s.error();
        return filas;
    }
    while (s.siguiente()) {
        tFilaLista f;
        f.datos.pk = s.entero(0);
        f.caption = s.texto(1);
        f.celdas = {s.texto(2), s.texto(3), s.texto(4), importeVisible(s.texto(5)),
                    s.texto(6), s.texto(7)};
        filas << f;
    }
    return filas;
}
