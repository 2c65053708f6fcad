#include "Aplicacion.h"

#include "AplicacionQt.h"
#include "TDLogFile.h"

#include <QDir>

int main(int argc, char* argv[]) {
    TAplicacionQt a(argc, argv);
    QApplication::setApplicationName(QStringLiteral("teskora_chk"));
    // The log comes before any window and goes after all of them.
    const TDLogFile DLog(calculaEntornoLog(QCoreApplication::applicationFilePath(),
                                           QCoreApplication::arguments(), QDir::tempPath()));
    TAplicacion aplicacion(QCoreApplication::applicationDirPath());
    aplicacion.muestra();
    return QApplication::exec();
}
