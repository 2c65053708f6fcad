// The modal windows opened from the menu go down and come back with the
// application: minimising one (or one opened over another) minimises the
// main window, and bringing the main window back brings them back.
#include "TVentanaModal.h"

#include <QMainWindow>
#include <QTest>

class TstTVentanaModal : public QObject {
    Q_OBJECT
private slots:
    void bajaYVuelveConLaAplicacion_data() {
        QTest::addColumn<int>("niveles");
        QTest::newRow("sobre la ventana principal") << 1;
        QTest::newRow("sobre otra ventana modal") << 2;
    }
    void bajaYVuelveConLaAplicacion() {
        QFETCH(int, niveles);
        QMainWindow principal;
        principal.show();
        QVERIFY(QTest::qWaitForWindowExposed(&principal));
        QList<TVentanaModal*> ventanas;
        QWidget* duena = &principal;
        for (int i = 0; i < niveles; ++i) {
            ventanas << new TVentanaModal(duena);
            ventanas.last()->show();
            duena = ventanas.last();
        }

        ventanas.last()->showMinimized();
        for (const QWidget* w : ventanas)
            QVERIFY(w->isMinimized());
        QVERIFY(principal.isMinimized());

        principal.showNormal();
        for (const QWidget* w : ventanas)
            QVERIFY(!w->isMinimized());
        QVERIFY(!principal.isMinimized());
    }
};

QTEST_MAIN(TstTVentanaModal)
#include "tst_TVentanaModal.moc"
