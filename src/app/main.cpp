#include "Aplicacion.h"

#include "AplicacionQt.h"
#include "OrdenMigracion.h"
#include "SesionGrafica.h"
#include "TDLogFile.h"

#include <QDir>

#include <cstdio>

int main(int argc, char* argv[]) {
    QStringList argumentos;
    for (int i = 0; i < argc; ++i)
        argumentos << QString::fromLocal8Bit(argv[i]);
    // Moving the tables to a server needs no window, nor a display.
    if (argumentos.contains(OpcionMigrarAServidor)) {
        QCoreApplication a(argc, argv);
        return ejecutaMigracionServidor(QCoreApplication::applicationDirPath());
    }
    // Before Qt looks for its platform plugin, which aborts without a display.
    const QString sinSesion = mensajeSinSesionGrafica(argumentos.value(0), argumentos,
                                                      QProcessEnvironment::systemEnvironment());
    if (!sinSesion.isEmpty()) {
        std::fputs(sinSesion.toLocal8Bit().constData(), stderr);
        return SalidaSinSesionGrafica;
    }
    TAplicacionQt a(argc, argv);
    QApplication::setApplicationName(QStringLiteral("teskora_chk"));
    // The log comes before any window and goes after all of them.
    TDLogFile DLog(calculaEntornoLog(QCoreApplication::applicationFilePath(),
                                     QCoreApplication::arguments(), QDir::tempPath()));
    TAplicacion aplicacion(QCoreApplication::applicationDirPath(), nullptr, &DLog);
    a.estado = &aplicacion.estado;
    DLog.estado = &aplicacion.estado;
    aplicacion.muestra();
    return QApplication::exec();
}
