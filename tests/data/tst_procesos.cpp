// Several programs on one data folder, as real processes: two emissions at
// once, a program started while another emits, storing while an emission
// runs, and an emitter killed while another program works. Whatever the
// order, every cheque ends in exactly one of the remittance or the history,
// every emitted cheque is in exactly one bank file once, every emission's
// files agree with the history, and no image is lost.
#include "AlmacenHistorico.h"
#include "BusquedaHistorico.h"
#include "DatosPrueba.h"
#include "DigitosControl.h"
#include "EmisionEnCurso.h"
#include "ImagenesTalon.h"
#include "InstalacionPrueba.h"
#include "InvarianteEmision.h"
#include "ServicioEmision.h"
#include "TqryHistorico.h"
#include "copias/AlmacenImagenes.h"
#include "copias/CopiasSeguridad.h"

#include <QProcess>
#include <QtTest>

#include <map>
#include <memory>

namespace {

constexpr int chequesEnRemesa = 200;
// The numbers the storing program reads, far from those of the remittance.
constexpr int primeroLeido = 900000;
constexpr int leidos = 30;

using P = PuntoEmision;

// One correct cheque of the remittance, with valid check digits.
struct tCheque {
    QString numero; // "0000001-3"
    QString cuenta;
    QString base; // image base name
};

tCheque cheque(int i) {
    tCheque c;
    const QString numero = QStringLiteral("%1").arg(i, 7, 10, QChar(u'0'));
    c.numero = numero + u'-' + digitoControlModulo7(QStringLiteral("4212") + numero);
    const QString cuenta = QStringLiteral("00491500??%1").arg(i, 10, 10, QChar(u'0'));
    c.cuenta = cuenta.left(8) + calculaDigitosControlCCC(cuenta) + cuenta.mid(10);
    c.base = baseImagenTalon(c.cuenta, QStringLiteral("4212-5"), c.numero);
    return c;
}

// A data folder with a presenter and a remittance of correct cheques, each
// with its three images, as the programs below find it.
struct CarpetaCompartida : InstalacionPrueba {
    std::map<QString, QString> bases; // number -> image base name
    QStringList correctos;            // every cheque that must be somewhere, once

    CarpetaCompartida() {
        ejecutaEn(dm->instalacion().rutaOrdenantes(),
                  "INSERT INTO Ordenantes (Pk_Ordenante, Nif_Sufijo, "
                  "Nombre_Ordenante, Cuenta) VALUES (1, 'B12345678', "
                  "'EMPRESA', 'ES9121000418450200051332')");
        motor::Conexion con(dm->instalacion().rutaTalonesEstandar());
        motor::Transaccion tr(con);
        for (int i = 1; i <= chequesEnRemesa; ++i) {
            const tCheque c = cheque(i);
            const QString e = motor::ejecutaSql(
                con,
                "INSERT INTO Talones (Pk_Talon, Modelo_Talon, Numero_Modelo, Importe, "
                "Fecha_Talon, Numero, Estado, Cuenta, indicador, Nombre_Cliente, fk_Clientes, "
                "fk_Remesa) VALUES (?, '0', '4212-5', '12,34', '15/02/2025', ?, '0', ?, 0, "
                "'LIBRADO', 1, 1)",
                {i, c.numero, c.cuenta});
            if (!e.isEmpty())
                qFatal("%s", qPrintable(e));
            for (const QString& f : ficherosImagen(inst.dirs.Dir_Imagenes, c.base))
                creaFichero(f);
            bases[c.numero] = c.base;
            correctos << c.numero;
        }
        if (!tr.confirma())
            qFatal("%s", qPrintable(tr.error()));
    }

    // The cheques the storing program reads: numbered as it stores them.
    void anadeLeidos() {
        for (int i = primeroLeido; i < primeroLeido + leidos; ++i) {
            const QString n = QStringLiteral("%1").arg(i, 7, 10, QChar(u'0'));
            correctos << n + u'-' + digitoControlModulo7(QStringLiteral("4212") + n);
        }
    }

    // A program on this folder doing one thing, started now.
    std::unique_ptr<QProcess> lanza(const QStringList& accion, const QString& pausa = {},
                                    const QString& muere = {}) {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!pausa.isEmpty())
            env.insert("TESKORA_PAUSA", pausa);
        if (!muere.isEmpty())
            env.insert("TESKORA_MUERE", muere);
        // An emission waits briefly for another: shorter than the pauses.
        env.insert("TESKORA_ESPERA", "200");
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(AYUDANTE_PROCESOS, QStringList{dir.path()} + accion);
        if (!p->waitForStarted(10000))
            qFatal("no arranca %s", AYUDANTE_PROCESOS);
        return p;
    }

    // What the program printed once it ended.
    static QStringList salida(QProcess& p) {
        if (!p.waitForFinished(30000))
            return {"<no terminó>"};
        return QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    }

    // Runs a program to its end.
    QStringList ejecuta(const QStringList& accion) { return salida(*lanza(accion)); }

    void compruebaInvariante() {
        const auto numeros = [this](const QString& ruta, const QString& sql) {
            QStringList n;
            for (const QStringList& f : filasDe(ruta, sql))
                n << f[0];
            return n;
        };
        const QStringList remesa =
            numeros(dm->instalacion().rutaTalonesEstandar(), "SELECT Numero FROM Talones");
        const QStringList historico = numeros(dm->instalacion().rutaHistoricoCheques(),
                                              "SELECT Numero FROM historicoCheques");
        QStringList todos = remesa + historico;
        QStringList esperados = correctos;
        todos.sort();
        esperados.sort();
        QCOMPARE(todos, esperados);
        const QStringList claves =
            numeros(dm->instalacion().rutaTalonesEstandar(), "SELECT Pk_Talon FROM Talones");
        QCOMPARE(QSet<QString>(claves.begin(), claves.end()).size(), claves.size());

        compruebaFicherosEmitidos(inst, dm->instalacion().rutaHistoricoCheques(),
                                  dm->instalacion().rutaHistorico(),
                                  [this](const QStringList& presentados) {
                                      QStringList f;
                                      for (const QString& n : presentados)
                                          if (bases.count(n))
                                              f << "F" + bases[n] + ".tif";
                                      f.sort();
                                      return f;
                                  });
        if (QTest::currentTestFailed())
            return;
        for (const auto& [numero, base] : bases) {
            const bool emitido = historico.contains(numero);
            for (const QString& f : ficherosImagen("", base)) {
                QVERIFY2(QFile::exists(inst.dirs.Dir_Hco_Imagenes + f) == emitido, qPrintable(f));
                QVERIFY2(QFile::exists(inst.dirs.Dir_Imagenes + f) == !emitido, qPrintable(f));
            }
        }
    }
};

QString punto(P p) {
    return QString::number(int(p));
}

// Lines of the output that start with the word.
QStringList lineas(const QStringList& salida, const QString& palabra) {
    return salida.filter(QRegularExpression("^" + palabra + "\\b"));
}

} // namespace

class TstProcesos : public QObject {
    Q_OBJECT

private slots:
    // Two emissions of one remittance started at once or a little apart
    // (each stays a while inside its transaction): one emits, the other says
    // who is emitting and changes nothing.
    void dosEmisionesALaVez_data() {
        QTest::addColumn<int>("retraso");
        for (int ms : {0, 10, 40, 150, 400})
            QTest::addRow("%d ms", ms) << ms;
    }
    void dosEmisionesALaVez() {
        QFETCH(int, retraso);
        CarpetaCompartida c;
        const QString pausa = punto(P::FicherosEscritos) + ":700";
        auto a = c.lanza({"emite"}, pausa);
        QTest::qSleep(retraso);
        auto b = c.lanza({"emite"}, pausa);
        const QStringList salidas = CarpetaCompartida::salida(*a) + CarpetaCompartida::salida(*b);

        QCOMPARE(lineas(salidas, "EMITIDA"), QStringList{"EMITIDA CONS.0001"});
        const QStringList ocupada = lineas(salidas, "OCUPADA");
        QVERIFY2(ocupada.size() == 1, qPrintable(salidas.join('\n')));
        QVERIFY2(ocupada[0].contains(QRegularExpression("emitiendo el usuario .+ en el equipo .+ "
                                                        "desde las [0-9]{2}:[0-9]{2}")),
                 qPrintable(ocupada[0]));
        QCOMPARE(lineas(salidas, "MENSAJE|ERROR|NADA"), QStringList());
        c.compruebaInvariante();
    }

    // A program started while another emits (before its commit, after it,
    // while its images move) says nothing about an interrupted emission and
    // touches none of it; the emission ends whole.
    void inicioDuranteEmision_data() {
        QTest::addColumn<int>("pausa");
        QTest::newRow("antes de confirmar") << int(P::FicherosEscritos);
        QTest::newRow("recien confirmada") << int(P::Confirmado);
        QTest::newRow("imagenes archivadas") << int(P::ImagenesArchivadas);
    }
    void inicioDuranteEmision() {
        QFETCH(int, pausa);
        CarpetaCompartida c;
        auto emisor = c.lanza({"emite"}, QString::number(pausa) + ":1000");
        QTest::qSleep(400);
        QCOMPARE(c.ejecuta({"inicia"}), QStringList());
        QCOMPARE(CarpetaCompartida::salida(*emisor), QStringList{"EMITIDA CONS.0001"});
        c.compruebaInvariante();
    }

    // Read lines stored by another program while the emission runs: each is
    // stored once, and is either in that emission or left for the next.
    void guardadoDuranteEmision() {
        CarpetaCompartida c;
        c.anadeLeidos();
        auto emisor = c.lanza({"emite"}, punto(P::FicherosEscritos) + ":300");
        auto lector = c.lanza({"guarda", QString::number(primeroLeido), QString::number(leidos)});
        QCOMPARE(CarpetaCompartida::salida(*lector),
                 QStringList{QString("GUARDADOS %1").arg(leidos)});
        QCOMPARE(CarpetaCompartida::salida(*emisor), QStringList{"EMITIDA CONS.0001"});
        c.compruebaInvariante();
        // What was left is emitted next, under the next number.
        QCOMPARE(lineas(c.ejecuta({"emite"}), "EMITIDA|NADA").size(), 1);
        c.compruebaInvariante();
    }

    // The history window open in one program on a long history (the grid
    // has read only its first screen) does not keep another program from
    // emitting.
    void historicoAbiertoDuranteEmision() {
        CarpetaCompartida c;
        ejecutaEn(c.dm->instalacion().rutaHistoricoCheques(),
                  "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000) "
                  "INSERT INTO historicoCheques (Pk_HistoricoRecibos, Numero, Nombre_Cons, imp) "
                  "SELECT i, (i + 5000000) || '-0', 'CONS.9999', 100 FROM n");
        ejecutaEn(c.dm->instalacion().rutaHistorico(),
                  "INSERT INTO historico (Pk_Historico, Nombre_Cons) VALUES (1, 'CONS.9999')");
        c.dm->historico().CargaHistoricoDeTalones(consultaBusquedaHistorico(tCriteriosHistorico{}));
        QVERIFY(c.dm->historico().qryHistorico().rowCount() > 0);
        QCOMPARE(lineas(c.ejecuta({"emite"}), "EMITIDA|ERROR|NADA"),
                 QStringList{"EMITIDA CONS.0001"});
        c.dm->historico().CierraHistoricoDeTalones();
    }

    // A backup copy made while another program emits holds all of that
    // emission or none of it: every cheque once, in the remittance or in the
    // history, and every image of every cheque.
    void copiaDuranteEmision_data() {
        QTest::addColumn<int>("pausa");
        QTest::addColumn<int>("retraso");
        QTest::newRow("a la vez") << int(P::FicherosEscritos) << 0;
        QTest::newRow("antes de confirmar") << int(P::FicherosEscritos) << 300;
        QTest::newRow("recien confirmada") << int(P::Confirmado) << 300;
        QTest::newRow("imagenes archivadas") << int(P::ImagenesArchivadas) << 300;
    }
    void copiaDuranteEmision() {
        QFETCH(int, pausa);
        QFETCH(int, retraso);
        CarpetaCompartida c;
        TCopiasSeguridad copias(c.inst);
        copias.esperaBloqueoMs = 20000;
        auto emisor = c.lanza({"emite"}, QString::number(pausa) + ":700");
        QTest::qSleep(retraso);
        const tCopia copia = copias.haz(TCopiasSeguridad::MotivoManual);
        CarpetaCompartida::salida(*emisor);

        const QList<QStringList> remesa =
            filasDe(copia.ruta + "/TablaRemesas/1.dat", "SELECT Numero FROM Talones");
        const QList<QStringList> historico = filasDe(copia.ruta + "/Tablas/historicoCheques.dat",
                                                     "SELECT Numero FROM historicoCheques");
        QVERIFY2(historico.isEmpty() || remesa.isEmpty(),
                 qPrintable(QString("%1 en la remesa, %2 en el histórico")
                                .arg(remesa.size())
                                .arg(historico.size())));
        QCOMPARE(remesa.size() + historico.size(), chequesEnRemesa);
        QCOMPARE(filasDe(copia.ruta + "/Tablas/historico.dat", "SELECT count(*) FROM historico"),
                 QList<QStringList>{{historico.isEmpty() ? "0" : "1"}});
        QList<tImagenCopia> imagenes;
        QVERIFY(TAlmacenImagenes::lee(copia.ruta + "/imagenes.txt", imagenes));
        QSet<QString> nombres;
        for (const tImagenCopia& i : imagenes)
            nombres.insert(QFileInfo(i.relativa).fileName());
        for (const auto& [numero, base] : c.bases)
            for (const QString& f : ficherosImagen("", base))
                QVERIFY2(nombres.contains(f), qPrintable(f));
        QVERIFY(copias.comprueba(copia).isEmpty());
    }

    // The emitter dies (at a checkpoint, or killed from outside at some
    // moment) while another program stores read lines. The next start
    // completes the emission once; the folder is not blocked, and the next
    // emission presents what is left.
    void emisorMatado_data() {
        QTest::addColumn<int>("muere");   // checkpoint, or -1
        QTest::addColumn<int>("matarEn"); // ms after its start, with muere -1
        for (P p :
             {P::EmisionRegistrada, P::FicherosEscritos, P::Comprimiendo, P::ArchivoComprimido,
              P::Confirmado, P::ArchivandoImagenes, P::ImagenesArchivadas})
            QTest::addRow("en el punto %d", int(p)) << int(p) << 0;
        for (int ms : {60, 120, 200})
            QTest::addRow("kill -9 a los %d ms", ms) << -1 << ms;
    }
    void emisorMatado() {
        QFETCH(int, muere);
        QFETCH(int, matarEn);
        CarpetaCompartida c;
        c.anadeLeidos();
        auto lector = c.lanza({"guarda", QString::number(primeroLeido), QString::number(leidos)});
        auto emisor = c.lanza({"emite"}, {}, muere >= 0 ? QString::number(muere) : QString());
        if (muere < 0) {
            QTest::qSleep(matarEn);
            emisor->kill();
        }
        QVERIFY(emisor->waitForFinished(30000));
        QVERIFY(emisor->exitStatus() == QProcess::CrashExit || emisor->exitCode() == 17 ||
                muere < 0);
        QCOMPARE(CarpetaCompartida::salida(*lector),
                 QStringList{QString("GUARDADOS %1").arg(leidos)});

        const bool interrumpida = hayEmisionEnCurso(c.inst.dirs);
        const QStringList inicio = c.ejecuta({"inicia"});
        QCOMPARE(inicio.size(), interrumpida ? 1 : 0);
        if (interrumpida)
            QVERIFY2(inicio[0].startsWith("MENSAJE La emisión CONS.0001 ") &&
                         inicio[0].contains("se interrumpió"),
                     qPrintable(inicio[0]));
        QCOMPARE(c.ejecuta({"inicia"}), QStringList());
        c.compruebaInvariante();
        QCOMPARE(lineas(c.ejecuta({"emite"}), "EMITIDA|NADA").size(), 1);
        c.compruebaInvariante();
    }
};

QTEST_GUILESS_MAIN(TstProcesos)
#include "tst_procesos.moc"
