// The Vision X binding and adapter driven through the simulated library,
// whose engine posts its events from threads of its own.
#include "ControlSimulador.h"
#include "DiagnosticoPrueba.h"
#include "TAdaptadorVisionX.h"

#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstring>

namespace {

const QString No = QString(QChar(0x00AC));

struct Lector {
    DiagnosticoPrueba diagnostico;
    TEnlaceVisionAPI enlace;
    TAdaptadorVisionX adaptador;
    QStringList lineas;
    QStringList mensajes;
    QList<int> esperas;
    bool fueraDelHilo = false;
    Lector(const QString& biblioteca, const QString& dir)
        : enlace(biblioteca, dir, &diagnostico.registro), adaptador(enlace) {
        QObject::connect(&adaptador, &TAdaptadorVisionX::lineaLeida, [this](const QString& l, int) {
            fueraDelHilo |= QThread::currentThread() != qApp->thread();
            lineas << l;
        });
        QObject::connect(&adaptador, &TAdaptadorVisionX::mensaje,
                         [this](const QString& m) { mensajes << m; });
        adaptador.fijaEspera([this](int ms) { esperas << ms; });
    }
};

int32_t entero(const QByteArray& b, int desplazamiento) {
    int32_t v = 0;
    std::memcpy(&v, b.constData() + desplazamiento, sizeof v);
    return v;
}

} // namespace

class TstEnlaceVisionX : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void parametrosEnSuSitio();
    void sustitucion_data();
    void sustitucion();
    void sinLectorReintentaYAvisa();
    void lecturaConVentanaOculta();
    void esperaMientrasCargaParametros();
    void botonesSegunEstado();
    void documentoSinCodelineNoPisaImagenes();
    void atascoAlEmpezar();

private:
    void prepara(int n, const QMap<QString, int>& ajustes = {});
    QString imagenes() const { return m_dir->filePath("Imagenes_tmp"); }
    QString muestras() const { return m_dir->filePath("muestras"); }
    QByteArray imagen(const QString& nombre) const {
        return bytesDe(QDir(imagenes()).filePath(nombre));
    }
    QByteArray muestra(int i, const char* sufijo) const {
        return bytesDe(QDir(muestras()).filePath(nombreMuestra(i) + sufijo));
    }
    // Starts the engine and waits until the parameters were sent.
    void enciende(Lector& l);
    bool esperaFin() { return m_sim.f<int (*)(int)>("simEsperaFin")(10000) != 0; }

    std::unique_ptr<QTemporaryDir> m_dir;
    ControlSimulador m_sim{QStringLiteral(SIMULADO_VISIONAPI)};
};

void TstEnlaceVisionX::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_dir->path()).mkpath("Imagenes_tmp"));
    QVERIFY(m_sim.lib.load());
    m_sim.borraRegistro();
}

void TstEnlaceVisionX::cleanup() {
    QVERIFY(esperaFin());
    QCoreApplication::sendPostedEvents(); // what the reader posted before it ended
}

void TstEnlaceVisionX::prepara(int n, const QMap<QString, int>& ajustes) {
    QMap<QString, int> conPausa{{"pausa", 0}};
    conPausa.insert(ajustes);
    QVERIFY(preparaCarpetaMuestras(muestras(), n, "VisionX", conPausa));
    m_sim.establece(muestras());
}

void TstEnlaceVisionX::enciende(Lector& l) {
    QVERIFY(l.adaptador.enciendeEscaner());
    QVERIFY(l.adaptador.encendido());
    QTRY_COMPARE(l.adaptador.estadoDispositivo(), "OnLine");
}

void TstEnlaceVisionX::parametrosEnSuSitio() {
    const TParametrosConfig p = TAdaptadorVisionX::configParametros();
    QByteArray b(reinterpret_cast<const char*>(&p), sizeof p);
    QCOMPARE(b.size(), 520);
    QCOMPARE(entero(b, 0), -1);
    QCOMPARE(entero(b, 4), 0);
    QCOMPARE(entero(b, 8), 0);
    QCOMPARE(entero(b, 12), 2);
    QCOMPARE(b[16], '?');
    const int32_t imagenes[4][5] = {
        {11, 2, 300, 256, 75}, {1, 2, 100, 256, 9}, {1, 2, 100, 256, 9}, {0, 0, 0, 0, 0}};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 5; ++j)
            QCOMPARE(entero(b, 28 + 20 * i + 4 * j), imagenes[i][j]);
    QCOMPARE(b.mid(17, 3) + b.mid(20, 8) + b.mid(108, 412), QByteArray(423, '\0'));
}

void TstEnlaceVisionX::sustitucion_data() {
    QTest::addColumn<QByteArray>("leida");
    QTest::addColumn<QByteArray>("linea");
    QTest::newRow("symbols") << QByteArray("<1234567>1234;;5678;;0123456789;;4212;00000012345<")
                             << QByteArray("+1234567#1234--5678--0123456789--4212-00000012345+");
    QTest::newRow("colon and greater-than") << QByteArray("<12:4567>") << QByteArray("+12>4567#");
    QTest::newRow("blanks in the digit spans")
        << QByteArray("< 234567> 234  5 78  01234 6789  4 12 0000")
        << QByteArray("+?234567#?234  5?78  01234?6789  4?12 0000");
    QTest::newRow("short line") << QByteArray("<12 ") << QByteArray("+12?");
}

void TstEnlaceVisionX::sustitucion() {
    QFETCH(QByteArray, leida);
    QFETCH(QByteArray, linea);
    QCOMPARE(TAdaptadorVisionX::sustituyeCaracteresMICR(leida), linea);
}

void TstEnlaceVisionX::sinLectorReintentaYAvisa() {
    prepara(1, {{"sinLector", 1}});
    Lector l(QStringLiteral(SIMULADO_VISIONAPI), m_dir->path());
    QVERIFY(!l.adaptador.enciendeEscaner());
    QCOMPARE(l.esperas, QList<int>{TAdaptadorVisionX::EsperaReintento});
    QCOMPARE(m_sim.registro().count("VApiGetDeviceList(15)"), 2);
    l.adaptador.leerCheques(imagenes(), {});
    QCOMPARE(l.mensajes, QStringList{TAdaptadorVisionX::MensajeSinLector});
}

void TstEnlaceVisionX::lecturaConVentanaOculta() {
    prepara(3);
    Lector l(QStringLiteral(SIMULADO_VISIONAPI), m_dir->path());
    enciende(l);
    QVERIFY(m_sim.registro().contains(
        "SetDeviceParameters(7,MICR=-1,0,0,2,rechazo=?,F1=11,2,300,256,75,F2=1,2,100,256,9,"
        "T1=1,2,100,256,9,T2=0,0,0,0,0)"));
    l.adaptador.leerCheques(imagenes(), {});
    QTRY_COMPARE(l.lineas.size(), 3);
    QTRY_COMPARE(m_sim.registro().count("FreeImagesBuffer(3)"), 1);
    QVERIFY(!l.fueraDelHilo);
    for (int n = 1; n <= 3; ++n) {
        const QByteArray esperada =
            TAdaptadorVisionX::sustituyeCaracteresMICR(codelineMuestra(muestras(), n, "visionx"));
        QCOMPARE(l.lineas[n - 1], QString::fromLatin1(esperada) + No + QString::number(n));
        QCOMPARE(imagen(QStringLiteral("F%1.jpg").arg(n)), muestra(n, "_F.jpg"));
        QCOMPARE(imagen(QStringLiteral("F%1.tif").arg(n)), muestra(n, "_F.tif"));
        QCOMPARE(imagen(QStringLiteral("T%1.tif").arg(n)), muestra(n, "_T.tif"));
    }
    QVERIFY(m_sim.registro().contains("SetPocket(7,2,1)"));
    QVERIFY(l.mensajes.isEmpty());
    // Numbering continues across runs.
    QVERIFY(esperaFin());
    l.adaptador.leerCheques(imagenes(), l.lineas);
    QTRY_COMPARE(l.lineas.size(), 6);
    QVERIFY(l.lineas[5].endsWith(No + "6"));
    QTRY_COMPARE(imagen("T6.tif"), muestra(3, "_T.tif"));
}

void TstEnlaceVisionX::esperaMientrasCargaParametros() {
    prepara(1, {{"fallaParametros", 1}});
    Lector l(QStringLiteral(SIMULADO_VISIONAPI), m_dir->path());
    QVERIFY(l.adaptador.enciendeEscaner());
    QTRY_COMPARE(l.mensajes, QStringList{"Error simulado del motor 0"}); // errorAPI(0)
    l.adaptador.leerCheques(imagenes(), {});
    QCOMPARE(l.mensajes.last(), TAdaptadorVisionX::MensajeEspera);
    QCOMPARE(l.diagnostico.lineas(),
             (QStringList{"Error del lector Vision X en ChangeParameters, código 0: Error simulado "
                          "del motor 0",
                          "Error del lector Vision X en OnLine, código 0: " +
                              TAdaptadorVisionX::MensajeEspera}));
}

void TstEnlaceVisionX::botonesSegunEstado() {
    prepara(3, {{"pausa", 500}});
    Lector l(QStringLiteral(SIMULADO_VISIONAPI), m_dir->path());
    enciende(l);
    l.adaptador.parar(); // "OnLine": nothing
    QVERIFY(!m_sim.registro().contains("StopFeeding(7)"));
    l.adaptador.leerCheques(imagenes(), {});
    QTRY_COMPARE(l.lineas.size(), 1);
    QCOMPARE(l.adaptador.estadoDispositivo(), "Feeding");
    l.adaptador.desatascar(); // "Feeding": nothing
    l.adaptador.reiniciar();  // "Feeding": nothing
    QVERIFY(!m_sim.registro().contains("FreeTrack(7,1)"));
    QVERIFY(!m_sim.registro().contains("ShutDown(7)"));
    l.adaptador.parar();
    QVERIFY(m_sim.registro().contains("StopFeeding(7)"));
    QVERIFY(esperaFin());
    // Everything the reader posted before it ended is delivered now.
    QCoreApplication::sendPostedEvents();
    QCOMPARE(l.lineas.size(), 1); // no document after the stop
    l.adaptador.desatascar();
    QVERIFY(m_sim.registro().contains("FreeTrack(7,1)"));
    m_sim.borraRegistro();
    l.adaptador.reiniciar();
    QCOMPARE(m_sim.registro().mid(0, 2), (QStringList{"ShutDown(7)", "StartUp(1034)"}));
    QTRY_COMPARE(l.adaptador.estadoDispositivo(), "OnLine"); // parameters sent again
    QVERIFY(l.mensajes.isEmpty());
}

void TstEnlaceVisionX::documentoSinCodelineNoPisaImagenes() {
    prepara(3, {{"sinCodeline", 2}});
    Lector l(QStringLiteral(SIMULADO_VISIONAPI), m_dir->path());
    enciende(l);
    l.adaptador.leerCheques(imagenes(), {});
    QTRY_COMPARE(m_sim.registro().count("FreeImagesBuffer(3)"), 1);
    QTRY_COMPARE(l.lineas.size(), 2);
    QCOMPARE(l.mensajes, QStringList{TAdaptadorVisionX::MensajeCodeline});
    QCOMPARE(imagen("F1.jpg"), muestra(1, "_F.jpg"));
    QCOMPARE(imagen("T1.tif"), muestra(1, "_T.tif"));
    QCOMPARE(imagen("F2.jpg"), muestra(3, "_F.jpg"));
    QCOMPARE(m_sim.registro().count("FreeImagesBuffer(2)"), 1);
}

void TstEnlaceVisionX::atascoAlEmpezar() {
    prepara(1, {{"atasco", 1}});
    Lector l(QStringLiteral(SIMULADO_VISIONAPI), m_dir->path());
    enciende(l);
    l.adaptador.leerCheques(imagenes(), {});
    QCOMPARE(l.mensajes, QStringList{TAdaptadorVisionX::MensajeAtascado});
    QCOMPARE(l.diagnostico.lineas(),
             QStringList{"Error del lector Vision X en StartFeeding, código 0: " +
                         TAdaptadorVisionX::MensajeAtascado});
}

QTEST_GUILESS_MAIN(TstEnlaceVisionX)
#include "tst_enlace_visionx.moc"
