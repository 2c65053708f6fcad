// The whole road from the main menu, as an operator goes it: two cheques
// entered by hand and completed, one left incomplete, a presenter registered
// in the dates window, the emission written, the summary shown.
#include "Aplicacion.h"
#include "ConductorVentanas.h"
#include "GuionDialogos.h"
#include "PruebaVentanas.h"
#include "ServidorPruebas.h"
#include "TdmBBDD.h"
#include "TfrmFechas.h"
#include "TfrmMnto_Beneficiarios.h"
#include "TfrmMod_Cheque.h"
#include "TfrmPrincipal.h"
#include "TfrmResumen_Facturacion.h"

#include <QAction>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

namespace {
// A cheque by hand, completed field by field with the Enter order.
void chequeManual(TfrmMod_Cheque* e, const QString& modelo, const QString& numero,
                  const QString& importe, const QString& cuenta, const QString& librado) {
    pulsa(hijo<QPushButton>(*e, "btnManual"));
    escribe(hijo<QLineEdit>(*e, "edtFormato"), modelo);
    QTest::keyClick(hijo<QLineEdit>(*e, "edtFormato"), Qt::Key_Return);
    escribe(hijo<QLineEdit>(*e, "edtNumero"), numero);
    QTest::keyClick(hijo<QLineEdit>(*e, "edtNumero"), Qt::Key_Return);
    escribe(hijo<QLineEdit>(*e, "lbtImporte"), importe);
    QTest::keyClick(hijo<QLineEdit>(*e, "lbtImporte"), Qt::Key_Return);
    escribe(hijo<QLineEdit>(*e, "lbleditCuenta"), cuenta);
    escribe(hijo<QLineEdit>(*e, "lbleditNombreBenef"), librado);
    pulsa(hijo<QPushButton>(*e, "btnAceptar"));
}
// A configured installation: no configuration window at start-up.
void configura(const QString& carpeta) {
    const tInstalacion inst = calculaInstalacion(carpeta);
    QVERIFY(QDir().mkpath(inst.dirs.Dir_Pub));
    QFile ini(inst.ficheros.ficheroConfiguracion);
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[ESCANER]\r\nTipo=0\r\n");
    ini.close();
    preparaServidorPruebas(inst);
}
} // namespace

class TstRecorrido : public QObject {
    Q_OBJECT
private slots:
    void emisionCompletaDesdeElMenu() {
        QTemporaryDir dir;
        TGuionDialogos guion;
        configura(dir.path());
        TAplicacion app(dir.path(), &guion);
        app.muestra();
        const tInstalacion& inst = app.inst;
        QTRY_VERIFY(QFile::exists(inst.ficheroTestigo));

        // A cheque read earlier and never completed stays in the remittance.
        {
            motor::Conexion con(inst.rutaTablaTalones(1));
            QCOMPARE(motor::ejecutaSql(con, "INSERT INTO Talones (Pk_Talon, Estado, Numero, "
                                            "Cuenta, fk_Clientes, fk_Remesa) VALUES "
                                            "(1, '1', '0000000', '', 0, 1)"),
                     QString());
        }

        ConductorVentanas c;
        c.alMostrar<TfrmMod_Cheque>([](TfrmMod_Cheque* e) {
            chequeManual(e, "42125", "12345676", "1234,56", "12345678010123456789", "LIBRADO UNO");
            chequeManual(e, "42125", "76543214", "100", "20805801101234567891", "LIBRADO DOS");
            // A third one cancelled leaves no row.
            pulsa(hijo<QPushButton>(*e, "btnManual"));
            pulsa(hijo<QPushButton>(*e, "btnCancelar"));
            QCOMPARE(hijo<QTreeWidget>(*e, "lvwTransferencias")->topLevelItemCount(), 3);
            QCOMPARE(hijo<QLineEdit>(*e, "ledtImporteTotal")->text(), QString("1.334,56 Euros"));
            pulsa(hijo<QPushButton>(*e, "btnEmision"));
            QVERIFY(hijo<QFrame>(*e, "pnlAviso")->isVisible());
            pulsa(hijo<QPushButton>(*e, "btnContinuar"));
        });
        c.alMostrar<TfrmFechas>([](TfrmFechas* f) {
            pulsa(hijo<QPushButton>(*f, "btnNuevo"));
            escribe(hijo<QLineEdit>(*f, "edtNombre"), "EMPRESA DE PRUEBA SL");
            escribe(hijo<QLineEdit>(*f, "edtCuenta"), "ES91 2100 0418 4502 0005 1332");
            escribe(hijo<QLineEdit>(*f, "edtNif"), "B12345674");
            pulsa(hijo<QPushButton>(*f, "btnAceptar"));
        });
        QString visor;
        c.alMostrar<TfrmResumen_Facturacion>([&visor](TfrmResumen_Facturacion* r) {
            visor = hijo<QTextEdit>(*r, "rchVisor")->toPlainText();
            pulsa(hijo<QPushButton>(*r, "btnSalir"));
        });
        hijo<QAction>(*app.frmPrincipal, "actLeerCheques")->trigger();

        QCOMPARE(guion.textos(), QStringList{"the Style is not valid"});
        QCOMPARE(c.vistas,
                 (QStringList{"TfrmMod_Cheque", "TfrmFechas", "TfrmResumen_Facturacion"}));
        QVERIFY(visor.contains("EMPRESA DE PRUEBA SL"));

        const QString cons = inst.dirs.Dir_Cons;
        for (const char* f : {"CONS.0001", "INFO.0001", "INFORES.0001", "CONS.0001.zip"})
            QVERIFY2(QFile::exists(cons + f), f);
        QFile bancario(cons + "CONS.0001");
        QVERIFY(bancario.open(QIODevice::ReadOnly));
        QList<QByteArray> registros = bancario.readAll().split('\n');
        QCOMPARE(registros.size(), 5); // header, two cheques, totals, and the final CR LF
        QVERIFY(registros[0].startsWith("1056"));
        QVERIFY(registros[3].startsWith("4056"));

        QProcess unzip;
        unzip.start("unzip", {"-t", cons + "CONS.0001.zip"});
        QVERIFY(unzip.waitForFinished());
        QCOMPARE(unzip.exitCode(), 0);

        QCOMPARE(filasDe(inst.rutaTabla("historicoCheques.dat"),
                         "SELECT Numero, Nombre_Cliente FROM historicoCheques ORDER BY Numero"),
                 (QList<QStringList>{{"1234567-6", "LIBRADO UNO"}, {"7654321-4", "LIBRADO DOS"}}));
        QCOMPARE(filasDe(inst.rutaTablaTalones(1), "SELECT Estado, Numero FROM Talones"),
                 (QList<QStringList>{{"1", "0000000"}}));
        QCOMPARE(filasDe(inst.rutaTabla("Ordenantes.dat"), "SELECT Cuenta FROM Ordenantes"),
                 (QList<QStringList>{{"ES9121000418450200051332"}}));

        // The operator checks the file before sending it again: good, then
        // with a record cut short on disk.
        QAction* verificar = hijo<QAction>(*app.frmPrincipal, "actVerificarFichero");
        const QString nombre = QDir::toNativeSeparators(cons + "CONS.0001");
        guion.fijaSiguienteRutaAbrir(cons + "CONS.0001");
        verificar->trigger();
        QCOMPARE(guion.textos().last(), "El fichero para el banco " + nombre +
                                            " es correcto: 2 cheques por un total de 1.334,56 "
                                            "euros.");
        registros[1].remove(registros[1].size() - 2, 1); // a blank before its CR
        bancario.close();
        QVERIFY(bancario.open(QIODevice::WriteOnly | QIODevice::Truncate));
        bancario.write(registros.join('\n'));
        bancario.close();
        guion.fijaSiguienteRutaAbrir(cons + "CONS.0001");
        verificar->trigger();
        QCOMPARE(guion.cajas.last().tipo, TGuionDialogos::Tipo::Aviso);
        QVERIFY2(guion.textos().last().contains(nombre + " no es correcto") &&
                     guion.textos().last().contains("línea 2 tiene 149 caracteres"),
                 qPrintable(guion.textos().last()));
        // Cancelled: nothing is shown.
        const qsizetype cajas = guion.cajas.size();
        verificar->trigger();
        QCOMPARE(guion.cajas.size(), cajas);
    }

    void libradosDesdeElMenu() {
        QTemporaryDir dir;
        configura(dir.path());
        TGuionDialogos guion;
        TAplicacion app(dir.path(), &guion);
        app.muestra();
        QTRY_VERIFY(QFile::exists(app.inst.ficheroTestigo));
        QVERIFY(hijo<QAction>(*app.frmPrincipal, "actLibrados")->isEnabled());
        ConductorVentanas c;
        c.alMostrar<TfrmMnto_Beneficiarios>([](TfrmMnto_Beneficiarios* v) {
            QCOMPARE(v->windowTitle(), QStringLiteral("Mantenimiento de Librados"));
            pulsa(hijo<QPushButton>(*v, "btnSalir"));
        });
        hijo<QAction>(*app.frmPrincipal, "actLibrados")->trigger();
        QCOMPARE(c.vistas, QStringList{"TfrmMnto_Beneficiarios"});
    }
};

QTEST_MAIN(TstRecorrido)
#include "tst_recorrido.moc"
