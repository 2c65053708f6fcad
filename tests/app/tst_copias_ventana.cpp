// The window of backup copies and the offer of a copy at start: the list,
// "Hacer copia ahora", a restore confirmed or cancelled, and the damaged-table
// start that names the newest copy that passes its check.
#include "CajaMensajes.h"
#include "PruebaVentanas.h"
#include "RegistroActividad.h"
#include "SecuenciaInicio.h"
#include "Servidor.h"
#include "TfrmCopiasSeguridad.h"
#include "copias/CopiasSeguridad.h"

#include <QPushButton>
#include <QTreeWidget>
#include <QLabel>
#include <QtTest>

namespace {
void ejecuta(const QString& ruta, const QString& sql) {
    motor::Conexion con(ruta);
    QCOMPARE(motor::ejecutaSql(con, sql), QString());
}

// Makes the copies with a clock one minute apart.
struct TCopiasConReloj : TCopiasSeguridad {
    explicit TCopiasConReloj(const tInstalacion& inst) : TCopiasSeguridad(inst) {
        ahora = [this] { return reloj = reloj.addSecs(60); };
    }
    QDateTime reloj{QDate(2025, 3, 5), QTime(9, 0)};
};
} // namespace

class TstCopiasVentana : public QObject {
    Q_OBJECT
    PruebaVentanas p;

private slots:
    void init() { p.prepara(); }
    void cleanup() { p.restablece(); }

    // On the database server the copies are the server's: the window says
    // so and offers neither a copy nor a restore.
    void enElServidorLasCopiasSonDelServidor() {
        TCopiasConReloj(p->inst).haz(TCopiasSeguridad::MotivoManual);
        motor::usaServidor(motor::tServidorDatos{"servidor.oficina", 5432, "cheques", {}, {}});
        TfrmCopiasSeguridad frm(*p->dm, [] {});
        motor::usaServidor(std::nullopt);
        QVERIFY(hijo<QLabel>(frm, "lblCarpeta")->text().contains("pg_dump"));
        QVERIFY(hijo<QLabel>(frm, "lblCarpeta")->text().contains("cheques en servidor.oficina"));
        QCOMPARE(hijo<QTreeWidget>(frm, "lvwCopias")->topLevelItemCount(), 0);
        QVERIFY(!hijo<QPushButton>(frm, "btnHacerCopia")->isEnabled());
        QVERIFY(!hijo<QPushButton>(frm, "btnRestaurar")->isEnabled());
    }

    // The list shows each copy with its contents; a copy made from the
    // window appears on top; a restore asks first, naming the date and what
    // is replaced, and starts the data module again only when confirmed.
    void listaCopiaYRestaura_data() {
        QTest::addColumn<bool>("confirma");
        QTest::newRow("confirmada") << true;
        QTest::newRow("cancelada") << false;
    }
    void listaCopiaYRestaura() {
        QFETCH(bool, confirma);
        ejecuta(p->dm->instalacion().rutaDeudores(),
                "INSERT INTO Deudores (Pk_Cliente, Nombre_Cliente) VALUES (1, 'PRIMERO')");
        TCopiasConReloj(p->inst).haz(TCopiasSeguridad::MotivoManual);
        ejecuta(p->dm->instalacion().rutaDeudores(), "DELETE FROM Deudores");
        // An act after the copy: the record of activity outlives a restore.
        const TRegistroActividad registro(p->inst.dirs);
        registro.anota(ActoActividad::BorradoLibrados, "PRIMERO");
        int reinicios = 0;
        TfrmCopiasSeguridad frm(*p->dm, [&reinicios] { ++reinicios; });
        frm.show();
        auto* lista = hijo<QTreeWidget>(frm, "lvwCopias");
        QCOMPARE(lista->topLevelItemCount(), 1);
        QCOMPARE(lista->topLevelItem(0)->text(0), "05/03/2025 09:01");
        QCOMPARE(lista->topLevelItem(0)->text(3), "0");

        pulsa(hijo<QPushButton>(frm, "btnHacerCopia"));
        QCOMPARE(lista->topLevelItemCount(), 2);
        QCOMPARE(lista->topLevelItem(0)->text(1), TCopiasSeguridad::MotivoManual);
        // The diagnostic log is told where the copy went.
        const QString hecha = QDir::toNativeSeparators(TCopiasSeguridad(p->inst).lista()[0].ruta);
        QCOMPARE(p->iu.sucesos.size(), 1);
        QVERIFY2(p->iu.sucesos[0].startsWith("Copia de seguridad (hecha a mano) hecha en " + hecha +
                                             ": "),
                 qPrintable(p->iu.sucesos[0]));

        lista->setCurrentItem(lista->topLevelItem(1));
        QVERIFY(frm.textoConfirmacion().contains("05/03/2025 09:01"));
        QVERIFY(frm.textoConfirmacion().contains("librados"));
        p->guion.fijaSiguienteRespuesta(confirma ? CajaMensajes::PrimerBoton
                                                 : CajaMensajes::SegundoBoton);
        pulsa(hijo<QPushButton>(frm, "btnRestaurar"));
        QCOMPARE(reinicios, confirma ? 1 : 0);
        QCOMPARE(filasDe(p->dm->instalacion().rutaDeudores(), "SELECT count(*) FROM Deudores"),
                 QList<QStringList>{{confirma ? "1" : "0"}});
        QCOMPARE(lista->topLevelItemCount(), confirma ? 3 : 2);
        QStringList actos;
        for (const tFilaActividad& f : registro.lista({}))
            actos << f.acto;
        const QStringList esperados =
            confirma ? QStringList{ActoActividad::RestauracionCopia, ActoActividad::BorradoLibrados}
                     : QStringList{ActoActividad::BorradoLibrados};
        QCOMPARE(actos, esperados);
    }

    // A damaged table at start: the question names the newest copy that
    // passes its check (not a newer damaged one) and opens the window when
    // the operator asks.
    void tablaDanadaOfreceLaUltimaCopiaValida_data() {
        QTest::addColumn<int>("respuesta");
        QTest::newRow("abre") << 0;
        QTest::newRow("sigue") << 1;
    }
    void tablaDanadaOfreceLaUltimaCopiaValida() {
        QFETCH(int, respuesta);
        TCopiasConReloj copias(p->inst);
        const tCopia buena = copias.haz(TCopiasSeguridad::MotivoManual);
        const tCopia mala = copias.haz(TCopiasSeguridad::MotivoManual);
        QVERIFY(QFile::remove(mala.ruta + "/Tablas/historico.dat"));
        QFile tabla(p->dm->instalacion().rutaDeudores());
        QVERIFY(tabla.open(QIODevice::WriteOnly | QIODevice::Truncate));
        tabla.write(QByteArray(5000, 'x'));
        tabla.close();

        int abierta = 0;
        TSecuenciaInicio s(*p->dm, p->iu);
        s.abreCopiasSeguridad = [&abierta] { ++abierta; };
        p->iu.fijaSiguienteRespuesta(respuesta);
        QVERIFY(s.ejecuta());
        QCOMPARE(p->iu.preguntas.size(), 1);
        const QString texto = p->iu.preguntas[0].texto;
        QVERIFY2(texto.contains(TCopiasSeguridad::fechaLegible(buena)) &&
                     texto.contains(QDir::toNativeSeparators(copias.carpeta())),
                 qPrintable(texto));
        QCOMPARE(abierta, respuesta == 0 ? 1 : 0);
    }
};

QTEST_MAIN(TstCopiasVentana)
#include "tst_copias_ventana.moc"
