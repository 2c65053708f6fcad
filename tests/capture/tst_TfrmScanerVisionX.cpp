// The Vision X capture window and the scanner check of type 5 through the
// real binding on the simulated library, whose engine posts its events from
// a thread of its own.
#include "AvisosImagen.h"
#include "ComprobacionEscaner.h"
#include "ConductorVentanas.h"
#include "ControlSimulador.h"
#include "DiscoConFallos.h"
#include "PresenciaLectores.h"
#include "PruebaVentanas.h"
#include "TAdaptadorVisionX.h"
#include "TEnlaceFoto.h"
#include "TextosCaptura.h"
#include "TfrmInstalarDrivers.h"
#include "TfrmScanerVisionX.h"

#include "CajaMensajes.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
const QString No = QString(QChar(0x00AC));
}

class TstTfrmScanerVisionX : public QObject {
    Q_OBJECT
    PruebaVentanas p;
    ControlSimulador sim{QStringLiteral(SIMULADO_VISIONAPI)};
    std::unique_ptr<TEnlaceVisionAPI> enlace;
    std::unique_ptr<TfrmScanerVisionX> frm;
    QList<int> esperas;

    QString muestras() const { return p->dir.filePath("muestras"); }
    QString imagenTmp(const QString& nombre) const {
        return QDir(p->inst.dirs.Dir_Imagenes_tmp).filePath(nombre);
    }
    // The window, created as at start-up (hidden), on `documentos` samples.
    void crea(int documentos, const QMap<QString, int>& fallos = {}) {
        QMap<QString, int> ajustes{{"pausa", 0}};
        ajustes.insert(fallos);
        QVERIFY(preparaCarpetaMuestras(muestras(), documentos, "VisionX", ajustes));
        sim.establece(muestras());
        p->estado.Escaner.tipo = 5;
        frm = std::make_unique<TfrmScanerVisionX>(*p->dm, *enlace);
        frm->adaptador().fijaEspera([this](int ms) { esperas << ms; });
    }
    void enciende() {
        QVERIFY(frm->enciendeEscaner());
        QTRY_COMPARE(frm->adaptador().estadoDispositivo(), "OnLine"); // parameters sent
    }
    bool esperaFin() { return sim.f<int (*)(int)>("simEsperaFin")(10000) != 0; }
    QString linea(int i, int n) const {
        return QString::fromLatin1(TAdaptadorVisionX::sustituyeCaracteresMICR(
                   codelineMuestra(muestras(), i, "visionx"))) +
               No + QString::number(n);
    }
    // The scanner check of type 5 with the driver of a test.
    void compruebaTipo5(const tDriverPanini& driver) {
        QFile ini(p->inst.ficheros.ficheroConfiguracion);
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[ESCANER]\r\nTipo=5\r\n");
        ini.close();
        TPresenciaLectores lectores(*p->dm, nullptr, frm.get(), driver, nullptr);
        compruebaEstadoEscaner(p->inst, p->estado, lectores, nullptr);
    }

private slots:
    void init() {
        p.prepara();
        QVERIFY(sim.lib.load());
        sim.borraRegistro();
        esperas.clear();
        enlace = std::make_unique<TEnlaceVisionAPI>(QStringLiteral(SIMULADO_VISIONAPI),
                                                    p->inst.dirs.Dir_Aplicacion);
    }
    void cleanup() {
        QVERIFY(esperaFin());
        QCoreApplication::sendPostedEvents(); // what the reader posted before it ended
        frm.reset();
        enlace.reset();
        p.restablece();
    }

    void ventana() {
        crea(0);
        frm->show();
        QCOMPARE(frm->windowTitle(), QString("Escaneo de Cheques. Escáner tipo Panini: Vision X"));
        const QStringList ayuda = hijo<QPlainTextEdit>(*frm, "mmoAyuda")->toPlainText().split('\n');
        QCOMPARE(ayuda.size(), 14);
        QCOMPARE(ayuda[1],
                 "    1º-  Asegúrese de que el lector de cheques está encendido y conectado "
                 "al equipo.");
        QCOMPARE(ayuda[10],
                 "En caso de atasco, presione [Desatascar] para liberar autómaticamente el "
                 "cheque. Si el atasco continúa, desmonte las carcasas ");
        for (const char* b : {"btnLeer", "btnParar", "btnDesatascar", "btnReiniciar", "btnSalir"})
            hijo<QPushButton>(*frm, b);
        emit hijo<TEnlaceFoto>(*frm, "lblDetalle")->pulsado();
        emit hijo<TEnlaceFoto>(*frm, "lblDespiece")->pulsado();
        QCOMPARE(p->guion.direcciones.size(), 2);
        QVERIFY(p->guion.direcciones[0].endsWith("/Pub/Detalle_VisionX.jpg"));
        QVERIFY(p->guion.direcciones[1].endsWith("/Pub/Despiece_VisionX.jpg"));
    }

    // The engine reports to the window from program start: documents fed
    // while it is hidden become lines with their images; showing it starts
    // afresh.
    void eventosConVentanaOculta() {
        crea(3);
        enciende();
        hijo<QPushButton>(*frm, "btnLeer")->click();
        QTRY_COMPARE(frm->lista().size(), 3);
        QVERIFY(!frm->isVisible());
        QCOMPARE(frm->lista(), (QStringList{linea(1, 1), linea(2, 2), linea(3, 3)}));
        QTRY_COMPARE(bytesDe(imagenTmp("T3.tif")),
                     bytesDe(QDir(muestras()).filePath("doc003_T.tif")));
        QVERIFY(esperaFin());
        frm->show();
        QVERIFY(frm->lista().isEmpty());
        QVERIFY(QDir(p->inst.dirs.Dir_Imagenes_tmp).isEmpty());
    }

    // A message raised by an engine event reaches the operator once the event
    // has been handled; the other documents are still read, each line with
    // its own images.
    void mensajeDeUnEvento() {
        crea(3, {{"sinCodeline", 2}});
        enciende();
        frm->show();
        pulsa(hijo<QPushButton>(*frm, "btnLeer"));
        QTRY_COMPARE(frm->lista().size(), 2);
        QTRY_COMPARE(p->guion.textos(), QStringList{TAdaptadorVisionX::MensajeCodeline});
        QVERIFY(p->guion.textos()[0].contains("vuelva a pasarlo por el lector"));
        QCOMPARE(frm->lista()[1], linea(3, 2));
        QTRY_COMPARE(bytesDe(imagenTmp("F2.jpg")),
                     bytesDe(QDir(muestras()).filePath("doc003_F.jpg")));
    }

    // Save stores every line; the list and the temporary images are emptied.
    void salvar() {
        crea(2);
        enciende();
        frm->show();
        pulsa(hijo<QPushButton>(*frm, "btnLeer"));
        QTRY_COMPARE(frm->lista().size(), 2);
        QVERIFY(esperaFin());
        QTRY_VERIFY(QFile::exists(imagenTmp("T2.tif")));
        QTRY_VERIFY(hijo<QPushButton>(*frm, "btnSalvar")->isEnabled()); // the feed has ended
        pulsa(hijo<QPushButton>(*frm, "btnSalvar"));
        QCOMPARE(p->guion.textos(),
                 QStringList{"Se leyeron: 2 cheques. Revise si se leyeron todos."});
        QVERIFY(frm->lista().isEmpty());
        QVERIFY(QDir(p->inst.dirs.Dir_Imagenes_tmp).isEmpty());
        QCOMPARE(filasDe(p->inst.rutaTablaTalones(1), "SELECT Pk_Talon FROM Talones").size(), 2);
    }

    // From the first document to the end of the feed, "&Leer cheques",
    // Save and Clear wait and the state line says that the reader is
    // reading; Save then stores every document with its own images.
    void duranteLaAlimentacion() {
        crea(4, {{"pausa", 200}});
        enciende();
        frm->show();
        pulsa(hijo<QPushButton>(*frm, "btnLeer"));
        QTRY_COMPARE(frm->lista().size(), 1);
        for (const char* b : {"btnLeer", "btnSalvar", "btnLimpiar"})
            QVERIFY2(!hijo<QPushButton>(*frm, b)->isEnabled(), b);
        QVERIFY(hijo<QLabel>(*frm, "lblEstado")->text().contains(TextosCaptura::TextoLeyendo));
        frm->salvar();
        frm->limpiar();
        QVERIFY(p->guion.textos().isEmpty());
        QCOMPARE(sim.registro().count("StartFeeding(7)"), 1);
        QVERIFY(esperaFin());
        QTRY_VERIFY(hijo<QPushButton>(*frm, "btnSalvar")->isEnabled());
        QVERIFY(hijo<QPushButton>(*frm, "btnLeer")->isEnabled());
        QCOMPARE(hijo<QLabel>(*frm, "lblEstado")->text(), TextosCaptura::documentosLeidos(4));
        pulsa(hijo<QPushButton>(*frm, "btnSalvar"));
        QCOMPARE(p->guion.textos(), QStringList{TextosCaptura::todosSalvados(4, false)});
        QCOMPARE(muestrasDeFrontales(p->inst.dirs.Dir_Imagenes, muestras()),
                 (QList<int>{1, 2, 3, 4}));
    }

    // Boxes answered while documents arrive lose none: lines that arrive
    // while the Exit question is open wait for it and come in order after
    // "Volver"; a document the reader could not read is told in a box while
    // the others go on arriving. Save after the feed stores every document
    // read, each with its own pictures.
    void cajasMientrasLleganDocumentos() {
        crea(6, {{"pausa", 120}, {"sinCodeline", 4}});
        enciende();
        frm->show();
        pulsa(hijo<QPushButton>(*frm, "btnLeer"));
        QTRY_COMPARE(frm->lista().size(), 1);
        bool retenidas = false;
        p->guion.mientrasAbierta = [&](const TGuionDialogos::Caja& caja) {
            if (caja.tipo == TGuionDialogos::Tipo::Pregunta) {
                retenidas = QTest::qWaitFor([&] { return !frm->lineasEnEspera().isEmpty(); }, 5000);
                QCOMPARE(frm->lista().size(), 1);
            } else {
                QTest::qWait(300); // the operator reads; documents go on arriving
            }
        };
        p->guion.fijaSiguienteRespuesta(CajaMensajes::SegundoBoton); // "Volver"
        pulsa(hijo<QPushButton>(*frm, "btnSalir"));
        QVERIFY(retenidas);
        QVERIFY(frm->isVisible());
        QVERIFY(esperaFin());
        QTRY_VERIFY(hijo<QPushButton>(*frm, "btnSalvar")->isEnabled());
        QTRY_COMPARE(p->guion.textos().size(), 2); // the question, then the reader's box
        p->guion.mientrasAbierta = nullptr;
        QCOMPARE(frm->lista(),
                 (QStringList{linea(1, 1), linea(2, 2), linea(3, 3), linea(5, 4), linea(6, 5)}));
        p->guion.restablece();
        pulsa(hijo<QPushButton>(*frm, "btnSalvar"));
        QCOMPARE(p->guion.textos(), QStringList{TextosCaptura::todosSalvados(5, false)});
        QCOMPARE(muestrasDeFrontales(p->inst.dirs.Dir_Imagenes, muestras()),
                 (QList<int>{1, 2, 3, 5, 6}));
    }

    // Lines whose images the disk refused stay with their images; the next
    // feed numbers its documents after them, so no number names two
    // documents, and the next Save stores every line with its own pictures.
    void lineasQueQuedanNoCompartenNumero() {
        crea(2);
        enciende();
        frm->show();
        const auto alimenta = [&] {
            pulsa(hijo<QPushButton>(*frm, "btnLeer"));
            QVERIFY(esperaFin());
            QTRY_VERIFY(hijo<QPushButton>(*frm, "btnSalvar")->isEnabled());
        };
        alimenta();
        const TDiscoConFallos disco = TDiscoConFallos::soloLectura(p->inst.dirs.Dir_Imagenes);
        p->dm->base().destinoFicheros = &disco;
        pulsa(hijo<QPushButton>(*frm, "btnSalvar"));
        p->dm->base().destinoFicheros = nullptr;
        QCOMPARE(frm->lista(), (QStringList{linea(1, 1), linea(2, 2)}));
        alimenta();
        QCOMPARE(frm->lista(), (QStringList{linea(1, 1), linea(2, 2), linea(1, 3), linea(2, 4)}));
        const QDir m(muestras());
        for (const char* f : {"F1.jpg", "F3.jpg"})
            QCOMPARE(bytesDe(imagenTmp(f)), bytesDe(m.filePath("doc001_F.jpg")));
        for (const char* f : {"T2.tif", "T4.tif"})
            QCOMPARE(bytesDe(imagenTmp(f)), bytesDe(m.filePath("doc002_T.tif")));
        p->guion.restablece();
        pulsa(hijo<QPushButton>(*frm, "btnSalvar"));
        QCOMPARE(p->guion.textos(), QStringList{TextosCaptura::todosSalvados(4, false)});
        QCOMPARE(muestrasDeFrontales(p->inst.dirs.Dir_Imagenes, muestras()), (QList<int>{1, 2}));
        QVERIFY(QDir(p->inst.dirs.Dir_Imagenes_tmp).isEmpty());
    }

    // The check of type 5: the driver (here the access rule) present or
    // installed through its window, then the engine.
    void comprobacion_data() {
        QTest::addColumn<bool>("presente");
        QTest::addColumn<QString>("instalacion"); // what the operator does in the window
        QTest::addColumn<bool>("encendido");
        QTest::addColumn<QStringList>("mensajes");
        QTest::newRow("driver present") << true << "" << true << QStringList{};
        QTest::newRow("installed")
            << false << "btnAceptar" << true << QStringList{TfrmInstalarDrivers::MensajeInstalado};
        QTest::newRow("installation cancelled")
            << false << "btnCancelar" << false
            << QStringList{TfrmInstalarDrivers::MensajeCancelado};
    }
    void comprobacion() {
        QFETCH(bool, presente);
        QFETCH(QString, instalacion);
        QFETCH(bool, encendido);
        QFETCH(QStringList, mensajes);
        crea(0);
        tDriverPanini driver;
        driver.instalado = p->dir.filePath("regla.rules");
        if (presente)
            QVERIFY(QFile(driver.instalado).open(QIODevice::WriteOnly));
        driver.guion64 = driver.guion32 = p->dir.filePath("instala.sh");
        driver.ejecuta = [](const QString&) { return QString(); };
        ConductorVentanas c;
        c.alMostrar<TfrmInstalarDrivers>(
            [&instalacion](TfrmInstalarDrivers* w) { pulsa(hijo<QPushButton>(*w, instalacion)); });
        compruebaTipo5(driver);
        QCOMPARE(c.vistas.size(), presente ? 0 : 1);
        QCOMPARE(frm->adaptador().encendido(), encendido);
        QCOMPARE(sim.registro().contains("StartUp(1034)"), encendido);
        QCOMPARE(p->guion.textos(), mensajes);
    }

    // No reader: one retry 5 seconds later, then the message; "&Leer cheques"
    // says that no reader was found.
    void sinLector() {
        crea(1, {{"sinLector", 1}});
        tDriverPanini driver;
        driver.instalado = p->dir.filePath("regla.rules");
        QVERIFY(QFile(driver.instalado).open(QIODevice::WriteOnly));
        compruebaTipo5(driver);
        QCOMPARE(esperas, QList<int>{5000});
        QCOMPARE(sim.registro().count("VApiGetDeviceList(15)"), 2);
        QCOMPARE(p->guion.textos(), QStringList{TextosCaptura::mensajeSinVisionX(p->inst)});
        frm->show();
        pulsa(hijo<QPushButton>(*frm, "btnLeer"));
        QCOMPARE(p->guion.textos().last(), TAdaptadorVisionX::MensajeSinLector);
    }

    // The images are checked as the documents come and when the feed ends;
    // only the faulty one is marked, and Save keeps its mark.
    void avisosDeImagen() {
        crea(3, {{"frontalEnBlanco", 2}});
        enciende();
        frm->show();
        hijo<QPushButton>(*frm, "btnLeer")->click();
        QTRY_COMPARE(frm->lista().size(), 3);
        QTRY_COMPARE(frm->avisoDe("2").aviso, AvisoImagen::EnBlanco);
        QVERIFY(esperaFin());
        QTRY_VERIFY(hijo<QPushButton>(*frm, "btnSalvar")->isEnabled());
        frm->salvar();
        QVERIFY(!frm->avisoDe("1").hay() && !frm->avisoDe("3").hay());
        const QMap<int, tAvisoImagen> guardados = TAvisosImagen(p->inst).carga(1);
        QCOMPARE(guardados.size(), 1);
        QCOMPARE(guardados.first().aviso, AvisoImagen::EnBlanco);
    }
};

QTEST_MAIN(TstTfrmScanerVisionX)
#include "tst_TfrmScanerVisionX.moc"
