// Backup copies: a copy restores every row and every image after a table is
// cut, overwritten or deleted; later copies write only what changed; a copy
// that fails its check is refused; a copy folder that is full or out of
// reach is reported and does not stop the emission; retention keeps the
// newest copies and the first of each month.
#include "DatosPrueba.h"
#include "DefinicionTablas.h"
#include "DigitosControl.h"
#include "DiscoLleno.h"
#include "ErrorOperacion.h"
#include "FicheroPerfil.h"
#include "ImagenesTalon.h"
#include "InstalacionPrueba.h"
#include "TablasInstalacion.h"
#include "copias/CopiasAutomaticas.h"
#include "copias/CopiasSeguridad.h"
#include "copias/RetencionCopias.h"

#include <QtTest>

#include <filesystem>
#include <map>

namespace {

using tEstadoDatos = std::map<QString, QList<QStringList>>;

// A data folder with rows in every table, a second remittance and images of
// open and emitted cheques; copies made with a clock the test moves.
struct DatosConCopias : InstalacionPrueba {
    QDateTime reloj{QDate(2025, 3, 5), QTime(10, 0)};
    std::unique_ptr<TCopiasSeguridad> copias;

    DatosConCopias() {
        ejecutaEn(dm->instalacion().rutaHistoricoCheques(),
                  "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                  "INSERT INTO historicoCheques (Pk_HistoricoRecibos, Numero, Nombre_Cliente, "
                  "Nombre_Cons, imp) SELECT i, printf('%07d-0', i), 'LIBRADO ' || i, "
                  "printf('CONS.%04d', 1 + i / 100), i * 100 FROM n");
        ejecutaEn(dm->instalacion().rutaHistorico(),
                  "INSERT INTO historico (Pk_Historico, Nombre_Cons) VALUES (1, 'CONS.0001'), "
                  "(2, 'CONS.0002'), (3, 'CONS.0003'), (4, 'CONS.0004')");
        ejecutaEn(dm->instalacion().rutaDeudores(),
                  "INSERT INTO Deudores (Pk_Cliente, Nombre_Cliente, Cuenta) "
                  "VALUES (1, 'D''ORS PEÑA', '00491500051234567892')");
        creaTabla(dm->instalacion().rutaTablaTalones(2), Tablas::talones());
        for (int remesa : {1, 2})
            ejecutaEn(inst.rutaTablaTalones(remesa),
                      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
                      "20) INSERT INTO Talones (Pk_Talon, Numero, Importe, Estado) SELECT i, "
                      "printf('%07d-1', i), '12,34', '0' FROM n");
        for (int i = 1; i <= 6; ++i) {
            escribeImagen(inst.dirs.Dir_Hco_Imagenes + QString("F%1.jpg").arg(i), i);
            escribeImagen(inst.dirs.Dir_Imagenes + QString("T%1.tif").arg(i), 100 + i);
        }
        copias = std::make_unique<TCopiasSeguridad>(inst);
        copias->ahora = [this] { return reloj; };
        copias->esperaBloqueoMs = 2000;
    }

    static void escribeImagen(const QString& ruta, int semilla) {
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(500 + semilla * 37, char('a' + semilla % 26)));
    }

    tCopia haz(const QString& motivo = TCopiasSeguridad::MotivoManual) {
        reloj = reloj.addSecs(60);
        return copias->haz(motivo);
    }

    // Every row of every table, and every image's bytes.
    tEstadoDatos estadoDatos() const {
        tEstadoDatos e;
        for (const QString& carpeta : {inst.dirs.Dir_Tablas, inst.dirs.Dir_TablaRemesas})
            for (const QString& f : QDir(carpeta).entryList({"*.dat"}, QDir::Files)) {
                const QString ruta = carpeta + f;
                e[ruta] =
                    filasDe(ruta, "SELECT * FROM " + nombreTablaDeFichero(ruta) + " ORDER BY 1");
            }
        for (const QString& carpeta : {inst.dirs.Dir_Hco_Imagenes, inst.dirs.Dir_Imagenes})
            for (const QString& f : QDir(carpeta).entryList(QDir::Files)) {
                QFile imagen(carpeta + f);
                imagen.open(QIODevice::ReadOnly);
                e[carpeta + f] = {{QString::fromLatin1(imagen.readAll().toBase64())}};
            }
        return e;
    }

    QString almacen() const { return copias->carpeta() + "/Imagenes"; }
};

bool mismoFichero(const QString& a, const QString& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a.toStdString(), b.toStdString(), ec);
}

// Store files and their dates: a file written again would show a new date.
std::map<QString, QDateTime> ficherosAlmacen(const QString& carpeta) {
    std::map<QString, QDateTime> f;
    QDirIterator it(carpeta, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        f[it.filePath()] = it.fileInfo().lastModified();
    }
    return f;
}

// A folder nobody can write in while this lives (chattr +i).
struct TInmutable {
    explicit TInmutable(const QString& carpeta) : carpeta_(carpeta) {
        puesto = QProcess::execute("chattr", {"+i", carpeta_}) == 0;
    }
    ~TInmutable() {
        if (puesto)
            QProcess::execute("chattr", {"-i", carpeta_});
    }
    bool puesto = false;

private:
    QString carpeta_;
};

} // namespace

class TstCopias : public QObject {
    Q_OBJECT

private slots:
    // The copy holds every table, config.ini and image; after the damage the
    // restore brings back every row and every image as they were, and keeps
    // the damaged state in a copy of its own first.
    void restauraTrasDano_data() {
        QTest::addColumn<QString>("dano");
        for (const char* d : {"cortada", "bytes ajenos", "borrada", "remesa borrada"})
            QTest::newRow(d) << QString(d);
    }
    void restauraTrasDano() {
        QFETCH(QString, dano);
        DatosConCopias d;
        TFicheroPerfil ini(d.inst.ficheros.ficheroConfiguracion);
        ini.fija("ESCANER", "Tipo", "4");
        ini.guarda();
        const tEstadoDatos antes = d.estadoDatos();
        const tCopia copia = d.haz();
        QCOMPARE(copia.chequesHistorico, 300);
        QCOMPARE(copia.chequesRemesas, 40);
        QCOMPARE(copia.emisiones, 4);

        const QString historico = d.dm->instalacion().rutaHistoricoCheques();
        if (dano == "cortada") {
            QFile f(historico);
            QVERIFY(f.resize(f.size() / 2));
        } else if (dano == "bytes ajenos") {
            estropeaTabla(d.dm->instalacion().rutaRemesas());
        } else if (dano == "borrada") {
            QVERIFY(motor::borraTabla(d.dm->instalacion().rutaDeudores()));
        } else {
            QVERIFY(motor::borraTabla(d.inst.rutaTablaTalones(2)));
        }
        ejecutaEn(d.inst.rutaTablaTalones(1), "DELETE FROM Talones WHERE Pk_Talon > 5");
        creaTabla(d.dm->instalacion().rutaTablaTalones(3), Tablas::talones());
        QVERIFY(QFile::remove(d.inst.dirs.Dir_Hco_Imagenes + "F2.jpg"));
        DatosConCopias::escribeImagen(d.inst.dirs.Dir_Imagenes + "T3.tif", 7);
        DatosConCopias::escribeImagen(d.inst.dirs.Dir_Hco_Imagenes + "F9.jpg", 9);
        QFile::remove(d.inst.ficheros.ficheroConfiguracion);

        d.reloj = d.reloj.addSecs(60);
        d.copias->restaura(copia);
        QVERIFY(d.estadoDatos() == antes);
        QVERIFY(TFicheroPerfil(d.inst.ficheros.ficheroConfiguracion).valor("ESCANER", "Tipo"));
        const QList<tCopia> lista = d.copias->lista();
        QCOMPARE(lista.size(), 2);
        QCOMPARE(lista[0].motivo, TCopiasSeguridad::MotivoRestauracion);
        QVERIFY(QFile::exists(lista[0].ruta + "/Hco/F9.jpg") == false); // images live in the store
        QVERIFY(QDir(d.inst.dirs.Dir_TablaRemesas).entryList({"*.restaurando"}).isEmpty());
    }

    // Nothing new: the second copy writes no image and links the unchanged
    // tables; a changed table is copied again; an image replaced under the
    // same name is stored beside the first, and the older copy still
    // restores the older image.
    void copiaIncremental() {
        DatosConCopias d;
        QStringList diagnostico;
        d.copias->diagnostico = [&diagnostico](const QString& l) { diagnostico << l; };
        const tCopia primera = d.haz();
        const auto almacen = ficherosAlmacen(d.almacen());
        QCOMPARE(almacen.size(), size_t(12));
        const tCopia segunda = d.haz();
        QVERIFY(ficherosAlmacen(d.almacen()) == almacen);
        // The log tells each copy's folder and what it wrote.
        const QString tablas =
            QString::number(QDir(d.inst.dirs.Dir_Tablas).entryList({"*.dat"}).size() +
                            QDir(d.inst.dirs.Dir_TablaRemesas).entryList({"*.dat"}).size());
        QCOMPARE(diagnostico,
                 (QStringList{"Copia de seguridad (hecha a mano) hecha en " +
                                  QDir::toNativeSeparators(primera.ruta) + ": " + tablas +
                                  " tablas (0 sin cambios desde la anterior, 0 dañadas), 12 "
                                  "imágenes (12 nuevas), " +
                                  QString::number(primera.bytes) + " bytes",
                              "Copia de seguridad (hecha a mano) hecha en " +
                                  QDir::toNativeSeparators(segunda.ruta) + ": " + tablas +
                                  " tablas (" + tablas +
                                  " sin cambios desde la anterior, 0 dañadas), 12 imágenes (0 "
                                  "nuevas), " +
                                  QString::number(segunda.bytes) + " bytes"}));
        const QString historico = "/Tablas/historicoCheques.dat";
        QVERIFY(mismoFichero(primera.ruta + historico, segunda.ruta + historico));

        ejecutaEn(d.dm->instalacion().rutaDeudores(),
                  "UPDATE Deudores SET Nombre_Cliente = 'OTRO'");
        DatosConCopias::escribeImagen(d.inst.dirs.Dir_Hco_Imagenes + "F1.jpg", 20);
        const tEstadoDatos antes = d.estadoDatos();
        const tCopia tercera = d.haz();
        QVERIFY(!mismoFichero(segunda.ruta + "/Tablas/Deudores.dat",
                              tercera.ruta + "/Tablas/Deudores.dat"));
        QVERIFY(mismoFichero(segunda.ruta + historico, tercera.ruta + historico));
        QCOMPARE(ficherosAlmacen(d.almacen()).size(), size_t(13));

        d.copias->restaura(primera);
        QCOMPARE(filasDe(d.dm->instalacion().rutaDeudores(), "SELECT Nombre_Cliente FROM Deudores"),
                 QList<QStringList>{{"D'ORS PEÑA"}});
        QCOMPARE(QFileInfo(d.inst.dirs.Dir_Hco_Imagenes + "F1.jpg").size(), 500 + 37);
        d.copias->restaura(tercera);
        QVERIFY(d.estadoDatos() == antes);
    }

    // A copy that fails its check is refused, saying why; nothing changes and
    // no copy of the current state is made.
    void copiaQueNoPasaLaRevision_data() {
        QTest::addColumn<QString>("fallo");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("tabla cortada") << "cortada"
                                       << "historicoCheques.dat";
        QTest::newRow("tabla ausente") << "ausente"
                                       << "falta la tabla historico.dat";
        QTest::newRow("columna ausente") << "columna"
                                         << "le falta la columna";
        QTest::newRow("imagen ausente") << "imagen"
                                        << "falta la imagen Hco/F3.jpg";
    }
    void copiaQueNoPasaLaRevision() {
        QFETCH(QString, fallo);
        QFETCH(QString, motivo);
        DatosConCopias d;
        const tCopia copia = d.haz();
        const QString tablas = copia.ruta + "/Tablas/";
        if (fallo == "cortada") {
            QFile f(tablas + "historicoCheques.dat");
            QVERIFY(f.resize(f.size() - 4096));
        } else if (fallo == "ausente") {
            QVERIFY(QFile::remove(tablas + "historico.dat"));
        } else if (fallo == "columna") {
            QVERIFY(QFile::remove(tablas + "Deudores.dat"));
            ejecutaEnNueva(tablas + "Deudores.dat",
                           "CREATE TABLE Deudores (Pk_Cliente INTEGER, Nombre_Cliente TEXT)");
        } else {
            QVERIFY(QFile::remove(d.almacen() + "/Hco/F3.jpg"));
        }
        ejecutaEn(d.dm->instalacion().rutaDeudores(), "DELETE FROM Deudores");
        const tEstadoDatos antes = d.estadoDatos();
        QVERIFY(!d.copias->comprueba(copia).isEmpty());
        QVERIFY(!d.copias->ultimaValida());
        try {
            d.copias->restaura(copia);
            QFAIL("restaurada");
        } catch (const TErrorOperacion& e) {
            QVERIFY2(e.texto().contains("no se puede restaurar") && e.texto().contains(motivo),
                     qPrintable(e.texto()));
        }
        QVERIFY(d.estadoDatos() == antes);
        QCOMPARE(d.copias->lista().size(), 1);
    }

    // A copy folder out of reach or full: one message naming the folder and
    // the reason, no copy listed, nothing half-written left, and the
    // emission that follows still completes.
    void carpetaDeCopiasConFallo_data() {
        QTest::addColumn<QString>("fallo");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("inalcanzable") << "inalcanzable"
                                      << "no se pudo crear la carpeta";
        QTest::newRow("llena") << "llena"
                               << "en el disco";
        QTest::newRow("solo lectura") << "solo lectura"
                                      << "solo lectura o sin permiso";
    }
    void carpetaDeCopiasConFallo() {
        QFETCH(QString, fallo);
        QFETCH(QString, motivo);
        DatosConCopias d;
        ponEmisible(d);
        QString carpeta = d.dir.path() + "/Copias";
        if (fallo == "inalcanzable") {
            creaFichero(d.dir.path() + "/NoEsCarpeta");
            carpeta = d.dir.path() + "/NoEsCarpeta/Copias";
        }
        // Read-only even for the super user, who runs the tests here.
        std::optional<TInmutable> soloLectura;
        if (fallo == "solo lectura") {
            QVERIFY(QDir().mkpath(carpeta));
            soloLectura.emplace(carpeta);
            if (!soloLectura->puesto)
                QSKIP("chattr no está disponible en este sistema de ficheros");
        }
        TFicheroPerfil ini(d.inst.ficheros.ficheroConfiguracion);
        ini.fija("COPIAS", "Carpeta", carpeta);
        ini.guarda();
        {
            std::optional<DiscoLleno> lleno;
            if (fallo == "llena")
                lleno.emplace(6000);
            copiaAntesDeEmitir(d.inst, d.iu);
        }
        QCOMPARE(d.iu.mensajes.size(), 1);
        const QString m = d.iu.mensajes[0];
        QVERIFY2(m.contains(QDir::toNativeSeparators(carpeta)) && m.contains(motivo) &&
                     m.endsWith(CopiasAutomaticas::SigueEmision),
                 qPrintable(m));
        // The log's line of the copy says it was not made, and why.
        QCOMPARE(d.iu.sucesos, QStringList{"Copia de seguridad (antes de emitir) no hecha: " +
                                           m.left(m.indexOf("\n\n"))});
        const TCopiasSeguridad copias(d.inst);
        QVERIFY(copias.lista().isEmpty());
        QCOMPARE(QDir(carpeta)
                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                     .filter("parcial"),
                 QStringList());
        QVERIFY(d.dm->facturaFichero(d.estado.RemesaActual, "05/03/2025", "10/03/2025"));
        QCOMPARE(filasDe(d.dm->instalacion().rutaHistorico(), "SELECT count(*) FROM historico"),
                 QList<QStringList>{{"5"}});
    }

    // Only whole copies are listed: not one cut off while being written, nor
    // a folder that only looks like one.
    void soloCopiasEnteras() {
        DatosConCopias d;
        d.haz();
        QVERIFY(QDir().mkpath(d.copias->carpeta() + "/.parcial_2025-03-05_11-00-00/Tablas"));
        QVERIFY(QDir().mkpath(d.copias->carpeta() + "/2025-03-05_12-00-00/Tablas"));
        QCOMPARE(d.copias->lista().size(), 1);
        d.haz();
        QCOMPARE(d.copias->lista().size(), 2);
        QVERIFY(!QFileInfo::exists(d.copias->carpeta() + "/.parcial_2025-03-05_11-00-00"));
    }

    // At close a copy is made once a day.
    void alCerrarUnaAlDia() {
        DatosConCopias d;
        d.haz(TCopiasSeguridad::MotivoEmision);
        QVERIFY(d.copias->hazAlCerrar());
        d.reloj = d.reloj.addSecs(3600);
        QVERIFY(!d.copias->hazAlCerrar());
        d.reloj = d.reloj.addDays(1);
        QVERIFY(d.copias->hazAlCerrar());
        QCOMPARE(d.copias->lista().size(), 3);
    }

    void retencion_data() {
        QTest::addColumn<QList<QDateTime>>("copias");
        QTest::addColumn<int>("conservar");
        QTest::addColumn<QList<QDateTime>>("sobran");
        const auto dia = [](int y, int m, int d, int h = 9) {
            return QDateTime(QDate(y, m, d), QTime(h, 0));
        };
        QList<QDateTime> diarias;
        for (int i = 1; i <= 14; ++i)
            diarias << dia(2025, 3, i);
        // March: the first of the month stays with the newest ten.
        QTest::newRow("catorce en un mes")
            << diarias << 10 << QList<QDateTime>{dia(2025, 3, 4), dia(2025, 3, 3), dia(2025, 3, 2)};
        QList<QDateTime> mensuales;
        for (int m = 1; m <= 12; ++m)
            mensuales << dia(2024, m, 10) << dia(2024, m, 20);
        mensuales << dia(2025, 3, 1) << dia(2025, 3, 2);
        // From 2024-04 to 2025-03 the first of each month stays; older ones
        // and the second copies of a month go.
        QTest::newRow("meses") << mensuales << 2
                               << QList<QDateTime>{
                                      dia(2024, 12, 20), dia(2024, 11, 20), dia(2024, 10, 20),
                                      dia(2024, 9, 20),  dia(2024, 8, 20),  dia(2024, 7, 20),
                                      dia(2024, 6, 20),  dia(2024, 5, 20),  dia(2024, 4, 20),
                                      dia(2024, 3, 20),  dia(2024, 3, 10),  dia(2024, 2, 20),
                                      dia(2024, 2, 10),  dia(2024, 1, 20),  dia(2024, 1, 10)};
        QTest::newRow("nunca la última") << QList<QDateTime>{dia(2020, 1, 1), dia(2020, 1, 2)} << 0
                                         << QList<QDateTime>{dia(2020, 1, 1)};
    }
    void retencion() {
        QFETCH(QList<QDateTime>, copias);
        QFETCH(int, conservar);
        QFETCH(QList<QDateTime>, sobran);
        QCOMPARE(copiasSobrantes(copias, conservar, QDate(2025, 3, 20)), sobran);
    }

    // On disk: the copies beyond the rule go, and the images only they held
    // go from the store.
    void retencionEnDisco() {
        DatosConCopias d;
        TFicheroPerfil ini(d.inst.ficheros.ficheroConfiguracion);
        ini.fija("COPIAS", "Conservar", "3");
        ini.guarda();
        d.copias = std::make_unique<TCopiasSeguridad>(d.inst);
        d.copias->ahora = [&d] { return d.reloj; };
        d.haz();
        QVERIFY(QFile::remove(d.inst.dirs.Dir_Hco_Imagenes + "F6.jpg"));
        for (int i = 0; i < 5; ++i)
            d.haz();
        QVERIFY(QFileInfo::exists(d.almacen() + "/Hco/F6.jpg")); // the first of March holds it
        d.reloj = d.reloj.addMonths(13);
        for (int i = 0; i < 3; ++i)
            d.haz();
        QCOMPARE(d.copias->lista().size(), 3);
        QVERIFY(!QFileInfo::exists(d.almacen() + "/Hco/F6.jpg"));
        QVERIFY(QFileInfo::exists(d.almacen() + "/Hco/F5.jpg"));
    }

private:
    static void ejecutaEnNueva(const QString& ruta, const QString& sql) {
        motor::Conexion con(ruta, true);
        QCOMPARE(motor::ejecutaSql(con, sql), QString());
    }

    // A presenter and one correct cheque in remittance 1.
    static void ponEmisible(DatosConCopias& d) {
        ejecutaEn(d.dm->instalacion().rutaTalonesEstandar(), "DELETE FROM Talones");
        ejecutaEn(d.dm->instalacion().rutaOrdenantes(),
                  "INSERT INTO Ordenantes (Pk_Ordenante, Nif_Sufijo, Nombre_Ordenante, Cuenta) "
                  "VALUES (1, 'B12345678', 'EMPRESA', 'ES9121000418450200051332')");
        ejecutaEn(d.dm->instalacion().rutaTalonesEstandar(),
                  "INSERT INTO Talones (Pk_Talon, Modelo_Talon, Numero_Modelo, Importe, "
                  "Fecha_Talon, Numero, Estado, Cuenta, indicador, Nombre_Cliente, fk_Clientes, "
                  "fk_Remesa) VALUES (1, '0', '4201-1', '1000,00', '15/02/2025', '1234567-1', "
                  "'0', '00491500051234567892', 0, 'LIBRADO', 1, 1)");
        d.estado.RemesaActual.Nombre_Remesa = "ESTANDAR";
        d.estado.OrdenanteActual.Pk_Ordenante = 1;
    }
};

QTEST_GUILESS_MAIN(TstCopias)
#include "tst_copias.moc"
