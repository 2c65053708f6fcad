// Storing the read lines of a capture window: the walk over the list, bad
// reads, images by reader type, drawers and duplicates.
#include "AlmacenLibrados.h"
#include "AlmacenRemesas.h"
#include "DatosPrueba.h"
#include "DiscoConFallos.h"
#include "FicherosPrueba.h"
#include "ImagenesTalon.h"
#include "InstalacionPrueba.h"
#include "ServicioLectura.h"

#include <QtTest>

namespace {

const QString cuentaEjemplo = QStringLiteral("12345678010123456789");

// Worked example of a good read and two more lines for the same reader.
const QString buenaA = QStringLiteral("+1234567 1234 5678 0123456789 4212 00000012345¬1");
const QString malaB = QStringLiteral("+1234567 1234 5678 01234?6789 4212 00000012345¬2");
const QString buenaC = QStringLiteral("+7654321 1234 5678 0123456789 4212 00000010000¬3");

// The three temporary images a reader writes for a sequence number.
void ponImagenesTemporales(InstalacionPrueba& p, const QString& secuencia) {
    for (const QString& f : ficherosImagen(p.inst.dirs.Dir_Imagenes_tmp, secuencia))
        creaFichero(f);
}

// Stores the lines as the capture window of a reader of that decoding does.
void almacena(InstalacionPrueba& p, QStringList& lista, bool todos, int& buenos, int& invalidos,
              VarianteLectura variante = VarianteLectura::Normal) {
    const tResultadoLectura r = p.dm->almacenaLineasLeidas(lista, todos, variante);
    buenos = r.buenos;
    invalidos = r.invalidos;
}

QList<QStringList> talonesGuardados(InstalacionPrueba& p, int remesa = 1) {
    return filasDe(p.inst.rutaTablaTalones(remesa),
                   "SELECT Numero, Numero_Modelo, Modelo_Talon, Estado, Cuenta, Importe "
                   "FROM Talones ORDER BY Pk_Talon");
}

} // namespace

Q_DECLARE_METATYPE(VarianteLectura)

class TstLectura : public QObject {
    Q_OBJECT

private slots:
    void recorridoDeLaLista_data() {
        QTest::addColumn<VarianteLectura>("variante");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QStringList>("lineas");
        QTest::addColumn<bool>("todos");
        QTest::addColumn<int>("buenos");
        QTest::addColumn<int>("invalidos");
        QTest::addColumn<QStringList>("quedan");

        const QStringList normal{buenaA, malaB, buenaC};
        QTest::newRow("normal sin todos")
            << VarianteLectura::Normal << 1 << normal << false << 2 << 1 << QStringList{malaB};
        QTest::newRow("normal con todos")
            << VarianteLectura::Normal << 5 << normal << true << 3 << 0 << QStringList{};

        const QStringList safe{"+1234567 1234 5678 0123456789 420000012345",
                               "1234567 1234 5678 0123456789 420000012345",
                               "+7654321 1234 5678 0123456789 420000012345"};
        QTest::newRow("teclado sin todos")
            << VarianteLectura::SAFE << 4 << safe << false << 2 << 1 << QStringList{safe[1]};

        const QStringList excella{"+1234567 1234 5678 0123456789 4212 0 00000012345",
                                  "ERROR 1234567 1234 5678 01234?6789 4212 0 00000012345",
                                  "+7654321 1234 5678 0123456789 4212 0 00000012345"};
        QTest::newRow("excella no borra")
            << VarianteLectura::Excella << 2 << excella << false << 2 << 1 << excella;
    }
    void recorridoDeLaLista() {
        QFETCH(VarianteLectura, variante);
        QFETCH(int, tipo);
        QFETCH(QStringList, lineas);
        QFETCH(bool, todos);
        QFETCH(int, buenos);
        InstalacionPrueba p;
        p.estado.Escaner.tipo = tipo;
        for (const char* s : {"1", "2", "3"})
            ponImagenesTemporales(p, s);
        int b = -1, i = -1;
        almacena(p, lineas, todos, b, i, variante);
        QCOMPARE(b, buenos);
        QTEST(i, "invalidos");
        QTEST(lineas, "quedan");
        QCOMPARE(talonesGuardados(p).size(), buenos);
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    void chequesGuardadosConSusCamposEImagenes() {
        InstalacionPrueba p;
        p.estado.Escaner.tipo = 1;
        for (const char* s : {"1", "2", "3"})
            ponImagenesTemporales(p, s);
        QStringList lista{buenaA, malaB};
        int b = 0, i = 0;
        almacena(p, lista, true, b, i);
        const QList<QStringList> filas = talonesGuardados(p);
        QCOMPARE(filas.size(), 2);
        QCOMPARE(filas[0], (QStringList{"1234567-6", "4212-5", "0", "0", cuentaEjemplo, "123,45"}));
        QCOMPARE(filas[1].mid(1, 3), (QStringList{"9999-3", "6", "1"}));
        for (const QString& f :
             ficherosImagen(p.inst.dirs.Dir_Imagenes, "1234567801012345678942121234567"))
            QVERIFY2(QFile::exists(f), qPrintable(f));
        // Every cheque is stamped with the remittance it went into.
        QCOMPARE(filasDe(p.dm->instalacion().rutaTalonesEstandar(),
                         "SELECT DISTINCT fk_Remesa FROM Talones"),
                 (QList<QStringList>{{"1"}}));
    }

    void estadoDelChequeGuardado_data() {
        QTest::addColumn<QString>("linea");
        QTest::addColumn<QString>("modelo");
        QTest::addColumn<QString>("estado");
        QTest::newRow("cuenta corriente") << buenaA << "0"
                                          << "0";
        QTest::newRow("pagare") << "+1234567 1234 5678 0123456789 8212 00000012345"
                                << "2"
                                << "1";
        QTest::newRow("importe que falta") << "+1234567 1234 5678 0123456789 4212"
                                           << "0"
                                           << "1";
        QTest::newRow("tipo desconocido") << "+1234567 1234 5678 0123456789 1212 00000012345"
                                          << "5"
                                          << "1";
    }
    void estadoDelChequeGuardado() {
        QFETCH(QString, linea);
        InstalacionPrueba p;
        p.estado.Escaner.tipo = 4;
        QStringList lista{linea};
        int b = 0, i = 0;
        almacena(p, lista, false, b, i);
        QCOMPARE(b, 1);
        const QList<QStringList> filas = talonesGuardados(p);
        QCOMPARE(filas.size(), 1);
        QTEST(filas[0][2], "modelo");
        QTEST(filas[0][3], "estado");
    }

    void duplicados() {
        InstalacionPrueba p;
        p.estado.Escaner.tipo = 4;
        // Equal to an emitted cheque: a duplicate even with an empty remittance.
        ponEnHistorico(p.dm->instalacion().rutaHistoricoCheques(), "7654321-4", "4212-5",
                       cuentaEjemplo);
        QStringList lista{"+7654321 1234 5678 0123456789 4212 00000012345"};
        int b = 0, i = 0;
        almacena(p, lista, false, b, i);
        QCOMPARE(talonesGuardados(p).value(0).value(0), QString("7654321-4"));
        QCOMPARE(talonesGuardados(p).value(0).value(3), QString("2"));

        // A second read of a cheque already in the remittance.
        lista = QStringList{buenaA, buenaA};
        almacena(p, lista, false, b, i);
        QCOMPARE(b, 2);
        QCOMPARE(talonesGuardados(p)[1][3], QString("0"));
        QCOMPARE(talonesGuardados(p)[2][3], QString("2"));
    }

    void lineaSinSusImagenesNoSeGuarda_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("linea");
        QTest::addColumn<QStringList>("temporales");
        QTest::newRow("falta el jpg") << 1 << buenaA << QStringList{"F1.tif", "T1.tif"};
        QTest::newRow("falta el reverso") << 5 << buenaA << QStringList{"F1.tif", "F1.jpg"};
        const QString sinMarca = "+1234567 1234 5678 0123456789 4212 00000012345";
        // Files without a number must not be taken for the line's images.
        const QStringList sinNumero{"F.tif", "T.tif", "F.jpg"};
        QTest::newRow("sin marca, tipo 1") << 1 << sinMarca << sinNumero;
        QTest::newRow("sin marca, tipo 5") << 5 << sinMarca << sinNumero;
        QTest::newRow("marca sin numero") << 1 << sinMarca + "¬" << sinNumero;
    }
    void lineaSinSusImagenesNoSeGuarda() {
        QFETCH(int, tipo);
        QFETCH(QString, linea);
        QFETCH(QStringList, temporales);
        InstalacionPrueba p;
        p.estado.Escaner.tipo = tipo;
        for (const QString& f : temporales)
            creaFichero(p.inst.dirs.Dir_Imagenes_tmp + f);
        QStringList lista{linea};
        int b = -1, i = -1;
        almacena(p, lista, true, b, i);
        QCOMPARE(b, 0);
        QCOMPARE(i, 1);
        QCOMPARE(lista, QStringList{linea});
        QVERIFY(talonesGuardados(p).isEmpty());
    }

    void librados() {
        InstalacionPrueba p;
        p.estado.Escaner.tipo = 4;
        TCliente conocido;
        conocido.EsNuevo = true;
        conocido.Cuenta = "99999999509999999999";
        conocido.Nombre_Cliente = "CONOCIDO";
        p.dm->librados().GuardaBeneficiario(conocido);
        // 9999 9999 with account 9999999999 completes (control digits 50) to
        // the known account.
        QStringList lista{"+1111111 9999 9999 9999999999 4212 00000012345", buenaA,
                          "+7654321 1234 5678 0123456789 4212 00000012345"};
        int b = 0, i = 0;
        almacena(p, lista, false, b, i);
        QCOMPARE(b, 3);
        QCOMPARE(filasDe(p.dm->instalacion().rutaDeudores(),
                         "SELECT Pk_Cliente, Nombre_Cliente, Cuenta FROM Deudores"),
                 (QList<QStringList>{{"1", "CONOCIDO", "99999999509999999999"},
                                     {"2", "", cuentaEjemplo}}));
        QCOMPARE(filasDe(p.dm->instalacion().rutaTalonesEstandar(),
                         "SELECT fk_Clientes, Nombre_Cliente FROM Talones ORDER BY Pk_Talon"),
                 (QList<QStringList>{{"1", "CONOCIDO"}, {"2", ""}, {"2", ""}}));
    }

    void lineasHostiles_data() {
        QTest::addColumn<VarianteLectura>("variante");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<bool>("todos");
        QTest::newRow("normal, teclado, todos") << VarianteLectura::Normal << 4 << true;
        QTest::newRow("normal, imagenes, todos") << VarianteLectura::Normal << 1 << true;
        QTest::newRow("teclado") << VarianteLectura::SAFE << 4 << false;
        QTest::newRow("excella, todos") << VarianteLectura::Excella << 3 << true;
    }
    void lineasHostiles() {
        QFETCH(VarianteLectura, variante);
        QFETCH(int, tipo);
        QFETCH(bool, todos);
        InstalacionPrueba p;
        p.estado.Escaner.tipo = tipo;
        ponImagenesTemporales(p, "1");
        const QStringList hostiles{"",
                                   "¬",
                                   "¬¬¬",
                                   "+¬",
                                   "+¬1",
                                   "!\"$%&/()=?¿*^;:_'--",
                                   "+" + QString(10240, u'9') + "¬1",
                                   QString(10240, u'¬'),
                                   "+1234567 1234 5678 0123456789 4212 00000012345¬../../x",
                                   "+1234567 1234 5678 0123456789 4212 00000012345¬1:2"};
        QStringList lista = hostiles;
        int b = -1, i = -1;
        almacena(p, lista, todos, b, i, variante);
        QCOMPARE(b + i, int(hostiles.size()));
        QCOMPARE(talonesGuardados(p).size(), b);
        if (variante != VarianteLectura::Excella)
            QCOMPARE(lista.size(), i);
        // Nothing was written outside the image folder.
        QVERIFY(!QFile::exists(p.inst.dirs.Dir_Cuarderno + "x"));
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    // The service stores into the remittance, and with the reader, it is
    // given: the program state is not its to read.
    void servicioSinEstadoDelPrograma() {
        InstalacionPrueba p;
        tRemesas otra;
        otra.Nombre_Remesa = "OTRA";
        p.dm->remesas().GuardaRegistroRemesa(otra);
        p.estado.RemesaActual.Pk_Remesa = 1;
        p.estado.Escaner.tipo = 1; // a reader of images, and there are none
        TBaseDatos bd(p.inst, p.iu);
        QStringList lista{buenaA, buenaC};
        const tResultadoLectura r = TServicioLectura(bd).almacenaLineasLeidas(
            lista, false, VarianteLectura::Normal, 2, TipoLector::Teclado);
        QCOMPARE(r.buenos, 2);
        QVERIFY(lista.isEmpty());
        QCOMPARE(talonesGuardados(p, 2).size(), 2);
        QVERIFY(talonesGuardados(p, 1).isEmpty());
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    void tablaQueFaltaDejaLasLineasYAvisaUnaVez() {
        InstalacionPrueba p;
        p.estado.Escaner.tipo = 4;
        p.estado.RemesaActual.Pk_Remesa = 9;
        const QStringList lineas{buenaA, buenaC, malaB};
        QStringList lista = lineas;
        int b = -1, i = -1;
        almacena(p, lista, true, b, i);
        QCOMPARE(b, 0);
        QCOMPARE(i, 3);
        QCOMPARE(lista, lineas);
        QCOMPARE(p.iu.mensajes.size(), 1);
        QVERIFY(!QFile::exists(p.inst.rutaTablaTalones(9)));
    }

    // Images that the disk refuses (a read-only image folder, 0 to 8 KB
    // free, the folder gone): no cheque is stored, the lines and their
    // temporary images stay for another try, the result says which folder
    // and why, and once the disk is right again the same lines are stored,
    // each with its own pictures.
    void imagenesQueElDiscoRechaza_data() {
        QTest::addColumn<int>("libres"); // -1 read-only, -2 folder removed
        QTest::addColumn<QString>("causa");
        QTest::newRow("solo lectura") << -1 << "es de solo lectura o no tiene permiso";
        QTest::newRow("0 KB libres") << 0 << "puede estar lleno";
        QTest::newRow("8 KB libres") << 8 * 1024 << "puede estar lleno";
        QTest::newRow("carpeta que falta") << -2 << "la carpeta no existe";
    }
    void imagenesQueElDiscoRechaza() {
        QFETCH(int, libres);
        InstalacionPrueba p;
        p.estado.Escaner.tipo = 5;
        const QStringList lineas{buenaA, buenaC};
        for (const char* s : {"1", "3"})
            for (const QString& f : ficherosImagen(p.inst.dirs.Dir_Imagenes_tmp, s)) {
                QFile img(f);
                QVERIFY(img.open(QIODevice::WriteOnly));
                img.write(QByteArray(6 * 1024, 'x') + f.toUtf8());
            }
        // A picture already there under the first cheque's name is never cut.
        const QString previa =
            ficherosImagen(p.inst.dirs.Dir_Imagenes, "1234567801012345678942121234567")[1];
        creaFichero(previa);
        std::unique_ptr<TDiscoConFallos> disco;
        if (libres == -2)
            QVERIFY(QDir(p.inst.dirs.Dir_Imagenes).removeRecursively());
        else
            disco = std::make_unique<TDiscoConFallos>(
                libres < 0 ? TDiscoConFallos::soloLectura(p.inst.dirs.Dir_Imagenes)
                           : TDiscoConFallos::conLibres(p.inst.dirs.Dir_Imagenes, libres));
        p.dm->base().destinoFicheros = disco.get();
        QStringList lista = lineas;
        tResultadoLectura r = p.dm->almacenaLineasLeidas(lista, true, VarianteLectura::Normal);
        QCOMPARE(r.buenos, 0);
        QCOMPARE(r.invalidos, 2);
        QCOMPARE(lista, lineas);
        QCOMPARE(r.noGuardadas.size(), 2);
        for (const tLineaNoGuardada& n : r.noGuardadas)
            QVERIFY(n.motivo == tLineaNoGuardada::Motivo::ImagenesNoCopiadas);
        QCOMPARE(r.noGuardadas[1].secuencia, QString("3"));
        QCOMPARE(r.carpetaImagenes,
                 QDir::toNativeSeparators(QDir(p.inst.dirs.Dir_Imagenes).absolutePath()));
        QFETCH(QString, causa);
        QVERIFY2(r.causaImagenes.contains(causa), qPrintable(r.causaImagenes));
        QVERIFY(talonesGuardados(p).isEmpty());
        QVERIFY(p.iu.mensajes.isEmpty());
        QCOMPARE(QDir(p.inst.dirs.Dir_Imagenes_tmp).entryList(QDir::Files).size(), 6);
        if (libres != -2) {
            const QByteArray b = bytesDe(previa); // the old picture or the whole new one
            QVERIFY(b == "imagen" || (b.size() > 6 * 1024 && b.endsWith("F1.tif")));
            QVERIFY(QDir(p.inst.dirs.Dir_Imagenes).entryList({"*.copia"}, QDir::Files).isEmpty());
        }

        QVERIFY(QDir().mkpath(p.inst.dirs.Dir_Imagenes));
        p.dm->base().destinoFicheros = nullptr;
        r = p.dm->almacenaLineasLeidas(lista, true, VarianteLectura::Normal);
        QCOMPARE(r.buenos, 2);
        QVERIFY(lista.isEmpty());
        QCOMPARE(talonesGuardados(p).size(), 2);
        QVERIFY(bytesDe(previa).endsWith("F1.tif"));
    }

    // A table held by another program while a batch is stored (the drawers
    // locked for reading or for writing, the history locked): one message
    // for the batch, and no cheque filed without its drawer or without its
    // duplicate check; the lines stay for another try.
    void tablaBloqueadaUnMensajePorLote_data() {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<QString>("bloqueo");
        QTest::newRow("librados, exclusivo") << "Deudores.dat"
                                             << "EXCLUSIVE";
        QTest::newRow("librados, escritura") << "Deudores.dat"
                                             << "IMMEDIATE";
        QTest::newRow("historico, exclusivo") << "historicoCheques.dat"
                                              << "EXCLUSIVE";
    }
    void tablaBloqueadaUnMensajePorLote() {
        QFETCH(QString, tabla);
        QFETCH(QString, bloqueo);
        InstalacionPrueba p;
        p.estado.Escaner.tipo = 4;
        QStringList lineas;
        for (int n = 1; n <= 5; ++n)
            lineas << QStringLiteral("+%1 1234 5678 012345678%2 4212 00000012345")
                          .arg(1111110 + n)
                          .arg(n);
        motor::Conexion otro(p.inst.rutaTabla(tabla));
        QCOMPARE(motor::ejecutaSql(otro, "BEGIN " + bloqueo), QString());
        if (bloqueo == "EXCLUSIVE") // the lock is taken when the other program writes
            QCOMPARE(motor::ejecutaSql(otro, "DELETE FROM " + tabla.section('.', 0, 0)), QString());
        QStringList lista = lineas;
        int b = -1, i = -1;
        almacena(p, lista, false, b, i);
        motor::ejecutaSql(otro, "ROLLBACK");
        QCOMPARE(p.iu.mensajes.size(), 1);
        QVERIFY2(p.iu.mensajes[0].contains("en uso por otro programa"),
                 qPrintable(p.iu.mensajes[0]));
        QCOMPARE(b, 0);
        QCOMPARE(i, 5);
        QCOMPARE(lista, lineas);
        QVERIFY(talonesGuardados(p).isEmpty());

        // Free again: the same lines are stored, each with its drawer.
        p.iu.mensajes.clear();
        almacena(p, lista, false, b, i);
        QCOMPARE(b, 5);
        QVERIFY(p.iu.mensajes.isEmpty());
        QCOMPARE(filasDe(p.dm->instalacion().rutaTalonesEstandar(),
                         "SELECT count(*) FROM Talones WHERE fk_Clientes > 0"),
                 (QList<QStringList>{{"5"}}));
    }

    void remesaActualRecibeLosCheques() {
        InstalacionPrueba p;
        tRemesas r;
        r.Nombre_Remesa = "OTRA";
        p.dm->remesas().GuardaRegistroRemesa(r);
        p.estado.RemesaActual.Pk_Remesa = 2;
        p.estado.Escaner.tipo = 4;
        QStringList lista{buenaA};
        int b = 0, i = 0;
        almacena(p, lista, false, b, i);
        QCOMPARE(b, 1);
        QVERIFY(talonesGuardados(p, 1).isEmpty());
        QCOMPARE(filasDe(p.inst.rutaTablaTalones(2), "SELECT Pk_Talon, fk_Remesa FROM Talones"),
                 (QList<QStringList>{{"1", "2"}}));
    }
};

QTEST_GUILESS_MAIN(TstLectura)
#include "tst_lectura.moc"
