#include "Textos.h"

#include <QTest>

class TstTextos : public QObject {
    Q_OBJECT
private slots:
    void rellena_data();
    void rellena();
    void numerico_data();
    void numerico();
    void normaliza_data();
    void normaliza();
    void limpiaLinea_data();
    void limpiaLinea();
    void limpiaRegistros();
};

void TstTextos::rellena_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("relleno");
    QTest::addColumn<int>("longitud");
    QTest::addColumn<bool>("derecha");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("zeros on the left") << "123"
                                       << "0" << 7 << false << "0000123";
    QTest::newRow("blanks on the right") << "AB"
                                         << " " << 5 << true << "AB   ";
    QTest::newRow("longer is never cut") << "12345678"
                                         << "0" << 7 << false << "12345678";
    QTest::newRow("exact length") << "1234567"
                                  << "?" << 7 << true << "1234567";
    QTest::newRow("empty text") << ""
                                << "?" << 3 << true << "???";
    QTest::newRow("wide pad may overshoot") << "1"
                                            << "ab" << 4 << true << "1abab";
    QTest::newRow("empty pad leaves the text") << "12"
                                               << "" << 9 << false << "12";
}

void TstTextos::rellena() {
    QFETCH(QString, texto);
    QFETCH(QString, relleno);
    QFETCH(int, longitud);
    QFETCH(bool, derecha);
    QTEST(rellenaCadena(texto, relleno, longitud, derecha), "esperado");
}

void TstTextos::numerico_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("esperado");
    QTest::newRow("digits") << "0123456789" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("sign") << "-12" << false;
    QTest::newRow("blank") << "12 3" << false;
    QTest::newRow("comma") << "1,5" << false;
    QTest::newRow("arabic-indic digit") << QString::fromUtf16(u"12\u0663") << false;
}

void TstTextos::numerico() {
    QFETCH(QString, texto);
    QTEST(esNumerico(texto), "esperado");
}

void TstTextos::normaliza_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("name with symbols") << "Peña Muñoz & Cía."
                                       << "PeNa MuNoz ? CIa.";
    QTest::newRow("plain letters keep their case") << "José"
                                                   << "JosE";
    QTest::newRow("every vowel group") << "áàäãå ÉÈËÊ íïìî ÓÒÖÔÕ úùüû"
                                       << "AAAAA EEEE IIII OOOOO UUUU";
    QTest::newRow("cedilla both cases") << "Çç"
                                        << "CC";
    QTest::newRow("quotes") << "O'Brien \"SA\""
                            << "O Brien ? SA? ";
    QTest::newRow("symbols") << "a;b!#*=<>@[\\]^_`|{}~$%€"
                             << "a?b" + QString(20, u'?');
    QTest::newRow("code page symbols")
        << "·•ƒ„…†‡‰‹›‘’“˜™¡¢£¤¥¦§¨©ª«¬¯°±²³´µ¶¸¹º»¼½¾¿×÷" << QString(45, u'?');
    QTest::newRow("letters that become ?") << "ŠšŒœŽžŸÿÆæÐðØøÝýÞþß" << QString(19, u'?');
    QTest::newRow("kept as they are") << "Â 0-9 ./,():+?"
                                      << "Â 0-9 ./,():+?";
    QTest::newRow("empty") << ""
                           << "";
}

void TstTextos::normaliza() {
    QFETCH(QString, texto);
    QTEST(normalizaTexto(texto), "esperado");
}

void TstTextos::limpiaLinea_data() {
    QTest::addColumn<QString>("linea");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("quote leaves a blank") << "+1234567 \"12?"
                                          << "1234567 12";
    QTest::newRow("sequence mark survives") << "+1234567 42-12¬3"
                                            << "12345674212¬3";
    QTest::newRow("letters of both cases") << "ERROR abc 12"
                                           << "12";
    QTest::newRow("punctuation survives") << "1.2,3/4:5(6)"
                                          << "1.2,3/4:5(6)";
    QTest::newRow("accented letters survive") << "ÉéÂ1"
                                              << "ÉéÂ1";
    QTest::newRow("symbols removed") << "1#2&3*4=5@6[7]8^9_0|~$%;'!<>{}`\\"
                                     << "1234567890";
    QTest::newRow("code page symbols removed") << "Çç€Š¿ÆæÐð×÷ßµ9"
                                               << "9";
    QTest::newRow("empty") << ""
                           << "";
}

void TstTextos::limpiaLinea() {
    QFETCH(QString, linea);
    QTEST(limpiaLineaLectura(linea), "esperado");
}

void TstTextos::limpiaRegistros() {
    tOrdenantes o{7, QStringLiteral("B12345674"), QStringLiteral("ACME"), QStringLiteral("ES91"),
                  true};
    limpiaRegistroOrdenante(o);
    QVERIFY(o.Nif_Sufijo.isEmpty() && o.Nombre_ordenante.isEmpty() && o.Cuenta.isEmpty());
    QCOMPARE(o.Pk_Ordenante, 7);
    QVERIFY(o.EsNuevo);

    tRemesas r;
    r.Pk_Remesa = 3;
    r.Nombre_Remesa = QStringLiteral("ESTANDAR");
    r.Importe = QStringLiteral("10,00");
    limpiaNombreRemesa(r);
    QVERIFY(r.Nombre_Remesa.isEmpty());
    QCOMPARE(r.Pk_Remesa, 3);
    QCOMPARE(r.Importe, QStringLiteral("10,00"));
}

QTEST_GUILESS_MAIN(TstTextos)
#include "tst_textos.moc"
