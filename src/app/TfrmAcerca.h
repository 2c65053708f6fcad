#pragma once
// About box: product name and version.

#include <QDialog>

class QLabel;
class QPushButton;

class TfrmAcerca : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAcerca(QWidget* parent = nullptr);
    // Opens a fresh about box modally; true when closed with "Aceptar".
    static bool Launch(QWidget* parent);

    QLabel* lblVersion = nullptr;
    QPushButton* btnAceptar = nullptr;
};
