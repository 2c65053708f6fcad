#include "Aplicacion.h"

#include "AplicacionQt.h"

int main(int argc, char* argv[]) {
    TAplicacionQt a(argc, argv);
    QApplication::setApplicationName(QStringLiteral("teskora_chk"));
    TAplicacion aplicacion(QCoreApplication::applicationDirPath());
    a.estado = &aplicacion.estado;
    aplicacion.muestra();
    return QApplication::exec();
}
