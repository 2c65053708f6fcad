#pragma once
// The maintenance windows (presenters, drawers): a list of records, the
// fields of one record and two modes.
//   Browse mode: the list and the browse buttons work; the buttons that act
//     on a record ("&Modificar", "&Eliminar") work while a row is selected;
//     the fields are locked.
//   Edit mode: only the fields and the edit buttons ("&Aceptar",
//     "&Cancelar") work.
// Enter or a double click on the list modifies the selected record; Esc in
// edit mode cancels as "&Cancelar" does, and only browse mode closes with it.

#include "TVentanaModal.h"

#include <QList>

class TListaOrdenable;

class TVentanaMantenimiento : public TVentanaModal {
    Q_OBJECT
public:
    explicit TVentanaMantenimiento(QWidget* parent = nullptr);

    bool enEdicion() const { return enEdicion_; }
    virtual void modificar() = 0;
    virtual void cancelar() = 0;

protected:
    struct tControlesModo {
        TListaOrdenable* lista = nullptr;
        QList<QWidget*> consulta;     // enabled in browse mode
        QList<QWidget*> conSeleccion; // enabled in browse mode with a row selected
        QList<QWidget*> edicion;      // enabled in edit mode
        QList<QWidget*> campos;       // editable in edit mode, locked in browse mode
    };
    // The list with the column of its record buttons at its right.
    static QHBoxLayout* filaLista(QWidget* lista, std::initializer_list<QPushButton*> botones);
    // Once the controls exist; the list's Enter and double click are tied
    // to modificar().
    void defineModos(const tControlesModo& controles);
    void fijaModoEdicion(bool edicion);
    // The record buttons follow the selection.
    void habilitaSeleccion();
    bool haySeleccion() const;

    void keyPressEvent(QKeyEvent* evento) override;

private:
    tControlesModo controles_;
    bool enEdicion_ = false;
};
