#pragma once
// A menu bar whose items show their icon beside the caption. Styles draw a
// menu bar item that has an icon as the icon alone, which would hide the
// caption and its access key: this bar sizes each item for both and paints
// the icon, then the caption with its underlined access key, over the item
// background that the active style (or style sheet) draws.

#include <QMenuBar>

class TBarraMenuIconos : public QMenuBar {
    Q_OBJECT
public:
    static constexpr int LadoIcono = 24;
    static constexpr int Separacion = 5;

    explicit TBarraMenuIconos(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;
};
