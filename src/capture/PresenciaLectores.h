#pragma once
// What the scanner check asks of the readers that come through a maker's
// library. TPresenciaLectores is the program's; TPresenciaLectoresProvisional
// answers "present" for every reader (tests of what does not reach a reader).

#include "DriverPanini.h"

class IPresenciaLectores {
public:
    virtual ~IPresenciaLectores() = default;

    // Seac Banche (type 1): a reader answers through its library.
    virtual bool seacBanchePresente() = 0;

    // Panini Vision X (type 5), in the order the check calls them:
    // the USB driver is installed on this computer;
    virtual bool driverPaniniPresente() = 0;
    // the driver installation window, opened for the configured type, closed
    // with OK (the driver counts as installed only then);
    virtual bool instalaDriverPanini(int tipo) = 0;
    // the Vision X engine started and a reader answered.
    virtual bool enciendeVisionX() = 0;
    // Any of them may throw std::exception: the check shows its text.
};

class TPresenciaLectoresProvisional : public IPresenciaLectores {
public:
    bool seacBanchePresente() override { return true; }
    bool driverPaniniPresente() override { return true; }
    bool instalaDriverPanini(int) override { return true; }
    bool enciendeVisionX() override { return true; }
};

class TdmBBDD;
class TfrmScanerVisionX;
class QWidget;

// The readers of this computer. Seac Banche: PresenciaLectores.cpp; Panini
// Vision X: PresenciaLectoresPanini.cpp.
class TPresenciaLectores : public IPresenciaLectores {
public:
    // `visionX`: the long-lived window whose engine is started; `driver`: what
    // the reader needs on this computer (driverPaniniDelSistema, or a test's).
    TPresenciaLectores(TdmBBDD& dm, TfrmScanerVisionX& visionX, tDriverPanini driver,
                       QWidget* parent);

    bool seacBanchePresente() override;
    bool driverPaniniPresente() override;
    bool instalaDriverPanini(int tipo) override;
    bool enciendeVisionX() override;

private:
    TdmBBDD& dm_;
    TfrmScanerVisionX& visionX_;
    const tDriverPanini driver_;
    QWidget* parent_;
};
