#include "DigitosControl.h"

#include <QTest>

class TstDigitosControl : public QObject {
    Q_OBJECT
private slots:
    void modulo7_data();
    void modulo7();
    void ccc_data();
    void ccc();
};

void TstDigitosControl::modulo7_data() {
    QTest::addColumn<QString>("numero");
    QTest::addColumn<QString>("digito");
    QTest::newRow("model 4212") << "4212"
                                << "5"; // 7 * 601 = 4207
    QTest::newRow("bad-read model") << "9999"
                                    << "3"; // 7 * 1428 = 9996
    QTest::newRow("model and number") << "42121234567"
                                      << "6";
    QTest::newRow("multiple of 7") << "0000007"
                                   << "0";
    QTest::newRow("empty") << ""
                           << "0";
    QTest::newRow("blanks") << "   "
                            << "0";
    QTest::newRow("unreadable digit") << "42?2"
                                      << "0";
    QTest::newRow("letters") << "ABCD"
                             << "0";
    QTest::newRow("past 64 bits") << "99999999999999999999"
                                  << "0";
    QTest::newRow("negative stays one digit") << "-1"
                                              << "6";
}

void TstDigitosControl::modulo7() {
    QFETCH(QString, numero);
    QTEST(digitoControlModulo7(numero), "digito");
}

void TstDigitosControl::ccc_data() {
    // Worked by hand. 2100 0418 __ 0200051332:
    //   2*4 + 1*8 + 0*5 + 0*10 + 0*9 + 4*7 + 1*3 + 8*6 = 95, 95 mod 11 = 7, 11 - 7 = 4;
    //   0*1 + 2*2 + 0*4 + 0*8 + 0*5 + 5*10 + 1*9 + 3*7 + 3*3 + 2*6 = 105, r 6, 11 - 6 = 5.
    // 1234 5678 __ 0123456789: sums 231 (r 0: "0") and 285 (r 10: 11 - 10 = 10 gives "1").
    // 1234 5680 __ 1234567894: 4+16+15+40+45+42+24+0 = 186, r 10, "1";
    //   1+4+12+32+25+60+63+56+27+24 = 304, r 7, 11 - 7 = 4.
    QTest::addColumn<QString>("cuenta");
    QTest::addColumn<QString>("digitos");
    QTest::newRow("bank example") << "21000418450200051332"
                                  << "45";
    QTest::newRow("positions 9-10 ignored") << "21000418??0200051332"
                                            << "45";
    QTest::newRow("remainders 0 and 10") << "12345678000123456789"
                                         << "01";
    QTest::newRow("10 gives 1, then 4") << "12345680001234567894"
                                        << "14";
    QTest::newRow("all zeros") << "00000000000000000000"
                               << "00";
    QTest::newRow("19 characters") << "2100041845020005133"
                                   << "??";
    QTest::newRow("letter in office") << "2100041A450200051332"
                                      << "??";
    QTest::newRow("blank in account") << "21000418450200 51332"
                                      << "??";
    QTest::newRow("longer text, first 20 count") << "21000418450200051332XYZ"
                                                 << "45";
    QTest::newRow("empty") << ""
                           << "??";
}

void TstDigitosControl::ccc() {
    QFETCH(QString, cuenta);
    QTEST(calculaDigitosControlCCC(cuenta), "digitos");
}

QTEST_GUILESS_MAIN(TstDigitosControl)
#include "tst_digitoscontrol.moc"
