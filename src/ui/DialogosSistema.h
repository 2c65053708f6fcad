#pragma once
// The system dialogs and services a window may call: save-file dialog,
// printing, opening an address with its default handler. Built on the spot
// like CajaMensajes:
//     DialogosSistema(dm_.estado(), this).guardarComo(filtro, extension);
// With a test script in the state (tEstadoPrograma::guion, see
// GuionDialogos.h) nothing modal opens and nothing leaves the program.

#include <QString>
#include <QUrl>

class QWidget;
class QTextDocument;
struct tEstadoPrograma;

class DialogosSistema {
public:
    DialogosSistema(const tEstadoPrograma& estado, QWidget* parent);

    // Save-file dialog; empty when cancelled.
    QString guardarComo(const QString& filtro, const QString& extension) const;
    // Open-file dialog starting in `carpeta`; empty when cancelled.
    QString abrirFichero(const QString& titulo, const QString& carpeta) const;
    // Printer set-up dialog, then prints the document under the given title;
    // false when cancelled.
    bool imprime(QTextDocument& documento, const QString& titulo) const;
    // Opens an address with the system's default handler.
    bool abreDireccion(const QUrl& direccion) const;

private:
    const tEstadoPrograma& estado_;
    QWidget* parent_;
};
