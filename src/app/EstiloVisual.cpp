#include "EstiloVisual.h"

#include <QFile>
#include <QRegularExpression>

std::optional<tEstiloVisual> leeEstiloVisual(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString texto = QString::fromUtf8(f.read(1024 * 1024));
    static const QRegularExpression cabecera(
        QStringLiteral(R"(\A/\*\s*Style:\s*([^*\r\n]*?)\s*\*/)"));
    const QRegularExpressionMatch m = cabecera.match(texto);
    if (!m.hasMatch() || m.captured(1).isEmpty())
        return std::nullopt;
    return tEstiloVisual{m.captured(1), texto};
}
