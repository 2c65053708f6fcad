#include "Accesibilidad.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

// Marks a widget as a help text, for faltas().
const char* const PropiedadAyuda = "teskoraAyuda";

// The controls a screen reader stops on; parts of other controls (the line
// edit and the drop-down list of a combo box, the field of a spin box, the
// headers and corner button of a list) are said by them.
bool esControl(const QWidget* w) {
    if (w->objectName().startsWith(QStringLiteral("qt_"))) // Qt's own inner parts
        return false;
    for (const QWidget* padre = w->parentWidget(); padre != nullptr; padre = padre->parentWidget())
        if (qobject_cast<const QComboBox*>(padre) != nullptr ||
            qobject_cast<const QAbstractSpinBox*>(padre) != nullptr)
            return false;
    // The corner button of a table (Qt's "select all", hidden with the row
    // header) is said by the table like its headers.
    if (qobject_cast<const QHeaderView*>(w) != nullptr || w->inherits("QTableCornerButton"))
        return false;
    return qobject_cast<const QAbstractButton*>(w) != nullptr ||
           qobject_cast<const QLineEdit*>(w) != nullptr ||
           qobject_cast<const QComboBox*>(w) != nullptr ||
           qobject_cast<const QAbstractItemView*>(w) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(w) != nullptr ||
           qobject_cast<const QTextEdit*>(w) != nullptr ||
           qobject_cast<const QPlainTextEdit*>(w) != nullptr;
}

QString descripcion(const QWidget* w) {
    QString d = QString::fromLatin1(w->metaObject()->className());
    if (!w->objectName().isEmpty())
        d += u' ' + w->objectName();
    if (const auto* b = qobject_cast<const QAbstractButton*>(w))
        d += QStringLiteral(" \"%1\"").arg(b->text());
    return d;
}

bool tieneMarca(const QString& nombre) {
    return QString(nombre).remove(QStringLiteral("&&")).contains(u'&');
}

} // namespace

namespace Accesibilidad {

QString textoSinMarcas(const QString& caption) {
    QString dicho;
    dicho.reserve(caption.size());
    for (int i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&' && i + 1 < caption.size()) {
            ++i; // the mark goes; a second "&" after it is kept
            dicho += caption.at(i);
        } else if (caption.at(i) != u'&') {
            dicho += caption.at(i);
        }
    }
    return dicho.trimmed();
}

void etiqueta(QLabel* etiqueta, QWidget* control) {
    etiqueta->setBuddy(control);
}

void textoAyuda(QWidget* ayuda, const QString& nombre) {
    ayuda->setProperty(PropiedadAyuda, true);
    ayuda->setFocusPolicy(Qt::NoFocus);
    ayuda->setAccessibleName(nombre);
    if (const auto* area = qobject_cast<QAbstractScrollArea*>(ayuda))
        area->viewport()->setFocusPolicy(Qt::NoFocus);
}

void hazAccesible(QWidget* ventana) {
    for (QAbstractButton* b : ventana->findChildren<QAbstractButton*>())
        if (b->accessibleName().isEmpty() && !b->text().isEmpty())
            b->setAccessibleName(textoSinMarcas(b->text()));
}

QStringList faltas(const QWidget* ventana) {
    QStringList r;
    for (QWidget* w : ventana->findChildren<QWidget*>()) {
        if (w->property(PropiedadAyuda).toBool()) {
            const auto* area = qobject_cast<QAbstractScrollArea*>(w);
            if (w->focusPolicy() != Qt::NoFocus ||
                (area != nullptr && area->viewport()->focusPolicy() != Qt::NoFocus))
                r << descripcion(w) + QStringLiteral(": texto de ayuda que toma el foco");
        }
        if (!esControl(w))
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        const QString nombre = a != nullptr ? a->text(QAccessible::Name) : QString();
        if (nombre.trimmed().isEmpty())
            r << descripcion(w) + QStringLiteral(": sin nombre");
        else if (tieneMarca(nombre))
            r << descripcion(w) + QStringLiteral(": nombre con marca \"%1\"").arg(nombre);
    }
    return r;
}

} // namespace Accesibilidad
