#include "SecuenciaInicio.h"

#include "Cadenas.h"
#include "ConfiguracionEscaner.h"
#include "ErrorOperacion.h"
#include "TdmBBDD.h"

#include <QFileInfo>

bool TSecuenciaInicio::ejecuta() {
    if (!dm_.creaCarpetasTrabajo()) {
        iu_.muestraMensaje(Cadenas::mensajes().MnjErrorDirectorios + QStringLiteral("\n\n") +
                           dm_.problemaCarpetasTrabajo());
        return false;
    }
    // Damaged tables are reported before anything uses them; the tables that
    // are missing are made afterwards.
    dm_.compruebaTablas();
    if (!dm_.CreaTablas()) {
        iu_.muestraMensaje(Cadenas::mensajes().MnjErrorTablas);
        return false;
    }
    try {
        // Before the operator can do anything, an emission cut off last time
        // is finished, so its bank file agrees with the history.
        dm_.completaEmisionInterrumpida();
    } catch (const TErrorOperacion& e) {
        iu_.muestraMensaje(e.texto());
    }
    const tInstalacion& inst = dm_.instalacion();
    if (const QString aviso = avisoConfiguracionIlegible(inst); !aviso.isEmpty())
        iu_.muestraMensaje(aviso);
    dm_.muestraPantallaConfiguracion = !QFileInfo::exists(inst.ficheros.ficheroConfiguracion);
    if (dm_.muestraPantallaConfiguracion) {
        if (abreConfiguracionPrimeraVez)
            abreConfiguracionPrimeraVez();
    } else if (compruebaEstadoEscaner) {
        compruebaEstadoEscaner();
    }
    if (!QFileInfo::exists(inst.ficheroTestigo) && actualizacionUnica)
        actualizacionUnica();
    return true;
}
