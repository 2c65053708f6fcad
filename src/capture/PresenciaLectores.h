#pragma once
// What the scanner check asks of the readers that come through a maker's
// library. TPresenciaLectores asks the readers' adapters; a test may put a
// fake of its own in its place. TPresenciaLectoresProvisional answers
// "present" for every reader.

class TAdaptadorSB;

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

// The program's presence checks, through the readers' adapters.
class TPresenciaLectores : public IPresenciaLectores {
public:
    explicit TPresenciaLectores(TAdaptadorSB& seacBanche) : seacBanche_(seacBanche) {}

    // Seac Banche: rdInit(-1) through the binding; false without a library.
    bool seacBanchePresente() override;

    // ---- Panini Vision X ------------------------------------------------
    // Until the Vision X reader is part of the program: "present".
    bool driverPaniniPresente() override { return true; }
    bool instalaDriverPanini(int) override { return true; }
    bool enciendeVisionX() override { return true; }
    // ---------------------------------------------------------------------

private:
    TAdaptadorSB& seacBanche_;
};
