#include "ValidacionTalon.h"

#include <QTest>

// Check digits used below, worked by hand: 4212 mod 7 = 5, 42121234567 mod 7
// = 6, 8212 mod 7 = 1, 82121234567 mod 7 = 1; the account 2100 0418 45
// 0200051332 has control digits 45 (see the check-digit tests).
class TstValidacionTalon : public QObject {
    Q_OBJECT
private slots:
    void valida_data();
    void valida();
    void duplicadoSoloSiLoAnteriorPasa();
    void exitoNoTocaElMensaje();
    void limite_data();
    void limite();
};

namespace {
const QString valido = QStringLiteral("(valid)");
}

void TstValidacionTalon::valida_data() {
    using namespace MensajeValidacion;
    QTest::addColumn<QString>("modelo");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<QString>("importe");
    QTest::addColumn<QString>("cuenta");
    QTest::addColumn<QString>("fecha");
    QTest::addColumn<bool>("imagen");
    QTest::addColumn<bool>("enTablas");
    QTest::addColumn<bool>("mostradoDuplicado");
    QTest::addColumn<QString>("mensaje");

    const QString m = QStringLiteral("4212-5");
    const QString n = QStringLiteral("1234567-6");
    const QString c = QStringLiteral("21000418450200051332");
    const QString i = QStringLiteral("123,45");

    QTest::newRow("valid cheque") << m << n << i << c << "" << true << false << false << valido;
    QTest::newRow("bad-read model")
        << "9999-3" << n << i << c << "" << true << false << false << TipoNoValido;
    QTest::newRow("first failure wins") << "9999-3"
                                        << "x"
                                        << "0,00"
                                        << ""
                                        << "" << false << true << true << TipoNoValido;
    QTest::newRow("model check digit")
        << "4212-4" << n << i << c << "" << true << false << false << DigitoControl;
    QTest::newRow("model without digit")
        << "4212" << n << i << c << "" << true << false << false << DigitoControl;
    // "42.2" and "42\uFFFD2" read as no number, whose digit would be "0".
    QTest::newRow("model with a point")
        << "42.2-0"
        << "1234567-0" << i << c << "" << true << false << false << DigitoControl;
    QTest::newRow("model with a replacement character")
        << QString("42\uFFFD2-0") << "1234567-0" << i << c << "" << true << false << false
        << DigitoControl;
    QTest::newRow("number with a letter")
        << m << "12A4567-6" << i << c << "" << true << false << false << NumeroNoValido;
    QTest::newRow("number too short")
        << m << "123" << i << c << "" << true << false << false << NumeroNoValido;
    QTest::newRow("number check digit")
        << m << "1234567-5" << i << c << "" << true << false << false << DigitoNumero;
    QTest::newRow("number without digit")
        << m << "1234567" << i << c << "" << true << false << false << DigitoNumero;
    QTest::newRow("amount zero") << m << n << "0,00" << c << "" << true << false << false
                                 << ImporteCero;
    QTest::newRow("amount zero with blanks")
        << m << n << " 0,00 " << c << "" << true << false << false << ImporteCero;
    QTest::newRow("amount empty") << m << n << "" << c << "" << true << false << false
                                  << ImporteCero;
    // The amount is read as the bank file reads it.
    QTest::newRow("manual placeholder amount")
        << m << n << "0000" << c << "" << true << false << false << ImporteCero;
    QTest::newRow("negative amount")
        << m << n << "-5,00" << c << "" << true << false << false << ImporteNoValido;
    QTest::newRow("unreadable amount with image")
        << m << n << "12a,00" << c << "" << true << false << false << ImporteNoValido;
    QTest::newRow("one decimal over limit")
        << m << n << "50000,1" << c << "" << false << false << false << LimiteSinImagen;
    QTest::newRow("limit without image")
        << m << n << "50000,00" << c << "" << false << false << false << valido;
    QTest::newRow("over limit without image")
        << m << n << "50000,01" << c << "" << false << false << false << LimiteSinImagen;
    QTest::newRow("over limit with image")
        << m << n << "50000,01" << c << "" << true << false << false << valido;
    QTest::newRow("twenty zeros") << m << n << i << QString(20, u'0') << "" << true << false
                                  << false << CuentaNoValida;
    QTest::newRow("account control digits") << m << n << i << "21000418460200051332"
                                            << "" << true << false << false << CuentaNoValida;
    QTest::newRow("account empty") << m << n << i << ""
                                   << "" << true << false << false << CuentaNoValida;
    QTest::newRow("note without due date")
        << "8212-1"
        << "1234567-1" << i << c << "" << true << false << false << FechaNoValida;
    QTest::newRow("note due too late")
        << "8212-1"
        << "1234567-1" << i << c << "16/06/2025" << true << false << false << FechaNoValida;
    QTest::newRow("note with due date")
        << "8212-1"
        << "1234567-1" << i << c << "30/09/2024" << true << false << false << valido;
    QTest::newRow("note already stored")
        << "8212-1"
        << "1234567-1" << i << c << "30/09/2024" << true << true << false << YaProcesado;
    QTest::newRow("note shown as duplicate passes")
        << "8212-1"
        << "1234567-1" << i << c << "30/09/2024" << true << false << true << valido;
    QTest::newRow("cheque already stored")
        << m << n << i << c << "" << true << true << false << YaProcesado;
    QTest::newRow("stored first, then shown duplicate")
        << m << n << i << c << "" << true << true << true << YaProcesado;
    QTest::newRow("cheque shown as duplicate")
        << m << n << i << c << "" << true << false << true << DocumentoDuplicado;
}

void TstValidacionTalon::valida() {
    QFETCH(QString, modelo);
    QFETCH(QString, numero);
    QFETCH(QString, importe);
    QFETCH(QString, cuenta);
    QFETCH(QString, fecha);
    QFETCH(bool, imagen);
    QFETCH(bool, enTablas);
    QFETCH(bool, mostradoDuplicado);
    QFETCH(QString, mensaje);

    tTalon t;
    t.numero_Modelo = modelo;
    t.Numero = numero;
    // As the editor takes its amount field.
    t.Importe = tImporte::leeTexto(importe);
    t.Cuenta = cuenta;
    t.FechaPago = fecha;
    tContextoValidacion contexto;
    contexto.importeIlegible = esImporteIlegible(importe);
    contexto.existeImagenFrontal = imagen;
    contexto.mostradoComoDuplicado = mostradoDuplicado;
    contexto.duplicidadTalon = [enTablas](const tTalon&) { return enTablas; };
    contexto.hoy = QDate(2024, 6, 15);

    QString obtenido = valido;
    const bool ok = validaTalon(t, obtenido, contexto);
    QCOMPARE(obtenido, mensaje);
    QCOMPARE(ok, mensaje == valido);
}

void TstValidacionTalon::duplicadoSoloSiLoAnteriorPasa() {
    // The duplicate search reads tables: it is not run for a cheque that an
    // earlier check already refused, and it gets the cheque being checked.
    tTalon t;
    t.numero_Modelo = QStringLiteral("4212-5");
    t.Numero = QStringLiteral("1234567-6");
    t.Importe = tImporte::deCentimos(12345);
    t.Cuenta = QStringLiteral("21000418460200051332");
    int llamadas = 0;
    QString visto;
    tContextoValidacion contexto;
    contexto.existeImagenFrontal = true;
    contexto.duplicidadTalon = [&](const tTalon& x) {
        ++llamadas;
        visto = x.Numero;
        return false;
    };
    QString mensaje;
    QVERIFY(!validaTalon(t, mensaje, contexto));
    QCOMPARE(llamadas, 0);
    t.Cuenta = QStringLiteral("21000418450200051332");
    QVERIFY(validaTalon(t, mensaje, contexto));
    QCOMPARE(llamadas, 1);
    QCOMPARE(visto, t.Numero);
}

void TstValidacionTalon::exitoNoTocaElMensaje() {
    tTalon t;
    t.numero_Modelo = QStringLiteral("4212-5");
    t.Numero = QStringLiteral("1234567-6");
    t.Importe = tImporte::deCentimos(100);
    t.Cuenta = QStringLiteral("21000418450200051332");
    QString mensaje = QStringLiteral("previo");
    QVERIFY(validaTalon(t, mensaje, tContextoValidacion{}));
    QCOMPARE(mensaje, QStringLiteral("previo"));
}

void TstValidacionTalon::limite_data() {
    QTest::addColumn<QString>("importe");
    QTest::addColumn<bool>("supera");
    QTest::newRow("exactly the limit") << "50.000,00" << false;
    QTest::newRow("one cent over") << "50.000,01" << true;
    QTest::newRow("plain form over") << "50000,01" << true;
    QTest::newRow("small") << "1 234,56" << false;
    QTest::newRow("unreadable") << "12a,00" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("negative") << "-60000,00" << false;
}

void TstValidacionTalon::limite() {
    QFETCH(QString, importe);
    QTEST(superaLimiteSinImagen(importe), "supera");
}

QTEST_GUILESS_MAIN(TstValidacionTalon)
#include "tst_validaciontalon.moc"
