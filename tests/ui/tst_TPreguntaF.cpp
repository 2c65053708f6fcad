// The question dialog: label text, buttons and their places, how it can be
// left, and which picture it shows.

#include "TPreguntaF.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>

namespace {

const QString Atencion = QStringLiteral("Atenci\u00f3n");
const QString Informacion = QStringLiteral("Informaci\u00f3n");

// Opens the dialog without a modal loop so that keys and clicks can reach it.
void abre(TPreguntaF& dialogo) {
    dialogo.open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialogo));
}

QImage imagenEstandar(const TPreguntaF& dialogo, QStyle::StandardPixmap icono) {
    const QPixmap mostrado = dialogo.etiquetaImagen()->pixmap();
    return dialogo.style()
        ->standardIcon(icono, nullptr, &dialogo)
        .pixmap(mostrado.deviceIndependentSize().toSize())
        .toImage();
}

} // namespace

class tst_TPreguntaF : public QObject {
    Q_OBJECT
private slots:
    void textoEtiqueta_data();
    void textoEtiqueta();
    void saltoDeLineaSeMuestraComoUnaLinea();
    void botones_data();
    void botones();
    void respuesta_data();
    void respuesta();
    void unBotonSoloSeDejaConSuBoton();
    void aceleradores_data();
    void aceleradores();
    void imagenSegunCabecera_data();
    void imagenSegunCabecera();
    void cadaPreguntaReconfiguraElDialogo();
    void centradoEnPantalla();
    void PreguntaDlgModal();
};

void tst_TPreguntaF::textoEtiqueta_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("saltoDelante");

    QTest::newRow("vacio") << QString() << true;
    QTest::newRow("55") << QString(55, QLatin1Char('x')) << true;
    QTest::newRow("56") << QString(56, QLatin1Char('x')) << false;
    QTest::newRow("57") << QString(57, QLatin1Char('x')) << false;
    // Accented letters count as one character each, not as their UTF-8 bytes.
    QTest::newRow("55 con acentos")
        << QStringLiteral("\u00bfDesea continuar?") + QString(55 - 17, QChar(0x00f3)) << true;
    QTest::newRow("pregunta de la captura")
        << QStringLiteral("Se eliminar\u00e1n todos los cheques de la lista.\u00bfDesea continuar?")
        << false;
}

void tst_TPreguntaF::textoEtiqueta() {
    QFETCH(QString, texto);
    QFETCH(bool, saltoDelante);

    const QString esperado = saltoDelante ? QStringLiteral("\r\n") + texto : texto;
    QCOMPARE(TPreguntaF::textoEtiqueta(texto), esperado);

    TPreguntaF dialogo;
    dialogo.prepara(texto, QStringLiteral("Continuar"), QStringLiteral("Volver"), Atencion);
    QCOMPARE(dialogo.etiquetaPregunta()->text(), esperado);
}

void tst_TPreguntaF::saltoDeLineaSeMuestraComoUnaLinea() {
    // A short question sits exactly one line lower: CR LF draws as a single
    // line break and nothing else.
    TPreguntaF dialogo;
    QLabel* etiqueta = dialogo.etiquetaPregunta();
    const int ancho = etiqueta->width();
    etiqueta->setText(QStringLiteral("Corta"));
    const int unaLinea = etiqueta->heightForWidth(ancho);
    etiqueta->setText(QStringLiteral("\nCorta"));
    const QImage conLF = etiqueta->grab().toImage();

    dialogo.prepara(QStringLiteral("Corta"), QStringLiteral("Aceptar"), QString(), Atencion);
    QCOMPARE(etiqueta->heightForWidth(ancho), unaLinea + etiqueta->fontMetrics().lineSpacing());
    QCOMPARE(etiqueta->grab().toImage(), conLF);
}

void tst_TPreguntaF::botones_data() {
    QTest::addColumn<QString>("boton2");
    QTest::addColumn<bool>("dosBotones");
    QTest::addColumn<int>("xSi");

    QTest::newRow("dos botones") << QStringLiteral("Volver") << true << 119;
    QTest::newRow("un boton") << QString() << false << 164;
}

void tst_TPreguntaF::botones() {
    QFETCH(QString, boton2);
    QFETCH(bool, dosBotones);
    QFETCH(int, xSi);

    TPreguntaF dialogo;
    dialogo.prepara(QStringLiteral("Texto"), QStringLiteral("Continuar"), boton2, Atencion);
    abre(dialogo);

    QCOMPARE(dialogo.windowTitle(), Atencion);
    QCOMPARE(dialogo.modoDosBotones(), dosBotones);
    QCOMPARE(dialogo.SiBtn()->text(), QStringLiteral("&Continuar"));
    QCOMPARE(dialogo.SiBtn()->x(), xSi);
    QCOMPARE(dialogo.NoBtn()->isVisible(), dosBotones);
    if (dosBotones) {
        QCOMPARE(dialogo.NoBtn()->text(), QStringLiteral("&Volver"));
        QCOMPARE(dialogo.NoBtn()->x(), 209);
    }
    QCOMPARE(dialogo.focusWidget(), dialogo.SiBtn());
    // Fixed size and no close box.
    QCOMPARE(dialogo.minimumSize(), dialogo.maximumSize());
    QVERIFY(!(dialogo.windowFlags() & Qt::WindowCloseButtonHint));
}

void tst_TPreguntaF::respuesta_data() {
    QTest::addColumn<QString>("boton2");
    QTest::addColumn<QString>("accion");
    QTest::addColumn<int>("esperada");

    QTest::newRow("primer boton") << QStringLiteral("Volver") << "si" << 0;
    QTest::newRow("segundo boton") << QStringLiteral("Volver") << "no" << 1;
    QTest::newRow("Esc con dos botones") << QStringLiteral("Volver") << "esc" << 1;
    QTest::newRow("Intro en el primer boton") << QStringLiteral("Volver") << "intro" << 0;
    QTest::newRow("un boton") << QString() << "si" << 0;
}

void tst_TPreguntaF::respuesta() {
    QFETCH(QString, boton2);
    QFETCH(QString, accion);
    QFETCH(int, esperada);

    TPreguntaF dialogo;
    dialogo.prepara(QStringLiteral("Texto"), QStringLiteral("Continuar"), boton2, Atencion);
    abre(dialogo);
    if (accion == QLatin1String("si"))
        QTest::mouseClick(dialogo.SiBtn(), Qt::LeftButton);
    else if (accion == QLatin1String("no"))
        QTest::mouseClick(dialogo.NoBtn(), Qt::LeftButton);
    else if (accion == QLatin1String("esc"))
        QTest::keyClick(&dialogo, Qt::Key_Escape);
    else
        QTest::keyClick(dialogo.SiBtn(), Qt::Key_Return);

    QVERIFY(!dialogo.isVisible());
    QCOMPARE(dialogo.respuesta(), quint16(esperada));
}

void tst_TPreguntaF::unBotonSoloSeDejaConSuBoton() {
    TPreguntaF dialogo;
    dialogo.prepara(QStringLiteral("Texto"), QStringLiteral("Aceptar"), QString(), Atencion);
    abre(dialogo);

    QTest::keyClick(&dialogo, Qt::Key_Escape);
    QVERIFY(dialogo.isVisible());
    QVERIFY(!dialogo.close());
    QVERIFY(dialogo.isVisible());

    QTest::mouseClick(dialogo.SiBtn(), Qt::LeftButton);
    QVERIFY(!dialogo.isVisible());
    QCOMPARE(dialogo.respuesta(), quint16(0));
}

void tst_TPreguntaF::aceleradores_data() {
    QTest::addColumn<Qt::Key>("tecla");
    QTest::addColumn<int>("esperada");

    QTest::newRow("Alt+A primer boton") << Qt::Key_A << 0;
    QTest::newRow("Alt+C segundo boton") << Qt::Key_C << 1;
}

void tst_TPreguntaF::aceleradores() {
    QFETCH(Qt::Key, tecla);
    QFETCH(int, esperada);

    TPreguntaF dialogo;
    dialogo.prepara(QStringLiteral("Texto"), QStringLiteral("Aceptar"), QStringLiteral("Cancelar"),
                    QStringLiteral("Eliminar"));
    abre(dialogo);
    dialogo.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialogo));

    QTest::keyClick(&dialogo, tecla, Qt::AltModifier);
    // An access key presses the button the way a click does, released a moment later.
    QTRY_VERIFY(!dialogo.isVisible());
    QCOMPARE(dialogo.respuesta(), quint16(esperada));
}

void tst_TPreguntaF::imagenSegunCabecera_data() {
    QTest::addColumn<QString>("cabecera");
    QTest::addColumn<bool>("informacion");

    QTest::newRow("Informacion") << Informacion << true;
    QTest::newRow("Atencion") << Atencion << false;
    QTest::newRow("minusculas") << QStringLiteral("informaci\u00f3n") << false;
    QTest::newRow("sin acento") << QStringLiteral("Informacion") << false;
    QTest::newRow("vacia") << QString() << false;
}

void tst_TPreguntaF::imagenSegunCabecera() {
    QFETCH(QString, cabecera);
    QFETCH(bool, informacion);

    TPreguntaF dialogo;
    dialogo.prepara(QStringLiteral("Texto"), QStringLiteral("Aceptar"), QString(), cabecera);
    abre(dialogo);

    QCOMPARE(dialogo.imagen(),
             informacion ? TPreguntaF::Imagen::Informacion : TPreguntaF::Imagen::Pregunta);
    const auto icono =
        informacion ? QStyle::SP_MessageBoxInformation : QStyle::SP_MessageBoxQuestion;
    const QImage mostrada = dialogo.etiquetaImagen()->pixmap().toImage();
    QVERIFY(!mostrada.isNull());
    QCOMPARE(mostrada, imagenEstandar(dialogo, icono));
}

void tst_TPreguntaF::cadaPreguntaReconfiguraElDialogo() {
    // The one dialog serves every question: nothing of the previous one stays.
    TPreguntaF dialogo;
    dialogo.prepara(QStringLiteral("Hecho"), QStringLiteral("Aceptar"), QString(), Informacion);
    abre(dialogo);
    QTest::mouseClick(dialogo.SiBtn(), Qt::LeftButton);

    dialogo.prepara(QStringLiteral("Texto"), QStringLiteral("Continuar"), QStringLiteral("Volver"),
                    Atencion);
    abre(dialogo);
    QCOMPARE(dialogo.imagen(), TPreguntaF::Imagen::Pregunta);
    QVERIFY(dialogo.NoBtn()->isVisible());
    QCOMPARE(dialogo.SiBtn()->x(), 119);
    QCOMPARE(dialogo.NoBtn()->x(), 209);
    dialogo.NoBtn()->setFocus();
    QTest::keyClick(&dialogo, Qt::Key_Escape);
    QCOMPARE(dialogo.respuesta(), quint16(1));

    // A result left from the last question must not answer the next one.
    dialogo.prepara(QStringLiteral("Texto"), QStringLiteral("Aceptar"), QString(), Atencion);
    abre(dialogo);
    QCOMPARE(dialogo.focusWidget(), dialogo.SiBtn());
    QVERIFY(!dialogo.NoBtn()->isVisible());
    QCOMPARE(dialogo.SiBtn()->x(), 164);
    QTest::keyClick(&dialogo, Qt::Key_Escape);
    QVERIFY(dialogo.isVisible());
    QTest::mouseClick(dialogo.SiBtn(), Qt::LeftButton);
    QCOMPARE(dialogo.respuesta(), quint16(0));
}

void tst_TPreguntaF::centradoEnPantalla() {
    QWidget principal;
    principal.setGeometry(10, 10, 200, 100);
    principal.show();
    TPreguntaF dialogo(&principal);
    dialogo.prepara(QStringLiteral("Texto"), QStringLiteral("Aceptar"), QString(), Atencion);
    abre(dialogo);

    const QPoint centro = dialogo.screen()->availableGeometry().center();
    const QPoint diferencia = dialogo.frameGeometry().center() - centro;
    QVERIFY2(
        diferencia.manhattanLength() <= 2,
        qPrintable(QStringLiteral("desplazado %1,%2").arg(diferencia.x()).arg(diferencia.y())));
}

void tst_TPreguntaF::PreguntaDlgModal() {
    // The whole call, modal loop included: the key is queued before the call and
    // delivered once the loop runs.
    TPreguntaF dialogo;
    QMetaObject::invokeMethod(
        this, [&dialogo] { QTest::keyClick(&dialogo, Qt::Key_Escape); }, Qt::QueuedConnection);
    QCOMPARE(dialogo.PreguntaDlg(QStringLiteral("Texto"), QStringLiteral("Continuar"),
                                 QStringLiteral("Volver"), Atencion),
             quint16(1));
}

QTEST_MAIN(tst_TPreguntaF)
#include "tst_TPreguntaF.moc"
