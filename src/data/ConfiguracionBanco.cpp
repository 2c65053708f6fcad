#include "ConfiguracionBanco.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringList>

#include <optional>

namespace {

// The file's text: UTF-8 (with or without its mark), or Windows-1252 when it
// is not valid UTF-8, as an editor of the system's own code page saves it.
QString textoDe(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString texto = utf8.decode(bytes);
    if (!utf8.hasError())
        return texto.startsWith(QChar(0xFEFF)) ? texto.mid(1) : texto;
    QStringDecoder cp1252("windows-1252");
    return cp1252.isValid() ? QString(cp1252.decode(bytes)) : texto;
}

// Values of the section as the system's profile files hold them: the whole
// rest of the line after the first "=", blanks trimmed and one pair of
// enclosing quotes removed. A comma, a semicolon or a backslash inside a value
// is part of it (a bank's name such as "CAJA RURAL, S.C.C." is one value).
// Section and key names are matched without regard to case; the first
// occurrence counts.
std::optional<QString> valorPerfil(const QString& texto, const QString& seccion,
                                   const QString& clave) {
    bool enSeccion = false;
    for (const QString& bruta : texto.split(QChar(u'\n'))) {
        const QString linea = bruta.trimmed();
        if (linea.startsWith(u'[')) {
            const qsizetype cierre = linea.indexOf(u']');
            const QString nombre = linea.mid(1, cierre < 0 ? -1 : cierre - 1).trimmed();
            enSeccion = nombre.compare(seccion, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!enSeccion || linea.startsWith(u';'))
            continue;
        const qsizetype igual = linea.indexOf(u'=');
        if (igual < 0 || linea.left(igual).trimmed().compare(clave, Qt::CaseInsensitive) != 0)
            continue;
        QString valor = linea.mid(igual + 1).trimmed();
        if (valor.size() >= 2 && valor.startsWith(u'"') && valor.endsWith(u'"'))
            valor = valor.mid(1, valor.size() - 2).trimmed();
        return valor;
    }
    return std::nullopt;
}

} // namespace

tConfiguracionBanco leeConfiguracionBanco(const tInstalacion& instalacion) {
    QString texto;
    QFile f(instalacion.ficheros.ficheroConfiguracion);
    if (f.open(QIODevice::ReadOnly))
        texto = textoDe(f.readAll());
    const QString seccion = QStringLiteral("BANCO");
    tConfiguracionBanco banco;
    // A blank name would leave the letter without its addressee.
    const QString nombre =
        valorPerfil(texto, seccion, QStringLiteral("Nombre")).value_or(QString());
    banco.Nombre = nombre.isEmpty() ? ConfiguracionBanco::NombrePorDefecto : nombre;
    banco.Web = valorPerfil(texto, seccion, QStringLiteral("Web"))
                    .value_or(ConfiguracionBanco::WebPorDefecto);
    return banco;
}
