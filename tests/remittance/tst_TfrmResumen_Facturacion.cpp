// The emission summary over the files an emission leaves in the "Cons"
// folder: the letter and the report shown, the archive copied, the viewer
// printed to a PDF that is read back with a standard tool.
#include "PruebaVentanas.h"
#include "TfrmResumen_Facturacion.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

namespace {
const QString Carta = QStringLiteral("CARTA DE PRESENTACIÓN\r\nREMESA NÚMERO 0007\r\n");
const QString Informe =
    QStringLiteral("INFORME DETALLADO DE LA REMESA\r\nCHEQUE 1234567-8     1.234,50\r\n");

void escribe(const QString& ruta, const QByteArray& bytes) {
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray lee(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TstTfrmResumen_Facturacion : public QObject {
    Q_OBJECT

    PruebaVentanas p;
    QByteArray archivo;

    QString cons() const { return p->inst.dirs.Dir_Cons; }

private slots:
    void init() {
        p.prepara();
        QStringEncoder ansi("windows-1252");
        escribe(cons() + "INFO.0007", ansi(Carta));
        escribe(cons() + "INFORES.0007", ansi(Informe));
        // Another emission's letter must not be the one shown.
        escribe(cons() + "INFO.0006", ansi(QStringLiteral("OTRA CARTA")));
        for (int i = 0; i < 3000; ++i)
            archivo.append(char(i * 7 % 256));
        escribe(cons() + "CONS.0007.zip", archivo);
    }
    void cleanup() { p.restablece(); }

    void muestraLaCartaYElInformeDeLaEmision() {
        TfrmResumen_Facturacion frm(*p->dm, "CONS.0007");
        QVERIFY(frm.prepara());
        QCOMPARE(frm.windowTitle(), QStringLiteral("Resumen de la Emisión"));
        QVERIFY(hijo<QRadioButton>(frm, "rbtCarta")->isChecked());
        QCOMPARE(hijo<QTextEdit>(frm, "rchVisor")->toPlainText(), QString(Carta).remove(u'\r'));
        QVERIFY(hijo<QTextEdit>(frm, "rchVisor")->isReadOnly());
        frm.show();
        QTest::mouseClick(hijo<QRadioButton>(frm, "rbtInforme"), Qt::LeftButton);
        QCOMPARE(hijo<QTextEdit>(frm, "rchVisor")->toPlainText(), QString(Informe).remove(u'\r'));
        QTest::mouseClick(hijo<QRadioButton>(frm, "rbtCarta"), Qt::LeftButton);
        QCOMPARE(hijo<QTextEdit>(frm, "rchVisor")->toPlainText(), QString(Carta).remove(u'\r'));
        QCOMPARE(hijo<QPlainTextEdit>(frm, "mmoAyuda")->toPlainText().split(u'\n'),
                 (QStringList{"Con <Guardar Como> puede dejar una copia de la remesa con el "
                              "nombre+ruta que indique, por ejemplo para que la abone su banco-",
                              "caja.", "Dispone de dos informes imprimibles: Carta y Resumido.",
                              "<Envío Web> lanza un navegador a la página Web del Banco-Caja "
                              "ordenante. Para el envío de la remesa, siga las instrucciones de ",
                              "ésta."}));
        QCOMPARE(p->guion.textos(), QStringList{});
    }

    void sinCartaSeMuestraElErrorYNoSeAbre() {
        QVERIFY(QFile::remove(cons() + "INFO.0007"));
        QVERIFY(!TfrmResumen_Facturacion::Launch(*p->dm, "CONS.0007", nullptr));
        QCOMPARE(p->guion.textos().size(), 1);
        QVERIFY(p->guion.textos().first().contains("INFO.0007"));
    }

    void informeQueFaltaMuestraElErrorYLaCartaSigue() {
        QVERIFY(QFile::remove(cons() + "INFORES.0007"));
        TfrmResumen_Facturacion frm(*p->dm, "CONS.0007");
        QVERIFY(frm.prepara());
        frm.show();
        QTest::mouseClick(hijo<QRadioButton>(frm, "rbtInforme"), Qt::LeftButton);
        QCOMPARE(p->guion.textos().size(), 1);
        QVERIFY(p->guion.textos().first().contains("INFORES.0007"));
        QCOMPARE(hijo<QTextEdit>(frm, "rchVisor")->toPlainText(), QString(Carta).remove(u'\r'));
    }

    void guardarComoCopiaElArchivo_data() {
        QTest::addColumn<QString>("destino"); // relative to a scratch folder; "" = cancelled
        QTest::addColumn<QStringList>("mensajes");
        QTest::addColumn<bool>("copiado");
        QTest::newRow("carpeta que existe")
            << "copia.zip" << QStringList{"Copia Realizada"} << true;
        QTest::newRow("carpeta que no existe")
            << "no/existe/copia.zip"
            << QStringList{"La copia fallo, compruebe la ruta seleccionada."} << false;
        QTest::newRow("dialogo cancelado") << "" << QStringList{} << false;
    }
    void guardarComoCopiaElArchivo() {
        QFETCH(QString, destino);
        QFETCH(QStringList, mensajes);
        QFETCH(bool, copiado);
        QTemporaryDir fuera;
        const QString ruta = destino.isEmpty() ? QString() : fuera.filePath(destino);
        TfrmResumen_Facturacion frm(*p->dm, "CONS.0007");
        QVERIFY(frm.prepara());
        frm.show();
        p->guion.fijaSiguienteRutaGuardar(ruta);
        QTest::mouseClick(hijo<QPushButton>(frm, "btnGuardarComo"), Qt::LeftButton);
        QCOMPARE(p->guion.textos(), mensajes);
        if (copiado)
            QCOMPARE(lee(ruta), archivo);
        QCOMPARE(QDir(fuera.path()).entryList(QDir::Files).size(), copiado ? 1 : 0);
    }

    void guardarComoSinArchivoFalla() {
        QVERIFY(QFile::remove(cons() + "CONS.0007.zip"));
        QTemporaryDir fuera;
        TfrmResumen_Facturacion frm(*p->dm, "CONS.0007");
        QVERIFY(frm.prepara());
        p->guion.fijaSiguienteRutaGuardar(fuera.filePath("copia.zip"));
        frm.guardarComo();
        QCOMPARE(p->guion.textos(), QStringList{"La copia fallo, compruebe la ruta seleccionada."});
    }

    void envioWebAbreLaDireccionDelBanco() {
        escribe(p->inst.ficheros.ficheroConfiguracion,
                "[BANCO]\r\nWeb=  https://banco.example/remesas  \r\n");
        TfrmResumen_Facturacion frm(*p->dm, "CONS.0007");
        QVERIFY(frm.prepara());
        frm.show();
        QTest::mouseClick(hijo<QPushButton>(frm, "btnEnvioWeb"), Qt::LeftButton);
        QCOMPARE(p->guion.direcciones.value(0), QStringLiteral("https://banco.example/remesas"));
        QVERIFY(frm.isVisible());
        QTest::mouseClick(hijo<QPushButton>(frm, "btnSalir"), Qt::LeftButton);
        QCOMPARE(frm.result(), int(QDialog::Accepted));
    }

    void envioWebSinDireccionDiceDondeConfigurarla_data() {
        QTest::addColumn<QByteArray>("configuracion"); // empty: no config.ini
        QTest::newRow("sin config.ini") << QByteArray();
        QTest::newRow("sin seccion BANCO") << QByteArray("[ESCANER]\r\nTipo=4\r\n");
        QTest::newRow("direccion en blanco") << QByteArray("[BANCO]\r\nWeb=   \r\n");
    }
    void envioWebSinDireccionDiceDondeConfigurarla() {
        QFETCH(QByteArray, configuracion);
        if (!configuracion.isEmpty())
            escribe(p->inst.ficheros.ficheroConfiguracion, configuracion);
        TfrmResumen_Facturacion frm(*p->dm, "CONS.0007");
        QVERIFY(frm.prepara());
        frm.show();
        QTest::mouseClick(hijo<QPushButton>(frm, "btnEnvioWeb"), Qt::LeftButton);
        QVERIFY(p->guion.direcciones.isEmpty());
        const QString ruta = QDir::toNativeSeparators(p->inst.ficheros.ficheroConfiguracion);
        QCOMPARE(p->guion.textos(), QStringList{TfrmResumen_Facturacion::mensajeSinDireccionWeb(
                                        p->inst.ficheros.ficheroConfiguracion)});
        const QString mensaje = p->guion.textos().first();
        for (const QString& parte : {ruta, QStringLiteral("[BANCO]"), QStringLiteral("Web=")})
            QVERIFY2(mensaje.contains(parte), qPrintable(mensaje));
    }

    // The letter of 53 lines is longer than the view of a short screen: it
    // opens, and comes back from the report, with its totals (line 30, under
    // their heading and underline) in view.
    void cartaLargaSeAbreConSusTotalesALaVista() {
        QStringList lineas;
        for (int i = 1; i <= 53; ++i)
            lineas << QStringLiteral("LINEA %1").arg(i);
        lineas[27] = QStringLiteral("Número de Cheques    Importe Total");
        lineas[29] = QStringLiteral("3    1.234,56");
        escribe(cons() + "INFO.0007", QStringEncoder("windows-1252")(lineas.join("\r\n")));
        TfrmResumen_Facturacion frm(*p->dm, "CONS.0007");
        QVERIFY(frm.prepara());
        frm.resize(900, 420);
        frm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frm));
        const auto aLaVista = [&frm](int linea) {
            QTextCursor c(
                hijo<QTextEdit>(frm, "rchVisor")->document()->findBlockByNumber(linea - 1));
            return hijo<QTextEdit>(frm, "rchVisor")
                ->viewport()
                ->rect()
                .contains(hijo<QTextEdit>(frm, "rchVisor")->cursorRect(c));
        };
        QVERIFY(!aLaVista(1) || !aLaVista(53)); // the view is shorter than the letter
        for (int linea : {28, 29, 30})
            QVERIFY2(aLaVista(linea), qPrintable(QString::number(linea)));
        QTest::mouseClick(hijo<QRadioButton>(frm, "rbtInforme"), Qt::LeftButton);
        hijo<QTextEdit>(frm, "rchVisor")->verticalScrollBar()->setValue(0);
        QTest::mouseClick(hijo<QRadioButton>(frm, "rbtCarta"), Qt::LeftButton);
        QVERIFY(aLaVista(30));
    }

    void imprimeElInformeMostradoComoUnDocumento() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext is not installed");
        QTemporaryDir fuera;
        const QString pdf = fuera.filePath("resumen.pdf");
        p->guion.rutaPdf = pdf;
        TfrmResumen_Facturacion frm(*p->dm, "CONS.0007");
        QVERIFY(frm.prepara());
        frm.show();
        QTest::mouseClick(hijo<QRadioButton>(frm, "rbtInforme"), Qt::LeftButton);
        QTest::mouseClick(hijo<QPushButton>(frm, "btnImprimir"), Qt::LeftButton);
        QCOMPARE(p->guion.titulosImpresos.value(0), QStringLiteral("RESUMEN DE LA EMISIÓN"));

        QProcess texto;
        texto.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(texto.waitForFinished());
        const QString leido = QString::fromUtf8(texto.readAllStandardOutput());
        QVERIFY2(leido.contains("INFORME DETALLADO DE LA REMESA"), qPrintable(leido));
        QVERIFY2(leido.contains("1.234,50"), qPrintable(leido));
        QVERIFY(!leido.contains("CARTA"));

        QProcess info;
        info.start("pdfinfo", {pdf});
        QVERIFY(info.waitForFinished());
        const QString datos = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(datos.contains(QRegularExpression("Title: +RESUMEN DE LA EMISIÓN")),
                 qPrintable(datos));
        QVERIFY2(datos.contains(QRegularExpression("Pages: +1\\b")), qPrintable(datos));
    }
};

QTEST_MAIN(TstTfrmResumen_Facturacion)
#include "tst_TfrmResumen_Facturacion.moc"
