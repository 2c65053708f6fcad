// A second program on the same data folder, as the concurrency tests start
// it: it does one thing through the data module, as the program would, and
// prints what came of it, one line each ("EMITIDA CONS.0001", "OCUPADA",
// "NADA", "ERROR ...", "GUARDADOS n", "MENSAJE ..."), then ends.
//
//   ayudante_procesos <carpeta> emite
//   ayudante_procesos <carpeta> inicia
//   ayudante_procesos <carpeta> guarda <primer número> <cuántos>
//
// TESKORA_PAUSA=<punto>:<ms> makes the emission stop that long at that
// checkpoint (numbered as PuntoEmision), so that the others run meanwhile;
// TESKORA_MUERE=<punto> ends the process there at once, as a power cut;
// TESKORA_ESPERA=<ms> is how long an emission waits for another one.
#include "ConfiguracionBaseDatos.h"
#include "ErrorOperacion.h"
#include "EstadoPrograma.h"
#include "Instalacion.h"
#include "InterfazUsuarioFalsa.h"
#include "ServicioEmision.h"
#include "TablasInstalacion.h"
#include "TdmBBDD.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>
#include <cstdlib>

namespace {

void escribe(const QString& linea) {
    QString una = linea;
    una.replace(u'\n', u' ');
    std::printf("%s\n", una.toUtf8().constData());
    std::fflush(stdout);
}

// The checkpoint hooks the environment asks for.
void ponPuntosDeControl(TdmBBDD& dm) {
    const QStringList pausa = qEnvironmentVariable("TESKORA_PAUSA").split(u':');
    const QString muere = qEnvironmentVariable("TESKORA_MUERE");
    dm.emision().puntoControlEmision = [pausa, muere](PuntoEmision punto, int) {
        if (!muere.isEmpty() && muere.toInt() == int(punto))
            std::_Exit(17);
        if (pausa.size() == 2 && pausa[0].toInt() == int(punto))
            QThread::msleep(pausa[1].toULong());
    };
}

// The read lines of the keyboard reader for cheques first .. first + n - 1,
// each stored on its own as a capture window saves what it read.
int guarda(TdmBBDD& dm, int primero, int cuantos) {
    int guardados = 0;
    for (int i = primero; i < primero + cuantos; ++i) {
        QStringList lista{
            QStringLiteral("+%1 1234 5678 0123456789 4212 00000012345").arg(i, 7, 10, QChar(u'0'))};
        guardados += dm.almacenaLineasLeidas(lista, false, VarianteLectura::Normal).buenos;
    }
    return guardados;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const tInstalacion inst = calculaInstalacion(args[1]);
    // Where the tables are, from the folder's config.ini, as the program reads it.
    if (const QString problema = aplicaConfiguracionBaseDatos(inst); !problema.isEmpty()) {
        escribe(QStringLiteral("ERROR ") + problema);
        return 1;
    }
    tEstadoPrograma estado;
    estado.RemesaActual.Pk_Remesa = 1;
    estado.RemesaActual.Nombre_Remesa = QStringLiteral("ESTANDAR");
    estado.OrdenanteActual.Pk_Ordenante = 1;
    estado.Escaner.tipo = 4;
    InterfazUsuarioFalsa iu;
    TdmBBDD dm(inst, estado, iu);
    ponPuntosDeControl(dm);
    if (qEnvironmentVariableIsSet("TESKORA_ESPERA"))
        dm.emision().esperaBloqueoEmisionMs = qEnvironmentVariableIntValue("TESKORA_ESPERA");
    const QString accion = args[2];
    try {
        if (accion == QStringLiteral("emite")) {
            const bool emitida = dm.facturaFichero(
                estado.RemesaActual, QStringLiteral("05/03/2025"), QStringLiteral("10/03/2025"));
            escribe(emitida ? QStringLiteral("EMITIDA ") + estado.RemesaActual.nombre_Cons
                            : QStringLiteral("NADA"));
        } else if (accion == QStringLiteral("inicia")) {
            dm.tablas().compruebaTablas();
            dm.tablas().CreaTablas();
            dm.emision().completaEmisionInterrumpida();
        } else if (accion == QStringLiteral("guarda") && args.size() == 5) {
            escribe(
                QStringLiteral("GUARDADOS %1").arg(guarda(dm, args[3].toInt(), args[4].toInt())));
        } else {
            return 2;
        }
    } catch (const TErrorOperacion& e) {
        escribe((e.texto().startsWith(QStringLiteral("La remesa la está emitiendo"))
                     ? QStringLiteral("OCUPADA ")
                     : QStringLiteral("ERROR ")) +
                e.texto());
    }
    for (const QString& m : std::as_const(iu.mensajes))
        escribe(QStringLiteral("MENSAJE ") + m);
    return 0;
}
