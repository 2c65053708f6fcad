// Table creation, the default remittance, key allocation and the engine layer.
#include "AlmacenLibrados.h"
#include "AlmacenOrdenantes.h"
#include "AlmacenRemesas.h"
#include "DefinicionTablas.h"
#include "FalloOperacion.h"
#include "InstalacionPrueba.h"
#include "TablasInstalacion.h"

#include <QFile>
#include <QtTest>

#include <sys/stat.h>

class TstTablas : public QObject {
    Q_OBJECT

    static QStringList columnasDe(const QString& ruta, const QString& tabla) {
        QStringList cols;
        for (const QStringList& f : filasDe(
                 ruta, QStringLiteral("SELECT name, type FROM pragma_table_info('%1')").arg(tabla)))
            cols << f[0] + u' ' + f[1];
        return cols;
    }

private slots:
    void primeraCreacionDejaCincoTablasYLaRemesaEstandar() {
        InstalacionPrueba p(false);
        QVERIFY(p.dm->tablas().creaCarpetasTrabajo());
        QVERIFY(p.dm->tablas().CreaTablas());
        for (const char* f : {"Deudores.dat", "remesas.dat", "Ordenantes.dat", "historico.dat",
                              "historicoCheques.dat"})
            QVERIFY2(QFile::exists(p.inst.dirs.Dir_Tablas + f), qPrintable(f));
        QCOMPARE(filasDe(p.dm->instalacion().rutaRemesas(), "SELECT * FROM remesas"),
                 (QList<QStringList>{{"1", "ESTANDAR", "0", "0", "0", "", "", "", ""}}));
        QVERIFY(QFile::exists(p.inst.dirs.Dir_TablaRemesas + "1.dat"));
        QCOMPARE(filasDe(p.dm->instalacion().rutaTalonesEstandar(), "SELECT count(*) FROM Talones"),
                 (QList<QStringList>{{"0"}}));
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    void columnasEnSuOrdenYAncho_data() {
        QTest::addColumn<QString>("fichero");
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<QStringList>("columnas");
        QTest::newRow("remesas") << "Tablas/remesas.dat"
                                 << "remesas"
                                 << QStringList{
                                        "Pk_Remesas INTEGER",           "Nombre_Remesa VARCHAR(50)",
                                        "Importe VARCHAR(18)",          "Numero_Talones VARCHAR(8)",
                                        "Numero_Registros VARCHAR(10)", "Fecha_Soporte VARCHAR(8)",
                                        "NombreCons VARCHAR(30)",       "Emitida VARCHAR(1)",
                                        "Facturable VARCHAR(2)"};
        QTest::newRow("talones") << "TablaRemesas/1.dat"
                                 << "Talones"
                                 << QStringList{
                                        "Pk_Talon INTEGER",          "Modelo_Talon VARCHAR(1)",
                                        "Numero_Modelo VARCHAR(10)", "Importe VARCHAR(15)",
                                        "Fecha_Talon VARCHAR(10)",   "Numero VARCHAR(9)",
                                        "Estado VARCHAR(1)",         "Cuenta VARCHAR(20)",
                                        "indicador INTEGER",         "Nombre_Cliente VARCHAR(35)",
                                        "fk_Clientes INTEGER",       "fk_Remesa INTEGER"};
        QTest::newRow("historicoCheques") << "Tablas/historicoCheques.dat"
                                          << "historicoCheques"
                                          << QStringList{"Pk_HistoricoRecibos INTEGER",
                                                         "Nombre_Remesa VARCHAR(50)",
                                                         "Importe VARCHAR(15)",
                                                         "Fecha_Confeccion VARCHAR(10)",
                                                         "Fecha_Pago VARCHAR(10)",
                                                         "Nombre_Cons VARCHAR(30)",
                                                         "Modelo_Talon VARCHAR(50)",
                                                         "Numero_Modelo VARCHAR(6)",
                                                         "Fecha_Talon VARCHAR(10)",
                                                         "Numero VARCHAR(20)",
                                                         "Nombre_Cliente VARCHAR(35)",
                                                         "Nif_Sufijo VARCHAR(12)",
                                                         "Nombre_Ordenante VARCHAR(70)",
                                                         "Cuenta_ord VARCHAR(34)",
                                                         "Cuenta VARCHAR(34)",
                                                         "imp INTEGER",
                                                         "indicador INTEGER"};
        QTest::newRow("Deudores") << "Tablas/Deudores.dat"
                                  << "Deudores"
                                  << QStringList{
                                         "Pk_Cliente INTEGER",  "Nombre_Cliente VARCHAR(35)",
                                         "Nif VARCHAR(9)",      "Cuenta VARCHAR(34)",
                                         "Telefono VARCHAR(9)", "email VARCHAR(62)"};
    }
    void columnasEnSuOrdenYAncho() {
        QFETCH(QString, fichero);
        QFETCH(QString, tabla);
        QFETCH(QStringList, columnas);
        InstalacionPrueba p;
        QCOMPARE(columnasDe(p.inst.dirs.Dir_Cuarderno + fichero, tabla), columnas);
    }

    void segundaCreacionNoTocaNada() {
        InstalacionPrueba p;
        GuardaUnaRemesa(p, "OTRA");
        QVERIFY(p.dm->tablas().CreaTablas());
        QCOMPARE(filasDe(p.dm->instalacion().rutaRemesas(),
                         "SELECT Pk_Remesas, Nombre_Remesa FROM remesas"),
                 (QList<QStringList>{{"1", "ESTANDAR"}, {"2", "OTRA"}}));
    }

    void remesasBorradaSeRecreaYConservaTalonesExistentes() {
        InstalacionPrueba p;
        {
            motor::Conexion con(p.dm->instalacion().rutaTalonesEstandar());
            QVERIFY(motor::ejecutaSql(con, "INSERT INTO Talones (Pk_Talon, Numero) VALUES (1, ?)",
                                      {"1234567-1"})
                        .isEmpty());
        }
        QVERIFY(motor::borraTabla(p.dm->instalacion().rutaRemesas()));
        QVERIFY(p.dm->tablas().CreaTablas());
        QCOMPARE(filasDe(p.dm->instalacion().rutaRemesas(),
                         "SELECT Pk_Remesas, Nombre_Remesa FROM remesas"),
                 (QList<QStringList>{{"1", "ESTANDAR"}}));
        QCOMPARE(filasDe(p.dm->instalacion().rutaTalonesEstandar(),
                         "SELECT Pk_Talon, Numero FROM Talones"),
                 (QList<QStringList>{{"1", "1234567-1"}}));
    }

    void siguienteClave_data() {
        QTest::addColumn<QList<int>>("claves");
        QTest::addColumn<int>("borrada");
        QTest::addColumn<int>("esperada");
        QTest::newRow("vacia") << QList<int>{} << -1 << 1;
        QTest::newRow("1,2,7") << QList<int>{1, 2, 7} << -1 << 8;
        QTest::newRow("borrada la mayor") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << 8 << 8;
        QTest::newRow("solo clave 0") << QList<int>{0} << -1 << 1;
    }
    void siguienteClave() {
        QFETCH(QList<int>, claves);
        QFETCH(int, borrada);
        QFETCH(int, esperada);
        InstalacionPrueba p;
        const QString ruta = p.dm->instalacion().rutaDeudores();
        {
            motor::Conexion con(ruta);
            for (int c : claves)
                QVERIFY(motor::ejecutaSql(con, "INSERT INTO Deudores (Pk_Cliente) VALUES (?)", {c})
                            .isEmpty());
            if (borrada >= 0)
                motor::ejecutaSql(con, "DELETE FROM Deudores WHERE Pk_Cliente = ?", {borrada});
        }
        // A new drawer takes the next key.
        TCliente nuevo;
        nuevo.EsNuevo = true;
        p.dm->librados().GuardaBeneficiario(nuevo);
        QCOMPARE(nuevo.Pk_Cliente, esperada);
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    void ficheroQueNoEsTablaDaElMensajeDelMotor() {
        InstalacionPrueba p;
        QFile basura(p.dm->instalacion().rutaDeudores());
        QVERIFY(basura.open(QIODevice::WriteOnly | QIODevice::Truncate));
        basura.write(QByteArray(3000, '\x5a'));
        basura.close();
        TCliente nuevo;
        nuevo.EsNuevo = true;
        QVERIFY(!falloDe([&] { p.dm->librados().GuardaBeneficiario(nuevo); }).isEmpty());
        // A missing file is not silently created by reading it.
        motor::borraTabla(p.dm->instalacion().rutaOrdenantes());
        QVERIFY(!falloDe([&] { p.dm->ordenantes().CargaRegistroOrdenantesTablas(1); }).isEmpty());
        QVERIFY(!QFile::exists(p.dm->instalacion().rutaOrdenantes()));
    }

    void textosHostilesSeGuardanTalCual() {
        InstalacionPrueba p;
        const QString nombre = "O'Brien \"Ltd\"; 100% _x_ -- DROP TABLE remesas;";
        GuardaUnaRemesa(p, nombre);
        QCOMPARE(filasDe(p.dm->instalacion().rutaRemesas(),
                         "SELECT Nombre_Remesa FROM remesas WHERE Pk_Remesas = 2"),
                 (QList<QStringList>{{nombre}}));
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    void tablaDeTalonesQueNoSePuedeCrear() {
        InstalacionPrueba p;
        // A plain file where the folder should be: creation is impossible even as root.
        QDir(p.inst.dirs.Dir_TablaRemesas).removeRecursively();
        QFile f(QDir::cleanPath(p.inst.dirs.Dir_TablaRemesas));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        tRemesas remesa;
        remesa.Nombre_Remesa = "NUEVA";
        QVERIFY(!falloDe([&] { p.dm->remesas().GuardaRegistroRemesa(remesa); }).isEmpty());
        QCOMPARE(filasDe(p.inst.rutaRemesas(), "SELECT count(*) FROM remesas"),
                 (QList<QStringList>{{"1"}}));
    }

    // A data folder shared by a group: with the group's umask every table file
    // the program creates is writable by the other members too.
    void tablasCreadasSiguenLaUmask() {
        const mode_t anterior = umask(002);
        InstalacionPrueba p(false);
        QVERIFY(p.dm->tablas().creaCarpetasTrabajo());
        const bool creadas = p.dm->tablas().CreaTablas();
        umask(anterior);
        QVERIFY(creadas);
        for (const QString& ruta :
             {p.dm->instalacion().rutaRemesas(), p.dm->instalacion().rutaTalonesEstandar()})
            QVERIFY2(QFile::permissions(ruta) & QFileDevice::WriteGroup, qPrintable(ruta));
        // and the table is whole: the empty file became a table.
        QCOMPARE(filasDe(p.dm->instalacion().rutaRemesas(), "SELECT count(*) FROM remesas"),
                 (QList<QStringList>{{"1"}}));
    }

private:
    static void GuardaUnaRemesa(InstalacionPrueba& p, const QString& nombre) {
        tRemesas r;
        r.Nombre_Remesa = nombre;
        r.Importe = r.Numero_Talones = r.Numero_Registros = "0";
        // A failure is what some callers look for: the table stays as it was.
        falloDe([&] { p.dm->remesas().GuardaRegistroRemesa(r); });
    }
};

QTEST_GUILESS_MAIN(TstTablas)
#include "tst_tablas.moc"
