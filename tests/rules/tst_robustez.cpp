#include "DigitosControl.h"
#include "Fechas.h"
#include "Iban.h"
#include "ImagenesTalon.h"
#include "Importes.h"
#include "LineaLectura.h"
#include "NifCif.h"
#include "Textos.h"
#include "TiposDocumento.h"
#include "ValidacionTalon.h"

#include <QDirIterator>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// Every helper takes any text: the answers must keep their documented shape
// and no file may appear outside the image folders.
class TstRobustez : public QObject {
    Q_OBJECT
private slots:
    void cualquierTexto_data();
    void cualquierTexto();
};

void TstRobustez::cualquierTexto_data() {
    QTest::addColumn<QString>("texto");
    QRandomGenerator azar(20240615); // fixed seed: failures can be replayed
    QByteArray bytes(10 * 1024, Qt::Uninitialized);
    for (char& b : bytes)
        b = char(azar.bounded(256));

    QTest::newRow("empty") << QString();
    QTest::newRow("blank") << " ";
    QTest::newRow("10 KB of digits") << QString(10 * 1024, u'9');
    QTest::newRow("10 KB codeline") << "+" + QString(10 * 1024, u'1') + "¬" + QString(50, u'7');
    QTest::newRow("random bytes as UTF-8") << QString::fromUtf8(bytes);
    QTest::newRow("random bytes as Latin-1") << QString::fromLatin1(bytes);
    QTest::newRow("only symbols") << "¬?¬\"'+-*/\\:<>|#&;!@[]^_`{}~€$%.,()";
    QTest::newRow("lone surrogates") << QString::fromUtf16(u"\xD800\xDC00\xDFFF\xD83D 12");
    QTest::newRow("control characters") << QString::fromUtf16(u"\x0001\x0008\x001F\x007F\x0000");
    QTest::newRow("minus signs") << "-9223372036854775808";
    QTest::newRow("just past 64 bits") << "9223372036854775808";
}

void TstRobustez::cualquierTexto() {
    QFETCH(QString, texto);

    QVERIFY(rellenaCadena(texto, QStringLiteral("0"), 20, false).size() >= 20);
    esNumerico(texto);
    normalizaTexto(texto);
    QVERIFY(!limpiaLineaLectura(texto).contains(u'?'));

    QString centimos = texto;
    centimosAImporte(centimos);
    for (QChar c : texto.left(300)) {
        QChar tecla = c;
        filtraTeclaImporte(tecla);
    }
    alineaEnteroDerecha(texto, 11);
    quitaSeparadoresMiles(texto);
    completaDecimales(texto);
    static const QRegularExpression pantalla(
        QStringLiteral("\\A-?[0-9]{1,3}(\\.[0-9]{3})*,[0-9]{2}\\z"));
    QVERIFY2(pantalla.match(formateaImporte(texto)).hasMatch(), qPrintable(formateaImporte(texto)));
    QVERIFY(pantalla.match(agrupaMiles(texto) + ",00").hasMatch());
    esFechaValida(texto, QDate(2024, 6, 15));

    QCOMPARE(digitoControlModulo7(texto).size(), 1);
    QCOMPARE(calculaDigitosControlCCC(texto).size(), 2);
    QCOMPARE(modeloDeTipoDocumento(texto).size(), 1);
    esTipoDocumentoValido(texto);
    QVERIFY(modeloDeTipoNumerico(texto) >= 0 && modeloDeTipoNumerico(texto) <= 5);
    reglasAlSalirDelModelo(texto);
    fechaEditableAlEmpezarEdicion(texto, texto);
    esCuentaCCCValida(texto);
    esIbanValido(texto);
    QVERIFY(restoModulo97(texto) >= 0 && restoModulo97(texto) < 97);
    letrasANumeros(texto);
    Valida_NIF_CIF(texto);
    superaLimiteSinImagen(texto);

    QTemporaryDir raiz;
    QVERIFY(raiz.isValid());
    const tDirectorios dirs = calculaInstalacion(raiz.path()).dirs;
    for (const QString& carpeta : carpetasDeTrabajo(dirs))
        QVERIFY(QDir().mkpath(carpeta));

    for (VarianteLectura v :
         {VarianteLectura::Normal, VarianteLectura::SAFE, VarianteLectura::Excella}) {
        tLineaDecodificada d = decodificaLinea(texto, v);
        QVERIFY(d.talon.Estado == Estado::Correcto || d.talon.Estado == Estado::Incompleto);
        QCOMPARE(d.talon.numero_Modelo.right(2).front(), QChar(u'-'));
        tTalon t = d.talon;
        QString mensaje;
        validaTalon(t, mensaje, tContextoValidacion{});
        t.numero_Modelo = t.Numero = t.Cuenta = t.FechaPago = texto;
        t.Importe = tImporte::leeTexto(texto);
        tContextoValidacion contexto;
        contexto.importeIlegible = esImporteIlegible(texto);
        validaTalon(t, mensaje, contexto);

        // Whatever the line, its images land in the image folder or nowhere.
        QVERIFY(QFile(dirs.Dir_Imagenes_tmp + "F1.tif").open(QIODevice::WriteOnly));
        copiaImagenesLeidas(dirs, d.secuencia, d.baseImagen, TipoLector::SeacBanche);
        copiaImagenesLeidas(dirs, texto, texto, TipoLector::VisionX);
        renombraImagenesTalon(dirs, texto, d.baseImagen);
        archivaImagenesTalon(dirs, texto, texto, texto);
        borraFichero(dirs.Dir_Imagenes + texto);
        vaciaCarpeta(dirs.Dir_Imagenes_tmp);
    }
    QDirIterator it(raiz.path(), QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString ruta = it.next();
        QVERIFY2(ruta.startsWith(dirs.Dir_Imagenes) || ruta.startsWith(dirs.Dir_Hco_Imagenes) ||
                     ruta.startsWith(dirs.Dir_Imagenes_tmp),
                 qPrintable(ruta));
    }
}

QTEST_GUILESS_MAIN(TstRobustez)
#include "tst_robustez.moc"
