// The shared list sorting by the program-wide sort column.
#include "ListaOrdenable.h"

#include <QHeaderView>
#include <QtTest>

class TstListaOrdenable : public QObject {
    Q_OBJECT

    static tFilaLista fila(const QString& c, const QStringList& celdas, int pk) {
        tFilaLista f;
        f.caption = c;
        f.celdas = celdas;
        f.datos.pk = pk;
        return f;
    }
    static QList<int> claves(const TListaOrdenable& l) {
        QList<int> r;
        for (int i = 0; i < l.numeroFilas(); ++i)
            r << l.fila(i)->datos.pk;
        return r;
    }

private slots:
    void filasAltasComoUnaLineaAunqueLaPrimeraEsteVacia() {
        // Rows share the first row's height; an empty first caption must not
        // make them too low for the accents of the capitals.
        // (as under the application's style sheet).
        qApp->setStyleSheet("QDialog { background-color: #eef2f7; }");
        const auto restablece = qScopeGuard([] { qApp->setStyleSheet({}); });
        int columna = 0;
        TListaOrdenable l(columna);
        l.defineColumnas({"Nombre", "Cuenta"}, {200, 200});
        l.cargaFilas({fila("", {"C0"}, 1), fila("ÍÑIGO PÉREZ", {"C1"}, 2)});
        l.show();
        QVERIFY(QTest::qWaitForWindowExposed(&l));
        // A line of text and room for the grid line and the accents.
        QVERIFY(l.visualItemRect(l.fila(1)).height() >= l.fontMetrics().height() + 4);
        // Several rows can be selected; they come back in list order.
        l.setSelectionMode(QAbstractItemView::ExtendedSelection);
        l.fila(1)->setSelected(true);
        l.fila(0)->setSelected(true);
        QCOMPARE(l.filasSeleccionadas(), (QList<TElementoLista*>{l.fila(0), l.fila(1)}));
        QCOMPARE(l.filaSeleccionada(), l.fila(1)); // the first one chosen
    }

    void ordenaPorLaColumnaCompartida_data() {
        QTest::addColumn<int>("columna");
        QTest::addColumn<QList<int>>("orden");
        // Rows: (caption, cell 1, cell 2) keyed 1..4.
        QTest::newRow("titulo, mayusculas A-Z ignoradas") << 0 << QList<int>{2, 1, 3, 4};
        QTest::newRow("primera celda, texto no numero") << 1 << QList<int>{3, 4, 1, 2};
        QTest::newRow("columna que no existe: iguales") << 4 << QList<int>{1, 2, 3, 4};
    }
    void ordenaPorLaColumnaCompartida() {
        QFETCH(int, columna);
        QFETCH(QList<int>, orden);
        int columnaOrden = columna;
        TListaOrdenable l(columnaOrden);
        l.defineColumnas({"Nombre", "Importe", "Cuenta"}, {100, 80, 80});
        l.cargaFilas({fila("beta", {"9,00", "x"}, 1), fila("Alfa", {"9,50", "y"}, 2),
                      fila("zeta", {"10,00", "z"}, 3), fila("Ñu", {"100,00", "w"}, 4)});
        QCOMPARE(claves(l), orden);
    }

    void clicEnCabeceraGuardaLaColumnaYReordena() {
        int columnaOrden = 0;
        TListaOrdenable l(columnaOrden);
        l.defineColumnas({"Nombre", "Cuenta"}, {100, 100});
        l.cargaFilas({fila("B", {"1"}, 1), fila("a", {"2"}, 2)});
        QCOMPARE(claves(l), (QList<int>{2, 1}));
        emit l.header()->sectionClicked(1);
        QCOMPARE(columnaOrden, 1);
        QCOMPARE(claves(l), (QList<int>{1, 2}));
        l.agregaFila(fila("c", {"0"}, 3));
        QCOMPARE(claves(l), (QList<int>{3, 1, 2}));
    }

    void soloSePleganLasLetrasAZ() {
        QCOMPARE(TElementoLista::comparaTextos("abc", "ABC"), 0);
        QVERIFY(TElementoLista::comparaTextos("é", "É") != 0);
    }
};

QTEST_MAIN(TstListaOrdenable)
#include "tst_ListaOrdenable.moc"
