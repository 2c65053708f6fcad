// The Seac Banche binding and adapter driven through the simulated library,
// exactly as the capture window drives a reader.
#include "ControlSimulador.h"
#include "DiagnosticoPrueba.h"
#include "TAdaptadorSB.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

const QString No = QString(QChar(0x00AC));

struct ControlSimuladorSB : ControlSimulador {
    ControlSimuladorSB() : ControlSimulador(QStringLiteral(SIMULADO_RD3LIB)) {}
    bool esperaFin() { return f<int (*)(int)>("simEsperaFin")(10000) != 0; }
};

// What reached the window, in order, and whether all of it came on the
// user-interface thread.
struct Ventana {
    QStringList eventos;
    QStringList lineas;
    bool fueraDelHilo = false;

    void conecta(TAdaptadorSB& a) {
        auto anota = [this](const QString& e) {
            fueraDelHilo |= QThread::currentThread() != qApp->thread();
            eventos << e;
        };
        QObject::connect(&a, &TAdaptadorSB::lineaLeida, [this, anota](const QString& l, int n) {
            lineas << l;
            anota(QStringLiteral("linea %1").arg(n));
        });
        QObject::connect(&a, &TAdaptadorSB::imagenGuardada, [anota] { anota("imagen"); });
        QObject::connect(&a, &TAdaptadorSB::documentoHecho, [anota] { anota("documento"); });
        QObject::connect(&a, &TAdaptadorSB::alimentadorVacio, [anota] { anota("vacio"); });
        QObject::connect(&a, &TAdaptadorSB::lecturaTerminada, [anota] { anota("fin"); });
        QObject::connect(&a, &TAdaptadorSB::errorLector, [anota](int c, const QString& t) {
            anota(QStringLiteral("error %1 %2").arg(c).arg(t));
        });
        QObject::connect(&a, &TAdaptadorSB::mensaje,
                         [anota](const QString& t) { anota("mensaje " + t); });
    }
    bool esperaFin() {
        return QTest::qWaitFor([this] { return eventos.contains("fin"); }, 10000);
    }
};

// The binding on a library with the diagnostic log on, its adapter, and a
// window that records.
struct Lector {
    DiagnosticoPrueba diagnostico;
    TEnlaceRd3lib enlace;
    TAdaptadorSB adaptador;
    Ventana ventana;
    Lector(const QString& biblioteca, const QString& dirAplicacion)
        : enlace(biblioteca, dirAplicacion, &diagnostico.registro), adaptador(enlace) {
        ventana.conecta(adaptador);
    }
};

} // namespace

class TstEnlaceSB : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void tresDocumentosYSegundaLectura();
    void presenciaRepetidaHastaQuePasa();
    void fallaImageSetupYSigueLaLectura();
    void pararYDesatascarLlaman();
    void fallosDelLector_data();
    void fallosDelLector();
    void ventanaCerradaNoRecibeLineas();
    void sinBiblioteca();
    void bibliotecaSinUnaFuncion();
    void lugaresDeBusqueda();

private:
    // Sample folder with the first `n` shipped documents and these settings.
    void preparaMuestras(int n, const QMap<QString, int>& ajustes = {});
    QString imagenes() const { return m_dir->filePath("Imagenes_tmp"); }
    QString muestras() const { return m_dir->filePath("muestras"); }

    std::unique_ptr<QTemporaryDir> m_dir;
    ControlSimuladorSB m_sim;
};

void TstEnlaceSB::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_dir->path()).mkpath("Imagenes_tmp"));
    QVERIFY(m_sim.lib.load());
    m_sim.borraRegistro();
}

void TstEnlaceSB::cleanup() {
    QVERIFY(m_sim.esperaFin());
    m_dir.reset();
}

void TstEnlaceSB::preparaMuestras(int n, const QMap<QString, int>& ajustes) {
    QMap<QString, int> conPausa{{"pausa", 0}};
    conPausa.insert(ajustes);
    QVERIFY(preparaCarpetaMuestras(muestras(), n, "SeacBanche", conPausa));
    m_sim.establece(muestras());
}

void TstEnlaceSB::tresDocumentosYSegundaLectura() {
    preparaMuestras(3);
    Lector l(QStringLiteral(SIMULADO_RD3LIB), m_dir->path());
    QVERIFY2(l.enlace.cargada(), qPrintable(l.enlace.biblioteca().motivo()));
    l.adaptador.alCrearVentana();

    QVERIFY(l.adaptador.leerCheques(imagenes(), {}));
    QVERIFY(l.ventana.esperaFin());
    QVERIFY(!l.ventana.fueraDelHilo);
    // In order: each line, its three images, its document, then the end.
    const QStringList porDocumento{"imagen", "imagen", "imagen", "documento"};
    QStringList esperados;
    for (int n = 1; n <= 3; ++n)
        esperados << QStringLiteral("linea %1").arg(n) << porDocumento;
    esperados << "vacio"
              << "fin";
    QCOMPARE(l.ventana.eventos, esperados);
    for (int n = 1; n <= 3; ++n) {
        QCOMPARE(l.ventana.lineas[n - 1],
                 QString::fromLatin1(codelineMuestra(muestras(), n, "seac")) + No +
                     QString::number(n));
        const QString doc =
            QDir(muestras()).filePath(QStringLiteral("doc%1").arg(n, 3, 10, QChar(u'0')));
        const QDir tmp(imagenes());
        QCOMPARE(bytesDe(tmp.filePath(QStringLiteral("F%1.jpg").arg(n))), bytesDe(doc + "_F.jpg"));
        QCOMPARE(bytesDe(tmp.filePath(QStringLiteral("F%1.tif").arg(n))), bytesDe(doc + "_F.tif"));
        QCOMPARE(bytesDe(tmp.filePath(QStringLiteral("T%1.tif").arg(n))), bytesDe(doc + "_T.tif"));
    }
    QVERIFY(!l.adaptador.primeraLectura());
    QCOMPARE(l.adaptador.documentosHechos(), 3);

    // The calls, with their arguments and in their order.
    const QString carpeta = QDir::toNativeSeparators(imagenes()) + QDir::separator();
    QStringList llamadas{"rdConfigAPI(4099,1)",
                         "rdInit(-1)",
                         "rdReset(0)",
                         "rdDoubleDetect(60)",
                         "rdsCameraSetup(0,1,0,0)",
                         "rdsImageDirectory(15," + carpeta + ")",
                         "rdsImageSetup(1,100,5,256)",
                         "rdsImageSetup(2,100,4,256)",
                         "rdsImageSetup(4,100,5,256)",
                         "rdsImageSetup(8,100,4,256)",
                         "rdsScanDimensionsMM(200,90,0,0)",
                         "rdOperation(0)",
                         "rdGetLineMode(0)",
                         "rdOnCodeLine",
                         "rdOnError",
                         "rdOnFeederEmpty",
                         "rdOnAllDone",
                         "rdOnImageStored(2)",
                         "rdOnDocumentDone",
                         "rdsSetSort(0)",
                         "rdReadMode(1)",
                         "rdStart()"};
    for (int n = 1; n <= 3; ++n)
        llamadas << QStringLiteral("rdsImageNameFormat(1,F%1)").arg(n)
                 << QStringLiteral("rdsImageNameFormat(2,F%1)").arg(n)
                 << QStringLiteral("rdsImageNameFormat(4,T%1)").arg(n)
                 << QStringLiteral("rdsImageNameFormat(8,T%1)").arg(n)
                 << "rdsBinarizationSetup(2,1,60)"
                 << "rdsBinarizationSetup(8,1,60)";
    QCOMPARE(m_sim.registro(), llamadas);

    // A second run continues the list, and the presence check is not repeated.
    m_sim.borraRegistro();
    l.ventana.eventos.clear();
    QVERIFY(l.adaptador.leerCheques(imagenes(), l.ventana.lineas));
    QVERIFY(l.ventana.esperaFin());
    QCOMPARE(l.ventana.lineas.size(), 6);
    QVERIFY(l.ventana.lineas[3].endsWith(No + "4"));
    QVERIFY(l.ventana.lineas[5].endsWith(No + "6"));
    QVERIFY(QFile::exists(QDir(imagenes()).filePath("T6.tif")));
    QVERIFY(!m_sim.registro().contains("rdInit(-1)"));
    QCOMPARE(m_sim.registro().first(), "rdReset(0)");
}

void TstEnlaceSB::presenciaRepetidaHastaQuePasa() {
    preparaMuestras(1, {{"sinLector", 1}});
    Lector l(QStringLiteral(SIMULADO_RD3LIB), m_dir->path());
    QVERIFY(!l.adaptador.compruebaEstadoEscaner());
    QVERIFY(!l.adaptador.leerCheques(imagenes(), {}));
    QVERIFY(!l.adaptador.leerCheques(imagenes(), {}));
    QCOMPARE(l.ventana.eventos, QStringList(2, "mensaje " + TAdaptadorSB::MensajeSinLector));
    QCOMPARE(m_sim.registro(), QStringList(3, "rdInit(-1)")); // no run was started
    QCOMPARE(l.diagnostico.lineas(),
             QStringList(3, "Error del lector Seac Banche en rdInit, código -1: " +
                                TAdaptadorSB::MensajeSinLector));
    QVERIFY(l.adaptador.primeraLectura());

    QSettings(QDir(muestras()).filePath("simulador.ini"), QSettings::IniFormat)
        .remove("SeacBanche/sinLector");
    QVERIFY(l.adaptador.leerCheques(imagenes(), {}));
    QVERIFY(l.ventana.esperaFin());
    QVERIFY(!l.adaptador.primeraLectura());
    QVERIFY(l.adaptador.leerCheques(imagenes(), l.ventana.lineas));
    QVERIFY(m_sim.esperaFin());
    QCOMPARE(m_sim.registro().count("rdInit(-1)"), 4);
}

void TstEnlaceSB::fallaImageSetupYSigueLaLectura() {
    preparaMuestras(2, {{"fallaImageSetup", 1}});
    Lector l(QStringLiteral(SIMULADO_RD3LIB), m_dir->path());
    QVERIFY(l.adaptador.leerCheques(imagenes(), {}));
    QVERIFY(l.ventana.esperaFin());
    QCOMPARE(l.ventana.eventos.first(),
             "mensaje Falla la carga de parámetros: la función rdsImageSetup del lector "
             "falló con el código -5.");
    QCOMPARE(l.diagnostico.lineas(),
             QStringList{"Error del lector Seac Banche en rdsImageSetup, código -5: la función "
                         "rdsImageSetup del lector falló con el código -5."});
    const QStringList llamadas = m_sim.registro();
    QCOMPARE(llamadas.count("rdsImageSetup(1,100,5,256)"), 1);
    QVERIFY(!llamadas.contains("rdsImageSetup(2,100,4,256)"));
    QVERIFY(!llamadas.contains("rdsScanDimensionsMM(200,90,0,0)"));
    QVERIFY(llamadas.contains("rdOperation(0)"));
    QVERIFY(llamadas.contains("rdStart()"));
    QCOMPARE(l.ventana.lineas.size(), 2);
}

void TstEnlaceSB::pararYDesatascarLlaman() {
    preparaMuestras(3, {{"pausa", 300}});
    Lector l(QStringLiteral(SIMULADO_RD3LIB), m_dir->path());
    QVERIFY(l.adaptador.leerCheques(imagenes(), {}));
    QVERIFY(l.adaptador.leyendo());
    QTRY_COMPARE(l.ventana.lineas.size(), 1);
    l.adaptador.parar();
    QVERIFY(!l.adaptador.leyendo());
    QVERIFY(l.ventana.esperaFin());
    QVERIFY(l.ventana.lineas.size() < 3);
    QVERIFY(!l.ventana.eventos.contains("vacio"));
    l.adaptador.desatascar();
    const QStringList llamadas = m_sim.registro();
    QVERIFY(llamadas.contains("rdStop()"));
    QCOMPARE(llamadas.last(), "rdEject()");
    // "&Reiniciar": preferences back to their defaults, configuration, presence.
    m_sim.borraRegistro();
    l.adaptador.reiniciar();
    QCOMPARE(m_sim.registro(), (QStringList{"rdConfigAPI(4099,1)", "rdInit(-1)"}));
}

void TstEnlaceSB::fallosDelLector_data() {
    QTest::addColumn<QString>("ajuste");
    QTest::addColumn<QStringList>("lineas");      // the sequence numbers listed
    QTest::addColumn<QString>("error");           // the error event, or empty
    QTest::addColumn<QStringList>("sinImagen");   // files that must not exist
    QTest::addColumn<QStringList>("diagnostico"); // lines of the log
    const QString aviso = "Error del lector Seac Banche en el aviso de error (rdOnError), ";
    QTest::newRow("jam on the second")
        << "atasco" << QStringList{"1"} << "error 1024 Atasco en zona transmisión" << QStringList{}
        << QStringList{aviso + "código 1024: Atasco en zona transmisión"};
    QTest::newRow("double feed on the second")
        << "dobleAlimentacion" << QStringList{"1"} << "error 4096 Documento doble" << QStringList{}
        << QStringList{aviso + "código 4096: Documento doble"};
    QTest::newRow("unreadable second")
        << "ilegible" << QStringList{"1", "2", "3"} << QString() << QStringList{} << QStringList{};
    QTest::newRow("second without images")
        << "sinImagenes" << QStringList{"1", "2", "3"} << QString()
        << QStringList{"F2.jpg", "F2.tif", "T2.tif"} << QStringList{};
}

void TstEnlaceSB::fallosDelLector() {
    QFETCH(QString, ajuste);
    QFETCH(QStringList, lineas);
    QFETCH(QString, error);
    QFETCH(QStringList, sinImagen);
    QFETCH(QStringList, diagnostico);
    preparaMuestras(3, {{ajuste, 2}});
    Lector l(QStringLiteral(SIMULADO_RD3LIB), m_dir->path());
    // A file left under number 2 must not be taken for the second document's.
    QFile viejo(QDir(imagenes()).filePath("F2.jpg"));
    QVERIFY(viejo.open(QIODevice::WriteOnly));
    viejo.close();
    QVERIFY(l.adaptador.leerCheques(imagenes(), {}));
    QVERIFY(l.ventana.esperaFin());
    QCOMPARE(l.ventana.lineas.size(), lineas.size());
    for (qsizetype i = 0; i < lineas.size(); ++i)
        QVERIFY(l.ventana.lineas[i].endsWith(No + lineas[i]));
    QCOMPARE(l.adaptador.hayError(), !error.isEmpty());
    if (!error.isEmpty())
        QVERIFY(l.ventana.eventos.contains(error));
    if (ajuste == "ilegible")
        QVERIFY(l.ventana.lineas[1].contains('?') && !l.ventana.lineas[0].contains('?'));
    for (const QString& f : sinImagen)
        QVERIFY2(!QFile::exists(QDir(imagenes()).filePath(f)), qPrintable(f));
    QCOMPARE(l.diagnostico.lineas(), diagnostico);
}

void TstEnlaceSB::ventanaCerradaNoRecibeLineas() {
    preparaMuestras(3, {{"pausa", 300}});
    Lector l(QStringLiteral(SIMULADO_RD3LIB), m_dir->path());
    QVERIFY(l.adaptador.leerCheques(imagenes(), {}));
    QTRY_COMPARE(l.ventana.lineas.size(), 1);
    l.adaptador.cierraVentana();
    QVERIFY(l.ventana.esperaFin());
    QCOMPARE(l.ventana.lineas.size(), 1);
    // The later documents' images went under names that no line uses.
    QVERIFY(QFile::exists(QDir(imagenes()).filePath("F1.jpg")));
    QVERIFY(!QFile::exists(QDir(imagenes()).filePath("F2.jpg")));
    QVERIFY(!QFile::exists(QDir(imagenes()).filePath("F3.jpg")));
    QVERIFY(QFile::exists(QDir(imagenes()).filePath("descartadaF.jpg")));
}

void TstEnlaceSB::sinBiblioteca() {
    const QString ruta = m_dir->filePath("no_existe/librd3lib.so");
    Lector l(ruta, m_dir->path());
    QVERIFY(!l.enlace.cargada());
    QVERIFY(l.enlace.biblioteca().motivo().contains(ruta));
    l.adaptador.alCrearVentana();
    QVERIFY(!l.adaptador.compruebaEstadoEscaner());
    QVERIFY(!l.adaptador.leerCheques(imagenes(), {}));
    l.adaptador.parar();
    l.adaptador.desatascar();
    l.adaptador.reiniciar();
    QCOMPARE(l.ventana.eventos.first(), "mensaje " + TAdaptadorSB::MensajeSinLector);
    QVERIFY(l.ventana.lineas.isEmpty());
}

void TstEnlaceSB::bibliotecaSinUnaFuncion() {
    Lector l(QStringLiteral(INCOMPLETO_RD3LIB), m_dir->path());
    QVERIFY(!l.enlace.cargada());
    QVERIFY(l.enlace.biblioteca().motivo().contains("rdEject"));
    QVERIFY(l.enlace.biblioteca().motivo().contains(QStringLiteral(INCOMPLETO_RD3LIB)));
    QVERIFY(!l.adaptador.leerCheques(imagenes(), {}));
    l.adaptador.desatascar();
    QCOMPARE(l.ventana.eventos.first(), "mensaje " + TAdaptadorSB::MensajeSinLector);
}

void TstEnlaceSB::lugaresDeBusqueda() {
    const QString dir = m_dir->path();
    QCOMPARE(candidatosBiblioteca(QString(), dir, "rd3lib"),
             (QStringList{QDir(dir).filePath(ficheroDeFabricante("rd3lib")),
                          ficheroDeFabricante("rd3lib")}));
    QCOMPARE(candidatosBiblioteca(" librd3lib_simulado.so ", dir, "rd3lib"),
             QStringList{QDir(dir).filePath("librd3lib_simulado.so")});
    QCOMPARE(candidatosBiblioteca("/opt/lector/librd3lib.so", dir, "rd3lib"),
             QStringList{"/opt/lector/librd3lib.so"});
    // With the default places and no such file anywhere: no reader, both named.
    TEnlaceRd3lib porDefecto(QString(), dir);
    QVERIFY(!porDefecto.cargada());
    QVERIFY(porDefecto.biblioteca().motivo().contains(
        QDir(dir).filePath(ficheroDeFabricante("rd3lib"))));
}

QTEST_GUILESS_MAIN(TstEnlaceSB)
#include "tst_enlace_sb.moc"
