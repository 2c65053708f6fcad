// Drawer operations of the cheque editor: the drawer of a corrected account,
// and the link of a cheque to another drawer.
#include "MotorTablas.h"
#include "TdmBBDD.h"

bool TdmBBDD::LibradoDeCuenta(const QString& cuenta, TCliente& librado, QString& mensaje_Error) {
    {
        // The first drawer with the account, as CompruebaLibrado takes it.
        motor::Conexion con(rutaDeudores());
        motor::Sentencia s(con, QStringLiteral("SELECT Pk_Cliente, Nombre_Cliente, Cuenta, "
                                               "Telefono, Nif, email FROM Deudores "
                                               "WHERE Cuenta = ? ORDER BY rowid LIMIT 1"));
        s.liga(cuenta);
        if (!s.ejecuta()) {
            mensaje_Error = s.error();
            return false;
        }
        if (s.siguiente()) {
            librado = TCliente{};
            librado.Pk_Cliente = s.entero(0);
            librado.Nombre_Cliente = s.texto(1);
            librado.Cuenta = s.texto(2);
            librado.Telefono = s.texto(3);
            librado.nif = s.texto(4);
            librado.email = s.texto(5);
            return true;
        }
    }
    TCliente nuevo;
    nuevo.EsNuevo = true;
    nuevo.Cuenta = cuenta;
    if (!GuardaBeneficiario(nuevo, mensaje_Error))
        return false;
    nuevo.EsNuevo = false;
    librado = nuevo;
    return true;
}

bool TdmBBDD::CambiaLibradoTalon(int pkTalon, int fkCliente, const QString& nombreTabla,
                                 QString& mensaje_Error) {
    motor::Conexion con(nombreTabla);
    const QString e = motor::ejecutaSql(
        con, QStringLiteral("UPDATE Talones SET fk_Clientes = ? WHERE Pk_Talon = ?"),
        {fkCliente, pkTalon});
    if (!e.isEmpty()) {
        mensaje_Error = e;
        return false;
    }
    return true;
}
