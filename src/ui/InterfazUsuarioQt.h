#pragma once
// How the program shows what the data module reports: messages and questions
// through CajaMensajes, the wait window through TfrmInfo_Proceso.

#include "IInterfazUsuario.h"

class QWidget;
class TfrmInfo_Proceso;
struct tEstadoPrograma;

class InterfazUsuarioQt : public IInterfazUsuario {
public:
    // ventanaPrincipal owns the boxes (may be null); the state and the wait
    // window must outlive this object.
    InterfazUsuarioQt(const tEstadoPrograma& estado, QWidget* ventanaPrincipal,
                      TfrmInfo_Proceso& ventanaEspera);

    void muestraMensaje(const QString& texto) override;
    int pregunta(const QString& texto, const QString& boton1, const QString& boton2,
                 const QString& cabecera) override;
    void lanzaVentanaEsperar() override;
    void CierraVentanaEsperar() override;
    void progresoEspera(const QString& fase, int hechos, int total) override;
    void anotaSuceso(const QString& texto) override;

private:
    const tEstadoPrograma& estado_;
    QWidget* ventanaPrincipal_;
    TfrmInfo_Proceso& ventanaEspera_;
};
