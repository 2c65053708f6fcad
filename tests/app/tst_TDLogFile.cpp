// The diagnostic log: the debug switch, where the log goes, the header and
// the line rules, and the files it cannot write.
#include "CajaMensajes.h"
#include "EstadoPrograma.h"
#include "GuionDialogos.h"
#include "TDLogFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QByteArray leeFichero(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void creaFichero(const QString& ruta, const QByteArray& contenido = "viejo\r\n") {
    QFile f(ruta);
    [&] { QVERIFY(f.open(QIODevice::WriteOnly)); }();
    f.write(contenido);
}

// Lines of a log file: each must end in CR LF.
QList<QByteArray> lineasDe(const QString& ruta) {
    QByteArray bytes = leeFichero(ruta);
    [&] { QVERIFY2(bytes.endsWith("\r\n"), bytes.right(20).constData()); }();
    QList<QByteArray> lineas;
    qsizetype desde = 0;
    for (qsizetype fin; (fin = bytes.indexOf("\r\n", desde)) >= 0; desde = fin + 2)
        lineas << bytes.mid(desde, fin - desde);
    return lineas;
}

// Labels of the header lines as written: up to the tab of their value.
const QStringList Etiquetas = {
    QString(79, u'='),         "Log File:             ",  "Date:                 ",
    "Operating System:      ", "SysLocale.DefaultLCID: ", "SysLocale.PriLangID:   ",
    "SysLocale.SubLangID:   ", "DecimalSeparator:      ", QString(79, u'-'),
    "EXE Path =          ",    "EXE Version =       ",    "Cmdline Param(s) =  ",
    "Actual CmdLine =  ",      "_RunDir =           ",    "_ModuleName =       ",
    "_ModuleDir =        ",    "_ModulePath =        ",   "Module Version =       ",
    QString(79, u'-'),         "_hhInstalled =      ",    "_hhVerStr =         ",
    "_hhFriendlyVerStr = ",    QString(79, u'-'),         "_ieInstalled =      ",
    "_ieVerStr =         ",    "_ieFriendlyVerStr = ",    QString(79, u'='),
};
} // namespace

class TstTDLogFile : public QObject {
    Q_OBJECT

    QTemporaryDir modulo;
    QTemporaryDir temporal;
    TGuionDialogos guion;
    tEstadoPrograma estado;

    QString rutaModulo() const { return modulo.filePath("teskora_chk"); }
    QString logEnModulo() const { return modulo.filePath("HHDebug.txt"); }

    tEntornoLog entorno(const QStringList& argumentos) const {
        return calculaEntornoLog(rutaModulo(), QStringList{rutaModulo()} + argumentos,
                                 temporal.path());
    }

private slots:
    void init() {
        creaFichero(rutaModulo(), "programa");
        estado.guion = &guion;
    }
    void cleanup() {
        for (QTemporaryDir* d : {&modulo, &temporal})
            for (const QString& f : QDir(d->path()).entryList(QDir::Files))
                QFile::remove(d->filePath(f));
        guion.restablece();
    }

    void arranqueNormalBorraElLogViejoYNoEscribe_data() {
        QTest::addColumn<bool>("soloLectura");
        QTest::newRow("log normal") << false;
        QTest::newRow("log de solo lectura") << true;
    }
    void arranqueNormalBorraElLogViejoYNoEscribe() {
        QFETCH(bool, soloLectura);
        creaFichero(logEnModulo());
        if (soloLectura)
            QVERIFY(QFile::setPermissions(logEnModulo(), QFileDevice::ReadOwner));
        const TDLogFile log(entorno({"a", "b"}));
        QVERIFY(!log.DebugMode);
        QCOMPARE(log.Filename, logEnModulo());
        QCOMPARE(log.GetLogDir(), modulo.path());
        QVERIFY(!QFile::exists(logEnModulo()));
        QVERIFY(QDir(modulo.path()).entryList(QDir::Files) == QStringList{"teskora_chk"});
    }

    void conelInterruptorEscribeLaCabecera_data() {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<bool>("ficheroDebug");
        QTest::addColumn<QString>("parametros");
        QTest::newRow("-DEBUG") << QStringList{"-DEBUG"} << false << "-DEBUG";
        QTest::newRow("/Debug") << QStringList{"x", "/Debug"} << false << "x | /Debug";
        QTest::newRow("debug.debug y a b") << QStringList{"a", "b"} << true << "a | b";
    }
    void conelInterruptorEscribeLaCabecera() {
        QFETCH(QStringList, argumentos);
        QFETCH(bool, ficheroDebug);
        QFETCH(QString, parametros);
        creaFichero(logEnModulo());
        if (ficheroDebug)
            creaFichero(modulo.filePath("debug.debug"), "");
        const TDLogFile log(entorno(argumentos));
        QVERIFY(log.DebugMode);
        const QList<QByteArray> lineas = lineasDe(logEnModulo());
        QCOMPARE(lineas.size(), 27);
        for (int i = 0; i < 27; ++i) {
            const QString linea = QString::fromLatin1(lineas[i]);
            const QString etiqueta = Etiquetas[i];
            if (etiqueta.startsWith(u'=') || etiqueta.startsWith(u'-'))
                QCOMPARE(linea, etiqueta); // 79 characters, no stamp
            else
                QVERIFY2(linea.startsWith(etiqueta + u'\t'), qPrintable(linea));
        }
        QCOMPARE(QString::fromLatin1(lineas[1]), "Log File:             \t" + logEnModulo());
        QCOMPARE(QString::fromLatin1(lineas[11]), "Cmdline Param(s) =  \t" + parametros);
        QVERIFY(lineas[3].endsWith(" No Service Pack"));
        QVERIFY(QString::fromLatin1(lineas[4]).contains(
            QRegularExpression("^SysLocale.DefaultLCID: \t0x[0-9A-F]{4} \\(\\d+\\)$")));
        QCOMPARE(QString::fromLatin1(lineas[10]), "EXE Version =       \t4.4.3.0");
        QCOMPARE(QString::fromLatin1(lineas[14]), "_ModuleName =       \tteskora_chk");
        QCOMPARE(QString::fromLatin1(lineas[15]), "_ModuleDir =        \t" + modulo.path());
        QCOMPARE(lineas[19], QByteArray("_hhInstalled =      \tNO"));
        QCOMPARE(lineas[21], QByteArray("_hhFriendlyVerStr = \t"));
        QCOMPARE(lineas[23], QByteArray("_ieInstalled =      \tNO"));
        QCOMPARE(lineas[24], QByteArray("_ieVerStr =         \t"));
    }

    void argumentosConTabuladoresAcentosYUnaLineaEnorme() {
        const QString largo(100000, u'x');
        const TDLogFile log(entorno({"-debug", "a\tb", "Peña 10€", "中", largo}));
        const QList<QByteArray> lineas = lineasDe(logEnModulo());
        QCOMPARE(lineas.size(), 27);
        // Windows-1252 bytes; a character it lacks is "?".
        QCOMPARE(lineas[11], "Cmdline Param(s) =  \t-debug | a\tb | Pe\xF1"
                             "a 10\x80 | ? | " +
                                 largo.toLatin1());
        QCOMPARE(
            lineas[12].left(60),
            ("Actual CmdLine =  \t" + rutaModulo() + " -debug \"a\tb\" \"Pe").toUtf8().left(60));
    }

    void carpetaDelModuloSinEscrituraLlevaElLogALaTemporal() {
        // /proc takes no new files, not even from the administrator.
        if (!QFileInfo(QStringLiteral("/proc")).isDir())
            QSKIP("Needs a folder that takes no files");
        const tEntornoLog e =
            calculaEntornoLog(QStringLiteral("/proc/teskora_chk"),
                              {QStringLiteral("/proc/teskora_chk"), "-debug"}, temporal.path());
        QCOMPARE(e.dirLog, temporal.path());
        const TDLogFile log(e);
        QCOMPARE(log.Filename, temporal.filePath("HHDebug.txt"));
        QCOMPARE(lineasDe(log.Filename).size(), 27);
        // With no temporary folder either, the last resort.
        QVERIFY(!calculaEntornoLog("/proc/teskora_chk", {"/proc/teskora_chk"}, "/no/existe")
                     .dirLog.isEmpty());
    }

    void lineas_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<bool>("sello");
        QTest::addColumn<QString>("linea");
        QTest::newRow("separador -") << "-" << QVariantList{} << true << QString(79, u'-');
        QTest::newRow("separador =") << "=" << QVariantList{} << true << QString(79, u'=');
        QTest::newRow("! sin hora") << "!hola" << QVariantList{} << true << "hola";
        QTest::newRow("guion delante") << "-x" << QVariantList{} << true << "x";
        QTest::newRow("con hora") << "hola" << QVariantList{} << true << "12:00:00   hola";
        QTest::newRow("sin sello") << "hola" << QVariantList{} << false << "hola";
        QTest::newRow("formato") << "%s tiene %d%%" << QVariantList{"O'BRIEN", 7} << false
                                 << "O'BRIEN tiene 7%";
        QTest::newRow("sin argumentos, literal")
            << "100% %s" << QVariantList{} << false << "100% %s";
        QTest::newRow("faltan argumentos") << "%s y %s" << QVariantList{"a"} << false << "a y %s";
    }
    void lineas() {
        QFETCH(QString, texto);
        QFETCH(QVariantList, args);
        QFETCH(bool, sello);
        QFETCH(QString, linea);
        QCOMPARE(TDLogFile::lineaDeLog(TDLogFile::formatea(texto, args), sello, "12:00:00"), linea);
    }

    void debugOutEscribeSiempreYDebugOut2SoloDepurando() {
        TDLogFile log(entorno({}), modulo.filePath("otro.log"), false, false, true, false);
        QVERIFY(!QFile::exists(log.Filename)); // no header without debug mode
        log.DebugOut2("no");
        QVERIFY(!QFile::exists(log.Filename));
        log.DebugOut("uno %d", {1});
        log.DebugMode = true;
        log.DebugOut2("dos");
        QCOMPARE(leeFichero(log.Filename), QByteArray("uno 1\r\ndos\r\n"));
        // Appending keeps the lines of before.
        TDLogFile otro(entorno({}), log.Filename, false, false, true, true);
        QCOMPARE(leeFichero(log.Filename), QByteArray("uno 1\r\ndos\r\n"));
        // A log that cannot be opened loses the line, silently.
        QVERIFY(QDir(modulo.path()).mkdir("carpeta.log"));
        TDLogFile imposible(entorno({}), modulo.filePath("carpeta.log"), true, true, false, false);
        imposible.DebugOut("se pierde");
        QVERIFY(QFileInfo(modulo.filePath("carpeta.log")).isDir());
        QVERIFY(QDir(modulo.filePath("carpeta.log")).removeRecursively());
    }

    void carpetaDelLogQueNoExisteUsaLaTemporal() {
        const TDLogFile log(entorno({}), modulo.filePath("no/existe/x.log"), false, true, true,
                            false);
        QCOMPARE(log.Filename, temporal.filePath("x.log"));
    }

    void informeMostrarYCopiar() {
        TDLogFile log(entorno({}), modulo.filePath("a.log"), false, false, false, false);
        log.estado = &estado;
        // Without a log, Show says so, in Spanish.
        log.Show();
        QCOMPARE(guion.textos(), QStringList{"No existe el fichero de diagnóstico\r" +
                                             log.Filename + "\rDiagnóstico activado = 0"});
        log.DebugOut("linea");
        // A failed opening is reported in Spanish, naming no system function.
        log.abreConManejador = [](const QString&) { return false; };
        log.Show();
        QCOMPARE(guion.cajas.last().tipo, CajaMensajes::Tipo::Aviso);
        QCOMPARE(guion.textos().last(), "No se pudo abrir el fichero de diagnóstico " +
                                            log.Filename + " con el programa asociado a él");
        QString abierto;
        log.abreConManejador = [&](const QString& f) {
            abierto = f;
            return true;
        };
        log.Show();
        QCOMPARE(abierto, log.Filename);
        // ReportError writes to the log in debug mode only.
        log.DebugMode = true;
        log.ReportError("fallo %s", {"X"});
        QCOMPARE(guion.textos().last(), QStringLiteral("fallo X"));
        QCOMPARE(leeFichero(log.Filename), QByteArray("linea\r\nfallo X\r\n"));
        log.CopyLogTo(modulo.filePath("copia.log"));
        QCOMPARE(leeFichero(modulo.filePath("copia.log")), leeFichero(log.Filename));
        log.CopyLogTo(modulo.filePath("no/existe/copia.log")); // ignored
        QFile::remove(log.Filename);
        log.CopyLogTo(modulo.filePath("copia.log"));
        QCOMPARE(leeFichero(modulo.filePath("copia.log")), QByteArray());
    }

    void textosDeErroresDelSistema_data() {
        QTest::addColumn<int>("numero");
        QTest::addColumn<QString>("texto");
        QTest::newRow("2") << 2 << "File Not Found";
        QTest::newRow("33") << 33 << "File In Use";
        QTest::newRow("112") << 112 << "Disk Full";
        QTest::newRow("1393") << 1393 << "Corrupt File Or Disk";
        QTest::newRow("1358") << 1358 << "Corrupt Registry";
        QTest::newRow("1151") << 1151 << "Not A Windows Or MSDos Program";
        QTest::newRow("otro") << 4 << "General Failure";
    }
    void textosDeErroresDelSistema() {
        QFETCH(int, numero);
        QTEST(TDLogFile::textoErrorSistema(numero), "texto");
    }

    void identificadorDeLocale_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("lcid");
        QTest::newRow("es_ES") << QLocale(QLocale::Spanish, QLocale::Spain) << 0x0C0A;
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << 0x0409;
        QTest::newRow("ca_ES") << QLocale(QLocale::Catalan, QLocale::Spain) << 0x0403;
        QTest::newRow("C") << QLocale::c() << 0x007F;
        QTest::newRow("desconocido") << QLocale(QLocale::Swahili, QLocale::Kenya) << 0x0000;
    }
    void identificadorDeLocale() {
        QFETCH(QLocale, locale);
        QTEST(lcidDeLocale(locale), "lcid");
    }
};

QTEST_MAIN(TstTDLogFile)
#include "tst_TDLogFile.moc"
