// The keyboard reader's capture window, and through it the behaviour every
// capture window shares: keystrokes become read lines, Save stores them with
// its messages, Clear and Exit ask first.
#include "CajaMensajes.h"
#include "LineaTeclado.h"
#include "PruebaVentanas.h"
#include "TEnlaceFoto.h"
#include "TfrmScanerMTS.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {
// As the reader types a complete codeline: symbol, cheque number, symbol,
// the rest, and Enter.
QString tecleado(const QString& numero) {
    return ";" + numero + ";123456780123456789420000012345";
}
const QString Relleno33(33, u'?');
} // namespace

class TstTfrmScanerMTS : public QObject {
    Q_OBJECT
    std::unique_ptr<InstalacionPrueba> p;
    std::unique_ptr<TfrmScanerMTS> frm;

    void abre() {
        frm = std::make_unique<TfrmScanerMTS>(*p->dm);
        frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm.get()));
    }
    void teclea(const QString& texto, bool conIntro = true) {
        QTest::keyClicks(hijo<QLineEdit>(*frm, "edtCodigo"), texto);
        if (conIntro)
            QTest::keyClick(hijo<QLineEdit>(*frm, "edtCodigo"), Qt::Key_Return);
    }
    // A document typed and taken (ticks until its line appears), the
    // confirmation answered.
    void leeDocumento(const QString& texto, bool otro = true) {
        p->guion.fijaSiguienteRespuesta(otro ? CajaMensajes::PrimerBoton
                                             : CajaMensajes::SegundoBoton);
        teclea(texto);
        const qsizetype antes = frm->lista().size();
        for (int tick = 0; tick < 100 && frm->lista().size() == antes; ++tick)
            frm->Timer1Timer();
    }
    QStringList lineasEnPantalla() const {
        QStringList l;
        for (int i = 0; i < hijo<QListWidget>(*frm, "lstLista")->count(); ++i)
            l << hijo<QListWidget>(*frm, "lstLista")->item(i)->text();
        return l;
    }
    int talonesGuardados() const {
        return int(filasDe(p->inst.rutaTablaTalones(1), "SELECT Pk_Talon FROM Talones").size());
    }

private slots:
    void init() {
        p = std::make_unique<InstalacionPrueba>();
        p->estado.Escaner.tipo = 4;
    }
    void cleanup() {
        frm.reset();
        p.reset();
    }

    void mapeo_data() {
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<QString>("codigo");
        QTest::newRow("numero y cuenta, con relleno") << "A1234567B0123456789"
                                                      << "+1234567#0123456789" + QString(16, u'?');
        QTest::newRow("ilegibles") << "A12_4567B01_3"
                                   << "+12?4567#01?3" + QString(22, u'?');
        QTest::newRow("vacio") << ""
                               << "+#" + Relleno33;
        QTest::newRow("corto") << "A12"
                               << "+12#" + QString(31, u'?');
        QTest::newRow("largo no se corta")
            << ";1234567;" + QString(40, u'9') << "+1234567#" + QString(40, u'9');
        QTest::newRow("no ascii pasa tal cual") << ";1234567;Ñ€1"
                                                << "+1234567#Ñ€1" + QString(23, u'?');
    }
    void mapeo() {
        QFETCH(QString, tecleado);
        QTEST(codigoDeTeclado(tecleado), "codigo");
    }

    void ventanaAlAbrir() {
        abre();
        QCOMPARE(frm->windowTitle(), QString("Escaneo  de Cheques. Escáner tipo MAGTEK"));
        const QStringList ayuda = hijo<QPlainTextEdit>(*frm, "mmoAyuda")->toPlainText().split('\n');
        QCOMPARE(ayuda.size(), 16);
        QCOMPARE(ayuda[2],
                 "    2º- Presione [Leer cheques], y después introduzca un único cheque en la "
                 "tolva del modo en el que muestra la imagen \"Posición del cheque\"");
        QCOMPARE(ayuda[10],
                 "Es OBLIGATORIO pulsar [Leer cheques] o [Aceptar] en el mensaje mostrado "
                 "al usuario tras la lectura de un cheque, para que la lectura de los ");
        QVERIFY(hijo<QPlainTextEdit>(*frm, "mmoAyuda")->isReadOnly());
        QCOMPARE(hijo<TEnlaceFoto>(*frm, "lblDespiece")->text(), QString("Posición del cheque"));
        QCOMPARE(hijo<QPushButton>(*frm, "btnSalvar")->text(), QString("Sal&var"));
        QCOMPARE(hijo<QPushButton>(*frm, "btnLimpiar")->text(), QString("&Limpiar"));
        QVERIFY(!hijo<QAction>(*frm, "acttramitar")->isEnabled());
        QVERIFY(!hijo<QAction>(*frm, "actLimpiar")->isEnabled());
        QCOMPARE(frm->Timer1.interval(), 1000);
        QVERIFY(!frm->Timer1.isActive());

        // The links open the pictures of the Pub folder.
        QTest::mouseClick(hijo<TEnlaceFoto>(*frm, "lblDespiece"), Qt::LeftButton);
        QCOMPARE(p->guion.direcciones.value(p->guion.direcciones.size() - 1),
                 QUrl::fromLocalFile(p->inst.dirs.Dir_Pub + "Magtek1.JPG").toString());
        hijo<TEnlaceFoto>(*frm, "lblDetalle")->setFocus();
        QTest::keyClick(hijo<TEnlaceFoto>(*frm, "lblDetalle"), Qt::Key_Space);
        QCOMPARE(p->guion.direcciones.value(p->guion.direcciones.size() - 1),
                 QUrl::fromLocalFile(p->inst.dirs.Dir_Pub + "Magtek2.JPG").toString());
    }

    // Keystrokes become lines: a complete codeline on the first tick, an
    // incomplete one only when the wait is over, "_" as "?".
    void teclasALineas() {
        p->estado.Escaner.tiempoSAFE = 5;
        abre();
        leeDocumento(tecleado("1234567"));
        QCOMPARE(frm->lista(), QStringList{"+1234567#123456780123456789420000012345¬1"});
        QCOMPARE(p->guion.cajas.last().titulo, QString("Confirmación"));
        QCOMPARE(p->guion.cajas.last().texto,
                 QString("Si desea leer otro cheque, pulse el botón \"Aceptar\" y después, "
                         "introduzca el documento en el lector. En otro caso, pulse "
                         "\"Cancelar\""));
        QVERIFY(!frm->leyendo());
        QVERIFY(hijo<QLineEdit>(*frm, "edtCodigo")->text().isEmpty());
        QVERIFY(!frm->Timer1.isActive());

        // Short text: waited for until the sixth tick.
        p->guion.fijaSiguienteRespuesta(CajaMensajes::PrimerBoton);
        teclea(";12_4567;0123", false);
        QVERIFY(frm->Timer1.isActive());
        for (int tick = 1; tick <= 5; ++tick) {
            frm->Timer1Timer();
            QCOMPARE(frm->lista().size(), 1);
        }
        frm->Timer1Timer();
        QCOMPARE(frm->lista().size(), 2);
        QCOMPARE(frm->lista().at(1), "+12?4567#0123" + QString(22, u'?') + "¬2");

        // Erased before its time is up: the empty line.
        p->guion.fijaSiguienteRespuesta(CajaMensajes::PrimerBoton);
        teclea("12", false);
        hijo<QLineEdit>(*frm, "edtCodigo")->clear();
        for (int tick = 0; tick < 6; ++tick)
            frm->Timer1Timer();
        QCOMPARE(frm->lista().at(2), "+#" + Relleno33 + "¬3");
        QCOMPARE(lineasEnPantalla(), frm->lista());
        QVERIFY(hijo<QAction>(*frm, "acttramitar")->isEnabled());
    }

    // What a reader may type besides the codeline: Enter never presses a
    // button, a Tab inside a codeline does not take the rest elsewhere, keys
    // without a character do not start a document.
    void teclasDeControl() {
        abre();
        QTest::keyClick(hijo<QLineEdit>(*frm, "edtCodigo"), Qt::Key_Left);
        QTest::keyClick(hijo<QLineEdit>(*frm, "edtCodigo"), Qt::Key_Shift);
        QVERIFY(!frm->leyendo());
        teclea(";1234", false);
        QTest::keyClick(hijo<QLineEdit>(*frm, "edtCodigo"), Qt::Key_Tab);
        teclea("567;123456780123456789420000012345");
        QVERIFY(hijo<QLineEdit>(*frm, "edtCodigo")->hasFocus());
        QVERIFY(p->guion.cajas.isEmpty());
        QCOMPARE(hijo<QLineEdit>(*frm, "edtCodigo")->text(), tecleado("1234567"));
        QVERIFY(frm->isVisible());
        p->guion.fijaSiguienteRespuesta(CajaMensajes::PrimerBoton);
        frm->Timer1Timer();
        QCOMPARE(frm->lista(), QStringList{"+1234567#123456780123456789420000012345¬1"});
        // Between documents Tab leaves the box, as in any window.
        QTest::keyClick(hijo<QLineEdit>(*frm, "edtCodigo"), Qt::Key_Tab);
        QVERIFY(!hijo<QLineEdit>(*frm, "edtCodigo")->hasFocus());
    }

    // After "Cancelar" the reader is ignored until "&Leer cheques", which also
    // throws away what was typed meanwhile.
    void cancelarBloquea() {
        abre();
        leeDocumento(tecleado("1234567"), false);
        QVERIFY(frm->leyendo());
        teclea(tecleado("7654321"));
        QVERIFY(!frm->Timer1.isActive());
        QCOMPARE(frm->lista().size(), 1);
        QTest::mouseClick(hijo<QPushButton>(*frm, "btnLeer"), Qt::LeftButton);
        QVERIFY(!frm->leyendo());
        QVERIFY(hijo<QLineEdit>(*frm, "edtCodigo")->text().isEmpty());
        QVERIFY(hijo<QLineEdit>(*frm, "edtCodigo")->hasFocus());
        QVERIFY(!frm->Timer1.isActive()); // nothing is taken until a key comes
        leeDocumento(tecleado("7654321"));
        QCOMPARE(frm->lista().at(1), QString("+7654321#123456780123456789420000012345¬2"));
    }

    void salvar_data() {
        QTest::addColumn<QStringList>("documentos");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<int>("guardados");
        QTest::newRow("todos") << QStringList{tecleado("1234567"), tecleado("7654321")}
                               << "Se leyeron: 2 cheques. Revise si se leyeros todos." << 2;
        QTest::newRow("uno sin salvar")
            << QStringList{tecleado("1234567"), ";12_4567;1"}
            << "No se ha podido salvar: 1 cheque: lectura incompleta. Para facilitar el "
               "punteo-revisión se mantendrá en pantalla hasta que pulse el botón [Limpiar]."
            << 1;
        QTest::newRow("dos sin salvar")
            << QStringList{";1;", tecleado("1234567"), "_"}
            << "No se han podido salvar: 2 cheques: lectura incompleta. Para facilitar el "
               "punteo-revisión se mantendrán en pantalla hasta que pulse el botón [Limpiar]."
            << 1;
    }
    void salvar() {
        QFETCH(QStringList, documentos);
        QFETCH(int, guardados);
        p->estado.Escaner.tiempoSAFE = 1;
        abre();
        for (const QString& d : documentos)
            leeDocumento(d);
        QCOMPARE(frm->lista().size(), documentos.size());
        QFile otra(p->inst.dirs.Dir_Imagenes_tmp + "F9.jpg");
        QVERIFY(otra.open(QIODevice::WriteOnly));
        otra.close();
        const QStringList noGuardables = [&] {
            QStringList l;
            for (const QString& linea : frm->lista())
                if (linea.contains('?'))
                    l << linea;
            return l;
        }();

        QTest::mouseClick(hijo<QPushButton>(*frm, "btnSalvar"), Qt::LeftButton);
        // The message names each line not stored: its number and its codeline.
        QFETCH(QString, mensaje);
        const QStringList texto = p->guion.textos().last().split('\n');
        QCOMPARE(texto.first(), mensaje);
        QStringList nombradas;
        for (const QString& l : noGuardables)
            nombradas << "    Nº " + l.section(QChar(0x00AC), -1) + ": " +
                             l.section(QChar(0x00AC), 0, 0).mid(1);
        QCOMPARE(texto.mid(1), nombradas);
        QCOMPARE(talonesGuardados(), guardados);
        // The lines not stored stay, numbered as they were read.
        QCOMPARE(frm->lista(), noGuardables);
        QCOMPARE(lineasEnPantalla(), noGuardables);
        QCOMPARE(hijo<QAction>(*frm, "acttramitar")->isEnabled(), !noGuardables.isEmpty());
        QVERIFY(QDir(p->inst.dirs.Dir_Imagenes_tmp).isEmpty());
    }

    // "Volver" leaves the list and the images as they were; "Continuar" to
    // Clear empties both.
    void limpiarYSalirPreguntan() {
        abre();
        leeDocumento(tecleado("1234567"));
        QFile imagen(p->inst.dirs.Dir_Imagenes_tmp + "F1.jpg");
        QVERIFY(imagen.open(QIODevice::WriteOnly));
        imagen.close();
        const QStringList antes = frm->lista();

        p->guion.fijaSiguienteRespuesta(CajaMensajes::SegundoBoton);
        QTest::mouseClick(hijo<QPushButton>(*frm, "btnLimpiar"), Qt::LeftButton);
        p->guion.fijaSiguienteRespuesta(CajaMensajes::SegundoBoton);
        QTest::mouseClick(hijo<QPushButton>(*frm, "btnSalir"), Qt::LeftButton);
        p->guion.fijaSiguienteRespuesta(CajaMensajes::SegundoBoton);
        QTest::keyClick(frm.get(), Qt::Key_Escape);
        QCOMPARE(frm->lista(), antes);
        QVERIFY(frm->isVisible());
        QVERIFY(QFile::exists(imagen.fileName()));
        const auto& r = p->guion.cajas;
        QCOMPARE(r.at(r.size() - 3).texto,
                 QString("Se eliminarán todos los cheques de la lista.¿Desea continuar?"));
        QCOMPARE(r.last().texto, QString("Quedan cheques sin salvar, si continúa se perderán. "
                                         "¿Desea continuar?"));
        QCOMPARE(r.last().boton1, QString("Continuar"));
        QCOMPARE(r.last().boton2, QString("Volver"));
        QCOMPARE(r.last().titulo, QString("Atención"));

        p->guion.fijaSiguienteRespuesta(CajaMensajes::PrimerBoton);
        QTest::mouseClick(hijo<QPushButton>(*frm, "btnLimpiar"), Qt::LeftButton);
        QVERIFY(frm->lista().isEmpty());
        QVERIFY(!QFile::exists(imagen.fileName()));
        QVERIFY(!hijo<QAction>(*frm, "actLimpiar")->isEnabled());

        // With nothing left, Exit closes at once, with OK.
        const qsizetype preguntas = p->guion.cajas.size();
        QTest::mouseClick(hijo<QPushButton>(*frm, "btnSalir"), Qt::LeftButton);
        QVERIFY(!frm->isVisible());
        QCOMPARE(frm->result(), int(QDialog::Accepted));
        QCOMPARE(p->guion.cajas.size(), preguntas);
    }

    // Showing again starts from an empty list, whatever was left, and a
    // document half typed when the window closed is not taken later.
    void mostrarDeNuevoEmpiezaVacia() {
        abre();
        leeDocumento(";1;");
        teclea("12", false);
        QVERIFY(frm->Timer1.isActive());
        p->guion.fijaSiguienteRespuesta(CajaMensajes::PrimerBoton);
        QTest::mouseClick(hijo<QPushButton>(*frm, "btnSalir"), Qt::LeftButton);
        QVERIFY(!frm->isVisible());
        QVERIFY(!frm->Timer1.isActive());
        frm->show();
        QVERIFY(frm->lista().isEmpty());
        QCOMPARE(hijo<QListWidget>(*frm, "lstLista")->count(), 0);
        QVERIFY(!frm->leyendo());
    }
};

QTEST_MAIN(TstTfrmScanerMTS)
#include "tst_TfrmScanerMTS.moc"
