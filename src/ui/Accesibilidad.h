#pragma once
// Accessibility of the windows: what a screen reader says for each control
// and where Tab stops. Every window uses it, so that the program can be
// worked with a screen reader and from the keyboard alone:
//
//   - an entry field, combo box or list with a label in front of it:
//       Accesibilidad::etiqueta(lblNombre, edtNombre);  // label becomes buddy
//   - a list, combo box or viewer without a label of its own:
//       edtX->setAccessibleName(QStringLiteral("Cheques de la remesa"));
//   - a read-only help text (named "Ayuda", never a Tab stop):
//       Accesibilidad::textoAyuda(mmoAyuda);
//   - last, at the end of the window's constructor:
//       Accesibilidad::hazAccesible(this);
//     which names every button by its caption without access-key marks or
//     padding ("&A&nterior" is said "Anterior", " Escanear Che&ques"
//     "Escanear Cheques").
//
// Tests check a window with Accesibilidad::faltas(ventana), which must be
// empty: every control has a name a screen reader can say, and no help text
// takes the focus.

#include <QString>
#include <QStringList>

class QLabel;
class QWidget;

namespace Accesibilidad {

// A caption as it is said: access-key marks removed ("&&" stays one "&"),
// blanks at both ends trimmed.
QString textoSinMarcas(const QString& caption);

// The label names the control: it becomes its buddy, so a screen reader says
// the label's text and the label's access key, if any, focuses the control.
void etiqueta(QLabel* etiqueta, QWidget* control);

// A read-only help text: named (by default "Ayuda"), kept out of the Tab
// chain and of the focus.
void textoAyuda(QWidget* ayuda, const QString& nombre = QStringLiteral("Ayuda"));

// Names every button of the window that has no name yet by its caption
// without marks. Call it once the window's controls exist.
void hazAccesible(QWidget* ventana);

// What is wrong with a window for a screen reader, one line per fault:
// controls without a name, names that still carry an access-key mark, help
// texts that Tab or a click can focus. Empty when all is well.
QStringList faltas(const QWidget* ventana);

} // namespace Accesibilidad
