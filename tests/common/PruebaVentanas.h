#pragma once
// The shared fixture of the window tests.
//
// The fixture object is a member of the test class; it builds a fresh
// installation (InstalacionPrueba, whose script `guion` answers every box
// and system dialog) in init() and throws everything away in cleanup(), so
// a failing test leaves nothing behind for the next one:
//
//     class TstVentana : public QObject {
//         Q_OBJECT
//         PruebaVentanas p;
//     private slots:
//         void init() { p.prepara(); }
//         void cleanup() { p.restablece(); }
//         void algo() {
//             TfrmVentana frm(*p->dm);                 // p-> is the installation
//             p->guion.fijaSiguienteRespuesta(CajaMensajes::PrimerBoton);
//             escribe(hijo<QLineEdit>(frm, "edtNombre"), "OTRA");
//             pulsa(hijo<QPushButton>(frm, "btnAceptar"));
//             QCOMPARE(p->guion.textos(), QStringList{"..."});
//         }
//     };
//
// Widgets are found by their object name (which also names them for screen
// readers), never through the window's member pointers.

#include "FicherosPrueba.h"
#include "InstalacionPrueba.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QtTest>

#include <memory>

// The child of `ventana` with that object name. A missing widget means the
// test no longer matches the window: the test program stops right there,
// naming the widget, instead of going on with a null pointer.
template <class T = QWidget> T* hijo(const QObject& ventana, const QString& nombre) {
    T* encontrado = ventana.findChild<T*>(nombre);
    if (!encontrado)
        qFatal("%s has no %s named \"%s\"", ventana.metaObject()->className(),
               T::staticMetaObject.className(), qPrintable(nombre));
    return encontrado;
}

// The control is on screen whole: visible, and neither its window's edges
// nor those of any widget it sits in cut it.
inline bool seVeEntero(const QWidget& control) {
    if (!control.isVisible())
        return false;
    for (const QWidget* w = &control; !w->isWindow() && w->parentWidget(); w = w->parentWidget())
        if (!w->parentWidget()->rect().contains(w->geometry()))
            return false;
    return true;
}

// Replaces the text of a field by typing, as the operator does: focus,
// select all, delete, type from the start (masked fields place the
// separators themselves).
inline void escribe(QLineEdit* campo, const QString& texto) {
    campo->setFocus();
    campo->selectAll();
    QTest::keyClick(campo, Qt::Key_Delete);
    campo->setCursorPosition(0);
    QTest::keyClicks(campo, texto);
}

// Clicks a button near its left edge, where a radio button or a check box
// has its mark; a disabled button fails the test (and is not clicked).
inline void pulsa(QAbstractButton* boton) {
    QVERIFY2(boton->isEnabled(), qPrintable(boton->objectName() + " " + boton->text()));
    QTest::mouseClick(boton, Qt::LeftButton, {},
                      QPoint(qMin(6, boton->width() / 2), boton->height() / 2));
}

// A small JPEG picture of one colour (a cheque image stand-in).
inline void escribeJpeg(const QString& ruta, QColor color) {
    QImage imagen(60, 28, QImage::Format_RGB32);
    imagen.fill(color);
    QVERIFY2(imagen.save(ruta, "JPG"), qPrintable(ruta));
}

class PruebaVentanas {
public:
    // init(): a fresh installation; `preparar` as in InstalacionPrueba.
    void prepara(bool preparar = true) {
        instalacion_ = std::make_unique<InstalacionPrueba>(preparar);
    }

    // cleanup(): closes and deletes every window a test left open (a
    // failing check may leave one on screen), then drops the installation
    // with its script and scripted operator.
    void restablece() {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        instalacion_.reset();
    }

    InstalacionPrueba* operator->() const { return instalacion_.get(); }
    InstalacionPrueba& operator*() const { return *instalacion_; }

private:
    std::unique_ptr<InstalacionPrueba> instalacion_;
};
