#pragma once
// The one-time upgrade of older cheque history to the stored forms (model
// "4212-5", number "1234567-6").

#include "BaseDatos.h"

class TActualizacionHistorico : public TAlmacen {
public:
    explicit TActualizacionHistorico(TBaseDatos& bd) : TAlmacen(bd) {}

    // Each step touches only values still in the old form, so running them
    // again changes nothing.
    void ActualizaLongitudNumeroModelo();
    void ActualizaNumeroModeloConDigitoControl();
    void ActualizaNumeroSerieConDigitoControl();
    // Writes the marker file; throws TErrorOperacion when it cannot.
    void creaTestigoActualizadoNumeroModelo();
    // The three steps and the marker, as start-up runs them when the marker is
    // missing; a marker that cannot be written is shown to the operator.
    void actualizacionUnica();
};
