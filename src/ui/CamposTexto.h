#pragma once
// Small behaviours shared by the entry fields of every window.

class QLineEdit;
class QPushButton;
class QWidget;
class QLabel;
class QString;

// Letters turn into capitals as they are typed.
void fuerzaMayusculas(QLineEdit* campo);
// Locked fields take the button-face colour, editable ones white.
void fijaEditable(QWidget* campo, bool editable);
// Enter on the focused button presses it, as Space does: the Enter orders of
// the windows end on a button, and the next Enter is expected to press it.
void pulsaConEnter(QPushButton* boton);
// A command button of a dialog: never its default button (Enter on a field
// does not close the window) and pressed by Enter when it has the focus.
QPushButton* botonOrden(const QString& texto, QWidget* padre);
