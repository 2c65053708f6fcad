#include "CodigosTalon.h"
#include "TiposDocumento.h"

#include <QTest>

class TstTiposDocumento : public QObject {
    Q_OBJECT
private slots:
    void tipos_data();
    void tipos();
    void descripcion_data();
    void descripcion();
    void reglasAlSalir_data();
    void reglasAlSalir();
    void fechaAlEmpezar_data();
    void fechaAlEmpezar();
};

void TstTiposDocumento::tipos_data() {
    // What each mapping makes of a model number or type code.
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("modeloDecodificado");
    QTest::addColumn<bool>("valido");
    QTest::addColumn<int>("modeloEditado"); // of the first two characters
    QTest::newRow("42") << "4212"
                        << "0" << true << 0;
    QTest::newRow("43") << "4300"
                        << "0" << true << 0;
    QTest::newRow("77") << "7700"
                        << "1" << true << 1;
    QTest::newRow("82") << "8212"
                        << "2" << true << 2;
    QTest::newRow("83") << "8300"
                        << "2" << true << 2;
    QTest::newRow("90") << "9000"
                        << "3" << true << 3;
    QTest::newRow("91") << "9100"
                        << "3" << true << 3;
    QTest::newRow("75") << "7500"
                        << "4" << true << 4;
    QTest::newRow("99 bad read") << "9999"
                                 << "6" << false << 5;
    QTest::newRow("unknown 44") << "4400"
                                << "5" << false << 5;
    QTest::newRow("one character") << "4"
                                   << "5" << false << 5;
    QTest::newRow("unreadable") << "4?12"
                                << "5" << false << 5;
    QTest::newRow("empty") << ""
                           << "5" << false << 5;
    QTest::newRow("sign") << "-1"
                          << "5" << false << 5;
}

void TstTiposDocumento::tipos() {
    QFETCH(QString, texto);
    QTEST(modeloDeTipoDocumento(texto), "modeloDecodificado");
    QTEST(esTipoDocumentoValido(texto), "valido");
    QTEST(modeloDeTipoNumerico(texto.left(2)), "modeloEditado");
}

void TstTiposDocumento::descripcion_data() {
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("descripcion");
    QTest::newRow("0") << "0"
                       << "CHEQUE CUENTA CORRIENTE";
    QTest::newRow("4") << "4"
                       << "CHEQUE BANCARIO";
    QTest::newRow("5") << "5"
                       << "DESCONOCIDO";
    QTest::newRow("6") << "6"
                       << "ERROR ESCANEO";
    QTest::newRow("7") << "7"
                       << "DESCONOCIDO";
    QTest::newRow("text") << "x"
                          << "DESCONOCIDO";
}

void TstTiposDocumento::descripcion() {
    QFETCH(QString, codigo);
    QTEST(descripcionModelo(codigo), "descripcion");
}

void TstTiposDocumento::reglasAlSalir_data() {
    QTest::addColumn<QString>("numeroModelo");
    QTest::addColumn<bool>("conFecha");
    QTest::addColumn<int>("modelo");
    QTest::newRow("promissory note") << "8212-1" << true << 2;
    QTest::newRow("domiciled payment") << "9100-0" << true << 3;
    QTest::newRow("cheque") << "4212-5" << false << 0;
    QTest::newRow("bad read") << "9999-3" << false << 5;
    QTest::newRow("empty") << "" << false << 5;
}

void TstTiposDocumento::reglasAlSalir() {
    QFETCH(QString, numeroModelo);
    QFETCH(bool, conFecha);
    const tReglasModelo r = reglasAlSalirDelModelo(numeroModelo);
    QCOMPARE(r.fechaEditable, conFecha);
    QCOMPARE(r.portadorEditable, conFecha);
    QCOMPARE(r.vaciaFecha, !conFecha);
    QTEST(r.modelo, "modelo");
}

void TstTiposDocumento::fechaAlEmpezar_data() {
    QTest::addColumn<QString>("fecha");
    QTest::addColumn<QString>("numeroModelo");
    QTest::addColumn<bool>("editable");
    QTest::newRow("type with due date") << ""
                                        << "8212-1" << true;
    QTest::newRow("cheque holding a date") << "01/02/2024"
                                           << "4212-5" << true;
    QTest::newRow("cheque without date") << ""
                                         << "4212-5" << false;
    QTest::newRow("empty mask") << "  /  /    "
                                << "4212-5" << false;
}

void TstTiposDocumento::fechaAlEmpezar() {
    QFETCH(QString, fecha);
    QFETCH(QString, numeroModelo);
    QTEST(fechaEditableAlEmpezarEdicion(fecha, numeroModelo), "editable");
}

QTEST_GUILESS_MAIN(TstTiposDocumento)
#include "tst_tiposdocumento.moc"
