#pragma once
// A cheque as the emission hands it to the bank file writer: number and
// model as stored, with their check digits apart.

#include "Registros.h"

inline tTalon talonBanco(const QString& numero, const QString& modelo, const QString& cuenta,
                         const QString& importe, const QString& fecha, int indicador) {
    tTalon t;
    t.Numero = numero;
    t.chk_numero = numero.mid(8, 1);
    t.numero_Modelo = modelo;
    t.chk_Modelo = modelo.mid(5, 1);
    t.Cuenta = cuenta;
    t.Importe = tImporte::leeTexto(importe);
    t.FechaPago = fecha;
    t.indicador = indicador;
    return t;
}
