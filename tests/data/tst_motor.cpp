// The table engine layer on its own: transactions that roll back when they
// end unconfirmed, values that travel bound (never spliced into the SQL) and
// the engine's own message handed back on failure; on the server too.
#include "Instalacion.h"
#include "MotorTablas.h"
#include "ServidorPruebas.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TstMotor : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString tabla; // a fresh one for each test, in its own file
    QString ruta;

    // The statement with the test's table where "t" stands.
    QString sql(const char* texto) const {
        return QString::fromLatin1(texto).replace(QStringLiteral(" t "), u' ' + tabla + u' ');
    }

    QStringList nombres() {
        motor::Conexion con(ruta);
        motor::Sentencia s(con, sql("SELECT nombre FROM t ORDER BY rowid"));
        QStringList r;
        if (!s.ejecuta())
            return {QStringLiteral("ERROR ") + s.error()};
        while (s.siguiente())
            r << s.texto(0);
        return r;
    }

private slots:
    void initTestCase() { preparaServidorPruebas(calculaInstalacion(dir.path())); }

    void init() {
        tabla = QStringLiteral("t%1").arg(QRandomGenerator::global()->generate());
        ruta = dir.filePath(tabla + QStringLiteral(".dat"));
        motor::Conexion con(ruta, true);
        QCOMPARE(motor::ejecutaSql(con, sql("CREATE TABLE t (nombre VARCHAR(40))")), QString());
    }

    void transaccionSinConfirmarSeDeshaceAlSalir() {
        {
            motor::Conexion con(ruta);
            motor::Transaccion tr(con);
            QVERIFY(tr.iniciada());
            QCOMPARE(motor::ejecutaSql(con, sql("INSERT INTO t VALUES (?)"), {"UNO"}), QString());
        }
        QCOMPARE(nombres(), QStringList{});
        {
            motor::Conexion con(ruta);
            motor::Transaccion tr(con);
            motor::ejecutaSql(con, sql("INSERT INTO t VALUES (?)"), {"DOS"});
            QVERIFY(tr.confirma());
        }
        QCOMPARE(nombres(), QStringList{"DOS"});
    }

    void valoresLigadosTalCual() {
        const QString raro = QStringLiteral("D'OR'); DROP TABLE t; -- ? $1 ñ");
        motor::Conexion con(ruta);
        for (const QVariant& v : {QVariant(raro), QVariant()})
            QCOMPARE(motor::ejecutaSql(con, sql("INSERT INTO t VALUES (?)"), {v}), QString());
        QCOMPARE(nombres(), (QStringList{raro, QString()}));
        motor::Sentencia s(con, sql("SELECT nombre, count(*) AS n FROM t GROUP BY nombre ORDER BY "
                                    "nombre IS NULL, nombre"));
        QVERIFY(s.ejecuta() && s.siguiente());
        QCOMPARE(s.texto("NOMBRE"), raro);
        QCOMPARE(s.entero("n"), 1);
        QVERIFY(s.siguiente());
        QVERIFY(s.esNulo(0));
    }

    void errorConElTextoDelMotor() {
        motor::Conexion con(ruta);
        const QString e = motor::ejecutaSql(con, QStringLiteral("SELECT * FROM falta"));
        const QString texto = motor::enServidor()
                                  ? QStringLiteral("relation \"falta\" does not exist")
                                  : QStringLiteral("no such table: falta");
        QVERIFY2(e.contains(texto), qPrintable(e));
        motor::Conexion inexistente(dir.filePath(QStringLiteral("ausente.dat")));
        QVERIFY(!inexistente.abierta());
        QCOMPARE(inexistente.error(),
                 motor::enServidor()
                     ? QStringLiteral("La tabla ausente no existe en el servidor de datos.")
                     : "La tabla " + QDir::toNativeSeparators(dir.filePath("ausente.dat")) +
                           " no existe.");
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("ausente.dat"))));
        motor::Transaccion tr(inexistente);
        QVERIFY(!tr.iniciada());
        QCOMPARE(tr.error(), inexistente.error());
    }

    // A connection keeps each statement prepared for its next use, so a walk
    // parses it once; a use that ends releases its read lock (another
    // connection can write at once), its values are bound afresh each time,
    // and the same text used inside another use gets a statement of its own.
    void sentenciaReutilizada() {
        motor::Conexion con(ruta);
        motor::Conexion otra(ruta);
        const QString insercion = sql("INSERT INTO t VALUES (?)");
        const QString busqueda = sql("SELECT nombre FROM t WHERE nombre >= ? ORDER BY nombre");
        for (const char* nombre : {"A", "B", "C"}) {
            QCOMPARE(motor::ejecutaSql(con, insercion, {nombre}), QString());
            motor::Sentencia s(con, busqueda);
            QVERIFY(s.liga(nombre).ejecuta());
            QVERIFY(s.siguiente()); // one row read, the rest left unread
            QCOMPARE(s.texto(0), QString::fromLatin1(nombre));
        }
        QCOMPARE(motor::ejecutaSql(otra, insercion, {"D"}), QString());
        {
            motor::Sentencia fuera(con, busqueda);
            QVERIFY(fuera.liga("C").ejecuta());
            QVERIFY(fuera.siguiente());
            motor::Sentencia dentro(con, busqueda);
            QVERIFY(dentro.liga("A").ejecuta());
            int filas = 0;
            while (dentro.siguiente())
                ++filas;
            QCOMPARE(filas, 4);
            QCOMPARE(fuera.texto(0), QStringLiteral("C"));
            QVERIFY(fuera.siguiente());
            QCOMPARE(fuera.texto(0), QStringLiteral("D"));
        }
        // A statement that failed to prepare is not kept as prepared.
        QVERIFY(!motor::ejecutaSql(con, QStringLiteral("SELECT * FROM u")).isEmpty());
        QCOMPARE(motor::ejecutaSql(otra, QStringLiteral("CREATE TABLE u (x VARCHAR(1))")),
                 QString());
        QCOMPARE(motor::ejecutaSql(con, QStringLiteral("SELECT * FROM u")), QString());
        QCOMPARE(nombres(), (QStringList{"A", "B", "C", "D"}));
    }

    // On the server a statement run again on a connection is prepared there
    // once; the link goes back to the kept ones with nothing prepared left,
    // so the next connection that takes it starts clean.
    void preparadasSoltadasConLaConexion() {
        if (!motor::enServidor())
            QSKIP("statements are prepared on the link only on the server");
        const QString cuenta = QStringLiteral("SELECT count(*) FROM pg_prepared_statements");
        {
            motor::Conexion con(ruta);
            for (const char* nombre : {"A", "B", "C"})
                QCOMPARE(motor::ejecutaSql(con, sql("INSERT INTO t VALUES (?)"), {nombre}),
                         QString());
            motor::Sentencia s(con, cuenta);
            QVERIFY(s.ejecuta() && s.siguiente());
            QCOMPARE(s.entero(0), 1);
        }
        motor::Conexion con(ruta);
        motor::Sentencia s(con, cuenta);
        QVERIFY(s.ejecuta() && s.siguiente());
        QCOMPARE(s.entero(0), 0);
        QCOMPARE(nombres(), (QStringList{"A", "B", "C"}));
    }
};

QTEST_GUILESS_MAIN(TstMotor)
#include "tst_motor.moc"
