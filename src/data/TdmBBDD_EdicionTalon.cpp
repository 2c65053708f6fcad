// Saving a cheque edited in the cheque editor: the cheque and its drawer are
// written together, in one transaction over both table files.
#include "MotorTablas.h"
#include "SentenciasTalones.h"
#include "TdmBBDD.h"

#include <optional>

namespace {

const QString aliasLibrados = QStringLiteral("libr");

// The first drawer with the account, as CompruebaLibrado takes it; a new
// nameless one with the next key when there is none. The engine message or "".
QString libradoDeCuenta(motor::Conexion& con, const QString& cuenta, TCliente& librado) {
    motor::Sentencia s(con, QStringLiteral("SELECT Pk_Cliente, Nombre_Cliente, Cuenta, Telefono, "
                                           "Nif, email FROM libr.Deudores WHERE Cuenta = ? "
                                           "ORDER BY rowid LIMIT 1"));
    s.liga(cuenta);
    if (!s.ejecuta())
        return s.error();
    librado = TCliente{};
    if (s.siguiente()) {
        librado.Pk_Cliente = s.entero(0);
        librado.Nombre_Cliente = s.texto(1);
        librado.Cuenta = s.texto(2);
        librado.Telefono = s.texto(3);
        librado.nif = s.texto(4);
        librado.email = s.texto(5);
        return {};
    }
    motor::Sentencia max(con, QStringLiteral("SELECT max(Pk_Cliente) FROM libr.Deudores"));
    if (!max.ejecuta())
        return max.error();
    const int maximo = max.siguiente() ? max.entero(0) : 0;
    librado.Pk_Cliente = maximo != 0 ? maximo + 1 : 1;
    librado.Cuenta = cuenta;
    return motor::ejecutaSql(con,
                             QStringLiteral("INSERT INTO libr.Deudores (Pk_Cliente, "
                                            "Nombre_Cliente, Cuenta) VALUES (?, ?, ?)"),
                             {librado.Pk_Cliente, QString(), cuenta});
}

} // namespace

bool TdmBBDD::GuardaTalonEditado(tTalon& talon, TCliente& librado, const QString& nombreTabla,
                                 QString& mensaje_Error) {
    // Cheques typed in by hand share one placeholder drawer, and a drawer
    // stands for one account: a cheque whose account changes goes to the
    // drawer of its new account instead of rewriting the one it had.
    const bool otraCuenta = talon.Cuenta != librado.Cuenta;
    const bool conNombre = !talon.Nombre_Cliente.trimmed().isEmpty();
    tTalon t = talon;
    TCliente l = librado;

    motor::Conexion con(nombreTabla);
    QString e;
    if (!con.adjunta(rutaDeudores(), aliasLibrados))
        e = con.error();
    std::optional<motor::Transaccion> tr;
    if (e.isEmpty()) {
        tr.emplace(con);
        e = tr->error();
    }
    if (e.isEmpty() && otraCuenta) {
        e = libradoDeCuenta(con, t.Cuenta, l);
        if (!conNombre)
            t.Nombre_Cliente = l.Nombre_Cliente;
    }
    if (e.isEmpty())
        e = motor::ejecutaSql(con, sqlActualizaTalon,
                              {t.Modelo_Talon, t.indicador, t.Importe, t.Numero, t.Cuenta,
                               t.FechaPago, t.Estado, t.Nombre_Cliente, t.numero_Modelo,
                               t.Pk_Talon});
    if (e.isEmpty() && otraCuenta && l.Pk_Cliente != t.fk_Beneficiarios) {
        e = motor::ejecutaSql(con,
                              QStringLiteral("UPDATE Talones SET fk_Clientes = ? "
                                             "WHERE Pk_Talon = ?"),
                              {l.Pk_Cliente, t.Pk_Talon});
        t.fk_Beneficiarios = l.Pk_Cliente;
    }
    l.Cuenta = t.Cuenta;
    l.Nombre_Cliente = t.Nombre_Cliente;
    l.EsNuevo = false;
    if (e.isEmpty() && (!otraCuenta || conNombre))
        e = motor::ejecutaSql(con,
                              QStringLiteral("UPDATE libr.Deudores SET Nombre_Cliente = ?, "
                                             "Cuenta = ? WHERE Pk_Cliente = ?"),
                              {l.Nombre_Cliente, l.Cuenta, l.Pk_Cliente});
    if (e.isEmpty() && !tr->confirma())
        e = tr->error();
    if (!e.isEmpty()) {
        mensaje_Error = e;
        return false;
    }
    talon = t;
    librado = l;
    return true;
}
