// Presenters and drawers: load, save, duplicate tests, deletion, the
// presenter choice list and the drawer of a cheque.
#include "AlmacenLibrados.h"
#include "AlmacenOrdenantes.h"
#include "AlmacenRemesas.h"
#include "DatosPrueba.h"
#include "FalloOperacion.h"
#include "InstalacionPrueba.h"
#include "OtroPrograma.h"

#include <QtTest>

namespace {

tOrdenantes nuevoOrdenante(const QString& nif, const QString& nombre, const QString& cuenta) {
    tOrdenantes o;
    o.EsNuevo = true;
    o.Nif_Sufijo = nif;
    o.Nombre_ordenante = nombre;
    o.Cuenta = cuenta;
    return o;
}

int guardaLibrado(InstalacionPrueba& p, const QString& cuenta, const QString& nombre = {}) {
    TCliente c;
    c.EsNuevo = true;
    c.Cuenta = cuenta;
    c.Nombre_Cliente = nombre;
    p.dm->librados().GuardaBeneficiario(c);
    return c.Pk_Cliente;
}

} // namespace

class TstMaestros : public QObject {
    Q_OBJECT

private slots:
    void ordenanteNuevoYActualizado() {
        InstalacionPrueba p;
        tOrdenantes o = nuevoOrdenante("B12345678", "EMPRESA", "ES7620770024003102575766");
        p.dm->ordenantes().GuardaOrdenante(o);
        QCOMPARE(o.Pk_Ordenante, 1);
        o.EsNuevo = false;
        o.Nombre_ordenante = "EMPRESA NUEVA";
        p.dm->ordenantes().GuardaOrdenante(o);
        QCOMPARE(
            filasDe(p.dm->instalacion().rutaOrdenantes(), "SELECT * FROM Ordenantes"),
            (QList<QStringList>{{"1", "B12345678", "EMPRESA NUEVA", "ES7620770024003102575766"}}));
        tOrdenantes destino;
        destino.EsNuevo = true;
        const tOrdenantes leido = p.dm->ordenantes().CargaRegistroOrdenantesTablas(1, destino);
        QCOMPARE(leido.Nombre_ordenante, QString("EMPRESA NUEVA"));
        QCOMPARE(leido.Nif_Sufijo, QString("B12345678"));
        QVERIFY(leido.EsNuevo);
        QCOMPARE(p.dm->ordenantes().CargaRegistroOrdenantesTablas(5, destino).Pk_Ordenante, 0);
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    void ordenanteConTablaQueFaltaDevuelveElMensaje() {
        InstalacionPrueba p;
        QVERIFY(motor::borraTabla(p.dm->instalacion().rutaOrdenantes()));
        tOrdenantes o = nuevoOrdenante("B1", "X", "Y");
        QVERIFY(!falloDe([&] { p.dm->ordenantes().GuardaOrdenante(o); }).isEmpty());
        QVERIFY(p.iu.mensajes.isEmpty());
        QVERIFY(!QFile::exists(p.dm->instalacion().rutaOrdenantes()));
    }

    void duplicadoOrdenante_data() {
        QTest::addColumn<QString>("nif");
        QTest::addColumn<QString>("cuenta");
        QTest::addColumn<int>("clave");
        QTest::addColumn<bool>("duplicado");
        // Presenter 1 holds ("B12345678", "ES11"), presenter 2 ("O'NIF", "ES22").
        QTest::newRow("nuevo igual a otro") << "B12345678"
                                            << "ES11" << 0 << true;
        QTest::newRow("el mismo sin cambios") << "B12345678"
                                              << "ES11" << 1 << false;
        QTest::newRow("otro con sus datos") << "B12345678"
                                            << "ES11" << 2 << true;
        QTest::newRow("mismo nif, otra cuenta") << "B12345678"
                                                << "ES99" << 0 << false;
        QTest::newRow("apostrofe igual") << "O'NIF"
                                         << "ES22" << 0 << true;
        QTest::newRow("patron no es igual") << "B%"
                                            << "ES11" << 0 << false;
        QTest::newRow("comodin no es igual") << "B1234567_"
                                             << "ES11" << 0 << false;
    }
    void duplicadoOrdenante() {
        QFETCH(QString, nif);
        QFETCH(QString, cuenta);
        QFETCH(int, clave);
        QFETCH(bool, duplicado);
        InstalacionPrueba p;
        tOrdenantes a = nuevoOrdenante("B12345678", "A", "ES11");
        tOrdenantes b = nuevoOrdenante("O'NIF", "B", "ES22");
        p.dm->ordenantes().GuardaOrdenante(a);
        p.dm->ordenantes().GuardaOrdenante(b);
        QCOMPARE(p.dm->ordenantes().DuplicadoOrdenante(nif, cuenta, clave == 0, clave), duplicado);
    }

    void duplicadoOrdenanteConFalloDelMotor() {
        InstalacionPrueba p;
        estropeaTabla(p.dm->instalacion().rutaOrdenantes());
        const QString mensaje =
            falloDe([&] { p.dm->ordenantes().DuplicadoOrdenante("B1", "ES1", true, 0); });
        QVERIFY(!mensaje.isEmpty());
        QVERIFY(mensaje != "Presentador duplicado");
        QVERIFY(p.iu.mensajes.isEmpty()); // the caller shows it
    }

    void eliminaOrdenante() {
        InstalacionPrueba p;
        tOrdenantes a = nuevoOrdenante("A", "A", "A"), b = nuevoOrdenante("B", "B", "B");
        p.dm->ordenantes().GuardaOrdenante(a);
        p.dm->ordenantes().GuardaOrdenante(b);
        p.dm->ordenantes().EliminaRegistroOrdenante(1);
        QCOMPARE(
            filasDe(p.dm->instalacion().rutaOrdenantes(), "SELECT Pk_Ordenante FROM Ordenantes"),
            (QList<QStringList>{{"2"}}));
        QVERIFY(motor::borraTabla(p.dm->instalacion().rutaOrdenantes()));
        QVERIFY(!falloDe([&] { p.dm->ordenantes().EliminaRegistroOrdenante(2); }).isEmpty());
    }

    void lineasDeOrdenantes() {
        InstalacionPrueba p;
        QCOMPARE(p.dm->ordenantes().Carga_Combo_Ordenantes(),
                 QStringList{"------------------Seleccione un ordenante------------------"});
        const QString largo(40, u'N');
        tOrdenantes a = nuevoOrdenante("B12345678", "EMPRESA", "ES11");
        tOrdenantes b = nuevoOrdenante("NIF-LARGO-123", largo, "ES22");
        p.dm->ordenantes().GuardaOrdenante(a);
        p.dm->ordenantes().GuardaOrdenante(b);
        const QStringList lineas = p.dm->ordenantes().Carga_Combo_Ordenantes();
        QCOMPARE(lineas, (QStringList{"------------------Seleccione un ordenante------------------",
                                      "B12345678  -- EMPRESA" + QString(28, u' ') + " -- ES11 -- 1",
                                      "NIF-LARGO-123 -- " + largo + " -- ES22 -- 2"}));
        QCOMPARE(p.iu.vecesMostrada, 2);
        QCOMPARE(p.iu.vecesOcultada, 2);

        // A failure ends the list silently.
        estropeaTabla(p.dm->instalacion().rutaOrdenantes());
        QCOMPARE(p.dm->ordenantes().Carga_Combo_Ordenantes().size(), 1);
        QVERIFY(p.iu.mensajes.isEmpty());
        QVERIFY(!p.iu.esperaVisible);
    }

    void libradoNuevoActualizadoYLeido() {
        InstalacionPrueba p;
        ejecutaEn(p.dm->instalacion().rutaDeudores(),
                  "INSERT INTO Deudores VALUES (4, 'VIEJO', 'B1', 'C1', '912345678', 'a@b.es')");
        TCliente c;
        c.EsNuevo = true;
        c.Cuenta = "11112222333344445555";
        c.Nombre_Cliente = "LOPEZ";
        c.Telefono = "no se guarda";
        p.dm->librados().GuardaBeneficiario(c);
        QCOMPARE(c.Pk_Cliente, 5);
        QCOMPARE(filasDe(p.dm->instalacion().rutaDeudores(),
                         "SELECT * FROM Deudores WHERE Pk_Cliente = 5"),
                 (QList<QStringList>{{"5", "LOPEZ", "", "11112222333344445555", "", ""}}));

        TCliente viejo = p.dm->librados().CargaRegistroBeneficiarioTablas(4);
        QCOMPARE(viejo.Nombre_Cliente, QString("VIEJO"));
        QCOMPARE(viejo.nif, QString("B1"));
        QCOMPARE(viejo.Cuenta, QString("C1"));
        QCOMPARE(viejo.Telefono, QString("912345678"));
        QCOMPARE(viejo.email, QString("a@b.es"));
        viejo.Nombre_Cliente = "NUEVO";
        viejo.Cuenta = "C2";
        viejo.Telefono = "000";
        p.dm->librados().GuardaBeneficiario(viejo);
        QCOMPARE(filasDe(p.dm->instalacion().rutaDeudores(),
                         "SELECT * FROM Deudores WHERE Pk_Cliente = 4"),
                 (QList<QStringList>{{"4", "NUEVO", "B1", "C2", "912345678", "a@b.es"}}));
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    void textosHostilesDeMaestros_data() { filasTextosHostiles(); }
    void textosHostilesDeMaestros() {
        QFETCH(QString, texto);
        InstalacionPrueba p;
        tOrdenantes o = nuevoOrdenante(texto, texto, texto);
        p.dm->ordenantes().GuardaOrdenante(o);
        const tOrdenantes lo = p.dm->ordenantes().CargaRegistroOrdenantesTablas(o.Pk_Ordenante);
        QCOMPARE(lo.Nif_Sufijo, texto);
        QCOMPARE(lo.Nombre_ordenante, texto);
        QCOMPARE(lo.Cuenta, texto);
        QVERIFY(!p.dm->ordenantes().DuplicadoOrdenante(texto, texto, false, o.Pk_Ordenante));

        const int clave = guardaLibrado(p, texto, texto);
        const TCliente lc = p.dm->librados().CargaRegistroBeneficiarioTablas(clave);
        QCOMPARE(lc.Nombre_Cliente, texto);
        QCOMPARE(lc.Cuenta, texto);
        int otro = 0;
        QVERIFY(p.dm->librados().DuplicadoBeneficiario(texto, true, otro));
        QCOMPARE(otro, clave);
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    void duplicadoBeneficiario_data() {
        QTest::addColumn<QString>("cuenta");
        QTest::addColumn<int>("clave");
        QTest::addColumn<bool>("duplicado");
        QTest::addColumn<int>("claveDespues");
        // Drawers 3 and 7 both hold "C7"; the first row found is drawer 3.
        QTest::newRow("editando otro") << "C7" << 5 << true << 3;
        QTest::newRow("editando el primero") << "C7" << 3 << false << 3;
        QTest::newRow("solo se mira la primera fila") << "C7" << 7 << true << 3;
        QTest::newRow("cuenta libre") << "C8" << 5 << false << 5;
        QTest::newRow("patron no es igual") << "C%" << 5 << false << 5;
    }
    void duplicadoBeneficiario() {
        QFETCH(QString, cuenta);
        QFETCH(int, clave);
        InstalacionPrueba p;
        ejecutaEn(p.dm->instalacion().rutaDeudores(),
                  "INSERT INTO Deudores (Pk_Cliente, Cuenta) VALUES (3, 'C7'), (7, 'C7')");
        QTEST(p.dm->librados().DuplicadoBeneficiario(cuenta, false, clave), "duplicado");
        QTEST(clave, "claveDespues");
    }

    void duplicadoBeneficiarioConFalloDelMotor() {
        InstalacionPrueba p;
        QVERIFY(motor::borraTabla(p.dm->instalacion().rutaDeudores()));
        int clave = 3;
        // A failed look-up is a failure, not a duplicate.
        QVERIFY(
            !falloDe([&] { p.dm->librados().DuplicadoBeneficiario("C", false, clave); }).isEmpty());
        QCOMPARE(clave, 3);
    }

    void eliminaLibradoYSusTalonesDeLaRemesaUno() {
        InstalacionPrueba p;
        tRemesas r;
        r.Nombre_Remesa = "OTRA";
        p.dm->remesas().GuardaRegistroRemesa(r);
        ejecutaEn(p.dm->instalacion().rutaDeudores(),
                  "INSERT INTO Deudores (Pk_Cliente, Cuenta) VALUES (5, 'C5'), (6, 'C6')");
        for (int remesa : {1, 2})
            ejecutaEn(p.inst.rutaTablaTalones(remesa),
                      "INSERT INTO Talones (Pk_Talon, fk_Clientes) VALUES (1, 5), (2, 6), (3, 5)");
        p.dm->librados().EliminaBeneficiarios({5});
        QCOMPARE(filasDe(p.dm->instalacion().rutaDeudores(), "SELECT Pk_Cliente FROM Deudores"),
                 (QList<QStringList>{{"6"}}));
        QCOMPARE(filasDe(p.dm->instalacion().rutaTalonesEstandar(), "SELECT Pk_Talon FROM Talones"),
                 (QList<QStringList>{{"2"}}));
        QCOMPARE(filasDe(p.inst.rutaTablaTalones(2), "SELECT count(*) FROM Talones"),
                 (QList<QStringList>{{"3"}}));
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    void eliminaVariosLibradosEnUnaOperacion_data() {
        QTest::addColumn<QString>("fallo");
        QTest::newRow("sin fallo") << "";
        QTest::newRow("tabla de talones que falta") << "falta";
        QTest::newRow("tabla de talones bloqueada") << "bloqueada";
    }
    void eliminaVariosLibradosEnUnaOperacion() {
        QFETCH(QString, fallo);
        InstalacionPrueba p;
        ejecutaEn(p.dm->instalacion().rutaDeudores(),
                  "INSERT INTO Deudores (Pk_Cliente, Cuenta) VALUES "
                  "(1, 'C1'), (2, 'C2'), (3, 'C3'), (4, 'C4')");
        ejecutaEn(p.dm->instalacion().rutaTalonesEstandar(),
                  "INSERT INTO Talones (Pk_Talon, fk_Clientes) VALUES (1, 1), (2, 2), (3, 4), "
                  "(4, 3), (5, 1)");
        const auto deudores = [&] {
            return filasDe(p.dm->instalacion().rutaDeudores(),
                           "SELECT Pk_Cliente FROM Deudores ORDER BY 1");
        };
        const auto talones = [&] {
            return filasDe(p.dm->instalacion().rutaTalonesEstandar(),
                           "SELECT Pk_Talon FROM Talones ORDER BY 1");
        };
        std::unique_ptr<motor::Conexion> otro;
        std::unique_ptr<motor::Transaccion> bloqueo;
        if (fallo == "falta") {
            QVERIFY(motor::borraTabla(p.dm->instalacion().rutaTalonesEstandar()));
        } else if (fallo == "bloqueada") {
            // Another connection in the middle of a write holds the table.
            otro = std::make_unique<motor::Conexion>(p.dm->instalacion().rutaTalonesEstandar());
            bloqueo = std::make_unique<motor::Transaccion>(*otro);
            QVERIFY(bloqueo->iniciada());
        }
        const QString error = falloDe([&] { p.dm->librados().EliminaBeneficiarios({1, 3, 4}); });
        bloqueo.reset();
        otro.reset();
        if (fallo.isEmpty()) {
            QVERIFY(error.isNull());
            QVERIFY(p.iu.mensajes.isEmpty());
            QCOMPARE(deudores(), (QList<QStringList>{{"2"}}));
            QCOMPARE(talones(), (QList<QStringList>{{"2"}}));
            return;
        }
        // The engine's message; not one drawer or cheque lost.
        QVERIFY(!error.isEmpty());
        QCOMPARE(deudores(), (QList<QStringList>{{"1"}, {"2"}, {"3"}, {"4"}}));
        if (fallo == "bloqueada")
            QCOMPARE(talones().size(), 5);
    }

    void listaDeLibrados() {
        InstalacionPrueba p;
        const QString nombre = "O'BRIEN 100% \"X\"";
        guardaLibrado(p, "C9", nombre);
        // Made by older versions for the placeholder accounts: not listed.
        guardaLibrado(p, QString(19, u'#'));
        guardaLibrado(p, QString(20, u'#'));
        guardaLibrado(p, "C1");
        const tFilasLista filas = p.dm->librados().CargaListaBeneficiarios();
        QCOMPARE(filas.size(), 2);
        QCOMPARE(filas[0].caption, nombre);
        QCOMPARE(filas[0].celdas, QStringList{"C9"});
        QCOMPARE(filas[0].datos.pk, 1);
        QCOMPARE(filas[1].caption, QString());
        QCOMPARE(filas[1].datos.pk, 4);
        QVERIFY(motor::borraTabla(p.dm->instalacion().rutaDeudores()));
        QVERIFY(p.dm->librados().CargaListaBeneficiarios().isEmpty());
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    void libradoDeUnTalon_data() {
        QTest::addColumn<QString>("cuenta");
        QTest::addColumn<int>("libradoEsperado");
        QTest::addColumn<QString>("nombreEsperado");
        QTest::addColumn<int>("librados");
        // Drawers: 1 "C1" named "UNO" and 2 "C1" named "DOS" (first row wins);
        // 3 with nineteen "#" and 4 with twenty "#", as older versions made.
        QTest::newRow("conocido, primera fila") << "C1" << 1 << "UNO" << 4;
        // A placeholder account is no drawer's, even where one was made for it.
        QTest::newRow("diecinueve almohadillas") << QString(19, u'#') << 0 << "dejado" << 4;
        QTest::newRow("veinte almohadillas") << QString(20, u'#') << 0 << "dejado" << 4;
        QTest::newRow("desconocido") << "C9" << 5 << "dejado" << 5;
        QTest::newRow("patron no es igual") << "C%" << 5 << "dejado" << 5;
    }
    void libradoDeUnTalon() {
        QFETCH(QString, cuenta);
        QFETCH(int, librados);
        InstalacionPrueba p;
        guardaLibrado(p, "C1", "UNO");
        guardaLibrado(p, "C1", "DOS");
        guardaLibrado(p, QString(19, u'#'), "MANUAL");
        guardaLibrado(p, QString(20, u'#'), "VEINTE");
        tTalon t;
        t.Cuenta = cuenta;
        t.Nombre_Cliente = "dejado";
        const tTalon r = p.dm->librados().CompruebaLibrado(t);
        QTEST(r.fk_Beneficiarios, "libradoEsperado");
        QTEST(r.Nombre_Cliente, "nombreEsperado");
        QCOMPARE(filasDe(p.dm->instalacion().rutaDeudores(), "SELECT count(*) FROM Deudores"),
                 (QList<QStringList>{{QString::number(librados)}}));
        if (librados == 5)
            QCOMPARE(filasDe(p.dm->instalacion().rutaDeudores(),
                             "SELECT Nombre_Cliente, Cuenta FROM Deudores WHERE Pk_Cliente = 5"),
                     (QList<QStringList>{{"", cuenta}}));
    }

    // Another program stores a cheque of the same new account at the same
    // moment: it holds the drawer table with the drawer made; this one
    // waits and takes that drawer instead of making a second.
    void libradoQueOtroProgramaEstaCreando() {
        InstalacionPrueba p;
        TOtroPrograma otro;
        QVERIFY(otro.inicia(p.dm->instalacion().rutaDeudores(),
                            {"INSERT INTO Deudores (Pk_Cliente, Nombre_Cliente, Cuenta) "
                             "VALUES (1, 'OTRO', 'C7')"},
                            1000));
        tTalon t;
        t.Cuenta = "C7";
        const tTalon r = p.dm->librados().CompruebaLibrado(t);
        QVERIFY(otro.termina());
        QCOMPARE(r.fk_Beneficiarios, 1);
        QCOMPARE(r.Nombre_Cliente, QString("OTRO"));
        QCOMPARE(
            filasDe(p.dm->instalacion().rutaDeudores(), "SELECT Pk_Cliente, Cuenta FROM Deudores"),
            (QList<QStringList>{{"1", "C7"}}));
        QVERIFY(p.iu.mensajes.isEmpty());
    }

    // Another program saves the presenter this one is saving, new or changed
    // into it: it is stored once and this one is refused as a duplicate.
    void presentadorQueOtroProgramaEstaGuardando_data() {
        QTest::addColumn<bool>("nuevo");
        QTest::newRow("nuevo") << true;
        QTest::newRow("modificado") << false;
    }
    void presentadorQueOtroProgramaEstaGuardando() {
        QFETCH(bool, nuevo);
        InstalacionPrueba p;
        tOrdenantes o = nuevoOrdenante("B1", "PRIMERO", "ES11");
        p.dm->ordenantes().GuardaOrdenante(o);
        const auto antes =
            filasDe(p.dm->instalacion().rutaOrdenantes(), "SELECT * FROM Ordenantes");
        TOtroPrograma otro;
        QVERIFY(otro.inicia(p.dm->instalacion().rutaOrdenantes(),
                            {"INSERT INTO Ordenantes (Pk_Ordenante, Nif_Sufijo, "
                             "Nombre_Ordenante, Cuenta) VALUES (7, 'B2', 'OTRO', 'ES22')"},
                            1000));
        tOrdenantes mio = nuevo ? nuevoOrdenante("B2", "MIO", "ES22") : o;
        mio.EsNuevo = nuevo;
        mio.Nif_Sufijo = "B2";
        mio.Cuenta = "ES22";
        const QString e = falloDe([&] { p.dm->ordenantes().GuardaOrdenante(mio); });
        QVERIFY(otro.termina());
        QCOMPARE(e, QString("Presentador duplicado"));
        QCOMPARE(filasDe(p.dm->instalacion().rutaOrdenantes(), "SELECT * FROM Ordenantes"),
                 (antes + QList<QStringList>{{"7", "B2", "OTRO", "ES22"}}));
    }

    void libradoConTablaQueFaltaDejaElTalon() {
        InstalacionPrueba p;
        QVERIFY(motor::borraTabla(p.dm->instalacion().rutaDeudores()));
        tTalon t;
        t.Cuenta = "C1";
        t.fk_Beneficiarios = 8;
        QVERIFY(!falloDe([&] { p.dm->librados().asignaLibrado(t); }).isEmpty());
        QCOMPARE(t.fk_Beneficiarios, 8);
        QVERIFY(!QFile::exists(p.dm->instalacion().rutaDeudores()));
    }
};

QTEST_GUILESS_MAIN(TstMaestros)
#include "tst_maestros.moc"
