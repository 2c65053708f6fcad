#pragma once
// What the modal windows opened from the menu share (maintenance, history,
// search criteria):
//   - minimising the window minimises the whole application, and bringing
//     the application back brings the window back: a modal window left alone
//     would keep the program blocked behind it;
//   - the read-only help box "mmoAyuda" at the bottom, out of the Tab chain,
//     which shows each of its lines as one line on screen and wraps only a
//     line that does not fit;
//   - the command buttons: named after their member, never the default
//     button, pressed by Enter when they have the focus.

#include <QDialog>
#include <QStringList>

#include <initializer_list>

class QHBoxLayout;
class QPlainTextEdit;
class QPushButton;

class TVentanaModal : public QDialog {
    Q_OBJECT
public:
    explicit TVentanaModal(QWidget* parent = nullptr);

protected:
    QPushButton* boton(const QString& texto, const char* nombre);
    // The buttons side by side at the right of a row.
    static QHBoxLayout* filaBotones(std::initializer_list<QPushButton*> botones);
    // The help box with these lines, tall enough for `lineasAlto` lines.
    QPlainTextEdit* creaAyuda(const QStringList& lineas, int lineasAlto);
    // Sizes the window once its layout is set: `ancho` or, when a help line
    // would not fit in it, as wide as the longest help line needs.
    void dimensiona(int ancho, int alto);

    void changeEvent(QEvent* evento) override;

private:
    QWidget* propietaria() const;

    QPlainTextEdit* ayuda_ = nullptr;
};
