// The Excella binding and adapter driven through the simulated library.
#include "ControlSimulador.h"
#include "DiagnosticoPrueba.h"
#include "ImagenesTalon.h"
#include "TAdaptadorExcella.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

struct Lector {
    DiagnosticoPrueba diagnostico;
    TEnlaceMtxmlmcr enlace;
    TAdaptadorExcella adaptador;
    QStringList lineas;
    QList<int> secuencias;
    QStringList mensajes;
    int esperas = 0;
    Lector(const QString& biblioteca, const QString& dir)
        : enlace(biblioteca, dir, &diagnostico.registro), adaptador(enlace) {
        QObject::connect(&adaptador, &TAdaptadorExcella::lineaLeida,
                         [this](const QString& l, int n) {
                             lineas << l;
                             secuencias << n;
                         });
        QObject::connect(&adaptador, &TAdaptadorExcella::mensaje,
                         [this](const QString& m) { mensajes << m; });
        adaptador.fijaEspera([this](int ms) { esperas += ms; });
    }
};

} // namespace

class TstEnlaceExcella : public QObject {
    Q_OBJECT
private slots:
    void init();
    void documentosDeAjustes();
    void alimentacionAutomatica();
    void tolvaVaciaSinLineas();
    void manualSinDocumentoTermina250();
    void manualLeeHasta250();
    void codelineIlegibleConError();
    void documentoSinBandaNoEscribeImagenes_data();
    void documentoSinBandaNoEscribeImagenes();
    void tamanoNoNumericoTerminaLectura();
    void ficheroNoEscribibleTerminaLectura();
    void dispositivoNoPreparado_data();
    void dispositivoNoPreparado();
    void dispositivoAbiertoYCerrado();
    void sinBiblioteca();

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

    std::unique_ptr<QTemporaryDir> m_dir;
    ControlSimulador m_sim{QStringLiteral(SIMULADO_MTXMLMCR)};
};

void TstEnlaceExcella::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_dir->path()).mkpath("Imagenes_tmp"));
    QVERIFY(m_sim.lib.load());
    m_sim.borraRegistro();
}

void TstEnlaceExcella::prepara(int n, const QMap<QString, int>& ajustes) {
    QVERIFY(preparaCarpetaMuestras(muestras(), n, "Excella", ajustes));
    m_sim.establece(muestras());
}

void TstEnlaceExcella::documentosDeAjustes() {
    const QByteArray comienzo =
        "<?xml version=\"1.0\"?><DeviceSettings><Application><Transfer>HTTP</Transfer>"
        "<DocUnits>ENGLISH</DocUnits></Application>";
    const QByteArray imagenes =
        "<ImageColor1>GRAY8</ImageColor1><Resolution1>200X200</Resolution1>"
        "<Compression1>JPEG</Compression1><FileType1>JPG</FileType1><ImageSide1>FRONT"
        "</ImageSide1><ImageColor2>BW</ImageColor2><Resolution2>200X200</Resolution2>"
        "<Compression2>GROUP4</Compression2><FileType2>TIF</FileType2><ImageSide2>FRONT"
        "</ImageSide2><ImageColor3>BW</ImageColor3><Resolution3>200X200</Resolution3>"
        "<Compression3>GROUP4</Compression3><FileType3>TIF</FileType3><ImageSide3>BACK"
        "</ImageSide3></ImageOptions></DeviceSettings>";
    QCOMPARE(TAdaptadorExcella::documentoAjustes(TipoLector::Excella),
             comienzo +
                 "<ProcessOptions><ReadMICR>CMC7</ReadMICR><Endorse>NO</Endorse><DocFeed>"
                 "AUTOFEED</DocFeed><DblPickDet>NO</DblPickDet><RespondEarly>NO</RespondEarly>"
                 "</ProcessOptions><ImageOptions><Number>3</Number>" +
                 imagenes);
    QCOMPARE(TAdaptadorExcella::documentoAjustes(TipoLector::ExcellaSTX),
             comienzo +
                 "<ProcessOptions><ReadMICR>CMC7</ReadMICR><Endorse>NO</Endorse><DocFeed>"
                 "MANUAL</DocFeed><RespondEarly>NO</RespondEarly></ProcessOptions>"
                 "<ImageOptions><Number>3</Number>" +
                 imagenes);
}

void TstEnlaceExcella::alimentacionAutomatica() {
    prepara(3);
    Lector l(QStringLiteral(SIMULADO_MTXMLMCR), m_dir->path());
    QVERIFY(l.adaptador.leerCheques(2, imagenes(), 0));
    QCOMPARE(l.adaptador.dispositivo(), "EXCELLA_SIMULADA");
    QCOMPARE(l.secuencias, (QList<int>{1, 2, 3}));
    for (int n = 1; n <= 3; ++n) {
        QCOMPARE(l.lineas[n - 1],
                 "+" + QString::fromLatin1(codelineMuestra(muestras(), n, "excella")));
        QCOMPARE(imagen(QStringLiteral("F%1.jpg").arg(n)), muestra(n, "_F.jpg"));
        QCOMPARE(imagen(QStringLiteral("F%1.tif").arg(n)), muestra(n, "_F.tif"));
        QCOMPARE(imagen(QStringLiteral("T%1.tif").arg(n)), muestra(n, "_T.tif"));
    }
    QVERIFY(l.mensajes.isEmpty());
    QCOMPARE(l.esperas, 0);
    // Reloaded: the numbering continues from the list.
    QVERIFY(l.adaptador.leerCheques(2, imagenes(), 3));
    QCOMPARE(l.secuencias.last(), 6);
    QCOMPARE(imagen("T6.tif"), muestra(3, "_T.tif"));
}

void TstEnlaceExcella::tolvaVaciaSinLineas() {
    prepara(0);
    Lector l(QStringLiteral(SIMULADO_MTXMLMCR), m_dir->path());
    QVERIFY(l.adaptador.leerCheques(2, imagenes(), 0));
    QVERIFY(l.lineas.isEmpty());
    QCOMPARE(m_sim.registro().count("MTMICRProcessCheck(AUTOFEED)"), 1);
}

void TstEnlaceExcella::manualSinDocumentoTermina250() {
    prepara(0);
    Lector l(QStringLiteral(SIMULADO_MTXMLMCR), m_dir->path());
    QVERIFY(l.adaptador.leerCheques(3, imagenes(), 0));
    QVERIFY(l.lineas.isEmpty());
    QCOMPARE(m_sim.registro().count("MTMICRProcessCheck(MANUAL)"), 1);
    QCOMPARE(l.esperas, 0); // "250" at the first lookup ends at once
}

void TstEnlaceExcella::manualLeeHasta250() {
    prepara(2);
    Lector l(QStringLiteral(SIMULADO_MTXMLMCR), m_dir->path());
    QVERIFY(l.adaptador.leerCheques(3, imagenes(), 0));
    QCOMPARE(l.secuencias, (QList<int>{1, 2}));
    QCOMPARE(imagen("F2.jpg"), muestra(2, "_F.jpg"));
    QCOMPARE(l.esperas, 2 * TAdaptadorExcella::EsperaManual);
    QVERIFY(m_sim.registro().contains("MTMICRGetValue(ImageInfo,ImageSize3)"));
}

void TstEnlaceExcella::codelineIlegibleConError() {
    prepara(2, {{"ilegible", 2}});
    Lector l(QStringLiteral(SIMULADO_MTXMLMCR), m_dir->path());
    QVERIFY(l.adaptador.leerCheques(2, imagenes(), 0));
    QVERIFY(l.lineas[0].startsWith("+"));
    QVERIFY(l.lineas[1].startsWith("ERROR "));
    QVERIFY(l.lineas[1].contains('?'));
}

void TstEnlaceExcella::documentoSinBandaNoEscribeImagenes_data() {
    QTest::addColumn<int>("tipo");
    QTest::newRow("automatic feed") << 2;
    QTest::newRow("manual feed") << 3;
}

void TstEnlaceExcella::documentoSinBandaNoEscribeImagenes() {
    QFETCH(int, tipo);
    prepara(3, {{"sinMICR", 2}});
    Lector l(QStringLiteral(SIMULADO_MTXMLMCR), m_dir->path());
    QVERIFY(l.adaptador.leerCheques(tipo, imagenes(), 0));
    QCOMPARE(l.lineas.size(), 2);
    QCOMPARE(l.mensajes, QStringList{TAdaptadorExcella::MensajeDocumentoNoLeido});
    QCOMPARE(l.diagnostico.lineas(),
             QStringList{"Error del lector Excella en MTMICRGetValue(MICRRaw), código 1: " +
                         TAdaptadorExcella::MensajeDocumentoNoLeido});
    // Line 1 keeps its own pictures; line 2 is the third document, with its own.
    QCOMPARE(imagen("F1.jpg"), muestra(1, "_F.jpg"));
    QCOMPARE(imagen("T1.tif"), muestra(1, "_T.tif"));
    QCOMPARE(imagen("F2.jpg"), muestra(3, "_F.jpg"));
    QVERIFY(!QFile::exists(QDir(imagenes()).filePath("F3.jpg")));
}

void TstEnlaceExcella::tamanoNoNumericoTerminaLectura() {
    prepara(3, {{"tamanoNoNumerico", 2}});
    // Images of number 2 left by a cleared list must not pass for line 2's.
    for (const char* viejo : {"F2.jpg", "F2.tif", "T2.tif"}) {
        QFile f(QDir(imagenes()).filePath(viejo));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("de otro documento");
    }
    Lector l(QStringLiteral(SIMULADO_MTXMLMCR), m_dir->path());
    QVERIFY(l.adaptador.leerCheques(2, imagenes(), 0));
    QCOMPARE(l.lineas.size(), 2); // the lines read so far stay
    QCOMPARE(l.mensajes.size(), 1);
    QVERIFY(l.mensajes[0].contains("grande"));
    for (const char* viejo : {"F2.jpg", "F2.tif", "T2.tif"})
        QVERIFY2(!QFile::exists(QDir(imagenes()).filePath(viejo)), viejo);
    QVERIFY(!m_sim.registro().contains("MTMICRGetImage(imagen://doc003/1)"));
}

void TstEnlaceExcella::ficheroNoEscribibleTerminaLectura() {
    prepara(2);
    Lector l(QStringLiteral(SIMULADO_MTXMLMCR), m_dir->path());
    const QString noHay = m_dir->filePath("no_existe");
    QVERIFY(l.adaptador.leerCheques(2, noHay, 0));
    QCOMPARE(l.lineas.size(), 1);
    QCOMPARE(l.mensajes.size(), 1);
    QVERIFY(l.mensajes[0].startsWith("No se pudo escribir la imagen"));
    QVERIFY(!QDir(noHay).exists());
}

void TstEnlaceExcella::dispositivoNoPreparado_data() {
    QTest::addColumn<QString>("fallo");
    QTest::addColumn<QString>("llamada"); // the failed call, as the log names it
    QTest::newRow("no device") << "sinDispositivo"
                               << "MTMICRGetDevice";
    QTest::newRow("device does not open") << "fallaApertura"
                                          << "MTMICROpenDevice";
}

void TstEnlaceExcella::dispositivoNoPreparado() {
    QFETCH(QString, fallo);
    QFETCH(QString, llamada);
    prepara(1, {{fallo, 1}});
    Lector l(QStringLiteral(SIMULADO_MTXMLMCR), m_dir->path());
    QVERIFY(!l.adaptador.leerCheques(2, imagenes(), 0));
    QCOMPARE(l.mensajes, QStringList{TAdaptadorExcella::MensajeNoPreparado});
    QCOMPARE(l.diagnostico.lineas(),
             QStringList{"Error del lector Excella en " + llamada +
                         ", código 1: " + TAdaptadorExcella::MensajeNoPreparado});
    QVERIFY(l.lineas.isEmpty());
    QVERIFY(!l.adaptador.bDeviceOpened());
}

void TstEnlaceExcella::dispositivoAbiertoYCerrado() {
    prepara(0);
    Lector l(QStringLiteral(SIMULADO_MTXMLMCR), m_dir->path());
    QVERIFY(l.adaptador.leerCheques(2, imagenes(), 0));
    QVERIFY(l.adaptador.bDeviceOpened());
    // Kept open across runs: a second run opens nothing.
    QVERIFY(l.adaptador.leerCheques(2, imagenes(), 0));
    QCOMPARE(m_sim.registro().count("MTMICROpenDevice(EXCELLA_SIMULADA)"), 1);
    m_sim.borraRegistro();
    l.adaptador.reiniciar();
    l.adaptador.cierraVentana();
    QVERIFY(!l.adaptador.bDeviceOpened());
    QCOMPARE(m_sim.registro(), (QStringList{"MTMICRCloseDevice(EXCELLA_SIMULADA)",
                                            "MTMICROpenDevice(EXCELLA_SIMULADA)",
                                            "MTMICRCloseDevice(EXCELLA_SIMULADA)"}));
}

void TstEnlaceExcella::sinBiblioteca() {
    Lector l(m_dir->filePath("libmtxmlmcr.so"), m_dir->path());
    QVERIFY(!l.enlace.cargada());
    QVERIFY(!l.adaptador.leerCheques(2, imagenes(), 0));
    QCOMPARE(l.mensajes, QStringList{TAdaptadorExcella::MensajeNoPreparado});
    l.adaptador.reiniciar();
    l.adaptador.cierraVentana();
}

QTEST_GUILESS_MAIN(TstEnlaceExcella)
#include "tst_enlace_excella.moc"
