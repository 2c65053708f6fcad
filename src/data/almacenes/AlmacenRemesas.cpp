// Operations on the remittance table and the per-remittance cheque tables.
#include "AlmacenRemesas.h"

#include "DefinicionTablas.h"
#include "DetallesActividad.h"
#include "ErrorOperacion.h"
#include "ImagenesTalon.h"
#include "MotorTablas.h"
#include "RegistroActividad.h"
#include "TablasInstalacion.h"
#include "TextosBBDD.h"

namespace {

// Whether a remittance has the name (exact text match).
bool buscaRemesa(motor::Conexion& con, const QString& nombre) {
    motor::Sentencia s(con,
                       QStringLiteral("SELECT 1 FROM remesas WHERE Nombre_Remesa = ? LIMIT 1"));
    s.liga(nombre);
    if (!s.ejecuta())
        throw TErrorOperacion(s.error());
    return s.siguiente();
}

} // namespace

void TAlmacenRemesas::GuardaRegistroRemesa(const tRemesas& regRemesa) {
    // The row and its cheque table come together or not at all: a cheque
    // table is made before the row is committed, and goes if the commit fails.
    // The name is looked for inside the write transaction: two programs
    // creating the same remittance at once create it once.
    QString tablaCreada;
    try {
        bd_.insertaConClaveNueva(
            inst_.rutaRemesas(), QStringLiteral("Pk_Remesas"),
            QStringLiteral("INSERT INTO remesas (Pk_Remesas, Nombre_Remesa, Importe, "
                           "Numero_Talones, Numero_Registros, Fecha_Soporte, NombreCons) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?)"),
            {regRemesa.Nombre_Remesa, regRemesa.Importe, regRemesa.Numero_Talones,
             regRemesa.Numero_Registros, regRemesa.Fecha_Confeccion, regRemesa.nombre_Cons},
            [&](motor::Conexion& con) {
                return buscaRemesa(con, regRemesa.Nombre_Remesa) ? MensajeBBDD::RemesaDuplicada
                                                                 : QString();
            },
            [&](int pk) {
                const QString ruta = inst_.rutaTablaTalones(pk);
                if (motor::existeTabla(ruta))
                    return QString();
                try {
                    creaTabla(ruta, Tablas::talones());
                } catch (const TErrorOperacion& e) {
                    return e.texto();
                }
                tablaCreada = ruta;
                return QString();
            });
    } catch (const TErrorOperacion&) {
        if (!tablaCreada.isEmpty())
            motor::borraTabla(tablaCreada);
        throw;
    }
}

tFilasLista TAlmacenRemesas::carga_lista_Remesas() {
    tFilasLista filas;
    motor::Conexion con(inst_.rutaRemesas());
    motor::Sentencia s(con, QStringLiteral("SELECT Nombre_Remesa, Pk_Remesas FROM remesas"));
    if (!s.ejecuta())
        throw TErrorOperacion(s.error());
    while (s.siguiente()) {
        tFilaLista f;
        f.caption = s.texto(0);
        f.datos.pk = s.entero(1);
        filas << f;
    }
    return filas;
}

tRemesas TAlmacenRemesas::cargaRegistroRemesasTablas(int clavePrimaria, tRemesas destino) {
    bd_.leeFilaPorClave(inst_.rutaRemesas(),
                        QStringLiteral("SELECT Pk_Remesas, Nombre_Remesa, Importe, "
                                       "Numero_Talones, Numero_Registros, NombreCons, "
                                       "Fecha_Soporte FROM remesas WHERE Pk_Remesas = ? "
                                       "ORDER BY rowid LIMIT 1"),
                        clavePrimaria, [&](const motor::Sentencia& s) {
                            destino.Pk_Remesa = s.entero(0);
                            destino.Nombre_Remesa = s.texto(1);
                            destino.Importe = s.texto(2);
                            destino.Numero_Talones = s.texto(3);
                            destino.Numero_Registros = s.texto(4);
                            destino.nombre_Cons = s.texto(5);
                            destino.Fecha_Confeccion = s.texto(6);
                        });
    return destino;
}

void TAlmacenRemesas::compruebaNombreRemesa(const QString& aNombreRemesa) {
    if (aNombreRemesa.trimmed().isEmpty())
        throw TErrorOperacion(MensajeBBDD::NombreRemesaEnBlanco);
    if (EstaDuplicadaLaRemesa(aNombreRemesa))
        throw TErrorOperacion(MensajeBBDD::RemesaDuplicada);
}

bool TAlmacenRemesas::EstaDuplicadaLaRemesa(const QString& aNombreRemesa) {
    motor::Conexion con(inst_.rutaRemesas());
    return buscaRemesa(con, aNombreRemesa);
}

void TAlmacenRemesas::EliminaRemesa(int aPk) {
    const QString detalle = detalleRemesa(inst_.rutaRemesas(), inst_.rutaTablaTalones(aPk), aPk);
    {
        motor::Conexion con(inst_.rutaRemesas());
        fallaSiHayError(motor::ejecutaSql(
            con, QStringLiteral("DELETE FROM remesas WHERE Pk_Remesas = ?"), {aPk}));
    }
    anotaActividad(inst_, iu_, ActoActividad::BorradoRemesa, detalle);
    const QString rutaTalones = inst_.rutaTablaTalones(aPk);
    QString e;
    {
        motor::Conexion con(rutaTalones);
        motor::Sentencia s(con,
                           QStringLiteral("SELECT Cuenta, Numero_Modelo, Numero FROM Talones"));
        if (s.ejecuta()) {
            while (s.siguiente())
                borraImagenesTalon(inst_.dirs.Dir_Imagenes,
                                   baseImagenTalon(s.texto(0), s.texto(1), s.texto(2)));
        } else {
            e = s.error();
        }
    }
    // The table files go even when the table could not be read: a file left
    // behind would be taken over by the next remittance given this key.
    motor::borraTabla(rutaTalones);
    fallaSiHayError(e);
}
