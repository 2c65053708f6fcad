#pragma once
// How a window's help box shows its lines on screen, for the window tests:
// each line the help text holds should be one line on screen at the
// window's size, and only a line that does not fit may wrap.

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>

// The number of screen lines of each line of the help text.
inline QList<int> lineasEnPantalla(const QPlainTextEdit& ayuda) {
    QList<int> n;
    for (QTextBlock b = ayuda.document()->begin(); b.isValid(); b = b.next())
        n << b.layout()->lineCount();
    return n;
}

// Every line of the help text is one line on screen and all of them are in
// sight, with nothing to scroll.
inline bool ayudaSinPartir(const QPlainTextEdit& ayuda) {
    const QList<int> n = lineasEnPantalla(ayuda);
    return std::all_of(n.begin(), n.end(), [](int l) { return l == 1; }) &&
           ayuda.verticalScrollBar()->maximum() == 0;
}

// Some line of the help text wraps on screen.
inline bool ayudaPartida(const QPlainTextEdit& ayuda) {
    const QList<int> n = lineasEnPantalla(ayuda);
    return std::any_of(n.begin(), n.end(), [](int l) { return l > 1; });
}
