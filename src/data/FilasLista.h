#pragma once
// Rows of the lists the data module fills for the windows. The data module
// never touches a widget: it answers the rows, and the window shows the
// caption and cells and keeps the attached data to find the row again.

#include "Registros.h"

#include <QList>
#include <QString>
#include <QStringList>

struct tFilaLista {
    QString caption;       // first column (the item's own text)
    QStringList celdas;    // the following columns, in order
    tRegDataTalones datos; // attached data of the row
};

using tFilasLista = QList<tFilaLista>;

// The row of a cheque in the cheque list: its state word, then model
// description, amount in display form, account, number, drawer's name, due
// date, key and the bearer flag ("SI"/"NO"). The list, the editor's new
// manual cheque and the editor's saved cheque all show it this one way.
tFilaLista filaListaTalon(const tTalon& talon);
