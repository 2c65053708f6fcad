#include "CamposTexto.h"

#include <QLineEdit>
#include <QPalette>

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
