#include "AplicacionQt.h"

#include "CajaMensajes.h"
#include "ErrorOperacion.h"

bool TAplicacionQt::notify(QObject* receptor, QEvent* evento) {
    try {
        return QApplication::notify(receptor, evento);
    } catch (const TErrorOperacion& e) {
        CajaMensajes::muestraMensaje(nullptr, e.texto());
    } catch (const std::exception& e) {
        CajaMensajes::muestraMensaje(nullptr, QString::fromLocal8Bit(e.what()));
    }
    return false;
}
