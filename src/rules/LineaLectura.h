#pragma once
// Decoding of one read line into a cheque.
//
// A read line is the CMC7 codeline as a reader reported it: a good read begins
// with "+", unreadable characters come as "?", and the lines of image-taking
// readers end with "¬" and the sequence number under which the capture window
// saved the document's temporary images.
//
// The storing side walks the capture window's list and, for each line:
//   1. decodificaLinea(linea, variante) gives the cheque with its fields,
//      check digits and state, whether the line was a bad read (stored only
//      when asked to store everything) and its sequence number;
//   2. asks the tables whether the cheque is already stored and, if so,
//      calls marcaDuplicado (a duplicate comes before every other state);
//   3. copies the temporary images under baseImagen (copiaImagenesLeidas,
//      with the sequence number: the text after "¬", or the line's position
//      for the Excella reader); a failed copy leaves the line unstored;
//   4. links the drawer, takes the cheque's key and stores it.
// Nothing here touches a table or a file.

#include "Registros.h"

#include <QString>

// The three decoders differ in where the amount sits, in what makes a bad
// read and in how the line is prepared.
enum class VarianteLectura {
    Normal,  // Seac Banche and Panini Vision X readers
    SAFE,    // MagTek keyboard reader
    Excella, // MagTek Excella readers
};

struct tLineaDecodificada {
    tTalon talon;                // Numero, numero_Modelo, Modelo_Talon, Cuenta,
                                 // Importe, Estado, FechaPago, indicador, Nuevo
    bool lecturaErronea = false; // the reader did not read the whole line
    bool tieneSecuencia = false; // the cleaned line holds "¬"
    QString secuencia;           // text after the first "¬" of the cleaned line
    QString baseImagen;          // Cuenta + model digits + cheque digits
};

// Decodes one read line. The state follows the rules that need no table:
// bad read, amount unreadable, type with a due date, unknown or bad-read
// model, account control digits not computable ("??"), cheque number not
// seven digits, or any check of validaTalon that fails (a model number with
// a character other than a digit, an amount of 0,00, an account of zeros, an
// amount over the limit without an image): incomplete ("1"); otherwise
// correct ("0"), so a correct cheque always passes the cheque rules.
// `conImagenFrontal` says whether the reader leaves a front image.
tLineaDecodificada decodificaLinea(const QString& linea, VarianteLectura variante,
                                   bool conImagenFrontal = true);

// A cheque already stored with the same number, model number and account:
// its state becomes duplicate ("2") whatever it was.
void marcaDuplicado(tLineaDecodificada& decodificada);
