#pragma once
// The system dialogs and services a window may call: save-file dialog,
// printing, opening an address with its default handler. Tests script them
// (in the manner of the message-box hook) so that nothing modal ever opens.

#include <QString>
#include <QUrl>

class QWidget;
class QTextDocument;

class DialogosSistema {
public:
    // Save-file dialog; empty when cancelled.
    static QString guardarComo(QWidget* parent, const QString& filtro, const QString& extension);
    // Printer set-up dialog, then prints the document under the given title.
    static bool imprime(QWidget* parent, QTextDocument& documento, const QString& titulo);
    // Opens an address with the system's default handler.
    static bool abreDireccion(const QUrl& direccion);

    // --- Test hooks ------------------------------------------------------
    // Next answer of the save dialog (an empty path = cancelled).
    static void fijaSiguienteRutaGuardar(const QString& ruta);
    // Printing goes to this PDF file without any dialog.
    static void fijaImpresionAPdf(const QString& rutaPdf);
    // Addresses are recorded instead of opened.
    static void activaGrabacion();
    static QString ultimaDireccion();
    static QString ultimoTituloImpreso();
    static void restablece();
};
