#include "CopiasAutomaticas.h"

#include "CopiasSeguridad.h"
#include "ErrorOperacion.h"
#include "IInterfazUsuario.h"
#include "Servidor.h"

namespace {
template <class Copia>
void copiaSinDetener(const tInstalacion& instalacion, IInterfazUsuario& iu, const QString& sigue,
                     Copia copia) {
    // The server's tables are copied by the server itself.
    if (const motor::tServidorDatos* servidor = motor::servidorEnUso()) {
        iu.anotaSuceso(QStringLiteral("Copia de seguridad no hecha: las tablas están en el "
                                      "servidor de datos ") +
                       motor::descripcionServidor(*servidor));
        return;
    }
    try {
        TCopiasSeguridad copias(instalacion);
        copias.diagnostico = [&iu](const QString& linea) { iu.anotaSuceso(linea); };
        VentanaEsperar espera(iu);
        iu.progresoEspera(QStringLiteral("Copia de seguridad"), 0, 0);
        copia(copias);
    } catch (const TErrorOperacion& e) {
        iu.muestraMensaje(e.texto() + QStringLiteral("\n\n") + sigue);
    }
}
} // namespace

void copiaAntesDeEmitir(const tInstalacion& instalacion, IInterfazUsuario& iu) {
    copiaSinDetener(instalacion, iu, CopiasAutomaticas::SigueEmision,
                    [](TCopiasSeguridad& c) { c.haz(TCopiasSeguridad::MotivoEmision); });
}

void copiaAlCerrar(const tInstalacion& instalacion, IInterfazUsuario& iu) {
    copiaSinDetener(instalacion, iu, CopiasAutomaticas::SigueCierre,
                    [](TCopiasSeguridad& c) { c.hazAlCerrar(); });
}
