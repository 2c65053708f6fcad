#pragma once
// The activity record, newest first: when, who, on which computer, which act
// and its details. The operator narrows it by act and by a range of dates;
// nothing in it can be changed from here.

#include "RegistroActividad.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTreeWidget;
class TdmBBDD;

class TfrmRegistroActividad : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Registro de actividad");
    // The first line of the act filter: no act left out.
    static inline const QString TodosLosActos = QStringLiteral("Todos");

    static void Launch(TdmBBDD& dm, QWidget* parent);

    explicit TfrmRegistroActividad(TdmBBDD& dm, QWidget* parent = nullptr);

    // The filter the controls say.
    tFiltroActividad filtro() const;
    // Lists the rows that pass the filter again.
    void aplicaFiltro();

    QComboBox* cmbActo = nullptr;
    QCheckBox* chkDesde = nullptr;
    QDateEdit* dtpDesde = nullptr;
    QCheckBox* chkHasta = nullptr;
    QDateEdit* dtpHasta = nullptr;
    QTreeWidget* lvwActividad = nullptr;
    QLabel* lblResultado = nullptr;
    QPushButton* btnSalir = nullptr;

private:
    TdmBBDD& dm_;
};
