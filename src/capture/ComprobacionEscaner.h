#pragma once
// The scanner check: re-reads config.ini into the program's scanner settings
// and makes sure the configured reader is there, telling the operator how to
// install it when it is not. It needs no window: start-up runs it on its own
// and the configuration window after "&Aceptar".

#include "EstadoPrograma.h"
#include "Instalacion.h"

class IPresenciaLectores;
class QWidget;

// Type 1: the Seac Banche presence check, with the installation message when
// it fails. Type 5: the Panini driver (installed when missing), then the
// Vision X engine, with its message when no reader answers; a failure thrown
// on the way is shown as "Se ha producido un problema: " and its text. Other
// types: nothing beyond the reading.
void compruebaEstadoEscaner(const tInstalacion& instalacion, tEstadoPrograma& estado,
                            IPresenciaLectores& lectores, QWidget* parent);
