#include "Cadenas.h"

#include "TextosBBDD.h"
#include "ValidacionTalon.h"
#include "VersionPrograma.h"

namespace {

tRegistroCaptions llenaCaptions() {
    tRegistroCaptions c;
    c.captionInformacion = QStringLiteral("Información");
    c.captionCajaMensajes = QStringLiteral("ATENCIÓN");
    c.CaptionAcreedor = QStringLiteral("PRESENTADOR");
    c.CaptionEuros = QStringLiteral(" Euros");
    c.Caption0Euros = QStringLiteral("0,00 Euros");
    c.CaptioncopiaRemesa = QStringLiteral("Copia Realizada");
    c.CaptioncopiaRemesaFallida = QStringLiteral("La copia fallo, compruebe la ruta seleccionada.");
    c.CaptionVersion =
        QStringLiteral("Versión: " TESKORA_VERSION_MOSTRADA " " TESKORA_FECHA_VERSION);
    return c;
}

tRegistro_Mensajes llenaMensajes() {
    tRegistro_Mensajes m;
    m.MnjErrorDirectorios = QStringLiteral(
        "No se pudieron crear los directorios de trabajo de la aplicación. Comprueba si tiene "
        "los permisos necesarios para la ejecución de la aplicación. Teskora se cerrará ahora.");
    m.MnjErrorTablas = QStringLiteral(
        "No se pudieron crear las tablas de trabajo de la aplicación. Comprueba si tiene los "
        "permisos necesarios para la ejecución de la aplicación. Teskora se cerrará ahora.");
    // The presenter check in the data module gives these.
    m.mnjErrorNombreAcreedor = MensajeBBDD::NombrePresentadorEnBlanco;
    m.mnjErrorNifAcreedor = MensajeBBDD::NifPresentadorIncorrecto;
    m.mnjErrorIbanNoEspanol = MensajeBBDD::IbanNoEspanol;
    m.mnjErrorFechaConf =
        QStringLiteral("Fecha de Confección errónea compruebe que el formato es válido y que es "
                       "igual o superior a la fecha actual");
    m.mnjErrorFechaAbono =
        QStringLiteral("Fecha de Abono errónea compruebe que el formato es válido y que es "
                       "igual o superior a la fecha actual");
    m.mnjErrorEmision = QStringLiteral("No hay cheques COMPLETOS listos para emitir. Reviselos");
    m.mnjErrorDigitoNumero = MensajeValidacion::DigitoNumero;
    m.mnjAvisoBorradoAcreedor = QStringLiteral("¿Desea Eliminar el presentador seleccionado?.");
    m.mnjAvisoBorradoLibrado =
        QStringLiteral("¿Esta seguro de querer eliminar los Librados y todos sus cheques?.");
    return m;
}

} // namespace

namespace Cadenas {

const tRegistroCaptions& captions() {
    static const tRegistroCaptions registro = llenaCaptions();
    return registro;
}

const tRegistro_Mensajes& mensajes() {
    static const tRegistro_Mensajes registro = llenaMensajes();
    return registro;
}

} // namespace Cadenas
