#include "PresenciaLectores.h"

TPresenciaLectores::TPresenciaLectores(TdmBBDD& dm, TfrmScanerVisionX& visionX,
                                       tDriverPanini driver, QWidget* parent)
    : dm_(dm), visionX_(visionX), driver_(std::move(driver)), parent_(parent) {}

// Until the Seac Banche window is part of the program its reader counts as
// present, as before.
bool TPresenciaLectores::seacBanchePresente() {
    return true;
}
