#include "MotivoFallo.h"

QString motivoFallo(const QString& textoSistema) {
    const auto contiene = [&textoSistema](const char* t) {
        return textoSistema.contains(QLatin1String(t), Qt::CaseInsensitive);
    };
    QString motivo;
    if (contiene("No space") || contiene("full") || contiene("too large"))
        motivo = QStringLiteral("el disco está lleno");
    else if (contiene("Permission") || contiene("Read-only") || contiene("readonly") ||
             contiene("read only"))
        motivo = QStringLiteral("no se puede escribir en ella (solo lectura o sin permiso)");
    else if (contiene("I/O error") || contiene("Input/output"))
        motivo =
            QStringLiteral("error de escritura en el disco (puede estar lleno o desconectado)");
    else if (contiene("No such file"))
        motivo = QStringLiteral("la carpeta no existe o no está disponible");
    else
        return textoSistema;
    return QStringLiteral("%1 (%2)").arg(motivo, textoSistema);
}
