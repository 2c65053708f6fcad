#pragma once
// The cheque editor's emission warning: laid over the list, it shows the
// totals that will be emitted and how many cheques stay out because they
// are incomplete, and asks to go on or to go back.

#include <QFrame>

class QLineEdit;
class QPushButton;
class QTextEdit;

class TPanelAvisoCheque : public QFrame {
    Q_OBJECT
public:
    // The red line of the warning for n incomplete cheques.
    static QString lineaIncompletos(int n);

    explicit TPanelAvisoCheque(QWidget* parent);

    // Shows the warning centred on `zona` (in the parent's coordinates),
    // its text replaced, never added to: each opening shows its lines once.
    // No red line when no cheque is incomplete.
    void muestra(const QString& importe, const QString& cheques, int incompletos,
                 const QRect& zona);

signals:
    void continuarPulsado();
    void cancelarPulsado();

private:
    QTextEdit* redtAviso = nullptr;
    QLineEdit* lbedImp = nullptr;
    QLineEdit* lblTalones = nullptr;
    QPushButton* btnContinuar = nullptr;
    QPushButton* btnCancelarAviso = nullptr;
};
