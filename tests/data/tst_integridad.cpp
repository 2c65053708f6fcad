// Table files that are damaged or refuse a write: the start-up check, the
// operator's messages (Spanish first, naming the file, then the engine's own
// text), inserts that take their key and row in one transaction, and the
// edited cheque saved with its drawer in one transaction.
#include "AlmacenLibrados.h"
#include "AlmacenRemesas.h"
#include "AlmacenTalones.h"
#include "DatosPrueba.h"
#include "DefinicionTablas.h"
#include "FalloOperacion.h"
#include "InstalacionPrueba.h"
#include "ServicioEmision.h"
#include "TablasInstalacion.h"

#include <QCryptographicHash>
#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

namespace {

QByteArray huella(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return "<no existe>";
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

enum class Dano { Vacio, Truncado, Aleatorio, OtraTabla, SinColumna };

// Damages a table file the way disks, copies and hands do.
void dana(const QString& ruta, Dano dano, const QString& otraTabla) {
    QFile f(ruta);
    switch (dano) {
    case Dano::Vacio:
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        break;
    case Dano::Truncado: {
        // Enough rows to span many pages, then cut in the middle.
        const QString tabla = nombreTablaDeFichero(ruta);
        const QString columna = filasDe(ruta, "SELECT name FROM pragma_table_info('" + tabla +
                                                  "') WHERE type LIKE 'VARCHAR%'")
                                    .value(0)
                                    .value(0);
        ejecutaEn(ruta, QStringLiteral("INSERT INTO %1 (%2) WITH RECURSIVE n(x) AS (SELECT 1 "
                                       "UNION ALL SELECT x + 1 FROM n WHERE x < 300) "
                                       "SELECT printf('%0300d', x) FROM n")
                            .arg(tabla, columna));
        f.close();
        QVERIFY(f.resize(QFileInfo(ruta).size() / 2));
        break;
    }
    case Dano::Aleatorio:
        estropeaTabla(ruta);
        break;
    case Dano::OtraTabla:
        QVERIFY(QFile::remove(ruta));
        QVERIFY(QFile::copy(otraTabla, ruta));
        break;
    case Dano::SinColumna:
        ejecutaEn(
            ruta,
            QStringLiteral("DROP INDEX IF EXISTS idx_%1_Cuenta").arg(nombreTablaDeFichero(ruta)));
        ejecutaEn(
            ruta,
            QStringLiteral("ALTER TABLE %1 DROP COLUMN Cuenta").arg(nombreTablaDeFichero(ruta)));
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Dano)

class TstIntegridad : public QObject {
    Q_OBJECT
private slots:
    // Each kind of damage, on a master table and on a cheque table: the
    // check names the file and says what to do, and the file is untouched;
    // the operations that read it then say in Spanish that it is damaged.
    void tablaDanadaAlArrancar_data() {
        QTest::addColumn<QString>("fichero");
        QTest::addColumn<Dano>("dano");
        QTest::addColumn<QString>("dice");
        for (const char* fichero : {"Tablas/Deudores.dat", "TablaRemesas/1.dat"}) {
            const QString f = QString::fromLatin1(fichero);
            QTest::addRow("%s vacia", fichero) << f << Dano::Vacio << "está vacía (0 bytes)";
            QTest::addRow("%s truncada", fichero) << f << Dano::Truncado << "está dañada";
            QTest::addRow("%s bytes al azar", fichero) << f << Dano::Aleatorio << "está dañada";
            QTest::addRow("%s otra tabla", fichero)
                << f << Dano::OtraTabla << "contiene otra tabla";
            QTest::addRow("%s sin columna", fichero)
                << f << Dano::SinColumna << "le falta la columna";
        }
    }
    void tablaDanadaAlArrancar() {
        QFETCH(QString, fichero);
        QFETCH(Dano, dano);
        QFETCH(QString, dice);
        InstalacionPrueba p;
        const QString ruta = p.inst.dirs.Dir_Cuarderno + fichero;
        dana(ruta, dano, p.dm->instalacion().rutaOrdenantes());
        const QByteArray antes = huella(ruta);

        const QStringList problemas = p.dm->tablas().compruebaTablas();
        QCOMPARE(problemas.size(), 1);
        QVERIFY2(problemas[0].contains(QDir::toNativeSeparators(ruta)), qPrintable(problemas[0]));
        QVERIFY2(problemas[0].contains(dice), qPrintable(problemas[0]));
        QCOMPARE(p.iu.mensajes.size(), 1);
        QVERIFY(p.iu.mensajes[0].contains("restáurelas desde una copia de seguridad"));
        QVERIFY(p.iu.mensajes[0].contains(problemas[0]));
        QVERIFY(p.dm->tablas().CreaTablas());
        QCOMPARE(huella(ruta), antes);

        // A list that reads it tells which file and what happened.
        const QString fallo = falloDe([&] {
            if (fichero.startsWith("Tablas")) {
                int clave = 0;
                p.dm->librados().DuplicadoBeneficiario("11111111111111111111", true, clave);
            } else {
                int n = -1;
                p.dm->talones().Carga_lista_Talones(p.estado.RemesaActual.Pk_Remesa, n);
            }
        });
        QVERIFY2(fallo.startsWith("La tabla " + QDir::toNativeSeparators(ruta)), qPrintable(fallo));
        QVERIFY2(fallo.contains("\nMensaje del motor: "), qPrintable(fallo));
        QCOMPARE(huella(ruta), antes);
    }

    // An empty file the program was creating when it stopped is made again;
    // a sound installation raises nothing.
    void vaciaQueElProgramaCreabaSeRehace() {
        InstalacionPrueba p;
        QVERIFY(p.dm->tablas().compruebaTablas().isEmpty());
        QVERIFY(QDir(p.inst.dirs.Dir_Tablas).entryList({"*.creando"}).isEmpty());
        dana(p.dm->instalacion().rutaHistorico(), Dano::Vacio, {});
        QFile marca(p.dm->instalacion().rutaHistorico() + ".creando");
        QVERIFY(marca.open(QIODevice::WriteOnly));
        marca.close();
        QVERIFY(p.dm->tablas().compruebaTablas().isEmpty());
        QVERIFY(p.dm->tablas().CreaTablas());
        QCOMPARE(filasDe(p.dm->instalacion().rutaHistorico(), "SELECT count(*) FROM historico"),
                 (QList<QStringList>{{"0"}}));
        QVERIFY(!QFile::exists(p.dm->instalacion().rutaHistorico() + ".creando"));
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    // A table that another program is writing is not damaged: the start-up
    // check says it is in use and to close that program, with no advice to
    // restore it; a program that only opened a transaction holds nothing.
    void tablaOcupadaAlArrancar_data() {
        QTest::addColumn<QString>("fichero");
        QTest::addColumn<QString>("bloqueo");
        QTest::addColumn<bool>("ocupada");
        for (const char* fichero : {"Tablas/Deudores.dat", "TablaRemesas/1.dat"})
            QTest::addRow("%s en escritura", fichero) << fichero << "EXCLUSIVE" << true;
        QTest::newRow("transaccion sin escribir") << "Tablas/Deudores.dat"
                                                  << "IMMEDIATE" << false;
    }
    void tablaOcupadaAlArrancar() {
        QFETCH(QString, fichero);
        QFETCH(QString, bloqueo);
        QFETCH(bool, ocupada);
        InstalacionPrueba p;
        const QString ruta = p.inst.dirs.Dir_Cuarderno + fichero;
        const QByteArray antes = huella(ruta);
        {
            QSqlDatabase otro = QSqlDatabase::addDatabase("QSQLITE", "otroPrograma");
            otro.setDatabaseName(ruta);
            QVERIFY(otro.open());
            QSqlQuery q(otro);
            QVERIFY2(q.exec("BEGIN " + bloqueo), qPrintable(q.lastError().text()));

            const QStringList problemas = p.dm->tablas().compruebaTablas();
            QCOMPARE(problemas.size(), ocupada ? 1 : 0);
            QCOMPARE(p.iu.mensajes.size(), ocupada ? 1 : 0);
            if (ocupada) {
                const QString& m = p.iu.mensajes[0];
                QVERIFY2(m.startsWith("Estas tablas están en uso por otro programa"),
                         qPrintable(m));
                QVERIFY2(m.contains("La tabla " + QDir::toNativeSeparators(ruta) +
                                    " está en uso por otro programa."),
                         qPrintable(m));
                QVERIFY2(m.contains("Cierre el otro programa y vuelva a intentarlo"),
                         qPrintable(m));
                QVERIFY2(!m.contains("copia de seguridad") && !m.contains("dañada"), qPrintable(m));
            }
            q.exec("ROLLBACK");
        }
        QSqlDatabase::removeDatabase("otroPrograma");
        QCOMPARE(huella(ruta), antes);
    }

    // What the operator reads for each kind of engine failure: Spanish
    // first, naming the file, then the engine's own text.
    void mensajesDelMotor_data() {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("dice");
        QTest::newRow("dañada") << "11"
                                << "database disk image is malformed"
                                << "está dañada";
        QTest::newRow("no es una tabla") << "26"
                                         << "file is not a database"
                                         << "está dañada";
        QTest::newRow("disco lleno") << "13"
                                     << "database or disk is full"
                                     << "Disco lleno";
        QTest::newRow("otra tabla") << "1"
                                    << "no such table: Deudores"
                                    << "contiene otra tabla";
        QTest::newRow("en uso") << "5"
                                << "database is locked"
                                << "está en uso";
        QTest::newRow("código extendido") << "266"
                                          << "disk I/O error"
                                          << "lectura o escritura";
    }
    void mensajesDelMotor() {
        QFETCH(QString, codigo);
        QFETCH(QString, texto);
        QFETCH(QString, dice);
        const QString m = motor::mensajeErrorTabla(
            {"/inst/Tablas/Deudores.dat"}, QSqlError("", texto, QSqlError::StatementError, codigo));
        const QString tabla = QDir::toNativeSeparators("/inst/Tablas/Deudores.dat");
        QVERIFY2(m.contains(dice), qPrintable(m));
        QVERIFY2(m.contains(tabla), qPrintable(m));
        QVERIFY2(m.endsWith("\nMensaje del motor: " + texto), qPrintable(m));
        QCOMPARE(motor::mensajeTablaInexistente("/inst/x.dat"),
                 "La tabla " + QDir::toNativeSeparators("/inst/x.dat") + " no existe.");
    }

    // Each insert that takes a new key: when the engine refuses the row, or
    // cannot even read the key, the operation answers false, the operator
    // reads one message, and nothing is inserted.
    void insercionFallidaNoDejaNada_data() {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<bool>("danada"); // else a trigger refuses the row
        for (const char* t : {"remesas", "historico"}) {
            QTest::addRow("%s rechaza la fila", t) << t << false;
            QTest::addRow("%s dañada", t) << t << true;
        }
    }
    void insercionFallidaNoDejaNada() {
        QFETCH(QString, tabla);
        QFETCH(bool, danada);
        InstalacionPrueba p;
        const QString ruta = p.inst.dirs.Dir_Tablas + tabla + ".dat";
        if (danada)
            estropeaTabla(ruta);
        else
            ejecutaEn(ruta, QStringLiteral("CREATE TRIGGER no BEFORE INSERT ON %1 BEGIN "
                                           "SELECT RAISE(ABORT, 'fila rechazada'); END")
                                .arg(tabla));
        const QStringList antes = QDir(p.inst.dirs.Dir_TablaRemesas).entryList(QDir::Files);
        tRemesas remesa;
        remesa.Nombre_Remesa = "NUEVA";
        const QString mensaje = falloDe([&] {
            if (tabla == "remesas")
                p.dm->remesas().GuardaRegistroRemesa(remesa);
            else
                p.dm->emision().GuardaHistoricoRemesa(remesa);
        });
        QVERIFY2(mensaje.startsWith("La tabla " + QDir::toNativeSeparators(ruta)),
                 qPrintable(mensaje));
        QVERIFY(p.iu.mensajes.isEmpty());
        if (!danada)
            QCOMPARE(filasDe(ruta, "SELECT count(*) FROM " + tabla + " WHERE rowid > 1"),
                     (QList<QStringList>{{"0"}}));
        // No cheque table is left for a remittance that was not stored.
        QCOMPARE(QDir(p.inst.dirs.Dir_TablaRemesas).entryList(QDir::Files), antes);
    }

    // The cheque table of a new remittance cannot be made: the remittance
    // row is not stored either.
    void remesaSinTablaDeChequesNoSeGuarda() {
        InstalacionPrueba p;
        QVERIFY(QDir(p.inst.dirs.Dir_TablaRemesas).removeRecursively());
        tRemesas remesa;
        remesa.Nombre_Remesa = "NUEVA";
        QVERIFY(!falloDe([&] { p.dm->remesas().GuardaRegistroRemesa(remesa); }).isEmpty());
        QCOMPARE(filasDe(p.dm->instalacion().rutaRemesas(), "SELECT Nombre_Remesa FROM remesas"),
                 (QList<QStringList>{{"ESTANDAR"}}));
    }

    // The editor's save: a cheque moved to another account goes to that
    // account's drawer; when the drawer table refuses its write half-way,
    // neither the cheque nor any drawer changes.
    void talonEditadoConSuLibrado_data() {
        QTest::addColumn<bool>("falla");
        QTest::newRow("guardado") << false;
        QTest::newRow("el librado no se puede escribir") << true;
    }
    void talonEditadoConSuLibrado() {
        QFETCH(bool, falla);
        InstalacionPrueba p;
        const QString talones = p.dm->rutaTalonesActual();
        ejecutaEn(p.dm->instalacion().rutaDeudores(),
                  "INSERT INTO Deudores (Pk_Cliente, Nombre_Cliente, Cuenta) VALUES "
                  "(1, 'ANTIGUO', '11111111111111111111'), (2, 'NUEVO', '22222222222222222222')");
        ejecutaEn(talones, "INSERT INTO Talones (Pk_Talon, Numero, Cuenta, Nombre_Cliente, "
                           "fk_Clientes, Estado) VALUES (1, '1234567-6', "
                           "'11111111111111111111', 'ANTIGUO', 1, '1')");
        if (falla)
            ejecutaEn(p.dm->instalacion().rutaDeudores(),
                      "CREATE TRIGGER no BEFORE UPDATE ON Deudores BEGIN "
                      "SELECT RAISE(ABORT, 'database or disk is full'); END");
        const auto cheque = [&] {
            return filasDe(talones, "SELECT Cuenta, Nombre_Cliente, fk_Clientes, Estado "
                                    "FROM Talones");
        };
        const auto librados = [&] {
            return filasDe(p.dm->instalacion().rutaDeudores(),
                           "SELECT Pk_Cliente, Nombre_Cliente, Cuenta "
                           "FROM Deudores ORDER BY Pk_Cliente");
        };
        const auto chequeAntes = cheque();
        const auto libradosAntes = librados();

        const tTalon mostrado =
            p.dm->talones().CargaRegistroTalones(1, p.estado.RemesaActual.Pk_Remesa);
        tTalon t = mostrado;
        TCliente librado = p.dm->librados().CargaRegistroBeneficiarioTablas(1);
        t.Cuenta = "22222222222222222222";
        t.Nombre_Cliente = "NUEVO NOMBRE";
        t.Estado = Estado::Correcto;
        GuardadoTalon guardado = GuardadoTalon::CambiadoPorOtro;
        const QString mensaje = falloDe(
            [&] { guardado = p.dm->talones().GuardaTalonEditado(mostrado, t, librado, talones); });
        if (!falla)
            QCOMPARE(guardado, GuardadoTalon::Hecho);
        if (falla) {
            QVERIFY2(mensaje.contains("database or disk is full"), qPrintable(mensaje));
            QCOMPARE(cheque(), chequeAntes);
            QCOMPARE(librados(), libradosAntes);
            QCOMPARE(librado.Pk_Cliente, 1);
            return;
        }
        QCOMPARE(cheque(),
                 (QList<QStringList>{{"22222222222222222222", "NUEVO NOMBRE", "2", "0"}}));
        QCOMPARE(librados(), (QList<QStringList>{{"1", "ANTIGUO", "11111111111111111111"},
                                                 {"2", "NUEVO NOMBRE", "22222222222222222222"}}));
        QCOMPARE(librado.Pk_Cliente, 2);
        QCOMPARE(t.fk_Beneficiarios, 2);
    }
};

QTEST_GUILESS_MAIN(TstIntegridad)
#include "tst_integridad.moc"
