#pragma once
// The drawers (Deudores.dat): the holders of the accounts cheques are drawn
// on, found by the account a cheque carries.

#include "BaseDatos.h"
#include "Registros.h"

class TAlmacenLibrados : public TAlmacen {
public:
    explicit TAlmacenLibrados(TBaseDatos& bd) : TAlmacen(bd) {}

    TCliente CargaRegistroBeneficiarioTablas(int clavePrimaria, TCliente destino = {});
    // Inserts (EsNuevo, under a fresh key) or updates the drawer. Engine
    // failures here throw TErrorOperacion.
    void GuardaBeneficiario(TCliente& rBeneficiario);
    // Whether another drawer has the account: its key goes to aNumeroRegistro.
    bool DuplicadoBeneficiario(const QString& aCuenta, bool nuevo, int& aNumeroRegistro);
    // Deletes the drawers and their cheques of remittance 1 in one
    // transaction, then the image files of those cheques that no cheque
    // left in a remittance is filed under; on an engine failure deletes
    // nothing.
    void EliminaBeneficiarios(const QList<int>& claves);
    // The cheque linked to the drawer of its account (see asignaLibrado).
    tTalon CompruebaLibrado(tTalon regtalon);
    // Links the cheque to the first drawer with its account, creating a
    // nameless one (in one write transaction with the second look-up) when
    // none has it; a placeholder account gets no drawer (key 0). On a
    // failure the cheque is unchanged.
    void asignaLibrado(tTalon& talon);
    // One row per drawer, natural order: caption the name, cell the account,
    // datos.pk the key; rows of a placeholder account are left out. An
    // engine failure ends the list silently.
    tFilasLista CargaListaBeneficiarios();
};
