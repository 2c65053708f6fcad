#include "Aplicacion.h"

#include "Cadenas.h"
#include "CajaMensajes.h"
#include "EstiloVisual.h"
#include "InterfazUsuarioQt.h"
#include "TPreguntaF.h"
#include "TdmBBDD.h"
#include "TfrmAcerca.h"
#include "TfrmInfo_Proceso.h"
#include "TfrmPrincipal.h"

#include <QAction>
#include <QApplication>

TAplicacion::TAplicacion(const QString& dirAplicacion) : inst(calculaInstalacion(dirAplicacion)) {
    frmPrincipal = std::make_unique<TfrmPrincipal>();
    aplicaEstiloVisual();
    frmInfo_Proceso = std::make_unique<TfrmInfo_Proceso>(frmPrincipal.get());
    iu = std::make_unique<InterfazUsuarioQt>(frmPrincipal.get(), *frmInfo_Proceso);
    dmBBDD = std::make_unique<TdmBBDD>(inst, estado, *iu);
    FrmCadenas = std::make_unique<TFrmCadenas>();
    PreguntaF = std::make_unique<TPreguntaF>();
    CajaMensajes::registraDialogoPregunta(PreguntaF.get());
    secuenciaInicio = std::make_unique<TSecuenciaInicio>(*dmBBDD, *iu);
    secuenciaInicio->actualizacionUnica = [this] { dmBBDD->actualizacionUnica(); };
    conectaMenu();

    QObject::connect(frmPrincipal.get(), &TfrmPrincipal::primeraVezMostrada, dmBBDD.get(),
                     [this] { dmBBDD->tmrInicio.start(); });
    QObject::connect(dmBBDD.get(), &TdmBBDD::tmrInicioTimer, frmPrincipal.get(), [this] {
        if (!secuenciaInicio->ejecuta()) {
            terminadaEnInicio = true;
            QCoreApplication::exit(1);
        }
    });
}

TAplicacion::~TAplicacion() {
    CajaMensajes::registraDialogoPregunta(nullptr);
}

void TAplicacion::muestra() {
    frmPrincipal->show();
}

void TAplicacion::aplicaEstiloVisual() {
    const auto estilo = leeEstiloVisual(inst.dirs.Dir_Aplicacion + QStringLiteral("Style.vsf"));
    if (!estilo) {
        CajaMensajes::muestraMensaje(nullptr, MensajeEstiloNoValido);
        return;
    }
    // Only the style the program is made for becomes the active one.
    if (estilo->nombre == NombreEstiloActivo)
        qApp->setStyleSheet(estilo->hojaEstilo);
}

void TAplicacion::conectaMenu() {
    QObject::connect(frmPrincipal->actAcercaDe, &QAction::triggered, frmPrincipal.get(),
                     [this] { TfrmAcerca::Launch(frmPrincipal.get()); });
}
