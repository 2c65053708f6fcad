#include "Importes.h"

#include <QTest>

#include <limits>

class TstImportes : public QObject {
    Q_OBJECT
private slots:
    void centimos_data();
    void centimos();
    void filtraTecla_data();
    void filtraTecla();
    void alinea_data();
    void alinea();
    void completaDecimales_data();
    void completaDecimales();
    void formatea_data();
    void formatea();
    void agrupa_data();
    void agrupa();
    void lecturas_data();
    void lecturas();
    void formas_data();
    void formas();
};

void TstImportes::centimos_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("convertido");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("cents field") << "00000012345" << true << "123,45";
    QTest::newRow("five cents") << "00000000005" << true << "0,05";
    QTest::newRow("zero") << "00000000000" << true << "0,00";
    QTest::newRow("one digit") << "5" << true << "0,05";
    QTest::newRow("two digits") << "50" << true << "0,50";
    QTest::newRow("largest") << "9223372036854775807" << true << "92233720368547758,07";
    QTest::newRow("negative keeps its sign in front") << "-5" << true << "-0,05";
    QTest::newRow("empty") << "" << false << "";
    QTest::newRow("not a number") << "12a45" << false << "12a45";
    QTest::newRow("blank inside") << "12 45" << false << "12 45";
    QTest::newRow("too big") << "99999999999999999999" << false << "99999999999999999999";
}

void TstImportes::centimos() {
    QFETCH(QString, texto);
    QTEST(centimosAImporte(texto), "convertido");
    QTEST(texto, "esperado");
}

void TstImportes::filtraTecla_data() {
    QTest::addColumn<QChar>("tecla");
    QTest::addColumn<bool>("aceptada");
    QTest::addColumn<QChar>("queda");
    QTest::newRow("digit") << QChar(u'7') << true << QChar(u'7');
    QTest::newRow("comma") << QChar(u',') << true << QChar(u',');
    QTest::newRow("backspace") << QChar(8) << true << QChar(8);
    QTest::newRow("copy") << QChar(3) << true << QChar(3);
    QTest::newRow("paste") << QChar(22) << true << QChar(22);
    QTest::newRow("cut") << QChar(24) << true << QChar(24);
    QTest::newRow("point becomes comma") << QChar(u'.') << false << QChar(u',');
    QTest::newRow("letter swallowed") << QChar(u'a') << false << QChar(0);
    QTest::newRow("minus swallowed") << QChar(u'-') << false << QChar(0);
    QTest::newRow("blank swallowed") << QChar(u' ') << false << QChar(0);
}

void TstImportes::filtraTecla() {
    QFETCH(QChar, tecla);
    QTEST(filtraTeclaImporte(tecla), "aceptada");
    QTEST(tecla, "queda");
}

void TstImportes::alinea_data() {
    QTest::addColumn<QString>("entero");
    QTest::addColumn<int>("ancho");
    QTest::addColumn<QString>("esperado"); // "-" when it fails
    QTest::newRow("leading zeros vanish") << "000123" << 6 << "   123";
    QTest::newRow("wider is whole") << "123456" << 3 << "123456";
    QTest::newRow("negative") << "-5" << 4 << "  -5";
    QTest::newRow("not an integer") << "12,5" << 5 << "-";
    QTest::newRow("empty") << "" << 5 << "-";
}

void TstImportes::alinea() {
    QFETCH(QString, entero);
    QFETCH(int, ancho);
    QTEST(alineaEnteroDerecha(entero, ancho).value_or(QStringLiteral("-")), "esperado");
}

void TstImportes::completaDecimales_data() {
    QTest::addColumn<QString>("importe");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("one decimal") << "12,5"
                                 << "12,50";
    QTest::newRow("no decimals after comma") << "12,"
                                             << "12,00";
    QTest::newRow("three decimals kept") << "1,891"
                                         << "1,891";
    QTest::newRow("whole euros") << "123"
                                 << "123,00";
    QTest::newRow("nine characters") << "123456789"
                                     << "123456789,00";
    QTest::newRow("cents field of 11") << "00000012345"
                                       << "000000123,45";
    QTest::newRow("10 characters padded right") << "0000001234"
                                                << "000000123,40";
    QTest::newRow("cents field of 17") << "00000000000012345"
                                       << "000000000000123,45";
    QTest::newRow("16 characters padded right") << "0000000000001234"
                                                << "000000000000123,40";
    QTest::newRow("12 characters left alone") << "123456789012"
                                              << "123456789012";
    QTest::newRow("18 characters left alone") << "123456789012345678"
                                              << "123456789012345678";
}

void TstImportes::completaDecimales() {
    QFETCH(QString, importe);
    QTEST(::completaDecimales(importe), "esperado");
}

void TstImportes::formatea_data() {
    QTest::addColumn<QString>("importe");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("one decimal") << "1234,5"
                                 << "1.234,50";
    QTest::newRow("grouped, extra decimal dropped") << "1.234.567,891"
                                                    << "1.234.567,89";
    QTest::newRow("half") << "0,5"
                          << "0,50";
    QTest::newRow("cents field") << "00000012345"
                                 << "123,45";
    QTest::newRow("cents field of 17") << "00000000000012345"
                                       << "123,45";
    QTest::newRow("point is no decimal") << "12.50"
                                         << "1.250,00";
    QTest::newRow("blanks around") << "  1 234,5 "
                                   << "1.234,50";
    QTest::newRow("no integer part") << ",5"
                                     << "0,00";
    QTest::newRow("12 digits") << "123456789012"
                               << "0,00";
    QTest::newRow("empty") << ""
                           << "0,00";
    QTest::newRow("letters") << "abc"
                             << "0,00";
    QTest::newRow("exponent") << "1e5"
                              << "0,00";
    QTest::newRow("exponent after decimals") << "1,5e3"
                                             << "0,00";
    QTest::newRow("zero") << "0"
                          << "0,00";
    QTest::newRow("negative") << "-5"
                              << "-5,00";
    QTest::newRow("two commas") << "1,2,3"
                                << "0,00";
    QTest::newRow("display form again") << "1.234,50"
                                        << "1.234,50";
    QTest::newRow("integer overflow") << "99999999999999999999,00"
                                      << "0,00";
}

void TstImportes::formatea() {
    QFETCH(QString, importe);
    QTEST(formateaImporte(importe), "esperado");
}

void TstImportes::agrupa_data() {
    QTest::addColumn<QString>("numero");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("millions") << "1234567"
                              << "1.234.567";
    QTest::newRow("hundreds") << "123"
                              << "123";
    QTest::newRow("aligned with blanks") << "       1000"
                                         << "1.000";
    QTest::newRow("zero") << "0"
                          << "0";
    QTest::newRow("negative") << "-1234"
                              << "-1.234";
    QTest::newRow("rounded up") << "1234,5"
                                << "1.235";
    QTest::newRow("rounded down") << "1234,49"
                                  << "1.234";
    QTest::newRow("wider than 64 bits") << "123456789012345678901234,5"
                                        << "123.456.789.012.345.678.901.235";
    QTest::newRow("rounding carries") << "-999,5"
                                      << "-1.000";
    QTest::newRow("not a number") << "12a"
                                  << "0";
    QTest::newRow("empty") << ""
                           << "0";
}

void TstImportes::agrupa() {
    QFETCH(QString, numero);
    QTEST(agrupaMiles(numero), "esperado");
}

// Each form of an amount text and the cents it reads as; -1 for unreadable.
void TstImportes::lecturas_data() {
    QTest::addColumn<QString>("forma");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<qint64>("centimos");
    QTest::newRow("plain") << "plano"
                           << "1234,56" << qint64(123456);
    QTest::newRow("plain, one decimal") << "plano"
                                        << "1234,5" << qint64(123450);
    QTest::newRow("plain, whole euros") << "plano"
                                        << "7" << qint64(700);
    QTest::newRow("plain, manual placeholder") << "plano"
                                               << "0000" << qint64(0);
    QTest::newRow("plain, third decimal rounds up") << "plano"
                                                    << "1,005" << qint64(101);
    QTest::newRow("plain, third decimal rounds down") << "plano"
                                                      << "1,004" << qint64(100);
    QTest::newRow("plain, negative") << "plano"
                                     << "-1234,5" << qint64(-123450);
    QTest::newRow("plain, no integer part") << "plano"
                                            << ",5" << qint64(50);
    QTest::newRow("plain, blanks around") << "plano"
                                          << " 10,00 " << qint64(1000);
    QTest::newRow("plain, thousands point") << "plano"
                                            << "1.234,56" << qint64(-1);
    QTest::newRow("plain, empty") << "plano"
                                  << "" << qint64(-1);
    QTest::newRow("plain, two commas") << "plano"
                                       << "1,2,3" << qint64(-1);
    QTest::newRow("plain, 17 whole digits") << "plano"
                                            << "12345678901234567" << qint64(-1);
    QTest::newRow("text, display form") << "texto"
                                        << "1.234,56" << qint64(123456);
    QTest::newRow("text, blank thousands") << "texto"
                                           << "1 234,56" << qint64(123456);
    QTest::newRow("text, letters") << "texto"
                                   << "12a,00" << qint64(-1);
    QTest::newRow("cents, codeline field") << "centimos"
                                           << "00000012345" << qint64(12345);
    QTest::newRow("cents, comma") << "centimos"
                                  << "123,45" << qint64(-1);
    QTest::newRow("entry, cents field") << "entrada"
                                        << "00000012345" << qint64(12345);
    QTest::newRow("entry, extra decimal dropped") << "entrada"
                                                  << "1,009" << qint64(100);
    QTest::newRow("entry, negative below one") << "entrada"
                                               << "-0,5" << qint64(-50);
    QTest::newRow("entry, 12 digits") << "entrada"
                                      << "123456789012" << qint64(-1);
}

void TstImportes::lecturas() {
    QFETCH(QString, forma);
    QFETCH(QString, texto);
    QFETCH(qint64, centimos);
    const std::optional<tImporte> leido = forma == u"plano"      ? tImporte::leePlano(texto)
                                          : forma == u"texto"    ? tImporte::leeTexto(texto)
                                          : forma == u"centimos" ? tImporte::leeCentimos(texto)
                                                                 : tImporte::leeEntrada(texto);
    QCOMPARE(leido ? leido->centimos() : qint64(-1), centimos);
}

void TstImportes::formas_data() {
    QTest::addColumn<qint64>("centimos");
    QTest::addColumn<QString>("plano");
    QTest::addColumn<QString>("visible");
    QTest::addColumn<QString>("campo");
    QTest::newRow("grouped") << qint64(123456789) << "1234567,89"
                             << "1.234.567,89"
                             << "0000123456789";
    QTest::newRow("five cents") << qint64(5) << "0,05"
                                << "0,05"
                                << "0000000000005";
    QTest::newRow("zero") << qint64(0) << "0,00"
                          << "0,00"
                          << "0000000000000";
    QTest::newRow("negative") << qint64(-5) << "-0,05"
                              << "-0,05"
                              << "-000000000005";
    QTest::newRow("wider than the field") << qint64(12345678901234) << "123456789012,34"
                                          << "123.456.789.012,34"
                                          << "12345678901234";
    QTest::newRow("smallest") << std::numeric_limits<qint64>::min() << "-92233720368547758,08"
                              << "-92.233.720.368.547.758,08"
                              << "-9223372036854775808";
}

void TstImportes::formas() {
    QFETCH(qint64, centimos);
    const tImporte importe = tImporte::deCentimos(centimos);
    QTEST(importe.plano(), "plano");
    QTEST(importe.visible(), "visible");
    QTEST(importe.campoCentimos(13), "campo");
    // What is written reads back as the same value, within the 16 whole
    // digits that the readings take.
    if (centimos != std::numeric_limits<qint64>::min())
        QCOMPARE(tImporte::leeTexto(importe.visible()), std::optional<tImporte>(importe));
}

QTEST_GUILESS_MAIN(TstImportes)
#include "tst_importes.moc"
