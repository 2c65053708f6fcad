// Main window, about box and the visual style file.
#include "AyudaEnPantalla.h"
#include "Cadenas.h"
#include "EstiloVisual.h"
#include "PruebaVentanas.h"
#include "TfrmAcerca.h"
#include "TfrmPrincipal.h"

#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TstPrincipal : public QObject {
    Q_OBJECT
private slots:
    void posicionCentrada_data() {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QPoint>("esperada");
        QTest::newRow("holgada") << QSize(1008, 469) << QPoint(504 - 159, 234 - 86);
        QTest::newRow("justa") << QSize(319, 172) << QPoint(0, 0);
        QTest::newRow("impar") << QSize(321, 175) << QPoint(160 - 159, 87 - 86);
        QTest::newRow("mas pequena") << QSize(100, 50) << QPoint(50 - 159, 25 - 86);
        QTest::newRow("vacia") << QSize(0, 0) << QPoint(-159, -86);
    }
    void posicionCentrada() {
        QFETCH(QSize, area);
        QFETCH(QPoint, esperada);
        QCOMPARE(TfrmPrincipal::posicionCentrada(area, QSize(319, 172)), esperada);
    }

    void elPanelSigueCentradoAlRedimensionar() {
        TfrmPrincipal frm;
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        for (const QSize& s : {QSize(1008, 700), QSize(300, 200), QSize(1400, 900)}) {
            frm.resize(s);
            QTRY_COMPARE(hijo<QWidget>(frm, "pnlinfo")->pos(),
                         TfrmPrincipal::posicionCentrada(hijo<QWidget>(frm, "pnl1")->size(),
                                                         hijo<QWidget>(frm, "pnlinfo")->size()));
        }
    }

    void textosYMenu() {
        TfrmPrincipal frm;
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        QCOMPARE(frm.windowTitle(), QString("Teskora_CHK (Lectura y proceso de Cheques)"));
        // The information panel and the help strip are shown whole, and every
        // line of the help is in sight as one line.
        auto* ayuda = hijo<QPlainTextEdit>(frm, "mmoAyuda");
        QVERIFY(seVeEntero(*hijo<QWidget>(frm, "pnlinfo")));
        QVERIFY(seVeEntero(*ayuda));
        QVERIFY(ayudaSinPartir(*ayuda));
        QCOMPARE(
            ayuda->toPlainText().split('\n'),
            (QStringList{"PRIMEROS PASOS:",
                         "Para generar un fichero de Cheques debe completar los pasos "
                         "siguientes:",
                         "1.- Introduzca los cheques en la remesa, completando los valores  "
                         "del cheque y del cliente.",
                         "2.- Emita la remesa para su posterior envío a  su banco.", "", "ESCÁNER:",
                         "Para seleccionar y configurar el escaner de cheques, seleccione "
                         "Mantenimiento y pulse sobre \"Configuración de escáner\"."}));
        QVERIFY(!ayuda->isEnabled());
        QStringList menu;
        for (QAction* a : frm.menuBar()->actions()) {
            menu << a->text();
            if (a->menu())
                for (QAction* s : a->menu()->actions())
                    menu << "  " + s->text();
        }
        QCOMPARE(menu, (QStringList{"&Sistema", "  &Verificar fichero para el banco",
                                    "  &Copias de seguridad", "  ", "  Salir", "Leer &Cheques",
                                    "&Mantenimiento", "  &Configuración de escáner", "  &Librados",
                                    "  &Presentadores", "  &Histórico de Cheques",
                                    "  His&tórico de remesas emitidas", "&Acerca de"}));
        // In each menu every item has a key and no two share one.
        QList<QList<QAction*>> menus{frm.menuBar()->actions()};
        for (QAction* a : frm.menuBar()->actions())
            if (a->menu())
                menus << a->menu()->actions();
        for (const QList<QAction*>& menu : menus) {
            QStringList claves;
            for (QAction* a : menu) {
                const QKeySequence clave = QKeySequence::mnemonic(a->text());
                if (a->text() != "Salir" && !a->isSeparator())
                    QVERIFY2(!clave.isEmpty(), qPrintable(a->text()));
                QVERIFY2(clave.isEmpty() || !claves.contains(clave.toString()),
                         qPrintable(a->text()));
                claves << clave.toString();
            }
        }
        QVERIFY(hijo<QAction>(frm, "actAcercaDe")->isEnabled());
        QVERIFY(hijo<QAction>(frm, "actSalir")->isEnabled());
    }

    void losCuatroElementosPrincipalesLlevanIconoYTitulo() {
        TfrmPrincipal frm;
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        QMenuBar* barra = frm.menuBar();
        const QList<QAction*> principales = barra->actions();
        QCOMPARE(principales.size(), 4);
        const QList<QIcon> iconos = TfrmPrincipal::iconosMenu();
        QCOMPARE(iconos.size(), 4);
        for (int i = 0; i < 4; ++i) {
            QAction* a = principales[i];
            QVERIFY(iconos[i].availableSizes().contains(QSize(24, 24)));
            QCOMPARE(a->icon().pixmap(24).toImage(), iconos[i].pixmap(24).toImage());
            // The item has room for the icon and the whole caption.
            QString titulo = a->text();
            titulo.remove(u'&');
            QVERIFY2(barra->actionGeometry(a).width() >=
                         24 + barra->fontMetrics().horizontalAdvance(titulo),
                     qPrintable(titulo));
        }
        // The caption's access key opens its menu.
        QMenu* mnto = principales[2]->menu();
        QVERIFY(mnto);
        QTest::keyClick(&frm, Qt::Key_M, Qt::AltModifier);
        QTRY_VERIFY(mnto->isVisible());
        mnto->close();
    }

    // Each command of the menu has an access key of its own: the top-level
    // items with Alt, the items of a menu by their key once it is open.
    void teclasDeAcceso_data() {
        QTest::addColumn<QString>("accion");
        QTest::addColumn<QString>("teclas"); // Alt+ the first, then plain keys
        QTest::newRow("Leer Cheques") << "actLeerCheques"
                                      << "C";
        QTest::newRow("Acerca de") << "actAcercaDe"
                                   << "A";
        QTest::newRow("Configuración de escáner") << "actConfiguracion"
                                                  << "MC";
        QTest::newRow("Librados") << "actLibrados"
                                  << "ML";
        QTest::newRow("Verificar fichero para el banco") << "actVerificarFichero"
                                                         << "SV";
        QTest::newRow("Salir") << "actSalir"
                               << "S";
    }
    void teclasDeAcceso() {
        QFETCH(QString, accion);
        QFETCH(QString, teclas);
        TfrmPrincipal frm;
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        QAction* objetivo = hijo<QAction>(frm, accion);
        objetivo->setEnabled(true);
        if (accion == "actSalir")
            objetivo->disconnect(); // the window stays for the test
        QSignalSpy disparada(objetivo, &QAction::triggered);
        QTest::keyClick(&frm, Qt::Key(teclas.at(0).unicode()), Qt::AltModifier);
        if (accion == "actSalir")
            teclas += "\r"; // the only item enabled here, chosen with Enter
        for (QChar t : teclas.mid(1)) {
            QTRY_VERIFY(QApplication::activePopupWidget());
            QTest::keyClick(QApplication::activePopupWidget(),
                            t == '\r' ? Qt::Key_Return : Qt::Key(t.unicode()));
        }
        QTRY_COMPARE(disparada.count(), 1);
    }

    void acercaDeMuestraLaVersion() {
        TfrmAcerca frm;
        QCOMPARE(frm.windowTitle(), QString("Acerca de Teskora_CHK"));
        QCOMPARE(hijo<QLabel>(frm, "lblVersion")->text(),
                 QString("Versión: 04.04.03 Febrero de 2025"));
        frm.open();
        QTest::mouseClick(hijo<QPushButton>(frm, "btnAceptar"), Qt::LeftButton);
        QCOMPARE(frm.result(), int(QDialog::Accepted));
    }

    void ficheroDeEstilo_data() {
        QTest::addColumn<QByteArray>("contenido");
        QTest::addColumn<QString>("nombre");
        QTest::newRow("valido") << QByteArray("/* Style: Untitled */\nQWidget{}") << "Untitled";
        QTest::newRow("otro nombre") << QByteArray("/* Style: Oscuro */\n") << "Oscuro";
        QTest::newRow("sin cabecera") << QByteArray("QWidget { color: red; }") << "";
        QTest::newRow("nombre vacio") << QByteArray("/* Style:  */") << "";
        QTest::newRow("binario") << QByteArray("\x00\xff\xfe/* Style: X */", 17) << "";
        QTest::newRow("vacio") << QByteArray() << "";
    }
    void ficheroDeEstilo() {
        QFETCH(QByteArray, contenido);
        QFETCH(QString, nombre);
        QTemporaryDir dir;
        const QString ruta = dir.filePath("Style.vsf");
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contenido);
        f.close();
        const auto estilo = leeEstiloVisual(ruta);
        QCOMPARE(estilo ? estilo->nombre : QString(), nombre);
        QVERIFY(!leeEstiloVisual(dir.filePath("no_existe.vsf")));
    }
};

QTEST_MAIN(TstPrincipal)
#include "tst_principal.moc"
