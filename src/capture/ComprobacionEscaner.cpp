#include "ComprobacionEscaner.h"

#include "CajaMensajes.h"
#include "ConfiguracionEscaner.h"
#include "ImagenesTalon.h"
#include "PresenciaLectores.h"
#include "TextosCaptura.h"

#include <exception>

namespace {

void compruebaVisionX(const tInstalacion& instalacion, int tipo, IPresenciaLectores& lectores,
                      const CajaMensajes& cajas) {
    const bool driver = lectores.driverPaniniPresente() || lectores.instalaDriverPanini(tipo);
    if (!driver)
        return; // installation cancelled or failed: the window said why
    if (!lectores.enciendeVisionX())
        cajas.muestraMensaje(TextosCaptura::mensajeSinVisionX(instalacion));
}

} // namespace

void compruebaEstadoEscaner(const tInstalacion& instalacion, tEstadoPrograma& estado,
                            IPresenciaLectores& lectores, QWidget* parent) {
    estado.Escaner = leeConfiguracionEscaner(instalacion);
    const int tipo = estado.Escaner.tipo;
    const CajaMensajes cajas(estado, parent);
    if (tipo == TipoLector::SeacBanche) {
        if (!lectores.seacBanchePresente())
            cajas.muestraMensaje(TextosCaptura::mensajeSinSeacBanche(instalacion));
    } else if (tipo == TipoLector::VisionX) {
        try {
            compruebaVisionX(instalacion, tipo, lectores, cajas);
        } catch (const std::exception& e) {
            cajas.muestraMensaje(TextosCaptura::PrefijoProblema + QString::fromLocal8Bit(e.what()));
        }
    }
}
