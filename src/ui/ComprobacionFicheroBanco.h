#pragma once
// The operator's own check of a file for the bank (an old one about to be
// sent again, one copied from elsewhere): the file is chosen in the open-file
// dialog, read back as the bank will read it, and the result shown with the
// cheques and the total read.

#include <QString>

class QWidget;
class TdmBBDD;

// The message for a checked file: good, with its count and sum, or the
// first wrong line.
QString resultadoComprobacionFichero(const QString& ruta);

// Asks for the file (starting in the folder of emitted remittances) and
// shows the result; nothing when the dialog is cancelled.
void compruebaFicheroParaBanco(TdmBBDD& dm, QWidget* parent);
