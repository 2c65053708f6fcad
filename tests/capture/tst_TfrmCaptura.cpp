// What every capture window shares, checked on each of them: the help text
// shows each of its quoted lines as one line at the window's size, and wraps
// only what does not fit in a narrower window.
#include "AyudaEnPantalla.h"
#include "EnlaceMtxmlmcr.h"
#include "EnlaceRd3lib.h"
#include "EnlaceVisionAPI.h"
#include "PruebaVentanas.h"
#include "TAdaptadorSB.h"
#include "TfrmScanerMTS.h"
#include "TfrmScanerSB.h"
#include "TfrmScanerVisionX.h"
#include "TfrmScanerX.h"

#include <functional>

using CreaVentana = std::function<std::unique_ptr<TfrmCaptura>(InstalacionPrueba&)>;
Q_DECLARE_METATYPE(CreaVentana)

class TstTfrmCaptura : public QObject {
    Q_OBJECT
    PruebaVentanas p;
    // No reader library: the windows are built as on a computer without one.
    TEnlaceMtxmlmcr enlaceExcella{QString(), QString()};
    TEnlaceVisionAPI enlaceVisionX{QString(), QString()};
    TEnlaceRd3lib enlaceSB{QStringLiteral("no_existe/librd3lib.so"), QDir::tempPath()};
    TAdaptadorSB adaptadorSB{enlaceSB};

private slots:
    void init() { p.prepara(); }
    void cleanup() { p.restablece(); }

    void ayudaLineaALinea_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<CreaVentana>("crea");
        QTest::newRow("Seac Banche") << 1 << CreaVentana([this](InstalacionPrueba& i) {
            return std::make_unique<TfrmScanerSB>(*i.dm, adaptadorSB);
        });
        for (int tipo : {2, 3})
            QTest::addRow("Excella, tipo %d", tipo)
                << tipo << CreaVentana([this](InstalacionPrueba& i) {
                       return std::make_unique<TfrmScanerX>(*i.dm, enlaceExcella);
                   });
        QTest::newRow("teclado") << 4 << CreaVentana([](InstalacionPrueba& i) {
            return std::make_unique<TfrmScanerMTS>(*i.dm);
        });
        QTest::newRow("Vision X") << 5 << CreaVentana([this](InstalacionPrueba& i) {
            return std::make_unique<TfrmScanerVisionX>(*i.dm, enlaceVisionX);
        });
    }
    void ayudaLineaALinea() {
        QFETCH(int, tipo);
        QFETCH(CreaVentana, crea);
        p->estado.Escaner.tipo = tipo;
        const std::unique_ptr<TfrmCaptura> frm = crea(*p);
        frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm.get()));
        const QPlainTextEdit& ayuda = *hijo<QPlainTextEdit>(*frm, "mmoAyuda");
        const qsizetype quoted = ayuda.toPlainText().split('\n').size();
        QVERIFY(quoted > 10);
        QCOMPARE(lineasEnPantalla(ayuda), QList<int>(quoted, 1));

        frm->resize(600, frm->height());
        QTRY_VERIFY(ayuda.width() < 600);
        const QList<int> estrecha = lineasEnPantalla(ayuda);
        QCOMPARE(estrecha.size(), quoted);
        QVERIFY(std::any_of(estrecha.begin(), estrecha.end(), [](int n) { return n > 1; }));
    }
};

QTEST_MAIN(TstTfrmCaptura)
#include "tst_TfrmCaptura.moc"
