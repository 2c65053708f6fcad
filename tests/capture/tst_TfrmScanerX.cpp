// The Excella readers' capture window through the real binding on the
// simulated library: caption, help and pictures by type, lines and images of
// a run, numbering across runs, Save with its unstored "ERROR " lines, and the
// device closed with the window.
#include "AvisosImagen.h"
#include "ControlSimulador.h"
#include "DiscoConFallos.h"
#include "PruebaVentanas.h"
#include "TAdaptadorExcella.h"
#include "TEnlaceFoto.h"
#include "TfrmScanerX.h"

#include <QAction>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

class TstTfrmScanerX : public QObject {
    Q_OBJECT
    PruebaVentanas p;
    ControlSimulador sim{QStringLiteral(SIMULADO_MTXMLMCR)};
    std::unique_ptr<TEnlaceMtxmlmcr> enlace;
    std::unique_ptr<TfrmScanerX> frm;

    QString muestras() const { return p->dir.filePath("muestras"); }
    QString imagenTmp(const QString& nombre) const {
        return QDir(p->inst.dirs.Dir_Imagenes_tmp).filePath(nombre);
    }
    void abre(int tipo, int documentos, const QMap<QString, int>& fallos = {}) {
        p->estado.Escaner.tipo = tipo;
        QVERIFY(preparaCarpetaMuestras(muestras(), documentos, "Excella", fallos));
        sim.establece(muestras());
        frm = std::make_unique<TfrmScanerX>(*p->dm, *enlace);
        frm->adaptador().fijaEspera([](int) {}); // the manual feed's pause between documents
        frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm.get()));
    }
    QString codeline(int i) const {
        return QString::fromLatin1(codelineMuestra(muestras(), i, "excella"));
    }

private slots:
    void init() {
        p.prepara();
        QVERIFY(sim.lib.load());
        sim.borraRegistro();
        enlace = std::make_unique<TEnlaceMtxmlmcr>(QStringLiteral(SIMULADO_MTXMLMCR),
                                                   p->inst.dirs.Dir_Aplicacion);
    }
    void cleanup() {
        frm.reset();
        enlace.reset();
        p.restablece();
    }

    void ventanaPorTipo_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("pasoDos");
        QTest::addColumn<QStringList>("fotos");
        QTest::newRow("Excella") << 2 << "Escaneo  de Cheques. Escáner tipo MagTek Excella"
                                 << "    2º.- Cargue la tolva del lector con cheques y presione "
                                    "[Leer cheques]"
                                 << QStringList{"excella.jpg", "despieceexcella.jpg"};
        QTest::newRow("Excella STX")
            << 3 << "Escaneo  de Cheques. Escáner tipo MagTek Excella STX"
            << "    2º-. La carga de cheques del escáner Excella STX no tiene una tolva para "
               "alimentar automáticamente al lector,"
            << QStringList{"excellaSTX.jpg", "despieceExcellaSTX.jpg"};
    }
    void ventanaPorTipo() {
        QFETCH(int, tipo);
        QFETCH(QString, caption);
        QFETCH(QString, pasoDos);
        QFETCH(QStringList, fotos);
        abre(tipo, 0);
        QCOMPARE(frm->windowTitle(), caption);
        QCOMPARE(hijo<QPlainTextEdit>(*frm, "mmoAyuda")->toPlainText().split('\n').at(2), pasoDos);
        QCOMPARE(hijo<QPushButton>(*frm, "btnSalvar")->text(), QString("&Salvar &OK"));
        QCOMPARE(hijo<QPushButton>(*frm, "btnLimpiar")->text(), QString("&Eliminar"));
        QCOMPARE(hijo<QPushButton>(*frm, "btnReiniciar")->text(), QString("&Reiniciar"));
        emit hijo<TEnlaceFoto>(*frm, "lblDetalle")->pulsado();
        emit hijo<TEnlaceFoto>(*frm, "lblDespiece")->pulsado();
        QCOMPARE(p->guion.direcciones.size(), 2);
        for (int i = 0; i < 2; ++i)
            QVERIFY2(p->guion.direcciones[i].endsWith("/Pub/" + fotos[i]),
                     qPrintable(p->guion.direcciones[i]));
    }

    // A run lists every document, writes its three images under its line's
    // number, and a second run continues the numbering; the first line is
    // selected.
    void lecturaContinuaNumeracion_data() {
        QTest::addColumn<int>("tipo");
        QTest::newRow("automatic feed") << 2;
        QTest::newRow("manual feed") << 3;
    }
    void lecturaContinuaNumeracion() {
        QFETCH(int, tipo);
        abre(tipo, 2);
        pulsa(hijo<QPushButton>(*frm, "btnLeer"));
        pulsa(hijo<QPushButton>(*frm, "btnLeer"));
        QCOMPARE(frm->lista(), (QStringList{"+" + codeline(1), "+" + codeline(2), "+" + codeline(1),
                                            "+" + codeline(2)}));
        QCOMPARE(hijo<QListWidget>(*frm, "lstLista")->currentRow(), 0);
        const QDir m(muestras());
        QCOMPARE(bytesDe(imagenTmp("F3.jpg")), bytesDe(m.filePath("doc001_F.jpg")));
        QCOMPARE(bytesDe(imagenTmp("F4.tif")), bytesDe(m.filePath("doc002_F.tif")));
        QCOMPARE(bytesDe(imagenTmp("T4.tif")), bytesDe(m.filePath("doc002_T.tif")));
        QVERIFY(p->guion.textos().isEmpty());
    }

    // Nothing to read: the empty hopper (the first call fails) and the manual
    // feed with no document ("250") end the run without a line or a message.
    void sinDocumentos_data() { lecturaContinuaNumeracion_data(); }
    void sinDocumentos() {
        QFETCH(int, tipo);
        abre(tipo, 0);
        pulsa(hijo<QPushButton>(*frm, "btnLeer"));
        QVERIFY(frm->lista().isEmpty());
        QVERIFY(!hijo<QPushButton>(*frm, "btnSalvar")->isEnabled());
        QVERIFY(p->guion.textos().isEmpty());
    }

    void dispositivoNoPreparado() {
        abre(2, 1, {{"sinDispositivo", 1}});
        pulsa(hijo<QPushButton>(*frm, "btnLeer"));
        QCOMPARE(p->guion.textos(), QStringList{"El dispositivo no está preparado. Revíselo."});
        QVERIFY(frm->lista().isEmpty());
    }

    // A codeline with "?" is listed with "ERROR " and Save counts it as not
    // stored and names it; the list and the temporary images are emptied.
    void salvarConLineaErronea() {
        abre(2, 3, {{"ilegible", 2}});
        pulsa(hijo<QPushButton>(*frm, "btnLeer"));
        QCOMPARE(frm->lista().size(), 3);
        QVERIFY2(frm->lista()[1].startsWith("ERROR ") && frm->lista()[1].contains('?'),
                 qPrintable(frm->lista()[1]));
        const QString erronea = frm->lista()[1].mid(6);
        pulsa(hijo<QPushButton>(*frm, "btnSalvar"));
        QCOMPARE(p->guion.textos(),
                 QStringList{"No se ha podido salvar: 1 cheque: lectura incompleta.\n    Nº 2: " +
                             erronea});
        QVERIFY(frm->lista().isEmpty());
        QCOMPARE(filasDe(p->inst.rutaTablaTalones(1), "SELECT Pk_Talon FROM Talones").size(), 2);
        QVERIFY(QDir(p->inst.dirs.Dir_Imagenes_tmp).isEmpty());
    }

    // A return code that is not a number skips the document, and the
    // operator is told to pass it again; the others are read.
    void codigoNoNumerico_data() { lecturaContinuaNumeracion_data(); }
    void codigoNoNumerico() {
        QFETCH(int, tipo);
        abre(tipo, 3, {{"codigoNoNumerico", 2}});
        pulsa(hijo<QPushButton>(*frm, "btnLeer"));
        QCOMPARE(p->guion.textos(), QStringList{TAdaptadorExcella::MensajeCodigoNoValido});
        QVERIFY(p->guion.textos()[0].contains("Vuelva a pasarlo por el lector"));
        QCOMPARE(frm->lista(), (QStringList{"+" + codeline(1), "+" + codeline(3)}));
    }

    // Images the disk refuses: the bad read is dropped and named, the other
    // lines stay renumbered 1, 2 with their own images, and the next Save
    // stores them with those images.
    void imagenesRechazadasQuedanParaOtroIntento() {
        abre(2, 3, {{"ilegible", 1}});
        pulsa(hijo<QPushButton>(*frm, "btnLeer"));
        QCOMPARE(frm->lista().size(), 3);
        const TDiscoConFallos disco = TDiscoConFallos::soloLectura(p->inst.dirs.Dir_Imagenes);
        p->dm->base().destinoFicheros = &disco;
        pulsa(hijo<QPushButton>(*frm, "btnSalvar"));
        p->dm->base().destinoFicheros = nullptr;
        const QString texto = p->guion.textos().value(0);
        QVERIFY2(
            texto.startsWith("No se ha podido salvar: 1 cheque: lectura incompleta.\n    Nº 1: "),
            qPrintable(texto));
        QVERIFY2(texto.contains(
                     "No se han podido copiar las imágenes de 2 cheques a la carpeta " +
                     QDir::toNativeSeparators(QDir(p->inst.dirs.Dir_Imagenes).absolutePath()) +
                     ": no se puede escribir en la carpeta (es de solo lectura"),
                 qPrintable(texto));
        QVERIFY(texto.contains("    Nº 2: " + codeline(2)));
        QVERIFY(texto.contains("    Nº 3: " + codeline(3)));
        QCOMPARE(frm->lista(), (QStringList{"+" + codeline(2), "+" + codeline(3)}));
        const QDir m(muestras());
        QCOMPARE(bytesDe(imagenTmp("F1.jpg")), bytesDe(m.filePath("doc002_F.jpg")));
        QCOMPARE(bytesDe(imagenTmp("T2.tif")), bytesDe(m.filePath("doc003_T.tif")));
        QVERIFY(!QFile::exists(imagenTmp("F3.jpg")));

        p->guion.restablece();
        pulsa(hijo<QPushButton>(*frm, "btnSalvar"));
        QCOMPARE(p->guion.textos(),
                 QStringList{"Se leyeron: 2 cheques. Revise si se leyeros todos."});
        QCOMPARE(muestrasDeFrontales(p->inst.dirs.Dir_Imagenes, muestras()), (QList<int>{2, 3}));
    }

    void dispositivoCerradoAlCerrar() {
        abre(2, 0);
        pulsa(hijo<QPushButton>(*frm, "btnLeer"));
        QVERIFY(frm->adaptador().bDeviceOpened());
        pulsa(hijo<QPushButton>(*frm, "btnSalir"));
        QVERIFY(!frm->isVisible());
        QVERIFY(!frm->adaptador().bDeviceOpened());
        QCOMPARE(sim.registro().count("MTMICRCloseDevice(EXCELLA_SIMULADA)"), 1);
    }

    // The images of a run are checked once it ends; the marks go with the
    // cheques that Save stores.
    void avisosDeImagen() {
        abre(2, 3, {{"frontalOscuro", 1}, {"imagenDanada", 3}});
        pulsa(hijo<QPushButton>(*frm, "btnLeer"));
        QTRY_COMPARE(frm->avisoDe("3").aviso, AvisoImagen::Ilegible);
        QCOMPARE(frm->avisoDe("1").aviso, AvisoImagen::Oscura);
        QVERIFY(!frm->avisoDe("2").hay());
        frm->salvar();
        QCOMPARE(TAvisosImagen(p->inst).carga(1).values().size(), 2);
    }
};

QTEST_MAIN(TstTfrmScanerX)
#include "tst_TfrmScanerX.moc"
