#include "LineaLectura.h"
#include "ValidacionTalon.h"

#include <QRandomGenerator>
#include <QRegularExpression>
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
    void incompletoSiNoPasaLasReglas_data();
    void incompletoSiNoPasaLasReglas();
    void ningunCorrectoFallaLasReglas();
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
    QTEST(textoImporte(t.Importe), "importe");
    QTEST(codigoEstado(t.Estado), "estado");
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
        QCOMPARE(codigoEstado(d.talon.Estado), QStringLiteral("2"));
    }
    const tLineaDecodificada ejemplo =
        decodificaLinea(QStringLiteral("+1234567 1234 5678 0123456789 4212 00000012345¬3"),
                        VarianteLectura::Normal);
    QCOMPARE(ejemplo.baseImagen, QStringLiteral("1234567801012345678942121234567"));
}

// Lines whose fields come out whole but that the cheque rules refuse: each is
// stored incomplete, for the operator to complete.
void TstLineasLectura::incompletoSiNoPasaLasReglas_data() {
    QTest::addColumn<VarianteLectura>("variante");
    QTest::addColumn<QString>("linea");
    QTest::addColumn<bool>("conImagen");
    const auto N = VarianteLectura::Normal;
    const auto S = VarianteLectura::SAFE;
    const auto X = VarianteLectura::Excella;
    QTest::newRow("model with a point")
        << N << "+1234567 1234 5678 0123456789 42.2 00000012345¬3" << true;
    QTest::newRow("model with a colon")
        << N << "+1234567 1234 5678 0123456789 42:2 00000012345¬3" << true;
    QTest::newRow("model with U+FFFD")
        << N << QString("+1234567 1234 5678 0123456789 42\uFFFD2 00000012345¬3") << true;
    QTest::newRow("Excella model with a point")
        << X << "+1234567 1234 5678 0123456789 42.2 1 00000012345" << true;
    QTest::newRow("amount 0,00") << N << "+1234567 1234 5678 0123456789 4212 00000000000¬3" << true;
    QTest::newRow("Excella amount 0,00")
        << X << "+1234567 1234 5678 0123456789 4212 1 00000000000" << true;
    QTest::newRow("account of zeros")
        << N << "+1234567 0000 0000 0000000000 4212 00000012345¬3" << true;
    QTest::newRow("over 50.000,00 without image")
        << S << "+1234567#12345678 0123456789 4200005000001¬1" << false;
    QTest::newRow("model check digit of a symbol in the number")
        << N << "+12345/7 1234 5678 0123456789 4212 00000012345¬3" << true;
}

void TstLineasLectura::incompletoSiNoPasaLasReglas() {
    QFETCH(VarianteLectura, variante);
    QFETCH(QString, linea);
    QFETCH(bool, conImagen);
    const tLineaDecodificada d = decodificaLinea(linea, variante, conImagen);
    QCOMPARE(codigoEstado(d.talon.Estado), QStringLiteral("1"));
}

// Lines made from good codelines with random damage (characters replaced,
// inserted or dropped from an alphabet of what readers and 8-bit texts give):
// no cheque decoded as correct may fail the cheque rules, and its fields have
// the forms the bank file needs.
void TstLineasLectura::ningunCorrectoFallaLasReglas() {
    QRandomGenerator azar(20261210); // fixed seed: a failure can be replayed
    const QString alfabeto = QStringLiteral("0123456789012345678901234567890123456789"
                                            " +-#?.:,/¬AZaz\u00F1\uFFFD\u00A0\t");
    const QStringList tipos{"42", "43", "75", "77", "82", "90", "99", "00"};
    const QRegularExpression numero(QStringLiteral("^[0-9]{7}-[0-6]$"));
    const QRegularExpression modelo(QStringLiteral("^[0-9]{4}-[0-6]$"));
    const QRegularExpression cuenta(QStringLiteral("^[0-9]{20}$"));
    const QRegularExpression importe(QStringLiteral("^[0-9]+,[0-9]{2}$"));
    const auto digitos = [&](int n) {
        QString t;
        for (int i = 0; i < n; ++i)
            t += QChar(u'0' + azar.bounded(10));
        return t;
    };
    int correctos = 0;
    for (int i = 0; i < 20000; ++i) {
        const auto variante = VarianteLectura(azar.bounded(3));
        const bool conImagen = azar.bounded(2) == 0;
        QString linea = "+" + digitos(7) + " " + digitos(4) + " " + digitos(4) + " " + digitos(10) +
                        " " + tipos[azar.bounded(tipos.size())] + digitos(2) +
                        (variante == VarianteLectura::Excella ? " 1 " : " ") +
                        digitos(azar.bounded(3) == 0 ? 11 : 5).rightJustified(11, u'0') + "¬" +
                        QString::number(i);
        for (int danos = azar.bounded(4); danos > 0; --danos) {
            const int pos = azar.bounded(linea.size() + 1);
            const QChar c = alfabeto[azar.bounded(alfabeto.size())];
            switch (azar.bounded(3)) {
            case 0:
                if (pos < linea.size())
                    linea[pos] = c;
                break;
            case 1:
                linea.insert(pos, c);
                break;
            default:
                linea.remove(pos, 1);
            }
        }
        const tTalon t = decodificaLinea(linea, variante, conImagen).talon;
        if (t.Estado != Estado::Correcto)
            continue;
        ++correctos;
        tContextoValidacion contexto;
        contexto.existeImagenFrontal = conImagen;
        QString mensaje;
        QVERIFY2(validaTalon(t, mensaje, contexto), qPrintable(linea + " -> " + mensaje));
        QVERIFY2(numero.match(t.Numero).hasMatch(), qPrintable(linea));
        QVERIFY2(modelo.match(t.numero_Modelo).hasMatch(), qPrintable(linea));
        QVERIFY2(cuenta.match(t.Cuenta).hasMatch(), qPrintable(linea));
        QVERIFY2(importe.match(textoImporte(t.Importe)).hasMatch() && t.Importe->centimos() != 0,
                 qPrintable(linea));
    }
    // Enough lines came out correct for the check to mean something.
    QVERIFY2(correctos > 2000, qPrintable(QString::number(correctos)));
}

QTEST_GUILESS_MAIN(TstLineasLectura)
#include "tst_lineaslectura.moc"
