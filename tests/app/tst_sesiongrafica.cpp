// Without a graphical session the program says so in Spanish and ends with
// its own exit code, before Qt's platform plugin can abort it.
#include "SesionGrafica.h"

#include <QProcess>
#include <QtTest>

class TstSesionGrafica : public QObject {
    Q_OBJECT
private slots:
    void decideSiPuedeArrancar_data() {
        QTest::addColumn<QStringList>("variables"); // NAME=value
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<bool>("puede");
        QTest::newRow("X11") << QStringList{"DISPLAY=:0"} << QStringList{} << true;
        QTest::newRow("Wayland") << QStringList{"WAYLAND_DISPLAY=wayland-0"} << QStringList{}
                                 << true;
        QTest::newRow("nada") << QStringList{} << QStringList{} << false;
        QTest::newRow("DISPLAY en blanco") << QStringList{"DISPLAY= "} << QStringList{} << false;
        QTest::newRow("offscreen")
            << QStringList{"QT_QPA_PLATFORM=offscreen"} << QStringList{} << true;
        QTest::newRow("xcb sin DISPLAY")
            << QStringList{"QT_QPA_PLATFORM=xcb", "WAYLAND_DISPLAY=w"} << QStringList{} << false;
        QTest::newRow("wayland sin WAYLAND_DISPLAY")
            << QStringList{"QT_QPA_PLATFORM=wayland", "DISPLAY=:0"} << QStringList{} << false;
        QTest::newRow("xcb con opciones")
            << QStringList{"QT_QPA_PLATFORM=xcb:x=1", "DISPLAY=:1"} << QStringList{} << true;
        QTest::newRow("-platform manda sobre la variable")
            << QStringList{"QT_QPA_PLATFORM=xcb"} << QStringList{"-platform", "offscreen"} << true;
    }
    void decideSiPuedeArrancar() {
        QFETCH(QStringList, variables);
        QFETCH(QStringList, argumentos);
        QFETCH(bool, puede);
        QProcessEnvironment entorno;
        for (const QString& v : variables)
            entorno.insert(v.section(u'=', 0, 0), v.section(u'=', 1));
        const QString mensaje = mensajeSinSesionGrafica(
            "teskora_chk", QStringList{"teskora_chk"} + argumentos, entorno);
        QCOMPARE(mensaje.isEmpty(), puede);
        if (!puede) {
            QVERIFY(mensaje.contains(QStringLiteral("sesión gráfica")));
            QVERIFY(mensaje.contains(QStringLiteral("QT_QPA_PLATFORM=offscreen teskora_chk")));
        }
    }

    // The program itself, started with no display at all.
    void elProgramaSinPantallaLoDiceYTermina() {
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            entorno.remove(QString::fromLatin1(v));
        QTemporaryDir copia; // the program creates its data beside itself
        const QString programa = copia.filePath("teskora_chk");
        QVERIFY(QFile::copy(QStringLiteral(TESKORA_PROGRAMA), programa));
        QProcess p;
        p.setProcessEnvironment(entorno);
        p.start(programa, {});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), SalidaSinSesionGrafica);
        const QString error = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(error.startsWith(QStringLiteral("Teskora_CHK necesita una sesión gráfica")),
                 qPrintable(error));
        QVERIFY2(!error.contains("Reinstalling"), qPrintable(error));
        QVERIFY(!QFileInfo::exists(copia.filePath("RorireruDevarer")));
    }
};

QTEST_GUILESS_MAIN(TstSesionGrafica)
#include "tst_sesiongrafica.moc"
