#include "CuadreRemesa.h"

#include "DefinicionTablas.h"
#include "ErrorOperacion.h"
#include "TablaAuxiliar.h"

namespace {
// Blank texts are figures not declared.
const tDefinicionTabla& definicion() {
    static const tDefinicionTabla t{QStringLiteral("CuadreRemesas"),
                                    {{"Pk_Remesa", 0}, {"Documentos", 12}, {"Importe", 18}},
                                    {{"Pk_Remesa"}}};
    return t;
}
} // namespace

TCuadreRemesa::TCuadreRemesa(const tInstalacion& instalacion)
    : ruta_(instalacion.rutaTabla(Fichero)) {}

tCuadreDeclarado TCuadreRemesa::carga(int pkRemesa) const {
    tCuadreDeclarado d;
    const std::unique_ptr<motor::Conexion> con = abreTablaAuxiliar(ruta_);
    if (!con)
        return d;
    motor::Sentencia s(*con, QStringLiteral("SELECT Documentos, Importe FROM CuadreRemesas "
                                            "WHERE Pk_Remesa = ?"));
    s.liga(pkRemesa);
    if (!s.ejecuta())
        throw TErrorOperacion(s.error());
    if (!s.siguiente())
        return d;
    bool valido = false;
    d.documentos = leeDocumentosDeclarados(s.texto(0), valido);
    if (!s.texto(1).isEmpty())
        d.importe = tImporte::leePlano(s.texto(1));
    return d;
}

void TCuadreRemesa::guarda(int pkRemesa, const tCuadreDeclarado& declarado) const {
    if (declarado.vacio()) {
        borra(pkRemesa);
        return;
    }
    const std::unique_ptr<motor::Conexion> con = abreTablaAuxiliarParaEscribir(ruta_, definicion());
    motor::Transaccion tr(*con);
    if (!tr.iniciada())
        throw TErrorOperacion(tr.error());
    ejecutaEnTablaAuxiliar(*con, QStringLiteral("DELETE FROM CuadreRemesas WHERE Pk_Remesa = ?"),
                           {pkRemesa});
    ejecutaEnTablaAuxiliar(
        *con, QStringLiteral("INSERT INTO CuadreRemesas VALUES (?, ?, ?)"),
        {pkRemesa, declarado.documentos ? QString::number(*declarado.documentos) : QString(),
         declarado.importe ? declarado.importe->plano() : QString()});
    if (!tr.confirma())
        throw TErrorOperacion(tr.error());
}

void TCuadreRemesa::borra(int pkRemesa) const {
    const std::unique_ptr<motor::Conexion> con = abreTablaAuxiliar(ruta_);
    if (con)
        ejecutaEnTablaAuxiliar(
            *con, QStringLiteral("DELETE FROM CuadreRemesas WHERE Pk_Remesa = ?"), {pkRemesa});
}
