#pragma once
// The history of emitted cheques (historicoCheques.dat) and of emissions
// (historico.dat): the search the history grid shows, the annulment of one
// cheque, and the list of emitted remittances.

#include "BaseDatos.h"

#include <memory>

struct tConsultaHistorico;
class TqryHistorico;

class TAlmacenHistorico : public TAlmacen {
public:
    explicit TAlmacenHistorico(TBaseDatos& bd);
    ~TAlmacenHistorico();

    // The query the history grid shows; created on first use, owned here.
    // Failures found while the grid reads it go to its alFallar.
    TqryHistorico& qryHistorico();
    // Runs the search on historicoCheques.dat into qryHistorico; an engine
    // failure throws TErrorOperacion and leaves the query closed (empty grid).
    void CargaHistoricoDeTalones(const tConsultaHistorico& aCadena);
    // Runs the last search again; throws as CargaHistoricoDeTalones.
    void RecargaHistoricoDeTalones();
    void CierraHistoricoDeTalones();
    // Counts the rest of the search's rows now (the grid goes to its last
    // row), under the wait window when much of the table is left.
    void TerminaRecuentoHistorico();
    // Annuls one emitted cheque: deletes its history row and then its
    // images. The archived copies go unless another history row is the same
    // cheque; the images folder's files go unless a working remittance holds
    // the cheque again. Throws TErrorOperacion when the row stays. An open
    // search is run again, so it no longer lists the row (also after a
    // failure, so the grid goes on).
    void EliminaregistroHistorico(int apk);

    // One row per emission of historico.dat, newest first: caption
    // Fecha_Confeccion, cells Nif, Nombre_Ordenante, Cuenta, Importe (display
    // form), Numero_Talones, Fecha_Soporte; datos.pk Pk_Historico. Throws
    // TErrorOperacion on an engine failure.
    tFilasLista CargaListaRemesasEmitidas();
    // The emission file name (Nombre_Cons) of the emission with that key;
    // empty when there is none. Throws TErrorOperacion on an engine failure.
    QString DevuelveNombreconsolidado(int clave);

private:
    // EliminaregistroHistorico with the grid's query closed.
    void eliminaFilaHistorico(int apk);

    std::unique_ptr<TqryHistorico> qryHistorico_;
};
