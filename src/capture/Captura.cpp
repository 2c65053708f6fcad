#include "Captura.h"

#include "ComprobacionEscaner.h"
#include "ImagenesTalon.h"
#include "PresenciaLectores.h"
#include "TdmBBDD.h"
#include "TfrmConfiguracion.h"
#include "TfrmScanerMTS.h"

TCaptura::TCaptura(TdmBBDD& dm, QWidget* parent)
    : dm_(dm), parent_(parent), lectores_(std::make_unique<TPresenciaLectoresProvisional>()) {
    frmScanerMTS = std::make_unique<TfrmScanerMTS>(dm_, parent_);
}

TCaptura::~TCaptura() = default;

bool TCaptura::abreVentana(int tipo) {
    switch (tipo) {
    case TipoLector::Teclado:
        frmScanerMTS->Launch();
        return true;
    default:
        return false;
    }
}

void TCaptura::abreConfiguracion(bool primeraVez) {
    TfrmConfiguracion::Launch(dm_, *lectores_, primeraVez, parent_);
}

void TCaptura::compruebaEstadoEscaner() {
    ::compruebaEstadoEscaner(dm_.instalacion(), dm_.estado(), *lectores_, parent_);
}

void TCaptura::fijaLectores(std::unique_ptr<IPresenciaLectores> lectores) {
    lectores_ = std::move(lectores);
}
