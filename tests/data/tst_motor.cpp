// The table engine layer on its own: transactions that roll back when they
// end unconfirmed, values that travel bound (never spliced into the SQL) and
// the engine's own message handed back on failure.
#include "MotorTablas.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TstMotor : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString ruta;

    QStringList nombres() {
        motor::Conexion con(ruta);
        motor::Sentencia s(con, QStringLiteral("SELECT nombre FROM t ORDER BY rowid"));
        QStringList r;
        if (!s.ejecuta())
            return {QStringLiteral("ERROR ") + s.error()};
        while (s.siguiente())
            r << s.texto(0);
        return r;
    }

private slots:
    void init() {
        ruta = dir.filePath(QStringLiteral("t%1.dat").arg(QRandomGenerator::global()->generate()));
        motor::Conexion con(ruta, true);
        QCOMPARE(motor::ejecutaSql(con, QStringLiteral("CREATE TABLE t (nombre VARCHAR(40))")),
                 QString());
    }

    void transaccionSinConfirmarSeDeshaceAlSalir() {
        {
            motor::Conexion con(ruta);
            motor::Transaccion tr(con);
            QVERIFY(tr.iniciada());
            QCOMPARE(motor::ejecutaSql(con, QStringLiteral("INSERT INTO t VALUES (?)"), {"UNO"}),
                     QString());
        }
        QCOMPARE(nombres(), QStringList{});
        {
            motor::Conexion con(ruta);
            motor::Transaccion tr(con);
            motor::ejecutaSql(con, QStringLiteral("INSERT INTO t VALUES (?)"), {"DOS"});
            QVERIFY(tr.confirma());
        }
        QCOMPARE(nombres(), QStringList{"DOS"});
    }

    void valoresLigadosTalCual() {
        const QString raro = QStringLiteral("D'OR'); DROP TABLE t; --");
        motor::Conexion con(ruta);
        QCOMPARE(motor::ejecutaSql(con, QStringLiteral("INSERT INTO t VALUES (?)"), {raro}),
                 QString());
        QCOMPARE(nombres(), QStringList{raro});
    }

    void errorConElTextoDelMotor() {
        motor::Conexion con(ruta);
        const QString e = motor::ejecutaSql(con, QStringLiteral("SELECT * FROM falta"));
        QVERIFY2(e.contains(QStringLiteral("no such table: falta")), qPrintable(e));
        motor::Conexion inexistente(dir.filePath(QStringLiteral("no.dat")));
        QVERIFY(!inexistente.abierta());
        QCOMPARE(inexistente.error(),
                 "La tabla " + QDir::toNativeSeparators(dir.filePath("no.dat")) + " no existe.");
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("no.dat"))));
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
        const QString insercion = QStringLiteral("INSERT INTO t VALUES (?)");
        const QString busqueda = QStringLiteral("SELECT nombre FROM t WHERE nombre >= ?");
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
        QCOMPARE(motor::ejecutaSql(otra, QStringLiteral("CREATE TABLE u (x)")), QString());
        QCOMPARE(motor::ejecutaSql(con, QStringLiteral("SELECT * FROM u")), QString());
        QCOMPARE(nombres(), (QStringList{"A", "B", "C", "D"}));
    }
};

QTEST_GUILESS_MAIN(TstMotor)
#include "tst_motor.moc"
