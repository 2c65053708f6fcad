#pragma once
// Spanish tax identifiers (NIF of a person, NIE of a foreigner, CIF of an
// organisation). All have nine characters once blanks and hyphens are taken
// out; letters are compared in capitals.
//
// NIF  (DNI)  8 digits + control letter.
//      The letter is "TRWAGMYFPDXBNJZSQVHLCKE"[number mod 23].
//      12345678Z: 12345678 = 23 * 536768 + 14, and letter 14 is Z.
// NIF  K, L or M + 7 digits + control letter (people without a DNI: minors,
//      residents abroad, foreigners without a NIE): the letter of the 7 digits
//      read as a number, as above.
// NIE  X, Y or Z + 7 digits + control letter. The first letter stands for the
//      digit 0, 1 or 2 in front of the 7 digits; the letter is that of the
//      resulting 8-digit number.
// CIF  organisation letter + 7 digits + control character. Over the 7 digits:
//      A = sum of the digits in positions 2, 4 and 6; B = sum, over positions
//      1, 3, 5 and 7, of the digits of twice the digit; c = (10 - (A + B) mod
//      10) mod 10. The control is the digit c or the letter "JABCDEFGHI"[c]:
//        A B E H               digit
//        N P Q R S W           letter
//        C D F G J U V         either

#include <QString>

// True exactly for a valid NIF, NIE or CIF.
bool Valida_NIF_CIF(const QString& nif);
