#pragma once
// The one-time upgrade of older cheque history to the stored forms (model
// "4212-5", number "1234567-6").

#include "BaseDatos.h"

class TActualizacionHistorico : public TAlmacen {
public:
    explicit TActualizacionHistorico(TBaseDatos& bd) : TAlmacen(bd) {}

    // Each step touches only values still in the old form, so running them
    // again changes nothing. Each throws TErrorOperacion on a failure.
    void ActualizaLongitudNumeroModelo();
    void ActualizaNumeroModeloConDigitoControl();
    void ActualizaNumeroSerieConDigitoControl();
    // Writes the marker file; throws TErrorOperacion when it cannot.
    void creaTestigoActualizadoNumeroModelo();
    // The three steps and the marker, as start-up runs them when the marker is
    // missing. All four are tried; the failures, if any, throw together as one
    // TErrorOperacion (the marker is written even then).
    void actualizacionUnica();
};
