// Operations on the remittance table and the per-remittance cheque tables.
#include "AlmacenRemesas.h"

#include "DefinicionTablas.h"
#include "DetallesActividad.h"
#include "ImagenesTalon.h"
#include "MotorTablas.h"
#include "RegistroActividad.h"
#include "TablasInstalacion.h"
#include "TextosBBDD.h"

#include <QFileInfo>

namespace {

// Whether a remittance has the name (exact text match). The engine message
// or "".
QString buscaRemesa(motor::Conexion& con, const QString& nombre, bool& existe) {
    motor::Sentencia s(con,
                       QStringLiteral("SELECT 1 FROM remesas WHERE Nombre_Remesa = ? LIMIT 1"));
    s.liga(nombre);
    if (!s.ejecuta())
        return s.error();
    existe = s.siguiente();
    return {};
}

} // namespace

bool TAlmacenRemesas::GuardaRegistroRemesa(const tRemesas& regRemesa) {
    // The row and its cheque table come together or not at all: a cheque
    // table is made before the row is committed, and goes if the commit fails.
    // The name is looked for inside the write transaction: two programs
    // creating the same remittance at once create it once.
    QString tablaCreada;
    int clave = 0;
    const QString e = bd_.insertaConClaveNueva(
        inst_.rutaRemesas(), QStringLiteral("Pk_Remesas"),
        QStringLiteral("INSERT INTO remesas (Pk_Remesas, Nombre_Remesa, Importe, "
                       "Numero_Talones, Numero_Registros, Fecha_Soporte, NombreCons) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?)"),
        {regRemesa.Nombre_Remesa, regRemesa.Importe, regRemesa.Numero_Talones,
         regRemesa.Numero_Registros, regRemesa.Fecha_Confeccion, regRemesa.nombre_Cons},
        clave,
        [&](motor::Conexion& con) {
            bool existe = false;
            QString error = buscaRemesa(con, regRemesa.Nombre_Remesa, existe);
            return existe ? MensajeBBDD::RemesaDuplicada : error;
        },
        [&](int pk) {
            const QString ruta = inst_.rutaTablaTalones(pk);
            if (QFileInfo::exists(ruta))
                return QString();
            QString error;
            if (creaTabla(ruta, Tablas::talones(), &error))
                tablaCreada = ruta;
            return error;
        });
    if (e.isEmpty())
        return true;
    if (!tablaCreada.isEmpty())
        motor::borraFicherosTabla(tablaCreada);
    iu_.muestraMensaje(e);
    return false;
}

tFilasLista TAlmacenRemesas::carga_lista_Remesas() {
    tFilasLista filas;
    motor::Conexion con(inst_.rutaRemesas());
    motor::Sentencia s(con, QStringLiteral("SELECT Nombre_Remesa, Pk_Remesas FROM remesas"));
    if (!s.ejecuta()) {
        iu_.muestraMensaje(s.error());
        return filas;
    }
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

bool TAlmacenRemesas::compruebaNombreRemesa(const QString& aNombreRemesa, QString& mensajeError) {
    if (aNombreRemesa.trimmed().isEmpty()) {
        mensajeError = MensajeBBDD::NombreRemesaEnBlanco;
        return false;
    }
    if (EstaDuplicadaLaRemesa(aNombreRemesa)) {
        mensajeError = MensajeBBDD::RemesaDuplicada;
        return false;
    }
    return true;
}

bool TAlmacenRemesas::EstaDuplicadaLaRemesa(const QString& aNombreRemesa) {
    motor::Conexion con(inst_.rutaRemesas());
    bool existe = false;
    const QString e = buscaRemesa(con, aNombreRemesa, existe);
    if (!e.isEmpty())
        iu_.muestraMensaje(e);
    return existe;
}

bool TAlmacenRemesas::EliminaRemesa(int aPk) {
    const QString detalle = detalleRemesa(inst_.rutaRemesas(), inst_.rutaTablaTalones(aPk), aPk);
    {
        motor::Conexion con(inst_.rutaRemesas());
        const QString e = motor::ejecutaSql(
            con, QStringLiteral("DELETE FROM remesas WHERE Pk_Remesas = ?"), {aPk});
        if (!e.isEmpty()) {
            iu_.muestraMensaje(e);
            return false;
        }
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
    motor::borraFicherosTabla(rutaTalones);
    if (!e.isEmpty()) {
        iu_.muestraMensaje(e);
        return false;
    }
    return true;
}
