// Remittance list: the road it runs when shown, and its commands.
#include "AlmacenRemesas.h"
#include "ListaOrdenable.h"
#include "OtroPrograma.h"
#include "PruebaVentanas.h"
#include "TfrmMnto_Remesas.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>
#include <QtTest>

namespace {
// Records the steps of the road and answers them from a script.
struct Recorrido {
    bool editor = false, fechas = false, emision = false;
    QStringList pasos;
    // Steps taken while the list window was on screen behind them.
    QStringList conListaALaVista;
    void conecta(TfrmMnto_Remesas& frm) {
        const auto anota = [this, &frm](const QString& paso) {
            pasos << paso;
            if (frm.windowHandle() != nullptr && frm.windowHandle()->isVisible())
                conListaALaVista << paso;
        };
        frm.abreEditor = [this, anota](const tRemesas& r) {
            anota("editor " + r.Nombre_Remesa);
            return editor;
        };
        frm.abreFechas = [this, anota](QString& p, QString& c) {
            anota("fechas");
            p = "11/03/2025";
            c = "10/03/2025";
            return fechas;
        };
        frm.emite = [this, anota](tRemesas& r, const QString& c, const QString& p) {
            anota("emision " + c + " " + p);
            r.nombre_Cons = "CONS.0001";
            return emision;
        };
        frm.abreResumen = [anota](const QString& f) { anota("resumen " + f); };
    }
};
} // namespace

class TstTfrmMnto_Remesas : public QObject {
    Q_OBJECT
private slots:
    void elRecorridoAlMostrarse_data() {
        QTest::addColumn<bool>("editor");
        QTest::addColumn<bool>("fechas");
        QTest::addColumn<QStringList>("pasos");
        QTest::newRow("sale del editor sin emitir")
            << false << false << QStringList{"editor ESTANDAR"};
        QTest::newRow("fechas canceladas")
            << true << false << QStringList{"editor ESTANDAR", "fechas"};
        QTest::newRow("emision y resumen")
            << true << true
            << QStringList{"editor ESTANDAR", "fechas", "emision 10/03/2025 11/03/2025",
                           "resumen CONS.0001"};
    }
    void elRecorridoAlMostrarse() {
        QFETCH(bool, editor);
        QFETCH(bool, fechas);
        QFETCH(QStringList, pasos);
        InstalacionPrueba p;
        p.estado.RemesaActual = {};
        Recorrido r{editor, fechas, true, {}, {}};
        TfrmMnto_Remesas frm(*p.dm);
        r.conecta(frm);
        frm.open();
        // The window closes itself once the road is over.
        QTRY_VERIFY(!frm.isVisible());
        QCOMPARE(frm.result(), int(QDialog::Accepted));
        QCOMPARE(r.pasos, pasos);
        // The road ran before the list window reached the screen.
        QCOMPARE(r.conListaALaVista, QStringList{});
        QCOMPARE(p.estado.RemesaActual.Pk_Remesa, 1);
    }

    // A damaged remittance table: the list says which file and what
    // happened, and the road does not go on to the editor.
    void tablaDeRemesasDanada() {
        InstalacionPrueba p;
        {
            QFile f(p.dm->instalacion().rutaRemesas());
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(QByteArray(3000, '\x5a'));
        }
        Recorrido r{true, true, true, {}, {}};
        TfrmMnto_Remesas frm(*p.dm);
        r.conecta(frm);
        frm.open();
        QTRY_VERIFY(!p.iu.mensajes.isEmpty());
        QVERIFY2(p.iu.mensajes[0].startsWith(
                     "La tabla " + QDir::toNativeSeparators(p.dm->instalacion().rutaRemesas()) +
                     " está dañada"),
                 qPrintable(p.iu.mensajes[0]));
        QTRY_VERIFY(!frm.isVisible());
        QCOMPARE(r.pasos, QStringList());
    }

    void nuevaRemesa_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("blancos") << "   "
                                 << "El Nombre de la remesa no puede quedar en blanco";
        QTest::newRow("estandar en minusculas") << "estandar"
                                                << "Ya existe una remesa con ese mismo nombre";
        QTest::newRow("nueva") << "SEGUNDA"
                               << "";
    }
    void nuevaRemesa() {
        QFETCH(QString, nombre);
        QFETCH(QString, mensaje);
        InstalacionPrueba p;
        TfrmMnto_Remesas frm(*p.dm);
        frm.refrescaLista();
        frm.pulsaNueva();
        QVERIFY(!hijo<QPushButton>(frm, "btnSeleccionar")->isEnabled());
        QVERIFY(hijo<QPushButton>(frm, "btnAceptar")->isEnabled());
        QTest::keyClicks(hijo<QLineEdit>(frm, "edtNombre"), nombre);
        QCOMPARE(frm.pulsaAceptar(), mensaje.isEmpty());
        if (mensaje.isEmpty()) {
            QVERIFY(p.guion.textos().isEmpty());
            QCOMPARE(filasDe(p.dm->instalacion().rutaRemesas(),
                             "SELECT Pk_Remesas FROM remesas WHERE "
                             "Nombre_Remesa = 'SEGUNDA'"),
                     (QList<QStringList>{{"2"}}));
            QVERIFY(QFile::exists(p.inst.dirs.Dir_TablaRemesas + "2.dat"));
            QCOMPARE(hijo<TListaOrdenable>(frm, "lvwremesas")->numeroFilas(), 2);
            QVERIFY(hijo<QPushButton>(frm, "btnNueva")->isEnabled());
            QVERIFY(!hijo<QPushButton>(frm, "btnAceptar")->isEnabled());
        } else {
            QCOMPARE(p.guion.textos(), QStringList{mensaje});
            QVERIFY(hijo<QPushButton>(frm, "btnAceptar")->isEnabled()); // stays in new-name mode
        }
    }

    // Another program works on the remittance table while this one accepts
    // a new name: it is creating the same remittance (this one waits for it
    // and refuses the name: one row, one message), or it holds the table
    // longer than the engine waits (nothing changes, the table is in use,
    // and accepting again once it is done works).
    void nuevaRemesaMientrasOtroProgramaEscribe_data() {
        QTest::addColumn<QString>("sentencia");
        QTest::addColumn<int>("msRetenida");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("el otro crea la misma")
            << "INSERT INTO remesas (Pk_Remesas, Nombre_Remesa) VALUES (2, 'SEGUNDA')" << 1000
            << "Ya existe una remesa con ese mismo nombre";
        QTest::newRow("el otro retiene la tabla")
            << "INSERT INTO remesas (Pk_Remesas, Nombre_Remesa) VALUES (2, 'OTRA')" << 6500
            << "está en uso por otro programa";
    }
    void nuevaRemesaMientrasOtroProgramaEscribe() {
        QFETCH(QString, sentencia);
        QFETCH(int, msRetenida);
        QFETCH(QString, mensaje);
        InstalacionPrueba p;
        TfrmMnto_Remesas frm(*p.dm);
        frm.refrescaLista();
        frm.pulsaNueva();
        QTest::keyClicks(hijo<QLineEdit>(frm, "edtNombre"), "SEGUNDA");
        const auto segundas = [&] {
            return filasDe(p.dm->instalacion().rutaRemesas(),
                           "SELECT count(*) FROM remesas WHERE Nombre_Remesa = 'SEGUNDA'")
                .first()
                .first();
        };
        TOtroPrograma otro;
        QVERIFY(otro.inicia(p.dm->instalacion().rutaRemesas(), {sentencia}, msRetenida));
        QVERIFY(!frm.pulsaAceptar());
        QVERIFY(otro.termina());
        const QStringList mensajes = p.guion.textos() + p.iu.mensajes;
        QCOMPARE(mensajes.size(), 1);
        QVERIFY2(mensajes.first().contains(mensaje), qPrintable(mensajes.first()));
        QVERIFY(hijo<QPushButton>(frm, "btnAceptar")->isEnabled()); // stays in new-name mode
        const bool mismoNombre = sentencia.contains("SEGUNDA");
        QCOMPARE(segundas(), mismoNombre ? "1" : "0");
        if (!mismoNombre) {
            QVERIFY(frm.pulsaAceptar());
            QCOMPARE(segundas(), "1");
            QVERIFY(QFile::exists(p.inst.dirs.Dir_TablaRemesas + "3.dat"));
        }
        QCOMPARE(filasDe(p.dm->instalacion().rutaRemesas(), "SELECT count(*) FROM remesas")
                     .first()
                     .first(),
                 mismoNombre ? "2" : "3");
    }

    void eliminarBorraLaRemesaActual() {
        InstalacionPrueba p;
        tRemesas r;
        r.Nombre_Remesa = "OTRA";
        p.dm->remesas().GuardaRegistroRemesa(r);
        TfrmMnto_Remesas frm(*p.dm);
        frm.refrescaLista();
        hijo<TListaOrdenable>(frm, "lvwremesas")->seleccionaFila(1);
        emit hijo<TListaOrdenable>(frm, "lvwremesas")
            ->itemClicked(hijo<TListaOrdenable>(frm, "lvwremesas")->fila(1), 0);
        QCOMPARE(p.estado.RemesaActual.Nombre_Remesa, QString("OTRA"));
        QTest::mouseClick(hijo<QPushButton>(frm, "btnEliminar"), Qt::LeftButton);
        QCOMPARE(hijo<TListaOrdenable>(frm, "lvwremesas")->numeroFilas(), 1);
        QVERIFY(!QFile::exists(p.inst.dirs.Dir_TablaRemesas + "2.dat"));
        QCOMPARE(p.estado.RemesaActual.Nombre_Remesa, QString("ESTANDAR"));
    }

    void seleccionarRecorreLaRemesaElegida() {
        InstalacionPrueba p;
        tRemesas r;
        r.Nombre_Remesa = "OTRA";
        p.dm->remesas().GuardaRegistroRemesa(r);
        TfrmMnto_Remesas frm(*p.dm);
        Recorrido rec;
        rec.conecta(frm);
        frm.refrescaLista();
        hijo<TListaOrdenable>(frm, "lvwremesas")->seleccionaFila(1);
        emit hijo<TListaOrdenable>(frm, "lvwremesas")
            ->itemClicked(hijo<TListaOrdenable>(frm, "lvwremesas")->fila(1), 0);
        QTest::mouseClick(hijo<QPushButton>(frm, "btnSeleccionar"), Qt::LeftButton);
        QCOMPARE(rec.pasos, QStringList{"editor OTRA"});
        QCOMPARE(frm.result(), int(QDialog::Accepted));
    }
    void nuevaRemesaConElTeclado() {
        InstalacionPrueba p;
        TfrmMnto_Remesas frm(*p.dm);
        frm.refrescaLista();
        frm.pulsaNueva();
        QTest::keyClicks(hijo<QLineEdit>(frm, "edtNombre"), "segunda");
        // Enter in the name goes to "&Aceptar", and Enter there presses it.
        QTest::keyClick(hijo<QLineEdit>(frm, "edtNombre"), Qt::Key_Return);
        QCOMPARE(hijo<TListaOrdenable>(frm, "lvwremesas")->numeroFilas(), 1);
        QTest::keyClick(hijo<QPushButton>(frm, "btnAceptar"), Qt::Key_Return);
        QCOMPARE(p.guion.textos(), QStringList{});
        QCOMPARE(hijo<TListaOrdenable>(frm, "lvwremesas")->numeroFilas(), 2);
        QVERIFY(hijo<QPushButton>(frm, "btnNueva")->isEnabled());
    }
};

QTEST_MAIN(TstTfrmMnto_Remesas)
#include "tst_TfrmMnto_Remesas.moc"
