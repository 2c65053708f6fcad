// The one-time upgrade of the cheque history: an old history reaches the
// stored forms, a second run changes nothing, an empty history only gets the
// marker.
#include "ActualizacionHistorico.h"
#include "DatosPrueba.h"
#include "FalloOperacion.h"
#include "FicherosPrueba.h"
#include "InstalacionPrueba.h"

#include <QtTest>

namespace {

// The history table as older installations made it: the model number four
// characters wide, no check digits, no index.
void creaHistoricoAntiguo(const InstalacionPrueba& p) {
    const QString ruta = p.dm->instalacion().rutaHistoricoCheques();
    QVERIFY(motor::borraTabla(ruta));
    motor::Conexion con(ruta, true);
    const QString e = motor::ejecutaSql(
        con, "CREATE TABLE historicoCheques (Pk_HistoricoRecibos INTEGER, Nombre_Remesa "
             "VARCHAR(50), Importe VARCHAR(15), Fecha_Confeccion VARCHAR(10), Fecha_Pago "
             "VARCHAR(10), Nombre_Cons VARCHAR(30), Modelo_Talon VARCHAR(50), Numero_Modelo "
             "VARCHAR(4), Fecha_Talon VARCHAR(10), Numero VARCHAR(20), Nombre_Cliente "
             "VARCHAR(35), Nif_Sufijo VARCHAR(12), Nombre_Ordenante VARCHAR(70), Cuenta_ord "
             "VARCHAR(34), Cuenta VARCHAR(34), imp INTEGER, indicador INTEGER)");
    QVERIFY2(e.isEmpty(), qPrintable(e));
}

void anadeEmitido(const InstalacionPrueba& p, int clave, const QString& modelo,
                  const QString& numero) {
    ejecutaEn(p.dm->instalacion().rutaHistoricoCheques(),
              "INSERT INTO historicoCheques (Pk_HistoricoRecibos, Numero_Modelo, Numero, "
              "Nombre_Cliente, imp) VALUES (?, ?, ?, ?, ?)",
              {clave, modelo, numero, "D'ANGELO", clave * 100});
}

QList<QStringList> emitidos(const InstalacionPrueba& p) {
    return filasDe(p.dm->instalacion().rutaHistoricoCheques(),
                   "SELECT Pk_HistoricoRecibos, Numero_Modelo, Numero, Nombre_Cliente, imp "
                   "FROM historicoCheques ORDER BY rowid");
}

QString definicion(const InstalacionPrueba& p) {
    const auto filas = filasDe(p.dm->instalacion().rutaHistoricoCheques(),
                               "SELECT group_concat(sql, ';') FROM sqlite_master");
    return filas.value(0).value(0);
}

const QByteArray testigo = "IMPORTANTE:   NO BORRAR ESTE FICHERO ES IMPRESCINDIBLE PARA EL "
                           "FUNCIONAMIENTO DE LA APLICACI\xd3N\r\n";

} // namespace

class TstActualizacion : public QObject {
    Q_OBJECT
private slots:
    void historicoAntiguoYSegundaVez() {
        InstalacionPrueba p;
        creaHistoricoAntiguo(p);
        anadeEmitido(p, 1, "4212", "1234567");
        anadeEmitido(p, 2, "4212", "7654321");
        anadeEmitido(p, 3, "9999", "1234567");     // same number, another model
        anadeEmitido(p, 4, "4212-5", "1234567-6"); // already in the stored form

        p.dm->actualizacion().actualizacionUnica();

        const QList<QStringList> esperado{{"1", "4212-5", "1234567-6", "D'ANGELO", "100"},
                                          {"2", "4212-5", "7654321-4", "D'ANGELO", "200"},
                                          {"3", "9999-3", "1234567-0", "D'ANGELO", "300"},
                                          {"4", "4212-5", "1234567-6", "D'ANGELO", "400"}};
        QCOMPARE(emitidos(p), esperado);
        if (!motor::enServidor()) // the server keeps no widths
            QCOMPARE(filasDe(p.dm->instalacion().rutaHistoricoCheques(),
                             "SELECT type FROM pragma_table_info('historicoCheques') "
                             "WHERE name = 'Numero_Modelo'"),
                     (QList<QStringList>{{"VARCHAR(6)"}}));
        QCOMPARE(bytesDe(p.inst.ficheroTestigo), testigo);
        QCOMPARE(p.iu.mensajes, QStringList());

        // The marker deleted by hand: the next start runs the steps again,
        // and they find nothing left in the old form.
        const QString tabla = definicion(p);
        QVERIFY(QFile::remove(p.inst.ficheroTestigo));
        p.dm->actualizacion().actualizacionUnica();
        QCOMPARE(emitidos(p), esperado);
        QCOMPARE(definicion(p), tabla);
        QCOMPARE(bytesDe(p.inst.ficheroTestigo), testigo);
        QCOMPARE(p.iu.mensajes, QStringList());
    }

    // A damaged history: every step is tried, their failures come back
    // together as one, the file is left as it was, and the marker is written
    // all the same so the next start does not retry.
    void pasosFallidosSeDicenJuntos() {
        if (pruebasEnServidor())
            QSKIP("un fichero de tabla dañado es cosa de las tablas en ficheros");
        InstalacionPrueba p;
        const QString ruta = p.dm->instalacion().rutaHistoricoCheques();
        QVERIFY(motor::borraTabla(ruta));
        const QByteArray danado(3000, '\x5a');
        {
            QFile f(ruta);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(danado);
        }
        const QString fallo = falloDe([&] { p.dm->actualizacion().actualizacionUnica(); });
        QCOMPARE(fallo.count(tablaEnMensaje(ruta)), 3);
        QCOMPARE(p.iu.mensajes, QStringList());
        QCOMPARE(bytesDe(ruta), danado);
        QCOMPARE(bytesDe(p.inst.ficheroTestigo), testigo);
    }

    void historicoVacioSoloRecibeElTestigo() {
        InstalacionPrueba p;
        const QString tabla = definicion(p);
        p.dm->actualizacion().actualizacionUnica();
        QCOMPARE(definicion(p), tabla);
        QCOMPARE(emitidos(p), QList<QStringList>());
        QCOMPARE(bytesDe(p.inst.ficheroTestigo), testigo);
        QCOMPARE(p.iu.mensajes, QStringList());
    }
};

QTEST_MAIN(TstActualizacion)
#include "tst_actualizacion.moc"
