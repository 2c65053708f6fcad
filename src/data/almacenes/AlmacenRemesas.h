#pragma once
// The remittances (remesas.dat) and the cheque table each one owns.

#include "BaseDatos.h"
#include "Registros.h"

class TAlmacenRemesas : public TAlmacen {
public:
    explicit TAlmacenRemesas(TBaseDatos& bd) : TAlmacen(bd) {}

    // A new remittance under a fresh key, with its empty cheque table; both
    // or neither. A name already taken is refused. A refusal or an engine
    // failure throws TErrorOperacion (as does every failure below).
    void GuardaRegistroRemesa(const tRemesas& regRemesa);
    // One row per remittance, natural order: caption the name, datos.pk the key.
    tFilasLista carga_lista_Remesas();
    // The remittance with that key over `destino`; no row leaves it as passed.
    tRemesas cargaRegistroRemesasTablas(int clavePrimaria, tRemesas destino = {});
    // Refuses (throws) a blank name or one already taken.
    void compruebaNombreRemesa(const QString& aNombreRemesa);
    bool EstaDuplicadaLaRemesa(const QString& aNombreRemesa);
    // The remittance's row, then its cheques' images and its cheque table;
    // when the row went but the cheques could not be read, the table files
    // still go and the engine message is thrown.
    void EliminaRemesa(int aPk);
};
