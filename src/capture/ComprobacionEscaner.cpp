#include "ComprobacionEscaner.h"

#include "CajaMensajes.h"
#include "ConfiguracionEscaner.h"
#include "ImagenesTalon.h"
#include "PresenciaLectores.h"
#include "TextosCaptura.h"

#include <exception>

namespace {

void compruebaVisionX(int tipo, IPresenciaLectores& lectores, QWidget* parent) {
    const bool driver = lectores.driverPaniniPresente() || lectores.instalaDriverPanini(tipo);
    if (!driver)
        return; // installation cancelled or failed: the window said why
    if (!lectores.enciendeVisionX())
        CajaMensajes::muestraMensaje(parent, TextosCaptura::MensajeSinVisionX);
}

} // namespace

void compruebaEstadoEscaner(const tInstalacion& instalacion, tEstadoPrograma& estado,
                            IPresenciaLectores& lectores, QWidget* parent) {
    estado.Escaner = leeConfiguracionEscaner(instalacion);
    const int tipo = estado.Escaner.tipo;
    if (tipo == TipoLector::SeacBanche) {
        if (!lectores.seacBanchePresente())
            CajaMensajes::muestraMensaje(parent, TextosCaptura::MensajeSinSeacBanche);
    } else if (tipo == TipoLector::VisionX) {
        try {
            compruebaVisionX(tipo, lectores, parent);
        } catch (const std::exception& e) {
            CajaMensajes::muestraMensaje(parent, TextosCaptura::PrefijoProblema +
                                                     QString::fromLocal8Bit(e.what()));
        }
    }
}
