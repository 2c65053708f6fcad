// What the Seac Banche adapter makes of the library's texts and codes.
#include "ErroresLectorSB.h"
#include "TAdaptadorSB.h"

#include <QTest>

class TstTextosLectorSB : public QObject {
    Q_OBJECT
private slots:
    void codeline_data();
    void codeline();
    void codelineNula();
    void errores_data();
    void errores();
    void ultimaSecuencia_data();
    void ultimaSecuencia();
};

void TstTextosLectorSB::codeline_data() {
    QTest::addColumn<QByteArray>("texto");
    QTest::addColumn<QString>("linea");
    const QByteArray buena = "+1234567 1234 5678 0123456789 4212 00000012345";
    QTest::newRow("whole codeline unchanged") << buena << QString::fromLatin1(buena);
    QTest::newRow("unreadable kept") << QByteArray("+12?4567 1234") << "+12?4567 1234";
    QTest::newRow("line end trimmed") << QByteArray("+1234 \r\n") << "+1234";
    QTest::newRow("control character unreadable") << QByteArray("+12\x01"
                                                                "4")
                                                  << "+12?4";
    // "¬" would end the codeline early for the storing step.
    QTest::newRow("not-sign in UTF-8") << QByteArray("+12\xC2\xAC"
                                                     "3")
                                       << "+12??3";
    QTest::newRow("not-sign in Windows-1252") << QByteArray("+12\xAC"
                                                            "3")
                                              << "+12?3";
    QTest::newRow("path characters kept as text") << QByteArray("+../..\\x") << "+../..\\x";
    QTest::newRow("10 KB cut and marked")
        << QByteArray(10240, '7') << QString(199, QChar(u'7')) + QChar(u'?');
    QTest::newRow("200 characters unchanged") << QByteArray(200, '7') << QString(200, QChar(u'7'));
}

void TstTextosLectorSB::codeline() {
    QFETCH(QByteArray, texto);
    QFETCH(QString, linea);
    QCOMPARE(codelineDeBiblioteca(texto.constData()), linea);
}

void TstTextosLectorSB::codelineNula() {
    QCOMPARE(codelineDeBiblioteca(nullptr), "?");
}

void TstTextosLectorSB::errores_data() {
    QTest::addColumn<int>("codigo");
    QTest::addColumn<QString>("texto");
    QTest::newRow("jam") << 1024 << "Atasco en zona transmisión";
    QTest::newRow("double feed") << 4096 << "Documento doble";
    QTest::newRow("feeder") << 2 << "Bloqueo en alimentador Automatico.";
    QTest::newRow("16384: the later text stands") << 16384 << " Error ...";
    QTest::newRow("two bits") << (1024 | 4096) << "Atasco en zona transmisión\nDocumento doble";
    QTest::newRow("unknown") << 1 << "Error del lector (código 1)";
}

void TstTextosLectorSB::errores() {
    QFETCH(int, codigo);
    QFETCH(QString, texto);
    QCOMPARE(textoErrorLectorSB(codigo), texto);
}

void TstTextosLectorSB::ultimaSecuencia_data() {
    QTest::addColumn<QStringList>("lineas");
    QTest::addColumn<int>("ultima");
    const QString no = QString(QChar(0x00AC));
    QTest::newRow("empty list") << QStringList() << 0;
    QTest::newRow("numbered in order") << QStringList{"+1" + no + "1", "+2" + no + "2"} << 2;
    QTest::newRow("a line removed mid-run") << QStringList{"+5" + no + "5", "+6" + no + "6"} << 6;
    QTest::newRow("lines without number") << QStringList{"+1", "+2", "+3"} << 3;
}

void TstTextosLectorSB::ultimaSecuencia() {
    QFETCH(QStringList, lineas);
    QFETCH(int, ultima);
    QCOMPARE(ultimaSecuenciaDe(lineas), ultima);
}

QTEST_GUILESS_MAIN(TstTextosLectorSB)
#include "tst_textos_lector_sb.moc"
