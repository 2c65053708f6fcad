#include "SecuenciaInicio.h"

#include "Cadenas.h"
#include "ConfiguracionBaseDatos.h"
#include "ConfiguracionEscaner.h"
#include "ErrorOperacion.h"
#include "IInterfazUsuario.h"
#include "RegistroDiagnostico.h"
#include "ServicioEmision.h"
#include "TablasInstalacion.h"
#include "TdmBBDD.h"
#include "copias/CopiasSeguridad.h"

#include <QDir>

#include <QFileInfo>

bool TSecuenciaInicio::ejecuta() {
    TRegistroDiagnostico* log = dm_.estado().diagnostico;
    anotaDiagnostico(log, QStringLiteral("Inicio: carpetas de trabajo"));
    if (!dm_.tablas().creaCarpetasTrabajo()) {
        iu_.muestraMensaje(Cadenas::mensajes().MnjErrorDirectorios + QStringLiteral("\n\n") +
                           dm_.tablas().problemaCarpetasTrabajo());
        return false;
    }
    // Where the tables are: nothing is read before it is known, so that an
    // office on a server never works on local files by mistake.
    if (const QString problema = aplicaConfiguracionBaseDatos(dm_.instalacion());
        !problema.isEmpty()) {
        iu_.muestraMensaje(problema);
        return false;
    }
    if (const motor::tServidorDatos* servidor = motor::servidorEnUso()) {
        motor::EnlaceServidor enlace;
        if (!enlace.abierto()) {
            iu_.muestraMensaje(enlace.error());
            return false;
        }
        anotaDiagnostico(log, QStringLiteral("Inicio: tablas en el servidor de datos ") +
                                  motor::descripcionServidor(*servidor));
    }
    // Damaged tables are reported before anything uses them; the tables that
    // are missing are made afterwards.
    const QStringList problemas = dm_.tablas().compruebaTablas();
    anotaDiagnostico(
        log, QStringLiteral("Inicio: tablas leídas, %1 con problemas").arg(problemas.size()));
    // A table held by another program is sound: only damage asks for a copy.
    // The server's tables are restored by the server's own copies.
    if (problemas.filter(QStringLiteral("en uso por otro programa")).size() < problemas.size() &&
        !motor::enServidor())
        ofreceCopias();
    if (!dm_.tablas().CreaTablas()) {
        iu_.muestraMensaje(Cadenas::mensajes().MnjErrorTablas);
        return false;
    }
    // Before the operator can do anything, an emission cut off last time is
    // finished, so its bank file agrees with the history; a failure is told
    // and the start goes on.
    ejecutaMostrandoError(iu_, [&] {
        anotaDiagnostico(log, dm_.emision().completaEmisionInterrumpida()
                                  ? QStringLiteral("Inicio: emisión interrumpida resuelta")
                                  : QStringLiteral("Inicio: ninguna emisión interrumpida"));
    });
    const tInstalacion& inst = dm_.instalacion();
    if (const QString aviso = avisoConfiguracionIlegible(inst); !aviso.isEmpty())
        iu_.muestraMensaje(aviso);
    muestraPantallaConfiguracion = !QFileInfo::exists(inst.ficheros.ficheroConfiguracion);
    anotaDiagnostico(log, muestraPantallaConfiguracion
                              ? QStringLiteral("Inicio: no existe %1, se abre la configuración "
                                               "del escáner")
                                    .arg(inst.ficheros.ficheroConfiguracion)
                              : textoConfiguracionEscaner(leeConfiguracionEscaner(inst)));
    if (muestraPantallaConfiguracion) {
        if (abreConfiguracionPrimeraVez)
            abreConfiguracionPrimeraVez();
    } else if (compruebaEstadoEscaner) {
        compruebaEstadoEscaner();
    }
    if (!QFileInfo::exists(inst.ficheroTestigo) && actualizacionUnica) {
        anotaDiagnostico(log, QStringLiteral("Inicio: actualización única de los datos"));
        ejecutaMostrandoError(iu_, actualizacionUnica);
    }
    anotaDiagnostico(log, QStringLiteral("Inicio terminado"));
    return true;
}

void TSecuenciaInicio::ofreceCopias() {
    const TCopiasSeguridad copias(dm_.instalacion());
    const std::optional<tCopia> copia = copias.ultimaValida();
    const QString carpeta = QDir::toNativeSeparators(copias.carpeta());
    const QString texto =
        copia ? QStringLiteral("La copia de seguridad más reciente que se puede restaurar es la "
                               "del %1, en la carpeta %2.")
                    .arg(TCopiasSeguridad::fechaLegible(*copia), carpeta)
              : QStringLiteral("En la carpeta de copias %1 no hay ninguna copia de seguridad que "
                               "se pueda restaurar.")
                    .arg(carpeta);
    if (iu_.pregunta(texto + QStringLiteral("\n\n¿Abrir la ventana \"Copias de seguridad\"?"),
                     QStringLiteral("&Abrir"), QStringLiteral("&Seguir"),
                     QStringLiteral("Tablas dañadas")) == 0 &&
        abreCopiasSeguridad)
        abreCopiasSeguridad();
}
