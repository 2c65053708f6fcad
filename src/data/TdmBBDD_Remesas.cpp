// Operations on the remittance table and the per-remittance cheque tables.
#include "MotorTablas.h"
#include "TdmBBDD.h"

bool TdmBBDD::GuardaRegistroRemesa(const tRemesas& regRemesa) {
    const QString ruta = rutaRemesas();
    const int clave = SiguienteClave(QStringLiteral("pk_Remesas"), ruta);
    {
        motor::Conexion con(ruta);
        const QString e = motor::ejecutaSql(
            con,
            QStringLiteral("INSERT INTO remesas (Pk_Remesas, Nombre_Remesa, Importe, "
                           "Numero_Talones, Numero_Registros, Fecha_Soporte, NombreCons) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?)"),
            {clave, regRemesa.Nombre_Remesa, regRemesa.Importe, regRemesa.Numero_Talones,
             regRemesa.Numero_Registros, regRemesa.Fecha_Confeccion, regRemesa.nombre_Cons});
        if (!e.isEmpty()) {
            iu_.muestraMensaje(e);
            return false;
        }
    }
    CreaTablaTalones(QString::number(clave) + QStringLiteral(".dat"));
    return true;
}
