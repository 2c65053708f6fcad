#pragma once
// A picture link: underlined blue text with the hand cursor that opens a
// picture of the Pub folder with the desktop's default viewer. It takes the
// focus, and Space or Enter open it as a click does.

#include <QLabel>

class TEnlaceFoto : public QLabel {
    Q_OBJECT
public:
    explicit TEnlaceFoto(const QString& texto, QWidget* parent = nullptr);

signals:
    void pulsado();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
};
