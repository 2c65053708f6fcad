#pragma once
// The capture subsystem as the application holds it: the long-lived capture
// windows, created once in their start-up order, the readers' presence
// checks, and the three ways in (the editor's scanning button, the
// configuration window, the scanner check).

#include <memory>

class TdmBBDD;
class IPresenciaLectores;
class TEnlaceMtxmlmcr;
class TEnlaceVisionAPI;
class TfrmScanerMTS;
class TfrmScanerSB;
class TfrmScanerVisionX;
class TfrmScanerX;
class TEnlaceRd3lib;
class TAdaptadorSB;
class QWidget;

class TCaptura {
public:
    TCaptura(TdmBBDD& dm, QWidget* parent);
    ~TCaptura();
    TCaptura(const TCaptura&) = delete;
    TCaptura& operator=(const TCaptura&) = delete;

    // Opens the capture window of the reader type modally; false, and nothing
    // opens, for a type without a window (0 "Manual", a reader whose window
    // is not part of the program, any other value).
    bool abreVentana(int tipo);
    // The configuration window, in first-time or normal mode.
    void abreConfiguracion(bool primeraVez);
    // The scanner check for the configured type.
    void compruebaEstadoEscaner();

    IPresenciaLectores& lectores() { return *lectores_; }
    // Replaces the presence checks (the readers' adapters, or a test's fake).
    void fijaLectores(std::unique_ptr<IPresenciaLectores> lectores);

    // The reader libraries, bound when the program starts whichever reader
    // is configured (config.ini, section LECTORES, names other files).
    std::unique_ptr<TEnlaceMtxmlmcr> enlaceExcella;
    std::unique_ptr<TEnlaceVisionAPI> enlaceVisionX;

    // The Seac Banche library (the one named in config.ini, section LECTORES,
    // key SeacBanche, when the program starts) and its adapter; they outlive
    // the window.
    std::unique_ptr<TEnlaceRd3lib> enlaceRd3lib;
    std::unique_ptr<TAdaptadorSB> adaptadorSB;

    // In the order the program creates them.
    std::unique_ptr<TfrmScanerX> frmScanerX;
    std::unique_ptr<TfrmScanerMTS> frmScanerMTS;
    std::unique_ptr<TfrmScanerSB> frmScanerSB;
    std::unique_ptr<TfrmScanerVisionX> frmScanerVisionX;

private:
    TdmBBDD& dm_;
    QWidget* parent_;
    std::unique_ptr<IPresenciaLectores> lectores_;
};
