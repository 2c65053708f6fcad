// The one place for message boxes, the system dialogs, the test script that
// answers both, the program's message interface over them, and the wait
// window.

#include "CajaMensajes.h"
#include "DialogosSistema.h"
#include "EstadoPrograma.h"
#include "InterfazUsuarioFalsa.h"
#include "InterfazUsuarioQt.h"
#include "TfrmInfo_Proceso.h"

#include <QProgressBar>

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <stdexcept>

namespace {

// Counts the paint events a widget receives.
class ContadorPintado : public QObject {
public:
    int veces = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++veces;
        return false;
    }
};

} // namespace

class tst_CajaMensajes : public QObject {
    Q_OBJECT

    // Each test's own state and script: nothing survives into the next test.
    TGuionDialogos guion;
    tEstadoPrograma estado;
    CajaMensajes caja{estado, nullptr};

private slots:
    void init() { estado.guion = &guion; }
    void cleanup() {
        guion.restablece();
        estado = tEstadoPrograma{};
    }

    void grabaEnOrdenYDaRespuestas();
    void sinRespuestaPreparadaCancela();
    void preguntaDeUnBotonNoGastaRespuesta();
    void sinGuionUsaElDialogoDeLaAplicacion();
    void dialogosDelSistemaGuionizados();
    void interfazLlevaMensajesYPreguntasAlMismoSitio();
    void ventanaEsperaSePintaEnSeguida();
    void ventanaEsperaCentradaEnLaPrincipal();
    void ventanaEsperaOcultaAunqueFalle();
    void ventanaEsperaMuestraElProgreso();
    void interfazFalsaGuionizada();
};

void tst_CajaMensajes::grabaEnOrdenYDaRespuestas() {
    guion.fijaSiguienteRespuesta(CajaMensajes::SegundoBoton);
    guion.fijaSiguienteRespuesta(CajaMensajes::PrimerBoton);

    caja.muestraMensaje(QStringLiteral("uno"));
    QCOMPARE(caja.confirma(QStringLiteral("dos"), QStringLiteral("ATENCI\u00d3N")), false);
    caja.muestraAviso(QStringLiteral("tres"));
    QCOMPARE(caja.pregunta(QStringLiteral("cuatro"), QStringLiteral("Continuar"),
                           QStringLiteral("Volver"), QStringLiteral("Atenci\u00f3n")),
             quint16(0));

    QCOMPARE(guion.textos(), QStringList({QStringLiteral("uno"), QStringLiteral("dos"),
                                          QStringLiteral("tres"), QStringLiteral("cuatro")}));
    const auto& r = guion.cajas;
    QCOMPARE(r[0].tipo, CajaMensajes::Tipo::Mensaje);
    QCOMPARE(r[0].titulo, QCoreApplication::applicationName());
    QCOMPARE(r[1].tipo, CajaMensajes::Tipo::Confirmacion);
    QCOMPARE(r[1].titulo, QStringLiteral("ATENCI\u00d3N"));
    QCOMPARE(r[1].respuesta, quint16(1));
    QCOMPARE(r[2].tipo, CajaMensajes::Tipo::Aviso);
    QCOMPARE(r[3].tipo, CajaMensajes::Tipo::Pregunta);
    QCOMPARE(r[3].titulo, QStringLiteral("Atenci\u00f3n"));
    QCOMPARE(r[3].boton1, QStringLiteral("Continuar"));
    QCOMPARE(r[3].boton2, QStringLiteral("Volver"));
    QCOMPARE(guion.respuestasPendientes(), 0);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_CajaMensajes::sinRespuestaPreparadaCancela() {
    QVERIFY(!caja.confirma(QStringLiteral("borrar"), QStringLiteral("T")));
    QCOMPARE(caja.pregunta(QStringLiteral("seguir"), QStringLiteral("Si"), QStringLiteral("No"),
                           QStringLiteral("T")),
             quint16(1));
    QCOMPARE(guion.cajas.size(), 2);
}

void tst_CajaMensajes::preguntaDeUnBotonNoGastaRespuesta() {
    guion.fijaSiguienteRespuesta(CajaMensajes::SegundoBoton);
    QCOMPARE(caja.pregunta(QStringLiteral("hecho"), QStringLiteral("Aceptar"), QString(),
                           QStringLiteral("Informaci\u00f3n")),
             quint16(0));
    caja.muestraMensaje(QStringLiteral("aviso"));
    QCOMPARE(guion.respuestasPendientes(), 1);
    QVERIFY(!caja.confirma(QStringLiteral("borrar"), QStringLiteral("T")));
}

void tst_CajaMensajes::sinGuionUsaElDialogoDeLaAplicacion() {
    // The program's state carries no script: questions go to the long-lived
    // dialog the application registered.
    estado.guion = nullptr;
    QStringList preguntas;
    estado.preguntaDlg = [&](const QString& t, const QString& b1, const QString& b2,
                             const QString& c) {
        preguntas << t + '|' + b1 + '|' + b2 + '|' + c;
        return quint16(1);
    };
    QCOMPARE(caja.pregunta("seguir", "Si", "No", "T"), quint16(1));
    QCOMPARE(preguntas, QStringList{"seguir|Si|No|T"});
    QVERIFY(guion.cajas.isEmpty());
}

void tst_CajaMensajes::dialogosDelSistemaGuionizados() {
    const DialogosSistema dialogos(estado, nullptr);
    guion.fijaSiguienteRutaGuardar(QStringLiteral("/tmp/a.zip"));
    QCOMPARE(dialogos.guardarComo("*.zip", "ZIP"), QStringLiteral("/tmp/a.zip"));
    QCOMPARE(dialogos.guardarComo("*.zip", "ZIP"), QString()); // nothing queued: cancelled

    QTextDocument documento(QStringLiteral("carta"));
    QVERIFY(!dialogos.imprime(documento, QStringLiteral("CARTA"))); // no PDF: cancelled
    QTemporaryDir dir;
    guion.rutaPdf = dir.filePath(QStringLiteral("carta.pdf"));
    QVERIFY(dialogos.imprime(documento, QStringLiteral("CARTA")));
    QVERIFY(QFileInfo(guion.rutaPdf).size() > 0);
    QCOMPARE(guion.titulosImpresos, (QStringList{"CARTA", "CARTA"}));

    QVERIFY(dialogos.abreDireccion(QUrl(QStringLiteral("mailto:banco@example.com"))));
    QCOMPARE(guion.direcciones, QStringList{"mailto:banco@example.com"});
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_CajaMensajes::interfazLlevaMensajesYPreguntasAlMismoSitio() {
    TfrmInfo_Proceso espera;
    InterfazUsuarioQt iu(estado, nullptr, espera);
    guion.fijaSiguienteRespuesta(CajaMensajes::PrimerBoton);

    iu.muestraMensaje(QStringLiteral("no such table"));
    QCOMPARE(iu.pregunta(QStringLiteral("\u00bfEliminar?"), QStringLiteral("Aceptar"),
                         QStringLiteral("Cancelar"), QStringLiteral("Eliminar")),
             0);

    const auto& r = guion.cajas;
    QCOMPARE(r.size(), 2);
    QCOMPARE(r[0].tipo, CajaMensajes::Tipo::Mensaje);
    QCOMPARE(r[0].texto, QStringLiteral("no such table"));
    QCOMPARE(r[1].tipo, CajaMensajes::Tipo::Pregunta);
    QCOMPARE(r[1].titulo, QStringLiteral("Eliminar"));
}

void tst_CajaMensajes::ventanaEsperaSePintaEnSeguida() {
    TfrmInfo_Proceso espera;
    InterfazUsuarioQt iu(estado, nullptr, espera);
    ContadorPintado procesando;
    ContadorPintado espere;
    espera.etiquetaProcesando()->installEventFilter(&procesando);
    espera.etiquetaEspere()->installEventFilter(&espere);

    iu.lanzaVentanaEsperar();
    // No event loop has run since: the labels were painted inside the call.
    QVERIFY(espera.isVisible());
    QVERIFY(procesando.veces > 0);
    QVERIFY(espere.veces > 0);
    QCOMPARE(espera.windowTitle(), QStringLiteral("Informaci\u00f3n"));
    QCOMPARE(espera.etiquetaProcesando()->text(), QStringLiteral("Procesando..."));
    QCOMPARE(espera.etiquetaEspere()->text(), QStringLiteral("Espere Por Favor"));

    iu.CierraVentanaEsperar();
    QVERIFY(!espera.isVisible());
}

void tst_CajaMensajes::ventanaEsperaCentradaEnLaPrincipal() {
    QWidget principal;
    principal.setGeometry(40, 60, 1008, 612);
    principal.show();
    QVERIFY(QTest::qWaitForWindowExposed(&principal));
    TfrmInfo_Proceso espera(&principal);

    espera.muestra();
    const QPoint diferencia = espera.frameGeometry().center() - principal.frameGeometry().center();
    QVERIFY2(
        diferencia.manhattanLength() <= 2,
        qPrintable(QStringLiteral("desplazada %1,%2").arg(diferencia.x()).arg(diferencia.y())));
}

void tst_CajaMensajes::ventanaEsperaOcultaAunqueFalle() {
    TfrmInfo_Proceso espera;
    InterfazUsuarioQt iu(estado, nullptr, espera);

    bool visibleDentro = false;
    try {
        VentanaEsperar guarda(iu);
        visibleDentro = espera.isVisible();
        throw std::runtime_error("fallo de la tabla");
    } catch (const std::runtime_error&) {
    }
    QVERIFY(visibleDentro);
    QVERIFY(!espera.isVisible());
}

// A long operation's phase and count show at once under the wait text; the
// next operation starts without them.
void tst_CajaMensajes::ventanaEsperaMuestraElProgreso() {
    TfrmInfo_Proceso espera;
    InterfazUsuarioQt iu(estado, nullptr, espera);
    ContadorPintado barra;
    espera.barraProgreso()->installEventFilter(&barra);
    iu.lanzaVentanaEsperar();
    QVERIFY(!espera.barraProgreso()->isVisible());

    iu.progresoEspera(QStringLiteral("Pasando los cheques al histórico"), 250, 1000);
    QVERIFY(barra.veces > 0);
    QCOMPARE(espera.etiquetaFase()->text(), QStringLiteral("Pasando los cheques al histórico"));
    QCOMPARE(espera.barraProgreso()->value(), 250);
    QCOMPARE(espera.barraProgreso()->maximum(), 1000);
    QCOMPARE(espera.barraProgreso()->text(), QStringLiteral("250 de 1000"));
    QCOMPARE(espera.barraProgreso()->accessibleName(), QStringLiteral("Progreso"));
    const QSize tamano = espera.size();
    iu.progresoEspera(QStringLiteral("Comprimiendo las imágenes"), 0, 0);
    QCOMPARE(espera.barraProgreso()->maximum(), 0); // goes on, not counted
    QCOMPARE(espera.size(), tamano);

    iu.CierraVentanaEsperar();
    iu.lanzaVentanaEsperar();
    QVERIFY(!espera.barraProgreso()->isVisible());
    QVERIFY(!espera.etiquetaFase()->isVisible());
    iu.CierraVentanaEsperar();
}

void tst_CajaMensajes::interfazFalsaGuionizada() {
    // The same default answers as the windows' script: an unscripted
    // question is cancelled, a one-button question takes its button.
    InterfazUsuarioFalsa falsa;
    falsa.fijaSiguienteRespuesta(0);
    IInterfazUsuario& iu = falsa;

    iu.muestraMensaje(QStringLiteral("m"));
    QCOMPARE(iu.pregunta(QStringLiteral("p1"), QStringLiteral("A"), QStringLiteral("B"),
                         QStringLiteral("C")),
             0);
    QCOMPARE(iu.pregunta(QStringLiteral("p2"), QStringLiteral("A"), QStringLiteral("B"),
                         QStringLiteral("C")),
             1);
    QCOMPARE(iu.pregunta(QStringLiteral("p3"), QStringLiteral("A"), QString(), QStringLiteral("C")),
             0);
    {
        VentanaEsperar guarda(iu);
        QVERIFY(falsa.esperaVisible);
    }
    QCOMPARE(falsa.mensajes, QStringList{QStringLiteral("m")});
    QCOMPARE(falsa.preguntas.size(), 3);
    QCOMPARE(falsa.preguntas[0].cabecera, QStringLiteral("C"));
    QVERIFY(!falsa.esperaVisible);
    QCOMPARE(falsa.vecesMostrada, 1);
    QCOMPARE(falsa.vecesOcultada, 1);
}

QTEST_MAIN(tst_CajaMensajes)
#include "tst_CajaMensajes.moc"
