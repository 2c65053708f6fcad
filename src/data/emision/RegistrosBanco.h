#pragma once
// The three records of the presentation file as tables of fields: the writer
// walks a table to build a line, and the verification of a written file
// walks the same table to cut a line back into its fields, so the two can
// never disagree on where a field is.
//
// `posicion` is the field's first position (1-based) in a record whose
// presenter NIF field is ten characters (a nine-character NIF and its
// blank); the NIF field itself has no fixed width (`ancho` 0): a NIF of
// another length moves every later field by the difference.

#include "Registros.h"

#include <QString>
#include <QtGlobal>

#include <span>

// How a value shorter than its field is filled. A longer value is never cut:
// it keeps its length and moves the rest of the record.
enum class tRellenoCampo {
    Ninguno,          // written as it comes
    CerosIzquierda,   // "0" in front
    BlancosIzquierda, // blanks in front (a field of blanks is an empty value)
};

// The characters a field may hold once written.
enum class tCaracteresCampo {
    Literal,       // the record's type code
    Nif,           // capital letters and digits, then one blank
    Digitos,       // "0" to "9"
    Blancos,       // blanks only
    Pais,          // two capital letters and two digits (IBAN country and check)
    FechaOpcional, // six digits, or six blanks
    Orden,         // blank, "N" or "S"
};

// What the cheque record is built from: the presenter as the bank file takes
// it (Nif_Sufijo with its blank) and the cheque with its 13-digit amount.
struct tOrigenTalon {
    const tOrdenantes& ordenante;
    const tTalon& talon;
};

struct tOrigenCabecera {
    const tOrdenantes& ordenante;
    QString iban; // the presenter's account without blanks
    QString fechaConfeccion;
    QString fechaProceso;
};

struct tOrigenTotales {
    const QString& nif;
    qint64 totalCentimos = 0;
    int numeroTalones = 0;
    int numeroRegistros = 0; // header, cheques and this record
};

template <class Origen> struct tCampoRegistro {
    const char* nombre;
    int posicion;
    int ancho;
    tRellenoCampo relleno;
    tCaracteresCampo caracteres;
    QString (*valor)(const Origen&);
};

using tCampoCabecera = tCampoRegistro<tOrigenCabecera>;
using tCampoTalon = tCampoRegistro<tOrigenTalon>;
using tCampoTotales = tCampoRegistro<tOrigenTotales>;

namespace RegistroBanco {
inline const QString CodigoCabecera = QStringLiteral("1056");
inline const QString CodigoTalon = QStringLiteral("2056");
inline const QString CodigoTotales = QStringLiteral("4056");
// The length of every record with a ten-character NIF field.
constexpr int Longitud = 150;
constexpr int AnchoNifHabitual = 10;
} // namespace RegistroBanco

std::span<const tCampoCabecera> camposCabecera();
std::span<const tCampoTalon> camposTalon();
std::span<const tCampoTotales> camposTotales();

// The field's value filled to its width as the record holds it.
QString rellenaCampo(const QString& valor, int ancho, tRellenoCampo relleno);

// The line the table makes from the source.
template <class Origen>
QString construyeRegistro(std::span<const tCampoRegistro<Origen>> campos, const Origen& origen) {
    QString linea;
    linea.reserve(RegistroBanco::Longitud);
    for (const tCampoRegistro<Origen>& c : campos)
        linea += rellenaCampo(c.valor(origen), c.ancho, c.relleno);
    return linea;
}
