#include "Iban.h"

#include <QTest>

// IBAN remainders worked out apart from the code (letters: D 13, E 14, G 16,
// B 11, S 28, T 29, W 32), nine digits at a time:
//   ES91 2100 0418 4502 0005 1332 -> 21000418450200051332142891
//     210004184 -> 57, 575020005 -> 28, 281332142 -> 35, 35891 -> 1
//   DE89 3704 0044 0532 0130 00 -> 370400440532013000131489
//     370400440 -> 23, 235320130 -> 70, 700013148 -> 38, 389 -> 1
//   GB82 WEST 1234 5698 7654 32 -> 3214282912345698765432161182
//     321428291 -> 70, 702345698 -> 29, 297654321 -> 24, 2461182 -> 1
//   ES91 2100 0418 4502 0005 1323 (last two digits swapped)
//     ... 281323142 -> 56, 56891 -> 49
class TstIban : public QObject {
    Q_OBJECT
private slots:
    void iban_data();
    void iban();
    void resto_data();
    void resto();
    void letras();
    void ccc_data();
    void ccc();
};

void TstIban::iban_data() {
    QTest::addColumn<QString>("iban");
    QTest::addColumn<bool>("valido");
    QTest::newRow("Spanish, compact") << "ES9121000418450200051332" << true;
    QTest::newRow("Spanish, with blanks") << "ES91 2100 0418 4502 0005 1332" << true;
    QTest::newRow("leading IBAN") << "IBAN ES91 2100 0418 4502 0005 1332" << true;
    QTest::newRow("small letters") << "es9121000418450200051332" << true;
    QTest::newRow("German") << "DE89370400440532013000" << true;
    QTest::newRow("letters in the account") << "GB82WEST12345698765432" << true;
    QTest::newRow("swapped digits") << "ES9121000418450200051323" << false;
    QTest::newRow("wrong check digits") << "ES9221000418450200051332" << false;
    QTest::newRow("hyphens") << "ES91-2100-0418-4502-0005-1332" << false;
    QTest::newRow("remainder 1 but no IBAN") << "1" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("only IBAN") << "IBAN" << false;
}

void TstIban::iban() {
    QFETCH(QString, iban);
    QTEST(esIbanValido(iban), "valido");
}

void TstIban::resto_data() {
    QTest::addColumn<QString>("iban");
    QTest::addColumn<int>("resto");
    QTest::newRow("valid") << "ES9121000418450200051332" << 1;
    QTest::newRow("swapped digits") << "ES9121000418450200051323" << 49;
    QTest::newRow("IBAN deleted anywhere") << "ES9121000418IBAN450200051332" << 1;
    QTest::newRow("short text") << "1" << 1;
    QTest::newRow("symbol") << "ES91210004184502000513#2" << 0;
    QTest::newRow("sign inside") << "ES91+21000418450200051332" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TstIban::resto() {
    QFETCH(QString, iban);
    QTEST(restoModulo97(iban), "resto");
}

void TstIban::letras() {
    QCOMPARE(letrasANumeros(QStringLiteral("ES91AZ")), QStringLiteral("14289110"
                                                                      "35"));
    QCOMPARE(letrasANumeros(QStringLiteral("a-1")), QStringLiteral("a-1"));
}

void TstIban::ccc_data() {
    QTest::addColumn<QString>("cuenta");
    QTest::addColumn<bool>("valida");
    QTest::newRow("bank example") << "21000418450200051332" << true;
    QTest::newRow("worked example") << "12345678010123456789" << true;
    QTest::newRow("wrong control digits") << "21000418540200051332" << false;
    QTest::newRow("twenty zeros") << QString(20, u'0') << false;
    QTest::newRow("blanks") << QString(20, u' ') << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("unreadable with ??") << "21000418??02000513?2" << false;
    QTest::newRow("short with ?? in place") << "12345678??" << false;
    QTest::newRow("?? in place, letter in account") << "12345678??012345678X" << false;
}

void TstIban::ccc() {
    QFETCH(QString, cuenta);
    QTEST(esCuentaCCCValida(cuenta), "valida");
}

QTEST_GUILESS_MAIN(TstIban)
#include "tst_iban.moc"
