#include "PresenciaLectores.h"

#include "TAdaptadorSB.h"

bool TPresenciaLectores::seacBanchePresente() {
    return seacBanche_.compruebaEstadoEscaner();
}
