// config.ini: the scanner settings read and written as a Windows profile file,
// with the other sections, keys and comments of the file kept.
#include "ConfiguracionBanco.h"
#include "ConfiguracionEscaner.h"
#include "FicheroPerfil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
struct Instalacion {
    QTemporaryDir dir;
    tInstalacion inst = calculaInstalacion(dir.path());
    Instalacion() { QDir().mkpath(inst.dirs.Dir_Pub); }
    QString ruta() const { return inst.ficheros.ficheroConfiguracion; }
    void escribe(const QByteArray& bytes) const {
        QFile f(ruta());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray lee() const {
        QFile f(ruta());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};
} // namespace

class TstConfiguracion : public QObject {
    Q_OBJECT
private slots:
    void leeEscaner_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<bool>("imprimir");
        QTest::addColumn<bool>("fecha");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("safe");
        QTest::newRow("sin fichero") << QByteArray() << 0 << false << false << "" << 5;
        QTest::newRow("basura") << QByteArray("\x01\x02zz[[[==\n\xff\xfe") << 0 << false << false
                                << "" << 5;
        QTest::newRow("escrito a mano, minusculas")
            << QByteArray("[escaner]\r\ntipo=4\r\nimpresion=1\r\nfecha = 7 \r\ntexto=ENDOSO\r\n"
                          "[tiempos]\r\nsafe=9")
            << 4 << true << true << "ENDOSO" << 9;
        QTest::newRow("tipo fuera de rango")
            << QByteArray("[ESCANER]\nTipo=9\n") << 0 << false << false << "" << 5;
        QTest::newRow("tipo que no es numero")
            << QByteArray("[ESCANER]\nTipo=x\nImpresion=si\n") << 0 << false << false << "" << 5;
        QTest::newRow("cifras y algo mas")
            << QByteArray("[ESCANER]\nTipo=2 (Excella)\n") << 2 << false << false << "" << 5;
        QTest::newRow("safe negativo")
            << QByteArray("[TIEMPOS]\nSafe=-3\n") << 0 << false << false << "" << 5;
        QTest::newRow("safe enorme")
            << QByteArray("[TIEMPOS]\nSafe=99999999999\n") << 0 << false << false << "" << 5;
        QTest::newRow("secciones repetidas: cuenta la primera clave")
            << QByteArray("[ESCANER]\nTipo=3\n[BANCO]\nNombre=X\n[ESCANER]\nTipo=1\nFecha=1\n") << 3
            << false << true << "" << 5;
        QTest::newRow("texto entre comillas, windows-1252")
            << QByteArray("[ESCANER]\nTexto=\" A\xd1O \"\n") << 0 << false << false << " AÑO " << 5;
        QTest::newRow("texto de 10 KB") << "[ESCANER]\nTexto=" + QByteArray(10240, 'A') << 0
                                        << false << false << QString(70, u'A') << 5;
    }
    void leeEscaner() {
        QFETCH(QByteArray, ini);
        Instalacion i;
        if (!ini.isEmpty())
            i.escribe(ini);
        const tEscaner e = leeConfiguracionEscaner(i.inst);
        QTEST(e.tipo, "tipo");
        QTEST(e.Imprimir, "imprimir");
        QTEST(e.Fecha, "fecha");
        QTEST(e.texto, "texto");
        QTEST(e.tiempoSAFE, "safe");
    }

    // The window's write replaces its own keys (whatever their spelling) and
    // keeps the bank's section, other keys and every comment line.
    void escribirConservaLoDemas() {
        Instalacion i;
        i.escribe("; config.ini de la oficina\r\n[BANCO]\r\n; el banco de siempre\r\n"
                  "Nombre=CAJA RURAL, S.C.C.\r\nWeb=https://banco.example/a;b\r\n"
                  "[escaner]\r\nimpresion=1\r\nTIPO=2\r\nOtra=algo\r\n; al final");
        tEscaner e;
        e.tipo = 4;
        e.Imprimir = false;
        e.Fecha = true;
        e.texto = QStringLiteral("PAGADO");
        QString error;
        QVERIFY(escribeConfiguracionEscaner(i.inst, e, false, error));
        const QString escrito = QString::fromUtf8(i.lee());
        for (const char* linea :
             {"; config.ini de la oficina\r\n", "; el banco de siempre\r\n",
              "Nombre=CAJA RURAL, S.C.C.\r\n", "Web=https://banco.example/a;b\r\n", "Otra=algo\r\n",
              "Impresion=0\r\n", "Tipo=4\r\n", "Fecha=1\r\n", "Texto=PAGADO\r\n", "; al final\r\n"})
            QVERIFY2(escrito.contains(QString::fromUtf8(linea)), linea);
        QVERIFY(!escrito.contains("impresion=1", Qt::CaseInsensitive));
        QVERIFY(!escrito.contains("TIEMPOS"));
        QVERIFY(!escrito.contains(QRegularExpression("[^\r]\n")));

        const tEscaner leido = leeConfiguracionEscaner(i.inst);
        QCOMPARE(leido.tipo, 4);
        QCOMPARE(leido.Fecha, true);
        QCOMPARE(leido.Imprimir, false);
        QCOMPARE(leeConfiguracionBanco(i.inst).Nombre, QString("CAJA RURAL, S.C.C."));
    }

    void primeraVezEscribeSafe() {
        Instalacion i;
        QString error;
        QVERIFY(escribeConfiguracionEscaner(i.inst, tEscaner(), true, error));
        QCOMPARE(i.lee(), QByteArray("[ESCANER]\r\nTipo=0\r\nImpresion=0\r\nFecha=0\r\nTexto=\r\n"
                                     "\r\n\r\n[TIEMPOS]\r\nSafe=5\r\n"));
    }

    // A file in Windows-1252 stays in Windows-1252: its bank name is not
    // turned into bytes the bank's letter would misread.
    void escribirConservaLaCodificacion() {
        Instalacion i;
        i.escribe("[BANCO]\r\nNombre=CAJA DE ESPA\xd1"
                  "A\r\n");
        tEscaner e;
        e.texto = QStringLiteral("AÑO");
        QString error;
        QVERIFY(escribeConfiguracionEscaner(i.inst, e, false, error));
        const QByteArray escrito = i.lee();
        QVERIFY(escrito.contains("Nombre=CAJA DE ESPA\xd1"
                                 "A\r\n"));
        QVERIFY(escrito.contains("Texto=A\xd1O\r\n"));
        QCOMPARE(leeConfiguracionEscaner(i.inst).texto, QString("AÑO"));
    }

    void escribirSinCarpetaDiceQueFichero() {
        QTemporaryDir dir;
        const tInstalacion inst = calculaInstalacion(dir.path()); // no Pub folder
        QString error;
        QVERIFY(!escribeConfiguracionEscaner(inst, tEscaner(), true, error));
        QVERIFY2(error.contains(inst.ficheros.ficheroConfiguracion), qPrintable(error));
        QVERIFY(error.startsWith("No se pudo guardar el fichero "));
        QVERIFY(!QFile::exists(inst.ficheros.ficheroConfiguracion));
    }

    void leeEntero_data() {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<int>("entero");
        QTest::addColumn<bool>("lee");
        QTest::newRow("simple") << "12" << 12 << true;
        QTest::newRow("con blancos y cola") << " 12 s" << 12 << true;
        QTest::newRow("negativo") << "-3" << -3 << true;
        QTest::newRow("vacio") << "" << 0 << false;
        QTest::newRow("solo signo") << "-" << 0 << false;
        QTest::newRow("letras") << "x1" << 0 << false;
        QTest::newRow("no cabe") << "99999999999" << 0 << false;
    }
    void leeEntero() {
        QFETCH(QString, valor);
        const auto n = TFicheroPerfil::leeEntero(valor);
        QTEST(n.has_value(), "lee");
        if (n)
            QTEST(*n, "entero");
    }
};

QTEST_GUILESS_MAIN(TstConfiguracion)
#include "tst_configuracion.moc"
