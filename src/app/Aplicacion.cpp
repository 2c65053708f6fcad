#include "Aplicacion.h"

#include "ActualizacionHistorico.h"
#include "Cadenas.h"
#include "CajaMensajes.h"
#include "Captura.h"
#include "ComprobacionFicheroBanco.h"
#include "EstiloVisual.h"
#include "InterfazUsuarioQt.h"
#include "RegistroDiagnostico.h"
#include "TDLogFile.h"
#include "TPreguntaF.h"
#include "TablasInstalacion.h"
#include "TdmBBDD.h"
#include "TfrmAcerca.h"
#include "TfrmCopiasSeguridad.h"
#include "TfrmHistoricoTransferencias.h"
#include "TfrmInfo_Proceso.h"
#include "TfrmMnto_Beneficiarios.h"
#include "TfrmMnto_Ordenantes.h"
#include "TfrmMnto_Remesas.h"
#include "TfrmMnto_Transferencias.h"
#include "TfrmMod_Cheque.h"
#include "TfrmPrincipal.h"
#include "TfrmResumen_Facturacion.h"
#include "TraduccionesQt.h"
#include "copias/CopiasAutomaticas.h"

#include <QAction>
#include <QApplication>
#include <QTranslator>

TAplicacion::TAplicacion(const QString& dirAplicacion, TGuionDialogos* guion, TDLogFile* log)
    : inst(calculaInstalacion(dirAplicacion)), traductorQt(instalaTraduccionesQt()) {
    estado.guion = guion;
    if (log && log->DebugMode) {
        registroDiagnostico = std::make_unique<TRegistroDiagnostico>(
            [log](const QList<tLineaDiagnostico>& lineas) { log->escribeLineas(lineas); });
        estado.diagnostico = registroDiagnostico.get();
        registroDiagnostico->anota(QStringLiteral("Inicio: carpeta de instalación ") +
                                   inst.dirs.Dir_Aplicacion);
    }
    frmPrincipal = std::make_unique<TfrmPrincipal>();
    aplicaEstiloVisual();
    frmInfo_Proceso = std::make_unique<TfrmInfo_Proceso>(frmPrincipal.get());
    iu = std::make_unique<InterfazUsuarioQt>(estado, frmPrincipal.get(), *frmInfo_Proceso);
    dmBBDD = std::make_unique<TdmBBDD>(inst, estado, *iu);
    PreguntaF = std::make_unique<TPreguntaF>();
    estado.preguntaDlg = [this](const QString& texto, const QString& boton1, const QString& boton2,
                                const QString& cabecera) {
        return PreguntaF->PreguntaDlg(texto, boton1, boton2, cabecera);
    };
    captura = std::make_unique<TCaptura>(*dmBBDD, frmPrincipal.get());
    estado.abreVentanaCaptura = [this](int tipo) { return captura->abreVentana(tipo); };
    frmAcerca = std::make_unique<TfrmAcerca>(frmPrincipal.get());
    secuenciaInicio = std::make_unique<TSecuenciaInicio>(*dmBBDD, *iu);
    secuenciaInicio->abreConfiguracionPrimeraVez = [this] { captura->abreConfiguracion(true); };
    secuenciaInicio->compruebaEstadoEscaner = [this] { captura->compruebaEstadoEscaner(); };
    secuenciaInicio->actualizacionUnica = [this] { dmBBDD->actualizacion().actualizacionUnica(); };
    secuenciaInicio->abreCopiasSeguridad = [this] { abreCopiasSeguridad(); };
    conectaMenu();

    tmrInicio.setInterval(1);
    tmrInicio.setSingleShot(true);
    QObject::connect(frmPrincipal.get(), &TfrmPrincipal::primeraVezMostrada, &tmrInicio,
                     [this] { tmrInicio.start(); });
    QObject::connect(&tmrInicio, &QTimer::timeout, frmPrincipal.get(), [this] {
        // Disabled first, so the sequence can never run twice.
        tmrInicio.stop();
        if (!secuenciaInicio->ejecuta()) {
            terminadaEnInicio = true;
            QCoreApplication::exit(1);
            return;
        }
        inicioCompletado = true;
    });
    // A copy at close (one a day), once the data folder has been set up.
    QObject::connect(frmPrincipal.get(), &TfrmPrincipal::cerrando, frmPrincipal.get(), [this] {
        if (inicioCompletado)
            copiaAlCerrar(inst, *iu);
    });
}

TAplicacion::~TAplicacion() {
    estado.abreVentanaCaptura = nullptr;
    estado.preguntaDlg = nullptr;
    anotaDiagnostico(estado.diagnostico, QStringLiteral("Fin del programa"));
}

void TAplicacion::muestra() {
    frmPrincipal->show();
}

void TAplicacion::aplicaEstiloVisual() {
    const auto estilo = leeEstiloVisual(inst.dirs.Dir_Aplicacion + QStringLiteral("Style.vsf"));
    if (!estilo) {
        CajaMensajes(estado, nullptr).muestraMensaje(MensajeEstiloNoValido);
        return;
    }
    // Only the style the program is made for becomes the active one.
    if (estilo->nombre == NombreEstiloActivo)
        qApp->setStyleSheet(estilo->hojaEstilo);
}

void TAplicacion::abreCopiasSeguridad() {
    TfrmCopiasSeguridad::Launch(
        *dmBBDD,
        [this] {
            // The restored tables are checked and completed as at start; the
            // current remittance and presenter may no longer exist.
            estado.RemesaActual = tRemesas();
            estado.OrdenanteActual = tOrdenantes();
            dmBBDD->tablas().compruebaTablas();
            dmBBDD->tablas().CreaTablas();
        },
        frmPrincipal.get());
}

void TAplicacion::conectaMenu() {
    TfrmPrincipal* frm = frmPrincipal.get();
    const auto conecta = [frm](QAction* accion, auto orden) {
        accion->setEnabled(true);
        QObject::connect(accion, &QAction::triggered, frm, orden);
    };
    conecta(frm->actAcercaDe, [frm] { TfrmAcerca::Launch(frm); });
    conecta(frm->actVerificarFichero, [this, frm] { compruebaFicheroParaBanco(*dmBBDD, frm); });
    conecta(frm->actCopiasSeguridad, [this] { abreCopiasSeguridad(); });
    conecta(frm->actLeerCheques, [this, frm] { TfrmMnto_Remesas::Launch(*dmBBDD, frm); });
    conecta(frm->actConfiguracion, [this] { captura->abreConfiguracion(false); });
    conecta(frm->actLibrados, [this, frm] { TfrmMnto_Beneficiarios::Launch(*dmBBDD, frm); });
    conecta(frm->actPresentadores, [this, frm] { TfrmMnto_Ordenantes::Launch(*dmBBDD, frm); });
    conecta(frm->actHistoricoCheques,
            [this, frm] { TfrmHistoricoTransferencias::Launch(*dmBBDD, QString(), true, frm); });
    conecta(frm->actHistoricoRemesas, [this, frm] {
        if (TfrmMnto_Transferencias::Launch(*dmBBDD, frm))
            TfrmResumen_Facturacion::Launch(*dmBBDD, estado.RemesaActual.nombre_Cons, frm);
    });
}
