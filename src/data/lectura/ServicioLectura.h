#pragma once
// Storing the lines a capture window read as cheques of a remittance.

#include "BaseDatos.h"
#include "ImagenesTalon.h"
#include "LineaLectura.h"
#include "ResultadoLectura.h"

#include <QStringList>

class TServicioLectura : public TAlmacen {
public:
    explicit TServicioLectura(TBaseDatos& bd) : TAlmacen(bd) {}

    // Stores the read lines of `lista`, decoded as `variante`, as cheques of
    // the remittance `pkRemesa`, with the images a reader of type
    // `tipoLector` left (none for the keyboard reader). A line read badly is
    // stored only with `todos`. A table that cannot be used (locked,
    // damaged, full) stops the walk: that line and the ones after it stay
    // unstored and its message is shown once. Images that the disk refuses
    // leave their line unstored (it can be tried again); the walk goes on
    // and nothing is shown: the result names the folder and why. The images
    // are written through the database's destino().
    tResultadoLectura almacenaLineasLeidas(QStringList& lista, bool todos, VarianteLectura variante,
                                           int pkRemesa, TipoLector::Tipo tipoLector);
};
