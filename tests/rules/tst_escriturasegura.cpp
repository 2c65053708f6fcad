// Writing a file whole or not at all, on a disk that fills up at every level
// and where the file cannot be made.
#include "DiscoLleno.h"
#include "EscrituraSegura.h"
#include "FicherosPrueba.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TstEscrituraSegura : public QObject {
    Q_OBJECT
private slots:
    void escribeYSustituye() {
        QTemporaryDir dir;
        const QString ruta = dir.filePath("f.txt");
        QVERIFY(!escribeFicheroEntero(ruta, "primero"));
        QCOMPARE(bytesDe(ruta), QByteArray("primero"));
        QVERIFY(!escribeFicheroEntero(ruta, QByteArray()));
        QCOMPARE(bytesDe(ruta), QByteArray());
        QVERIFY(!escribeFicheroEntero(ruta, QByteArray(100000, 'x')));
        QCOMPARE(bytesDe(ruta), QByteArray(100000, 'x'));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"f.txt"});
    }

    // The disk fills up after `libres` bytes of the new file: the old file
    // stays whole, nothing is left beside it, and the failure is told.
    void discoLleno_data() {
        QTest::addColumn<qint64>("libres");
        QTest::addColumn<bool>("habiaFichero");
        for (const qint64 libres : {0, 1, 4095, 4096, 50000, 99999})
            for (const bool habia : {true, false})
                QTest::addRow("%lld libres, %s", libres, habia ? "sustituye" : "nuevo")
                    << libres << habia;
    }
    void discoLleno() {
        QFETCH(qint64, libres);
        QFETCH(bool, habiaFichero);
        QTemporaryDir dir;
        const QString ruta = dir.filePath("f.txt");
        if (habiaFichero)
            QVERIFY(!escribeFicheroEntero(ruta, "lo que habia"));
        std::optional<QString> error;
        {
            DiscoLleno disco(libres);
            error = escribeFicheroEntero(ruta, QByteArray(100000, 'x'));
        }
        QVERIFY(error);
        QVERIFY2(error->startsWith("no se pudo escribir"), qPrintable(*error));
        QCOMPARE(bytesDe(ruta), habiaFichero ? QByteArray("lo que habia") : "<no existe>");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 habiaFichero ? QStringList{"f.txt"} : QStringList{});
    }

    void carpetaQueNoExiste() {
        QTemporaryDir dir;
        const auto error = escribeFicheroEntero(dir.filePath("no/f.txt"), "x");
        QVERIFY(error);
        QVERIFY2(error->startsWith("no se pudo crear"), qPrintable(*error));
    }
};

QTEST_GUILESS_MAIN(TstEscrituraSegura)
#include "tst_escriturasegura.moc"
