#pragma once
// The copies the program makes by itself, before an emission and at close. A
// copy that fails is told to the operator once (the folder and the reason)
// and never stops what comes after it: the emission goes on, the program
// closes.

#include "Instalacion.h"

class IInterfazUsuario;

namespace CopiasAutomaticas {
inline const QString SigueEmision =
    QStringLiteral("La emisión se hace igualmente; revise la carpeta de copias.");
inline const QString SigueCierre =
    QStringLiteral("El programa se cierra igualmente; revise la carpeta de copias.");
} // namespace CopiasAutomaticas

void copiaAntesDeEmitir(const tInstalacion& instalacion, IInterfazUsuario& iu);
// At most one a day.
void copiaAlCerrar(const tInstalacion& instalacion, IInterfazUsuario& iu);
