// The scanner configuration window and the scanner check.
#include "CajaMensajes.h"
#include "ComprobacionEscaner.h"
#include "PresenciaLectores.h"
#include "PruebaVentanas.h"
#include "TextosCaptura.h"
#include "TfrmConfiguracion.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <stdexcept>

namespace {
// Records which presence checks ran and answers as told.
class LectoresFalsos : public IPresenciaLectores {
public:
    bool seac = true, driver = true, instala = true, enciende = true, lanza = false;
    QStringList llamadas;
    bool seacBanchePresente() override { return anota("seac", seac); }
    bool driverPaniniPresente() override { return anota("driver", driver); }
    bool instalaDriverPanini(int tipo) override {
        return anota("instala " + QString::number(tipo), instala);
    }
    bool enciendeVisionX() override {
        if (lanza)
            throw std::runtime_error("sin memoria");
        return anota("enciende", enciende);
    }

private:
    bool anota(const QString& s, bool r) {
        llamadas << s;
        return r;
    }
};

// On the indicator: a wide radio button does not react to its far end.
void eligeTipo(TfrmConfiguracion& frm, int tipo) {
    QAbstractButton* b = frm.grupoTipo->button(tipo);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    QVERIFY(b->isChecked());
}

} // namespace

class TstTfrmConfiguracion : public QObject {
    Q_OBJECT
    std::unique_ptr<InstalacionPrueba> p;
    LectoresFalsos lectores;

    QString ini() const { return p->inst.ficheros.ficheroConfiguracion; }

private slots:
    void init() {
        p = std::make_unique<InstalacionPrueba>();
        lectores = LectoresFalsos{};
    }
    void cleanup() { p.reset(); }

    // First start: the file with Safe = 5 exists as soon as the window is on
    // screen; the chosen type is written by "&Aceptar", which then checks and
    // closes.
    void primeraVez() {
        TfrmConfiguracion frm(*p->dm, lectores, true);
        QVERIFY(!QFile::exists(ini()));
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        QCOMPARE(frm.windowTitle(), QString("Configuración del tipo de escáner"));
        QCOMPARE(hijo<QLabel>(frm, "lblExplicacion")->text(), TfrmConfiguracion::Explicacion);
        QCOMPARE(hijo<QGroupBox>(frm, "rgTipo")->title(), QString("Tipo de escáner"));
        QStringList tipos;
        for (QAbstractButton* b : frm.grupoTipo->buttons())
            tipos << b->text();
        QCOMPARE(tipos, (QStringList{"Manual", "Seac-Banche", "MagTek: EXCELLA",
                                     "MagTek: EXCELLA STX", "MagTek: SAFE", "Panini: Vision X"}));
        QCOMPARE(frm.grupoTipo->checkedId(), 0);
        QVERIFY(!hijo<QGroupBox>(frm, "grpImpresion")->isVisible());
        QVERIFY(!hijo<QGroupBox>(frm, "grpImpresion")->isEnabled());
        QCOMPARE(hijo<QLineEdit>(frm, "edtTexto")->maxLength(), 70);
        QVERIFY(!(frm.windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(hijo<QPushButton>(frm, "btnAceptar")->isEnabled());
        QCOMPARE(bytesDe(ini()),
                 QByteArray("[ESCANER]\r\nTipo=0\r\nImpresion=0\r\nFecha=0\r\nTexto=\r\n"
                            "\r\n[TIEMPOS]\r\nSafe=5\r\n"));

        QTest::keyClick(&frm, Qt::Key_Escape);
        QVERIFY(frm.isVisible()); // "&Aceptar" is the only way out

        eligeTipo(frm, 4);
        QTest::mouseClick(hijo<QPushButton>(frm, "btnAceptar"), Qt::LeftButton);
        QVERIFY(!frm.isVisible());
        QCOMPARE(frm.result(), int(QDialog::Accepted));
        QVERIFY(!hijo<QPushButton>(frm, "btnAceptar")->isEnabled());
        QVERIFY(bytesDe(ini()).contains("Tipo=4\r\n"));
        QCOMPARE(p->estado.Escaner.tipo, 4);
        QCOMPARE(p->estado.Escaner.tiempoSAFE, 5);
        QVERIFY(lectores.llamadas.isEmpty());
    }

    // A file written by hand shows as it reads, and the window's write keeps
    // what is not its own. From the menu Safe is not written.
    void ficheroEscritoAMano() {
        escribeBytes(ini(), "; oficina central\r\n[BANCO]\r\nNombre=CAJA RURAL\r\n"
                            "[escaner]\r\nimpresion=1\r\ntipo=2\r\nfecha=1\r\ntexto=pagado\r\n");
        TfrmConfiguracion frm(*p->dm, lectores, false);
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        QVERIFY(hijo<QRadioButton>(frm, "rbImprimir")->isChecked());
        QVERIFY(!hijo<QRadioButton>(frm, "rbSinImpresion")->isChecked());
        QVERIFY(hijo<QCheckBox>(frm, "chkFecha")->isChecked());
        QCOMPARE(hijo<QLineEdit>(frm, "edtTexto")->text(), QString("PAGADO"));
        QCOMPARE(frm.grupoTipo->checkedId(), 2);
        QVERIFY(p->estado.Escaner.Imprimir);

        eligeTipo(frm, 3);
        QTest::mouseClick(hijo<QPushButton>(frm, "btnAceptar"), Qt::LeftButton);
        const QByteArray escrito = bytesDe(ini());
        for (const char* linea :
             {"; oficina central\r\n", "[BANCO]\r\n", "Nombre=CAJA RURAL\r\n", "Tipo=3\r\n",
              "Impresion=1\r\n", "Fecha=1\r\n", "Texto=PAGADO\r\n"})
            QVERIFY2(escrito.contains(linea), linea);
        QVERIFY(!escrito.contains("Safe"));
        QVERIFY(p->guion.textos().isEmpty());
    }

    // From the menu, Escape closes the window without writing or checking.
    void escapeDesdeElMenu() {
        escribeBytes(ini(), "[ESCANER]\r\nTipo=1\r\n");
        TfrmConfiguracion frm(*p->dm, lectores, false);
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        eligeTipo(frm, 4);
        QTest::keyClick(&frm, Qt::Key_Escape);
        QVERIFY(!frm.isVisible());
        QCOMPARE(frm.result(), int(QDialog::Rejected));
        QCOMPARE(bytesDe(ini()), QByteArray("[ESCANER]\r\nTipo=1\r\n"));
        QCOMPARE(p->estado.Escaner.tipo, 1);
        QVERIFY(lectores.llamadas.isEmpty());
    }

    // From the menu, "&Aceptar" checks only the readers that have a check.
    void cambioDesdeElMenu_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QStringList>("llamadas");
        for (int tipo : {0, 2, 3, 4})
            QTest::addRow("tipo %d", tipo) << tipo << QStringList{};
        QTest::newRow("seac banche") << 1 << QStringList{"seac"};
        QTest::newRow("vision x") << 5 << QStringList{"driver", "enciende"};
    }
    void cambioDesdeElMenu() {
        QFETCH(int, tipo);
        escribeBytes(ini(), "[ESCANER]\r\nTipo=1\r\n");
        TfrmConfiguracion frm(*p->dm, lectores, false);
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        eligeTipo(frm, tipo);
        QTest::mouseClick(hijo<QPushButton>(frm, "btnAceptar"), Qt::LeftButton);
        QVERIFY(!frm.isVisible());
        QCOMPARE(p->estado.Escaner.tipo, tipo);
        QTEST(lectores.llamadas, "llamadas");
    }

    void elTextoSeEscribeEnMayusculas() {
        TfrmConfiguracion frm(*p->dm, lectores, false);
        frm.show();
        hijo<QGroupBox>(frm, "grpImpresion")
            ->setEnabled(true); // hidden from the operator; typed here
        QTest::keyClicks(hijo<QLineEdit>(frm, "edtTexto"), "pagado el " + QString(80, u'x'));
        QCOMPARE(hijo<QLineEdit>(frm, "edtTexto")->text(), "PAGADO EL " + QString(60, u'X'));
    }

    // A file that cannot be written: the operator is told which and why.
    void noSePuedeEscribir() {
        QVERIFY(QDir().mkpath(ini())); // a folder where the file should be
        TfrmConfiguracion frm(*p->dm, lectores, true);
        frm.show();
        QCOMPARE(p->guion.textos().size(), 1);
        const QString m = p->guion.textos().first();
        QVERIFY2(m.startsWith("No se pudo guardar el fichero " + ini() + ": "), qPrintable(m));
        QVERIFY2(m.endsWith(" La configuración del escáner no ha cambiado."), qPrintable(m));
        QTest::mouseClick(hijo<QPushButton>(frm, "btnAceptar"), Qt::LeftButton);
        QVERIFY(!frm.isVisible());
        QVERIFY(QFileInfo(ini()).isDir());
    }

    // Which presence checks run for each type, and what the operator sees.
    void comprobacion_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("falla"); // which check answers "no"
        QTest::addColumn<QStringList>("llamadas");
        QTest::addColumn<QStringList>("mensajes");
        for (int tipo : {0, 2, 3, 4})
            QTest::addRow("tipo %d", tipo) << tipo << "" << QStringList{} << QStringList{};
        QTest::newRow("seac presente") << 1 << "" << QStringList{"seac"} << QStringList{};
        QTest::newRow("seac ausente")
            << 1 << "seac" << QStringList{"seac"} << QStringList{"<sin seac>"};
        QTest::newRow("vision x") << 5 << "" << QStringList{"driver", "enciende"} << QStringList{};
        QTest::newRow("vision x, driver instalado")
            << 5 << "driver" << QStringList{"driver", "instala 5", "enciende"} << QStringList{};
        QTest::newRow("vision x, instalacion cancelada")
            << 5 << "driver+instala" << QStringList{"driver", "instala 5"} << QStringList{};
        QTest::newRow("vision x sin lector") << 5 << "enciende" << QStringList{"driver", "enciende"}
                                             << QStringList{"<sin vision x>"};
        QTest::newRow("vision x con error")
            << 5 << "lanza" << QStringList{"driver"}
            << QStringList{"Se ha producido un problema: sin memoria"};
    }
    void comprobacion() {
        QFETCH(int, tipo);
        QFETCH(QString, falla);
        escribeBytes(ini(), "[ESCANER]\r\nTipo=" + QByteArray::number(tipo) + "\r\n");
        lectores.seac = !falla.contains("seac");
        lectores.driver = !falla.contains("driver");
        lectores.instala = !falla.contains("instala");
        lectores.enciende = !falla.contains("enciende");
        lectores.lanza = falla.contains("lanza");
        p->estado.Escaner.tipo = 99; // re-read from the file
        compruebaEstadoEscaner(p->inst, p->estado, lectores, nullptr);
        QCOMPARE(p->estado.Escaner.tipo, tipo);
        QTEST(lectores.llamadas, "llamadas");
        QFETCH(QStringList, mensajes);
        mensajes.replaceInStrings("<sin seac>", TextosCaptura::mensajeSinSeacBanche(p->inst));
        mensajes.replaceInStrings("<sin vision x>", TextosCaptura::mensajeSinVisionX(p->inst));
        QCOMPARE(p->guion.textos(), mensajes);
    }

    // With no reader, what to do on this computer: the Windows steps on
    // Windows; elsewhere where the library is looked for and, for the
    // Vision X, the access rule and the window that installs it.
    void mensajesSinLector_data() {
        QTest::addColumn<bool>("visionX");
        QTest::addColumn<QStringList>("dice");
        QTest::newRow("seac banche")
            << false
#ifdef Q_OS_WIN
            << QStringList{"C:\\Program Files "
                           "(x86)\\Teskora_CHK\\Drivers\\Seac_Banche\\64-BIT\\"};
#else
            << QStringList{"SeacBanche", "[LECTORES]", "librd3lib.so"};
#endif
        QTest::newRow("vision x") << true
#ifdef Q_OS_WIN
                                  << QStringList{"install_PaniniUSB_64.bat", "\"CMD\""};
#else
                                  << QStringList{"VisionX",
                                                 "[LECTORES]",
                                                 "libVisionAPI.so",
                                                 "/etc/udev/rules.d/60-teskora-visionx.rules",
                                                 "\"Controlador Panini Vison X\"",
                                                 "Configuración de escáner",
                                                 "instala_acceso_visionx.sh"};
#endif
    }
    void mensajesSinLector() {
        QFETCH(bool, visionX);
        QFETCH(QStringList, dice);
        const QString texto = visionX ? TextosCaptura::mensajeSinVisionX(p->inst)
                                      : TextosCaptura::mensajeSinSeacBanche(p->inst);
        QVERIFY(texto.startsWith("NO se ha detectado ningún lector de cheques"));
        for (const QString& d : dice)
            QVERIFY2(texto.contains(d), qPrintable(d));
#ifndef Q_OS_WIN
        QVERIFY(texto.contains(QDir::toNativeSeparators(p->inst.ficheros.ficheroConfiguracion)));
        QVERIFY(texto.contains(QDir(p->inst.dirs.Dir_Aplicacion).absolutePath()));
        for (const char* windows : {"C:\\", "\"CMD\"", ".bat", ".exe", "64 bits"})
            QVERIFY2(!texto.contains(QLatin1String(windows)), windows);
#endif
    }
};

QTEST_MAIN(TstTfrmConfiguracion)
#include "tst_TfrmConfiguracion.moc"
