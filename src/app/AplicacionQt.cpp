#include "AplicacionQt.h"

#include "CajaMensajes.h"
#include "ErrorOperacion.h"
#include "EstadoPrograma.h"
#include "RegistroDiagnostico.h"

bool TAplicacionQt::notify(QObject* receptor, QEvent* evento) {
    try {
        return QApplication::notify(receptor, evento);
    } catch (const TErrorOperacion& e) {
        muestraError(e.texto());
    } catch (const std::exception& e) {
        muestraError(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

void TAplicacionQt::muestraError(const QString& texto) const {
    anotaDiagnostico(estado ? estado->diagnostico : nullptr,
                     QStringLiteral("Error no controlado: ") + texto);
    const tEstadoPrograma sinPrograma;
    CajaMensajes(estado ? *estado : sinPrograma, nullptr).muestraMensaje(texto);
}
