// The catalogue entries this program reads, checked character for character.
// Expected texts spell accents as escapes, independent of the source encoding.

#include "Cadenas.h"

#include <QTest>

class tst_Cadenas : public QObject {
    Q_OBJECT
private slots:
    void textoExacto_data();
    void textoExacto();
};

void tst_Cadenas::textoExacto_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("esperado");

    const tRegistroCaptions& c = Cadenas::captions();
    const tRegistro_Mensajes& m = Cadenas::mensajes();

    QTest::newRow("captionInformacion")
        << c.captionInformacion << QStringLiteral("Informaci\u00f3n");
    QTest::newRow("captionCajaMensajes")
        << c.captionCajaMensajes << QStringLiteral("ATENCI\u00d3N");
    QTest::newRow("CaptionAcreedor") << c.CaptionAcreedor << QStringLiteral("PRESENTADOR");
    QTest::newRow("CaptionEuros") << c.CaptionEuros << QStringLiteral(" Euros");
    QTest::newRow("Caption0Euros") << c.Caption0Euros << QStringLiteral("0,00 Euros");
    QTest::newRow("CaptioncopiaRemesa")
        << c.CaptioncopiaRemesa << QStringLiteral("Copia Realizada");
    QTest::newRow("CaptioncopiaRemesaFallida")
        << c.CaptioncopiaRemesaFallida
        << QStringLiteral("La copia fallo, compruebe la ruta seleccionada.");
    QTest::newRow("CaptionVersion")
        << c.CaptionVersion << QStringLiteral("Versi\u00f3n: 04.04.03 Febrero de 2025");
    QTest::newRow("MnjErrorDirectorios")
        << m.MnjErrorDirectorios
        << QStringLiteral("No se pudieron crear los directorios de trabajo de la aplicaci\u00f3n. "
                          "Comprueba si tiene los permisos necesarios para la ejecuci\u00f3n de la "
                          "aplicaci\u00f3n. Teskora se cerrar\u00e1 ahora.");
    QTest::newRow("MnjErrorTablas")
        << m.MnjErrorTablas
        << QStringLiteral(
               "No se pudieron crear las tablas de trabajo de la aplicaci\u00f3n. Comprueba "
               "si tiene los permisos necesarios para la ejecuci\u00f3n de la aplicaci\u00f3n. "
               "Teskora se cerrar\u00e1 ahora.");
    QTest::newRow("mnjErrorNombreAcreedor")
        << m.mnjErrorNombreAcreedor
        << QStringLiteral("El Nombre del presentador no puede quedar en blanco.");
    QTest::newRow("mnjErrorNifAcreedor")
        << m.mnjErrorNifAcreedor << QStringLiteral("El Nif/CIF no es correcto.");
    QTest::newRow("mnjErrorIbanNoEspanol")
        << m.mnjErrorIbanNoEspanol
        << QStringLiteral("El iban introducido debe ser Espa\u00f1ol y tecnicamente correcto.");
    QTest::newRow("mnjErrorFechaConf")
        << m.mnjErrorFechaConf
        << QStringLiteral("Fecha de Confecci\u00f3n err\u00f3nea compruebe que el formato es "
                          "v\u00e1lido y que "
                          "es igual o superior a la fecha actual");
    QTest::newRow("mnjErrorFechaAbono")
        << m.mnjErrorFechaAbono
        << QStringLiteral(
               "Fecha de Abono err\u00f3nea compruebe que el formato es v\u00e1lido y que es "
               "igual o superior a la fecha actual");
    QTest::newRow("mnjErrorEmision")
        << m.mnjErrorEmision
        << QStringLiteral("No hay cheques COMPLETOS listos para emitir. Reviselos");
    QTest::newRow("mnjErrorDigitoNumero")
        << m.mnjErrorDigitoNumero
        << QStringLiteral("El d\u00edgito de control del n\u00famero de cheque no es correcto.");
    QTest::newRow("mnjAvisoBorradoAcreedor")
        << m.mnjAvisoBorradoAcreedor
        << QStringLiteral("\u00bfDesea Eliminar el presentador seleccionado?.");
    QTest::newRow("mnjAvisoBorradoLibrado")
        << m.mnjAvisoBorradoLibrado
        << QStringLiteral(
               "\u00bfEsta seguro de querer eliminar los Librados y todos sus cheques?.");
}

void tst_Cadenas::textoExacto() {
    QFETCH(QString, texto);
    QFETCH(QString, esperado);
    QCOMPARE(texto, esperado);
}

QTEST_GUILESS_MAIN(tst_Cadenas)
#include "tst_Cadenas.moc"
