#include "DialogosSistema.h"

#include "EstadoPrograma.h"
#include "GuionDialogos.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

DialogosSistema::DialogosSistema(const tEstadoPrograma& estado, QWidget* parent)
    : estado_(estado), parent_(parent) {}

QString DialogosSistema::guardarComo(const QString& filtro, const QString& extension) const {
    if (TGuionDialogos* guion = estado_.guion)
        return guion->siguienteRutaGuardar();
    QFileDialog dlg(parent_);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setNameFilter(filtro);
    dlg.setDefaultSuffix(extension);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().first();
}

QString DialogosSistema::abrirFichero(const QString& titulo, const QString& carpeta) const {
    if (TGuionDialogos* guion = estado_.guion)
        return guion->siguienteRutaAbrir();
    QFileDialog dlg(parent_, titulo, carpeta);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().first();
}

bool DialogosSistema::imprime(QTextDocument& documento, const QString& titulo) const {
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setDocName(titulo);
    if (TGuionDialogos* guion = estado_.guion) {
        guion->titulosImpresos.append(titulo);
        if (guion->rutaPdf.isEmpty())
            return false;
        impresora.setOutputFormat(QPrinter::PdfFormat);
        impresora.setOutputFileName(guion->rutaPdf);
        documento.setMetaInformation(QTextDocument::DocumentTitle, titulo);
        documento.print(&impresora);
        return true;
    }
    QPrintDialog dlg(&impresora, parent_);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    documento.print(&impresora);
    return true;
}

bool DialogosSistema::abreDireccion(const QUrl& direccion) const {
    if (TGuionDialogos* guion = estado_.guion) {
        guion->direcciones.append(direccion.toString());
        return true;
    }
    return QDesktopServices::openUrl(direccion);
}
