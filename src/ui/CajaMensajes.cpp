#include "CajaMensajes.h"

#include "RegistroDiagnostico.h"

#include "EstadoPrograma.h"
#include "TPreguntaF.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString tituloAplicacion() {
    return QCoreApplication::applicationName();
}

// The standard buttons carry the Spanish words the operator knows.
void traduceBotones(QMessageBox& caja) {
    if (QAbstractButton* ok = caja.button(QMessageBox::Ok))
        ok->setText(QStringLiteral("Aceptar"));
    if (QAbstractButton* cancelar = caja.button(QMessageBox::Cancel))
        cancelar->setText(QStringLiteral("Cancelar"));
}

void cajaSimple(QWidget* parent, const QString& texto, QMessageBox::Icon icono) {
    QMessageBox caja(icono, tituloAplicacion(), texto, QMessageBox::Ok, parent);
    traduceBotones(caja);
    caja.exec();
}

} // namespace

CajaMensajes::CajaMensajes(const tEstadoPrograma& estado, QWidget* parent)
    : estado_(estado), parent_(parent) {}

void CajaMensajes::muestraMensaje(const QString& texto) const {
    anotaDiagnostico(estado_.diagnostico, QStringLiteral("Mensaje: ") + texto);
    if (TGuionDialogos* guion = estado_.guion) {
        guion->anota({Tipo::Mensaje, tituloAplicacion(), texto, {}, {}, PrimerBoton});
        return;
    }
    cajaSimple(parent_, texto, QMessageBox::NoIcon);
}

void CajaMensajes::muestraAviso(const QString& texto) const {
    anotaDiagnostico(estado_.diagnostico, QStringLiteral("Aviso: ") + texto);
    if (TGuionDialogos* guion = estado_.guion) {
        guion->anota({Tipo::Aviso, tituloAplicacion(), texto, {}, {}, PrimerBoton});
        return;
    }
    cajaSimple(parent_, texto, QMessageBox::Warning);
}

bool CajaMensajes::confirma(const QString& texto, const QString& titulo) const {
    anotaDiagnostico(estado_.diagnostico, QStringLiteral("Confirmación: ") + texto);
    if (TGuionDialogos* guion = estado_.guion) {
        const quint16 respuesta = guion->siguienteRespuesta();
        guion->anota({Tipo::Confirmacion, titulo, texto, {}, {}, respuesta});
        return respuesta == PrimerBoton;
    }
    QMessageBox caja(QMessageBox::Question, titulo, texto, QMessageBox::Ok | QMessageBox::Cancel,
                     parent_);
    caja.setDefaultButton(QMessageBox::Ok);
    caja.setEscapeButton(QMessageBox::Cancel);
    traduceBotones(caja);
    return caja.exec() == QMessageBox::Ok;
}

quint16 CajaMensajes::pregunta(const QString& Texto, const QString& Boton1, const QString& Boton2,
                               const QString& Cabecera) const {
    anotaDiagnostico(estado_.diagnostico, QStringLiteral("Pregunta: ") + Texto);
    if (TGuionDialogos* guion = estado_.guion) {
        // One-button questions can only be answered with that button.
        const quint16 respuesta = Boton2.isEmpty() ? PrimerBoton : guion->siguienteRespuesta();
        guion->anota({Tipo::Pregunta, Cabecera, Texto, Boton1, Boton2, respuesta});
        return respuesta;
    }
    if (estado_.preguntaDlg)
        return estado_.preguntaDlg(Texto, Boton1, Boton2, Cabecera);
    TPreguntaF dialogo(parent_);
    return dialogo.PreguntaDlg(Texto, Boton1, Boton2, Cabecera);
}

quint16 CajaMensajes::preguntaConVuelta(const QString& Texto, const QString& Boton1,
                                        const QString& Boton2, const QString& Cabecera) const {
    if (TGuionDialogos* guion = estado_.guion) {
        const quint16 respuesta = guion->siguienteRespuesta();
        guion->anota({Tipo::Pregunta, Cabecera, Texto, Boton1, Boton2, respuesta});
        return respuesta;
    }
    QMessageBox caja(QMessageBox::Question, Cabecera, Texto, QMessageBox::NoButton, parent_);
    QAbstractButton* primero = caja.addButton(Boton1, QMessageBox::AcceptRole);
    QPushButton* vuelta = caja.addButton(Boton2, QMessageBox::RejectRole);
    caja.setDefaultButton(vuelta);
    caja.setEscapeButton(vuelta);
    caja.exec();
    return caja.clickedButton() == primero ? PrimerBoton : SegundoBoton;
}
