#include "LineaLectura.h"

#include <QTest>

// Decoding of read lines for the three readers' decoders. Expected check
// digits were worked out apart from the code: 4212 mod 7 = 5,
// 42121234567 mod 7 = 6, and the account 1234 5678 __ 0123456789 has the
// weighted sums 231 (r 0, digit 0) and 285 (r 10, digit 1).
class TstLineasLectura : public QObject {
    Q_OBJECT
private slots:
    void decodifica_data();
    void decodifica();
    void duplicadoPrevaleceSobreTodo();
};

Q_DECLARE_METATYPE(VarianteLectura)

void TstLineasLectura::decodifica_data() {
    QTest::addColumn<VarianteLectura>("variante");
    QTest::addColumn<QString>("linea");
    QTest::addColumn<bool>("erronea");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<QString>("cuenta");
    QTest::addColumn<QString>("numeroModelo");
    QTest::addColumn<QString>("modelo");
    QTest::addColumn<QString>("importe");
    QTest::addColumn<QString>("estado");
    QTest::addColumn<QString>("secuencia"); // "-" when the line has no "¬"

    const auto N = VarianteLectura::Normal;
    const auto S = VarianteLectura::SAFE;
    const auto X = VarianteLectura::Excella;
    const QString cuenta = QStringLiteral("12345678010123456789");

    QTest::newRow("worked example") << N << "+1234567 1234 5678 0123456789 4212 00000012345¬3"
                                    << false << "1234567-6" << cuenta << "4212-5"
                                    << "0"
                                    << "123,45"
                                    << "0"
                                    << "3";
    QTest::newRow("over-long line") << N << "+1234567 1234 5678 0123456789 4212 00000012345 777¬3"
                                    << false << "1234567-6" << cuenta << "4212-5"
                                    << "0"
                                    << "123,45"
                                    << "0"
                                    << "3";
    QTest::newRow("no sequence mark") << N << "+1234567 1234 5678 0123456789 4212 00000012345"
                                      << false << "1234567-6" << cuenta << "4212-5"
                                      << "0"
                                      << "123,45"
                                      << "0"
                                      << "-";
    QTest::newRow("promissory note") << N << "+1234567 1234 5678 0123456789 8212 00000012345¬4"
                                     << false << "1234567-1" << cuenta << "8212-1"
                                     << "2"
                                     << "123,45"
                                     << "1"
                                     << "4";
    QTest::newRow("unknown type") << N << "+1234567 1234 5678 0123456789 5512 00000012345¬4"
                                  << false << "1234567-0" << cuenta << "5512-3"
                                  << "5"
                                  << "123,45"
                                  << "1"
                                  << "4";
    QTest::newRow("type 99 read well") << N << "+1234567 1234 5678 0123456789 9912 00000012345¬4"
                                       << false << "1234567-5" << cuenta << "9912-0"
                                       << "6"
                                       << "123,45"
                                       << "1"
                                       << "4";
    QTest::newRow("amount too short") << N << "+1234567 1234 5678 0123456789 4212 0000012345¬3"
                                      << false << "1234567-6" << cuenta << "4212-5"
                                      << "0"
                                      << ""
                                      << "1"
                                      << "3";
    QTest::newRow("amount cut by the end of the line")
        << N << "+1234567 1234 5678 0123456789 4212 0000" << false << "1234567-6" << cuenta
        << "4212-5"
        << "0"
        << ""
        << "1"
        << "-";
    // Without the "+" the amount is taken at the bad-read position 23-33.
    QTest::newRow("bad read, no plus") << N << "1234567 1234 5678 0123456789 4212 00000012345¬5"
                                       << true << "1234567-0" << cuenta << "9999-3"
                                       << "6"
                                       << "789421200,00"
                                       << "1"
                                       << "5";
    QTest::newRow("bad read, question mark")
        << N << "+1234567 1234 5678 0123456789 4212 0000001234?¬6" << true << "1234567-0" << cuenta
        << "9999-3"
        << "6"
        << "789421200,00"
        << "1"
        << "6";
    QTest::newRow("unreadable account digit")
        << N << "+1234567 1234 56.8 0123456789 4212 00000012345¬3" << false << "1234567-6"
        << "123456.8??0123456789"
        << "4212-5"
        << "0"
        << "123,45"
        << "1"
        << "3";
    QTest::newRow("number not digits") << N << "+123.567 1234 5678 0123456789 4212 00000012345¬3"
                                       << false << "123.567-0" << cuenta << "4212-5"
                                       << "0"
                                       << "123,45"
                                       << "1"
                                       << "3";
    QTest::newRow("short line") << N << "+123¬1" << false << "00123¬1-0"
                                << "??"
                                << "-0"
                                << "5"
                                << ""
                                << "1"
                                << "1";
    QTest::newRow("empty line") << N << "" << true << "0000000-2"
                                << "??"
                                << "9999-3"
                                << "6"
                                << ""
                                << "1"
                                << "-";

    // The keyboard reader takes the amount at 27-37 in good and bad reads.
    QTest::newRow("SAFE good read") << S << "+1234567#12345678 0123456789 4200000012345¬1" << false
                                    << "1234567-5" << cuenta << "4200-0"
                                    << "0"
                                    << "200000012,34"
                                    << "0"
                                    << "1";
    QTest::newRow("SAFE bad read") << S << "+1234567#12345678 0123456789 42000000123?5¬2" << true
                                   << "1234567-0" << cuenta << "9999-3"
                                   << "6"
                                   << "200000012,35"
                                   << "1"
                                   << "2";

    // Excella: one more character before the amount (31-41); "?" only spoils
    // a line that does not begin with "+", and then counts as "0".
    QTest::newRow("Excella good read") << X << "+1234567 1234 5678 0123456789 4212 1 00000012345"
                                       << false << "1234567-6" << cuenta << "4212-5"
                                       << "0"
                                       << "123,45"
                                       << "0"
                                       << "-";
    QTest::newRow("Excella bad read")
        << X << "ERROR 12?4567 1234 5678 0123456789 4212 1 00000012345" << true << "1204567-2"
        << cuenta << "9999-3"
        << "6"
        << "123,45"
        << "1"
        << "-";
    QTest::newRow("Excella blank in number")
        << X << "+12\"4567 1234 5678 0123456789 4212 1 00000012345" << false << "1204567-1"
        << cuenta << "4212-5"
        << "0"
        << "123,45"
        << "0"
        << "-";
    QTest::newRow("Excella short line") << X << "+12345" << false << "0012345-3"
                                        << "??"
                                        << "-0"
                                        << "5"
                                        << ""
                                        << "1"
                                        << "-";
}

void TstLineasLectura::decodifica() {
    QFETCH(VarianteLectura, variante);
    QFETCH(QString, linea);

    const tLineaDecodificada d = decodificaLinea(linea, variante);
    const tTalon& t = d.talon;
    QTEST(d.lecturaErronea, "erronea");
    QTEST(t.Numero, "numero");
    QTEST(t.Cuenta, "cuenta");
    QTEST(t.numero_Modelo, "numeroModelo");
    QTEST(t.Modelo_Talon, "modelo");
    QTEST(t.Importe, "importe");
    QTEST(t.Estado, "estado");
    QTEST(d.tieneSecuencia ? d.secuencia : QStringLiteral("-"), "secuencia");
    QVERIFY(t.Nuevo);
    QVERIFY(t.FechaPago.isEmpty());
    QCOMPARE(t.indicador, 0);
    QCOMPARE(d.baseImagen, t.Cuenta + t.numero_Modelo.left(4) + t.Numero.left(7));
}

void TstLineasLectura::duplicadoPrevaleceSobreTodo() {
    for (const QString& linea : {QStringLiteral("+1234567 1234 5678 0123456789 4212 00000012345¬3"),
                                 QStringLiteral("1234567 1234 5678 0123456789 4212 ¬3")}) {
        tLineaDecodificada d = decodificaLinea(linea, VarianteLectura::Normal);
        marcaDuplicado(d);
        QCOMPARE(d.talon.Estado, QStringLiteral("2"));
    }
    const tLineaDecodificada ejemplo =
        decodificaLinea(QStringLiteral("+1234567 1234 5678 0123456789 4212 00000012345¬3"),
                        VarianteLectura::Normal);
    QCOMPARE(ejemplo.baseImagen, QStringLiteral("1234567801012345678942121234567"));
}

QTEST_GUILESS_MAIN(TstLineasLectura)
#include "tst_lineaslectura.moc"
