// The judgement of a document image from its size and grey levels, on
// pictures drawn here to sit on either side of each limit; and the
// comparison of declared control totals.
#include "CalidadImagen.h"
#include "ComparacionCuadre.h"

#include <QtTest>

#include <vector>

namespace {

// A grey picture of 170 × 80 (a quarter of a cheque at 100 dots per inch):
// paper of grey `papel`, `trazos` dark strokes of grey `tinta` spread over
// the upper part, and the codeline print in the bottom strip when `banda`.
struct tDibujo {
    int papel = 235;
    int tinta = 30;
    int trazos = 12;
    bool banda = true;
};

tMedidasGris mide(const tDibujo& d) {
    constexpr int ancho = 170, alto = 80;
    std::vector<uchar> p(ancho * alto, static_cast<uchar>(d.papel));
    for (int t = 0; t < d.trazos; ++t)
        for (int x = 10; x < 160; ++x)
            p[(5 + t * 4) * ancho + x] = static_cast<uchar>(d.tinta);
    if (d.banda)
        for (int x = 20; x < 150; x += 3)
            for (int y = 70; y < 76; ++y)
                p[y * ancho + x] = static_cast<uchar>(d.tinta);
    return mideGris(p.data(), ancho, alto, ancho);
}

} // namespace

class TstCalidadImagen : public QObject {
    Q_OBJECT
private slots:
    void frontal_data() {
        QTest::addColumn<int>("papel");
        QTest::addColumn<int>("tinta");
        QTest::addColumn<int>("trazos");
        QTest::addColumn<bool>("banda");
        QTest::addColumn<QString>("aviso");
        QTest::newRow("cheque") << 235 << 30 << 12 << true << QString();
        QTest::newRow("poca tinta") << 235 << 30 << 1 << true << QString();
        QTest::newRow("hoja en blanco") << 255 << 255 << 0 << false << AvisoImagen::EnBlanco;
        QTest::newRow("un trazo sin banda") << 255 << 0 << 1 << false << AvisoImagen::EnBlanco;
        QTest::newRow("todo negro") << 10 << 10 << 0 << false << AvisoImagen::Oscura;
        QTest::newRow("oscuro con trazos") << 40 << 0 << 12 << true << AvisoImagen::Oscura;
        QTest::newRow("lavado") << 254 << 200 << 3 << true << AvisoImagen::EnBlanco;
        QTest::newRow("sin banda") << 235 << 30 << 12 << false << AvisoImagen::SinBanda;
    }
    void frontal() {
        QFETCH(int, papel);
        QFETCH(int, tinta);
        QFETCH(int, trazos);
        QFETCH(bool, banda);
        QFETCH(QString, aviso);
        const tAvisoImagen a = juzgaFrontal(mide({papel, tinta, trazos, banda}), {});
        QCOMPARE(a.aviso, aviso);
        QCOMPARE(a.motivo.isEmpty(), aviso.isEmpty());
    }

    // At the defaults: 120 mm at 100 dots is 472 points, 250 mm at 300 is
    // 2953; 55 mm at 100 is 217, 125 mm at 300 is 1476.
    void tamano_data() {
        QTest::addColumn<int>("ancho");
        QTest::addColumn<int>("alto");
        QTest::addColumn<bool>("correcto");
        QTest::newRow("muestra") << 688 << 314 << true;
        QTest::newRow("mínimos") << 472 << 217 << true;
        QTest::newRow("máximos") << 2953 << 1476 << true;
        QTest::newRow("estrecha") << 471 << 314 << false;
        QTest::newRow("cortada") << 688 << 216 << false;
        QTest::newRow("dos documentos") << 2954 << 900 << false;
        QTest::newRow("vacía") << 0 << 0 << false;
    }
    void tamano() {
        QFETCH(int, ancho);
        QFETCH(int, alto);
        QFETCH(bool, correcto);
        const tAvisoImagen a = juzgaTamano(ancho, alto, {});
        QCOMPARE(a.hay(), !correcto);
        if (!correcto)
            QCOMPARE(a.aviso, AvisoImagen::Tamano);
    }

    void cuadre() {
        bool valido = false;
        QCOMPARE(leeDocumentosDeclarados(" 1.200 ", valido), std::optional<qint64>(1200));
        QVERIFY(valido);
        QCOMPARE(leeDocumentosDeclarados("", valido), std::nullopt);
        QVERIFY(valido);
        QCOMPARE(leeDocumentosDeclarados("-3", valido), std::nullopt);
        QVERIFY(!valido);
        QCOMPARE(leeImporteDeclarado("1.234,5", valido), tImporte::deCentimos(123450));
        QCOMPARE(leeImporteDeclarado("doce", valido), std::nullopt);
        QVERIFY(!valido);

        const tTotalesCuadre leidos{3, tImporte::deCentimos(30000)};
        // Nothing declared: neither squared nor not.
        QVERIFY(!comparaCuadre({}, leidos).cuadrado());
        QVERIFY(!comparaCuadre({}, leidos).descuadrado());
        // Only the count declared: the amount is not compared.
        QVERIFY(comparaCuadre({3, std::nullopt}, leidos).cuadrado());
        const tDiferenciaCuadre d = comparaCuadre({4, tImporte::deCentimos(30001)}, leidos);
        QVERIFY(d.descuadrado());
        QCOMPARE(*d.documentos, -1);
        QCOMPARE(d.importe->centimos(), -1);
    }
};

QTEST_GUILESS_MAIN(TstCalidadImagen)
#include "tst_calidadimagen.moc"
