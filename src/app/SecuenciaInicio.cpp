#include "SecuenciaInicio.h"

#include "Cadenas.h"
#include "TdmBBDD.h"

#include <QFileInfo>

bool TSecuenciaInicio::ejecuta() {
    if (!dm_.creaCarpetasTrabajo()) {
        iu_.muestraMensaje(Cadenas::mensajes().MnjErrorDirectorios);
        return false;
    }
    if (!dm_.CreaTablas()) {
        iu_.muestraMensaje(Cadenas::mensajes().MnjErrorTablas);
        return false;
    }
    const tInstalacion& inst = dm_.instalacion();
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
