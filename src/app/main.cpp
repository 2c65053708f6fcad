#include "Aplicacion.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication a(argc, argv);
    QApplication::setApplicationName(QStringLiteral("teskora_chk"));
    TAplicacion aplicacion(QCoreApplication::applicationDirPath());
    aplicacion.muestra();
    return QApplication::exec();
}
