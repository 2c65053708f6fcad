#include "TVentanaModal.h"

#include "Accesibilidad.h"
#include "CamposTexto.h"
#include "FiltroEventos.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextDocument>
#include <QtMath>

#include <algorithm>

TVentanaModal::TVentanaModal(QWidget* parent) : QDialog(parent) {
    if (QWidget* duena = propietaria())
        // The application comes back: so does the window, or the program
        // would wait on a window nobody sees.
        new TFiltroEventos(
            duena,
            [this, duena](QEvent* evento) {
                if (evento->type() == QEvent::WindowStateChange && !duena->isMinimized() &&
                    isMinimized())
                    showNormal();
                return false;
            },
            this);
}

QWidget* TVentanaModal::propietaria() const {
    return parentWidget() != nullptr ? parentWidget()->window() : nullptr;
}

void TVentanaModal::changeEvent(QEvent* evento) {
    QDialog::changeEvent(evento);
    QWidget* duena = propietaria();
    if (evento->type() != QEvent::WindowStateChange || duena == nullptr)
        return;
    // The owner follows in turn its own owner, up to the main window.
    if (isMinimized() && !duena->isMinimized())
        duena->showMinimized();
    else if (!isMinimized() && duena->isMinimized())
        duena->showNormal();
}

QPushButton* TVentanaModal::boton(const QString& texto, const char* nombre) {
    QPushButton* b = botonOrden(texto, this);
    b->setObjectName(QLatin1String(nombre));
    return b;
}

QHBoxLayout* TVentanaModal::filaBotones(std::initializer_list<QPushButton*> botones) {
    auto* fila = new QHBoxLayout;
    fila->addStretch();
    for (QPushButton* b : botones)
        fila->addWidget(b);
    return fila;
}

QPlainTextEdit* TVentanaModal::creaAyuda(const QStringList& lineas, int lineasAlto) {
    ayuda_ = new QPlainTextEdit(this);
    ayuda_->setObjectName(QStringLiteral("mmoAyuda"));
    ayuda_->setReadOnly(true);
    ayuda_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    ayuda_->setPlainText(lineas.join(u'\n'));
    const int bordes = 2 * (ayuda_->frameWidth() + qCeil(ayuda_->document()->documentMargin()));
    ayuda_->setFixedHeight(QFontMetrics(ayuda_->font()).lineSpacing() * lineasAlto + bordes);
    Accesibilidad::textoAyuda(ayuda_);
    return ayuda_;
}

void TVentanaModal::dimensiona(int ancho, int alto) {
    if (ayuda_ != nullptr && layout() != nullptr) {
        const QFontMetrics fm(ayuda_->font());
        int linea = 0;
        for (const QString& texto : ayuda_->toPlainText().split(u'\n'))
            linea = std::max(linea, fm.horizontalAdvance(texto));
        // The text starts inside the frame and the document's margin; the
        // cursor's width is kept free at the end of a line. Room for the
        // scroll bar too: a box laid out narrower once may show it, and the
        // lines must fit beside it for it to go away.
        const QMargins margenes = layout()->contentsMargins();
        const int necesario =
            linea + 2 * (ayuda_->frameWidth() + qCeil(ayuda_->document()->documentMargin())) +
            ayuda_->cursorWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
            margenes.left() + margenes.right() + 2;
        ancho = std::max(ancho, necesario);
    }
    resize(ancho, alto);
}
