// The presentation file read back as the bank reads it: a file as the
// emission writes it passes with its count and sum; each kind of damage on disk is caught at
// the first wrong line; the writer and the check share the record tables,
// also for a NIF of another length.
#include "FicheroPresentacion.h"
#include "FicherosTexto.h"
#include "RegistrosBanco.h"
#include "TalonBanco.h"
#include "VerificacionFicheroBanco.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

tOrdenantes presentador(const QString& nif) {
    tOrdenantes o;
    o.Nif_Sufijo = nif;
    o.Cuenta = QStringLiteral("ES91 2100 0418 4502 0005 1332");
    return o;
}

// A file as an emission writes it: a cheque, a promissory note to bearer and
// one to order, 1.000,00 + 234,51 + 0,05 euros.
QByteArray ejemplo() {
    const tOrdenantes o = presentador(QStringLiteral("B12345678 "));
    tTalon a =
        talonBanco("1234567-1", "4201-1", "00491500051234567892", "1000,00", "15/02/2025", 0);
    tTalon b = talonBanco("7654321-5", "8200-3", "21000418450200051332", "234,51", "28/02/2025", 1);
    tTalon c = talonBanco("0000123-6", "8200-3", "01822370440201234567", "0,05", "31/03/2025", 0);
    return codificaLineas({lineaCabeceraFichero(o, "05/03/2025", "10/03/2025"),
                           lineaRegistroTalon(o, a), lineaRegistroTalon(o, b),
                           lineaRegistroTalon(o, c),
                           lineaTotalesFichero(4, 3, o.Nif_Sufijo, 123456)});
}

QList<QByteArray> lineasDe(const QByteArray& datos) {
    QList<QByteArray> l = datos.split('\n');
    l.removeLast(); // nothing after the last CR LF
    for (QByteArray& linea : l)
        linea.chop(1);
    return l;
}

QByteArray juntaLineas(const QList<QByteArray>& lineas) {
    QByteArray b;
    for (const QByteArray& l : lineas)
        b += l + "\r\n";
    return b;
}

// The example with the line n (1-based) changed at a position (1-based).
QByteArray cambia(int n, int posicion, const QByteArray& por) {
    QList<QByteArray> l = lineasDe(ejemplo());
    l[n - 1].replace(posicion - 1, por.size(), por);
    return juntaLineas(l);
}

template <class Origen> void compruebaTabla(std::span<const tCampoRegistro<Origen>> campos) {
    int siguiente = 1;
    for (const tCampoRegistro<Origen>& c : campos) {
        QVERIFY2(c.posicion == siguiente, c.nombre);
        siguiente += c.ancho == 0 ? RegistroBanco::AnchoNifHabitual : c.ancho;
    }
    QCOMPARE(siguiente - 1, RegistroBanco::Longitud);
}

} // namespace

class TstVerificacionBanco : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString escribe(const QByteArray& datos) {
        const QString ruta = dir.filePath("CONS.0001");
        QFile f(ruta);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return {};
        f.write(datos);
        return ruta;
    }

private slots:
    // Each record's stated positions follow from the widths before them,
    // and a record with the usual NIF is 150 characters long.
    void tablasDeCampos() {
        compruebaTabla(camposCabecera());
        compruebaTabla(camposTalon());
        compruebaTabla(camposTotales());
    }

    void ejemploCorrecto() {
        const tVerificacionFicheroBanco r = verificaFicheroBanco(escribe(ejemplo()));
        QVERIFY2(r.correcto, qPrintable(r.mensaje));
        QCOMPARE(r.leidos, (tTotalesFicheroBanco{3, 123456}));
        QVERIFY(r.mensaje.isEmpty());
        // The same file against the history rows of its emission.
        QVERIFY(verificaFicheroBanco(escribe(ejemplo()), tTotalesFicheroBanco{3, 123456}).correcto);
    }

    void danado_data() {
        QTest::addColumn<QByteArray>("datos");
        QTest::addColumn<int>("linea");
        QTest::addColumn<QString>("motivo");
        QList<QByteArray> l = lineasDe(ejemplo());
        // Positions: amount 64-76 of a cheque, its number digit 34, account
        // check digits 57-58, model digit 63; totals amount 27-41.
        QTest::newRow("importe cambiado") << cambia(2, 71, "2") << 5
                                          << "dice un total de 1.234,56 euros y los registros de "
                                             "cheque suman 2.234,56 euros";
        QTest::newRow("importe con letra") << cambia(3, 73, "O") << 3 << "\"importe\"";
        QTest::newRow("digito del numero") << cambia(2, 34, "9") << 2 << "número de cheque 1234567";
        QTest::newRow("digitos de la cuenta") << cambia(4, 57, "43") << 4 << "cuenta 0182237043";
        QTest::newRow("digito del modelo") << cambia(2, 63, "6") << 2 << "número de modelo 4201";
        QTest::newRow("iban del presentador") << cambia(1, 54, "1") << 1 << "IBAN";
        QTest::newRow("numero de cheques") << cambia(5, 51, "4") << 5 << "dice 4 cheques";
        QTest::newRow("numero de registros") << cambia(5, 61, "6") << 5 << "dice 6 registros";
        QTest::newRow("otro nif") << cambia(3, 12, "9") << 3 << "B12345698";
        QTest::newRow("letra fuera de windows-1252")
            << cambia(4, 100, "\x81") << 4 << "posición 100";
        QTest::newRow("letra acentuada") << cambia(4, 90, "\xd1") << 4 << "posición 90";
        QTest::newRow("orden no valida") << cambia(3, 83, "X") << 3 << "\"a la orden\"";
        {
            QList<QByteArray> sinTotales = l;
            sinTotales.removeLast();
            QTest::newRow("sin totales") << juntaLineas(sinTotales) << 4 << "falta ese registro";
        }
        {
            QList<QByteArray> corto = l;
            corto[2].chop(1);
            QTest::newRow("un byte menos") << juntaLineas(corto) << 3 << "tiene 149 caracteres";
        }
        {
            QByteArray soloLf = ejemplo();
            soloLf.remove(soloLf.indexOf("\r\n", soloLf.indexOf("2056")), 1);
            QTest::newRow("solo LF") << soloLf << 2 << "CR LF";
        }
        {
            QByteArray sinFinal = ejemplo();
            sinFinal.chop(2);
            QTest::newRow("sin CR LF al final") << sinFinal << 5 << "CR LF";
        }
        {
            QList<QByteArray> cambiadas = l;
            cambiadas.swapItemsAt(0, 1);
            QTest::newRow("cabecera despues") << juntaLineas(cambiadas) << 1 << "cabecera";
        }
        {
            QList<QByteArray> dosTotales = l;
            dosTotales.insert(2, l.last());
            QTest::newRow("totales en medio") << juntaLineas(dosTotales) << 3 << "registro 4056";
        }
        QTest::newRow("solo cabecera") << juntaLineas({l.first()}) << 1 << "única";
        QTest::newRow("vacio") << QByteArray() << 1 << "cabecera";
    }
    void danado() {
        QFETCH(QByteArray, datos);
        QFETCH(int, linea);
        QFETCH(QString, motivo);
        const tVerificacionFicheroBanco r = verificaFicheroBanco(escribe(datos));
        QVERIFY(!r.correcto);
        QCOMPARE(r.linea, linea);
        QVERIFY2(r.mensaje.contains(QDir::toNativeSeparators(dir.filePath("CONS.0001"))),
                 qPrintable(r.mensaje));
        QVERIFY2(r.mensaje.contains(QStringLiteral("línea %1 ").arg(linea)), qPrintable(r.mensaje));
        QVERIFY2(r.mensaje.contains("no se debe enviar al banco"), qPrintable(r.mensaje));
        QVERIFY2(r.mensaje.contains(motivo), qPrintable(r.mensaje));
    }

    // A file right in itself whose cheques are not those of the history.
    void distintoDelHistorico() {
        const QString ruta = escribe(ejemplo());
        const tVerificacionFicheroBanco r =
            verificaFicheroBanco(ruta, tTotalesFicheroBanco{3, 123457});
        QVERIFY(!r.correcto);
        QCOMPARE(r.linea, 5);
        QVERIFY2(
            r.mensaje.contains("el histórico de la emisión tiene 3 cheques por 1.234,57 euros"),
            qPrintable(r.mensaje));
        QVERIFY(!verificaFicheroBanco(ruta, tTotalesFicheroBanco{2, 123456}).correcto);
    }

    void ficheroQueNoExiste() {
        const tVerificacionFicheroBanco r = verificaFicheroBanco(dir.filePath("CONS.9999"));
        QVERIFY(!r.correcto);
        QCOMPARE(r.linea, 0);
        QVERIFY2(r.mensaje.startsWith("No se puede leer el fichero para el banco"),
                 qPrintable(r.mensaje));
    }

    // A presenter NIF of another length moves every field; what the writer
    // makes, the check reads.
    void otroAnchoDeNif_data() {
        QTest::addColumn<QString>("nif");
        QTest::newRow("ocho") << "12345678 ";
        QTest::newRow("doce") << "B12345678001 ";
    }
    void otroAnchoDeNif() {
        QFETCH(QString, nif);
        const tOrdenantes o = presentador(nif);
        tTalon t = talonBanco("1234567-1", "4201-1", "00491500051234567892", "1.234,56", "", 0);
        const QStringList lineas{lineaCabeceraFichero(o, "05/03/2025", "10/03/2025"),
                                 lineaRegistroTalon(o, t), lineaTotalesFichero(2, 1, nif, 123456)};
        QCOMPARE(lineas[1].size(), RegistroBanco::Longitud - 10 + nif.size());
        const tVerificacionFicheroBanco r =
            verificaFicheroBanco(escribe(codificaLineas(lineas)), tTotalesFicheroBanco{1, 123456});
        QVERIFY2(r.correcto, qPrintable(r.mensaje));
    }
};

QTEST_GUILESS_MAIN(TstVerificacionBanco)
#include "tst_verificacion_banco.moc"
