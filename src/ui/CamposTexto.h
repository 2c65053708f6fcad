#pragma once
// Small behaviours shared by the entry fields of every window.

class QLineEdit;
class QWidget;
class QLabel;

// Letters turn into capitals as they are typed.
void fuerzaMayusculas(QLineEdit* campo);
// Locked fields take the button-face colour, editable ones white.
void fijaEditable(QWidget* campo, bool editable);
