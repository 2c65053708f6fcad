#pragma once
// One synthetic cheque or promissory note: its fields, its codeline as each
// reader family delivers it and its pictures.

#include <QImage>
#include <QString>

enum class FalloMuestra {
    Ninguno,
    Ilegible,     // unreadable characters in the account block
    ImporteCorto, // the amount field cut short
    Duplicado,    // the same document as an earlier one
};

struct tDatosDocumento {
    QString numero;  // 7 digits
    QString entidad; // 4 digits
    QString oficina; // 4 digits
    QString cuenta;  // 10 digits
    QString modelo;  // 4 digits, the first two the document type
    qint64 centimos = 0;
    QString librador; // drawer's name printed on the face
    QString banco;
    FalloMuestra fallo = FalloMuestra::Ninguno;
};

// A document drawn from the seed: types 42, 43, 77, 75, 82 and 90 in turn.
tDatosDocumento documentoAleatorio(quint32 semilla, int indice);

// Codelines: Seac Banche ("+" and blank-separated fields), Excella (the raw
// MICR text, with one digit between model and amount), Vision X (CMC7
// symbols "<", ">", ";" around the fields, blanks for unreadable digits, no
// amount: the digit spans of its 45 characters end at position 37).
QByteArray codelineSeac(const tDatosDocumento& d);
QByteArray codelineExcella(const tDatosDocumento& d);
QByteArray codelineVisionX(const tDatosDocumento& d);

// The front in grey, with the codeline printed along the bottom, and the
// back; `ppp` dots per inch.
QImage dibujaFrontal(const tDatosDocumento& d, int ppp);
QImage dibujaTrasera(const tDatosDocumento& d, int ppp);
