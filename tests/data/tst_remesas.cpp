// The remittance operations: list, load, name check, delete, and the file
// name of an emitted remittance.
#include "AlmacenHistorico.h"
#include "AlmacenLibrados.h"
#include "AlmacenRemesas.h"
#include "AlmacenTalones.h"
#include "DatosPrueba.h"
#include "FalloOperacion.h"
#include "InstalacionPrueba.h"

#include <QtTest>

namespace {

void guardaRemesa(InstalacionPrueba& p, const QString& nombre) {
    tRemesas r;
    r.Nombre_Remesa = nombre;
    r.Importe = r.Numero_Talones = r.Numero_Registros = "0";
    p.dm->remesas().GuardaRegistroRemesa(r);
}

// A cheque row of a remittance whose images are named by these three fields.
void ponTalonConImagenes(InstalacionPrueba& p, int remesa, const QString& cuenta) {
    ejecutaEn(p.inst.rutaTablaTalones(remesa),
              "INSERT INTO Talones (Pk_Talon, Cuenta, Numero_Modelo, Numero) VALUES (1, ?, ?, ?)",
              {cuenta, "4212-5", "1234567-6"});
    for (const QString& f : ficherosImagen(p.inst.dirs.Dir_Imagenes, cuenta + "42121234567"))
        creaFichero(f);
}

} // namespace

class TstRemesas : public QObject {
    Q_OBJECT

private slots:
    void segundaRemesaTieneClaveDosYTablaVacia() {
        InstalacionPrueba p;
        guardaRemesa(p, "SEGUNDA");
        const tFilasLista filas = p.dm->remesas().carga_lista_Remesas();
        QCOMPARE(filas.size(), 2);
        QCOMPARE(filas[0].caption, QString("ESTANDAR"));
        QCOMPARE(filas[0].datos.pk, 1);
        QCOMPARE(filas[1].caption, QString("SEGUNDA"));
        QCOMPARE(filas[1].datos.pk, 2);
        QCOMPARE(filasDe(p.inst.dirs.Dir_TablaRemesas + "2.dat", "SELECT count(*) FROM Talones"),
                 (QList<QStringList>{{"0"}}));
    }

    void cargaRellenaSusCamposYDejaLosDemas() {
        InstalacionPrueba p;
        ejecutaEn(p.dm->instalacion().rutaRemesas(),
                  "UPDATE remesas SET Importe = '12,00', Numero_Talones = '3', "
                  "Numero_Registros = '5', NombreCons = 'CONS.7', Fecha_Soporte = '010226'");
        tRemesas destino;
        destino.Fecha_Proceso = "02/02/2026";
        destino.Nombre_Ordenante = "SIGUE";
        const tRemesas r = p.dm->remesas().cargaRegistroRemesasTablas(1, destino);
        QCOMPARE(r.Pk_Remesa, 1);
        QCOMPARE(r.Nombre_Remesa, QString("ESTANDAR"));
        QCOMPARE(r.Importe, QString("12,00"));
        QCOMPARE(r.Numero_Talones, QString("3"));
        QCOMPARE(r.Numero_Registros, QString("5"));
        QCOMPARE(r.nombre_Cons, QString("CONS.7"));
        QCOMPARE(r.Fecha_Confeccion, QString("010226"));
        QCOMPARE(r.Fecha_Proceso, QString("02/02/2026"));
        QCOMPARE(r.Nombre_Ordenante, QString("SIGUE"));
        QCOMPARE(p.dm->remesas().cargaRegistroRemesasTablas(9, destino).Nombre_Ordenante,
                 QString("SIGUE"));
        QCOMPARE(p.dm->remesas().cargaRegistroRemesasTablas(9, destino).Pk_Remesa, 0);
    }

    void nombreDeRemesa_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("vacio") << ""
                               << "El Nombre de la remesa no puede quedar en blanco";
        QTest::newRow("solo blancos") << "  "
                                      << "El Nombre de la remesa no puede quedar en blanco";
        QTest::newRow("estandar") << "ESTANDAR"
                                  << "Ya existe una remesa con ese mismo nombre";
        QTest::newRow("apostrofe existente") << "D'ANGELO"
                                             << "Ya existe una remesa con ese mismo nombre";
        // Names are compared exactly: untrimmed, case and patterns included.
        QTest::newRow("con blanco detras") << "ESTANDAR " << QString();
        QTest::newRow("minusculas") << "estandar" << QString();
        QTest::newRow("patron") << "EST%" << QString();
        QTest::newRow("comodin") << "D_ANGELO" << QString();
        QTest::newRow("apostrofe nuevo") << "O'BRIEN" << QString();
    }
    void nombreDeRemesa() {
        QFETCH(QString, nombre);
        InstalacionPrueba p;
        guardaRemesa(p, "D'ANGELO");
        QTEST(falloDe([&] { p.dm->remesas().compruebaNombreRemesa(nombre); }), "mensaje");
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    void nombresHostilesSeGuardanYSeDetectan_data() { filasTextosHostiles(); }
    void nombresHostilesSeGuardanYSeDetectan() {
        QFETCH(QString, texto);
        InstalacionPrueba p;
        QVERIFY(!p.dm->remesas().EstaDuplicadaLaRemesa(texto));
        guardaRemesa(p, texto);
        QVERIFY(p.dm->remesas().EstaDuplicadaLaRemesa(texto));
        const tFilasLista filas = p.dm->remesas().carga_lista_Remesas();
        QCOMPARE(filas.size(), 2);
        QCOMPARE(filas[1].caption, texto);
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    void eliminaRemesaConSusImagenesYFicheros() {
        InstalacionPrueba p;
        guardaRemesa(p, "SEGUNDA");
        ponTalonConImagenes(p, 2, "11111111111111111111");
        ponTalonConImagenes(p, 1, "22222222222222222222");
        const QString dat = p.inst.dirs.Dir_TablaRemesas + "2.dat";
        const QString idx = p.inst.dirs.Dir_TablaRemesas + "2.idx";
        creaFichero(idx);

        p.dm->remesas().EliminaRemesa(2);
        QCOMPARE(filasDe(p.dm->instalacion().rutaRemesas(), "SELECT Pk_Remesas FROM remesas"),
                 (QList<QStringList>{{"1"}}));
        QVERIFY(!motor::existeTabla(dat));
        if (!motor::enServidor()) // an older version's index file beside the table
            QVERIFY(!QFile::exists(idx));
        for (const QString& f : ficherosImagen(p.inst.dirs.Dir_Imagenes, "11111111111111111111"
                                                                         "42121234567"))
            QVERIFY2(!QFile::exists(f), qPrintable(f));
        for (const QString& f : ficherosImagen(p.inst.dirs.Dir_Imagenes, "22222222222222222222"
                                                                         "42121234567"))
            QVERIFY2(QFile::exists(f), qPrintable(f));
        QVERIFY(p.iu.mensajes.isEmpty());

        // The next remittance takes key 2 again, with a fresh, empty table.
        guardaRemesa(p, "TERCERA");
        QCOMPARE(filasDe(dat, "SELECT count(*) FROM Talones"), (QList<QStringList>{{"0"}}));
    }

    void eliminaRemesaSinTablaDaMensajeYLaFilaYaNoEsta() {
        InstalacionPrueba p;
        guardaRemesa(p, "SEGUNDA");
        p.dm->remesas().EliminaRemesa(1);
        QVERIFY(!QFile::exists(p.dm->instalacion().rutaTalonesEstandar()));
        // Nothing re-creates "1.dat"; the operations tied to it now fail.
        int n = 0;
        QVERIFY(!p.dm->talones().Quedan_Talones_Incompletos(n));
        QVERIFY(!falloDe([&] { p.dm->librados().EliminaBeneficiarios({1}); }).isEmpty());

        QVERIFY(motor::borraTabla(p.inst.rutaTablaTalones(2)));
        QVERIFY(!falloDe([&] { p.dm->remesas().EliminaRemesa(2); }).isEmpty());
        QVERIFY(p.iu.mensajes.isEmpty());
        QCOMPARE(filasDe(p.dm->instalacion().rutaRemesas(), "SELECT count(*) FROM remesas"),
                 (QList<QStringList>{{"0"}}));
    }

    void eliminaRemesaConTablaRotaNoLaDejaParaLaSiguiente() {
        InstalacionPrueba p;
        guardaRemesa(p, "SEGUNDA");
        estropeaTabla(p.inst.rutaTablaTalones(2));
        QVERIFY(!falloDe([&] { p.dm->remesas().EliminaRemesa(2); }).isEmpty());
        QVERIFY(!QFile::exists(p.inst.rutaTablaTalones(2)));
        guardaRemesa(p, "OTRA SEGUNDA");
        QCOMPARE(filasDe(p.inst.rutaTablaTalones(2), "SELECT count(*) FROM Talones"),
                 (QList<QStringList>{{"0"}}));
    }

    void nombreConsolidado() {
        InstalacionPrueba p;
        ejecutaEn(p.dm->instalacion().rutaHistorico(),
                  "INSERT INTO historico (Pk_Historico, Nombre_Cons) VALUES (3, 'CONS.000012')");
        QCOMPARE(p.dm->historico().DevuelveNombreconsolidado(3), QString("CONS.000012"));
        QCOMPARE(p.dm->historico().DevuelveNombreconsolidado(4), QString());
        QVERIFY(p.iu.mensajes.isEmpty());
        QVERIFY(motor::borraTabla(p.dm->instalacion().rutaHistorico()));
        QVERIFY(!falloDe([&] { p.dm->historico().DevuelveNombreconsolidado(3); }).isEmpty());
    }

    void listaDeTablaQueFaltaDaMensaje() {
        InstalacionPrueba p;
        QVERIFY(motor::borraTabla(p.dm->instalacion().rutaRemesas()));
        const QString falta = falloDe([&] { p.dm->remesas().carga_lista_Remesas(); });
        QVERIFY(falta.contains("remesas"));
        QCOMPARE(falloDe([&] { p.dm->remesas().EstaDuplicadaLaRemesa("ESTANDAR"); }), falta);
        QVERIFY(p.iu.mensajes.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstRemesas)
#include "tst_remesas.moc"
