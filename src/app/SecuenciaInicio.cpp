#include "SecuenciaInicio.h"

#include "Cadenas.h"
#include "ConfiguracionEscaner.h"
#include "ErrorOperacion.h"
#include "ServicioEmision.h"
#include "TablasInstalacion.h"
#include "TdmBBDD.h"

#include <QFileInfo>

bool TSecuenciaInicio::ejecuta() {
    if (!dm_.tablas().creaCarpetasTrabajo()) {
        iu_.muestraMensaje(Cadenas::mensajes().MnjErrorDirectorios + QStringLiteral("\n\n") +
                           dm_.tablas().problemaCarpetasTrabajo());
        return false;
    }
    // Damaged tables are reported before anything uses them; the tables that
    // are missing are made afterwards.
    dm_.tablas().compruebaTablas();
    if (!dm_.tablas().CreaTablas()) {
        iu_.muestraMensaje(Cadenas::mensajes().MnjErrorTablas);
        return false;
    }
    try {
        // Before the operator can do anything, an emission cut off last time
        // is finished, so its bank file agrees with the history.
        dm_.emision().completaEmisionInterrumpida();
    } catch (const TErrorOperacion& e) {
        iu_.muestraMensaje(e.texto());
    }
    const tInstalacion& inst = dm_.instalacion();
    if (const QString aviso = avisoConfiguracionIlegible(inst); !aviso.isEmpty())
        iu_.muestraMensaje(aviso);
    muestraPantallaConfiguracion = !QFileInfo::exists(inst.ficheros.ficheroConfiguracion);
    if (muestraPantallaConfiguracion) {
        if (abreConfiguracionPrimeraVez)
            abreConfiguracionPrimeraVez();
    } else if (compruebaEstadoEscaner) {
        compruebaEstadoEscaner();
    }
    if (!QFileInfo::exists(inst.ficheroTestigo) && actualizacionUnica)
        actualizacionUnica();
    return true;
}
