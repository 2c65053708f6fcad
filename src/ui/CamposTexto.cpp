#include "CamposTexto.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

namespace {
class TFiltroEnter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() != QEvent::KeyPress)
            return false;
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (tecla != Qt::Key_Return && tecla != Qt::Key_Enter)
            return false;
        if (auto* boton = qobject_cast<QPushButton*>(objeto); boton && boton->isEnabled())
            boton->click();
        return true;
    }
};
} // namespace

void fuerzaMayusculas(QLineEdit* campo) {
    QObject::connect(campo, &QLineEdit::textEdited, campo, [campo](const QString& texto) {
        const QString mayusculas = texto.toUpper();
        if (mayusculas == texto)
            return;
        const int cursor = campo->cursorPosition();
        campo->setText(mayusculas);
        campo->setCursorPosition(cursor);
    });
}

void fijaEditable(QWidget* campo, bool editable) {
    campo->setEnabled(editable);
    QPalette p = campo->palette();
    p.setColor(QPalette::Base, editable ? QColor(Qt::white) : p.color(QPalette::Button));
    p.setColor(QPalette::Disabled, QPalette::Base, p.color(QPalette::Button));
    // A locked field still shows its value legibly.
    p.setColor(QPalette::Disabled, QPalette::Text, p.color(QPalette::Active, QPalette::Text));
    campo->setPalette(p);
}

void pulsaConEnter(QPushButton* boton) {
    boton->installEventFilter(new TFiltroEnter(boton));
}

QPushButton* botonOrden(const QString& texto, QWidget* padre) {
    auto* boton = new QPushButton(texto, padre);
    boton->setAutoDefault(false);
    pulsaConEnter(boton);
    return boton;
}
