#include "AvisosImagen.h"

#include "DefinicionTablas.h"
#include "ErrorOperacion.h"
#include "TablaAuxiliar.h"

namespace {
const tDefinicionTabla& definicion() {
    static const tDefinicionTabla t{
        QStringLiteral("AvisosImagen"),
        {{"Pk_Remesa", 0}, {"Pk_Talon", 0}, {"Aviso", 40}, {"Motivo", 300}},
        {{"Pk_Remesa", "Pk_Talon"}}};
    return t;
}

const QString SqlBorraTalon =
    QStringLiteral("DELETE FROM AvisosImagen WHERE Pk_Remesa = ? AND Pk_Talon = ?");
} // namespace

TAvisosImagen::TAvisosImagen(const tInstalacion& instalacion)
    : ruta_(instalacion.rutaTabla(Fichero)) {}

QMap<int, tAvisoImagen> TAvisosImagen::carga(int pkRemesa) const {
    QMap<int, tAvisoImagen> avisos;
    const std::unique_ptr<motor::Conexion> con = abreTablaAuxiliar(ruta_);
    if (!con)
        return avisos;
    motor::Sentencia s(*con, QStringLiteral("SELECT Pk_Talon, Aviso, Motivo FROM AvisosImagen "
                                            "WHERE Pk_Remesa = ?"));
    s.liga(pkRemesa);
    if (!s.ejecuta())
        throw TErrorOperacion(s.error());
    while (s.siguiente())
        avisos.insert(s.entero(0), {s.texto(1), s.texto(2)});
    return avisos;
}

void TAvisosImagen::fija(int pkRemesa, const QList<int>& claves,
                         const QMap<int, tAvisoImagen>& avisos) const {
    if (claves.isEmpty())
        return;
    bool hayAvisos = false;
    for (int c : claves)
        hayAvisos = hayAvisos || avisos.value(c).hay();
    // Without a mark to write, a missing table has nothing to replace.
    std::unique_ptr<motor::Conexion> con =
        hayAvisos ? abreTablaAuxiliarParaEscribir(ruta_, definicion()) : abreTablaAuxiliar(ruta_);
    if (!con)
        return;
    motor::Transaccion tr(*con);
    if (!tr.iniciada())
        throw TErrorOperacion(tr.error());
    for (int c : claves) {
        ejecutaEnTablaAuxiliar(*con, SqlBorraTalon, {pkRemesa, c});
        if (const tAvisoImagen a = avisos.value(c); a.hay())
            ejecutaEnTablaAuxiliar(*con,
                                   QStringLiteral("INSERT INTO AvisosImagen VALUES (?, ?, ?, ?)"),
                                   {pkRemesa, c, a.aviso, a.motivo});
    }
    if (!tr.confirma())
        throw TErrorOperacion(tr.error());
}

void TAvisosImagen::conservaSolo(int pkRemesa, const QSet<int>& claves) const {
    QList<int> sobran;
    const QMap<int, tAvisoImagen> avisos = carga(pkRemesa);
    for (auto it = avisos.cbegin(); it != avisos.cend(); ++it)
        if (!claves.contains(it.key()))
            sobran << it.key();
    if (!sobran.isEmpty())
        fija(pkRemesa, sobran, {});
}

void TAvisosImagen::borraRemesa(int pkRemesa) const {
    const std::unique_ptr<motor::Conexion> con = abreTablaAuxiliar(ruta_);
    if (con)
        ejecutaEnTablaAuxiliar(*con, QStringLiteral("DELETE FROM AvisosImagen WHERE Pk_Remesa = ?"),
                               {pkRemesa});
}
