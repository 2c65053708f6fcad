#pragma once
// The control totals the operator declared for each working remittance
// (Tablas/CuadreRemesas.dat, one row per remittance that has any). They
// live until the remittance is emitted or deleted; the tables of the
// remittances and cheques keep their columns.
//
// Every failure of the table throws TErrorOperacion with its message.

#include "ComparacionCuadre.h"
#include "Instalacion.h"

class TCuadreRemesa {
public:
    static inline const QString Fichero = QStringLiteral("CuadreRemesas.dat");

    explicit TCuadreRemesa(const tInstalacion& instalacion);

    // Nothing declared when the remittance has no row (or the table no file).
    tCuadreDeclarado carga(int pkRemesa) const;
    // Replaces the remittance's declaration; an empty one removes its row.
    void guarda(int pkRemesa, const tCuadreDeclarado& declarado) const;
    void borra(int pkRemesa) const;

private:
    QString ruta_;
};
