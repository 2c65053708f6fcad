#include "RegistrosBanco.h"

#include "Textos.h"

namespace {

using R = tRellenoCampo;
using C = tCaracteresCampo;

// Characters 1-2, 4-5 and 9-10 of "dd/mm/yyyy".
QString fechaDDMMAA(const QString& fecha) {
    return fecha.mid(0, 2) + fecha.mid(3, 2) + fecha.mid(8, 2);
}

template <class Origen> QString vacio(const Origen&) {
    return {};
}

QString nifCabecera(const tOrigenCabecera& o) {
    return o.ordenante.Nif_Sufijo;
}
QString nifTalon(const tOrigenTalon& o) {
    return o.ordenante.Nif_Sufijo;
}
QString nifTotales(const tOrigenTotales& o) {
    return o.nif;
}

// The presenter's IBAN, rearranged: country and IBAN check, bank and branch,
// account number, and the two national check digits last.
const tCampoCabecera cabecera[] = {
    {"tipo de registro", 1, 4, R::Ninguno, C::Literal,
     [](const tOrigenCabecera&) { return RegistroBanco::CodigoCabecera; }},
    {"NIF del presentador", 5, 0, R::Ninguno, C::Nif, nifCabecera},
    {"blancos", 15, 12, R::BlancosIzquierda, C::Blancos, vacio<tOrigenCabecera>},
    {"blancos", 27, 3, R::BlancosIzquierda, C::Blancos, vacio<tOrigenCabecera>},
    {"fecha de confección", 30, 6, R::Ninguno, C::Digitos,
     [](const tOrigenCabecera& o) { return fechaDDMMAA(o.fechaConfeccion); }},
    {"fecha de proceso", 36, 6, R::Ninguno, C::Digitos,
     [](const tOrigenCabecera& o) { return fechaDDMMAA(o.fechaProceso); }},
    {"país y control del IBAN", 42, 4, R::Ninguno, C::Pais,
     [](const tOrigenCabecera& o) { return o.iban.mid(0, 4); }},
    {"entidad y oficina", 46, 8, R::Ninguno, C::Digitos,
     [](const tOrigenCabecera& o) { return o.iban.mid(4, 8); }},
    {"número de cuenta", 54, 10, R::Ninguno, C::Digitos,
     [](const tOrigenCabecera& o) { return o.iban.mid(14, 10); }},
    {"dígitos de control de la cuenta", 64, 2, R::Ninguno, C::Digitos,
     [](const tOrigenCabecera& o) { return o.iban.mid(12, 2); }},
    {"blancos", 66, 28, R::BlancosIzquierda, C::Blancos, vacio<tOrigenCabecera>},
    {"blancos", 94, 57, R::BlancosIzquierda, C::Blancos, vacio<tOrigenCabecera>},
};

// The drawer's account: bank and branch, the ten-digit number, and its two
// check digits after it.
const tCampoTalon talon[] = {
    {"tipo de registro", 1, 4, R::Ninguno, C::Literal,
     [](const tOrigenTalon&) { return RegistroBanco::CodigoTalon; }},
    {"NIF del presentador", 5, 0, R::Ninguno, C::Nif, nifTalon},
    {"blancos", 15, 12, R::BlancosIzquierda, C::Blancos, vacio<tOrigenTalon>},
    {"número de cheque", 27, 7, R::Ninguno, C::Digitos,
     [](const tOrigenTalon& o) { return o.talon.Numero.mid(0, 7); }},
    {"dígito de control del número", 34, 1, R::Ninguno, C::Digitos,
     [](const tOrigenTalon& o) { return o.talon.chk_numero; }},
    {"blancos", 35, 4, R::BlancosIzquierda, C::Blancos, vacio<tOrigenTalon>},
    {"entidad y oficina", 39, 8, R::Ninguno, C::Digitos,
     [](const tOrigenTalon& o) { return o.talon.Cuenta.mid(0, 8); }},
    {"número de cuenta", 47, 10, R::Ninguno, C::Digitos,
     [](const tOrigenTalon& o) { return o.talon.Cuenta.mid(10, 10); }},
    {"dígitos de control de la cuenta", 57, 2, R::Ninguno, C::Digitos,
     [](const tOrigenTalon& o) { return o.talon.Cuenta.mid(8, 2); }},
    {"número de modelo", 59, 4, R::Ninguno, C::Digitos,
     [](const tOrigenTalon& o) { return o.talon.numero_Modelo.mid(0, 4); }},
    {"dígito de control del modelo", 63, 1, R::Ninguno, C::Digitos,
     [](const tOrigenTalon& o) { return o.talon.chk_Modelo; }},
    {"importe", 64, 13, R::CerosIzquierda, C::Digitos,
     [](const tOrigenTalon& o) {
         return o.talon.Importe ? o.talon.Importe->campoCentimos(13) : QString();
     }},
    {"fecha del cheque", 77, 6, R::BlancosIzquierda, C::FechaOpcional,
     [](const tOrigenTalon& o) { return fechaDDMMAA(o.talon.FechaPago); }},
    // Promissory notes (model beginning with "8"): "N" for a bearer note,
    // "S" for one to order; a blank for every other document.
    {"a la orden", 83, 1, R::BlancosIzquierda, C::Orden,
     [](const tOrigenTalon& o) {
         if (!o.talon.numero_Modelo.startsWith(u'8'))
             return QString();
         return o.talon.indicador == 1 ? QStringLiteral("N") : QStringLiteral("S");
     }},
    {"blancos", 84, 67, R::BlancosIzquierda, C::Blancos, vacio<tOrigenTalon>},
};

const tCampoTotales totales[] = {
    {"tipo de registro", 1, 4, R::Ninguno, C::Literal,
     [](const tOrigenTotales&) { return RegistroBanco::CodigoTotales; }},
    {"NIF del presentador", 5, 0, R::Ninguno, C::Nif, nifTotales},
    {"blancos", 15, 12, R::BlancosIzquierda, C::Blancos, vacio<tOrigenTotales>},
    {"importe total", 27, 15, R::CerosIzquierda, C::Digitos,
     [](const tOrigenTotales& o) { return QString::number(o.totalCentimos); }},
    {"número de cheques", 42, 10, R::CerosIzquierda, C::Digitos,
     [](const tOrigenTotales& o) { return QString::number(o.numeroTalones); }},
    {"número de registros", 52, 10, R::CerosIzquierda, C::Digitos,
     [](const tOrigenTotales& o) { return QString::number(o.numeroRegistros); }},
    {"blancos", 62, 62, R::BlancosIzquierda, C::Blancos, vacio<tOrigenTotales>},
    {"blancos", 124, 27, R::BlancosIzquierda, C::Blancos, vacio<tOrigenTotales>},
};

} // namespace

std::span<const tCampoCabecera> camposCabecera() {
    return cabecera;
}
std::span<const tCampoTalon> camposTalon() {
    return talon;
}
std::span<const tCampoTotales> camposTotales() {
    return totales;
}

QString rellenaCampo(const QString& valor, int ancho, tRellenoCampo relleno) {
    switch (relleno) {
    case tRellenoCampo::CerosIzquierda:
        return rellenaCadena(valor, QStringLiteral("0"), ancho, false);
    case tRellenoCampo::BlancosIzquierda:
        return rellenaCadena(valor, QStringLiteral(" "), ancho, false);
    case tRellenoCampo::Ninguno:
        break;
    }
    return valor;
}
