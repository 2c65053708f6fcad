// The start-up sequence on an installation folder: first start, second start,
// folders or tables that cannot be made, and the whole program started.
#include "ActualizacionHistorico.h"
#include "Aplicacion.h"
#include "Cadenas.h"
#include "ConductorVentanas.h"
#include "EmisionEnCurso.h"
#include "FicherosPrueba.h"
#include "GuionDialogos.h"
#include "PruebaVentanas.h"
#include "SecuenciaInicio.h"
#include "TablasInstalacion.h"
#include "TfrmConfiguracion.h"
#include "TfrmPrincipal.h"

#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

namespace {
QStringList contenido(const QString& raiz) {
    QStringList r;
    QDirIterator it(raiz, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        r << it.next().mid(raiz.size());
    r.sort();
    return r;
}

} // namespace

class TstInicio : public QObject {
    Q_OBJECT
private slots:
    void primerInicioEnCarpetaVacia() {
        InstalacionPrueba p(false);
        TSecuenciaInicio s(*p.dm, p.iu);
        int configuracion = 0, comprobacion = 0, actualizacion = 0;
        s.abreConfiguracionPrimeraVez = [&] { ++configuracion; };
        s.compruebaEstadoEscaner = [&] { ++comprobacion; };
        s.actualizacionUnica = [&] { ++actualizacion; };
        QVERIFY(s.ejecuta());
        for (const QString& c : carpetasDeTrabajo(p.inst.dirs))
            QVERIFY2(QFileInfo(c).isDir(), qPrintable(c));
        QCOMPARE(carpetasDeTrabajo(p.inst.dirs).size(), 9);
        QCOMPARE(QDir(p.inst.dirs.Dir_Tablas).entryList(QDir::Files).size(), 5);
        QVERIFY(QFile::exists(p.inst.dirs.Dir_TablaRemesas + "1.dat"));
        QVERIFY(s.muestraPantallaConfiguracion);
        QCOMPARE(configuracion, 1);
        QCOMPARE(comprobacion, 0);
        QCOMPARE(actualizacion, 1);
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    void segundoInicioNoCreaNada() {
        InstalacionPrueba p(false);
        QVERIFY(TSecuenciaInicio(*p.dm, p.iu).ejecuta());
        escribeBytes(p.inst.ficheros.ficheroConfiguracion);
        escribeBytes(p.inst.ficheroTestigo);
        const QStringList antes = contenido(p.inst.dirs.Dir_Aplicacion);
        const auto remesas = filasDe(p.dm->instalacion().rutaRemesas(), "SELECT * FROM remesas");

        TSecuenciaInicio s(*p.dm, p.iu);
        int configuracion = 0, comprobacion = 0, actualizacion = 0;
        s.abreConfiguracionPrimeraVez = [&] { ++configuracion; };
        s.compruebaEstadoEscaner = [&] { ++comprobacion; };
        s.actualizacionUnica = [&] { ++actualizacion; };
        QVERIFY(s.ejecuta());
        QCOMPARE(contenido(p.inst.dirs.Dir_Aplicacion), antes);
        QCOMPARE(filasDe(p.dm->instalacion().rutaRemesas(), "SELECT * FROM remesas"), remesas);
        QCOMPARE(configuracion, 0);
        QCOMPARE(comprobacion, 1);
        QCOMPARE(actualizacion, 0);
    }

    // The data upgrade runs at the first start only: it leaves its marker,
    // and a start with the marker present does not call it again.
    void laActualizacionCorreSoloAlPrimerInicio() {
        InstalacionPrueba p;
        TSecuenciaInicio s(*p.dm, p.iu);
        int actualizacion = 0;
        s.actualizacionUnica = [&] {
            ++actualizacion;
            p.dm->actualizacion().actualizacionUnica();
        };
        QVERIFY(s.ejecuta());
        QVERIFY(QFile::exists(p.inst.ficheroTestigo));
        QVERIFY(s.ejecuta());
        QCOMPARE(actualizacion, 1);
    }

    // An emission cut off earlier is completed at start, and the operator is
    // told which one and with how many cheques; a damaged table is named and
    // left as it was, and the start goes on.
    void emisionInterrumpidaYTablaDanadaAlArrancar() {
        InstalacionPrueba p;
        motor::Conexion historico(p.dm->instalacion().rutaHistoricoCheques());
        QCOMPARE(motor::ejecutaSql(
                     historico,
                     "INSERT INTO historicoCheques (Pk_HistoricoRecibos, Nombre_Remesa, Importe, "
                     "Fecha_Confeccion, Fecha_Pago, Nombre_Cons, Modelo_Talon, Numero_Modelo, "
                     "Numero, Cuenta, Nif_Sufijo, Nombre_Ordenante, Cuenta_ord, imp, indicador) "
                     "VALUES (1, 'ESTANDAR', '12,34', '05/03/2025', '10/03/2025', 'CONS.0001', "
                     "'CHEQUE CUENTA CORRIENTE', '4212-5', '1234567-6', '12345678010123456789', "
                     "'B12345678 ', 'PRESENTADOR', 'ES9121000418450200051332', 1234, 0)"),
                 QString());
        escribeEmisionEnCurso(p.inst.dirs, {"CONS.0001", "0001", 0, 0});
        QFile danada(p.inst.dirs.Dir_TablaRemesas + "7.dat");
        QVERIFY(danada.open(QIODevice::WriteOnly));
        danada.write("no soy una tabla, pero tengo más de cien bytes para que el motor lo vea; "
                     "no soy una tabla, pero tengo más de cien bytes");
        danada.close();

        QVERIFY(TSecuenciaInicio(*p.dm, p.iu).ejecuta());
        QCOMPARE(p.iu.mensajes.size(), 2);
        QVERIFY2(p.iu.mensajes[0].contains(QDir::toNativeSeparators(danada.fileName())),
                 qPrintable(p.iu.mensajes[0]));
        QVERIFY2(p.iu.mensajes[1].startsWith("La emisión CONS.0001 de la remesa ESTANDAR se "
                                             "interrumpió"),
                 qPrintable(p.iu.mensajes[1]));
        QVERIFY2(p.iu.mensajes[1].contains("con 1 cheque que"), qPrintable(p.iu.mensajes[1]));
        QVERIFY(!hayEmisionEnCurso(p.inst.dirs));
        QVERIFY(QFile::exists(p.inst.dirs.Dir_Cons + "CONS.0001.zip"));
        QCOMPARE(filasDe(p.dm->instalacion().rutaHistorico(),
                         "SELECT Nombre_Cons, Numero_Talones FROM historico"),
                 (QList<QStringList>{{"CONS.0001", "1"}}));
        QVERIFY(danada.exists());
    }

    // As root no permission stops a write: a plain file where a working
    // folder should be makes it impossible to create. The message names it.
    void carpetaImposibleTerminaSinTocarTablas_data() {
        QTest::addColumn<QString>("fichero");
        QTest::newRow("carpeta de datos") << "RorireruDevarer";
        QTest::newRow("tablas") << "RorireruDevarer/Tablas";
        QTest::newRow("tablas de remesas") << "RorireruDevarer/TablaRemesas";
        QTest::newRow("imagenes temporales") << "RorireruDevarer/Imagenes_tmp";
    }
    void carpetaImposibleTerminaSinTocarTablas() {
        QFETCH(QString, fichero);
        InstalacionPrueba p(false);
        const QString ruta = QDir(p.inst.dirs.Dir_Aplicacion).filePath(fichero);
        QVERIFY(QDir().mkpath(QFileInfo(ruta).path()));
        escribeBytes(ruta);
        TSecuenciaInicio s(*p.dm, p.iu);
        int configuracion = 0;
        s.abreConfiguracionPrimeraVez = [&] { ++configuracion; };
        QVERIFY(!s.ejecuta());
        QCOMPARE(p.iu.mensajes.size(), 1);
        const QString& m = p.iu.mensajes[0];
        QVERIFY2(m.startsWith(Cadenas::mensajes().MnjErrorDirectorios + "\n\n" +
                              QDir::toNativeSeparators(QDir::cleanPath(ruta)) +
                              " es un fichero, no una carpeta"),
                 qPrintable(m));
        QCOMPARE(configuracion, 0);
        QVERIFY(QFileInfo(QDir::cleanPath(ruta)).isFile());
        QVERIFY(!QFile::exists(p.dm->instalacion().rutaRemesas()));
    }

    // A config.ini that cannot be read is reported at start, naming it,
    // and left as it is: the check runs on the defaults, the first-time
    // window does not open over it.
    // A server section that cannot be used stops the start with its reason,
    // before any table is read or made: working on local files instead
    // would split the office's data.
    void servidorInutilizableTerminaSinTocarTablas_data() {
        QTest::addColumn<QByteArray>("seccion");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("motor desconocido") << QByteArray("Motor=Oracle\r\n") << "Motor=Oracle";
        QTest::newRow("sin base") << QByteArray("Motor=PostgreSQL\r\n") << "falta Base=";
        QTest::newRow("servidor que no responde")
            << QByteArray("Motor=PostgreSQL\r\nServidor=/nonexistent\r\nBase=teskora\r\n")
            << "No se puede conectar con el servidor de datos teskora en /nonexistent:5432";
    }
    void servidorInutilizableTerminaSinTocarTablas() {
        QFETCH(QByteArray, seccion);
        QFETCH(QString, mensaje);
        InstalacionPrueba p(false);
        QVERIFY(QDir().mkpath(p.inst.dirs.Dir_Pub));
        escribeBytes(p.inst.ficheros.ficheroConfiguracion, "[BASEDATOS]\r\n" + seccion);
        TSecuenciaInicio s(*p.dm, p.iu);
        QVERIFY(!s.ejecuta());
        motor::usaServidor(std::nullopt); // the next tests work on files
        QCOMPARE(p.iu.mensajes.size(), 1);
        QVERIFY2(p.iu.mensajes[0].contains(mensaje), qPrintable(p.iu.mensajes[0]));
        QVERIFY(QDir(p.inst.dirs.Dir_Tablas).entryList(QDir::Files).isEmpty());
    }

    void configuracionIlegibleSeAvisaYNoSeToca() {
        InstalacionPrueba p;
        const QByteArray ilegible("\xFF\xFE[\0E\0S\0", 7);
        QFile ini(p.inst.ficheros.ficheroConfiguracion);
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(ilegible);
        ini.close();
        escribeBytes(p.inst.ficheroTestigo);
        TSecuenciaInicio s(*p.dm, p.iu);
        int configuracion = 0, comprobacion = 0;
        s.abreConfiguracionPrimeraVez = [&] { ++configuracion; };
        s.compruebaEstadoEscaner = [&] { ++comprobacion; };
        QVERIFY(s.ejecuta());
        QCOMPARE(p.iu.mensajes.size(), 1);
        QVERIFY2(p.iu.mensajes[0].startsWith(
                     "El fichero " +
                     QDir::toNativeSeparators(p.inst.ficheros.ficheroConfiguracion) +
                     " no se puede leer"),
                 qPrintable(p.iu.mensajes[0]));
        QCOMPARE(configuracion, 0);
        QCOMPARE(comprobacion, 1);
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(ini.readAll(), ilegible);
    }

    void tablaImposibleTermina() {
        InstalacionPrueba p(false);
        QVERIFY(p.dm->tablas().creaCarpetasTrabajo());
        // A link to a folder that does not exist: the table file cannot be made.
        QVERIFY(QFile::link(p.inst.dirs.Dir_Aplicacion + "no/existe/remesas.dat",
                            p.dm->instalacion().rutaHistorico()));
        TSecuenciaInicio s(*p.dm, p.iu);
        int configuracion = 0;
        s.abreConfiguracionPrimeraVez = [&] { ++configuracion; };
        QVERIFY(!s.ejecuta());
        QCOMPARE(p.iu.mensajes, QStringList{Cadenas::mensajes().MnjErrorTablas});
        QCOMPARE(configuracion, 0);
        // Creation stopped at the failing table: the ones after it were not made.
        QVERIFY(QFile::exists(p.dm->instalacion().rutaRemesas()));
        QVERIFY(!QFile::exists(p.dm->instalacion().rutaOrdenantes()));
    }

    void elProgramaArrancaYPreparaLaInstalacion() {
        QTemporaryDir dir;
        TGuionDialogos guion;
        ConductorVentanas c;
        c.alMostrar<TfrmConfiguracion>([](TfrmConfiguracion* f) {
            QVERIFY(f->primeraVez());
            QTest::mouseClick(hijo<QPushButton>(*f, "btnAceptar"), Qt::LeftButton);
        });
        TAplicacion app(dir.path(), &guion);
        app.muestra();
        const tInstalacion& inst = app.inst;
        QTRY_VERIFY(QFile::exists(inst.ficheroTestigo));
        QVERIFY(QFile::exists(inst.dirs.Dir_TablaRemesas + "1.dat"));
        QVERIFY(!app.terminadaEnInicio);
        // First start: the configuration window wrote config.ini, Safe included.
        QCOMPARE(c.vistas, QStringList{"TfrmConfiguracion"});
        QFile ini(inst.ficheros.ficheroConfiguracion);
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY(ini.readAll().contains("[TIEMPOS]\r\nSafe=5\r\n"));
        // No style file beside the executable: the default look and its message.
        QCOMPARE(guion.textos(), QStringList{"the Style is not valid"});
    }

    // While the program runs, Qt's own texts speak Spanish: the buttons of
    // message boxes and the standard dialogs. They leave with the program.
    void textosDeQtEnEspanol() {
        QTemporaryDir dir;
        TGuionDialogos guion;
        {
            TAplicacion app(dir.path(), &guion);
            QVERIFY2(app.traductorQt != nullptr, "qt6-translations-l10n no está instalado");
            QVERIFY(!app.traductorQt->isEmpty());
            QMessageBox caja(QMessageBox::Question, "t", "x",
                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            QCOMPARE(caja.button(QMessageBox::Cancel)->text(), QStringLiteral("Cancelar"));
            QCOMPARE(caja.button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("No"));
            QFileDialog dialogo;
            dialogo.setOption(QFileDialog::DontUseNativeDialog);
            dialogo.setAcceptMode(QFileDialog::AcceptSave);
            QCOMPARE(dialogo.windowTitle(), QStringLiteral("Guardar como"));
        }
        QMessageBox caja(QMessageBox::Question, "t", "x", QMessageBox::Cancel);
        QCOMPARE(caja.button(QMessageBox::Cancel)->text(), QStringLiteral("Cancel"));
    }
};

QTEST_MAIN(TstInicio)
#include "tst_inicio.moc"
