// The history search and the history table's failures: which rows each
// criterion lists, in which order, and what a hostile or broken input does.
#include "AlmacenHistorico.h"
#include "BusquedaHistorico.h"
#include "FalloOperacion.h"
#include "InstalacionPrueba.h"
#include "TqryHistorico.h"

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

namespace {

// One history row: key, drawer name, drawer account, cheque number, display
// amount, cents, confection date, presenter name.
struct tFila {
    int pk;
    QVariant nombre;
    QString cuenta;
    QString numero;
    QString importe;
    qint64 imp;
    QString fechaConfeccion;
    QString ordenante;
};

// Inserted out of key order: the result must keep the table's order.
const QList<tFila> filas = {
    {7, "GARCIA LOPEZ", "00491500051234567890", "1234567-1", "1.000,00", 100000, "01/02/2025",
     "EMPRESA UNO"},
    {2, "MIGARCA SL", "00491500051234567891", "2345678-2", "2.000,00", 200000, "15/02/2025",
     "EMPRESA DOS"},
    {5, "PEREZ", "00491500051234567892", "3456789-3", "15,50", 1550, "10/03/2024", "PENA SA"},
    {1, QVariant(), "", "4567890-4", "115,50", 11550, "31/01/2025", "EMPRESA UNO"},
    {9, "50% DTO", "00491500051234567894", "5678901-5", "999,99", 99999, "16/02/2025", ""},
    {3, "50X DTO", "00491500051234567895", "6789012-6", "2.000,01", 200001, "05/02/2025", ""},
    {4, "A_B O'NEIL \"X\" C:\\D -- E", "00491500051234567896", "7890123-0", "12,00", 1200,
     "xx/yy/zzzz", ""},
    {6, "AXB", "00491500051234567897", "8901234-1", "1,00", 100, "", ""},
    // Names as the cheque editor stores them, and as drawer maintenance
    // leaves them (accents folded, symbols turned into "?").
    {10, "GARCÉS RUIZ", "", "", "", 0, "", ""},
    {11, "Peña Muñoz", "", "", "", 0, "", ""},
    {12, "PENA GIL", "", "", "", 0, "", ""},
    {13, "D'ORS PONS", "", "", "", 0, "", ""},
    {14, "D ORS SL", "", "", "", 0, "", ""},
    {15, "DESCUENTO 100% SL", "", "", "", 0, "", ""},
    {16, "DESCUENTO 100? SL", "", "", "", 0, "", ""},
    {17, "LOPEZ_RUIZ", "", "", "", 0, "", ""},
    {18, "LOPEZXRUIZ", "", "", "", 0, "", ""},
    {19, "A&B [C]", "", "", "", 0, "", ""},
};

void llenaHistorico(TdmBBDD& dm) {
    motor::Conexion con(dm.instalacion().rutaHistoricoCheques());
    motor::Transaccion tr(con);
    for (const tFila& f : filas)
        QCOMPARE(motor::ejecutaSql(con,
                                   "INSERT INTO historicoCheques (Pk_HistoricoRecibos, "
                                   "Nombre_Cliente, Cuenta, Numero, Importe, imp, "
                                   "Fecha_Confeccion, Nombre_Ordenante) "
                                   "VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                                   {f.pk, f.nombre, f.cuenta, f.numero, f.importe, f.imp,
                                    f.fechaConfeccion, f.ordenante}),
                 QString());
    QVERIFY(tr.confirma());
}

QList<int> clavesListadas(TdmBBDD& dm) {
    TqryHistorico& q = dm.historico().qryHistorico();
    q.terminaRecuento();
    QList<int> claves;
    for (int i = 0; i < q.rowCount(); ++i)
        claves << q.texto(i, ColumnasHistorico::Pk_HistoricoRecibos).toInt();
    return claves;
}

} // namespace

class TstHistorico : public QObject {
    Q_OBJECT
private slots:
    void busqueda_data() {
        QTest::addColumn<QString>("librado");
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("desde");
        QTest::addColumn<QString>("hasta");
        QTest::addColumn<QDate>("fechaDesde"); // no date criterion when null
        QTest::addColumn<QDate>("fechaHasta");
        QTest::addColumn<QList<int>>("claves");
        const QDate nula;
        const QList<int> todas = {7, 2, 5, 1, 9, 3, 4, 6, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
        QTest::newRow("all empty, NULL name too") << ""
                                                  << ""
                                                  << ""
                                                  << "" << nula << nula << todas;
        QTest::newRow("untouched amounts") << ""
                                           << ""
                                           << "0,00"
                                           << "0,00" << nula << nula << todas;
        QTest::newRow("GARC") << "GARC"
                              << ""
                              << ""
                              << "" << nula << nula << QList<int>{7, 2, 10};
        QTest::newRow("lower case") << "garc"
                                    << ""
                                    << ""
                                    << "" << nula << nula << QList<int>{7, 2, 10};
        QTest::newRow("range both ends included") << ""
                                                  << ""
                                                  << "1.000,00"
                                                  << "2.000,00" << nula << nula << QList<int>{7, 2};
        QTest::newRow("Desde alone is contained") << ""
                                                  << ""
                                                  << "15,50"
                                                  << "" << nula << nula << QList<int>{5, 1};
        QTest::newRow("Desde with Hasta 0,00 is contained")
            << ""
            << ""
            << "15,50"
            << "0,00" << nula << nula << QList<int>{5, 1};
        QTest::newRow("fortnight, not 10/03/2024 nor bad dates")
            << ""
            << ""
            << ""
            << "" << QDate(2025, 2, 1) << QDate(2025, 2, 15) << QList<int>{7, 2, 3};
        QTest::newRow("% is itself") << "%"
                                     << ""
                                     << ""
                                     << "" << nula << nula << QList<int>{9, 15};
        QTest::newRow("_ is itself") << "A_B"
                                     << ""
                                     << ""
                                     << "" << nula << nula << QList<int>{4};
        QTest::newRow("100% is not 100?") << "100%"
                                          << ""
                                          << ""
                                          << "" << nula << nula << QList<int>{15};
        QTest::newRow("LOPEZ_RUIZ is not LOPEZXRUIZ") << "LOPEZ_RUIZ"
                                                      << ""
                                                      << ""
                                                      << "" << nula << nula << QList<int>{17};
        QTest::newRow("GARCÉS as typed") << "GARCÉS"
                                         << ""
                                         << ""
                                         << "" << nula << nula << QList<int>{10};
        QTest::newRow("GARCES without the accent") << "garces"
                                                   << ""
                                                   << ""
                                                   << "" << nula << nula << QList<int>{10};
        QTest::newRow("PEÑA finds Peña and PENA") << "PEÑA"
                                                  << ""
                                                  << ""
                                                  << "" << nula << nula << QList<int>{11, 12};
        QTest::newRow("MUÑOZ in small letters") << "muñoz"
                                                << ""
                                                << ""
                                                << "" << nula << nula << QList<int>{11};
        QTest::newRow("D'ORS finds D ORS too") << "D'ORS"
                                               << ""
                                               << ""
                                               << "" << nula << nula << QList<int>{13, 14};
        QTest::newRow("symbols as maintenance stores them") << "A?B [C]"
                                                            << ""
                                                            << ""
                                                            << "" << nula << nula << QList<int>{19};
        QTest::newRow("* is a symbol like the others, no wildcard")
            << "*"
            << ""
            << ""
            << "" << nula << nula << QList<int>{4, 16, 19};
        QTest::newRow("quote, apostrophe, backslash, dashes")
            << "O'NEIL \"X\" C:\\D -- E"
            << ""
            << ""
            << "" << nula << nula << QList<int>{4};
        QTest::newRow("statement text as criterion") << "' OR 1=1 --"
                                                     << ""
                                                     << ""
                                                     << "" << nula << nula << QList<int>{};
        QTest::newRow("10 KB of text") << QString(10240, u'A') << ""
                                       << ""
                                       << "" << nula << nula << QList<int>{};
        QTest::newRow("number fragment and amount") << ""
                                                    << "-1"
                                                    << "1.000"
                                                    << "" << nula << nula << QList<int>{7};
        QTest::newRow("amount that is no amount is looked for as it is")
            << ""
            << ""
            << "1,000,00"
            << "" << nula << nula << QList<int>{};
    }
    void busqueda() {
        QFETCH(QString, librado);
        QFETCH(QString, numero);
        QFETCH(QString, desde);
        QFETCH(QString, hasta);
        QFETCH(QDate, fechaDesde);
        QFETCH(QDate, fechaHasta);
        InstalacionPrueba p;
        llenaHistorico(*p.dm);
        tCriteriosHistorico c;
        c.datos.beneficiario.Nombre_Cliente = librado;
        c.datos.talon.Numero = numero;
        c.importeDesde = desde;
        c.importeHasta = hasta;
        c.conFechaConfeccion = fechaDesde.isValid();
        c.confeccionDesde = fechaDesde;
        c.confeccionHasta = fechaHasta;
        const tConsultaHistorico consulta = consultaBusquedaHistorico(c);
        // Criteria never reach the statement's text.
        if (!librado.isEmpty())
            QVERIFY(!consulta.sql.contains(librado));
        p.dm->historico().CargaHistoricoDeTalones(consulta);
        QCOMPARE(p.iu.mensajes, QStringList{});
        QTEST(clavesListadas(*p.dm), "claves");
    }

    void columnasCalculadas_data() {
        QTest::addColumn<QString>("modelo");
        QTest::addColumn<int>("indicador");
        QTest::addColumn<QString>("indicadorStr");
        QTest::newRow("promissory note, not to bearer") << "8001-5" << 0 << "SI";
        QTest::newRow("promissory note to bearer") << "8001-5" << 1 << "NO";
        QTest::newRow("cheque 4200") << "4200-0" << 0 << "";
        QTest::newRow("cheque 4200 with indicador 1") << "4200-0" << 1 << "";
    }
    void columnasCalculadas() {
        QFETCH(QString, modelo);
        QFETCH(int, indicador);
        InstalacionPrueba p;
        {
            motor::Conexion con(p.dm->instalacion().rutaHistoricoCheques());
            motor::ejecutaSql(con,
                              "INSERT INTO historicoCheques (Pk_HistoricoRecibos, Importe, "
                              "Numero_Modelo, indicador) VALUES (1, '1234,5', ?, ?)",
                              {modelo, indicador});
        }
        p.dm->historico().CargaHistoricoDeTalones(consultaBusquedaHistorico({}));
        const TqryHistorico& q = p.dm->historico().qryHistorico();
        QCOMPARE(q.rowCount(), 1);
        QCOMPARE(q.headerData(ColumnasHistorico::ImporteCal, Qt::Horizontal).toString(),
                 QStringLiteral("ImporteCal"));
        QCOMPARE(q.headerData(ColumnasHistorico::indicadorStr, Qt::Horizontal).toString(),
                 QStringLiteral("indicadorStr"));
        QCOMPARE(q.index(0, ColumnasHistorico::ImporteCal).data().toString(),
                 QStringLiteral("1.234,50"));
        QTEST(q.index(0, ColumnasHistorico::indicadorStr).data().toString(), "indicadorStr");
    }

    // An annulment the engine refuses fails with its message, and the open
    // search is run again, so the grid goes on listing the row that stayed.
    void anulacionFallidaDejaLaBusquedaAbierta() {
        InstalacionPrueba p;
        const QString ruta = p.dm->instalacion().rutaHistoricoCheques();
        {
            motor::Conexion con(ruta);
            QCOMPARE(motor::ejecutaSql(con, "INSERT INTO historicoCheques (Pk_HistoricoRecibos, "
                                            "Numero) VALUES (1, '1')"),
                     QString());
        }
        p.dm->historico().CargaHistoricoDeTalones(consultaBusquedaHistorico({}));
        {
            motor::Conexion otro(ruta);
            motor::Transaccion bloqueo(otro);
            QCOMPARE(motor::ejecutaSql(otro, "DELETE FROM historicoCheques"), QString());
            QVERIFY(!falloDe([&] { p.dm->historico().EliminaregistroHistorico(1); }).isEmpty());
        }
        const TqryHistorico& q = p.dm->historico().qryHistorico();
        QVERIFY(q.abierta());
        QCOMPARE(q.rowCount(), 1);
        QCOMPARE(q.texto(0, ColumnasHistorico::Pk_HistoricoRecibos), "1");
        QCOMPARE(p.iu.mensajes, QStringList{});
    }

    // A result far larger than the blocks kept, over table rows with gaps:
    // every row reads back as the engine lists it, in any order of reading,
    // once the count has run by itself from the timer.
    void resultadoGrandeLeidoPorPartes() {
        InstalacionPrueba p;
        {
            motor::Conexion con(p.dm->instalacion().rutaHistoricoCheques());
            QCOMPARE(motor::ejecutaSql(
                         con, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                              "WHERE i < 40000) INSERT INTO historicoCheques "
                              "(Pk_HistoricoRecibos, Nombre_Cliente) SELECT i, CASE WHEN i % 3 "
                              "= 0 THEN 'GARCÍA ' || i ELSE 'LIBRADO ' || i END FROM n"),
                     QString());
            QCOMPARE(motor::ejecutaSql(con, "DELETE FROM historicoCheques WHERE "
                                            "Pk_HistoricoRecibos BETWEEN 9000 AND 21000"),
                     QString());
        }
        QList<int> esperadas;
        for (const QStringList& f :
             filasDe(p.dm->instalacion().rutaHistoricoCheques(),
                     "SELECT Pk_HistoricoRecibos FROM historicoCheques WHERE Nombre_Cliente LIKE "
                     "'GARC%' ORDER BY rowid"))
            esperadas << f.first().toInt();
        QCOMPARE(esperadas.size(), 9332);

        tCriteriosHistorico c;
        c.datos.beneficiario.Nombre_Cliente = "GARCIA";
        p.dm->historico().CargaHistoricoDeTalones(consultaBusquedaHistorico(c));
        TqryHistorico& q = p.dm->historico().qryHistorico();
        QCOMPARE(q.rowCount(), TqryHistorico::FilasPorBloque);
        QVERIFY(!q.contada());
        QSignalSpy insertadas(&q, &QAbstractItemModel::rowsInserted);
        QTRY_VERIFY(q.contada());
        QVERIFY(!insertadas.isEmpty());
        QCOMPARE(q.rowCount(), esperadas.size());

        QList<int> orden;
        for (int i = 0; i < esperadas.size(); i += 7)
            orden << i;
        for (int i = esperadas.size() - 1; i >= 0; i -= 5)
            orden << i;
        orden << esperadas.size() - 1 << 0 << 4321 << 256 << 255;
        for (int fila : std::as_const(orden))
            QCOMPARE(q.texto(fila, ColumnasHistorico::Pk_HistoricoRecibos).toInt(),
                     esperadas[fila]);
        QCOMPARE(q.index(esperadas.size() - 1, ColumnasHistorico::Nombre_Cliente).data(),
                 QVariant("GARCÍA 39999"));
        QCOMPARE(p.iu.mensajes, QStringList{});
    }

    // Finishing the count at once (the grid's Ctrl+End) shows the wait
    // window only when much of the table is left to go through.
    void recuentoInmediato_data() {
        QTest::addColumn<qint64>("ultimaFila"); // the row number of the table's last row
        QTest::addColumn<int>("esperas");
        QTest::newRow("a short table") << qint64(1000) << 0;
        QTest::newRow("a million rows to go through") << qint64(1000000) << 1;
    }
    void recuentoInmediato() {
        QFETCH(qint64, ultimaFila);
        InstalacionPrueba p;
        {
            motor::Conexion con(p.dm->instalacion().rutaHistoricoCheques());
            QCOMPARE(motor::ejecutaSql(
                         con, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                              "WHERE i < 300) INSERT INTO historicoCheques "
                              "(Pk_HistoricoRecibos) SELECT i FROM n"),
                     QString());
            QCOMPARE(motor::ejecutaSql(con,
                                       "INSERT INTO historicoCheques (rowid, "
                                       "Pk_HistoricoRecibos) VALUES (?, 301)",
                                       {ultimaFila}),
                     QString());
        }
        p.dm->historico().CargaHistoricoDeTalones(consultaBusquedaHistorico({}));
        QVERIFY(!p.dm->historico().qryHistorico().contada());
        p.dm->historico().TerminaRecuentoHistorico();
        QVERIFY(p.dm->historico().qryHistorico().contada());
        QCOMPARE(p.dm->historico().qryHistorico().rowCount(), 301);
        QCOMPARE(
            p.dm->historico().qryHistorico().texto(300, ColumnasHistorico::Pk_HistoricoRecibos),
            "301");
        QTEST(p.iu.vecesMostrada, "esperas");
        QCOMPARE(p.iu.vecesOcultada, p.iu.vecesMostrada);
    }

    void tablaRotaFallaConSuMensajeYNingunaFila_data() {
        QTest::addColumn<QByteArray>("contenido"); // empty: no file at all
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a table file") << QByteArray("esto no es una tabla\n");
    }
    void tablaRotaFallaConSuMensajeYNingunaFila() {
        QFETCH(QByteArray, contenido);
        InstalacionPrueba p;
        llenaHistorico(*p.dm);
        p.dm->historico().CargaHistoricoDeTalones(consultaBusquedaHistorico({}));
        QCOMPARE(p.dm->historico().qryHistorico().rowCount(), filas.size());
        p.dm->historico().CierraHistoricoDeTalones();
        motor::borraTabla(p.dm->instalacion().rutaHistoricoCheques());
        if (!contenido.isEmpty()) {
            QFile f(p.dm->instalacion().rutaHistoricoCheques());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(contenido);
        }
        const QString fallo = falloDe(
            [&] { p.dm->historico().CargaHistoricoDeTalones(consultaBusquedaHistorico({})); });
        QVERIFY(fallo.contains(tablaEnMensaje(p.dm->instalacion().rutaHistoricoCheques())));
        QCOMPARE(p.dm->historico().qryHistorico().rowCount(), 0);
        QVERIFY(!p.dm->historico().qryHistorico().abierta());
    }
};

QTEST_GUILESS_MAIN(TstHistorico)
#include "tst_historico.moc"
