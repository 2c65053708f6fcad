// The activity record: each act of the data module that changes what reaches
// the bank or what the history holds leaves one row with the user and the
// computer; acts that fail leave none; the list filters by act and dates,
// newest first; rows cannot be changed or deleted.
#include "AlmacenHistorico.h"
#include "AlmacenLibrados.h"
#include "AlmacenRemesas.h"
#include "DatosPrueba.h"
#include "DefinicionTablas.h"
#include "DetallesActividad.h"
#include "FalloOperacion.h"
#include "InstalacionPrueba.h"
#include "RegistroActividad.h"
#include "TablasInstalacion.h"

#include <QtTest>

namespace {

QList<tFilaActividad> filas(const InstalacionPrueba& p, const tFiltroActividad& filtro = {}) {
    return TRegistroActividad(p.inst.dirs).lista(filtro);
}

QStringList actos(const QList<tFilaActividad>& lista) {
    QStringList a;
    for (const tFilaActividad& f : lista)
        a << f.acto;
    return a;
}

// A row of an earlier day, as the store would have written it then.
void filaDelDia(const InstalacionPrueba& p, int clave, const QString& fechaHora,
                const QString& acto) {
    ejecutaEn(TRegistroActividad(p.inst.dirs).ruta(),
              "INSERT INTO Actividad (Pk_Actividad, FechaHora, Usuario, Equipo, Acto, Detalle) "
              "VALUES (?, ?, 'ana', 'caja1', ?, '')",
              {clave, fechaHora, acto});
}

} // namespace

class TstRegistroActividad : public QObject {
    Q_OBJECT
private slots:
    void actosDelModuloDeDatos() {
        InstalacionPrueba p;
        QVERIFY(filas(p).isEmpty()); // nothing yet, not even the table
        // A remittance with one cheque, and a drawer with one in remittance 1.
        tRemesas segunda;
        segunda.Nombre_Remesa = "SEGUNDA";
        p.dm->remesas().GuardaRegistroRemesa(segunda);
        ejecutaEn(p.inst.rutaTablaTalones(2),
                  "INSERT INTO Talones (Pk_Talon, Numero, Cuenta, fk_Clientes, fk_Remesa) "
                  "VALUES (1, '1111111-1', 'C1', 0, 2)");
        ejecutaEn(p.dm->instalacion().rutaDeudores(),
                  "INSERT INTO Deudores (Pk_Cliente, Nombre_Cliente, "
                  "Cuenta) VALUES (4, 'PEREZ', 'C4')");
        ejecutaEn(p.dm->instalacion().rutaTalonesEstandar(),
                  "INSERT INTO Talones (Pk_Talon, Numero, Cuenta, fk_Clientes, fk_Remesa) "
                  "VALUES (1, '2222222-2', 'C4', 4, 1), (2, '3333333-3', 'C4', 4, 1)");
        ejecutaEn(p.dm->instalacion().rutaHistoricoCheques(),
                  "INSERT INTO historicoCheques (Pk_HistoricoRecibos, Numero, Numero_Modelo, "
                  "Cuenta, Importe, Nombre_Cliente, Nombre_Cons) VALUES (7, '1234567-1', "
                  "'4201-1', '00491500051234567892', '1.000,00', 'GARCIA', 'CONS.0003')");

        p.dm->remesas().EliminaRemesa(2);
        p.dm->librados().EliminaBeneficiarios({4});
        p.dm->historico().EliminaregistroHistorico(7);
        anotaActividad(p.inst, p.iu, ActoActividad::RestauracionCopia, "copia del 01/03/2025");
        tEscaner antes;
        tEscaner despues = antes;
        anotaCambioEscaner(p.inst, p.iu, antes, despues); // nothing changed: no row
        despues.tipo = 2;
        despues.texto = "ABONO";
        anotaCambioEscaner(p.inst, p.iu, antes, despues);
        QVERIFY(p.iu.mensajes.isEmpty());

        const QList<tFilaActividad> lista = filas(p);
        QCOMPARE(actos(lista),
                 (QStringList{ActoActividad::ConfiguracionEscaner, ActoActividad::RestauracionCopia,
                              ActoActividad::AnulacionCheque, ActoActividad::BorradoLibrados,
                              ActoActividad::BorradoRemesa}));
        for (const tFilaActividad& f : lista) {
            QCOMPARE(f.usuario, TRegistroActividad::usuarioSistema());
            QCOMPARE(f.equipo, TRegistroActividad::nombreEquipo());
            QVERIFY(f.fechaHora.secsTo(QDateTime::currentDateTime()) < 60);
        }
        QVERIFY(!TRegistroActividad::nombreEquipo().isEmpty());
        QCOMPARE(lista[0].detalle, "tipo de lector: 0 -> 2; texto: \"\" -> \"ABONO\"");
        QCOMPARE(lista[1].detalle, "copia del 01/03/2025");
        QCOMPARE(lista[2].detalle, "cheque 1234567-1, modelo 4201-1, cuenta "
                                   "00491500051234567892, 1.000,00 euros, librado GARCIA, "
                                   "emisión CONS.0003");
        QCOMPARE(lista[3].detalle, "PEREZ (cuenta C4) con 2 cheques");
        QCOMPARE(lista[4].detalle, "remesa SEGUNDA (clave 2) con 1 cheque");
    }

    // An act that does not happen leaves no row.
    void actoFallidoSinFila() {
        InstalacionPrueba p;
        ejecutaEn(p.dm->instalacion().rutaHistoricoCheques(),
                  "INSERT INTO historicoCheques (Pk_HistoricoRecibos, Numero) VALUES (1, '1')");
        {
            motor::Conexion otro(p.dm->instalacion().rutaHistoricoCheques());
            motor::Transaccion bloqueo(otro);
            QVERIFY(bloqueo.iniciada());
            QCOMPARE(motor::ejecutaSql(otro, "DELETE FROM historicoCheques"), QString());
            QVERIFY(!falloDe([&] { p.dm->historico().EliminaregistroHistorico(1); }).isEmpty());
        }
        QVERIFY(filas(p).isEmpty());
    }

    void filtroPorActoYFechas_data() {
        QTest::addColumn<QString>("acto");
        QTest::addColumn<QDate>("desde");
        QTest::addColumn<QDate>("hasta");
        QTest::addColumn<QList<int>>("dias"); // the days of the rows listed, in order
        const QString emision = ActoActividad::Emision;
        QTest::newRow("todo") << QString() << QDate() << QDate() << QList<int>{20, 15, 10, 1};
        QTest::newRow("un acto") << emision << QDate() << QDate() << QList<int>{20, 10};
        QTest::newRow("desde") << QString() << QDate(2001, 3, 10) << QDate()
                               << QList<int>{20, 15, 10};
        QTest::newRow("hasta, el día entero")
            << QString() << QDate() << QDate(2001, 3, 15) << QList<int>{15, 10, 1};
        QTest::newRow("acto y fechas")
            << emision << QDate(2001, 3, 11) << QDate(2001, 3, 31) << QList<int>{20};
        QTest::newRow("un solo día")
            << QString() << QDate(2001, 3, 15) << QDate(2001, 3, 15) << QList<int>{15};
        QTest::newRow("nada") << ActoActividad::BorradoRemesa << QDate() << QDate() << QList<int>{};
    }
    void filtroPorActoYFechas() {
        QFETCH(QString, acto);
        QFETCH(QDate, desde);
        QFETCH(QDate, hasta);
        QFETCH(QList<int>, dias);
        InstalacionPrueba p;
        TRegistroActividad(p.inst.dirs).anota(ActoActividad::Emision, "hoy");
        filaDelDia(p, 2, "2001-03-10 09:00:00", ActoActividad::Emision);
        filaDelDia(p, 3, "2001-03-01 00:00:00", ActoActividad::AnulacionCheque);
        filaDelDia(p, 4, "2001-03-20 18:30:00", ActoActividad::Emision);
        filaDelDia(p, 5, "2001-03-15 23:59:59", ActoActividad::BorradoLibrados);
        // Today's row is outside every range but the open one.
        QList<int> vistos;
        for (const tFilaActividad& f : filas(p, {acto, desde, hasta}))
            if (f.fechaHora.date().year() == 2001 && f.fechaHora.date().month() == 3)
                vistos << f.fechaHora.date().day();
        QCOMPARE(vistos, dias);
    }

    // Rows are only ever added: the table itself refuses the rest.
    void soloSeAnaden() {
        InstalacionPrueba p;
        TRegistroActividad registro(p.inst.dirs);
        registro.anota(ActoActividad::Emision, "CONS.0001");
        motor::Conexion con(registro.ruta());
        QVERIFY(!motor::ejecutaSql(con, "DELETE FROM Actividad").isEmpty());
        QVERIFY(!motor::ejecutaSql(con, "UPDATE Actividad SET Usuario = 'otro'").isEmpty());
        QCOMPARE(filas(p).size(), 1);
        QCOMPARE(filas(p)[0].usuario, TRegistroActividad::usuarioSistema());
    }
};

QTEST_GUILESS_MAIN(TstRegistroActividad)
#include "tst_registro_actividad.moc"
