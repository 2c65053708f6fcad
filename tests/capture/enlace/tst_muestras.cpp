// The shipped sample documents read as each reader family delivers them:
// the three codelines of a document decode to the same cheque, whole
// documents are good reads and the chosen faults show as such.
#include "ControlSimulador.h"
#include "LineaLectura.h"
#include "TAdaptadorVisionX.h"

#include <QImage>
#include <QTest>

class TstMuestras : public QObject {
    Q_OBJECT
private slots:
    void tresLectoresUnTalon_data();
    void tresLectoresUnTalon();
    void imagenesLegibles();
};

void TstMuestras::tresLectoresUnTalon_data() {
    QTest::addColumn<int>("documento");
    QTest::addColumn<bool>("erronea");
    QTest::addColumn<QString>("estado"); // of the Seac Banche line
    const char* const estados[] = {"0", "0", "0", "1", "1", "0", "0", "0", "0"};
    for (int i = 1; i <= 9; ++i) // types 43, 77, 75, 82, 90, 42 ...
        QTest::addRow("%d", i) << i << false << QString::fromLatin1(estados[i - 1]);
    QTest::newRow("10 amount cut short") << 10 << false << "1";
    QTest::newRow("11 unreadable") << 11 << true << "1";
    QTest::newRow("12 duplicate of 1") << 12 << false << "0";
}

void TstMuestras::tresLectoresUnTalon() {
    QFETCH(int, documento);
    QFETCH(bool, erronea);
    QFETCH(QString, estado);
    const QString carpeta = QStringLiteral(MUESTRAS);
    const QString no = QString(QChar(0x00AC)) + "1";
    const tLineaDecodificada seac =
        decodificaLinea(QString::fromLatin1(codelineMuestra(carpeta, documento, "seac")) + no,
                        VarianteLectura::Normal);
    const QByteArray excellaRaw = codelineMuestra(carpeta, documento, "excella");
    const tLineaDecodificada excella = decodificaLinea((excellaRaw.contains('?') ? "ERROR " : "+") +
                                                           QString::fromLatin1(excellaRaw),
                                                       VarianteLectura::Excella);
    const QByteArray visionRaw = codelineMuestra(carpeta, documento, "visionx");
    QVERIFY(visionRaw.size() <= 45);
    const tLineaDecodificada vision = decodificaLinea(
        QString::fromLatin1(TAdaptadorVisionX::sustituyeCaracteresMICR(visionRaw)) + no,
        VarianteLectura::Normal);
    QCOMPARE(seac.lecturaErronea, erronea);
    QCOMPARE(excella.lecturaErronea, erronea);
    QCOMPARE(vision.lecturaErronea, erronea);
    QCOMPARE(codigoEstado(seac.talon.Estado), estado);
    QCOMPARE(seac.secuencia, "1");
    for (const tLineaDecodificada* otra : {&excella, &vision}) {
        QCOMPARE(otra->talon.Numero, seac.talon.Numero);
        QCOMPARE(otra->talon.numero_Modelo, seac.talon.numero_Modelo);
        if (!erronea)
            QCOMPARE(otra->talon.Cuenta, seac.talon.Cuenta);
    }
    if (!erronea && documento != 10) {
        QVERIFY(seac.talon.Importe.has_value());
        QCOMPARE(excella.talon.Importe, seac.talon.Importe);
    }
    QVERIFY(!vision.talon.Importe.has_value()); // no amount in that reader's codeline
    if (documento == 12) {
        const tLineaDecodificada primero = decodificaLinea(
            QString::fromLatin1(codelineMuestra(carpeta, 1, "seac")) + no, VarianteLectura::Normal);
        QCOMPARE(seac.baseImagen, primero.baseImagen);
    }
}

void TstMuestras::imagenesLegibles() {
    for (int i = 1; i <= 12; ++i)
        for (const char* sufijo : {"_F.jpg", "_F.tif", "_T.tif"}) {
            const QString ruta = QDir(QStringLiteral(MUESTRAS)).filePath(nombreMuestra(i) + sufijo);
            const QImage imagen(ruta);
            QVERIFY2(!imagen.isNull() && imagen.width() > 600, qPrintable(ruta));
        }
}

QTEST_MAIN(TstMuestras)
#include "tst_muestras.moc"
