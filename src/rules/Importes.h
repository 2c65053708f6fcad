#pragma once
// Amounts as text. Every amount uses "," for decimals and "." for thousands,
// whatever the machine's regional settings:
//   plain form    1234,50   (as stored)
//   display form  1.234,50  (lists, entry fields, reports; zero is "0,00")
//   cents digits  00000012345 = 123,45 (the amount field of a codeline)
// Whatever is computed is computed in 64-bit integers, never floating point.

#include <QChar>
#include <QString>
#include <QtGlobal>

#include <optional>

// An amount of money as a whole number of euro cents: the one type that the
// rules, the emission and the totals compute with. Texts are read and written
// only at the edges, and each form has exactly one reading:
//   leePlano    the plain form of the cheque tables and of the report totals
//               (1234,50; no separators);
//   leeTexto    the plain or display form (thousands points and blanks are
//               ignored), for any amount the program stored or showed itself;
//   leeCentimos the cents digits of a codeline field or a bank record;
//   leeEntrada  whatever an entry field holds, as formateaImporte reads it
//               (cents fields recognised by length, extra decimals dropped).
// In the plain and display forms a text without a comma is whole euros, and
// a third decimal of 5 or more rounds away from zero.
class tImporte {
public:
    constexpr tImporte() = default;
    static constexpr tImporte deCentimos(qint64 centimos) {
        tImporte i;
        i.centimos_ = centimos;
        return i;
    }

    static std::optional<tImporte> leePlano(QStringView texto);
    static std::optional<tImporte> leeTexto(QStringView texto);
    static std::optional<tImporte> leeCentimos(QStringView texto);
    static std::optional<tImporte> leeEntrada(const QString& texto);

    constexpr qint64 centimos() const { return centimos_; }
    // 1234,50, -0,05: at least one digit before the comma, always two after.
    QString plano() const;
    // 1.234,50; zero is "0,00".
    QString visible() const;
    // The cents as digits, padded on the left with "0" to the width (a wider
    // amount is written whole); a minus sign, if any, takes the first place.
    QString campoCentimos(int ancho) const;

    friend constexpr bool operator==(tImporte, tImporte) = default;

private:
    qint64 centimos_ = 0;
};

// The amount of a record as text, at the edges that keep or show the plain
// form (a cheque table's column, the cheque editor's field): the plain form,
// or an empty text for none.
QString textoImporte(const std::optional<tImporte>& importe);
// The other way is tImporte::leeTexto: an empty text, and one that is no
// amount, is none. True for a text that holds something but does not read as
// an amount: a record takes it as none, while the checks must still call it
// wrong rather than missing.
bool esImporteIlegible(QStringView texto);

// Cents digits to the plain form, in place: 00000012345 becomes 123,45 and
// 5 becomes 0,05. Answers false and leaves the text alone when it does not
// read as a 64-bit integer.
bool centimosAImporte(QString& texto);

// Key filter of amount fields. Digits, the comma, backspace and the control
// codes of copy, paste and cut pass (true). A point becomes a comma (false);
// any other key becomes code 0, which the field ignores (false).
bool filtraTeclaImporte(QChar& tecla);

// The integer text right-aligned with blanks to the width (a wider number is
// written whole); nothing when the text is not a 64-bit integer.
std::optional<QString> alineaEnteroDerecha(const QString& entero, int ancho);
QString alineaEnteroDerecha(qint64 valor, int ancho);

// The amount text without its thousands points and blanks.
QString quitaSeparadoresMiles(const QString& importe);

// Gives an amount text a decimal comma and at least two decimals. Texts
// without a comma are read by length: up to 9 characters are whole euros,
// 10 or 11 a cents field of 11, 16 or 17 a cents field of 17; other lengths
// are left without a comma.
QString completaDecimales(const QString& importe);

// Display form of an amount given in any of the forms above; "0,00" for
// anything unreadable. Extra decimals are dropped, not rounded.
QString formateaImporte(const QString& importe);

// Display form of an amount that the program stored or showed itself (plain
// or display form, read by tImporte::leeTexto); "0,00" for anything unreadable.
// Lists show stored amounts through here, so that they show the very value
// that the totals, the bank file and the report take.
QString importeVisible(const QString& almacenado);

// The number grouped by thousands with points, rounded to whole units (half
// away from zero), exact at any width; "0" for zero and for a text that is
// not a number.
QString agrupaMiles(const QString& numero);

// Puts a point between every three digits of a run of decimal digits, from the right.
QString agrupaDigitos(const QString& digitos);
