// The Vision X part of the readers' presence checks.
#include "PresenciaLectores.h"

#include "TdmBBDD.h"
#include "TfrmInstalarDrivers.h"
#include "TfrmScanerVisionX.h"

#include <QFileInfo>

bool TPresenciaLectores::driverPaniniPresente() {
    return !driver_.instalado.isEmpty() && QFileInfo::exists(driver_.instalado);
}

bool TPresenciaLectores::instalaDriverPanini(int tipo) {
    return TfrmInstalarDrivers::Launch(tipo, driver_, dm_.estado(), parent_);
}

bool TPresenciaLectores::enciendeVisionX() {
    return visionX_ && visionX_->enciendeEscaner();
}
