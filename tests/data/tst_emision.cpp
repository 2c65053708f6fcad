// The emission on a real installation folder: files in Cons, history rows,
// the cheques left in the remittance, images, and the ZIP archive as a
// standard tool reads it; two emissions in a row; an emission interrupted
// after some cheques; emissions that cannot start.
#include "BloqueoEmision.h"
#include "DatosPrueba.h"
#include "DigitosControl.h"
#include "DiscoConFallos.h"
#include "EmisionEnCurso.h"
#include "ErrorOperacion.h"
#include "FicheroPresentacion.h"
#include "FicherosTexto.h"
#include "ImagenesTalon.h"
#include "Importes.h"
#include "InformesEmision.h"
#include "InstalacionPrueba.h"
#include "InvarianteEmision.h"
#include "RegistroActividad.h"
#include "ServicioEmision.h"
#include "VerificacionFicheroBanco.h"

#include <QProcess>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

struct tChequePrueba {
    QString modelo;
    QString numeroModelo;
    QString importe;
    QString fecha;
    QString numero;
    QString estado;
    QString cuenta;
    int indicador = 0;
    QString nombre;
    bool imagenes = true;
};

// The three correct documents of the worked example (1.000,00 + 234,51 + 0,05)
// and one incomplete cheque typed by hand.
const tChequePrueba chequeA{"0",
                            "4201-1",
                            "1000,00",
                            "15/02/2025",
                            "1234567-1",
                            "0",
                            "00491500051234567892",
                            0,
                            "D'ANGELO GARCÍA, JUAN"};
const tChequePrueba pagareB{
    "2", "8200-3",          "234,51", "28/02/2025", "7654321-5", "0", "21000418450200051332",
    1,   "FERRETERÍA LÓPEZ"};
const tChequePrueba pagareC{
    "2", "8200-3", "0,05", "31/03/2025", "0000123-6", "0", "01822370440201234567", 0, "", false};
const tChequePrueba incompleto{"5", "0000-0", "0000", "", "0000000-0", "1", "###################",
                               0,   "",       false};

QString baseDe(const tChequePrueba& c) {
    return baseImagenTalon(c.cuenta, c.numeroModelo, c.numero);
}

// The i-th of many correct cheques of one model, each with its own number
// and drawer's account, for 1,00 euro more than the one before.
tChequePrueba chequeNumero(int i) {
    const QString numero = QString::number(5000000 + i);
    const QString cuenta = QStringLiteral("00491500??%1").arg(i, 10, 10, QChar(u'0'));
    return {"0",
            chequeA.numeroModelo,
            QStringLiteral("%1,00").arg(i),
            "15/02/2025",
            numero + '-' + digitoControlModulo7(chequeA.numeroModelo.left(4) + numero),
            "0",
            cuenta.left(8) + calculaDigitosControlCCC(cuenta) + cuenta.mid(10),
            0,
            "LIBRADO " + QString::number(i)};
}

QStringList ficheros(const QString& carpeta) {
    return QDir(carpeta).entryList(QDir::Files, QDir::Name);
}

// A disk that changes what is written into one file: `de` becomes `a`.
class TDiscoQueAltera : public IDestinoFicheros {
public:
    TDiscoQueAltera(const QString& nombre, const QByteArray& de, const QByteArray& a)
        : nombre_(nombre), de_(de), a_(a) {}

    std::unique_ptr<QIODevice> dispositivo(const QString& ruta) const override {
        if (QFileInfo(ruta).fileName() != nombre_)
            return std::make_unique<QFile>(ruta);
        return std::make_unique<TAlterado>(ruta, de_, a_);
    }

private:
    class TAlterado : public QFile {
    public:
        TAlterado(const QString& ruta, const QByteArray& de, const QByteArray& a)
            : QFile(ruta), de_(de), a_(a) {}

    protected:
        qint64 writeData(const char* datos, qint64 n) override {
            const QByteArray cambiado = QByteArray(datos, n).replace(de_, a_);
            return QFile::writeData(cambiado.constData(), cambiado.size()) < 0 ? -1 : n;
        }

    private:
        QByteArray de_;
        QByteArray a_;
    };

    QString nombre_;
    QByteArray de_;
    QByteArray a_;
};

// An installation with the presenter of the examples, remittance 1 current.
// Makes the history refuse the inserts that `condicion` (a condition on NEW,
// or none for all) picks, with `texto` as the engine's text; with
// `alConfirmar`, only when the transaction commits.
void rechazaFilasHistorico(const QString& ruta, const QString& condicion, const QString& texto,
                           bool alConfirmar = false) {
    if (!motor::enServidor()) {
        QVERIFY(!alConfirmar);
        ejecutaEn(ruta, "CREATE TRIGGER rechaza BEFORE INSERT ON historicoCheques " +
                            (condicion.isEmpty() ? QString() : "WHEN " + condicion) +
                            " BEGIN SELECT RAISE(ABORT, '" + texto + "'); END");
        return;
    }
    // On the server a refusal at commit is the one another workstation's
    // lock gives.
    ejecutaEn(ruta, "CREATE FUNCTION rechaza() RETURNS trigger LANGUAGE plpgsql AS 'BEGIN RAISE "
                    "EXCEPTION ''" +
                        texto + "'' USING ERRCODE = ''" + (alConfirmar ? "55P03" : "53100") +
                        "''; END'");
    ejecutaEn(ruta, QString(alConfirmar ? "CREATE CONSTRAINT TRIGGER rechaza AFTER INSERT ON "
                                          "historicoCheques DEFERRABLE INITIALLY DEFERRED"
                                        : "CREATE TRIGGER rechaza BEFORE INSERT ON "
                                          "historicoCheques") +
                        " FOR EACH ROW " +
                        (condicion.isEmpty() ? QString() : "WHEN (" + condicion + ") ") +
                        "EXECUTE FUNCTION rechaza()");
}

struct InstalacionEmision : InstalacionPrueba {
    int siguienteTalon = 1;

    InstalacionEmision() {
        ejecutaEn(dm->instalacion().rutaOrdenantes(),
                  "INSERT INTO Ordenantes (Pk_Ordenante, Nif_Sufijo, Nombre_Ordenante, Cuenta) "
                  "VALUES (1, 'B12345678', 'TALLERES PEÑA E HIJOS, S.L.', "
                  "'ES9121000418450200051332')");
        estado.RemesaActual.Pk_Remesa = 1;
        estado.RemesaActual.Nombre_Remesa = "ESTANDAR";
        estado.OrdenanteActual.Pk_Ordenante = 1;
    }

    void anade(const tChequePrueba& c) {
        ejecutaEn(dm->rutaTalonesActual(),
                  "INSERT INTO Talones (Pk_Talon, Modelo_Talon, Numero_Modelo, Importe, "
                  "Fecha_Talon, Numero, Estado, Cuenta, indicador, Nombre_Cliente, fk_Clientes, "
                  "fk_Remesa) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1, 1)",
                  {siguienteTalon++, c.modelo, c.numeroModelo, c.importe, c.fecha, c.numero,
                   c.estado, c.cuenta, c.indicador, c.nombre});
        if (c.imagenes)
            for (const QString& f : ficherosImagen(inst.dirs.Dir_Imagenes, baseDe(c)))
                creaFichero(f);
    }

    bool emite() { return dm->facturaFichero(estado.RemesaActual, "05/03/2025", "10/03/2025"); }

    QStringList numerosEn(const QString& ruta, const QString& tabla) const {
        QStringList n;
        for (const QStringList& f : filasDe(ruta, "SELECT Numero FROM " + tabla))
            n << f[0];
        n.sort();
        return n;
    }
    QStringList numerosHistorico() const {
        return numerosEn(dm->instalacion().rutaHistoricoCheques(), "historicoCheques");
    }
    QStringList numerosRemesa() const { return numerosEn(dm->rutaTalonesActual(), "Talones"); }

    QString cons(const QString& fichero) const { return inst.dirs.Dir_Cons + fichero; }
};

} // namespace

class TstEmision : public QObject {
    Q_OBJECT

#ifdef Q_OS_UNIX
    // Runs `accion` in a child process that ends abruptly (no destructor, no
    // rollback, nothing flushed) at the checkpoint: the k-th cheque, or any
    // count when k is -1 or the point is inside the archive. True when it
    // ended there.
    static bool muereEn(InstalacionEmision& p, PuntoEmision punto, int k,
                        const std::function<void()>& accion) {
        fflush(nullptr);
        const pid_t hijo = fork();
        if (hijo == 0) {
            p.dm->emision().puntoControlEmision = [&](PuntoEmision q, int n) {
                if (q == punto && (k < 0 || n == k || q == PuntoEmision::Comprimiendo))
                    _exit(17);
            };
            try {
                accion();
            } catch (...) {
            }
            _exit(1);
        }
        int estadoHijo = 0;
        return waitpid(hijo, &estadoHijo, 0) == hijo && WIFEXITED(estadoHijo) &&
               WEXITSTATUS(estadoHijo) == 17;
    }
#endif

    // Every correct cheque is in exactly one of the remittance or the
    // history, and the files of every emission agree with the history; the
    // images of each cheque are in the history folder exactly when it was
    // emitted.
    static void compruebaInvariante(InstalacionEmision& p, const QStringList& correctos) {
        QStringList remesa = p.numerosRemesa();
        remesa.removeOne("0000000-0");
        QStringList todos = remesa + p.numerosHistorico();
        todos.sort();
        QCOMPARE(todos, correctos);
        compruebaFicherosEmitidos(p.inst, p.dm->instalacion().rutaHistoricoCheques(),
                                  p.dm->instalacion().rutaHistorico(),
                                  [](const QStringList& numeros) {
                                      QStringList frontales;
                                      for (const tChequePrueba& c : {chequeA, pagareB})
                                          if (numeros.contains(c.numero))
                                              frontales << "F" + baseDe(c) + ".tif";
                                      return frontales;
                                  });
        for (const tChequePrueba& c : {chequeA, pagareB}) {
            const bool emitido = p.numerosHistorico().contains(c.numero);
            for (const QString& f : ficherosImagen("", baseDe(c))) {
                QCOMPARE(QFile::exists(p.inst.dirs.Dir_Hco_Imagenes + f), emitido);
                QCOMPARE(QFile::exists(p.inst.dirs.Dir_Imagenes + f), !emitido);
            }
        }
    }

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable("unzip").isEmpty())
            QSKIP("the archive is checked with unzip, which is not installed");
    }

    void tresCorrectosYUnIncompleto() {
        InstalacionEmision p;
        for (const tChequePrueba& c : {chequeA, incompleto, pagareB, pagareC})
            p.anade(c);
        {
            QFile ini(p.inst.ficheros.ficheroConfiguracion);
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write("[BANCO]\r\nNombre=CAJA RURAL DE CASTILLA\r\n");
        }
        QVERIFY(p.emite());
        const QList<tFilaActividad> actividad = TRegistroActividad(p.inst.dirs).lista({});
        QCOMPARE(actividad.size(), 1);
        QCOMPARE(actividad[0].acto, ActoActividad::Emision);
        QCOMPARE(actividad[0].detalle,
                 "CONS.0001 de la remesa ESTANDAR: 3 cheques por 1.234,56 euros");
        QCOMPARE(actividad[0].usuario, TRegistroActividad::usuarioSistema());

        // The letter and the report are those of the worked example.
        QCOMPARE(bytesDe(p.cons("INFO.0001")), bytesDe(QFINDTESTDATA("golden/INFO.0001")));
        QCOMPARE(bytesDe(p.cons("INFORES.0001")), bytesDe(QFINDTESTDATA("golden/INFORES.0001")));
        const QList<QByteArray> registros = bytesDe(p.cons("CONS.0001")).split('\n');
        QCOMPARE(registros.size(), 6); // five records and nothing after the last CR LF
        QCOMPARE(registros[0] + '\n', bytesDe(QFINDTESTDATA("golden/CONS.0001")).left(152));
        // The cheque records as read from the table: hyphens gone, the drawer's
        // check digits after its number, cents in 13, the order flag of the notes.
        const QByteArray cabecera = "2056B12345678 " + QByteArray(12, ' ');
        const QByteArray cola = QByteArray(67, ' ') + '\r';
        QCOMPARE(registros[1], cabecera + "12345671    00491500123456789205" +
                                   "420110000000100000150225 " + cola);
        QCOMPARE(registros[2], cabecera + "76543215    21000418020005133245" +
                                   "820030000000023451280225N" + cola);
        QCOMPARE(registros[3], cabecera + "00001236    01822370020123456744" +
                                   "820030000000000005310325S" + cola);
        QCOMPARE(registros[4], "4056B12345678 " + QByteArray(12, ' ') +
                                   "000000000123456"
                                   "0000000003"
                                   "0000000005" +
                                   QByteArray(89, ' ') + '\r');

        // Every column of the history rows, the apostrophe stored as typed.
        const auto historico = filasDe(p.dm->instalacion().rutaHistoricoCheques(),
                                       "SELECT * FROM historicoCheques ORDER BY rowid");
        QCOMPARE(historico.size(), 3);
        QCOMPARE(historico[0],
                 (QStringList{"1", "ESTANDAR", "1.000,00", "05/03/2025", "10/03/2025", "CONS.0001",
                              "CHEQUE CUENTA CORRIENTE", "4201-1", "15/02/2025", "1234567-1",
                              "D'ANGELO GARCÍA, JUAN", "B12345678 ", "TALLERES PEÑA E HIJOS, S.L.",
                              "ES9121000418450200051332", "00491500051234567892", "100000", "0"}));
        QCOMPARE(historico[1].mid(0, 3), (QStringList{"2", "ESTANDAR", "234,51"}));
        QCOMPARE(historico[1].mid(6, 4),
                 (QStringList{"PAGARES", "8200-3", "28/02/2025", "7654321-5"}));
        QCOMPARE(historico[1].mid(15), (QStringList{"23451", "1"}));
        QCOMPARE(historico[2].mid(0, 3), (QStringList{"3", "ESTANDAR", "0,05"}));
        QCOMPARE(historico[2].mid(15), (QStringList{"5", "0"}));
        QCOMPARE(filasDe(p.dm->instalacion().rutaHistorico(), "SELECT * FROM historico"),
                 (QList<QStringList>{{"1", "ESTANDAR", "TALLERES PEÑA E HIJOS, S.L.", "B12345678 ",
                                      "ES9121000418450200051332", "1234,56", "3", "5", "10/03/2025",
                                      "05/03/2025", "CONS.0001"}}));

        // Only the incomplete cheque is left.
        QCOMPARE(p.numerosRemesa(), QStringList{"0000000-0"});

        // Images moved to the history folder; the archive holds the copy of
        // the presentation file and the front TIFFs (C had no images).
        for (const tChequePrueba& c : {chequeA, pagareB})
            for (const QString& f : ficherosImagen("", baseDe(c))) {
                QVERIFY2(QFile::exists(p.inst.dirs.Dir_Hco_Imagenes + f), qPrintable(f));
                QVERIFY2(!QFile::exists(p.inst.dirs.Dir_Imagenes + f), qPrintable(f));
            }
        const QString zip = p.cons("CONS.0001.zip");
        QCOMPARE(contenidoZip(zip), (QStringList{"CONS0001.txt", "F" + baseDe(chequeA) + ".tif",
                                                 "F" + baseDe(pagareB) + ".tif"}));
        QCOMPARE(ejecutaHerramienta("zipinfo", {zip}).count(" def"), 3); // Deflate, every entry
        QCOMPARE(ejecutaHerramienta("unzip", {"-p", zip, "CONS0001.txt"}).toLatin1(),
                 bytesDe(p.cons("CONS.0001")));
        QVERIFY(ficheros(p.inst.dirs.Dir_Imagenes_tmp).isEmpty());

        QCOMPARE(p.estado.RemesaActual.nombre_Cons, QStringLiteral("CONS.0001"));
        QCOMPARE(p.estado.OrdenanteActual.Nif_Sufijo, QStringLiteral("B12345678 "));
        QCOMPARE(p.iu.vecesMostrada, 1);
        QVERIFY(!p.iu.esperaVisible);
        QCOMPARE(p.iu.fases, (QStringList{"Pasando los cheques al histórico",
                                          "Escribiendo el fichero para el banco y los informes",
                                          "Comprimiendo las imágenes", "Archivando las imágenes"}));
        QCOMPARE(p.iu.mensajes, QStringList());
    }

    // The service emits the remittance by the presenter it is given, and
    // neither reads nor changes the program state.
    void servicioSinEstadoDelPrograma() {
        InstalacionEmision p;
        p.anade(chequeA);
        p.estado.RemesaActual = tRemesas{};
        p.estado.OrdenanteActual = tOrdenantes{};
        tRemesas remesa;
        remesa.Pk_Remesa = 1;
        remesa.Nombre_Remesa = "ESTANDAR";
        TBaseDatos bd(p.inst, p.iu);
        const std::optional<tEmisionHecha> hecha =
            TServicioEmision(bd).facturaFichero(remesa, 1, "05/03/2025", "10/03/2025");
        QVERIFY(hecha);
        QCOMPARE(hecha->nombreCons, QStringLiteral("CONS.0001"));
        QCOMPARE(hecha->ordenante.Nombre_ordenante, QStringLiteral("TALLERES PEÑA E HIJOS, S.L."));
        QCOMPARE(p.numerosHistorico(), QStringList{chequeA.numero});
        QVERIFY(QFile::exists(p.cons("CONS.0001")));
        QVERIFY(p.estado.RemesaActual.nombre_Cons.isEmpty());
        QCOMPARE(p.estado.OrdenanteActual.Pk_Ordenante, tOrdenantes{}.Pk_Ordenante);
    }

    void dosEmisionesSeguidasYImagenesViejas() {
        InstalacionEmision p;
        // A capture interrupted earlier left its images in the temporary folder.
        creaFichero(p.inst.dirs.Dir_Imagenes_tmp + "F17.tif");
        creaFichero(p.inst.dirs.Dir_Imagenes_tmp + "T17.tif");
        p.anade(chequeA);
        QVERIFY(p.emite());
        p.anade(pagareB);
        QVERIFY(p.emite());

        QCOMPARE(p.estado.RemesaActual.nombre_Cons, QStringLiteral("CONS.0002"));
        QCOMPARE(contenidoZip(p.cons("CONS.0001.zip")),
                 (QStringList{"CONS0001.txt", "F" + baseDe(chequeA) + ".tif"}));
        QCOMPARE(contenidoZip(p.cons("CONS.0002.zip")),
                 (QStringList{"CONS0002.txt", "F" + baseDe(pagareB) + ".tif"}));
        QCOMPARE(
            ejecutaHerramienta("unzip", {"-p", p.cons("CONS.0002.zip"), "CONS0002.txt"}).toLatin1(),
            bytesDe(p.cons("CONS.0002")));
        QCOMPARE(
            filasDe(p.dm->instalacion().rutaHistoricoCheques(),
                    "SELECT Pk_HistoricoRecibos, Numero, Nombre_Cons FROM historicoCheques"),
            (QList<QStringList>{{"1", "1234567-1", "CONS.0001"}, {"2", "7654321-5", "CONS.0002"}}));
        QCOMPARE(filasDe(p.dm->instalacion().rutaHistorico(),
                         "SELECT Pk_Historico, Nombre_Cons, Importe FROM "
                         "historico"),
                 (QList<QStringList>{{"1", "CONS.0001", "1000,00"}, {"2", "CONS.0002", "234,51"}}));
        QVERIFY(ficheros(p.inst.dirs.Dir_Imagenes_tmp).isEmpty());
        QCOMPARE(p.iu.mensajes, QStringList());
    }

    // The image folders on different volumes: no rename succeeds, every
    // image is copied, compared and deleted, and the archive holds the front
    // TIFFs all the same.
    void imagenesEnOtroVolumen() {
        InstalacionEmision p;
        for (const tChequePrueba& c : {chequeA, pagareB, pagareC})
            p.anade(c);
        int renombrados = 0;
        p.dm->emision().renombraFichero = [&](const QString&, const QString&) {
            ++renombrados;
            return false;
        };
        QVERIFY(p.emite());
        // One rename tried for each of the three image names of each cheque.
        QCOMPARE(renombrados, 9);
        compruebaInvariante(p, {"0000123-6", "1234567-1", "7654321-5"});
        QCOMPARE(p.iu.mensajes, QStringList());
    }

    // The process dies (no destructor, no rollback) at every checkpoint of an
    // emission of three correct cheques, and in two cases dies again while the
    // interrupted emission is being completed. Before the commit nothing was
    // emitted; after it, all three were. After the restart completes it, and
    // after one more emission, the files agree with the history.
    void emisionInterrumpida_data() {
        QTest::addColumn<int>("punto");
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("puntoAlCompletar"); // -1: the completion is not cut off
        using P = PuntoEmision;
        const auto fila = [](P punto, int k, int alCompletar = -1) {
            QTest::addRow("%d-%d-%d", int(punto), k, alCompletar) << int(punto) << k << alCompletar;
        };
        // Every checkpoint once: before the commit nothing was emitted;
        // after it, the images of the middle cheque are half archived; and
        // twice the completion itself is cut off.
        for (P punto : {P::EmisionRegistrada, P::FicherosEscritos, P::Comprimiendo,
                        P::ArchivoComprimido, P::Confirmado})
            fila(punto, -1);
        fila(P::ArchivandoImagenes, 2);
        fila(P::ImagenesArchivadas, -1);
        fila(P::Confirmado, -1, int(P::Comprimiendo));
        fila(P::ArchivandoImagenes, 1, int(P::ArchivandoImagenes));
    }
    void emisionInterrumpida() {
#ifndef Q_OS_UNIX
        QSKIP("the interruption is a child process that ends abruptly");
#else
        QFETCH(int, punto);
        QFETCH(int, k);
        QFETCH(int, puntoAlCompletar);
        InstalacionEmision p;
        for (const tChequePrueba& c : {chequeA, incompleto, pagareB, pagareC})
            p.anade(c);
        const QStringList correctos{"0000123-6", "1234567-1", "7654321-5"};

        QVERIFY(muereEn(p, PuntoEmision(punto), k, [&] { p.emite(); }));
        const int emitidos = int(p.numerosHistorico().size());
        QCOMPARE(emitidos, punto >= int(PuntoEmision::Confirmado) ? 3 : 0);
        if (puntoAlCompletar >= 0)
            QVERIFY(muereEn(p, PuntoEmision(puntoAlCompletar), -1,
                            [&] { p.dm->emision().completaEmisionInterrumpida(); }));

        // The restart completes the emission and says so once.
        QVERIFY(p.dm->emision().completaEmisionInterrumpida());
        QCOMPARE(p.iu.mensajes.size(), 1);
        QVERIFY2(p.iu.mensajes[0].contains("CONS.0001"), qPrintable(p.iu.mensajes[0]));
        if (emitidos > 0)
            QVERIFY2(p.iu.mensajes[0].contains(QString(" %1 cheque").arg(emitidos)),
                     qPrintable(p.iu.mensajes[0]));
        else
            QVERIFY(!QFile::exists(p.cons("CONS.0001")));
        QCOMPARE(p.iu.sucesos.filter("Emisión interrumpida completada: CONS.0001").size(),
                 emitidos > 0 ? 1 : 0);
        QVERIFY(!p.dm->emision().completaEmisionInterrumpida());
        compruebaInvariante(p, correctos);
        // The activity record has the emission once its commit is past the
        // checkpoint, and the completion whenever the history holds cheques.
        const QList<tFilaActividad> actividad = TRegistroActividad(p.inst.dirs).lista({});
        QStringList actos;
        for (const tFilaActividad& f : actividad)
            actos << f.acto;
        QStringList esperados;
        if (punto >= int(PuntoEmision::Confirmado))
            esperados << ActoActividad::EmisionCompletada;
        if (punto > int(PuntoEmision::Confirmado))
            esperados << ActoActividad::Emision;
        QCOMPARE(actos, esperados);
        if (!actividad.isEmpty())
            QCOMPARE(actividad[0].detalle, "CONS.0001 de la remesa ESTANDAR: 3 cheques por "
                                           "1.234,56 euros");

        // The next emission presents the rest, under the next free number.
        if (emitidos < 3) {
            QVERIFY(p.emite());
            QCOMPARE(p.estado.RemesaActual.nombre_Cons,
                     emitidos > 0 ? QString("CONS.0002") : QString("CONS.0001"));
        }
        QCOMPARE(p.numerosHistorico(), correctos);
        QCOMPARE(p.numerosRemesa(), QStringList{"0000000-0"});
        compruebaInvariante(p, correctos);
        QCOMPARE(p.iu.mensajes.size(), 1);
#endif
    }

    // The emission cannot commit (another program reads the history and
    // keeps it past the engine's wait): nothing was emitted, every cheque
    // is in the remittance, no file of the emission is left, and one
    // message says why; the next emission, with the history free, emits all.
    void confirmacionFallidaNoDejaNada() {
        InstalacionEmision p;
        for (const tChequePrueba& c : {chequeA, pagareB, pagareC})
            p.anade(c);
        const QStringList antes = ficheros(p.inst.dirs.Dir_Cons);
        std::unique_ptr<motor::Conexion> lector;
        // A reader holding the history keeps the files' commit from
        // writing; the server's readers never do, so there the history
        // refuses the commit itself.
        if (motor::enServidor())
            rechazaFilasHistorico(p.dm->instalacion().rutaHistoricoCheques(), {}, "ocupada", true);
        p.dm->emision().puntoControlEmision = [&](PuntoEmision punto, int) {
            if (punto == PuntoEmision::ArchivoComprimido && !lector && !motor::enServidor()) {
                lector =
                    std::make_unique<motor::Conexion>(p.dm->instalacion().rutaHistoricoCheques());
                QCOMPARE(motor::ejecutaSql(*lector, "BEGIN"), QString());
                QCOMPARE(motor::ejecutaSql(*lector, "SELECT count(*) FROM historicoCheques"),
                         QString());
            }
        };
        QString error;
        try {
            p.emite();
        } catch (const TErrorOperacion& e) {
            error = e.texto();
        }
        lector.reset();
        p.dm->emision().puntoControlEmision = nullptr;
        if (motor::enServidor())
            ejecutaEn(p.dm->instalacion().rutaHistoricoCheques(),
                      "DROP TRIGGER rechaza ON historicoCheques");

        QVERIFY2(error.contains("está en uso por otro programa"), qPrintable(error));
        QVERIFY2(error.contains("siguen en la remesa"), qPrintable(error));
        QCOMPARE(p.numerosHistorico(), QStringList());
        QCOMPARE(p.numerosRemesa(), (QStringList{"0000123-6", "1234567-1", "7654321-5"}));
        QCOMPARE(ficheros(p.inst.dirs.Dir_Cons), antes);
        QVERIFY(p.emite());
        QCOMPARE(p.estado.RemesaActual.nombre_Cons, QStringLiteral("CONS.0001"));
        compruebaInvariante(p, {"0000123-6", "1234567-1", "7654321-5"});
    }

    // Cheques stored as correct that the cheque rules refuse (a table edited
    // by hand, an earlier version of this program) are not presented: they stay in the
    // remittance, and one message names each with its reason.
    void correctosQueNoCumplenLasReglas() {
        InstalacionEmision p;
        tChequePrueba cero = chequeA;
        cero.importe = "0,00";
        tChequePrueba punto = pagareB;
        punto.numeroModelo = "82.0-0";
        punto.numero = "7654321-0";
        tChequePrueba ceros = pagareC;
        ceros.cuenta = QString(20, '0');
        // A column that holds no amount is called wrong, not missing.
        tChequePrueba ilegible = chequeA;
        ilegible.importe = "diez";
        ilegible.numero =
            "7777777-" + digitoControlModulo7(chequeA.numeroModelo.left(4) + "7777777");
        for (const tChequePrueba& c : {cero, punto, ceros, ilegible, chequeA})
            p.anade(c);
        // Already in the history: presenting it again would charge it twice.
        ponEnHistorico(p.dm->instalacion().rutaHistoricoCheques(), chequeA.numero,
                       chequeA.numeroModelo, chequeA.cuenta);
        QVERIFY(!p.emite());

        // Nothing to emit: no file, and the number is still free.
        QCOMPARE(p.numerosRemesa().size(), 5);
        QCOMPARE(ficheros(p.inst.dirs.Dir_Cons), QStringList());
        QCOMPARE(p.iu.mensajes.size(), 1);
        for (const QString& t : {cero.numero + ": El importe no puede quedar a cero",
                                 punto.numero + ": El dígito de control",
                                 ceros.numero + ": La cuenta introducida no es valida",
                                 ilegible.numero + ": El importe introducido no es valido",
                                 chequeA.numero + ": Ya se ha procesado"})
            QVERIFY2(p.iu.mensajes[0].contains(t), qPrintable(p.iu.mensajes[0]));
    }

    // The same cheque twice in the remittance is presented once: the second
    // finds the first in the history this emission is writing.
    void mismoChequeDosVecesEnLaRemesa() {
        InstalacionEmision p;
        for (const tChequePrueba& c : {chequeA, pagareB, chequeA})
            p.anade(c);
        QVERIFY(p.emite());
        QCOMPARE(p.numerosHistorico(), QStringList({chequeA.numero, pagareB.numero}));
        QCOMPARE(p.numerosRemesa(), QStringList({chequeA.numero}));
        QVERIFY2(p.iu.mensajes.join('\n').contains(chequeA.numero + ": Ya se ha procesado"),
                 qPrintable(p.iu.mensajes.join('\n')));
    }

    // The history refuses its rows (here a trigger, as a full disk would
    // refuse every one, or only the second cheque): the emission is all or
    // nothing, so no cheque is presented or leaves the remittance, no file is
    // left, and the operator reads one message with the engine's text.
    void historicoQueRechazaFilas_data() {
        QTest::addColumn<QString>("condicion");
        QTest::addColumn<QString>("textoMotor");
        QTest::newRow("todas") << QString() << "database or disk is full";
        QTest::newRow("la segunda") << "NEW.Numero = '" + pagareB.numero + "'"
                                    << "rechazado";
    }
    void historicoQueRechazaFilas() {
        QFETCH(QString, condicion);
        QFETCH(QString, textoMotor);
        InstalacionEmision p;
        for (const tChequePrueba& c : {chequeA, pagareB, pagareC})
            p.anade(c);
        rechazaFilasHistorico(p.dm->instalacion().rutaHistoricoCheques(), condicion, textoMotor);
        QString error;
        try {
            p.emite();
        } catch (const TErrorOperacion& e) {
            error = e.texto();
        }
        QCOMPARE(p.numerosRemesa().size(), 3);
        QCOMPARE(p.numerosHistorico(), QStringList());
        QCOMPARE(ficheros(p.inst.dirs.Dir_Cons), QStringList());
        QCOMPARE(p.iu.mensajes, QStringList());
        QVERIFY2(error.startsWith("La remesa ESTANDAR no se ha emitido"), qPrintable(error));
        QVERIFY2(error.contains(motor::enServidor() ? "historicocheques" : "historicoCheques.dat"),
                 qPrintable(error));
        QVERIFY2(error.contains(textoMotor), qPrintable(error));
    }

    // More cheques than one statement moves to the history: every row, keys
    // and amounts in the remittance's order, one record each in the bank
    // file; a row refused in a later statement leaves everything as it was.
    void muchosCheques_data() {
        QTest::addColumn<int>("rechazado"); // the cheque the history refuses; 0: none
        QTest::newRow("todos") << 0;
        QTest::newRow("uno del tercer grupo") << 61;
    }
    void muchosCheques() {
        QFETCH(int, rechazado);
        constexpr int total = 70;
        InstalacionEmision p;
        for (int i = 1; i <= total; ++i)
            p.anade(chequeNumero(i));
        if (rechazado > 0) {
            rechazaFilasHistorico(p.dm->instalacion().rutaHistoricoCheques(),
                                  "NEW.Numero = '" + chequeNumero(rechazado).numero + "'",
                                  "rechazado");
            QVERIFY_THROWS_EXCEPTION(TErrorOperacion, p.emite());
            QCOMPARE(p.numerosRemesa().size(), total);
            QCOMPARE(p.numerosHistorico(), QStringList());
            QCOMPARE(ficheros(p.inst.dirs.Dir_Cons), QStringList());
            return;
        }
        QVERIFY(p.emite());
        const auto historico =
            filasDe(p.dm->instalacion().rutaHistoricoCheques(),
                    "SELECT Pk_HistoricoRecibos, Numero, Importe, imp FROM historicoCheques "
                    "ORDER BY rowid");
        QCOMPARE(historico.size(), total);
        for (int i = 1; i <= total; ++i)
            QCOMPARE(historico[i - 1],
                     (QStringList{QString::number(i), chequeNumero(i).numero,
                                  QStringLiteral("%1,00").arg(i), QString::number(i * 100)}));
        QCOMPARE(p.numerosRemesa(), QStringList());
        QCOMPARE(bytesDe(p.cons("CONS.0001")).count("\r\n2056"), total);
    }

    // The presentation file cannot be copied next to the images for the
    // archive: the emission reports it instead of making an archive the bank
    // could not use.
    void copiaParaElArchivoFallida() {
        InstalacionEmision p;
        p.anade(chequeA);
        // A folder where the copy must go makes the copy fail.
        const QString copia = p.inst.dirs.Dir_Imagenes_tmp + "CONS0001.txt";
        QVERIFY(QDir().mkpath(copia));
        try {
            p.emite();
            QFAIL("the emission did not report the failed copy");
        } catch (const TErrorOperacion& e) {
            QVERIFY2(e.texto().contains(QStringLiteral("No se pudo copiar el fichero %1 en %2")
                                            .arg(p.cons("CONS.0001"), copia)),
                     qPrintable(e.texto()));
        }
        QCOMPARE(p.numerosRemesa(), QStringList{chequeA.numero});
        QCOMPARE(ficheros(p.inst.dirs.Dir_Cons), QStringList());
    }

    // The disk fills up while one file of the emission is being written: the
    // operator reads which file could not be written and why, every cheque
    // stays in the remittance, no file of the emission is left, and once
    // there is room again the next emission presents them all under the same
    // number. Lines of the bank file take 152 bytes with their CR LF.
    void discoQueSeLlena_data() {
        QTest::addColumn<QString>("fichero");
        QTest::addColumn<qint64>("limite");
        QTest::addColumn<QString>("mensaje"); // %1: the file's path
        const QString escritura =
            "Error de escritura en el fichero %1: " + TDiscoConFallos::SinEspacio;
        const QString archivo = "No se pudo crear el archivo %1: " + TDiscoConFallos::SinEspacio;
        QTest::newRow("cabecera del fichero") << "CONS.0001" << qint64(0) << escritura;
        QTest::newRow("primer registro a medias") << "CONS.0001" << qint64(200) << escritura;
        QTest::newRow("tercer registro a medias")
            << "CONS.0001" << qint64(3 * 152 + 50) << escritura;
        QTest::newRow("registro de totales") << "CONS.0001" << qint64(4 * 152) << escritura;
        QTest::newRow("cabecera del informe") << "INFORES.0001" << qint64(100) << escritura;
        QTest::newRow("carta") << "INFO.0001" << qint64(100) << escritura;
        QTest::newRow("archivo de imagenes") << "CONS.0001.zip" << qint64(100) << archivo;
    }
    void discoQueSeLlena() {
        QFETCH(QString, fichero);
        QFETCH(qint64, limite);
        QFETCH(QString, mensaje);
        InstalacionEmision p;
        for (const tChequePrueba& c : {chequeA, incompleto, pagareB, pagareC})
            p.anade(c);
        const QStringList correctos{"0000123-6", "1234567-1", "7654321-5"};

        const TDiscoConFallos disco = TDiscoConFallos::conTope(fichero, limite);
        p.dm->base().destinoFicheros = &disco;
        QStringList avisos;
        try {
            p.emite();
        } catch (const TErrorOperacion& e) {
            avisos << e.texto();
        }
        avisos += p.iu.mensajes;
        QCOMPARE(avisos.size(), 1);
        QVERIFY2(avisos[0].contains(mensaje.arg(p.cons(fichero))), qPrintable(avisos[0]));
        QCOMPARE(p.numerosHistorico(), QStringList());
        QCOMPARE(ficheros(p.inst.dirs.Dir_Cons), QStringList());

        p.dm->base().destinoFicheros = nullptr;
        QVERIFY(!p.dm->emision().completaEmisionInterrumpida());
        QVERIFY(p.emite());
        QCOMPARE(p.estado.RemesaActual.nombre_Cons, QStringLiteral("CONS.0001"));
        QCOMPARE(p.numerosHistorico(), correctos);
        compruebaInvariante(p, correctos);
    }

    void emisionQueNoPuedeEmpezar_data() {
        QTest::addColumn<bool>("sinNumero");
        QTest::addColumn<int>("presentador");
        QTest::newRow("los 10000 numeros ocupados") << true << 1;
        QTest::newRow("presentador inexistente") << false << 9;
    }
    void emisionQueNoPuedeEmpezar() {
        QFETCH(bool, sinNumero);
        QFETCH(int, presentador);
        InstalacionEmision p;
        p.anade(chequeA);
        p.estado.OrdenanteActual.Pk_Ordenante = presentador;
        if (sinNumero)
            for (int n = 1; n <= 10000; ++n)
                creaFichero(p.cons("CONS." + QString::number(n).rightJustified(4, '0')));
        const QStringList antes = ficheros(p.inst.dirs.Dir_Cons);
        if (sinNumero) {
            const tNombreCons libre = siguienteNombreCons(p.inst.dirs.Dir_Cons);
            QVERIFY(libre.numero.isEmpty() && libre.fichero.isEmpty());
        }

        QVERIFY_THROWS_EXCEPTION(TErrorOperacion, p.emite());
        QCOMPARE(ficheros(p.inst.dirs.Dir_Cons), antes);
        QCOMPARE(p.numerosHistorico(), QStringList());
        QCOMPARE(p.numerosRemesa(), QStringList{"1234567-1"});
        QVERIFY(QFile::exists(ficherosImagen(p.inst.dirs.Dir_Imagenes, baseDe(chequeA))[0]));
        QVERIFY(!p.iu.esperaVisible);
    }

    // Emission numbers come from the folder and the history: a folder of
    // emitted files emptied by hand never gives a number twice.
    void numeroNuncaReutilizado() {
        InstalacionEmision p;
        p.anade(chequeA);
        QVERIFY(p.emite());
        vaciaCarpeta(p.inst.dirs.Dir_Cons);
        p.anade(pagareB);
        QVERIFY(p.emite());
        QCOMPARE(p.estado.RemesaActual.nombre_Cons, QStringLiteral("CONS.0002"));
        // Only the cheques' rows name it (a history row of an emission that
        // an earlier version wrote without its remittance row).
        ejecutaEn(p.dm->instalacion().rutaHistorico(), "DELETE FROM historico");
        vaciaCarpeta(p.inst.dirs.Dir_Cons);
        p.anade(pagareC);
        QVERIFY(p.emite());
        QCOMPARE(p.estado.RemesaActual.nombre_Cons, QStringLiteral("CONS.0003"));
    }

    // Another emission holds the data folder's lock: a second emission waits
    // briefly, then says who is emitting and changes nothing; the completion
    // at start says nothing about the record of the running emission.
    void emisionConElBloqueoTomado() {
        InstalacionEmision p;
        p.anade(chequeA);
        tEmisionEnCurso enCurso{"CONS.0001", "0001", 0, 0};
        escribeEmisionEnCurso(p.inst.dirs, enCurso);
        {
            TBloqueoEmision otro(p.inst.dirs);
            QVERIFY(otro.toma(0));
            const QStringList antes = ficheros(p.inst.dirs.Dir_Cons);
            p.dm->emision().esperaBloqueoEmisionMs = 50;
            QString error;
            try {
                p.emite();
            } catch (const TErrorOperacion& e) {
                error = e.texto();
            }
            const QRegularExpression quien(
                "^La remesa la está emitiendo el usuario .+ en el equipo .+ desde las "
                "[0-2][0-9]:[0-5][0-9]; espere a que termine$");
            QVERIFY2(quien.match(error).hasMatch(), qPrintable(error));
            QVERIFY(!p.dm->emision().completaEmisionInterrumpida());
            QCOMPARE(ficheros(p.inst.dirs.Dir_Cons), antes);
            QCOMPARE(p.numerosRemesa(), QStringList{chequeA.numero});
            QCOMPARE(p.iu.mensajes, QStringList());
        }
        // Released: the record is that of an emission cut off before it
        // emitted anything.
        QVERIFY(p.dm->emision().completaEmisionInterrumpida());
        QVERIFY(p.emite());
        QCOMPARE(p.numerosHistorico(), QStringList{chequeA.numero});
    }

    // A record of an emission in progress that cannot be read (a full disk
    // left it empty) is reported once and put aside; it never blocks the
    // emissions that follow.
    void registroIlegibleNoBloquea() {
        InstalacionEmision p;
        p.anade(chequeA);
        if (motor::enServidor()) {
            // On the server the record is a row: one that does not agree with itself.
            escribeEmisionEnCurso(p.inst.dirs, {"CONS.0001", "0002", 0, 0});
        } else {
            QFile vacio(p.cons("EmisionEnCurso.txt"));
            QVERIFY(vacio.open(QIODevice::WriteOnly));
            vacio.close();
        }
        QVERIFY(!p.dm->emision().completaEmisionInterrumpida());
        QCOMPARE(p.iu.mensajes.size(), 1);
        QVERIFY2(p.iu.mensajes[0].contains("EmisionEnCurso.txt.ilegible"),
                 qPrintable(p.iu.mensajes[0]));
        QVERIFY(p.emite());
        QCOMPARE(p.numerosHistorico(), QStringList{chequeA.numero});
        QCOMPARE(p.iu.mensajes.size(), 1);
    }

    // The bank file is read back before the emission is done: one changed
    // on disk after it was written ends the emission with its line named,
    // and nothing is emitted. A record and the totals changed together still
    // disagree with the cheques moved to the history.
    void ficheroAlteradoNoSeDaPorEmitido_data() {
        QTest::addColumn<QByteArrayList>("de");
        QTest::addColumn<QByteArrayList>("a");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("importe de un registro")
            << QByteArrayList{"0000000100000"} << QByteArrayList{"0000000100001"}
            << "línea 5 dice un total de 1.234,56 euros";
        QTest::newRow("importe y totales")
            << QByteArrayList{"0000000100000", "000000000123456"}
            << QByteArrayList{"0000000100001", "000000000123457"}
            << "línea 5 dice 3 cheques por 1.234,57 euros y el histórico de la emisión tiene 3 "
               "cheques por 1.234,56 euros";
        QTest::newRow("digito de control")
            << QByteArrayList{"12345671    "} << QByteArrayList{"12345672    "} << "línea 2 ";
    }
    void ficheroAlteradoNoSeDaPorEmitido() {
        QFETCH(QByteArrayList, de);
        QFETCH(QByteArrayList, a);
        QFETCH(QString, motivo);
        InstalacionEmision p;
        for (const tChequePrueba& c : {chequeA, pagareB, pagareC})
            p.anade(c);
        p.dm->emision().puntoControlEmision = [&](PuntoEmision punto, int) {
            if (punto != PuntoEmision::FicherosEscritos)
                return;
            QByteArray datos = bytesDe(p.cons("CONS.0001"));
            for (qsizetype i = 0; i < de.size(); ++i)
                datos.replace(datos.indexOf(de[i]), de[i].size(), a[i]);
            QFile f(p.cons("CONS.0001"));
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(datos);
        };
        QString error;
        try {
            p.emite();
        } catch (const TErrorOperacion& e) {
            error = e.texto();
        }
        QVERIFY2(error.contains("El fichero para el banco " +
                                QDir::toNativeSeparators(p.cons("CONS.0001"))),
                 qPrintable(error));
        QVERIFY2(error.contains(motivo), qPrintable(error));
        QVERIFY2(error.contains("no se ha emitido"), qPrintable(error));
        QCOMPARE(p.numerosHistorico(), QStringList());
        QCOMPARE(p.numerosRemesa(), (QStringList{"0000123-6", "1234567-1", "7654321-5"}));
        QCOMPARE(ficheros(p.inst.dirs.Dir_Cons), QStringList());
    }

    // The file a completion makes again from the history is read back too:
    // a disk that changes a byte of it leaves the completion undone, with no
    // bank file to send, until the file comes out right.
    void completadoConFicheroAlterado() {
#ifndef Q_OS_UNIX
        QSKIP("the interruption is a child process that ends abruptly");
#else
        InstalacionEmision p;
        for (const tChequePrueba& c : {chequeA, pagareB})
            p.anade(c);
        QVERIFY(muereEn(p, PuntoEmision::Confirmado, -1, [&] { p.emite(); }));
        const TDiscoQueAltera disco("CONS.0001", "0000000100000", "0000000100009");
        p.dm->base().destinoFicheros = &disco;
        QString error;
        try {
            p.dm->emision().completaEmisionInterrumpida();
        } catch (const TErrorOperacion& e) {
            error = e.texto();
        }
        QVERIFY2(error.contains("No se pudo completar la emisión interrumpida CONS.0001"),
                 qPrintable(error));
        QVERIFY2(error.contains("línea 4"), qPrintable(error));
        QVERIFY(!QFile::exists(p.cons("CONS.0001")));
        QVERIFY(!QFile::exists(p.cons("CONS.0001.zip")));
        p.dm->base().destinoFicheros = nullptr;
        QVERIFY(p.dm->emision().completaEmisionInterrumpida());
        QVERIFY(verificaFicheroBanco(p.cons("CONS.0001")).correcto);
#endif
    }

    // Another program holds the remittance's table past the engine's wait:
    // the emission changes nothing, leaves no file, and a retry works.
    void tablaDeLaRemesaOcupada() {
        InstalacionEmision p;
        p.anade(chequeA);
        {
            motor::Conexion otro(p.dm->rutaTalonesActual());
            QCOMPARE(motor::ejecutaSql(otro, "BEGIN IMMEDIATE"), QString());
            QString error;
            try {
                p.emite();
            } catch (const TErrorOperacion& e) {
                error = e.texto();
            }
            QVERIFY2(error.contains("está en uso por otro programa"), qPrintable(error));
            QCOMPARE(ficheros(p.inst.dirs.Dir_Cons), QStringList());
            QCOMPARE(p.numerosRemesa(), QStringList{chequeA.numero});
        }
        QVERIFY(p.emite());
        QCOMPARE(p.estado.RemesaActual.nombre_Cons, QStringLiteral("CONS.0001"));
    }
};

QTEST_GUILESS_MAIN(TstEmision)
#include "tst_emision.moc"
