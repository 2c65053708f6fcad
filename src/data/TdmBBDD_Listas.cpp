// Rows of the presenter and drawer lists and of the list of emitted remittances.
#include "Importes.h"
#include "MotorTablas.h"
#include "TdmBBDD.h"

tFilasLista TdmBBDD::CargaListaOrdenantes() {
    tFilasLista filas;
    motor::Conexion con(rutaOrdenantes());
    motor::Sentencia s(con, QStringLiteral("SELECT Pk_Ordenante, Nombre_Ordenante, Cuenta, "
                                           "Nif_Sufijo FROM Ordenantes ORDER BY rowid"));
    if (!s.ejecuta())
        return filas; // the list stays as far as it was filled
    while (s.siguiente()) {
        tFilaLista f;
        f.datos.pk = s.entero(0);
        f.caption = s.texto(1);
        f.celdas = {s.texto(2), s.texto(3)};
        filas << f;
    }
    return filas;
}

tFilasLista TdmBBDD::CargaListaBeneficiarios() {
    tFilasLista filas;
    motor::Conexion con(rutaDeudores());
    motor::Sentencia s(con, QStringLiteral("SELECT Pk_Cliente, Nombre_Cliente, Cuenta FROM "
                                           "Deudores ORDER BY rowid"));
    if (!s.ejecuta())
        return filas; // the list stays as far as it was filled
    while (s.siguiente()) {
        tFilaLista f;
        f.datos.pk = s.entero(0);
        f.caption = s.texto(1);
        f.celdas = {s.texto(2)};
        filas << f;
    }
    return filas;
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
        f.celdas = {s.texto(2), s.texto(3), s.texto(4), formateaImporte(s.texto(5)),
                    s.texto(6), s.texto(7)};
        filas << f;
    }
    return filas;
}
