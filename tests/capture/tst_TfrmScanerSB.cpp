// The Seac Banche capture window on the simulated library, through the real
// binding: reading runs, what the operator is told, Save, and the faults of a
// reader (missing, failing, late) and of its codelines.
#include "AvisosImagen.h"
#include "CajaMensajes.h"
#include "ComprobacionEscaner.h"
#include "ControlSimulador.h"
#include "DiscoConFallos.h"
#include "EnlaceRd3lib.h"
#include "PresenciaLectores.h"
#include "PruebaVentanas.h"
#include "TAdaptadorSB.h"
#include "TCuadroCuadre.h"
#include "TextosCaptura.h"
#include "TfrmScanerSB.h"

#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {
const QString No = QString(QChar(0x00AC));

QStringList numeros(const QStringList& lineas) {
    QStringList n;
    for (const QString& l : lineas)
        n << l.mid(l.lastIndexOf(No) + 1);
    return n;
}
} // namespace

class TstTfrmScanerSB : public QObject {
    Q_OBJECT
    std::unique_ptr<InstalacionPrueba> p;
    ControlSimulador sim{QStringLiteral(SIMULADO_RD3LIB)};
    std::unique_ptr<TEnlaceRd3lib> enlace;
    std::unique_ptr<TAdaptadorSB> adaptador;
    std::unique_ptr<TfrmScanerSB> frm;
    std::unique_ptr<QSignalSpy> fines;

    QString muestras() const { return p->dir.filePath("muestras"); }
    QString tmp(const QString& f) const { return QDir(p->inst.dirs.Dir_Imagenes_tmp).filePath(f); }

    // The window on `biblioteca`, shown, over the first `n` sample documents.
    void abre(int n, const QMap<QString, int>& ajustes = {},
              const QString& biblioteca = QStringLiteral(SIMULADO_RD3LIB)) {
        QMap<QString, int> conPausa{{"pausa", 0}};
        conPausa.insert(ajustes);
        QVERIFY(preparaCarpetaMuestras(muestras(), n, "SeacBanche", conPausa));
        sim.establece(muestras());
        enlace = std::make_unique<TEnlaceRd3lib>(biblioteca, p->inst.dirs.Dir_Aplicacion);
        adaptador = std::make_unique<TAdaptadorSB>(*enlace);
        fines = std::make_unique<QSignalSpy>(adaptador.get(), &TAdaptadorSB::lecturaTerminada);
        frm = std::make_unique<TfrmScanerSB>(*p->dm, *adaptador);
        frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm.get()));
    }
    // "&Leer cheques", and the run's end reached the window.
    void leeHastaElFin() {
        const qsizetype antes = fines->count();
        pulsa(hijo<QPushButton>(*frm, "btnLeer"));
        QTRY_COMPARE_WITH_TIMEOUT(fines->count(), antes + 1, 10000);
    }
    QStringList enPantalla() const {
        QStringList l;
        for (int i = 0; i < hijo<QListWidget>(*frm, "lstLista")->count(); ++i)
            l << hijo<QListWidget>(*frm, "lstLista")->item(i)->text();
        return l;
    }

private slots:
    void initTestCase() { QVERIFY2(sim.lib.load(), qPrintable(sim.lib.errorString())); }
    void init() {
        p = std::make_unique<InstalacionPrueba>();
        p->estado.Escaner.tipo = 1;
        sim.borraRegistro();
    }
    void cleanup() {
        frm.reset();
        QVERIFY(sim.f<int (*)(int)>("simEsperaFin")(10000) != 0);
        fines.reset();
        adaptador.reset();
        enlace.reset();
        p.reset();
    }

    void ventanaYControles() {
        abre(1);
        QCOMPARE(frm->windowTitle(), "Escaneo  de Cheques. Escáner tipo SEAC BANCHE");
        QCOMPARE(hijo<QPushButton>(*frm, "btnDesatascar")->text(), "&Desatascar");
        QCOMPARE(hijo<QPushButton>(*frm, "btnParar")->text(), "&Parar");
        QCOMPARE(hijo<QPushButton>(*frm, "btnReiniciar")->text(), "&Reiniciar");
        const QStringList ayuda = hijo<QPlainTextEdit>(*frm, "mmoAyuda")->toPlainText().split('\n');
        QCOMPARE(ayuda.size(), 14);
        QCOMPARE(ayuda[4], "          de nuevo la tolva y y presione [Leer Cheques].");
        QCOMPARE(ayuda[13], "Parar pausar la lectura de los cheques pendientes en la tolva, "
                            "presione el botón [Parar].");
        // Created: preferences reset with the endorsement text, API configured.
        QCOMPARE(sim.registro(), QStringList{"rdConfigAPI(4099,1)"});
        sim.borraRegistro();
        pulsa(hijo<QPushButton>(*frm, "btnDesatascar"));
        pulsa(hijo<QPushButton>(*frm, "btnParar"));
        pulsa(hijo<QPushButton>(*frm, "btnReiniciar"));
        QCOMPARE(sim.registro(),
                 (QStringList{"rdEject()", "rdStop()", "rdConfigAPI(4099,1)", "rdInit(-1)"}));
    }

    // Three documents: lines 1 to 3 with their images; a second run goes on
    // at 4; Save stores all six and empties the list and the folder.
    void lecturasYSalvar() {
        abre(3);
        leeHastaElFin();
        QCOMPARE(numeros(frm->lista()), (QStringList{"1", "2", "3"}));
        QCOMPARE(enPantalla(), frm->lista());
        QCOMPARE(frm->lista()[0],
                 QString::fromLatin1(codelineMuestra(muestras(), 1, "seac")) + No + "1");
        for (const char* f : {"F1.jpg", "F1.tif", "T1.tif", "F3.jpg", "F3.tif", "T3.tif"})
            QVERIFY2(QFile::exists(tmp(f)), f);
        QVERIFY(hijo<QPushButton>(*frm, "btnSalvar")->isEnabled());
        leeHastaElFin();
        QCOMPARE(numeros(frm->lista()), (QStringList{"1", "2", "3", "4", "5", "6"}));
        QVERIFY(hijo<QLabel>(*frm, "lblEstado")
                    ->text()
                    .contains("Documentos leídos en esta lectura: 3."));
        QVERIFY(p->guion.textos().isEmpty());

        pulsa(hijo<QPushButton>(*frm, "btnSalvar"));
        QCOMPARE(p->guion.textos(),
                 QStringList{"Se leyeron: 6 cheques. Revise si se leyeron todos."});
        QVERIFY(frm->lista().isEmpty());
        QVERIFY(QDir(p->inst.dirs.Dir_Imagenes_tmp).isEmpty());
        QCOMPARE(filasDe(p->inst.rutaTablaTalones(1), "SELECT Pk_Talon FROM Talones").size(), 6);
    }

    // Each image fault of the reader marks its line, with the reason as
    // tooltip, and no other; Save stores every cheque and the marks go with
    // them. The Cuadre box counts the lines as they arrive.
    void avisosDeImagenYCuadre() {
        abre(5, {{"ilegible", 3},
                 {"frontalEnBlanco", 1},
                 {"frontalOscuro", 2},
                 {"imagenCortada", 3},
                 {"imagenDanada", 4}});
        QLineEdit* declarados = frm->findChild<QLineEdit*>("edtDocumentosDeclarados");
        QTest::keyClicks(declarados, "5");
        QTest::keyClick(declarados, Qt::Key_Return);
        QLabel* leidos = frm->findChild<QLabel*>("lblDocumentosLeidos");
        QCOMPARE(leidos->text(), "0");
        leeHastaElFin();
        QCOMPARE(leidos->text(), "5");
        // The amounts of the codelines read whole (the third is a bad read).
        qint64 centimos = 0;
        for (int i : {1, 2, 4, 5})
            centimos += codelineMuestra(muestras(), i, "seac").right(11).toLongLong();
        QCOMPARE(frm->findChild<QLabel*>("lblImporteLeido")->text(),
                 tImporte::deCentimos(centimos).visible());
        QCOMPARE(frm->findChild<QLabel*>("lblCuadre")->text(), TCuadroCuadre::TextoCuadrado);
        const QStringList esperados{AvisoImagen::EnBlanco, AvisoImagen::Oscura, AvisoImagen::Tamano,
                                    AvisoImagen::Ilegible, QString()};
        const auto marcas = [this] {
            QStringList m;
            for (int n = 1; n <= 5; ++n)
                m << frm->avisoDe(QString::number(n)).aviso;
            return m;
        };
        QTRY_COMPARE(marcas(), esperados);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(frm->lstLista->item(i)->toolTip(),
                     esperados[i] + ": " + frm->avisoDe(QString::number(i + 1)).motivo);
        QVERIFY(frm->lstLista->item(4)->toolTip().isEmpty());

        pulsa(frm->btnSalvar);
        const auto claves =
            filasDe(p->inst.rutaTablaTalones(1), "SELECT Pk_Talon FROM Talones ORDER BY Pk_Talon");
        QCOMPARE(claves.size(), 5);
        const QMap<int, tAvisoImagen> guardados = TAvisosImagen(p->inst).carga(1);
        QStringList porCheque;
        for (const QStringList& c : claves)
            porCheque << guardados.value(c.first().toInt()).aviso;
        QCOMPARE(porCheque, esperados);
    }

    // While the reader feeds, Save, Clear and a second run wait for it.
    void duranteLaLectura() {
        abre(4, {{"pausa", 250}});
        pulsa(hijo<QPushButton>(*frm, "btnLeer"));
        QTRY_COMPARE(frm->lista().size(), 1);
        QVERIFY(!hijo<QPushButton>(*frm, "btnLeer")->isEnabled());
        QVERIFY(!hijo<QPushButton>(*frm, "btnSalvar")->isEnabled());
        QVERIFY(!hijo<QPushButton>(*frm, "btnLimpiar")->isEnabled());
        QVERIFY(hijo<QLabel>(*frm, "lblEstado")->text().contains(TextosCaptura::TextoLeyendo));
        frm->salvar();
        frm->limpiar();
        QVERIFY(p->guion.textos().isEmpty());
        QCOMPARE(frm->lista().size(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(fines->count(), 1, 10000);
        QVERIFY(hijo<QPushButton>(*frm, "btnSalvar")->isEnabled() &&
                hijo<QPushButton>(*frm, "btnLeer")->isEnabled());
        QCOMPARE(sim.registro().count("rdStart()"), 1);

        // "&Reiniciar" during a run ends it first: Save is free at once.
        pulsa(hijo<QPushButton>(*frm, "btnLeer"));
        QTRY_VERIFY(frm->lista().size() > 4);
        sim.borraRegistro();
        pulsa(hijo<QPushButton>(*frm, "btnReiniciar"));
        QVERIFY(hijo<QPushButton>(*frm, "btnSalvar")->isEnabled());
        QCOMPARE(sim.registro().mid(0, 3),
                 (QStringList{"rdStop()", "rdConfigAPI(4099,1)", "rdInit(-1)"}));
    }

    // No library, a library without one function, a library with no reader:
    // every press says so and reads nothing; the scanner check for type 1
    // shows the installation message. With the reader present, nothing.
    void sinLector_data() {
        QTest::addColumn<QString>("biblioteca");
        QTest::addColumn<int>("sinLector");
        QTest::addColumn<bool>("presente");
        QTest::newRow("no library") << "no_existe/librd3lib.so" << 0 << false;
        QTest::newRow("one function missing") << INCOMPLETO_RD3LIB << 0 << false;
        QTest::newRow("no reader answers") << SIMULADO_RD3LIB << 1 << false;
        QTest::newRow("reader present") << SIMULADO_RD3LIB << 0 << true;
    }
    void sinLector() {
        QFETCH(QString, biblioteca);
        QFETCH(int, sinLector);
        QFETCH(bool, presente);
        abre(1, {{"sinLector", sinLector}}, QDir(p->dir.path()).absoluteFilePath(biblioteca));
        TPresenciaLectores lectores(*p->dm, adaptador.get(), nullptr, {}, nullptr);
        QCOMPARE(lectores.seacBanchePresente(), presente);
        QFile ini(p->inst.ficheros.ficheroConfiguracion);
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[ESCANER]\r\nTipo=1\r\n");
        ini.close();
        compruebaEstadoEscaner(p->inst, p->estado, lectores, nullptr);
        if (presente) {
            QVERIFY(p->guion.textos().isEmpty());
            return;
        }
        QCOMPARE(p->guion.textos(), QStringList{TextosCaptura::mensajeSinSeacBanche(p->inst)});
        p->guion.restablece();
        hijo<QPushButton>(*frm, "btnLeer")->click();
        hijo<QPushButton>(*frm, "btnLeer")->click();
        for (QPushButton* b :
             {hijo<QPushButton>(*frm, "btnParar"), hijo<QPushButton>(*frm, "btnDesatascar"),
              hijo<QPushButton>(*frm, "btnReiniciar")})
            b->click();
        QCOMPARE(p->guion.textos().mid(0, 2), QStringList(2, TAdaptadorSB::MensajeSinLector));
        QVERIFY(frm->lista().isEmpty());
        QVERIFY(adaptador->primeraLectura());
        QVERIFY(!sim.registro().contains("rdStart()"));
    }

    // The reader's errors and missing images, told to the operator when the
    // run ends; Save never files a document with another one's images.
    void avisosDelLector_data() {
        QTest::addColumn<QString>("ajuste");
        QTest::addColumn<QString>("aviso");
        QTest::addColumn<QString>("alSalvar");
        QTest::addColumn<QStringList>("guardados"); // sample documents stored
        QTest::newRow("jam") << "atasco"
                             << "El lector avisó durante la lectura: Atasco en zona transmisión."
                             << TextosCaptura::todosSalvados(1, false) << QStringList{"1"};
        QTest::newRow("double feed") << "dobleAlimentacion"
                                     << "El lector avisó durante la lectura: Documento doble."
                                     << TextosCaptura::todosSalvados(1, false) << QStringList{"1"};
        QTest::newRow("no images") << "sinImagenes"
                                   << "No llegaron las imágenes de los cheques número 2: no se "
                                      "podrán salvar. Vuelva a pasarlos por el lector."
                                   << TextosCaptura::noSalvados(1, true) << QStringList{"1", "3"};
    }
    void avisosDelLector() {
        QFETCH(QString, ajuste);
        QFETCH(QString, aviso);
        QFETCH(QString, alSalvar);
        QFETCH(QStringList, guardados);
        abre(3, {{ajuste, 2}});
        leeHastaElFin();
        QCOMPARE(p->guion.textos().size(), 1);
        QVERIFY2(p->guion.textos()[0].contains(aviso), qPrintable(p->guion.textos()[0]));
        if (ajuste != "sinImagenes")
            QVERIFY(p->guion.textos()[0].contains("número de cheques leídos (1)"));
        p->guion.restablece();
        pulsa(hijo<QPushButton>(*frm, "btnSalvar"));
        QCOMPARE(p->guion.textos().size(), 1);
        QCOMPARE(p->guion.textos()[0].section('\n', 0, 0), alSalvar);
        // Each stored cheque has its own document's front picture.
        QCOMPARE(filasDe(p->inst.rutaTablaTalones(1), "SELECT Pk_Talon FROM Talones").size(),
                 guardados.size());
        QList<int> propias;
        for (const QString& d : guardados)
            propias << d.toInt();
        QCOMPARE(muestrasDeFrontales(p->inst.dirs.Dir_Imagenes, muestras()), propias);
    }

    // What Save could not store stays in the list, named in its message,
    // with its images: documents whose images never arrived (to check on
    // paper and clear), and documents whose images the disk refused (stored
    // by the next Save once the disk is right, each with its own pictures).
    void salvarConservaLoQueNoGuarda_data() {
        QTest::addColumn<QString>("fallo");
        QTest::addColumn<QString>("cabeza");
        QTest::addColumn<QStringList>("quedan");
        QTest::newRow("imagenes que no llegaron")
            << "sinImagenes" << TextosCaptura::noSalvados(1, true) << QStringList{"2"};
        QTest::newRow("carpeta de solo lectura")
            << "solo lectura"
            << "No se han podido copiar las imágenes de 3 cheques a la carpeta %1: no se puede "
               "escribir en la carpeta (es de solo lectura o no tiene permiso para escribir en "
               "ella). Mensaje del sistema: Permission denied."
            << QStringList{"1", "2", "3"};
        QTest::newRow("8 KB libres")
            << "8 KB"
            << "No se han podido copiar las imágenes de 3 cheques a la carpeta %1: no se pudo "
               "escribir en el disco (puede estar lleno). Mensaje del sistema: No space left on "
               "device."
            << QStringList{"1", "2", "3"};
    }
    void salvarConservaLoQueNoGuarda() {
        QFETCH(QString, fallo);
        QFETCH(QString, cabeza);
        QFETCH(QStringList, quedan);
        abre(3, {{"sinImagenes", fallo == "sinImagenes" ? 2 : 0}});
        leeHastaElFin();
        p->guion.restablece();
        const QString imagenes = QDir(p->inst.dirs.Dir_Imagenes).absolutePath();
        std::unique_ptr<TDiscoConFallos> disco;
        if (fallo == "solo lectura")
            disco = std::make_unique<TDiscoConFallos>(TDiscoConFallos::soloLectura(imagenes));
        else if (fallo == "8 KB")
            disco = std::make_unique<TDiscoConFallos>(TDiscoConFallos::conLibres(imagenes, 8192));
        p->dm->base().destinoFicheros = disco.get();
        pulsa(hijo<QPushButton>(*frm, "btnSalvar"));
        p->dm->base().destinoFicheros = nullptr;

        QCOMPARE(numeros(frm->lista()), quedan);
        QCOMPARE(enPantalla(), frm->lista());
        QCOMPARE(p->guion.textos().size(), 1);
        const QStringList texto = p->guion.textos()[0].split('\n');
        QCOMPARE(texto[0], cabeza.arg(QDir::toNativeSeparators(imagenes)));
        for (qsizetype i = 0; i < quedan.size(); ++i)
            QCOMPARE(texto.value(1 + i),
                     "    Nº " + quedan[i] + ": " +
                         QString::fromLatin1(codelineMuestra(muestras(), quedan[i].toInt(), "seac"))
                             .mid(1));
        // The images of the lines kept are still there; the stored ones' are not.
        for (const QString& n : quedan)
            QCOMPARE(QFile::exists(tmp("F" + n + ".jpg")), fallo != "sinImagenes");
        QVERIFY(!QFile::exists(tmp("F1.jpg")) || quedan.contains("1"));
        QVERIFY(hijo<QPushButton>(*frm, "btnSalvar")->isEnabled() &&
                hijo<QPushButton>(*frm, "btnLimpiar")->isEnabled());

        // Another Save: the disk is right again.
        p->guion.restablece();
        pulsa(hijo<QPushButton>(*frm, "btnSalvar"));
        QCOMPARE(muestrasDeFrontales(p->inst.dirs.Dir_Imagenes, muestras()),
                 fallo == "sinImagenes" ? (QList<int>{1, 3}) : (QList<int>{1, 2, 3}));
        if (fallo == "sinImagenes") {
            QCOMPARE(numeros(frm->lista()), quedan); // until the operator clears it
            // The next run numbers after it and warns only of its own.
            p->guion.restablece();
            leeHastaElFin();
            QCOMPARE(numeros(frm->lista()), (QStringList{"2", "3", "4", "5"}));
            QCOMPARE(p->guion.textos().size(), 1);
            QVERIFY2(p->guion.textos()[0].contains("cheques número 4: no se podrán salvar"),
                     qPrintable(p->guion.textos()[0]));
        } else {
            QCOMPARE(p->guion.textos(), QStringList{TextosCaptura::todosSalvados(3, false)});
            QVERIFY(frm->lista().isEmpty());
        }
    }

    // Codelines no reader should deliver: path characters, "¬", control
    // characters, 10 KB. Each is a line (cut, unreadable characters as "?")
    // and Save writes no file outside the image folders.
    void codelinesHostiles() {
        abre(0);
        const QList<QByteArray> hostiles{
            "+../../fuera/..\\x 2104 3319 4553580875 4323 00000582986",
            "+3828402 \xAC"
            "2104 3319 4553580875 4323 00000582986",
            "+3828402 2104\x01\x1b\t3319 4553580875 4323 00000582986",
            "+" + QByteArray(10 * 1024, '7'),
        };
        for (int i = 0; i < hostiles.size(); ++i) {
            const QString base = QDir(muestras()).filePath(nombreMuestra(i + 1));
            QFile txt(base + ".txt");
            QVERIFY(txt.open(QIODevice::WriteOnly));
            txt.write("seac=" + hostiles[i] + "\n");
            txt.close();
            for (const char* s : {"_F.jpg", "_F.tif", "_T.tif"})
                QVERIFY(QFile::copy(
                    QDir(QStringLiteral(MUESTRAS)).filePath(nombreMuestra(1) + QLatin1String(s)),
                    base + QLatin1String(s)));
        }
        leeHastaElFin();
        QCOMPARE(numeros(frm->lista()), (QStringList{"1", "2", "3", "4"}));
        for (const QString& l : frm->lista()) {
            QVERIFY(l.size() <= 201 + 2);
            QCOMPARE(l.count(No), 1);
            for (QChar c : l.left(l.indexOf(No)))
                QVERIFY2(c.unicode() >= 0x20 && c.unicode() < 0x7F, qPrintable(l));
        }
        QVERIFY(frm->lista()[1].startsWith("+3828402 ?2104"));
        QVERIFY(frm->lista()[3].endsWith("?" + No + "4"));

        const auto antes = ficherosBajo(p->dir.path());
        pulsa(hijo<QPushButton>(*frm, "btnSalvar"));
        QVERIFY(!QFileInfo::exists(QDir(p->dir.path()).absoluteFilePath("../fuera")));
        const QString imagenes = QDir(p->inst.dirs.Dir_Imagenes).absolutePath() + '/';
        for (const QString& f : ficherosBajo(p->dir.path()))
            if (!antes.contains(f))
                QVERIFY2(f.startsWith(imagenes) || f.endsWith(".dat") || f.contains("-journal"),
                         qPrintable(f));
    }

    // Lines that arrive while a question is open wait for it and come in
    // order after "Volver"; after "Continuar" on Exit the run is stopped and
    // nothing more reaches the closed window.
    void lineasDuranteUnaPregunta() {
        abre(4, {{"pausa", 150}});
        pulsa(hijo<QPushButton>(*frm, "btnLeer"));
        QTRY_COMPARE(frm->lista().size(), 1);
        int enEspera = 0;
        p->guion.mientrasAbierta = [&](const TGuionDialogos::Caja&) {
            QVERIFY(QTest::qWaitFor([&] { return !frm->lineasEnEspera().isEmpty(); }, 5000));
            enEspera = static_cast<int>(frm->lineasEnEspera().size());
            QCOMPARE(frm->lista().size(), 1);
        };
        p->guion.fijaSiguienteRespuesta(CajaMensajes::SegundoBoton); // "Volver"
        pulsa(hijo<QPushButton>(*frm, "btnSalir"));
        QVERIFY(enEspera >= 1);
        QVERIFY(frm->isVisible());
        QCOMPARE(numeros(frm->lista()).mid(0, 1 + enEspera),
                 QStringList({"1", "2", "3", "4"}).mid(0, 1 + enEspera));
        QVERIFY(frm->lineasEnEspera().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(fines->count(), 1, 10000);
        p->guion.mientrasAbierta = nullptr;

        sim.borraRegistro();
        pulsa(hijo<QPushButton>(*frm, "btnLeer"));
        QTRY_COMPARE(frm->lista().size(), 5);
        bool retenida = false;
        p->guion.mientrasAbierta = [&](const TGuionDialogos::Caja&) {
            retenida = QTest::qWaitFor([&] { return !frm->lineasEnEspera().isEmpty(); }, 5000);
        };
        p->guion.fijaSiguienteRespuesta(CajaMensajes::PrimerBoton); // "Continuar"
        pulsa(hijo<QPushButton>(*frm, "btnSalir"));
        QVERIFY(retenida);
        QVERIFY(!frm->isVisible());
        QVERIFY(sim.registro().contains("rdStop()"));
        QVERIFY(sim.f<int (*)(int)>("simEsperaFin")(10000) != 0);
        // Everything the reader called back before it ended is delivered now.
        QCoreApplication::sendPostedEvents();
        QCOMPARE(frm->lista().size(), 5);
    }

private:
    static QStringList ficherosBajo(const QString& carpeta) {
        QStringList f;
        QDirIterator it(carpeta, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            f << QFileInfo(it.next()).absoluteFilePath();
        return f;
    }
};

QTEST_MAIN(TstTfrmScanerSB)
#include "tst_TfrmScanerSB.moc"
