// config.ini: the scanner settings read and written as a Windows profile file,
// with the other sections, keys and comments of the file kept, in the encoding
// it came in, whole or not at all.
#include "ConfiguracionBanco.h"
#include "ConfiguracionEscaner.h"
#include "DiscoLleno.h"
#include "FalloOperacion.h"
#include "FicheroPerfil.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#include <map>

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
    QStringList ficherosPub() const {
        return QDir(inst.dirs.Dir_Pub).entryList(QDir::Files | QDir::Hidden);
    }
    bool guarda(const tEscaner& e) const {
        return falloDe([&] { escribeConfiguracionEscaner(inst, e, false); }).isNull();
    }
};

QByteArray codificado(const QString& texto, const QByteArray& codificacion) {
    const QByteArray marcas[][2] = {
        {"UTF-8 con marca", "\xEF\xBB\xBF"}, {"UTF-16LE", "\xFF\xFE"}, {"UTF-16BE", "\xFE\xFF"}};
    QByteArray marca;
    QByteArray nombre = codificacion;
    for (const auto& m : marcas)
        if (codificacion == m[0])
            marca = m[1];
    if (nombre == "UTF-8 con marca")
        nombre = "UTF-8";
    QStringEncoder codificador(nombre.constData());
    return marca + QByteArray(codificador.encode(texto));
}

// The values of these names, for comparing two readings of a file.
const QStringList NombresSeccion{"ESCANER", "escaner", "BANCO", "x", "Tipo"};
const QStringList NombresClave{"Tipo", "TIPO", "Nombre", "Texto", "x", "ESCANER"};
using tValores = std::map<std::pair<QString, QString>, std::optional<QString>>;
tValores valoresDe(const TFicheroPerfil& perfil) {
    tValores v;
    for (const QString& s : NombresSeccion)
        for (const QString& c : NombresClave)
            v[{s, c}] = perfil.valor(s, c);
    return v;
}

// A text made of the pieces a profile file is made of, and of those that
// have made readers stumble: marks, line ends of every kind, blanks that
// are not spaces, quotes, characters of several encodings.
QString textoAlAzar(QRandomGenerator& azar, const QStringList& piezas, int maximo) {
    QString texto;
    const int n = azar.bounded(maximo);
    for (int i = 0; i < n; ++i)
        texto += piezas[azar.bounded(static_cast<int>(piezas.size()))];
    return texto;
}
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
        escribeConfiguracionEscaner(i.inst, e, false);
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
        escribeConfiguracionEscaner(i.inst, tEscaner(), true);
        QCOMPARE(i.lee(), QByteArray("[ESCANER]\r\nTipo=0\r\nImpresion=0\r\nFecha=0\r\nTexto=\r\n"
                                     "\r\n[TIEMPOS]\r\nSafe=5\r\n"));
    }

    // A file in Windows-1252 stays in Windows-1252: its bank name is not
    // turned into bytes the bank's letter would misread.
    void escribirConservaLaCodificacion() {
        Instalacion i;
        i.escribe("[BANCO]\r\nNombre=CAJA DE ESPA\xd1"
                  "A\r\n");
        tEscaner e;
        e.texto = QStringLiteral("AÑO");
        escribeConfiguracionEscaner(i.inst, e, false);
        const QByteArray escrito = i.lee();
        QVERIFY(escrito.contains("Nombre=CAJA DE ESPA\xd1"
                                 "A\r\n"));
        QVERIFY(escrito.contains("Texto=A\xd1O\r\n"));
        QCOMPARE(leeConfiguracionEscaner(i.inst).texto, QString("AÑO"));
    }

    void escribirSinCarpetaDiceQueFichero() {
        QTemporaryDir dir;
        const tInstalacion inst = calculaInstalacion(dir.path()); // no Pub folder
        const QString error = falloDe([&] { escribeConfiguracionEscaner(inst, tEscaner(), true); });
        QVERIFY(!error.isEmpty());
        QVERIFY2(error.contains(inst.ficheros.ficheroConfiguracion), qPrintable(error));
        QVERIFY(error.startsWith("No se pudo guardar el fichero "));
        QVERIFY(!QFile::exists(inst.ficheros.ficheroConfiguracion));
    }

    // Each encoding the file may come in is read (its mark is no character
    // of the file), and written back in it, byte for byte as expected; a
    // second save changes nothing.
    void codificaciones_data() {
        QTest::addColumn<QByteArray>("codificacion");
        for (const char* c : {"UTF-8", "UTF-8 con marca", "UTF-16LE", "UTF-16BE", "windows-1252"})
            QTest::newRow(c) << QByteArray(c);
    }
    void codificaciones() {
        QFETCH(QByteArray, codificacion);
        Instalacion i;
        i.escribe(
            codificado("[ESCANER]\r\nTipo=4\r\n[BANCO]\r\nNombre=CAJA ESPAÑA\r\n", codificacion));
        tEscaner e = leeConfiguracionEscaner(i.inst);
        QCOMPARE(e.tipo, 4);
        QCOMPARE(leeConfiguracionBanco(i.inst).Nombre, QString("CAJA ESPAÑA"));
        e.texto = QStringLiteral("AÑO");
        QVERIFY(i.guarda(e));
        const QByteArray escrito = i.lee();
        QCOMPARE(escrito, codificado("[ESCANER]\r\nTipo=4\r\nImpresion=0\r\nFecha=0\r\n"
                                     "Texto=AÑO\r\n[BANCO]\r\nNombre=CAJA ESPAÑA\r\n",
                                     codificacion));
        QVERIFY(i.guarda(leeConfiguracionEscaner(i.inst)));
        QCOMPARE(i.lee(), escrito);
    }

    // Lines that a hand, another editor or another system may leave: each
    // reads as stated, and saving keeps what it read and does not grow.
    void bordes_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("banco");
        const QString porDefecto = ConfiguracionBanco::NombrePorDefecto;
        QTest::newRow("seccion sin corchete no es seccion")
            << QByteArray("[ESCANER\r\nTipo=3\r\n[BANCO]\r\nNombre=X\r\n") << 0 << ""
            << "X";
        QTest::newRow("seccion sin corchete no se lleva las lineas siguientes")
            << QByteArray("[ESCANER]\r\nTipo=3\r\n[BANCO\r\nNombre=X\r\n") << 3 << "" << porDefecto;
        QTest::newRow("solo comentarios")
            << QByteArray("; uno\r\n# dos\r\n;tres") << 0 << "" << porDefecto;
        QTest::newRow("fin de linea CR solo")
            << QByteArray("[ESCANER]\rTipo=2\rTexto=A\r[BANCO]\rNombre=Z\r") << 2 << "A"
            << "Z";
        QTest::newRow("fines de linea mezclados")
            << QByteArray("[ESCANER]\nTipo=2\r\n[BANCO]\rNombre=Z") << 2 << ""
            << "Z";
        QTest::newRow("salto de pagina al final del valor")
            << QByteArray("[ESCANER]\r\nTexto=HOLA\f\r\nTipo=1\f\r\n") << 1 << "HOLA" << porDefecto;
        QTest::newRow("blancos y comillas propias")
            << QByteArray("[ESCANER]\r\nTexto=\"\"  A \"\"\r\n[BANCO]\r\nNombre=\" B \"\r\n") << 0
            << "\"  A \""
            << " B ";
        QTest::newRow("texto tras el corchete")
            << QByteArray("[ESCANER] ; lector\r\nTipo=5\r\n") << 5 << "" << porDefecto;
    }
    void bordes() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, banco);
        Instalacion i;
        i.escribe(ini);
        const tEscaner e = leeConfiguracionEscaner(i.inst);
        QTEST(e.tipo, "tipo");
        QTEST(e.texto, "texto");
        QCOMPARE(leeConfiguracionBanco(i.inst).Nombre, banco);
        QVERIFY(i.guarda(e));
        const QByteArray escrito = i.lee();
        const tEscaner leido = leeConfiguracionEscaner(i.inst);
        QCOMPARE(leido.tipo, e.tipo);
        QCOMPARE(leido.texto, e.texto);
        QCOMPARE(leeConfiguracionBanco(i.inst).Nombre, banco);
        QVERIFY(i.guarda(leido));
        QCOMPARE(i.lee(), escrito);
        // Comments are kept once, not once per save.
        for (const QByteArray& linea : ini.split('\n'))
            if (linea.startsWith(';') || linea.startsWith('#'))
                QCOMPARE(escrito.count(linea.trimmed()), 1);
    }

    // A value that would split its line is refused: the file stays as it was.
    void valorQuePartiriaLaLinea_data() {
        QTest::addColumn<QString>("texto");
        QTest::newRow("LF") << "A\nTipo=5";
        QTest::newRow("CR") << "A\r[BANCO]";
        QTest::newRow("CR LF") << "A\r\n";
        QTest::newRow("NUL") << QString("A") + QChar(0) + "B";
    }
    void valorQuePartiriaLaLinea() {
        QFETCH(QString, texto);
        Instalacion i;
        i.escribe("[ESCANER]\r\nTipo=1\r\n");
        tEscaner e;
        e.texto = texto;
        const QString error = falloDe([&] { escribeConfiguracionEscaner(i.inst, e, false); });
        QVERIFY(!error.isEmpty());
        QVERIFY2(
            error.startsWith("No se pudo guardar el fichero " + QDir::toNativeSeparators(i.ruta())),
            qPrintable(error));
        QCOMPARE(i.lee(), QByteArray("[ESCANER]\r\nTipo=1\r\n"));
    }

    // The disk fills up at every point of the save: the save says so, and
    // the file keeps its scanner, bank and address.
    void discoLleno_data() {
        QTest::addColumn<qint64>("libres");
        // A negative number counts back from the size of the new file.
        for (const qint64 libres : {0, 1, 20, -27, -1})
            QTest::addRow("%lld bytes libres", libres) << libres;
    }
    void discoLleno() {
        QFETCH(qint64, libres);
        const QByteArray antes = "[ESCANER]\r\nTipo=4\r\nImpresion=0\r\nFecha=0\r\nTexto=\r\n"
                                 "[BANCO]\r\nNombre=CAJA RURAL\r\nWeb=https://banco.example/r\r\n";
        Instalacion i, sinLimite;
        i.escribe(antes);
        sinLimite.escribe(antes);
        tEscaner e = leeConfiguracionEscaner(i.inst);
        e.texto = QStringLiteral("PAGADO");
        escribeConfiguracionEscaner(sinLimite.inst, e, true);
        if (libres < 0)
            libres += sinLimite.lee().size();
        QString error;
        {
            DiscoLleno disco(libres);
            error = falloDe([&] { escribeConfiguracionEscaner(i.inst, e, true); });
        }
        QVERIFY(!error.isEmpty());
        QVERIFY2(error.contains(QDir::toNativeSeparators(i.ruta())), qPrintable(error));
        QCOMPARE(i.lee(), antes);
        QCOMPARE(i.ficherosPub(), QStringList{"config.ini"});
    }

    // A file that is no profile file is said to be so, naming it, and is
    // not touched by reading; saving the configuration replaces it.
    void ilegible_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("UTF-16 cortado") << QByteArray("\xFF\xFE[\0E\0S\0", 7);
        QTest::newRow("UTF-16 sin marca")
            << codificado("[ESCANER]\r\nTipo=4\r\n", "UTF-16LE").mid(2);
        QTest::newRow("marca UTF-8 y bytes de otra codificacion")
            << QByteArray("\xEF\xBB\xBF[ESCANER]\r\nTexto=A\xD1O\r\n");
    }
    void ilegible() {
        QFETCH(QByteArray, ini);
        Instalacion i;
        i.escribe(ini);
        QCOMPARE(leeConfiguracionEscaner(i.inst).tipo, 0);
        QCOMPARE(leeConfiguracionBanco(i.inst).Nombre, ConfiguracionBanco::NombrePorDefecto);
        const QString aviso = avisoConfiguracionIlegible(i.inst);
        QVERIFY2(aviso.startsWith("El fichero " + QDir::toNativeSeparators(i.ruta()) +
                                  " no se puede leer: "),
                 qPrintable(aviso));
        QCOMPARE(i.lee(), ini);
        tEscaner e;
        e.tipo = 2;
        QVERIFY(i.guarda(e));
        QCOMPARE(leeConfiguracionEscaner(i.inst).tipo, 2);
        QVERIFY(avisoConfiguracionIlegible(i.inst).isEmpty());
    }

    // Read, write, read again: every file the reader accepts gives the same
    // values the second time, with a key set or not, and a save with no
    // change writes the same bytes. Random texts and bytes, from a fixed
    // seed so that a failure repeats.
    void leerEscribirLeerAlAzar() {
        const QStringList piezas{
            "[",    "]",     "=",      ";",     "#",      "\"",      " ",       "\t",
            "\f",   "\v",    "\r",     "\n",    "\r\n",   "ESCANER", "escaner", "Tipo",
            "TIPO", "BANCO", "Nombre", "Texto", "x",      "1",       "-7",      "Ñ",
            "é",    "€",     "Ã",      "©",     "\u00A0", "\u2028",  "\u0085",  "\uFEFF"};
        // What the file can hold in any of its encodings.
        const QStringList piezasValor{"[",  "]",  "=",       ";", "#", "\"", " ",
                                      "\t", "\f", "ESCANER", "x", "1", "Ñ",  "€"};
        const QByteArray codificaciones[] = {"UTF-8", "UTF-8 con marca", "UTF-16LE", "UTF-16BE",
                                             "windows-1252"};
        QRandomGenerator azar(20250331);
        Instalacion i;
        int aceptados = 0;
        for (int vuelta = 0; vuelta < 500; ++vuelta) {
            QByteArray bytes;
            if (azar.bounded(4) == 0) {
                bytes.resize(azar.bounded(60));
                for (char& b : bytes)
                    b = static_cast<char>(azar.bounded(256));
            } else {
                bytes = codificado(textoAlAzar(azar, piezas, 60), codificaciones[azar.bounded(5)]);
            }
            i.escribe(bytes);
            const QString caso = QString::fromLatin1(bytes.toHex());
            TFicheroPerfil primera(i.ruta());
            if (!primera.problema().isEmpty())
                continue;
            ++aceptados;
            tValores esperados = valoresDe(primera);
            if (azar.bounded(2) == 0) {
                const QString seccion = NombresSeccion[azar.bounded(2) * 2];
                const QString clave = NombresClave[azar.bounded(4) + 2];
                const QString valor = textoAlAzar(azar, piezasValor, 8);
                primera.fija(seccion, clave, valor);
                for (auto& [nombres, v] : esperados)
                    if (nombres.first.compare(seccion, Qt::CaseInsensitive) == 0 &&
                        nombres.second.compare(clave, Qt::CaseInsensitive) == 0)
                        v = valor;
            }
            QString error = falloDe([&] { primera.guarda(); });
            QVERIFY2(error.isNull(), qPrintable(caso + " " + error));
            const QByteArray escrito = i.lee();
            const TFicheroPerfil segunda(i.ruta());
            QVERIFY2(segunda.problema().isEmpty(), qPrintable(caso));
            QVERIFY2(valoresDe(segunda) == esperados, qPrintable(caso));
            error = falloDe([&] { segunda.guarda(); });
            QVERIFY2(error.isNull(), qPrintable(caso + " " + error));
            QVERIFY2(i.lee() == escrito, qPrintable(caso));
        }
        QVERIFY(aceptados > 400);
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
