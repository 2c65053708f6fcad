#include "FicheroPerfil.h"

#include "ErrorOperacion.h"
#include "FicherosTexto.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>

// Byte strings only: the text is decoded and encoded here, with Qt.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

namespace {

enum class Codificacion { Utf8, Utf8ConMarca, Windows1252 };

const QByteArray MarcaUtf8("\xEF\xBB\xBF");

bool esComentario(const QString& linea) {
    return linea.startsWith(u';') || linea.startsWith(u'#');
}

// The comment lines after the last section or key of the file. The profile
// library ties a comment to the entry that follows it, so these would be
// lost; they are put back at the end when the file is written.
QStringList comentariosFinales(const QString& texto) {
    QStringList finales;
    for (const QString& bruta : texto.split(u'\n')) {
        const QString linea = bruta.trimmed();
        if (esComentario(linea))
            finales << linea;
        else if (linea.startsWith(u'[') || linea.contains(u'='))
            finales.clear();
    }
    return finales;
}

} // namespace

struct TFicheroPerfil::Datos {
    // Case-insensitive names; duplicate keys kept so that the first one
    // counts on reading, as Windows reads them.
    CSimpleIniA ini{false, true, false};
    Codificacion codificacion = Codificacion::Utf8;
    QStringList comentariosFinales;
};

TFicheroPerfil::TFicheroPerfil(const QString& ruta) : ruta_(ruta), d_(std::make_unique<Datos>()) {
    d_->ini.SetQuotes(true);
    d_->ini.SetSpaces(false);
    QFile f(ruta_);
    if (!f.open(QIODevice::ReadOnly))
        return;
    QByteArray bytes = f.readAll();
    QString texto;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    texto = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (bytes.startsWith(MarcaUtf8)) {
            d_->codificacion = Codificacion::Utf8ConMarca;
            texto = texto.mid(1);
        }
    } else {
        QStringDecoder cp1252("windows-1252");
        if (cp1252.isValid()) {
            texto = cp1252.decode(bytes);
            d_->codificacion = Codificacion::Windows1252;
        }
    }
    // A NUL byte would end the library's reading of a line: such a file is
    // garbage anyway, and a blank keeps the rest readable.
    texto.replace(QChar(0), u' ');
    d_->comentariosFinales = comentariosFinales(texto);
    const QByteArray datos = texto.toUtf8();
    if (d_->ini.LoadData(datos.constData(), static_cast<size_t>(datos.size())) < 0)
        d_->ini.Reset();
}

TFicheroPerfil::~TFicheroPerfil() = default;

std::optional<QString> TFicheroPerfil::valor(const QString& seccion, const QString& clave) const {
    const char* v = d_->ini.GetValue(seccion.toUtf8().constData(), clave.toUtf8().constData());
    if (!v)
        return std::nullopt;
    return QString::fromUtf8(v);
}

QString TFicheroPerfil::texto(const QString& seccion, const QString& clave,
                              const QString& porDefecto) const {
    return valor(seccion, clave).value_or(porDefecto);
}

std::optional<int> TFicheroPerfil::leeEntero(const QString& valor) {
    const QString v = valor.trimmed();
    qsizetype fin = v.startsWith(u'-') || v.startsWith(u'+') ? 1 : 0;
    const qsizetype inicioDigitos = fin;
    while (fin < v.size() && v.at(fin) >= u'0' && v.at(fin) <= u'9')
        ++fin;
    if (fin == inicioDigitos)
        return std::nullopt;
    bool ok = false;
    const int n = v.left(fin).toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

int TFicheroPerfil::entero(const QString& seccion, const QString& clave, int porDefecto) const {
    const auto v = valor(seccion, clave);
    return v ? leeEntero(*v).value_or(porDefecto) : porDefecto;
}

bool TFicheroPerfil::booleano(const QString& seccion, const QString& clave, bool porDefecto) const {
    const auto v = valor(seccion, clave);
    const auto n = v ? leeEntero(*v) : std::nullopt;
    return n ? *n != 0 : porDefecto;
}

void TFicheroPerfil::fija(const QString& seccion, const QString& clave, const QString& valor) {
    // Replacing drops every duplicate of the key and writes it with the
    // caller's spelling.
    d_->ini.SetValue(seccion.toUtf8().constData(), clave.toUtf8().constData(),
                     valor.toUtf8().constData(), nullptr, true);
}

void TFicheroPerfil::fijaEntero(const QString& seccion, const QString& clave, int valor) {
    fija(seccion, clave, QString::number(valor));
}

void TFicheroPerfil::fijaBooleano(const QString& seccion, const QString& clave, bool valor) {
    fija(seccion, clave, valor ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TFicheroPerfil::guarda(QString& error) const {
    std::string salida;
    if (d_->ini.Save(salida) < 0) {
        error = QStringLiteral("No se pudo preparar el fichero %1.").arg(ruta_);
        return false;
    }
    QString texto = QString::fromUtf8(salida.data(), static_cast<qsizetype>(salida.size()));
    for (const QString& comentario : d_->comentariosFinales)
        texto += comentario + u'\n';
    texto.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));

    QByteArray bytes;
    switch (d_->codificacion) {
    case Codificacion::Utf8ConMarca:
        bytes = MarcaUtf8 + texto.toUtf8();
        break;
    case Codificacion::Windows1252:
        try {
            bytes = textoCp1252(texto);
        } catch (const TErrorOperacion& e) {
            error = QStringLiteral("No se pudo guardar el fichero %1: %2").arg(ruta_, e.texto());
            return false;
        }
        break;
    case Codificacion::Utf8:
        bytes = texto.toUtf8();
        break;
    }

    QSaveFile f(ruta_);
    QString paso = QStringLiteral("no se pudo crear");
    if (f.open(QIODevice::WriteOnly)) {
        paso = QStringLiteral("no se pudo escribir");
        if (f.write(bytes) == bytes.size()) {
            paso = QStringLiteral("no se pudo sustituir el fichero anterior");
            if (f.commit())
                return true;
        }
    }
    // The system's own words follow, for support.
    error = QStringLiteral("No se pudo guardar el fichero %1: %2 (%3).")
                .arg(ruta_, paso, f.errorString());
    return false;
}
