#include "InterfazUsuarioQt.h"

#include "CajaMensajes.h"
#include "EstadoPrograma.h"
#include "RegistroDiagnostico.h"
#include "TfrmInfo_Proceso.h"

InterfazUsuarioQt::InterfazUsuarioQt(const tEstadoPrograma& estado, QWidget* ventanaPrincipal,
                                     TfrmInfo_Proceso& ventanaEspera)
    : estado_(estado), ventanaPrincipal_(ventanaPrincipal), ventanaEspera_(ventanaEspera) {}

void InterfazUsuarioQt::muestraMensaje(const QString& texto) {
    CajaMensajes(estado_, ventanaPrincipal_).muestraMensaje(texto);
}

int InterfazUsuarioQt::pregunta(const QString& texto, const QString& boton1, const QString& boton2,
                                const QString& cabecera) {
    return CajaMensajes(estado_, ventanaPrincipal_).pregunta(texto, boton1, boton2, cabecera);
}

void InterfazUsuarioQt::lanzaVentanaEsperar() {
    ventanaEspera_.muestra();
}

void InterfazUsuarioQt::CierraVentanaEsperar() {
    ventanaEspera_.oculta();
}

void InterfazUsuarioQt::progresoEspera(const QString& fase, int hechos, int total) {
    anotaDiagnostico(estado_.diagnostico,
                     total > 0 ? QStringLiteral("%1: %2 de %3").arg(fase).arg(hechos).arg(total)
                               : fase);
    ventanaEspera_.progreso(fase, hechos, total);
}

void InterfazUsuarioQt::anotaSuceso(const QString& texto) {
    anotaDiagnostico(estado_.diagnostico, texto);
}
