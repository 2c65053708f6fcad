// The files of an emission, byte for byte against examples written by hand:
// presentation file, covering letter, detailed report; the emission number,
// the amount forms and the bank settings they use.
#include "ConfiguracionBanco.h"
#include "ErrorOperacion.h"
#include "FicheroPresentacion.h"
#include "FicherosPrueba.h"
#include "InformesEmision.h"
#include "TalonBanco.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray referencia(const QString& nombre) {
    const QString ruta = QFINDTESTDATA("golden/" + nombre);
    return bytesDe(ruta);
}

QStringList lineasCp1252(const QString& ruta) {
    const QByteArray b = bytesDe(ruta);
    QStringDecoder cp1252("windows-1252");
    QStringList l = QString(cp1252.decode(b)).split(QStringLiteral("\r\n"));
    if (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    return l;
}

// The presenter as the emission hands it over: its NIF already followed by
// the blank.
tOrdenantes presentador(const QString& nif = QStringLiteral("B12345678 ")) {
    tOrdenantes o;
    o.Pk_Ordenante = 1;
    o.Nif_Sufijo = nif;
    o.Nombre_ordenante = QStringLiteral("TALLERES PEÑA E HIJOS, S.L.");
    o.Cuenta = QStringLiteral("ES9121000418450200051332");
    return o;
}

tRemesas remesaEmitida(const QString& talones, const QString& importe) {
    tRemesas r;
    r.Pk_Remesa = 1;
    r.Nombre_Remesa = QStringLiteral("ESTANDAR");
    r.nombre_Cons = QStringLiteral("CONS.0001");
    r.Fecha_Confeccion = QStringLiteral("05/03/2025");
    r.Fecha_Proceso = QStringLiteral("10/03/2025");
    r.Nombre_Ordenante = QStringLiteral("TALLERES PEÑA E HIJOS, S.L.");
    r.Nif = QStringLiteral("B12345678 ");
    r.Cuenta_Acreedor = QStringLiteral("ES9121000418450200051332");
    r.Importe = importe;
    r.Numero_Talones = talones;
    return r;
}

} // namespace

class TstFicherosEmision : public QObject {
    Q_OBJECT
private slots:
    void ficheroPresentacionComoElEjemplo() {
        QTemporaryDir dir;
        const QString cons = dir.path() + u'/';
        const tOrdenantes o = presentador();
        const tRemesas r = remesaEmitida("3", "30,55");
        escribeCabeceraFichero(cons, o, "CONS.0001", "05/03/2025", "10/03/2025");
        // A cheque, a promissory note to bearer ("N") and one to order ("S")
        // without a date.
        const tTalon cheque =
            talonBanco("1234567-8", "4201-5", "00491500051234567892", "10,00", "15/02/2025", 0);
        const tTalon alPortador =
            talonBanco("7654321-0", "8200-3", "21000418450200051332", "20,50", "28/02/2025", 1);
        const tTalon aLaOrden =
            talonBanco("0000123-4", "8200-3", "01822370420201234567", "0,05", "", 0);
        for (const tTalon* t : {&cheque, &alPortador, &aLaOrden})
            escribeRegistroTalon(cons, o, *t, r);
        escribeTotalesFichero(cons, "CONS.0001", 4, 3, o.Nif_Sufijo, 3055);

        QCOMPARE(bytesDe(cons + "CONS.0001"), referencia("CONS.0001"));
    }

    void nifDeOtraLongitudDesplazaElResto() {
        QTemporaryDir dir;
        const QString cons = dir.path() + u'/';
        const tOrdenantes o = presentador("X1234567LA ");
        escribeCabeceraFichero(cons, o, "CONS.0001", "05/03/2025", "10/03/2025");
        const QStringList l = lineasCp1252(cons + "CONS.0001");
        QCOMPARE(l.size(), 1);
        QCOMPARE(l[0].size(), 151);
        QCOMPARE(l[0].mid(4, 11), QStringLiteral("X1234567LA "));
        QCOMPARE(l[0].mid(30, 12), QStringLiteral("050325100325"));
    }

    // An IBAN stored in groups gives the same header as one stored whole.
    void ibanConBlancos() {
        QTemporaryDir dir;
        const QString cons = dir.path() + u'/';
        tOrdenantes o = presentador();
        o.Cuenta = QStringLiteral("ES91 2100 0418 4502 0005 1332");
        escribeCabeceraFichero(cons, o, "CONS.0001", "05/03/2025", "10/03/2025");
        QCOMPARE(bytesDe(cons + "CONS.0001"), referencia("CONS.0001").left(152));
    }

    void registroSinCabeceraEsUnError() {
        QTemporaryDir dir;
        const QString cons = dir.path() + u'/';
        tRemesas r = remesaEmitida("1", "1,00");
        tTalon t = talonBanco("1234567-8", "4201-5", "00491500051234567892", "1,00", "", 0);
        QVERIFY_THROWS_EXCEPTION(TErrorOperacion, escribeRegistroTalon(cons, presentador(), t, r));
        QVERIFY(!QFile::exists(cons + "CONS.0001"));
    }

    // The amount field (position 64) holds the cents, whatever their width.
    void importeDelRegistro_data() {
        QTest::addColumn<qint64>("centimos");
        QTest::addColumn<QString>("campo");
        QTest::newRow("cinco centimos") << qint64(5) << "0000000000005";
        QTest::newRow("miles") << qint64(123456) << "0000000123456";
        QTest::newRow("mas ancho no se corta") << qint64(12345678901234) << "12345678901234";
    }
    void importeDelRegistro() {
        QFETCH(qint64, centimos);
        QFETCH(QString, campo);
        tTalon t = talonBanco("1234567-8", "4201-5", "00491500051234567892", "", "", 0);
        t.Importe = tImporte::deCentimos(centimos);
        const QString linea = lineaRegistroTalon(presentador(), t);
        QCOMPARE(linea.mid(63, campo.size()), campo);
        QCOMPARE(linea.size(), 150 + campo.size() - 13);
    }

    void talonSinImporteEsUnError() {
        const tTalon t = talonBanco("1234567-8", "4201-5", "00491500051234567892", "", "", 0);
        QVERIFY_THROWS_EXCEPTION(TErrorOperacion, lineaRegistroTalon(presentador(), t));
    }

    void siguienteNombreCons_data() {
        QTest::addColumn<QStringList>("existentes");
        QTest::addColumn<QString>("numero");
        QTest::newRow("carpeta vacia") << QStringList{} << "0001";
        QTest::newRow("hueco") << QStringList{"CONS.0001", "CONS.0003"} << "0002";
        QTest::newRow("solo cuentan los CONS")
            << QStringList{"INFO.0001", "INFORES.0001", "CONS.0001.zip"} << "0001";
    }
    void siguienteNombreCons() {
        QFETCH(QStringList, existentes);
        QFETCH(QString, numero);
        QTemporaryDir dir;
        for (const QString& f : existentes)
            escribeBytes(dir.filePath(f));
        const tNombreCons n = ::siguienteNombreCons(dir.path() + u'/');
        QCOMPARE(n.numero, numero);
        QCOMPARE(n.fichero, "CONS." + numero);
    }

    void cartaOrdenComoElEjemplo() {
        QTemporaryDir dir;
        const QString ruta = dir.filePath("INFO.0001");
        escribeCartaOrden(ruta, remesaEmitida("3", "1234,56"), "CAJA RURAL DE CASTILLA");
        QCOMPARE(bytesDe(ruta), referencia("INFO.0001"));
    }

    // Letters of Windows-1252 are single bytes; any other character is "?",
    // one for each character, never a control byte.
    void caracteresSinWindows1252() {
        QTemporaryDir dir;
        const QString ruta = dir.filePath("INFO.0001");
        escribeCartaOrden(ruta, remesaEmitida("1", "1,00"),
                          QString::fromUtf8("ŁÓDŹ € \u2013 \U0001F600 \x1a"));
        const QList<QByteArray> lineas = bytesDe(ruta).split('\n');
        // Ł, Ó, D, Ź, the euro sign, an en dash, a face, and a control byte given as such.
        const QByteArray esperada = QByteArray(29, ' ') + "?\xd3" + "D? \x80 \x96 ? \x1a\r";
        QCOMPARE(lineas.value(15), esperada);
    }

    void informeDetalladoComoElEjemplo() {
        QTemporaryDir dir;
        const QString ruta = dir.filePath("INFORES.0001");
        const tRemesas r = remesaEmitida("3", "1234,56");
        escribeCabeceraInforme(ruta, r);
        tTalon cheque =
            talonBanco("1234567-1", "4201-1", "00491500051234567892", "1.000,00", "", 0);
        cheque.Modelo_Talon = "CHEQUE CUENTA CORRIENTE";
        cheque.Nombre_Cliente = "D'ANGELO GARCÍA, JUAN";
        tTalon alPortador =
            talonBanco("7654321-5", "8200-3", "21000418450200051332", "234,51", "28/02/2025", 1);
        alPortador.Modelo_Talon = "PAGARES";
        alPortador.Nombre_Cliente = "FERRETERÍA LÓPEZ";
        tTalon aLaOrden =
            talonBanco("0000123-6", "8200-3", "01822370440201234567", "0,05", "31/03/2025", 0);
        aLaOrden.Modelo_Talon = "PAGARES";
        for (const tTalon& t : {cheque, alPortador, aLaOrden})
            escribeDetalleTalon(ruta, t);
        escribeTotalesInforme(ruta, r);
        QCOMPARE(bytesDe(ruta), referencia("INFORES.0001"));
    }

    // Line 30 of the letter and the last two lines of the report.
    void totalesPorColumnas_data() {
        QTest::addColumn<QString>("talones");
        QTest::addColumn<QString>("importe");
        QTest::addColumn<QString>("lineaCarta");
        QTest::addColumn<QString>("lineaTalones");
        QTest::addColumn<QString>("lineaImporte");
        QTest::newRow("un millon") << "1"
                                   << "1000000,00"
                                   << QString(23, ' ') + "1" + QString(18, ' ') + "1.000.000,00" +
                                          QString(9, ' ') + "10/03/2025"
                                   << "Número de Talones:   1"
                                   << "Importe Total:    1.000.000,00";
        QTest::newRow("mil cheques") << "1000"
                                     << "0,05"
                                     << QString(20, ' ') + "1000" + QString(26, ' ') + "0,05" +
                                            QString(9, ' ') + "10/03/2025"
                                     << "Número de Talones: 1000"
                                     << "Importe Total:            0,05";
        QTest::newRow("cero") << "2"
                              << "0,00"
                              << QString(23, ' ') + "2" + QString(26, ' ') + "Zero" +
                                     QString(9, ' ') + "10/03/2025"
                              << "Número de Talones:   2"
                              << "Importe Total:            Zero";
    }
    void totalesPorColumnas() {
        QFETCH(QString, talones);
        QFETCH(QString, importe);
        QTemporaryDir dir;
        const tRemesas r = remesaEmitida(talones, importe);
        escribeCartaOrden(dir.filePath("INFO"), r, "BANCO");
        QTEST(lineasCp1252(dir.filePath("INFO")).value(29), "lineaCarta");
        escribeCabeceraInforme(dir.filePath("INFORES"), r);
        escribeTotalesInforme(dir.filePath("INFORES"), r);
        const QStringList informe = lineasCp1252(dir.filePath("INFORES"));
        QTEST(informe.value(informe.size() - 2), "lineaTalones");
        QTEST(informe.value(informe.size() - 1), "lineaImporte");
    }

    void importeInforme_data() {
        QTest::addColumn<QString>("plano");
        QTest::addColumn<QString>("informe");
        QTest::newRow("miles") << "1234,56"
                               << "1.234,56";
        QTest::newRow("millon") << "1000000,00"
                                << "1.000.000,00";
        QTest::newRow("centimos") << "0,05"
                                  << "0,05";
        QTest::newRow("cero") << "0,00"
                              << "Zero";
        QTest::newRow("sin decimales") << "7"
                                       << "7,00";
        QTest::newRow("un decimal") << "12,5"
                                    << "12,50";
        QTest::newRow("redondeo") << "0,005"
                                  << "0,01";
        QTest::newRow("negativo") << "-1234,5"
                                  << "-1.234,50";
    }
    void importeInforme() {
        QFETCH(QString, plano);
        QTEST(::importeInforme(plano), "informe");
    }

    void importeInformeIlegible_data() {
        QTest::addColumn<QString>("plano");
        QTest::newRow("vacio") << "";
        QTest::newRow("letras") << "abc";
        QTest::newRow("punto de miles") << "1.234,56";
    }
    void importeInformeIlegible() {
        QFETCH(QString, plano);
        QVERIFY_THROWS_EXCEPTION(TErrorOperacion, ::importeInforme(plano));
    }

    void bancoDeConfigIni_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("web");
        QTest::newRow("sin fichero")
            << QByteArray() << ConfiguracionBanco::NombrePorDefecto << QString();
        QTest::newRow("sin seccion") << QByteArray("[ESCANER]\r\nTipo=1\r\n")
                                     << ConfiguracionBanco::NombrePorDefecto << QString();
        QTest::newRow("con seccion")
            << QByteArray("[ESCANER]\r\nTipo=1\r\n[BANCO]\r\nNombre=CAJA DE ESPA\xc3\x91"
                          "A \r\nWeb=  https://banco.example/remesas  \r\n")
            << "CAJA DE ESPAÑA"
            << "https://banco.example/remesas";
        // A comma, a semicolon or a backslash is part of the value, not a
        // list, a comment or an escape.
        QTest::newRow("comas y punto y coma")
            << QByteArray("[banco]\r\nnombre=CAJA RURAL DE CASTILLA, S.C.C.\r\n"
                          "WEB=https://banco.example/envio;sesion=1?a=1,2\r\n")
            << "CAJA RURAL DE CASTILLA, S.C.C."
            << "https://banco.example/envio;sesion=1?a=1,2";
        QTest::newRow("entre comillas y barra")
            << QByteArray("[BANCO]\r\nNombre= \"BANCO \\ SUR, S.A.\" \r\n") << "BANCO \\ SUR, S.A."
            << QString();
        QTest::newRow("windows-1252") << QByteArray("[BANCO]\r\nNombre=CAJA DE ESPA\xd1"
                                                    "A\r\n")
                                      << "CAJA DE ESPAÑA" << QString();
        QTest::newRow("clave vacia") << QByteArray("[BANCO]\r\nNombre=\r\n")
                                     << ConfiguracionBanco::NombrePorDefecto << QString();
    }
    void bancoDeConfigIni() {
        QFETCH(QByteArray, ini);
        QTemporaryDir dir;
        const tInstalacion inst = calculaInstalacion(dir.path());
        if (!ini.isEmpty()) {
            QVERIFY(QDir().mkpath(inst.dirs.Dir_Pub));
            QFile f(inst.ficheros.ficheroConfiguracion);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(ini);
        }
        const tConfiguracionBanco banco = leeConfiguracionBanco(inst);
        QTEST(banco.Nombre, "nombre");
        QTEST(banco.Web, "web");
    }
};

QTEST_GUILESS_MAIN(TstFicherosEmision)
#include "tst_ficheros_emision.moc"
