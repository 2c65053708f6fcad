// The road from the main menu with the Excella readers (automatic and manual
// feed) and the Vision X reader on the shipped sample documents, through the
// simulated libraries: the reader is checked at start-up, the documents are
// read in the capture window and saved, every stored cheque has the images of
// its own document, the operator completes one cheque in the editor, and the
// remittance is emitted.
#include "Aplicacion.h"
#include "Captura.h"
#include "ConductorVentanas.h"
#include "ImagenesTalon.h"
#include "PresenciaLectores.h"
#include "PruebaVentanas.h"
#include "TAdaptadorExcella.h"
#include "TAdaptadorVisionX.h"
#include "TfrmFechas.h"
#include "TfrmMod_Cheque.h"
#include "TfrmPrincipal.h"
#include "TfrmResumen_Facturacion.h"
#include "TfrmScanerVisionX.h"
#include "TfrmScanerX.h"

#include <QAction>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>

namespace {

const int Documentos = 12;

void configura(const tInstalacion& inst, int tipo) {
    QVERIFY(QDir().mkpath(inst.dirs.Dir_Pub));
    QFile ini(inst.ficheros.ficheroConfiguracion);
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[ESCANER]\r\nTipo=%1\r\n[LECTORES]\r\nExcella=%2\r\nVisionX=%3\r\n")
                  .arg(tipo)
                  .arg(QStringLiteral(SIMULADO_MTXMLMCR), QStringLiteral(SIMULADO_VISIONAPI))
                  .toUtf8());
}

// The cheque number (first seven digits) of each shipped sample, with the
// sample's front JPEG.
QMap<QString, QByteArray> frentesPorNumero() {
    QMap<QString, QByteArray> frentes;
    const QDir m(QStringLiteral(MUESTRAS));
    for (int i = 1; i <= Documentos; ++i) {
        const QString nombre = QStringLiteral("doc%1").arg(i, 3, 10, QChar(u'0'));
        QFile txt(m.filePath(nombre + ".txt"));
        QFile jpg(m.filePath(nombre + "_F.jpg"));
        if (!txt.open(QIODevice::ReadOnly) || !jpg.open(QIODevice::ReadOnly))
            return {};
        const QString numero =
            QRegularExpression(QStringLiteral("excella=(\\d{7})")).match(txt.readAll()).captured(1);
        frentes.insert(numero, jpg.readAll());
    }
    return frentes;
}

} // namespace

class TstRecorridoLectores : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("TESKORA_MUESTRAS", QByteArray(MUESTRAS)); }

    void leerYEmitir_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("ventana");
        QTest::newRow("Excella") << 2 << "TfrmScanerX";
        QTest::newRow("Excella STX") << 3 << "TfrmScanerX";
        QTest::newRow("Vision X") << 5 << "TfrmScanerVisionX";
    }
    void leerYEmitir() {
        QFETCH(int, tipo);
        QFETCH(QString, ventana);
        QTemporaryDir dir;
        TGuionDialogos guion;
        configura(calculaInstalacion(dir.path()), tipo);
        TAplicacion app(dir.path(), &guion);
        const tInstalacion& inst = app.inst;
        // The access rule of the Vision X reader, as if installed.
        tDriverPanini driver;
        driver.instalado = dir.filePath("60-teskora-visionx.rules");
        QVERIFY(QFile(driver.instalado).open(QIODevice::WriteOnly));
        app.captura->fijaLectores(std::make_unique<TPresenciaLectores>(
            *app.dmBBDD, app.captura->adaptadorSB.get(), app.captura->frmScanerVisionX.get(),
            driver, nullptr));
        app.captura->frmScanerX->adaptador().fijaEspera([](int) {});
        app.muestra();
        QTRY_VERIFY(QFile::exists(inst.ficheroTestigo));
        if (tipo == 5) // started by the check at start-up
            QTRY_VERIFY(app.captura->frmScanerVisionX->adaptador().encendido());

        ConductorVentanas c;
        QStringList leidas;
        const auto captura = [&](TfrmCaptura* w) {
            pulsa(hijo<QPushButton>(*w, "btnLeer"));
            // The Vision X engine reads on its own; each document ends with
            // its images.
            QTRY_COMPARE_WITH_TIMEOUT(w->lista().size(), Documentos, 20000);
            // Save waits for the end of the feed.
            QTRY_VERIFY_WITH_TIMEOUT(hijo<QPushButton>(*w, "btnSalvar")->isEnabled(), 20000);
            if (tipo == 5)
                QTRY_VERIFY(QFile::exists(inst.dirs.Dir_Imagenes_tmp + "T12.tif"));
            leidas = w->lista();
            pulsa(hijo<QPushButton>(*w, "btnSalvar"));
            pulsa(hijo<QPushButton>(*w, "btnSalir"));
        };
        c.alMostrar<TfrmScanerX>(captura);
        c.alMostrar<TfrmScanerVisionX>(captura);
        QList<QStringList> guardados;
        QList<QByteArray> frentesGuardados; // before the emission archives them
        c.alMostrar<TfrmMod_Cheque>([&](TfrmMod_Cheque* e) {
            pulsa(hijo<QPushButton>(*e, "btnLeer"));
            guardados = filasDe(inst.rutaTablaTalones(1),
                                "SELECT Cuenta, Numero_Modelo, Numero, Estado FROM Talones "
                                "ORDER BY Pk_Talon");
            for (const QStringList& t : guardados) {
                QFile f(
                    rutaImagenFrontal(inst.dirs.Dir_Imagenes, baseImagenTalon(t[0], t[1], t[2])));
                frentesGuardados << (f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
            }
            // The operator completes the first cheque (the Vision X codeline
            // carries no amount).
            QTreeWidget* lista = hijo<QTreeWidget>(*e, "lvwTransferencias");
            QTest::mouseClick(lista->viewport(), Qt::LeftButton, {},
                              lista->visualItemRect(lista->topLevelItem(0)).center());
            pulsa(hijo<QPushButton>(*e, "btnModifica"));
            escribe(hijo<QLineEdit>(*e, "lbtImporte"), "125,40");
            escribe(hijo<QLineEdit>(*e, "lbleditNombreBenef"), "LIBRADO DE MUESTRA");
            pulsa(hijo<QPushButton>(*e, "btnAceptar"));
            pulsa(hijo<QPushButton>(*e, "btnEmision"));
            pulsa(hijo<QPushButton>(*e, "btnContinuar"));
        });
        c.alMostrar<TfrmFechas>([](TfrmFechas* f) {
            pulsa(hijo<QPushButton>(*f, "btnNuevo"));
            escribe(hijo<QLineEdit>(*f, "edtNombre"), "EMPRESA DE PRUEBA SL");
            escribe(hijo<QLineEdit>(*f, "edtCuenta"), "ES91 2100 0418 4502 0005 1332");
            escribe(hijo<QLineEdit>(*f, "edtNif"), "B12345674");
            pulsa(hijo<QPushButton>(*f, "btnAceptar"));
        });
        c.alMostrar<TfrmResumen_Facturacion>(
            [](TfrmResumen_Facturacion* r) { pulsa(hijo<QPushButton>(*r, "btnSalir")); });
        hijo<QAction>(*app.frmPrincipal, "actLeerCheques")->trigger();
        QCOMPARE(c.vistas.mid(0, 2), (QStringList{"TfrmMod_Cheque", ventana}));
        QVERIFY2(c.vistas.contains("TfrmResumen_Facturacion"), qPrintable(c.vistas.join(' ')));

        // Document 11 holds unreadable digits: the Excella lists it as
        // "ERROR " and does not store it.
        QCOMPARE(leidas.size(), Documentos);
        QCOMPARE(guardados.size(), tipo == 5 ? Documentos : Documentos - 1);
        if (tipo != 5)
            QVERIFY2(leidas[10].startsWith("ERROR "), qPrintable(leidas[10]));

        // Each stored cheque has the pictures of its own document.
        const QMap<QString, QByteArray> frentes = frentesPorNumero();
        int comprobados = 0;
        for (int i = 0; i < guardados.size(); ++i) {
            const QString numero = guardados[i][2].left(7);
            if (!frentes.contains(numero))
                continue; // a number with unreadable digits
            QVERIFY2(!frentesGuardados[i].isEmpty() && frentesGuardados[i] == frentes[numero],
                     qPrintable(numero));
            ++comprobados;
        }
        QVERIFY(comprobados >= Documentos - 1);

        // The emission: the completed cheque and every other correct one.
        const QString cons = inst.dirs.Dir_Cons;
        QFile bancario(cons + "CONS.0001");
        QVERIFY(bancario.open(QIODevice::ReadOnly));
        const QByteArray registros = bancario.readAll();
        const int emitidos = int(registros.count("\r\n2056"));
        // The Vision X codeline has no amount: only the cheque the operator
        // completed is emitted.
        if (tipo == 5)
            QCOMPARE(emitidos, 1);
        else
            QVERIFY2(emitidos > 1, registros.constData());
        // The Excella names the line it could not store.
        QVERIFY(guion.textos().contains(
            tipo == 5 ? "Se leyeron: 12 cheques. Revise si se leyeron todos."
                      : "No se ha podido salvar: 1 cheque: lectura incompleta.\n    Nº 11: " +
                            leidas[10].mid(6)));
        QCOMPARE(
            filasDe(inst.rutaTabla("historicoCheques.dat"), "SELECT Numero FROM historicoCheques")
                .size(),
            emitidos);
        QVERIFY(registros.contains("000000012540")); // 125,40 in the totals or its record
        QProcess unzip;
        unzip.start("unzip", {"-t", cons + "CONS.0001.zip"});
        QVERIFY(unzip.waitForFinished());
        QCOMPARE(unzip.exitCode(), 0);
    }
};

QTEST_MAIN(TstRecorridoLectores)
#include "tst_recorrido_lectores.moc"
