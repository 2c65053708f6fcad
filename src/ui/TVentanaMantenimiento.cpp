#include "TVentanaMantenimiento.h"

#include "CamposTexto.h"
#include "FiltroEventos.h"
#include "ListaOrdenable.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

TVentanaMantenimiento::TVentanaMantenimiento(QWidget* parent) : TVentanaModal(parent) {}

QHBoxLayout* TVentanaMantenimiento::filaLista(QWidget* lista,
                                              std::initializer_list<QPushButton*> botones) {
    auto* columna = new QVBoxLayout;
    for (QPushButton* b : botones)
        columna->addWidget(b);
    columna->addStretch();
    auto* fila = new QHBoxLayout;
    fila->addWidget(lista, 1);
    fila->addLayout(columna);
    return fila;
}

void TVentanaMantenimiento::defineModos(const tControlesModo& controles) {
    controles_ = controles;
    TListaOrdenable* lista = controles_.lista;
    connect(lista, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (!enEdicion_ && haySeleccion())
            modificar();
    });
    new TFiltroEventos(
        lista,
        [this](QEvent* evento) {
            if (evento->type() != QEvent::KeyPress || enEdicion_ || !haySeleccion())
                return false;
            const int tecla = static_cast<QKeyEvent*>(evento)->key();
            if (tecla != Qt::Key_Return && tecla != Qt::Key_Enter)
                return false;
            modificar();
            return true;
        },
        this);
}

bool TVentanaMantenimiento::haySeleccion() const {
    return controles_.lista->numeroFilas() > 0 && controles_.lista->filaSeleccionada() != nullptr;
}

void TVentanaMantenimiento::fijaModoEdicion(bool edicion) {
    enEdicion_ = edicion;
    controles_.lista->setEnabled(!edicion);
    for (QWidget* w : controles_.consulta)
        w->setEnabled(!edicion);
    for (QWidget* w : controles_.edicion)
        w->setEnabled(edicion);
    for (QWidget* w : controles_.campos)
        fijaEditable(w, edicion);
    habilitaSeleccion();
}

void TVentanaMantenimiento::habilitaSeleccion() {
    const bool habilita = !enEdicion_ && haySeleccion();
    for (QWidget* w : controles_.conSeleccion)
        w->setEnabled(habilita);
}

void TVentanaMantenimiento::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Escape && enEdicion_) {
        cancelar();
        return;
    }
    TVentanaModal::keyPressEvent(evento);
}
