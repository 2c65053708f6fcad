#include "TDelegadoAviso.h"

#include <QPainter>

void TDelegadoAviso::paint(QPainter* pintor, const QStyleOptionViewItem& opcion,
                           const QModelIndex& indice) const {
    QStyledItemDelegate::paint(pintor, opcion, indice);
    const QString aviso = indice.data(RolAviso).toString();
    if (aviso.isEmpty())
        return;
    pintor->save();
    QFont letra = opcion.font;
    letra.setBold(true);
    pintor->setFont(letra);
    const bool seleccionada = opcion.state & QStyle::State_Selected;
    pintor->setPen(seleccionada ? opcion.palette.color(QPalette::HighlightedText)
                                : QColor(0xc0, 0, 0));
    pintor->drawText(opcion.rect.adjusted(0, 0, -6, 0), Qt::AlignRight | Qt::AlignVCenter, aviso);
    pintor->restore();
}
