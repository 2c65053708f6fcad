// The three reader libraries hand over the same hostile codelines, and the
// three adapters make the same codeline of each: printable ASCII only, at
// most 200 characters, one "¬" (the one before the sequence number), so that
// the storing step takes the right sequence number.
#include "ControlSimulador.h"
#include "LineaLectura.h"
#include "TAdaptadorExcella.h"
#include "TAdaptadorSB.h"
#include "TAdaptadorVisionX.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString No = QString(QChar(0x00AC));

struct tHostil {
    const char* nombre;
    QByteArray leida;
    QString codeline;
    // The Vision X library hands over 45 characters at most.
    QString codelineVisionX;
};

QList<tHostil> hostiles() {
    const QString cortada = '+' + QString(198, u'7') + '?';
    const QString visionX45 = '+' + QString(44, u'7');
    // No blanks and none of "<>;:": the Vision X substitution leaves them.
    return {
        {"limpia", "+1234567#21043319#4553580875#4323", "+1234567#21043319#4553580875#4323", {}},
        {"fin de linea y controles al final", "+1234567#2104\t\x01\x1f", "+1234567#2104", {}},
        {"controles dentro",
         "+12\x01"
         "45\x1b"
         "67\x7f#2104",
         "+12?45?67?#2104",
         {}},
        {"no en Windows-1252",
         "+1234567\xac"
         "2104",
         "+1234567?2104",
         {}},
        {"no en UTF-8",
         "+1234567\xc2\xac"
         "2104",
         "+1234567??2104",
         {}},
        {"caracter de sustitucion",
         "+12\xef\xbf\xbd"
         "4567",
         "+12???4567",
         {}},
        {"bytes altos",
         "+\xff\xfe\x80"
         "1",
         "+???1",
         {}},
        {"200 justos", '+' + QByteArray(199, '7'), '+' + QString(199, u'7'), visionX45},
        {"desbocada", '+' + QByteArray(299, '7'), cortada, visionX45},
    };
}

} // namespace

class TstCodelinesLectores : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void seacBanche();
    void excella();
    void visionX();

private:
    QString imagenes() const { return m_dir.filePath("Imagenes_tmp"); }
    QString muestras() const { return m_dir.filePath("muestras"); }
    // Each line holds its codeline, and the storing step reads its number.
    void compruebaLineas(const QStringList& lineas, bool deVisionX);

    QTemporaryDir m_dir;
};

void TstCodelinesLectores::initTestCase() {
    const QList<tHostil> casos = hostiles();
    QVERIFY(QDir(m_dir.path()).mkpath("Imagenes_tmp"));
    QVERIFY(preparaCarpetaMuestras(muestras(), static_cast<int>(casos.size()), "SeacBanche",
                                   {{"pausa", 0}}));
    QSettings(QDir(muestras()).filePath("simulador.ini"), QSettings::IniFormat)
        .setValue("VisionX/pausa", 0);
    for (int i = 0; i < casos.size(); ++i) {
        QFile txt(QDir(muestras()).filePath(nombreMuestra(i + 1) + ".txt"));
        QVERIFY(txt.open(QIODevice::WriteOnly));
        const QByteArray& l = casos[i].leida;
        txt.write("seac=" + l + "\nexcella=" + l + "\nvisionx=" + l + "\n");
    }
}

void TstCodelinesLectores::compruebaLineas(const QStringList& lineas, bool deVisionX) {
    const QList<tHostil> casos = hostiles();
    QCOMPARE(lineas.size(), casos.size());
    for (int i = 0; i < casos.size(); ++i) {
        const QString n = QString::number(i + 1);
        const QString codeline = deVisionX && !casos[i].codelineVisionX.isEmpty()
                                     ? casos[i].codelineVisionX
                                     : casos[i].codeline;
        const QString caso = QString::fromUtf8(casos[i].nombre) + ": " + lineas[i];
        QVERIFY2(lineas[i] == codeline + No + n, qPrintable(caso));
        QVERIFY2(decodificaLinea(lineas[i], VarianteLectura::Normal).secuencia == n,
                 qPrintable(caso));
    }
}

void TstCodelinesLectores::seacBanche() {
    ControlSimulador sim(QStringLiteral(SIMULADO_RD3LIB));
    QVERIFY(sim.lib.load());
    sim.establece(muestras());
    TEnlaceRd3lib enlace(QStringLiteral(SIMULADO_RD3LIB), m_dir.path());
    TAdaptadorSB adaptador(enlace);
    QStringList lineas;
    bool fin = false;
    connect(&adaptador, &TAdaptadorSB::lineaLeida, [&](const QString& l, int) { lineas << l; });
    connect(&adaptador, &TAdaptadorSB::lecturaTerminada, [&] { fin = true; });
    adaptador.alCrearVentana();
    QVERIFY(adaptador.leerCheques(imagenes(), {}));
    QVERIFY(QTest::qWaitFor([&] { return fin; }, 10000));
    compruebaLineas(lineas, false);
    QVERIFY(sim.f<int (*)(int)>("simEsperaFin")(10000) != 0);
}

void TstCodelinesLectores::excella() {
    ControlSimulador sim(QStringLiteral(SIMULADO_MTXMLMCR));
    QVERIFY(sim.lib.load());
    sim.establece(muestras());
    TEnlaceMtxmlmcr enlace(QStringLiteral(SIMULADO_MTXMLMCR), m_dir.path());
    TAdaptadorExcella adaptador(enlace);
    adaptador.fijaEspera([](int) {});
    QStringList lineas;
    connect(&adaptador, &TAdaptadorExcella::lineaLeida,
            [&](const QString& l, int) { lineas << l; });
    QVERIFY(adaptador.leerCheques(2, imagenes(), 0));
    adaptador.cierraVentana();
    // The Excella's lines carry no number: the prefix says whether it read
    // the whole codeline.
    QStringList conNumero;
    for (int i = 0; i < lineas.size(); ++i) {
        const bool ilegible = lineas[i].startsWith("ERROR ");
        const QString codeline = lineas[i].mid(ilegible ? 6 : 1);
        QCOMPARE(ilegible, codeline.contains(u'?'));
        QVERIFY(ilegible || lineas[i].startsWith(u'+'));
        conNumero << codeline + No + QString::number(i + 1);
    }
    compruebaLineas(conNumero, false);
}

void TstCodelinesLectores::visionX() {
    ControlSimulador sim(QStringLiteral(SIMULADO_VISIONAPI));
    QVERIFY(sim.lib.load());
    sim.establece(muestras());
    TEnlaceVisionAPI enlace(QStringLiteral(SIMULADO_VISIONAPI), m_dir.path());
    TAdaptadorVisionX adaptador(enlace);
    adaptador.fijaEspera([](int) {});
    QStringList lineas;
    connect(&adaptador, &TAdaptadorVisionX::lineaLeida,
            [&](const QString& l, int) { lineas << l; });
    QVERIFY(adaptador.enciendeEscaner());
    QTRY_COMPARE(adaptador.estadoDispositivo(), "OnLine");
    adaptador.leerCheques(imagenes(), {});
    QTRY_COMPARE_WITH_TIMEOUT(lineas.size(), hostiles().size(), 10000);
    compruebaLineas(lineas, true);
    QVERIFY(sim.f<int (*)(int)>("simEsperaFin")(10000) != 0);
    QCoreApplication::sendPostedEvents(); // what the reader posted before it ended
}

QTEST_GUILESS_MAIN(TstCodelinesLectores)
#include "tst_codelines_lectores.moc"
