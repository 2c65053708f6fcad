#pragma once
// Program-wide state shared by the windows for the whole run. One instance,
// owned by the application and passed by reference; nothing here is saved.

#include "Registros.h"

struct tEstadoPrograma {
    tRemesas RemesaActual;                     // the remittance being worked on
    tOrdenantes OrdenanteActual;               // the presenter being dated or emitted
    int ColumnaOrden = 0;                      // list column whose header was clicked last
    tEscaner Escaner;                          // configured reader and its options
    bool inicializacionLectorPendiente = true; // reader library still to start
    bool busquedaRealizada = false;            // the last history search was accepted
};
