#include "TEnlaceFoto.h"

#include <QKeyEvent>
#include <QMouseEvent>

TEnlaceFoto::TEnlaceFoto(const QString& texto, QWidget* parent) : QLabel(texto, parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setStyleSheet(QStringLiteral("color: #0645ad; text-decoration: underline;"));
    setAccessibleName(texto);
}

void TEnlaceFoto::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit pulsado();
    QLabel::mouseReleaseEvent(e);
}

void TEnlaceFoto::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        emit pulsado();
        return;
    }
    QLabel::keyPressEvent(e);
}
