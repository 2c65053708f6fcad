// Selection of an emitted remittance over rows written into the history table.
#include "ListaOrdenable.h"
#include "PruebaVentanas.h"
#include "TfrmMnto_Transferencias.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QtTest>

class TstTfrmMnto_Transferencias : public QObject {
    Q_OBJECT

    PruebaVentanas p;
    std::unique_ptr<TfrmMnto_Transferencias> frm;

    // One emission as the emission records it.
    void emision(int pk, const QString& fecha, const QString& importe, const QString& cons) {
        motor::Conexion con(p->dm->instalacion().rutaHistorico());
        const QString e = motor::ejecutaSql(
            con,
            "INSERT INTO historico (Pk_Historico, Nombre_Remesa, Nombre_Ordenante, Nif, Cuenta, "
            "Importe, Numero_Talones, Numero_Registros, Fecha_Soporte, Fecha_Confeccion, "
            "Nombre_Cons) VALUES (?, 'ESTANDAR', 'EMPRESA D''OR', '12345678Z', "
            "'ES9121000418450200051332', ?, '3', '5', '02/03/2025', ?, ?)",
            {pk, importe, fecha, cons});
        QVERIFY2(e.isEmpty(), qPrintable(e));
    }

    void abre() {
        frm = std::make_unique<TfrmMnto_Transferencias>(*p->dm);
        frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm.get()));
    }

    QList<int> claves() const {
        QList<int> r;
        for (int i = 0; i < hijo<TListaOrdenable>(*frm, "lvwRemesas")->numeroFilas(); ++i)
            r << hijo<TListaOrdenable>(*frm, "lvwRemesas")->fila(i)->datos.pk;
        return r;
    }

private slots:
    void init() { p.prepara(); }
    void cleanup() {
        frm.reset();
        p.restablece();
    }

    void unaEmisionNoQuedaPreseleccionada() {
        emision(1, "01/03/2025", "1234,5", "CONS.0001");
        abre();
        QCOMPARE(frm->windowTitle(), QStringLiteral("Selección de la remesa"));
        QCOMPARE(hijo<TListaOrdenable>(*frm, "lvwRemesas")->numeroFilas(), 1);
        const TElementoLista* fila = hijo<TListaOrdenable>(*frm, "lvwRemesas")->fila(0);
        QCOMPARE(fila->text(0), QStringLiteral("01/03/2025"));
        QCOMPARE(fila->text(2), QStringLiteral("EMPRESA D'OR"));
        QCOMPARE(fila->text(4), QStringLiteral("1.234,50"));
        QCOMPARE(fila->text(6), QStringLiteral("02/03/2025"));
        QVERIFY(fila->textAlignment(4) & Qt::AlignRight);
        QVERIFY(hijo<TListaOrdenable>(*frm, "lvwRemesas")->filaSeleccionada() == nullptr);
        QVERIFY(!hijo<QPushButton>(*frm, "btnSeleccionar")->isEnabled());
        // Enter and double click do nothing while nothing is selected.
        QTest::keyClick(hijo<TListaOrdenable>(*frm, "lvwRemesas"), Qt::Key_Return);
        QVERIFY(frm->isVisible());

        const QRect r = hijo<TListaOrdenable>(*frm, "lvwRemesas")
                            ->visualItemRect(hijo<TListaOrdenable>(*frm, "lvwRemesas")->fila(0));
        QTest::mouseClick(hijo<TListaOrdenable>(*frm, "lvwRemesas")->viewport(), Qt::LeftButton, {},
                          r.center());
        QVERIFY(hijo<QPushButton>(*frm, "btnSeleccionar")->isEnabled());
        QTest::mouseClick(hijo<QPushButton>(*frm, "btnSeleccionar"), Qt::LeftButton);
        QCOMPARE(frm->result(), int(QDialog::Accepted));
        QCOMPARE(p->estado.RemesaActual.Pk_Remesa, 1);
        QCOMPARE(p->estado.RemesaActual.nombre_Cons, QStringLiteral("CONS.0001"));
    }

    void tresEmisionesLaMasNuevaPrimeroYSeleccionada() {
        emision(1, "01/03/2025", "10,00", "CONS.0001");
        emision(2, "15/03/2025", "9,00", "CONS.0002");
        emision(3, "02/04/2025", "100,00", "CONS.0003");
        abre();
        QCOMPARE(claves(), (QList<int>{3, 2, 1}));
        QCOMPARE(hijo<TListaOrdenable>(*frm, "lvwRemesas")->filaSeleccionada(),
                 hijo<TListaOrdenable>(*frm, "lvwRemesas")->fila(0));
        QVERIFY(hijo<QPushButton>(*frm, "btnSeleccionar")->isEnabled());
        QCOMPARE(p->guion.textos(), QStringList{});
        QTest::keyClick(hijo<TListaOrdenable>(*frm, "lvwRemesas"), Qt::Key_Return);
        QCOMPARE(frm->result(), int(QDialog::Accepted));
        QCOMPARE(p->estado.RemesaActual.Pk_Remesa, 3);
        QCOMPARE(p->estado.RemesaActual.nombre_Cons, QStringLiteral("CONS.0003"));
    }

    void elImporteSeOrdenaComoTexto() {
        emision(1, "01/03/2025", "10,00", "CONS.0001");
        emision(2, "15/03/2025", "9,00", "CONS.0002");
        emision(3, "02/04/2025", "100,00", "CONS.0003");
        abre();
        emit hijo<TListaOrdenable>(*frm, "lvwRemesas")->header()->sectionClicked(4);
        QCOMPARE(p->estado.ColumnaOrden, 4);
        // "10,00" < "100,00" < "9,00" as text.
        QCOMPARE(claves(), (QList<int>{1, 3, 2}));
        // Cancel leaves the current remittance alone.
        QTest::mouseClick(hijo<QPushButton>(*frm, "btnCancelar"), Qt::LeftButton);
        QCOMPARE(frm->result(), int(QDialog::Rejected));
        QCOMPARE(p->estado.RemesaActual.Pk_Remesa, 1);
    }

    // The emission's file name cannot be read once the list is shown: the
    // operator reads why, and nothing is chosen.
    void nombreIlegibleNoEligeLaEmision() {
        emision(1, "01/03/2025", "10,00", "CONS.0001");
        emision(2, "15/03/2025", "9,00", "CONS.0002");
        p->estado.RemesaActual.Pk_Remesa = 7;
        p->estado.RemesaActual.nombre_Cons = "CONS.0007";
        abre();
        QVERIFY(motor::borraTabla(p->dm->instalacion().rutaHistorico()));
        QTest::keyClick(hijo<TListaOrdenable>(*frm, "lvwRemesas"), Qt::Key_Return);
        QCOMPARE(p->iu.mensajes.size(), 1);
        QVERIFY(p->iu.mensajes.first().contains(
            QDir::toNativeSeparators(p->dm->instalacion().rutaHistorico())));
        QVERIFY(frm->isVisible());
        QCOMPARE(p->estado.RemesaActual.Pk_Remesa, 7);
        QCOMPARE(p->estado.RemesaActual.nombre_Cons, QStringLiteral("CONS.0007"));
    }

    // The history table is missing or damaged: the operator reads which file
    // and what happened, in Spanish, and the list stays empty.
    void fallaLaConsultaYLaListaQuedaVacia_data() {
        QTest::addColumn<QByteArray>("contenido"); // "-": the file is missing
        QTest::addColumn<QString>("dice");
        QTest::newRow("no existe") << QByteArray("-") << "no existe";
        QTest::newRow("vacia") << QByteArray() << "está dañada o contiene otra tabla";
        QTest::newRow("bytes al azar") << QByteArray(3000, '\x5a') << "está dañada";
    }
    void fallaLaConsultaYLaListaQuedaVacia() {
        QFETCH(QByteArray, contenido);
        QFETCH(QString, dice);
        const QString ruta = p->dm->instalacion().rutaHistorico();
        QVERIFY(motor::borraTabla(ruta));
        if (contenido != "-") {
            QFile f(ruta);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(contenido);
        }
        abre();
        QCOMPARE(p->guion.textos().size(), 1);
        const QString texto = p->guion.textos().first();
        QVERIFY2(texto.startsWith("ERROR EN LA CONSULTA : La tabla " +
                                  QDir::toNativeSeparators(ruta) + " " + dice),
                 qPrintable(texto));
        QCOMPARE(hijo<TListaOrdenable>(*frm, "lvwRemesas")->numeroFilas(), 0);
        QVERIFY(!hijo<QPushButton>(*frm, "btnSeleccionar")->isEnabled());
        QCOMPARE(p->iu.vecesMostrada, p->iu.vecesOcultada);
        QVERIFY(p->iu.vecesMostrada > 0);
    }
};

QTEST_MAIN(TstTfrmMnto_Transferencias)
#include "tst_TfrmMnto_Transferencias.moc"
