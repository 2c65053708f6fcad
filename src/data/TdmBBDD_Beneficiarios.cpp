// Operations on the drawer table, and the drawer of a cheque.
#include "MotorTablas.h"
#include "TdmBBDD.h"
#include "TextosBBDD.h"

TCliente TdmBBDD::CargaRegistroBeneficiarioTablas(int clavePrimaria, TCliente destino) {
    leeFilaPorClave(rutaDeudores(),
                    QStringLiteral("SELECT Pk_Cliente, Nombre_Cliente, Cuenta, Telefono, "
                                   "Nif, email FROM Deudores WHERE Pk_Cliente = ? "
                                   "ORDER BY rowid LIMIT 1"),
                    clavePrimaria, [&](const motor::Sentencia& s) {
                        destino.Pk_Cliente = s.entero(0);
                        destino.Nombre_Cliente = s.texto(1);
                        destino.Cuenta = s.texto(2);
                        destino.Telefono = s.texto(3);
                        destino.nif = s.texto(4);
                        destino.email = s.texto(5);
                    });
    return destino;
}

bool TdmBBDD::GuardaBeneficiario(TCliente& rBeneficiario, QString& mensaje_Error) {
    const QString ruta = rutaDeudores();
    QString e;
    if (rBeneficiario.EsNuevo) {
        // The key stays in the record even when the insert fails.
        e = insertaConClaveNueva(ruta, QStringLiteral("Pk_Cliente"),
                                 QStringLiteral("INSERT INTO Deudores (Pk_Cliente, "
                                                "Nombre_Cliente, Cuenta) VALUES (?, ?, ?)"),
                                 {rBeneficiario.Nombre_Cliente, rBeneficiario.Cuenta},
                                 rBeneficiario.Pk_Cliente);
    } else {
        const motor::ConexionOperacion operacion = abre(ruta);
        motor::Conexion& con = *operacion;
        e = motor::ejecutaSql(
            con,
            QStringLiteral("UPDATE Deudores SET Nombre_Cliente = ?, Cuenta = ? "
                           "WHERE Pk_Cliente = ?"),
            {rBeneficiario.Nombre_Cliente, rBeneficiario.Cuenta, rBeneficiario.Pk_Cliente});
    }
    if (!e.isEmpty()) {
        mensaje_Error = e;
        return false;
    }
    return true;
}

bool TdmBBDD::DuplicadoBeneficiario(const QString& aCuenta, bool /*nuevo*/, int& aNumeroRegistro) {
    motor::Conexion con(rutaDeudores());
    motor::Sentencia s(con, QStringLiteral("SELECT Pk_Cliente FROM Deudores WHERE Cuenta = ? "
                                           "ORDER BY rowid LIMIT 1"));
    s.liga(aCuenta);
    if (!s.ejecuta()) {
        iu_.muestraMensaje(s.error());
        return true;
    }
    if (!s.siguiente())
        return false;
    const int clave = s.entero(0);
    if (clave == aNumeroRegistro)
        return false;
    aNumeroRegistro = clave;
    return true;
}

bool TdmBBDD::EliminaRegistroBeneficiario(int aPk) {
    return EliminaBeneficiarios({aPk});
}

bool TdmBBDD::EliminaBeneficiarios(const QList<int>& claves) {
    // The drawers and their cheques of remittance 1 go together or not at
    // all: a cheque table that is missing or locked leaves every drawer.
    const QString alias = QStringLiteral("remesa1");
    motor::Conexion con(rutaDeudores());
    QString e = con.error();
    if (e.isEmpty() && !con.adjunta(rutaTalonesEstandar(), alias))
        e = con.error();
    if (e.isEmpty()) {
        motor::Transaccion tr(con);
        e = tr.error();
        for (int clave : claves) {
            if (e.isEmpty())
                e = motor::ejecutaSql(
                    con, QStringLiteral("DELETE FROM main.Deudores WHERE Pk_Cliente = ?"), {clave});
            if (e.isEmpty())
                e = motor::ejecutaSql(
                    con, QStringLiteral("DELETE FROM %1.Talones WHERE fk_Clientes = ?").arg(alias),
                    {clave});
        }
        if (e.isEmpty() && !tr.confirma())
            e = tr.error();
    }
    if (!e.isEmpty()) {
        iu_.muestraMensaje(e);
        return false;
    }
    return true;
}

tTalon TdmBBDD::CompruebaLibrado(tTalon regtalon) {
    bool enConsulta = false;
    const QString e = asignaLibrado(regtalon, enConsulta);
    if (enConsulta)
        iu_.muestraMensaje(e); // a failed creation is not reported
    return regtalon;
}

QString TdmBBDD::asignaLibrado(tTalon& talon, bool& enConsulta) {
    enConsulta = false;
    int clave = 0;
    QString nombre;
    bool encontrado = false;
    {
        const motor::ConexionOperacion operacion = abre(rutaDeudores());
        motor::Conexion& con = *operacion;
        motor::Sentencia s(con, QStringLiteral("SELECT Pk_Cliente, Nombre_Cliente FROM Deudores "
                                               "WHERE Cuenta = ? ORDER BY rowid LIMIT 1"));
        s.liga(talon.Cuenta);
        if (!s.ejecuta()) {
            enConsulta = true;
            return s.error();
        }
        if (s.siguiente()) {
            encontrado = true;
            clave = s.entero(0);
            nombre = s.texto(1);
        }
    }
    if (encontrado && talon.Cuenta != CuentaSinLibrado) {
        talon.fk_Beneficiarios = clave;
        talon.Nombre_Cliente = nombre;
        return QString();
    }
    TCliente nuevo;
    nuevo.EsNuevo = true;
    nuevo.Cuenta = talon.Cuenta;
    QString error;
    GuardaBeneficiario(nuevo, error);
    talon.fk_Beneficiarios = nuevo.Pk_Cliente;
    return error;
}
