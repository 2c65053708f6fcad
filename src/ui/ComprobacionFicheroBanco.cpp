#include "ComprobacionFicheroBanco.h"

#include "CajaMensajes.h"
#include "DialogosSistema.h"
#include "Importes.h"
#include "TdmBBDD.h"
#include "VerificacionFicheroBanco.h"

#include <QDir>

namespace {
const QString Titulo = QStringLiteral("Verificar fichero para el banco");
const QString Correcto =
    QStringLiteral("El fichero para el banco %1 es correcto: %2 por un total de %3 euros.");
} // namespace

QString resultadoComprobacionFichero(const QString& ruta) {
    const tVerificacionFicheroBanco r = verificaFicheroBanco(ruta);
    if (!r.correcto)
        return r.mensaje;
    const QString cheques = r.leidos.talones == 1
                                ? QStringLiteral("1 cheque")
                                : QStringLiteral("%1 cheques").arg(r.leidos.talones);
    return Correcto.arg(QDir::toNativeSeparators(ruta), cheques,
                        tImporte::deCentimos(r.leidos.centimos).visible());
}

void compruebaFicheroParaBanco(TdmBBDD& dm, QWidget* parent) {
    const QString ruta =
        DialogosSistema(dm.estado(), parent).abrirFichero(Titulo, dm.instalacion().dirs.Dir_Cons);
    if (ruta.isEmpty())
        return;
    const tVerificacionFicheroBanco r = verificaFicheroBanco(ruta);
    const CajaMensajes cajas(dm.estado(), parent);
    if (r.correcto)
        cajas.muestraMensaje(resultadoComprobacionFichero(ruta));
    else
        cajas.muestraAviso(r.mensaje);
}
