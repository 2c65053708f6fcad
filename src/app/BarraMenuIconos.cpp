#include "BarraMenuIconos.h"

#include <QPaintEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace {
// Gives an item with an icon the room of the icon and of its caption.
class TEstiloBarraMenu : public QProxyStyle {
public:
    QSize sizeFromContents(ContentsType tipo, const QStyleOption* opcion, const QSize& contenido,
                           const QWidget* widget) const override {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(opcion);
        if (tipo != CT_MenuBarItem || item == nullptr || item->icon.isNull())
            return QProxyStyle::sizeFromContents(tipo, opcion, contenido, widget);
        const QSize texto = item->fontMetrics.size(Qt::TextShowMnemonic, item->text);
        const QSize ambos(TBarraMenuIconos::LadoIcono + TBarraMenuIconos::Separacion +
                              texto.width(),
                          qMax(TBarraMenuIconos::LadoIcono, texto.height()));
        return QProxyStyle::sizeFromContents(tipo, opcion, ambos, widget);
    }
};
} // namespace

TBarraMenuIconos::TBarraMenuIconos(QWidget* parent) : QMenuBar(parent) {
    // A widget with a style of its own follows the application's style sheet
    // only when it has a style sheet itself, even one without rules; the
    // sheet set later at start-up then reaches this bar too.
    setStyleSheet(QStringLiteral("/* la hoja de estilo de la aplicacion */"));
    auto* estilo = new TEstiloBarraMenu;
    estilo->setParent(this);
    setStyle(estilo);
}

void TBarraMenuIconos::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    QRegion vacia(rect());
    for (QAction* accion : actions()) {
        const QRect r = actionGeometry(accion);
        if (r.isEmpty() || !accion->isVisible())
            continue;
        vacia -= r;
        if (!e->rect().intersects(r))
            continue;
        QStyleOptionMenuItem opcion;
        initStyleOption(&opcion, accion);
        opcion.rect = r;
        const QIcon icono = opcion.icon;
        const QString texto = opcion.text;
        // The style paints the item's background and selection only.
        opcion.icon = QIcon();
        opcion.text.clear();
        p.setClipRect(r);
        style()->drawControl(QStyle::CE_MenuBarItem, &opcion, &p, this);

        const bool activo = opcion.state & QStyle::State_Enabled;
        QRect resto = r;
        if (!icono.isNull()) {
            const int libre = r.width() - LadoIcono - Separacion -
                              opcion.fontMetrics.size(Qt::TextShowMnemonic, texto).width();
            const QRect ri(r.left() + libre / 2, r.center().y() - LadoIcono / 2 + 1, LadoIcono,
                           LadoIcono);
            icono.paint(&p, ri, Qt::AlignCenter, activo ? QIcon::Normal : QIcon::Disabled);
            resto.setLeft(ri.right() + 1 + Separacion);
            resto.setRight(r.right() - libre / 2);
        }
        int alineacion =
            Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextDontClip | Qt::TextSingleLine;
        if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &opcion, this))
            alineacion |= Qt::TextHideMnemonic;
        style()->drawItemText(&p, resto, alineacion, opcion.palette, activo, texto,
                              QPalette::ButtonText);
    }
    if (const int fw = style()->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, this)) {
        QRegion borde;
        borde += QRect(0, 0, fw, height());
        borde += QRect(width() - fw, 0, fw, height());
        borde += QRect(0, 0, width(), fw);
        borde += QRect(0, height() - fw, width(), fw);
        p.setClipRegion(borde);
        vacia -= borde;
        QStyleOptionFrame marco;
        marco.rect = rect();
        marco.palette = palette();
        marco.state = QStyle::State_None;
        marco.lineWidth = fw;
        marco.midLineWidth = 0;
        style()->drawPrimitive(QStyle::PE_PanelMenuBar, &marco, &p, this);
    }
    p.setClipRegion(vacia);
    QStyleOptionMenuItem fondo;
    fondo.palette = palette();
    fondo.state = QStyle::State_None;
    fondo.menuItemType = QStyleOptionMenuItem::EmptyArea;
    fondo.checkType = QStyleOptionMenuItem::NotCheckable;
    fondo.rect = rect();
    fondo.menuRect = rect();
    style()->drawControl(QStyle::CE_MenuBarEmptyArea, &fondo, &p, this);
}
