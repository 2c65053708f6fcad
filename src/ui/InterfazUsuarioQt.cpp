#include "InterfazUsuarioQt.h"

#include "CajaMensajes.h"
#include "TfrmInfo_Proceso.h"

InterfazUsuarioQt::InterfazUsuarioQt(QWidget* ventanaPrincipal, TfrmInfo_Proceso& ventanaEspera)
    : ventanaPrincipal_(ventanaPrincipal), ventanaEspera_(ventanaEspera) {}

void InterfazUsuarioQt::muestraMensaje(const QString& texto) {
    CajaMensajes::muestraMensaje(ventanaPrincipal_, texto);
}

int InterfazUsuarioQt::pregunta(const QString& texto, const QString& boton1, const QString& boton2,
                                const QString& cabecera) {
    return CajaMensajes::pregunta(ventanaPrincipal_, texto, boton1, boton2, cabecera);
}

void InterfazUsuarioQt::lanzaVentanaEsperar() {
    ventanaEspera_.muestra();
}

void InterfazUsuarioQt::CierraVentanaEsperar() {
    ventanaEspera_.oculta();
}
