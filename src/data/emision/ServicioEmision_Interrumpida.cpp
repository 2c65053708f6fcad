// Completing an emission that the end of the process cut off. The history
// rows are the truth of what was emitted: every file of the emission is made
// again from them, so the bank gets each emitted cheque once, with its totals.
#include "ServicioEmision.h"

#include "BloqueoEmision.h"
#include "ConfiguracionBanco.h"
#include "DetallesActividad.h"
#include "EmisionEnCurso.h"
#include "ErrorOperacion.h"
#include "FicherosEmision.h"
#include "ImagenesTalon.h"
#include "Importes.h"
#include "MotorTablas.h"
#include "RegistroActividad.h"
#include "TextosBBDD.h"
#include "VerificacionFicheroBanco.h"

#include <QDir>
#include <QFile>

#include <vector>

namespace {

namespace Mensaje {
const QString Completada =
    QStringLiteral("La emisión %1 de la remesa %2 se interrumpió antes de terminar y se ha "
                   "completado ahora con %3 que pasaron al histórico: el fichero "
                   "para el banco, la carta, el informe y el archivo ZIP están en la carpeta %4. "
                   "Los cheques que no llegaron a emitirse siguen en la remesa.");
const QString SinCheques =
    QStringLiteral("La emisión %1 se interrumpió antes de emitir ningún cheque: no se ha "
                   "generado ningún fichero y todos sus cheques siguen en la remesa.");
const QString Ilegible = QStringLiteral(
    "El registro de una emisión interrumpida no se puede leer y se ha guardado como %1. "
    "Compruebe en el histórico y en la carpeta de remesas emitidas que la última emisión está "
    "completa, y consulte con el soporte técnico si no lo está.");
const QString NoCompletada = QStringLiteral("No se pudo completar la emisión interrumpida %1: %2");
} // namespace Mensaje

// One history row of the emission, as the files need it.
struct tFilaHistorico {
    tTalon talon; // the amount in cents, model description, stored numbers
};

// The emission's own history rows, in the order they were written, and the
// remittance and presenter they carry. Throws TErrorOperacion with the
// reason when they cannot be read.
void leeFilasEmision(const QString& ruta, const tEmisionEnCurso& en, tRemesas& remesa,
                     tOrdenantes& ordenante, std::vector<tFilaHistorico>& filas) {
    motor::Conexion con(ruta);
    motor::Sentencia s(
        con, QStringLiteral("SELECT Nombre_Remesa, Importe, Fecha_Confeccion, Fecha_Pago, "
                            "Modelo_Talon, Numero_Modelo, Fecha_Talon, Numero, "
                            "Nombre_Cliente, Nif_Sufijo, Nombre_Ordenante, Cuenta_ord, "
                            "Cuenta, imp, indicador FROM historicoCheques "
                            "WHERE Nombre_Cons = ? AND Pk_HistoricoRecibos > ? "
                            "ORDER BY Pk_HistoricoRecibos"));
    s.liga(en.fichero).liga(en.claveHistoricoCheques);
    if (!s.ejecuta())
        throw TErrorOperacion(s.error());
    while (s.siguiente()) {
        if (filas.empty()) {
            remesa.Nombre_Remesa = s.texto(0);
            remesa.Fecha_Confeccion = s.texto(2);
            remesa.Fecha_Proceso = s.texto(3);
            ordenante.Nif_Sufijo = remesa.Nif = s.texto(9);
            ordenante.Nombre_ordenante = remesa.Nombre_Ordenante = s.texto(10);
            ordenante.Cuenta = remesa.Cuenta_Acreedor = s.texto(11);
        }
        tFilaHistorico fila;
        tTalon& t = fila.talon;
        t.Modelo_Talon = s.texto(4);
        t.numero_Modelo = s.texto(5).left(6);
        t.chk_Modelo = t.numero_Modelo.mid(5, 1);
        t.FechaPago = s.texto(6);
        t.Numero = s.texto(7).left(9);
        t.chk_numero = t.Numero.mid(8, 1);
        t.Nombre_Cliente = s.texto(8);
        t.Cuenta = s.texto(12);
        // The cents are the history's own value; the display text beside
        // them was made from it.
        t.Importe = tImporte::leeCentimos(s.texto(13));
        if (!t.Importe)
            throw TErrorOperacion(MensajeBBDD::ImporteNoValido.arg(s.texto(13), t.Numero));
        t.indicador = s.entero(14);
        filas.push_back(fila);
    }
}

// The rewritten bank file read back against the history rows it was made
// from. A wrong one is removed with its archive, so that no copy of it can
// reach the bank; the next completion makes them again.
tTotalesFicheroBanco totalesDe(const std::vector<tFilaHistorico>& filas) {
    tTotalesFicheroBanco totales{int(filas.size()), 0};
    for (const tFilaHistorico& fila : filas)
        totales.centimos += fila.talon.Importe->centimos();
    return totales;
}

void compruebaFicheroBancoCompletado(const QString& ruta,
                                     const std::vector<tFilaHistorico>& filas) {
    try {
        compruebaFicheroBanco(ruta, totalesDe(filas));
    } catch (const TErrorOperacion&) {
        QFile::remove(ruta);
        QFile::remove(ruta + QStringLiteral(".zip"));
        throw;
    }
}

// True when the emission's row is in historico.dat; throws TErrorOperacion
// when that cannot be told.
bool hayFilaHistorico(const QString& ruta, const tEmisionEnCurso& en) {
    motor::Conexion con(ruta);
    motor::Sentencia s(con, QStringLiteral("SELECT 1 FROM historico WHERE Nombre_Cons = ? AND "
                                           "Pk_Historico > ? LIMIT 1"));
    s.liga(en.fichero).liga(en.claveHistorico);
    if (!s.ejecuta())
        throw TErrorOperacion(s.error());
    return s.siguiente();
}

} // namespace

bool TServicioEmision::completaEmisionInterrumpida() {
    // Held by another program: it is emitting, and its emission is its own.
    TBloqueoEmision bloqueo(inst_.dirs);
    if (!bloqueo.toma(0))
        return false;
    return completaEmisionConBloqueo();
}

bool TServicioEmision::completaEmisionConBloqueo() {
    const tDirectorios& d = inst_.dirs;
    std::optional<tEmisionEnCurso> en;
    try {
        en = leeEmisionEnCurso(d);
    } catch (const TErrorOperacion&) {
        // Said once, then kept aside for support: an unreadable record must
        // not stop every emission that follows.
        const QString aparte = apartaEmisionEnCurso(d);
        iu_.muestraMensaje(Mensaje::Ilegible.arg(QDir::toNativeSeparators(aparte)));
        return false;
    }
    if (!en)
        return false;
    const auto falla = [&](const QString& motivo) {
        throw TErrorOperacion(Mensaje::NoCompletada.arg(en->fichero, motivo));
    };

    tRemesas remesa;
    tOrdenantes ordenante;
    std::vector<tFilaHistorico> filas;
    try {
        leeFilasEmision(inst_.rutaHistoricoCheques(), *en, remesa, ordenante, filas);
    } catch (const TErrorOperacion& error) {
        falla(error.texto());
    }
    const QStringList ficheros = TFicherosEmision::ficherosDe(d, en->numero);
    if (filas.empty()) {
        // Cut off before its commit: nothing was emitted, no file of it may
        // reach the bank, and its number is free for the next emission.
        for (const QString& f : ficheros)
            if (QFile::exists(f) && !QFile::remove(f))
                falla(QStringLiteral("no se pudo borrar el fichero %1").arg(f));
        vaciaCarpeta(d.Dir_Imagenes_tmp);
        borraEmisionEnCurso(d);
        iu_.muestraMensaje(Mensaje::SinCheques.arg(en->fichero));
        return true;
    }
    try {
        const bool conFilaHistorico = hayFilaHistorico(inst_.rutaHistorico(), *en);
        // Every file is made again; an archive's work file goes first.
        for (const QString& f : ficheros.mid(4))
            QFile::remove(f);
        remesa.nombre_Cons = en->fichero;
        vaciaCarpeta(d.Dir_Imagenes_tmp);
        TFicherosEmision emision(d, en->numero, remesa, ordenante);
        QStringList frontales;
        for (const tFilaHistorico& fila : filas) {
            emision.anadeTalon(fila.talon);
            // Images still in the image folder go to the history; the front
            // image of each cheque goes to the archive from where it is.
            const tTalon& t = fila.talon;
            const QString frontal = archivaImagenesTalon(
                d, t.Cuenta, t.numero_Modelo, t.Numero,
                [this] { avisaPuntoEmision(PuntoEmision::ArchivandoImagenes, 0); },
                renombraFichero);
            if (!frontal.isEmpty())
                frontales << frontal;
        }
        emision.escribe(leeConfiguracionBanco(inst_).Nombre, bd_.destino());
        compruebaFicheroBancoCompletado(emision.rutaFichero(), filas);
        // An emission of an earlier version of this program wrote this row
        // after its cheques.
        if (!conFilaHistorico)
            GuardaHistoricoRemesa(emision.remesa());
        ComprimeFicheroTalones(emision.rutaFichero(), frontales);
    } catch (const TErrorOperacion& error) {
        falla(error.texto());
    }
    borraEmisionEnCurso(d);
    const QString detalle = detalleEmision(en->fichero, remesa.Nombre_Remesa, int(filas.size()),
                                           totalesDe(filas).centimos);
    anotaActividad(inst_, iu_, ActoActividad::EmisionCompletada, detalle);
    iu_.anotaSuceso(QStringLiteral("Emisión interrumpida completada: ") + detalle);
    const QString cheques = filas.size() == 1 ? QStringLiteral("1 cheque")
                                              : QStringLiteral("%1 cheques").arg(filas.size());
    iu_.muestraMensaje(Mensaje::Completada.arg(en->fichero, remesa.Nombre_Remesa, cheques,
                                               QDir::toNativeSeparators(d.Dir_Cons)));
    return true;
}
