#include "CajaMensajes.h"

#include "TPreguntaF.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>
#include <QQueue>

namespace {

struct EstadoPrueba {
    bool grabando = false;
    QQueue<quint16> respuestas;
    QList<CajaMensajes::Registro> registros;
};

EstadoPrueba& prueba() {
    static EstadoPrueba estado;
    return estado;
}

QPointer<TPreguntaF>& dialogoRegistrado() {
    static QPointer<TPreguntaF> dialogo;
    return dialogo;
}

QString tituloAplicacion() {
    return QCoreApplication::applicationName();
}

// Records a box while the recording is on; answers whether it was recorded.
bool graba(const CajaMensajes::Registro& registro) {
    if (!prueba().grabando)
        return false;
    prueba().registros.append(registro);
    return true;
}

quint16 siguienteRespuesta() {
    auto& cola = prueba().respuestas;
    return cola.isEmpty() ? CajaMensajes::SegundoBoton : cola.dequeue();
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

void CajaMensajes::muestraMensaje(QWidget* parent, const QString& texto) {
    if (graba({Tipo::Mensaje, tituloAplicacion(), texto, {}, {}, PrimerBoton}))
        return;
    cajaSimple(parent, texto, QMessageBox::NoIcon);
}

void CajaMensajes::muestraAviso(QWidget* parent, const QString& texto) {
    if (graba({Tipo::Aviso, tituloAplicacion(), texto, {}, {}, PrimerBoton}))
        return;
    cajaSimple(parent, texto, QMessageBox::Warning);
}

bool CajaMensajes::confirma(QWidget* parent, const QString& texto, const QString& titulo) {
    if (prueba().grabando) {
        const quint16 respuesta = siguienteRespuesta();
        graba({Tipo::Confirmacion, titulo, texto, {}, {}, respuesta});
        return respuesta == PrimerBoton;
    }
    QMessageBox caja(QMessageBox::Question, titulo, texto, QMessageBox::Ok | QMessageBox::Cancel,
                     parent);
    caja.setDefaultButton(QMessageBox::Ok);
    caja.setEscapeButton(QMessageBox::Cancel);
    traduceBotones(caja);
    return caja.exec() == QMessageBox::Ok;
}

quint16 CajaMensajes::pregunta(QWidget* parent, const QString& Texto, const QString& Boton1,
                               const QString& Boton2, const QString& Cabecera) {
    if (prueba().grabando) {
        // One-button questions can only be answered with that button.
        const quint16 respuesta = Boton2.isEmpty() ? PrimerBoton : siguienteRespuesta();
        graba({Tipo::Pregunta, Cabecera, Texto, Boton1, Boton2, respuesta});
        return respuesta;
    }
    if (TPreguntaF* dialogo = dialogoRegistrado())
        return dialogo->PreguntaDlg(Texto, Boton1, Boton2, Cabecera);
    TPreguntaF dialogo(parent);
    return dialogo.PreguntaDlg(Texto, Boton1, Boton2, Cabecera);
}

void CajaMensajes::registraDialogoPregunta(TPreguntaF* dialogo) {
    dialogoRegistrado() = dialogo;
}

void CajaMensajes::fijaSiguienteRespuesta(quint16 respuesta) {
    prueba().grabando = true;
    prueba().respuestas.enqueue(respuesta);
}

void CajaMensajes::activaGrabacion() {
    prueba().grabando = true;
}

void CajaMensajes::restablece() {
    prueba() = EstadoPrueba{};
}

bool CajaMensajes::grabando() {
    return prueba().grabando;
}

const QList<CajaMensajes::Registro>& CajaMensajes::registros() {
    return prueba().registros;
}

QStringList CajaMensajes::textos() {
    QStringList lista;
    for (const auto& registro : prueba().registros)
        lista.append(registro.texto);
    return lista;
}

int CajaMensajes::respuestasPendientes() {
    return static_cast<int>(prueba().respuestas.size());
}
