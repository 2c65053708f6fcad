#pragma once
// The presenters (Ordenantes.dat): the entities that present remittances to
// the bank, with the account credited.

#include "BaseDatos.h"
#include "Registros.h"

class TAlmacenOrdenantes : public TAlmacen {
public:
    explicit TAlmacenOrdenantes(TBaseDatos& bd) : TAlmacen(bd) {}

    tOrdenantes CargaRegistroOrdenantesTablas(int clavePrimaria, tOrdenantes destino = {});
    // Inserts (EsNuevo, under a fresh key) or updates the presenter; another
    // one with the same NIF and account is refused inside the write. The
    // refusal or the engine message throws TErrorOperacion (as does every
    // engine failure below).
    void GuardaOrdenante(tOrdenantes& rOrdenante);
    // Whether another presenter (key other than `aNumeroRegistro`) has the
    // NIF and account.
    bool DuplicadoOrdenante(const QString& Nif_Sufijo, const QString& cuenta, bool nuevo,
                            int aNumeroRegistro);
    void EliminaRegistroOrdenante(int aPk);
    // The lines of the presenter choice list, its fixed first line included.
    QStringList Carga_Combo_Ordenantes();
    // One row per presenter, natural order: caption the name, cells account
    // and NIF, datos.pk the key. An engine failure ends the list silently.
    tFilasLista CargaListaOrdenantes();
};
