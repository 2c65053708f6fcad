#include "FilasLista.h"

#include "CodigosTalon.h"
#include "Importes.h"

tFilaLista filaListaTalon(const tTalon& talon) {
    tFilaLista f;
    f.caption = palabraEstado(talon.Estado);
    f.celdas << descripcionModelo(talon.Modelo_Talon)
             << talon.Importe.value_or(tImporte()).visible() << talon.Cuenta << talon.Numero
             << talon.Nombre_Cliente << talon.FechaPago << QString::number(talon.Pk_Talon)
             << (talon.indicador == 1 ? QStringLiteral("SI") : QStringLiteral("NO"));
    f.datos.pk = talon.Pk_Talon;
    f.datos.cuenta = talon.Cuenta;
    f.datos.indicador = talon.indicador;
    f.datos.fechaPago = talon.FechaPago;
    f.datos.Modelo = talon.Modelo_Talon;
    f.datos.Importe = talon.Importe;
    f.datos.fk_Cliente = QString::number(talon.fk_Beneficiarios);
    f.datos.Error = talon.Estado == Estado::Incompleto;
    return f;
}
