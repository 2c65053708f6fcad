#pragma once
// Draws a warning after the text of a list row, in red at the right of the
// cell, without changing the row's text (which other code reads): the image
// marks of read documents and cheques ("IMAGEN: oscura").
//
//     lista->setItemDelegate(new TDelegadoAviso(lista));
//     item->setData(TDelegadoAviso::RolAviso, QStringLiteral("IMAGEN: oscura"));

#include <QStyledItemDelegate>

class TDelegadoAviso : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int RolAviso = Qt::UserRole + 40;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* pintor, const QStyleOptionViewItem& opcion,
               const QModelIndex& indice) const override;
};
