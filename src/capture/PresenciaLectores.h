#pragma once
// What the scanner check asks of the readers that come through a maker's
// library. TPresenciaLectores is the program's; a test may put a fake of its
// own in its place. TPresenciaLectoresProvisional answers "present" for every
// reader (tests of what does not reach a reader).

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
class TAdaptadorSB;
class TfrmScanerVisionX;
class QWidget;

// The readers of this computer. Seac Banche: PresenciaLectores.cpp; Panini
// Vision X: PresenciaLectoresPanini.cpp.
class TPresenciaLectores : public IPresenciaLectores {
public:
    // `seacBanche`: the adapter of the Seac Banche library; `visionX`: the
    // long-lived window whose engine is started; `driver`: what the reader
    // needs on this computer (driverPaniniDelSistema, or a test's). A reader
    // left null (a test of another reader) is never present.
    TPresenciaLectores(TdmBBDD& dm, TAdaptadorSB* seacBanche, TfrmScanerVisionX* visionX,
                       tDriverPanini driver, QWidget* parent);

    // Seac Banche: rdInit(-1) through the binding; false without a library.
    bool seacBanchePresente() override;
    bool driverPaniniPresente() override;
    bool instalaDriverPanini(int tipo) override;
    bool enciendeVisionX() override;

private:
    TdmBBDD& dm_;
    TAdaptadorSB* seacBanche_;
    TfrmScanerVisionX* visionX_;
    const tDriverPanini driver_;
    QWidget* parent_;
};
