#pragma once
// Document type codes: the first two characters of a model number. They give
// the model code stored with a cheque and the editing rules of the due date.
//   42, 43 current-account cheque   model 0
//   77     payroll cheque           model 1
//   82, 83 promissory note          model 2   (due date)
//   90, 91 domiciled payment        model 3   (due date)
//   75     banker's cheque          model 4
//   99     bad read                 model 6   (decoding only)
//   other                           model 5

#include <QString>

// Model code "0" to "6" of a decoded model number, from its first two
// characters; "5" when they are not a known integer.
QString modeloDeTipoDocumento(const QString& numeroModelo);

// True when the first two characters are one of the eight valid type codes.
bool esTipoDocumentoValido(const QString& texto);

// Model code 0 to 5 of a type code typed in the editor, the whole text read
// as an integer; 5 for anything else (a bad read has no model of its own here).
int modeloDeTipoNumerico(const QString& tipo);

// True when the first two characters are "82", "83", "90" or "91": the types
// that carry a due date and may be payable to bearer.
bool tipoConVencimiento(const QString& numeroModelo);

// What the cheque editor does when the operator leaves the model field.
struct tReglasModelo {
    bool fechaEditable = false;    // due date field unlocked
    bool portadorEditable = false; // "Pagaré al portador" box unlocked
    bool vaciaFecha = true;        // due date field emptied
    int modelo = 5;                // model selector, 0 to 5
};
tReglasModelo reglasAlSalirDelModelo(const QString& numeroModelo);

// Whether the due date field (and with it the bearer box) is editable when
// editing of a cheque starts: it already holds a date, or the type has one.
bool fechaEditableAlEmpezarEdicion(const QString& fechaPago, const QString& numeroModelo);
