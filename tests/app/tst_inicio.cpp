// The start-up sequence on an installation folder: first start, second start,
// folders or tables that cannot be made, and the whole program started.
#include "Aplicacion.h"
#include "Cadenas.h"
#include "GuionDialogos.h"
#include "InstalacionPrueba.h"
#include "SecuenciaInicio.h"
#include "TfrmPrincipal.h"

#include <QDirIterator>
#include <QFile>
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

void creaFicheroPlano(const QString& ruta) {
    QFile f(QDir::cleanPath(ruta));
    QVERIFY(f.open(QIODevice::WriteOnly));
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
        QVERIFY(p.dm->muestraPantallaConfiguracion);
        QCOMPARE(configuracion, 1);
        QCOMPARE(comprobacion, 0);
        QCOMPARE(actualizacion, 1);
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    void segundoInicioNoCreaNada() {
        InstalacionPrueba p(false);
        QVERIFY(TSecuenciaInicio(*p.dm, p.iu).ejecuta());
        creaFicheroPlano(p.inst.ficheros.ficheroConfiguracion);
        creaFicheroPlano(p.inst.ficheroTestigo);
        const QStringList antes = contenido(p.inst.dirs.Dir_Aplicacion);
        const auto remesas = filasDe(p.dm->rutaRemesas(), "SELECT * FROM remesas");

        TSecuenciaInicio s(*p.dm, p.iu);
        int configuracion = 0, comprobacion = 0, actualizacion = 0;
        s.abreConfiguracionPrimeraVez = [&] { ++configuracion; };
        s.compruebaEstadoEscaner = [&] { ++comprobacion; };
        s.actualizacionUnica = [&] { ++actualizacion; };
        QVERIFY(s.ejecuta());
        QCOMPARE(contenido(p.inst.dirs.Dir_Aplicacion), antes);
        QCOMPARE(filasDe(p.dm->rutaRemesas(), "SELECT * FROM remesas"), remesas);
        QCOMPARE(configuracion, 0);
        QCOMPARE(comprobacion, 1);
        QCOMPARE(actualizacion, 0);
    }

    void carpetaImposibleTerminaSinTocarTablas() {
        InstalacionPrueba p(false);
        // As root no permission stops a write: a plain file where the data
        // folder should be makes it impossible to create.
        creaFicheroPlano(p.inst.dirs.Dir_Cuarderno);
        TSecuenciaInicio s(*p.dm, p.iu);
        int configuracion = 0;
        s.abreConfiguracionPrimeraVez = [&] { ++configuracion; };
        QVERIFY(!s.ejecuta());
        QCOMPARE(p.iu.mensajes, QStringList{Cadenas::mensajes().MnjErrorDirectorios});
        QCOMPARE(configuracion, 0);
        QVERIFY(QFileInfo(QDir::cleanPath(p.inst.dirs.Dir_Cuarderno)).isFile());
    }

    void tablaImposibleTermina() {
        InstalacionPrueba p(false);
        QVERIFY(p.dm->creaCarpetasTrabajo());
        // A link to a folder that does not exist: the table file cannot be made.
        QVERIFY(QFile::link(p.inst.dirs.Dir_Aplicacion + "no/existe/remesas.dat",
                            p.dm->rutaHistorico()));
        TSecuenciaInicio s(*p.dm, p.iu);
        int configuracion = 0;
        s.abreConfiguracionPrimeraVez = [&] { ++configuracion; };
        QVERIFY(!s.ejecuta());
        QCOMPARE(p.iu.mensajes, QStringList{Cadenas::mensajes().MnjErrorTablas});
        QCOMPARE(configuracion, 0);
        // Creation stopped at the failing table: the ones after it were not made.
        QVERIFY(QFile::exists(p.dm->rutaRemesas()));
        QVERIFY(!QFile::exists(p.dm->rutaOrdenantes()));
    }

    void elProgramaArrancaYPreparaLaInstalacion() {
        QTemporaryDir dir;
        TGuionDialogos guion;
        TAplicacion app(dir.path(), &guion);
        app.muestra();
        const tInstalacion& inst = app.inst;
        QTRY_VERIFY(QFile::exists(inst.dirs.Dir_TablaRemesas + "1.dat"));
        QVERIFY(!app.terminadaEnInicio);
        // No style file beside the executable: the default look and its message.
        QCOMPARE(guion.textos(), QStringList{"the Style is not valid"});
    }
};

QTEST_MAIN(TstInicio)
#include "tst_inicio.moc"
