#include "NifCif.h"

#include <QTest>

// Control characters worked out by hand from the published rules.
//   DNI: 12345678 = 23 * 536768 + 14 -> letter 14 of TRWAGMYFPDXBNJZSQVHLCKE is Z.
//        00000000 -> 0 -> T.
//   NIE: X -> 0: 01234567 = 23 * 53676 + 19 -> L;
//        Y -> 1: 11234567 = 23 * 488459 + 10 -> X;
//        Z -> 2: 21234567 = 23 * 923242 + 1 -> R.
//   K/L/M: 1234567 = 23 * 53676 + 19 -> L.
//   CIF over 1234567: positions 2, 4, 6: 2 + 4 + 6 = 12; positions 1, 3, 5, 7
//        doubled: 2, 6, 10 -> 1, 14 -> 5, total 14; 12 + 14 = 26;
//        (10 - 6) mod 10 = 4: digit 4 or letter D.
//   CIF over 1800000: 2 + 8 = 10 -> (10 - 0) mod 10 = 0: digit 0 or letter J.
class TstNifCif : public QObject {
    Q_OBJECT
private slots:
    void nif_data();
    void nif();
};

void TstNifCif::nif_data() {
    QTest::addColumn<QString>("nif");
    QTest::addColumn<bool>("valido");
    QTest::newRow("DNI") << "12345678Z" << true;
    QTest::newRow("DNI zeros") << "00000000T" << true;
    QTest::newRow("DNI small letter") << "12345678z" << true;
    QTest::newRow("DNI with hyphen") << "2345678-Z" << false;
    // Blanks and hyphens are not part of the identifier: they are dropped first.
    QTest::newRow("DNI with blanks") << " 12345678 Z " << true;
    QTest::newRow("DNI with hyphen before the letter") << "12345678-Z" << true;
    QTest::newRow("CIF written with hyphens") << "B-1234567-4" << true;
    QTest::newRow("DNI wrong letter") << "12345678A" << false;
    QTest::newRow("DNI digit as control") << "123456789" << false;
    QTest::newRow("NIE X") << "X1234567L" << true;
    QTest::newRow("NIE Y") << "Y1234567X" << true;
    QTest::newRow("NIE Z") << "Z1234567R" << true;
    QTest::newRow("NIE wrong letter") << "X1234567R" << false;
    QTest::newRow("NIE read as X") << "Y1234567L" << false;
    QTest::newRow("K form") << "K1234567L" << true;
    QTest::newRow("M form") << "M1234567L" << true;
    QTest::newRow("L form wrong letter") << "L1234567Z" << false;
    QTest::newRow("CIF A digit") << "A12345674" << true;
    QTest::newRow("CIF B digit") << "B12345674" << true;
    QTest::newRow("CIF B wrong digit") << "B12345675" << false;
    QTest::newRow("CIF B letter refused") << "B1234567D" << false;
    QTest::newRow("CIF P letter") << "P1234567D" << true;
    QTest::newRow("CIF Q letter J") << "Q1800000J" << true;
    QTest::newRow("CIF S digit refused") << "S12345674" << false;
    QTest::newRow("CIF G digit") << "G12345674" << true;
    QTest::newRow("CIF G letter") << "G1234567D" << true;
    QTest::newRow("CIF G wrong letter") << "G1234567E" << false;
    QTest::newRow("CIF A zero control") << "A18000000" << true;
    QTest::newRow("unknown organisation letter") << "I12345674" << false;
    QTest::newRow("eight characters") << "1234567Z" << false;
    QTest::newRow("ten characters") << "012345678Z" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("letters in the number") << "1234A678Z" << false;
    QTest::newRow("sign in the number") << "X+234567L" << false;
}

void TstNifCif::nif() {
    QFETCH(QString, nif);
    QTEST(Valida_NIF_CIF(nif), "valido");
}

QTEST_GUILESS_MAIN(TstNifCif)
#include "tst_nifcif.moc"
