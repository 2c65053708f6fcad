#include "DialogosSistema.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <optional>

namespace {
struct tGuion {
    std::optional<QString> rutaGuardar;
    QString rutaPdf;
    bool grabando = false;
    QString ultimaDireccion;
    QString ultimoTitulo;
};
tGuion& guion() {
    static tGuion g;
    return g;
}
} // namespace

QString DialogosSistema::guardarComo(QWidget* parent, const QString& filtro,
                                     const QString& extension) {
    if (guion().rutaGuardar) {
        QString r = *guion().rutaGuardar;
        guion().rutaGuardar.reset();
        return r;
    }
    QFileDialog dlg(parent);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setNameFilter(filtro);
    dlg.setDefaultSuffix(extension);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().first();
}

bool DialogosSistema::imprime(QWidget* parent, QTextDocument& documento, const QString& titulo) {
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setDocName(titulo);
    guion().ultimoTitulo = titulo;
    if (!guion().rutaPdf.isEmpty()) {
        impresora.setOutputFormat(QPrinter::PdfFormat);
        impresora.setOutputFileName(guion().rutaPdf);
        documento.setMetaInformation(QTextDocument::DocumentTitle, titulo);
        documento.print(&impresora);
        return true;
    }
    QPrintDialog dlg(&impresora, parent);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    documento.print(&impresora);
    return true;
}

bool DialogosSistema::abreDireccion(const QUrl& direccion) {
    guion().ultimaDireccion = direccion.toString();
    if (guion().grabando)
        return true;
    return QDesktopServices::openUrl(direccion);
}

void DialogosSistema::fijaSiguienteRutaGuardar(const QString& ruta) {
    guion().rutaGuardar = ruta;
}
void DialogosSistema::fijaImpresionAPdf(const QString& rutaPdf) {
    guion().rutaPdf = rutaPdf;
}
void DialogosSistema::activaGrabacion() {
    guion().grabando = true;
}
QString DialogosSistema::ultimaDireccion() {
    return guion().ultimaDireccion;
}
QString DialogosSistema::ultimoTituloImpreso() {
    return guion().ultimoTitulo;
}
void DialogosSistema::restablece() {
    guion() = tGuion{};
}
