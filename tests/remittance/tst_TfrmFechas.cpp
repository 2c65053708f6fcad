// Remittance dates window: date checks, presenter choice and a presenter
// registered on the spot.
#include "AlmacenOrdenantes.h"
#include "Cadenas.h"
#include "PruebaVentanas.h"
#include "TfrmFechas.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
const QDate Hoy(2025, 3, 10);
const QString IbanValido = "ES9121000418450200051332";
const QString NifValido = "12345678Z";

tOrdenantes guardaOrdenante(TdmBBDD& dm, const QString& nif, const QString& nombre,
                            const QString& cuenta) {
    tOrdenantes o;
    o.Nif_Sufijo = nif;
    o.Nombre_ordenante = nombre;
    o.Cuenta = cuenta;
    o.EsNuevo = true;
    dm.ordenantes().GuardaOrdenante(o);
    return o;
}
} // namespace

class TstTfrmFechas : public QObject {
    Q_OBJECT
private slots:
    void fechaDeProceso_data() {
        QTest::addColumn<QString>("fecha");
        QTest::addColumn<bool>("aceptada");
        QTest::newRow("en blanco") << "" << false;
        QTest::newRow("30 de febrero") << "30/02/2025" << false;
        QTest::newRow("letras") << "AB/CD/EFGH" << false;
        QTest::newRow("hoy") << "10/03/2025" << true;
        QTest::newRow("+365 dias") << "10/03/2026" << true;
        QTest::newRow("+366 dias") << "11/03/2026" << false;
        QTest::newRow("-100 dias") << Hoy.addDays(-100).toString("dd/MM/yyyy") << true;
    }
    void fechaDeProceso() {
        QFETCH(QString, fecha);
        QFETCH(bool, aceptada);
        InstalacionPrueba p;
        const tOrdenantes o = guardaOrdenante(*p.dm, NifValido, "EMPRESA", IbanValido);
        TfrmFechas frm(*p.dm, Hoy);
        frm.prepara();
        hijo<QComboBox>(frm, "cboOrdenantes")->setCurrentIndex(1);
        hijo<QLineEdit>(frm, "edtFechaProceso")->setText(fecha);
        QCOMPARE(frm.pulsaAceptar(), aceptada);
        if (aceptada) {
            QVERIFY(p.guion.textos().isEmpty());
            QCOMPARE(p.estado.OrdenanteActual.Pk_Ordenante, o.Pk_Ordenante);
            QCOMPARE(p.estado.RemesaActual.Fecha_Proceso, fecha);
            QCOMPARE(p.estado.RemesaActual.Fecha_Confeccion, QString("10/03/2025"));
        } else {
            QCOMPARE(p.guion.textos(), QStringList{Cadenas::mensajes().mnjErrorFechaAbono});
            QCOMPARE(p.estado.OrdenanteActual.Pk_Ordenante, 0);
        }
    }

    void sinOrdenanteElegido() {
        InstalacionPrueba p;
        guardaOrdenante(*p.dm, NifValido, "EMPRESA", IbanValido);
        TfrmFechas frm(*p.dm, Hoy);
        frm.prepara();
        QCOMPARE(hijo<QComboBox>(frm, "cboOrdenantes")->itemText(0), TfrmFechas::LineaSeleccione);
        QCOMPARE(hijo<QComboBox>(frm, "cboOrdenantes")->count(), 2);
        QVERIFY(!frm.pulsaAceptar());
        QCOMPARE(p.guion.textos(),
                 QStringList{"debe de escoger un ordenante o dar de al ta uno nuevo"});
    }

    void ordenanteNuevo_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("cuenta");
        QTest::addColumn<QString>("nif");
        QTest::addColumn<QString>("mensaje");
        const tRegistro_Mensajes& m = Cadenas::mensajes();
        QTest::newRow("sin nombre") << "  " << IbanValido << NifValido << m.mnjErrorNombreAcreedor;
        QTest::newRow("iban portugues")
            << "EMPRESA"
            << "PT50000201231234567890154" << NifValido << m.mnjErrorIbanNoEspanol;
        QTest::newRow("digitos de control mal")
            << "EMPRESA"
            << "ES9221000418450200051332" << NifValido << m.mnjErrorIbanNoEspanol;
        QTest::newRow("nif con letra mal")
            << "EMPRESA" << IbanValido << "12345678A" << m.mnjErrorNifAcreedor;
        QTest::newRow("nif corto") << "EMPRESA" << IbanValido << "1234" << m.mnjErrorNifAcreedor;
        QTest::newRow("duplicado") << "OTRO NOMBRE" << IbanValido << "B12345674"
                                   << "Presentador duplicado";
    }
    void ordenanteNuevo() {
        QFETCH(QString, nombre);
        QFETCH(QString, cuenta);
        QFETCH(QString, nif);
        QFETCH(QString, mensaje);
        InstalacionPrueba p;
        guardaOrdenante(*p.dm, "B12345674", "EXISTENTE", IbanValido);
        TfrmFechas frm(*p.dm, Hoy);
        frm.prepara();
        frm.pulsaNuevo();
        QVERIFY(!hijo<QComboBox>(frm, "cboOrdenantes")->isEnabled());
        hijo<QLineEdit>(frm, "edtNombre")->setText(nombre);
        hijo<QLineEdit>(frm, "edtCuenta")->setText(cuenta);
        hijo<QLineEdit>(frm, "edtNif")->setText(nif);
        QVERIFY(!frm.pulsaAceptar());
        QCOMPARE(p.guion.textos(), QStringList{mensaje});
        QCOMPARE(filasDe(p.dm->instalacion().rutaOrdenantes(), "SELECT count(*) FROM Ordenantes"),
                 (QList<QStringList>{{"1"}}));
        // A second try runs every check again, from the dates on.
        hijo<QLineEdit>(frm, "edtFechaProceso")->setText("");
        QVERIFY(!frm.pulsaAceptar());
        QCOMPARE(p.guion.textos().last(), Cadenas::mensajes().mnjErrorFechaAbono);
    }

    void ordenanteNuevoSeGuardaYSeElige() {
        InstalacionPrueba p;
        guardaOrdenante(*p.dm, "B12345674", "EXISTENTE", IbanValido);
        TfrmFechas frm(*p.dm, Hoy);
        frm.prepara();
        frm.pulsaNuevo();
        const QString nombre = QString("O'BRIEN \"Y\" CIA; 100% ") + QString(38, 'X');
        QCOMPARE(nombre.size(), 60);
        hijo<QLineEdit>(frm, "edtNombre")->setText(nombre);
        hijo<QLineEdit>(frm, "edtCuenta")->setText("ES91 2100 0418 4502 0005 1332");
        hijo<QLineEdit>(frm, "edtNif")->setText(NifValido);
        QVERIFY(frm.pulsaAceptar());
        QVERIFY(p.guion.textos().isEmpty());
        const auto filas = filasDe(p.dm->instalacion().rutaOrdenantes(),
                                   "SELECT Pk_Ordenante, Nif_Sufijo, Nombre_Ordenante, Cuenta "
                                   "FROM Ordenantes WHERE Nombre_Ordenante = ?",
                                   {nombre});
        QCOMPARE(filas.size(), 1);
        // Stored without blanks: the bank file reads the account by position.
        QCOMPARE(filas[0].mid(1), (QStringList{NifValido, nombre, IbanValido}));
        QCOMPARE(QString::number(p.estado.OrdenanteActual.Pk_Ordenante), filas[0][0]);
        QCOMPARE(TfrmFechas::claveDeLinea(hijo<QComboBox>(frm, "cboOrdenantes")->currentText()),
                 p.estado.OrdenanteActual.Pk_Ordenante);
    }
    // Enter walks the fields towards "&Aceptar", and Enter on it accepts: the
    // window is driven from the keyboard alone.
    void conEnterSeLlegaAAceptarYSeAcepta() {
        InstalacionPrueba p;
        TfrmFechas frm(*p.dm, Hoy);
        frm.prepara();
        frm.show();
        QVERIFY(QTest::qWaitForWindowActive(&frm));
        QTest::keyClick(hijo<QPushButton>(frm, "btnNuevo"), Qt::Key_N, Qt::AltModifier);
        QTRY_VERIFY(hijo<QLineEdit>(frm, "edtNombre")->hasFocus());
        QTest::keyClicks(hijo<QLineEdit>(frm, "edtNombre"), "EMPRESA");
        QTest::keyClick(hijo<QLineEdit>(frm, "edtNombre"), Qt::Key_Return);
        QVERIFY(hijo<QLineEdit>(frm, "edtCuenta")->hasFocus());
        QTest::keyClicks(hijo<QLineEdit>(frm, "edtCuenta"), IbanValido);
        QTest::keyClick(hijo<QLineEdit>(frm, "edtCuenta"), Qt::Key_Return);
        QVERIFY(hijo<QLineEdit>(frm, "edtNif")->hasFocus());
        QTest::keyClicks(hijo<QLineEdit>(frm, "edtNif"), NifValido);
        QTest::keyClick(hijo<QLineEdit>(frm, "edtNif"), Qt::Key_Return);
        QVERIFY(hijo<QPushButton>(frm, "btnAceptar")->hasFocus());
        QTest::keyClick(hijo<QPushButton>(frm, "btnAceptar"), Qt::Key_Return);
        QCOMPARE(p.guion.textos(), QStringList{});
        QCOMPARE(frm.result(), int(QDialog::Accepted));
        QVERIFY(p.estado.OrdenanteActual.Pk_Ordenante > 0);
    }
};

QTEST_MAIN(TstTfrmFechas)
#include "tst_TfrmFechas.moc"
