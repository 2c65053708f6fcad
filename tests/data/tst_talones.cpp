// The cheque table operations: save, manual cheque, load, list, totals,
// deletion and the duplicate test.
#include "AlmacenLibrados.h"
#include "AlmacenRemesas.h"
#include "AlmacenTalones.h"
#include "DatosPrueba.h"
#include "FalloOperacion.h"
#include "InstalacionPrueba.h"

#include <QtTest>

namespace {

const QString cuentaEjemplo = QStringLiteral("12345678010123456789");
const QString baseEjemplo = QStringLiteral("1234567801012345678942121234567");

tTalon talonEjemplo() {
    tTalon t;
    t.Modelo_Talon = "0";
    t.numero_Modelo = "4212-5";
    t.Numero = "1234567-6";
    t.Cuenta = cuentaEjemplo;
    t.Importe = tImporte::deCentimos(123456);
    t.FechaPago = "01/02/2026";
    t.Estado = Estado::Correcto;
    t.indicador = 1;
    t.fk_Remesas = 1;
    t.Nuevo = true;
    return t;
}

// Inserts a bare cheque row: key, amount and state.
void ponTalon(const QString& ruta, int pk, const QString& importe, const QString& estado) {
    ejecutaEn(ruta, "INSERT INTO Talones (Pk_Talon, Importe, Estado) VALUES (?, ?, ?)",
              {pk, importe, estado});
}

} // namespace

class TstTalones : public QObject {
    Q_OBJECT

private slots:
    void guardaNuevoYActualizaSoloSusColumnas() {
        InstalacionPrueba p;
        tTalon t = talonEjemplo();
        p.dm->talones().GuardaTalon(t, p.dm->instalacion().rutaTalonesEstandar());
        QCOMPARE(t.Pk_Talon, 1);
        QCOMPARE(t.fk_Beneficiarios, 1); // a drawer was created for the account
        QVERIFY(t.Nuevo);                // the caller decides when it counts as stored
        QCOMPARE(filasDe(p.dm->instalacion().rutaTalonesEstandar(), "SELECT * FROM Talones"),
                 (QList<QStringList>{{"1", "0", "4212-5", "1234,56", "01/02/2026", "1234567-6", "0",
                                      cuentaEjemplo, "1", "", "1", "1"}}));

        // An update leaves the drawer link and the remittance alone.
        t.Nuevo = false;
        t.Estado = Estado::Duplicado;
        t.Importe = tImporte::deCentimos(500);
        t.Nombre_Cliente = "PEREZ";
        t.fk_Beneficiarios = 99;
        t.fk_Remesas = 77;
        p.dm->talones().GuardaTalon(t, p.dm->instalacion().rutaTalonesEstandar());
        QCOMPARE(filasDe(p.dm->instalacion().rutaTalonesEstandar(), "SELECT * FROM Talones"),
                 (QList<QStringList>{{"1", "0", "4212-5", "5,00", "01/02/2026", "1234567-6", "2",
                                      cuentaEjemplo, "1", "PEREZ", "1", "1"}}));
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    void textosHostilesSeGuardanYLeenTalCual_data() { filasTextosHostiles(); }
    void textosHostilesSeGuardanYLeenTalCual() {
        QFETCH(QString, texto);
        InstalacionPrueba p;
        tTalon t = talonEjemplo();
        t.Numero = t.Cuenta = t.Nombre_Cliente = t.FechaPago = texto;
        p.dm->talones().GuardaTalon(t, p.dm->instalacion().rutaTalonesEstandar());
        const tTalon leido = p.dm->talones().CargaRegistroTalones(t.Pk_Talon, 1);
        QCOMPARE(leido.Numero, texto);
        QCOMPARE(leido.Cuenta, texto);
        QCOMPARE(leido.Nombre_Cliente, texto);
        QCOMPARE(leido.FechaPago, texto);
        QCOMPARE(filasDe(p.dm->instalacion().rutaTalonesEstandar(), "SELECT count(*) FROM Talones"),
                 (QList<QStringList>{{"1"}}));
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    void tablaQueFaltaONoEsTablaDaElMensajeSinMostrarlo() {
        InstalacionPrueba p;
        tTalon t = talonEjemplo();
        QVERIFY(!falloDe([&] {
                     p.dm->talones().GuardaTalon(t, p.inst.rutaTablaTalones(9));
                 }).isEmpty());
        QVERIFY(!motor::existeTabla(p.inst.rutaTablaTalones(9)));

        estropeaTabla(p.dm->instalacion().rutaTalonesEstandar());
        t.Nuevo = false;
        QVERIFY(!falloDe([&] {
                     p.dm->talones().GuardaTalon(t, p.dm->instalacion().rutaTalonesEstandar());
                 }).isEmpty());
        QVERIFY(p.iu.mensajes.isEmpty()); // the caller shows it
        if (motor::enServidor())
            return;
        QFile f(p.dm->instalacion().rutaTalonesEstandar());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray(3000, '\x5a'));
    }

    // Their placeholder account is no drawer's: none is created, and both
    // are listed, without a drawer's name.
    void dosManualesSeguidosTienenClavesConsecutivasYNingunLibrado() {
        InstalacionPrueba p;
        p.estado.RemesaActual.Pk_Remesa = 2;
        tRemesas r;
        r.Nombre_Remesa = "OTRA";
        p.dm->remesas().GuardaRegistroRemesa(r);
        tTalon a, b;
        a.FechaPago = "dejado";
        p.dm->talones().introduceTalonManual(a, p.estado.RemesaActual.Pk_Remesa);
        p.dm->talones().introduceTalonManual(b, p.estado.RemesaActual.Pk_Remesa);
        QCOMPARE(a.Pk_Talon, 1);
        QCOMPARE(b.Pk_Talon, 2);
        QCOMPARE(a.fk_Beneficiarios, 0);
        QCOMPARE(b.fk_Beneficiarios, 0);
        QCOMPARE(a.FechaPago, QString("dejado"));
        QCOMPARE(filasDe(p.dm->instalacion().rutaDeudores(), "SELECT count(*) FROM Deudores"),
                 (QList<QStringList>{{"0"}}));
        QCOMPARE(filasDe(p.inst.rutaTablaTalones(2),
                         "SELECT Pk_Talon, Numero, Numero_Modelo, Importe, Modelo_Talon, "
                         "indicador, Cuenta, Estado, fk_Clientes, fk_Remesa FROM Talones"),
                 (QList<QStringList>{
                     {"1", "0000000", "0000", "0000", "5", "0", QString(19, '#'), "1", "0", "2"},
                     {"2", "0000000", "0000", "0000", "5", "0", QString(19, '#'), "1", "0", "2"}}));
        int filas = 0;
        const tFilasLista lista =
            p.dm->talones().Carga_lista_Talones(p.estado.RemesaActual.Pk_Remesa, filas);
        QCOMPARE(filas, 2);
        QCOMPARE(lista.at(1).datos.pk, 2);
        QCOMPARE(lista.at(1).celdas.at(4), QString());
    }

    void cargaLeeLaFilaYTomaLaRemesaDada() {
        InstalacionPrueba p;
        tTalon t = talonEjemplo();
        p.dm->talones().GuardaTalon(t, p.dm->instalacion().rutaTalonesEstandar());
        p.estado.RemesaActual.Pk_Remesa = 5; // the program state plays no part
        tTalon destino;
        destino.Nuevo = true;
        destino.chk_numero = "x";
        destino.fk_Acreedores = 3;
        const tTalon leido = p.dm->talones().CargaRegistroTalones(1, 1, destino);
        QCOMPARE(leido.Pk_Talon, 1);
        QCOMPARE(leido.Numero, QString("1234567-6"));
        QCOMPARE(leido.numero_Modelo, QString("4212-5"));
        QCOMPARE(leido.indicador, 1);
        QCOMPARE(leido.fk_Beneficiarios, 1);
        QCOMPARE(leido.fk_Remesas, 1);
        QVERIFY(leido.Nuevo);
        QCOMPARE(leido.chk_numero, QString("x"));
        QCOMPARE(leido.fk_Acreedores, 3);

        // No row: the record comes back as it was passed.
        const tTalon nada = p.dm->talones().CargaRegistroTalones(42, 1, destino);
        QCOMPARE(nada.Pk_Talon, 0);
        QCOMPARE(nada.chk_numero, QString("x"));
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    void listaConSusCeldasYDatos() {
        InstalacionPrueba p;
        tTalon bueno = talonEjemplo();
        tTalon incompleto = talonEjemplo();
        incompleto.Cuenta = "99999999999999999999";
        incompleto.Estado = Estado::Incompleto;
        incompleto.indicador = 0;
        incompleto.Modelo_Talon = "6";
        incompleto.Importe.reset();
        tTalon raro = talonEjemplo();
        for (tTalon* t : {&bueno, &incompleto, &raro})
            p.dm->talones().GuardaTalon(*t, p.dm->instalacion().rutaTalonesEstandar());
        // A code this program never writes, as a table edited by hand may hold.
        ejecutaEn(p.dm->instalacion().rutaTalonesEstandar(),
                  "UPDATE Talones SET Estado = '7' WHERE Pk_Talon = ?", {raro.Pk_Talon});
        // The drawer's own name is shown, not the copy kept in the cheque.
        TCliente d = p.dm->librados().CargaRegistroBeneficiarioTablas(1);
        d.Nombre_Cliente = "NOMBRE NUEVO";
        p.dm->librados().GuardaBeneficiario(d);

        int numero = -1;
        const tFilasLista filas =
            p.dm->talones().Carga_lista_Talones(p.estado.RemesaActual.Pk_Remesa, numero);
        QCOMPARE(numero, 3);
        QCOMPARE(filas.size(), 3);
        QCOMPARE(filas[0].caption, QString("CORRECTO"));
        QCOMPARE(filas[0].celdas,
                 (QStringList{"CHEQUE CUENTA CORRIENTE", "1.234,56", cuentaEjemplo, "1234567-6",
                              "NOMBRE NUEVO", "01/02/2026", "1", "SI"}));
        const tRegDataTalones& datos = filas[0].datos;
        QCOMPARE(datos.pk, 1);
        QCOMPARE(datos.cuenta, cuentaEjemplo);
        QCOMPARE(datos.indicador, 1);
        QCOMPARE(datos.fechaPago, QString("01/02/2026"));
        QCOMPARE(datos.Modelo, QString("0"));
        QCOMPARE(datos.Importe, tImporte::deCentimos(123456));
        QCOMPARE(datos.fk_Cliente, QString("1"));
        QVERIFY(!datos.Error);

        QCOMPARE(filas[1].caption, QString("INCOMPLETO"));
        QCOMPARE(filas[1].celdas[0], QString("ERROR ESCANEO"));
        QCOMPARE(filas[1].celdas[1], QString("0,00"));
        QCOMPARE(filas[1].celdas[7], QString("NO"));
        QVERIFY(filas[1].datos.Error);
        QCOMPARE(filas[2].caption, QString("DUPLICADO"));
        QVERIFY(!filas[2].datos.Error);

        QCOMPARE(p.iu.vecesMostrada, 1);
        QCOMPARE(p.iu.vecesOcultada, 1);
    }

    void listaDejaFueraElTalonSinLibrado() {
        InstalacionPrueba p;
        tRemesas r;
        r.Nombre_Remesa = "OTRA";
        p.dm->remesas().GuardaRegistroRemesa(r);
        p.estado.RemesaActual.Pk_Remesa = 2;
        tTalon a = talonEjemplo(), b = talonEjemplo();
        b.Cuenta = "11111111111111111111";
        p.dm->talones().GuardaTalon(a, p.inst.rutaTablaTalones(2));
        p.dm->talones().GuardaTalon(b, p.inst.rutaTablaTalones(2));
        p.dm->librados().EliminaBeneficiarios({a.fk_Beneficiarios});

        int numero = -1;
        const tFilasLista filas =
            p.dm->talones().Carga_lista_Talones(p.estado.RemesaActual.Pk_Remesa, numero);
        QCOMPARE(numero, 1);
        QCOMPARE(filas.size(), 1);
        QCOMPARE(filas[0].datos.pk, 2);
        // The row itself stays in the table of remittance 2.
        QCOMPARE(filasDe(p.inst.rutaTablaTalones(2), "SELECT count(*) FROM Talones"),
                 (QList<QStringList>{{"2"}}));
    }

    void listaDeTablaRotaDaMensajeYCero() {
        InstalacionPrueba p;
        estropeaTabla(p.dm->instalacion().rutaTalonesEstandar());
        int numero = 7;
        QVERIFY(!falloDe([&] {
                     p.dm->talones().Carga_lista_Talones(p.estado.RemesaActual.Pk_Remesa, numero);
                 }).isEmpty());
        QCOMPARE(numero, 0);
        QVERIFY(!p.iu.esperaVisible);
    }

    void totales_data() {
        QTest::addColumn<QStringList>("importes");
        QTest::addColumn<QStringList>("estados");
        QTest::addColumn<QString>("importe");
        QTest::addColumn<QString>("buenos");
        QTest::addColumn<QString>("total");
        QTest::newRow("ejemplo") << QStringList{"1234,56", "10,00", "50,00", ""}
                                 << QStringList{"0", "0", "1", "1"} << "1.244,56"
                                 << "2"
                                 << "4";
        QTest::newRow("cinco centimos") << QStringList{"0,05"} << QStringList{"0"} << "0,05"
                                        << "1"
                                        << "1";
        QTest::newRow("vacia") << QStringList{} << QStringList{} << "0,00"
                               << "0"
                               << "0";
        QTest::newRow("ceros, duplicado e ilegible")
            << QStringList{"0000", "0,00", "10,00", "diez", "-5,00"}
            << QStringList{"0", "0", "2", "0", "0"} << "0,00"
            << "0"
            << "5";
        QTest::newRow("mas de 32 bits") << QStringList{"99999999,99", "99999999,99"}
                                        << QStringList{"0", "0"} << "199.999.999,98"
                                        << "2"
                                        << "2";
    }
    void totales() {
        QFETCH(QStringList, importes);
        QFETCH(QStringList, estados);
        InstalacionPrueba p;
        for (int i = 0; i < importes.size(); ++i)
            ponTalon(p.dm->instalacion().rutaTalonesEstandar(), i + 1, importes[i], estados[i]);
        QString importe = "x", buenos = "x", total = "x";
        p.dm->talones().CalculaTotales(importe, buenos, total,
                                       p.dm->instalacion().rutaTalonesEstandar());
        QTEST(importe, "importe");
        QTEST(buenos, "buenos");
        QTEST(total, "total");
    }

    // A hand-typed cheque that cannot be stored says so instead of leaving
    // the editor on a row that does not exist.
    void talonManualEnTablaQueFaltaFalla() {
        InstalacionPrueba p;
        tTalon t;
        QVERIFY(!falloDe([&] { p.dm->talones().introduceTalonManual(t, 9); }).isEmpty());
        QVERIFY(!motor::existeTabla(p.inst.rutaTablaTalones(9)));
    }

    void totalesDeTablaQueFaltaNoTocanNada() {
        InstalacionPrueba p;
        QString importe = "a", buenos = "b", total = "c";
        QVERIFY(!falloDe([&] {
                     p.dm->talones().CalculaTotales(importe, buenos, total,
                                                    p.inst.rutaTablaTalones(9));
                 }).isEmpty());
        QCOMPARE(importe + buenos + total, QString("abc"));
        QVERIFY(!motor::existeTabla(p.inst.rutaTablaTalones(9)));
    }

    void eliminaTalonYSusImagenes_data() {
        QTest::addColumn<QString>("estado");
        QTest::addColumn<bool>("quedanImagenes");
        QTest::newRow("correcto") << "0" << false;
        QTest::newRow("incompleto") << "1" << false;
        QTest::newRow("duplicado") << "2" << true;
    }
    void eliminaTalonYSusImagenes() {
        QFETCH(QString, estado);
        QFETCH(bool, quedanImagenes);
        InstalacionPrueba p;
        tTalon t = talonEjemplo();
        t.Estado = estadoDeCodigo(estado);
        p.dm->talones().GuardaTalon(t, p.dm->instalacion().rutaTalonesEstandar());
        const QStringList imagenes = ficherosImagen(p.inst.dirs.Dir_Imagenes, baseEjemplo);
        for (const QString& f : imagenes)
            creaFichero(f);
        p.estado.RemesaActual.Pk_Remesa = 3; // the cheque's own remittance decides
        p.dm->talones().EliminaTalon(t, "texto de la fila");
        QCOMPARE(filasDe(p.dm->instalacion().rutaTalonesEstandar(), "SELECT count(*) FROM Talones"),
                 (QList<QStringList>{{"0"}}));
        for (const QString& f : imagenes)
            QCOMPARE(QFile::exists(f), quedanImagenes);
    }

    void eliminaEnTablaQueFaltaNoBorraImagenes() {
        InstalacionPrueba p;
        tTalon t = talonEjemplo();
        t.fk_Remesas = 9;
        const QStringList imagenes = ficherosImagen(p.inst.dirs.Dir_Imagenes, baseEjemplo);
        for (const QString& f : imagenes)
            creaFichero(f);
        QVERIFY(!falloDe([&] { p.dm->talones().EliminaTalon(t); }).isEmpty());
        for (const QString& f : imagenes)
            QVERIFY(QFile::exists(f));
    }

    void eliminaDuplicadosDejaLasImagenesCompartidas() {
        InstalacionPrueba p;
        const QString ruta = p.dm->instalacion().rutaTalonesEstandar();
        ponTalon(ruta, 1, "1,00", "0");
        ponTalon(ruta, 2, "1,00", "2");
        ponTalon(ruta, 3, "1,00", "1");
        ponTalon(ruta, 4, "1,00", "2");
        const QStringList imagenes = ficherosImagen(p.inst.dirs.Dir_Imagenes, baseEjemplo);
        for (const QString& f : imagenes)
            creaFichero(f);
        p.dm->talones().EminaTalonesDuplicados(ruta);
        QCOMPARE(filasDe(ruta, "SELECT Pk_Talon FROM Talones"), (QList<QStringList>{{"1"}, {"3"}}));
        for (const QString& f : imagenes)
            QVERIFY(QFile::exists(f));
        QVERIFY(!falloDe([&] {
                     p.dm->talones().EminaTalonesDuplicados(p.inst.rutaTablaTalones(9));
                 }).isEmpty());
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    void incompletosSeCuentanEnLaRemesaUno() {
        InstalacionPrueba p;
        const QString ruta = p.dm->instalacion().rutaTalonesEstandar();
        p.estado.RemesaActual.Pk_Remesa = 2; // "1.dat" whatever the current remittance
        int n = -1;
        QVERIFY(!p.dm->talones().Quedan_Talones_Incompletos(n));
        QCOMPARE(n, 0);
        ponTalon(ruta, 1, "", "1");
        ponTalon(ruta, 2, "", "0");
        ponTalon(ruta, 3, "", "1");
        QVERIFY(p.dm->talones().Quedan_Talones_Incompletos(n));
        QCOMPARE(n, 2);

        // Failure is silent and leaves the count alone.
        QVERIFY(motor::borraTabla(ruta));
        n = -1;
        QVERIFY(!p.dm->talones().Quedan_Talones_Incompletos(n));
        QCOMPARE(n, -1);
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    void duplicidad_data() {
        QTest::addColumn<QString>("apk");
        QTest::addColumn<QString>("numero");
        QTest::addColumn<bool>("consultaLista");
        QTest::addColumn<bool>("duplicado");
        // Row 1 of "1.dat" holds 1234567-6; the history holds 7654321-0.
        QTest::newRow("otro de la lista") << "2"
                                          << "1234567-6" << true << true;
        QTest::newRow("el mismo de la lista") << "1"
                                              << "1234567-6" << true << false;
        QTest::newRow("lista no consultada") << "2"
                                             << "1234567-6" << false << false;
        QTest::newRow("emitido, lista no consultada") << "1"
                                                      << "7654321-0" << false << true;
        QTest::newRow("emitido, lista consultada") << "1"
                                                   << "7654321-0" << true << true;
        QTest::newRow("patron no es igual") << "2"
                                            << "1234567%" << true << false;
        QTest::newRow("comodin no es igual") << "2"
                                             << "1234567_6" << true << false;
        QTest::newRow("prefijo no es igual") << "2"
                                             << "1234567" << true << false;
    }
    void duplicidad() {
        QFETCH(QString, apk);
        QFETCH(QString, numero);
        QFETCH(bool, consultaLista);
        InstalacionPrueba p;
        tTalon t = talonEjemplo();
        p.dm->talones().GuardaTalon(t, p.dm->instalacion().rutaTalonesEstandar());
        ponEnHistorico(p.dm->instalacion().rutaHistoricoCheques(), "7654321-0", "4212-5",
                       cuentaEjemplo);
        p.estado.RemesaActual.Pk_Remesa = 2; // the list part always reads "1.dat"
        QTEST(p.dm->talones().duplicidadTalon(apk, numero, cuentaEjemplo, "4212-5", consultaLista),
              "duplicado");
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    // Every hostile text is in the history; each is found exactly.
    void duplicidadDeTextosHostilesEsExacta_data() { filasTextosHostiles(); }
    void duplicidadDeTextosHostilesEsExacta() {
        QFETCH(QString, texto);
        InstalacionPrueba p;
        for (const QString& otro : textosHostiles())
            ponEnHistorico(p.dm->instalacion().rutaHistoricoCheques(), otro, otro, otro);
        QVERIFY(p.dm->talones().duplicidadTalon("0", texto, texto, texto, true));
        QVERIFY(!p.dm->talones().duplicidadTalon("0", texto + u'x', texto, texto, true));
        QVERIFY(!p.dm->talones().duplicidadTalon("0", "%", "%", "%", false));
        QVERIFY(!p.dm->talones().duplicidadTalon("0", "o'brien", "o'brien", "o'brien", false));
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    void duplicidadConTablasQueFaltan() {
        InstalacionPrueba p;
        ponEnHistorico(p.dm->instalacion().rutaHistoricoCheques(), "7654321-0", "4212-5",
                       cuentaEjemplo);
        QVERIFY(motor::borraTabla(p.dm->instalacion().rutaTalonesEstandar()));
        // The list step fails with its message; the history still answers.
        QVERIFY(p.dm->talones().duplicidadTalon("1", "7654321-0", cuentaEjemplo, "4212-5", true));
        QCOMPARE(p.iu.mensajes.size(), 1);
        QVERIFY(motor::borraTabla(p.dm->instalacion().rutaHistoricoCheques()));
        QVERIFY(!p.dm->talones().duplicidadTalon("1", "7654321-0", cuentaEjemplo, "4212-5", false));
        QCOMPARE(p.iu.mensajes.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TstTalones)
#include "tst_talones.moc"
