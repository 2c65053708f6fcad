// The one place for message boxes and its test hook, the program's message
// interface over it, and the wait window.

#include "CajaMensajes.h"
#include "InterfazUsuarioFalsa.h"
#include "InterfazUsuarioQt.h"
#include "TfrmInfo_Proceso.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

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
private slots:
    void cleanup() { CajaMensajes::restablece(); }

    void grabaEnOrdenYDaRespuestas();
    void sinRespuestaPreparadaCancela();
    void preguntaDeUnBotonNoGastaRespuesta();
    void restableceOlvidaTodo();
    void interfazLlevaMensajesYPreguntasAlMismoSitio();
    void ventanaEsperaSePintaEnSeguida();
    void ventanaEsperaCentradaEnLaPrincipal();
    void ventanaEsperaOcultaAunqueFalle();
    void interfazFalsaGuionizada();
};

void tst_CajaMensajes::grabaEnOrdenYDaRespuestas() {
    CajaMensajes::fijaSiguienteRespuesta(CajaMensajes::SegundoBoton);
    CajaMensajes::fijaSiguienteRespuesta(CajaMensajes::PrimerBoton);

    CajaMensajes::muestraMensaje(nullptr, QStringLiteral("uno"));
    QCOMPARE(
        CajaMensajes::confirma(nullptr, QStringLiteral("dos"), QStringLiteral("ATENCI\u00d3N")),
        false);
    CajaMensajes::muestraAviso(nullptr, QStringLiteral("tres"));
    QCOMPARE(CajaMensajes::pregunta(nullptr, QStringLiteral("cuatro"), QStringLiteral("Continuar"),
                                    QStringLiteral("Volver"), QStringLiteral("Atenci\u00f3n")),
             quint16(0));

    QCOMPARE(CajaMensajes::textos(),
             QStringList({QStringLiteral("uno"), QStringLiteral("dos"), QStringLiteral("tres"),
                          QStringLiteral("cuatro")}));
    const auto& r = CajaMensajes::registros();
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
    QCOMPARE(CajaMensajes::respuestasPendientes(), 0);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_CajaMensajes::sinRespuestaPreparadaCancela() {
    CajaMensajes::activaGrabacion();
    QVERIFY(!CajaMensajes::confirma(nullptr, QStringLiteral("borrar"), QStringLiteral("T")));
    QCOMPARE(CajaMensajes::pregunta(nullptr, QStringLiteral("seguir"), QStringLiteral("Si"),
                                    QStringLiteral("No"), QStringLiteral("T")),
             quint16(1));
    QCOMPARE(CajaMensajes::registros().size(), 2);
}

void tst_CajaMensajes::preguntaDeUnBotonNoGastaRespuesta() {
    CajaMensajes::fijaSiguienteRespuesta(CajaMensajes::SegundoBoton);
    QCOMPARE(CajaMensajes::pregunta(nullptr, QStringLiteral("hecho"), QStringLiteral("Aceptar"),
                                    QString(), QStringLiteral("Informaci\u00f3n")),
             quint16(0));
    CajaMensajes::muestraMensaje(nullptr, QStringLiteral("aviso"));
    QCOMPARE(CajaMensajes::respuestasPendientes(), 1);
    QVERIFY(!CajaMensajes::confirma(nullptr, QStringLiteral("borrar"), QStringLiteral("T")));
}

void tst_CajaMensajes::restableceOlvidaTodo() {
    CajaMensajes::fijaSiguienteRespuesta(CajaMensajes::PrimerBoton);
    CajaMensajes::muestraMensaje(nullptr, QStringLiteral("uno"));
    CajaMensajes::restablece();
    QVERIFY(!CajaMensajes::grabando());
    QVERIFY(CajaMensajes::registros().isEmpty());
    QCOMPARE(CajaMensajes::respuestasPendientes(), 0);
}

void tst_CajaMensajes::interfazLlevaMensajesYPreguntasAlMismoSitio() {
    TfrmInfo_Proceso espera;
    InterfazUsuarioQt iu(nullptr, espera);
    CajaMensajes::fijaSiguienteRespuesta(CajaMensajes::PrimerBoton);

    iu.muestraMensaje(QStringLiteral("no such table"));
    QCOMPARE(iu.pregunta(QStringLiteral("\u00bfEliminar?"), QStringLiteral("Aceptar"),
                         QStringLiteral("Cancelar"), QStringLiteral("Eliminar")),
             0);

    const auto& r = CajaMensajes::registros();
    QCOMPARE(r.size(), 2);
    QCOMPARE(r[0].tipo, CajaMensajes::Tipo::Mensaje);
    QCOMPARE(r[0].texto, QStringLiteral("no such table"));
    QCOMPARE(r[1].tipo, CajaMensajes::Tipo::Pregunta);
    QCOMPARE(r[1].titulo, QStringLiteral("Eliminar"));
}

void tst_CajaMensajes::ventanaEsperaSePintaEnSeguida() {
    TfrmInfo_Proceso espera;
    InterfazUsuarioQt iu(nullptr, espera);
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
    InterfazUsuarioQt iu(nullptr, espera);

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

void tst_CajaMensajes::interfazFalsaGuionizada() {
    InterfazUsuarioFalsa falsa;
    falsa.fijaSiguienteRespuesta(1);
    IInterfazUsuario& iu = falsa;

    iu.muestraMensaje(QStringLiteral("m"));
    QCOMPARE(iu.pregunta(QStringLiteral("p1"), QStringLiteral("A"), QStringLiteral("B"),
                         QStringLiteral("C")),
             1);
    QCOMPARE(iu.pregunta(QStringLiteral("p2"), QStringLiteral("A"), QString(), QStringLiteral("C")),
             0);
    {
        VentanaEsperar guarda(iu);
        QVERIFY(falsa.esperaVisible);
    }
    QCOMPARE(falsa.mensajes, QStringList{QStringLiteral("m")});
    QCOMPARE(falsa.preguntas.size(), 2);
    QCOMPARE(falsa.preguntas[0].cabecera, QStringLiteral("C"));
    QVERIFY(!falsa.esperaVisible);
    QCOMPARE(falsa.vecesMostrada, 1);
    QCOMPARE(falsa.vecesOcultada, 1);
}

QTEST_MAIN(tst_CajaMensajes)
#include "tst_CajaMensajes.moc"
