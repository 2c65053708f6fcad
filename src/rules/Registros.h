#pragma once
// Plain value records that travel between the windows, the data module and
// the cheque rules. They live in the lowest layer because the codeline
// decoding and the validation rules already fill and read them.

#include "CodigosTalon.h"
#include "Importes.h"

#include <QString>

#include <optional>

// One cheque of a remittance.
struct tTalon {
    int Pk_Talon = 0;
    QString Modelo_Talon;  // document type code "0".."6"
    QString numero_Modelo; // four digits, hyphen, check digit
    QString FechaPago;     // cheque date dd/mm/yyyy (column Fecha_Talon)
    ::Estado Estado = ::Estado::Incompleto;
    QString Numero;     // seven characters, hyphen, check digit
    QString chk_numero; // filled during emission only
    QString chk_Modelo; // filled during emission only
    QString Nombre_Cliente;
    QString Cuenta;
    // None when no amount was read or typed. Its text forms are made only at
    // the edges: the table column (plain form, importeDeTabla/textoImporteTabla),
    // the lists and fields (display form) and the bank record (cents field).
    std::optional<tImporte> Importe;
    int indicador = 0; // 1 = promissory note payable to bearer
    bool Nuevo = false;
    int fk_Remesas = 0;
    int fk_Acreedores = 0;
    int fk_Beneficiarios = 0; // drawer key (column fk_Clientes)
};

// One remittance.
struct tRemesas {
    int Pk_Remesa = 0;
    int fk_ordenante = 0;
    QString Nombre_Remesa;
    QString Nif;
    QString Importe;
    QString Numero_Talones;
    QString Numero_Registros;
    QString nombre_Cons;
    QString Fecha_Confeccion;
    QString Fecha_Proceso;
    QString Nombre_Ordenante;
    QString Cuenta_Acreedor;
    int EsNuevo = 0;
};

// One presenter.
struct tOrdenantes {
    int Pk_Ordenante = 0;
    QString Nif_Sufijo;
    QString Nombre_ordenante;
    QString Cuenta;
    bool EsNuevo = false;
};

// One drawer.
struct TCliente {
    int Pk_Cliente = 0;
    QString Nombre_Cliente;
    QString Cuenta;
    QString Telefono;
    QString nif;
    QString email;
    bool EsNuevo = false;
};

// One history row as a whole; also carries the history search criteria.
struct tHistoricoTrans {
    int Pk_HistoricoTrans = 0;
    tRemesas remesa;
    tOrdenantes ordenante;
    TCliente beneficiario;
    tTalon talon;
};

// Data attached to one row of a list of cheques or remittances.
struct tRegDataTalones {
    int pk = 0;
    int indicador = 0;
    std::optional<tImporte> Importe;
    QString cuenta;
    QString Modelo;
    QString fechaPago;
    QString fk_Cliente;
    bool Error = false;
};

// Scanner settings, loaded from config.ini.
struct tEscaner {
    QString texto;
    bool Imprimir = false;
    bool Fecha = false;
    int tipo = 0;
    int tiempoSAFE = 5;
};
