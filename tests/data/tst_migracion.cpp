// Moving an installation's tables from its files to the database server.
// Runs against the test server only (the files are its source).
#include "AlmacenRemesas.h"
#include "ConfiguracionBaseDatos.h"
#include "ErrorOperacion.h"
#include "FalloOperacion.h"
#include "FicherosPrueba.h"
#include "InstalacionPrueba.h"
#include "MigracionServidor.h"
#include "RegistroActividad.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QtTest>

namespace {

// Every file of the data folder with a digest of its bytes.
QStringList huellas(const QString& raiz) {
    QStringList r;
    QDirIterator it(raiz, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        QFile fichero(f);
        fichero.open(QIODevice::ReadOnly);
        r << f + u' ' +
                 QCryptographicHash::hash(fichero.readAll(), QCryptographicHash::Sha1).toHex();
    }
    r.sort();
    return r;
}

// An installation on its files, with a history of `emitidos` cheques, two
// remittances with cheques, a presenter, drawers and one act recorded.
struct InstalacionEnFicheros {
    QTemporaryDir dir;
    tInstalacion inst = calculaInstalacion(dir.path());
    tEstadoPrograma estado;
    InterfazUsuarioFalsa iu;
    std::unique_ptr<TdmBBDD> dm;

    explicit InstalacionEnFicheros(int emitidos) {
        motor::usaServidor(std::nullopt);
        dm = std::make_unique<TdmBBDD>(inst, estado, iu);
        dm->tablas().creaCarpetasTrabajo();
        dm->tablas().CreaTablas();
        ejecuta(inst.rutaHistoricoCheques(),
                QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                               "WHERE i < %1) INSERT INTO historicoCheques (Pk_HistoricoRecibos, "
                               "Nombre_Remesa, Importe, Numero, Nombre_Cons, Nombre_Cliente, imp, "
                               "indicador) SELECT i, 'R' || (i % 50), (i % 1000) || ',' || "
                               "substr('0' || (i % 100), -2), (i + 5000000) || '-0', 'CONS.' || "
                               "(i / 100), 'L''Ó%_\\' || i, (i % 1000) * 100 + i % 100, 0 FROM n")
                    .arg(emitidos));
        ejecuta(inst.rutaHistorico(),
                "INSERT INTO historico (Pk_Historico, Nombre_Remesa, Importe, Nombre_Cons) "
                "VALUES (1, 'R1', '1.234,56', 'CONS.0001')");
        ejecuta(inst.rutaOrdenantes(), "INSERT INTO Ordenantes VALUES (1, 'B12345678', "
                                       "'PRESENTADOR', 'ES9121000418450200051332')");
        ejecuta(inst.rutaDeudores(), "INSERT INTO Deudores VALUES (1, 'LIBRADO', '', "
                                     "'12345678010123456789', '', '')");
        tRemesas r;
        r.Nombre_Remesa = "SEGUNDA";
        dm->remesas().GuardaRegistroRemesa(r);
        for (int remesa : {1, 2})
            ejecuta(inst.rutaTablaTalones(remesa),
                    QStringLiteral("INSERT INTO Talones (Pk_Talon, Importe, Numero, Estado, "
                                   "fk_Remesa) VALUES (1, '12,50', '1234567-%1', '0', %1)")
                        .arg(remesa));
        TRegistroActividad(inst.dirs).anota("Emisión", "una");
    }
    static void ejecuta(const QString& ruta, const QString& sql) {
        motor::Conexion con(ruta);
        QCOMPARE(motor::ejecutaSql(con, sql), QString());
    }
};

// A fresh, empty schema of the test server.
motor::tServidorDatos destinoVacio() {
    static int n = 0;
    motor::tServidorDatos s = servidorPruebas();
    s.esquema = QStringLiteral("migracion_%1_%2").arg(QCoreApplication::applicationPid()).arg(++n);
    return s;
}

QList<QStringList> enServidor(const motor::tServidorDatos& s, const QString& ruta,
                              const QString& sql) {
    motor::usaServidor(s);
    const QList<QStringList> filas = filasDe(ruta, sql);
    motor::usaServidor(std::nullopt);
    return filas;
}

} // namespace

class TstMigracion : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!pruebasEnServidor())
            QSKIP("sin servidor de pruebas");
    }
    void cleanup() { motor::usaServidor(std::nullopt); }

    void copiaComprobadaYConfiguracionCambiada() {
        InstalacionEnFicheros f(100000);
        const QStringList antes = huellas(f.inst.dirs.Dir_Aplicacion + "RorireruDevarer/Tablas");
        const motor::tServidorDatos destino = destinoVacio();
        const tResultadoMigracion r = migraAServidor(f.inst, destino);
        QCOMPARE(r.tablas, 8); // five masters, activity, two remittances
        QVERIFY(r.filas > 100000);
        QVERIFY2(r.detalle.filter("historicocheques: 100000 filas").size() == 1,
                 qPrintable(r.detalle.join('\n')));

        // The files are as they were; config.ini now names the server.
        QCOMPARE(huellas(f.inst.dirs.Dir_Aplicacion + "RorireruDevarer/Tablas"), antes);
        const tConfiguracionBaseDatos c =
            leeConfiguracionBaseDatos(f.inst.ficheros.ficheroConfiguracion);
        QVERIFY(c.servidor.has_value());
        QCOMPARE(*c.servidor, destino);

        // Rows, order and text as in the files.
        const QString sql = "SELECT Pk_HistoricoRecibos, Importe, Nombre_Cliente, imp FROM "
                            "historicoCheques WHERE Pk_HistoricoRecibos IN (1, 99999) ORDER BY "
                            "rowid";
        QCOMPARE(enServidor(destino, f.inst.rutaHistoricoCheques(), sql),
                 filasDe(f.inst.rutaHistoricoCheques(), sql));
        QCOMPARE(enServidor(destino, f.inst.rutaTablaTalones(2), "SELECT Numero FROM Talones"),
                 (QList<QStringList>{{"1234567-2"}}));

        // The program works on the server from here: the activity record
        // keeps its guard, and the search finds the copied rows.
        motor::usaServidor(destino);
        TRegistroActividad registro(f.inst.dirs);
        QCOMPARE(registro.lista({}).size(), 1);
        motor::Conexion actividad(f.inst.dirs.Dir_Tablas + "Actividad.dat");
        QVERIFY(!motor::ejecutaSql(actividad, "DELETE FROM Actividad").isEmpty());
    }

    // A database that already holds tables, or a value the server refuses:
    // nothing is written there, config.ini and the files stay as they were.
    void migracionFallidaNoCambiaNada() {
        InstalacionEnFicheros f(10);
        // A text where the history keeps cents: the files take it, the server does not.
        InstalacionEnFicheros::ejecuta(f.inst.rutaHistoricoCheques(),
                                       "UPDATE historicoCheques SET imp = 'x' WHERE "
                                       "Pk_HistoricoRecibos = 7");
        const QStringList antes = huellas(f.inst.dirs.Dir_Aplicacion);
        const motor::tServidorDatos destino = destinoVacio();
        QVERIFY(falloDe([&] { migraAServidor(f.inst, destino); }).contains("historicocheques"));
        QCOMPARE(huellas(f.inst.dirs.Dir_Aplicacion), antes);
        motor::usaServidor(destino);
        for (const QString& ruta : {f.inst.rutaRemesas(), f.inst.rutaHistoricoCheques()})
            QVERIFY(!motor::existeTabla(ruta));
        motor::usaServidor(std::nullopt);

        InstalacionEnFicheros::ejecuta(f.inst.rutaHistoricoCheques(),
                                       "UPDATE historicoCheques SET imp = 700 WHERE "
                                       "Pk_HistoricoRecibos = 7");
        migraAServidor(InstalacionEnFicheros(1).inst, destino);
        const QStringList otra = huellas(f.inst.dirs.Dir_Aplicacion);
        QVERIFY(falloDe([&] { migraAServidor(f.inst, destino); }).contains("ya tiene tablas"));
        QCOMPARE(huellas(f.inst.dirs.Dir_Aplicacion), otra);
        QVERIFY(!leeConfiguracionBaseDatos(f.inst.ficheros.ficheroConfiguracion).servidor);
    }
};

QTEST_GUILESS_MAIN(TstMigracion)
#include "tst_migracion.moc"
