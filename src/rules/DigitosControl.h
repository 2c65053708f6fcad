#pragma once
// Check digits of the cheque fields.

#include <QString>

// Remainder of the number by 7 as one digit "0" to "6"; "0" for a text that
// is not a 64-bit integer. Gives the check digit of a model number (its four
// digits) and of a cheque number (four model digits followed by seven digits).
QString digitoControlModulo7(const QString& numero);

// The two control digits of a 20-character Spanish account (entity, office,
// two ignored characters, account number): weights 4 8 5 10 9 7 3 6 over
// characters 1-8 and 1 2 4 8 5 10 9 7 3 6 over 11-20, modulo 11, where 11 - r
// of 10 gives "1" and r of 0 gives "0". "??" when one of those 18 characters
// is missing or not a digit.
QString calculaDigitosControlCCC(const QString& cuenta);
