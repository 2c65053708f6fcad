// From the first start to cheques read with the keyboard reader: the
// configuration window opens by itself, the operator chooses "MagTek: SAFE",
// reads two documents from the cheque editor, saves them and finds them in
// the editor's list.
#include "Aplicacion.h"
#include "CajaMensajes.h"
#include "ConductorVentanas.h"
#include "GuionDialogos.h"
#include "InstalacionPrueba.h"
#include "TfrmConfiguracion.h"
#include "TfrmMod_Cheque.h"
#include "TfrmPrincipal.h"
#include "TfrmScanerMTS.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {
void pulsa(QAbstractButton* b) {
    QVERIFY2(b->isEnabled(), qPrintable(b->text()));
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

// A whole codeline as the reader types it, Enter included, taken by the
// window's next tick.
void leeDocumento(TGuionDialogos& guion, TfrmScanerMTS* w, const QString& numero, bool otro) {
    guion.fijaSiguienteRespuesta(otro ? CajaMensajes::PrimerBoton : CajaMensajes::SegundoBoton);
    QTest::keyClicks(w->edtCodigo, ";" + numero + ";123456780123456789420000012345");
    QTest::keyClick(w->edtCodigo, Qt::Key_Return);
    w->Timer1Timer();
}

QStringList columna(QTreeWidget* lista, int col) {
    QStringList l;
    for (int i = 0; i < lista->topLevelItemCount(); ++i)
        l << lista->topLevelItem(i)->text(col);
    return l;
}
} // namespace

class TstRecorridoCaptura : public QObject {
    Q_OBJECT
private slots:
    void primerInicioYLecturaConTeclado() {
        QTemporaryDir dir;
        TGuionDialogos guion;
        ConductorVentanas c;
        bool primeraVez = false;
        c.alMostrar<TfrmConfiguracion>([&](TfrmConfiguracion* f) {
            primeraVez = f->primeraVez();
            pulsa(f->grupoTipo->button(4));
            pulsa(f->btnAceptar);
        });
        TAplicacion app(dir.path(), &guion);
        app.muestra();
        QTRY_VERIFY(QFile::exists(app.inst.ficheroTestigo));
        QCOMPARE(c.vistas, QStringList{"TfrmConfiguracion"});
        QVERIFY(primeraVez);
        QFile ini(app.inst.ficheros.ficheroConfiguracion);
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QByteArray config = ini.readAll();
        QVERIFY(config.contains("Tipo=4\r\n"));
        QVERIFY(config.contains("[TIEMPOS]\r\nSafe=5\r\n"));
        QCOMPARE(app.estado.Escaner.tipo, 4);

        QStringList enLista;
        c.alMostrar<TfrmMod_Cheque>([&](TfrmMod_Cheque* e) {
            pulsa(e->findChild<QPushButton*>("btnLeer")); // the capture window runs inside
            enLista = columna(e->findChild<QTreeWidget*>("lvwTransferencias"), 4); // "Nº Cheque"
            pulsa(e->findChild<QPushButton*>("btnSalir"));
        });
        c.alMostrar<TfrmScanerMTS>([&guion](TfrmScanerMTS* w) {
            leeDocumento(guion, w, "1234567", true);
            leeDocumento(guion, w, "7654321", false);
            QCOMPARE(w->lista().size(), 2);
            pulsa(w->btnSalvar);
            pulsa(w->btnSalir);
        });
        app.frmPrincipal->actLeerCheques->trigger();
        QCOMPARE(c.vistas, (QStringList{"TfrmConfiguracion", "TfrmMod_Cheque", "TfrmScanerMTS"}));
        QVERIFY(guion.textos().contains("Se leyeron: 2 cheques. Revise si se leyeros todos."));
        QCOMPARE(filasDe(app.inst.rutaTablaTalones(1), "SELECT Numero FROM Talones ORDER BY Numero")
                     .size(),
                 2);
        QCOMPARE(enLista.size(), 2);
        QVERIFY2(enLista.join(' ').contains("1234567"), qPrintable(enLista.join(' ')));
        QVERIFY2(enLista.join(' ').contains("7654321"), qPrintable(enLista.join(' ')));
    }

    // Type 0 ("Manual"): the editor's scanning button opens nothing.
    void tipoManualNoAbreNada() {
        QTemporaryDir dir;
        const tInstalacion inst = calculaInstalacion(dir.path());
        QVERIFY(QDir().mkpath(inst.dirs.Dir_Pub));
        QFile ini(inst.ficheros.ficheroConfiguracion);
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[ESCANER]\r\nTipo=0\r\n");
        ini.close();
        TGuionDialogos guion;
        ConductorVentanas c;
        c.alMostrar<TfrmConfiguracion>([](TfrmConfiguracion* f) { pulsa(f->btnAceptar); });
        c.alMostrar<TfrmScanerMTS>([](TfrmScanerMTS* w) { pulsa(w->btnSalir); });
        c.alMostrar<TfrmMod_Cheque>([](TfrmMod_Cheque* e) {
            pulsa(e->findChild<QPushButton*>("btnLeer"));
            pulsa(e->findChild<QPushButton*>("btnSalir"));
        });
        TAplicacion app(dir.path(), &guion);
        app.muestra();
        QTRY_VERIFY(QFile::exists(inst.ficheroTestigo));
        app.frmPrincipal->actLeerCheques->trigger();
        QCOMPARE(c.vistas, QStringList{"TfrmMod_Cheque"});
    }
};

QTEST_MAIN(TstRecorridoCaptura)
#include "tst_recorrido_captura.moc"
