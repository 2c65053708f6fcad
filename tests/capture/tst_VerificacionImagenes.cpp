// The image check of read documents on real pictures: the shipped samples
// and generated documents of varied content pass untouched (no false
// alarm), each fault the generator can make gets its mark, and the size
// limits follow config.ini.
#include "ConfiguracionImagenes.h"
#include "Instalacion.h"
#include "TVerificadorImagenes.h"
#include "VerificacionImagenes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Puts the pictures of docNNN of `origen` in `destino` as the reader leaves
// the n-th document's: F<n>.jpg, F<n>.tif, T<n>.tif.
bool comoLeido(const QDir& origen, int n, const QDir& destino) {
    const QString doc = QStringLiteral("doc%1").arg(n, 3, 10, QChar(u'0'));
    const QString s = QString::number(n);
    return QFile::copy(origen.filePath(doc + "_F.jpg"), destino.filePath("F" + s + ".jpg")) &&
           QFile::copy(origen.filePath(doc + "_F.tif"), destino.filePath("F" + s + ".tif")) &&
           QFile::copy(origen.filePath(doc + "_T.tif"), destino.filePath("T" + s + ".tif"));
}

bool genera(const QString& carpeta, const QStringList& argumentos) {
    QProcess p;
    p.start(QStringLiteral(GENERADOR), QStringList{carpeta} + argumentos);
    return p.waitForFinished(40000) && p.exitCode() == 0;
}

// The marks of the documents 1..n of `carpeta`, as the reader left them,
// only those that have one ("n: mark").
QStringList avisos(const QString& carpeta, int n, const tLimitesImagen& limites = {}) {
    QTemporaryDir tmp;
    QStringList encontrados;
    for (int i = 1; i <= n; ++i) {
        if (!comoLeido(QDir(carpeta), i, QDir(tmp.path())))
            return {QStringLiteral("%1: no se pudo copiar").arg(i)};
        const tAvisoImagen a = verificaImagenesLeidas(tmp.path(), QString::number(i), limites);
        if (a.hay())
            encontrados << QStringLiteral("%1: %2 (%3)").arg(i).arg(a.aviso, a.motivo);
    }
    return encontrados;
}

} // namespace

class TstVerificacionImagenes : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void muestrasDeSerieSinAvisos() { QCOMPARE(avisos(QStringLiteral(MUESTRAS), 12), {}); }

    // 200 documents: every type, amounts and names drawn from two seeds, at
    // the 100 and the 200 dots per inch of the readers.
    void generadosSinAvisos() {
        const QString a = dir.filePath("a"), b = dir.filePath("b");
        QVERIFY(genera(a, {"--cantidad", "100", "--semilla", "11"}));
        QVERIFY(genera(b, {"--cantidad", "100", "--semilla", "12", "--ppp", "200"}));
        QCOMPARE(avisos(a, 100), {});
        QCOMPARE(avisos(b, 100), {});
    }

    void fallosGenerados() {
        const QString c = dir.filePath("c");
        QVERIFY(genera(c, {"--cantidad", "5", "--fallo", "1:en-blanco", "--fallo", "2:oscura",
                           "--fallo", "3:cortada", "--fallo", "4:danada"}));
        QTemporaryDir tmp;
        QStringList marcas;
        for (int i = 1; i <= 5; ++i) {
            QVERIFY(comoLeido(QDir(c), i, QDir(tmp.path())));
            const tAvisoImagen a = verificaImagenesLeidas(tmp.path(), QString::number(i), {});
            marcas << a.aviso;
            QCOMPARE(a.motivo.isEmpty(), !a.hay());
        }
        QCOMPARE(marcas, (QStringList{AvisoImagen::EnBlanco, AvisoImagen::Oscura,
                                      AvisoImagen::Tamano, AvisoImagen::Ilegible, QString()}));
        // An image the reader never delivered cannot be read either.
        QFile::remove(QDir(tmp.path()).filePath("T5.tif"));
        const tAvisoImagen falta = verificaImagenesLeidas(tmp.path(), "5", {});
        QCOMPARE(falta.aviso, AvisoImagen::Ilegible);
        QVERIFY2(falta.motivo.contains("reverso"), qPrintable(falta.motivo));
    }

    // Limits from config.ini; an inverted pair keeps the defaults.
    void limitesDeConfiguracion() {
        const tInstalacion inst = calculaInstalacion(dir.filePath("inst"));
        QVERIFY(QDir().mkpath(inst.dirs.Dir_Pub));
        QFile ini(inst.ficheros.ficheroConfiguracion);
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[IMAGENES]\r\nPppMinimo=200\r\nAnchoMinimoMm=300\r\nAnchoMaximoMm=100\r\n");
        ini.close();
        const tLimitesImagen l = leeLimitesImagen(inst);
        QCOMPARE(l.pppMinimo, 200);
        QCOMPARE(l.anchoMinimoMm, tLimitesImagen{}.anchoMinimoMm);
        // The 100-dot samples are too small for a reader set to 200 at least.
        const QStringList marcas = avisos(QStringLiteral(MUESTRAS), 1, l);
        QCOMPARE(marcas.size(), 1);
        QVERIFY2(marcas[0].contains(AvisoImagen::Tamano), qPrintable(marcas[0]));
    }

    // The worker thread answers each document once, on this thread, and a
    // discarded round answers nothing.
    void hiloDeVerificacion() {
        QTemporaryDir tmp;
        for (int i = 1; i <= 3; ++i)
            QVERIFY(comoLeido(QDir(QStringLiteral(MUESTRAS)), i, QDir(tmp.path())));
        QFile::remove(QDir(tmp.path()).filePath("F2.jpg"));
        TVerificadorImagenes v;
        QSignalSpy veredictos(&v, &TVerificadorImagenes::verificado);
        v.verifica(tmp.path(), "1");
        v.verifica(tmp.path(), "2");
        QVERIFY(v.esperaPendientes(10000));
        QCOMPARE(veredictos.size(), 2);
        QCOMPARE(veredictos[1][0].toString(), "2");
        QCOMPARE(veredictos[1][1].value<tAvisoImagen>().aviso, AvisoImagen::Ilegible);
        v.verifica(tmp.path(), "3");
        v.descarta();
        QTest::qWait(300);
        QCOMPARE(veredictos.size(), 2);
    }
};

QTEST_MAIN(TstVerificacionImagenes)
#include "tst_VerificacionImagenes.moc"
