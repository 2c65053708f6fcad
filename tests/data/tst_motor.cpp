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
};

QTEST_GUILESS_MAIN(TstMotor)
#include "tst_motor.moc"
