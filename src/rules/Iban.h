#pragma once
// Account checks: the 20-digit Spanish account (CCC) and the IBAN
// (ISO 13616, check by ISO 7064 MOD 97-10).

#include <QString>

// True when the control digits (characters 9-10) of a 20-character account
// are right. Twenty zeros, an empty account, an account of blanks and one
// whose control digits cannot be computed are not valid.
bool esCuentaCCCValida(const QString& cuenta);

// True for an IBAN written with or without blanks, with or without a leading
// "IBAN": country letters, two check digits and up to 30 letters or digits,
// whose remainder by 97 is 1.
bool esIbanValido(const QString& iban);

// Remainder by 97 of an IBAN without blanks: upper-cased, the first "IBAN"
// deleted, the first four characters moved to the end, letters turned into
// numbers, then the remainder computed nine digits at a time. 0 when a
// character is neither a digit nor a letter A to Z.
int restoModulo97(const QString& iban);

// The text with each letter A to Z replaced by its number, A = 10 to Z = 35.
QString letrasANumeros(const QString& texto);
