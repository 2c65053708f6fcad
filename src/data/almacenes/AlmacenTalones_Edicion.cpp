// Saving a cheque edited in the cheque editor: the cheque and its drawer are
// written together, in one transaction over both table files.
#include "AlmacenTalones.h"

#include "ErrorOperacion.h"

#include "MotorTablas.h"
#include "SentenciasLibrados.h"
#include "SentenciasTalones.h"
#include "TextosBBDD.h"

namespace {

const QString aliasLibrados = QStringLiteral("libr");

// Whether the drawer's row is no longer the name and account the editor
// showed for it. A drawer with no row changes nothing and is no conflict.
// Throws TErrorOperacion on an engine failure.
bool compruebaCambioLibrado(motor::Conexion& con, const TCliente& mostrado) {
    motor::Sentencia s(con, QStringLiteral("SELECT Nombre_Cliente, Cuenta FROM libr.Deudores "
                                           "WHERE Pk_Cliente = ? ORDER BY rowid LIMIT 1"));
    s.liga(mostrado.Pk_Cliente);
    if (!s.ejecuta())
        throw TErrorOperacion(s.error());
    return s.siguiente() &&
           (s.texto(0) != mostrado.Nombre_Cliente || s.texto(1) != mostrado.Cuenta);
}

} // namespace

GuardadoTalon TAlmacenTalones::GuardaTalonEditado(const tTalon& mostrado, tTalon& talon,
                                                  TCliente& librado, const QString& nombreTabla) {
    // Cheques typed in by hand carry a placeholder account of no drawer, and
    // a drawer stands for one account: a cheque whose account changes goes
    // to the drawer of its new account instead of rewriting the one it had.
    const bool otraCuenta = talon.Cuenta != librado.Cuenta;
    const bool conNombre = !talon.Nombre_Cliente.trimmed().isEmpty();
    const bool renombraLibrado = !otraCuenta || conNombre;
    tTalon t = talon;
    TCliente l = librado;

    motor::Conexion con(nombreTabla);
    if (!con.adjunta(inst_.rutaDeudores(), aliasLibrados))
        throw TErrorOperacion(con.error());
    motor::Transaccion tr(con);
    if (!tr.iniciada())
        throw TErrorOperacion(tr.error());
    // What was shown is compared with the rows inside the transaction that
    // writes them: a cheque another program changed, emitted or deleted
    // since, or its drawer renamed, is left as that program left it.
    if (compruebaCambioTalon(con, mostrado) ||
        (!otraCuenta && l.Pk_Cliente != 0 && compruebaCambioLibrado(con, l)))
        return GuardadoTalon::CambiadoPorOtro;
    if (otraCuenta) {
        l = esCuentaProvisional(t.Cuenta) ? TCliente{}
                                          : libradoDeCuenta(con, aliasLibrados, t.Cuenta);
        if (!conNombre)
            t.Nombre_Cliente = l.Nombre_Cliente;
    }
    fallaSiHayError(motor::ejecutaSql(con, sqlActualizaTalon,
                                      {t.Modelo_Talon, t.indicador, textoImporte(t.Importe),
                                       t.Numero, t.Cuenta, t.FechaPago, codigoEstado(t.Estado),
                                       t.Nombre_Cliente, t.numero_Modelo, t.Pk_Talon}));
    if (otraCuenta && l.Pk_Cliente != t.fk_Beneficiarios) {
        fallaSiHayError(motor::ejecutaSql(con,
                                          QStringLiteral("UPDATE Talones SET fk_Clientes = ? "
                                                         "WHERE Pk_Talon = ?"),
                                          {l.Pk_Cliente, t.Pk_Talon}));
        t.fk_Beneficiarios = l.Pk_Cliente;
    }
    l.Cuenta = t.Cuenta;
    l.Nombre_Cliente = t.Nombre_Cliente;
    l.EsNuevo = false;
    if (renombraLibrado && l.Pk_Cliente != 0)
        fallaSiHayError(
            motor::ejecutaSql(con,
                              QStringLiteral("UPDATE libr.Deudores SET Nombre_Cliente = ?, "
                                             "Cuenta = ? WHERE Pk_Cliente = ?"),
                              {l.Nombre_Cliente, l.Cuenta, l.Pk_Cliente}));
    if (!tr.confirma())
        throw TErrorOperacion(tr.error());
    talon = t;
    librado = l;
    return GuardadoTalon::Hecho;
}
