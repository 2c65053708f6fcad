#include "PresenciaLectores.h"

#include "TAdaptadorSB.h"

TPresenciaLectores::TPresenciaLectores(TdmBBDD& dm, TAdaptadorSB* seacBanche,
                                       TfrmScanerVisionX* visionX, tDriverPanini driver,
                                       QWidget* parent)
    : dm_(dm), seacBanche_(seacBanche), visionX_(visionX), driver_(std::move(driver)),
      parent_(parent) {}

bool TPresenciaLectores::seacBanchePresente() {
    return seacBanche_ && seacBanche_->compruebaEstadoEscaner();
}
