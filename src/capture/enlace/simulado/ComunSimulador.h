#pragma once
// What every simulated reader library shares: the sample folder, the settings
// file that chooses its faults, and the record of the calls it received. Each
// simulated library holds its own copy. It also exports, for tests only:
//   void simEstableceMuestras(const char* carpeta)   the sample folder
//   int  simRegistro(char* buffer, int tamano)      the calls, one a line
//   void simBorraRegistro(void)

#include <QString>

// Records one call received, with its arguments.
void anotaLlamada(const QString& llamada);

// The sample folder: the one given to simEstableceMuestras, else the
// environment variable TESKORA_MUESTRAS, else "muestras" beside the library.
QString carpetaMuestras();

// An integer of the section in "simulador.ini" of the sample folder.
int ajusteSimulador(const QString& seccion, const QString& clave, int porDefecto = 0);
