#pragma once
// What the scanner check asks of the readers that come through a maker's
// library. The reader adapters implement it; until a reader's adapter is part
// of the program, TPresenciaLectoresProvisional answers "present" for it.

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
