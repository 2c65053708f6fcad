#include "Captura.h"

#include "BibliotecaLector.h"
#include "ComprobacionEscaner.h"
#include "DriverPanini.h"
#include "EnlaceMtxmlmcr.h"
#include "EnlaceRd3lib.h"
#include "EnlaceVisionAPI.h"
#include "FicheroPerfil.h"
#include "ImagenesTalon.h"
#include "PresenciaLectores.h"
#include "RegistroDiagnostico.h"
#include "TAdaptadorSB.h"
#include "TdmBBDD.h"
#include "TfrmConfiguracion.h"
#include "TfrmScanerMTS.h"
#include "TfrmScanerSB.h"
#include "TfrmScanerVisionX.h"
#include "TfrmScanerX.h"

namespace {
// The library that config.ini names for a reader; empty for the default places.
QString bibliotecaConfigurada(const tInstalacion& inst, const QString& clave) {
    return TFicheroPerfil(inst.ficheros.ficheroConfiguracion)
        .texto(ClaveBiblioteca::Seccion, clave, QString());
}

void anotaBiblioteca(TRegistroDiagnostico* log, const QString& lector,
                     const TBibliotecaLector& biblioteca) {
    anotaDiagnostico(log, biblioteca.cargada()
                              ? QStringLiteral("Biblioteca del lector %1 cargada: %2")
                                    .arg(lector, biblioteca.fichero())
                              : QStringLiteral("Biblioteca del lector %1 no cargada: %2")
                                    .arg(lector, biblioteca.motivo()));
}
} // namespace

TCaptura::TCaptura(TdmBBDD& dm, QWidget* parent) : dm_(dm), parent_(parent) {
    const tInstalacion& inst = dm_.instalacion();
    TRegistroDiagnostico* log = dm_.estado().diagnostico;
    enlaceExcella = std::make_unique<TEnlaceMtxmlmcr>(
        bibliotecaConfigurada(inst, ClaveBiblioteca::Excella), inst.dirs.Dir_Aplicacion, log);
    enlaceVisionX = std::make_unique<TEnlaceVisionAPI>(
        bibliotecaConfigurada(inst, ClaveBiblioteca::VisionX), inst.dirs.Dir_Aplicacion, log);
    enlaceRd3lib = std::make_unique<TEnlaceRd3lib>(
        bibliotecaConfigurada(inst, ClaveBiblioteca::SeacBanche), inst.dirs.Dir_Aplicacion, log);
    adaptadorSB = std::make_unique<TAdaptadorSB>(*enlaceRd3lib);
    anotaBiblioteca(log, TEnlaceMtxmlmcr::NombreLector, enlaceExcella->biblioteca());
    anotaBiblioteca(log, TEnlaceVisionAPI::NombreLector, enlaceVisionX->biblioteca());
    anotaBiblioteca(log, TEnlaceRd3lib::NombreLector, enlaceRd3lib->biblioteca());

    frmScanerX = std::make_unique<TfrmScanerX>(dm_, *enlaceExcella, parent_);
    frmScanerMTS = std::make_unique<TfrmScanerMTS>(dm_, parent_);
    frmScanerSB = std::make_unique<TfrmScanerSB>(dm_, *adaptadorSB, parent_);
    frmScanerVisionX = std::make_unique<TfrmScanerVisionX>(dm_, *enlaceVisionX, parent_);
    lectores_ = std::make_unique<TPresenciaLectores>(dm_, adaptadorSB.get(), frmScanerVisionX.get(),
                                                     driverPaniniDelSistema(inst), parent_);
}

TCaptura::~TCaptura() = default;

bool TCaptura::abreVentana(int tipo) {
    switch (tipo) {
    case TipoLector::Excella:
    case TipoLector::ExcellaSTX:
        frmScanerX->Launch();
        return true;
    case TipoLector::SeacBanche:
        frmScanerSB->Launch();
        return true;
    case TipoLector::Teclado:
        frmScanerMTS->Launch();
        return true;
    case TipoLector::VisionX:
        frmScanerVisionX->Launch();
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
