#include "FicheroPerfil.h"

#include "ErrorOperacion.h"

#include "EscrituraSegura.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

enum class Codificacion { Utf8, Utf8ConMarca, Utf16LE, Utf16BE, Windows1252 };

const QByteArray MarcaUtf8("\xEF\xBB\xBF");
const QByteArray MarcaUtf16LE("\xFF\xFE");
const QByteArray MarcaUtf16BE("\xFE\xFF");

QByteArray marca(Codificacion c) {
    switch (c) {
    case Codificacion::Utf8ConMarca:
        return MarcaUtf8;
    case Codificacion::Utf16LE:
        return MarcaUtf16LE;
    case Codificacion::Utf16BE:
        return MarcaUtf16BE;
    default:
        return {};
    }
}

// The text of the bytes that follow the mark, or nullopt when they are not
// text in that encoding: they must decode without error and encode back to
// the same bytes, so that writing the file back never changes a byte that
// was not meant to change.
std::optional<QString> decodifica(Codificacion c, QByteArrayView bytes) {
    // The mark is taken off before: a second one is text of the file.
    const auto flags =
        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;
    QStringDecoder decodificador;
    QStringEncoder codificador;
    switch (c) {
    case Codificacion::Utf8:
    case Codificacion::Utf8ConMarca:
        decodificador = QStringDecoder(QStringConverter::Utf8, flags);
        codificador = QStringEncoder(QStringConverter::Utf8, flags);
        break;
    case Codificacion::Utf16LE:
        decodificador = QStringDecoder(QStringConverter::Utf16LE, flags);
        codificador = QStringEncoder(QStringConverter::Utf16LE, flags);
        break;
    case Codificacion::Utf16BE:
        decodificador = QStringDecoder(QStringConverter::Utf16BE, flags);
        codificador = QStringEncoder(QStringConverter::Utf16BE, flags);
        break;
    case Codificacion::Windows1252:
        decodificador = QStringDecoder("windows-1252", flags);
        codificador = QStringEncoder("windows-1252", flags);
        break;
    }
    if (!decodificador.isValid() || !codificador.isValid())
        return std::nullopt;
    QString texto = decodificador.decode(bytes);
    if (decodificador.hasError())
        return std::nullopt;
    const QByteArray vuelta = codificador.encode(texto);
    if (codificador.hasError() || vuelta != bytes)
        return std::nullopt;
    return texto;
}

struct tTextoFichero {
    Codificacion codificacion = Codificacion::Utf8;
    QString texto;
    QString problema; // why the bytes are no text; empty when they are
};

// The encoding by the file's mark; without one, UTF-8 when the bytes are
// valid UTF-8 and Windows-1252 otherwise.
tTextoFichero leeTexto(const QByteArray& bytes) {
    tTextoFichero t;
    const struct {
        Codificacion codificacion;
        const char* nombre;
    } marcadas[] = {{Codificacion::Utf8ConMarca, "UTF-8"},
                    {Codificacion::Utf16LE, "UTF-16"},
                    {Codificacion::Utf16BE, "UTF-16"}};
    for (const auto& m : marcadas) {
        if (!bytes.startsWith(marca(m.codificacion)))
            continue;
        t.codificacion = m.codificacion;
        const auto texto =
            decodifica(m.codificacion, QByteArrayView(bytes).sliced(marca(m.codificacion).size()));
        if (texto)
            t.texto = *texto;
        else
            t.problema = QStringLiteral("empieza con la marca de %1 y no es texto %1 válido")
                             .arg(QLatin1String(m.nombre));
        return t;
    }
    if (const auto texto = decodifica(Codificacion::Utf8, bytes)) {
        t.texto = *texto;
        return t;
    }
    t.codificacion = Codificacion::Windows1252;
    if (const auto texto = decodifica(Codificacion::Windows1252, bytes))
        t.texto = *texto;
    else
        t.problema = QStringLiteral("no es texto en UTF-8 ni en Windows-1252");
    return t;
}

QByteArray codifica(Codificacion c, const QString& texto) {
    const auto flags = QStringConverter::Flag::Stateless;
    switch (c) {
    case Codificacion::Utf8:
    case Codificacion::Utf8ConMarca:
        return marca(c) + QStringEncoder(QStringConverter::Utf8, flags).encode(texto);
    case Codificacion::Utf16LE:
        return marca(c) + QStringEncoder(QStringConverter::Utf16LE, flags).encode(texto);
    case Codificacion::Utf16BE:
        return marca(c) + QStringEncoder(QStringConverter::Utf16BE, flags).encode(texto);
    case Codificacion::Windows1252:
        return QStringEncoder("windows-1252", flags).encode(texto);
    }
    return {};
}

enum class TipoLinea { Blanca, Comentario, Seccion, Clave, Otra };

struct tLinea {
    QString texto; // as read, or as written for a key set
    TipoLinea tipo = TipoLinea::Otra;
    QString nombre; // of the section or key
    QString valor;  // of the key, trimmed and without its quotes
};

tLinea analizaLinea(const QString& texto) {
    tLinea l;
    l.texto = texto;
    const QString t = texto.trimmed();
    if (t.isEmpty()) {
        l.tipo = TipoLinea::Blanca;
    } else if (t.startsWith(u';') || t.startsWith(u'#')) {
        l.tipo = TipoLinea::Comentario;
    } else if (t.startsWith(u'[') && t.contains(u']')) {
        l.tipo = TipoLinea::Seccion;
        l.nombre = t.mid(1, t.indexOf(u']') - 1).trimmed();
    } else if (const qsizetype igual = t.indexOf(u'='); igual > 0) {
        l.tipo = TipoLinea::Clave;
        l.nombre = t.left(igual).trimmed();
        l.valor = t.mid(igual + 1).trimmed();
        if (l.valor.size() >= 2 && l.valor.startsWith(u'"') && l.valor.endsWith(u'"'))
            l.valor = l.valor.mid(1, l.valor.size() - 2);
    }
    return l;
}

QList<tLinea> analizaTexto(const QString& texto) {
    QString unificado = texto;
    unificado.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QList<tLinea> lineas;
    if (unificado.isEmpty())
        return lineas;
    // A line end ends a line: none follows the last one.
    if (unificado.endsWith(u'\n'))
        unificado.chop(1);
    for (const QString& linea : unificado.split(u'\n'))
        lineas << analizaLinea(linea);
    return lineas;
}

bool mismoNombre(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool partiriaLinea(const QString& texto) {
    return texto.contains(u'\r') || texto.contains(u'\n') || texto.contains(QChar(0));
}

// The value as its line holds it: between quotes when reading would
// otherwise trim it or take off quotes of its own.
QString valorEscrito(const QString& valor) {
    const bool entreComillas = valor.size() >= 2 && valor.startsWith(u'"') && valor.endsWith(u'"');
    return valor.trimmed() != valor || entreComillas ? u'"' + valor + u'"' : valor;
}

// Why the file cannot hold this section, key and value; empty when it can.
QString rechazo(const QString& seccion, const QString& clave, const QString& valor) {
    const bool seccionValida = !seccion.isEmpty() && seccion.trimmed() == seccion &&
                               !seccion.contains(u']') && !partiriaLinea(seccion);
    const bool claveValida = !clave.isEmpty() && clave.trimmed() == clave &&
                             !clave.contains(u'=') && !clave.startsWith(u';') &&
                             !clave.startsWith(u'#') && !clave.startsWith(u'[') &&
                             !partiriaLinea(clave);
    if (!seccionValida || !claveValida)
        return QStringLiteral("la sección [%1] o la clave %2 no es un nombre válido")
            .arg(seccion, clave);
    if (partiriaLinea(valor))
        return QStringLiteral("el valor de %1 en la sección [%2] tiene un salto de línea o un "
                              "carácter nulo, que el fichero no puede guardar")
            .arg(clave, seccion);
    return {};
}

} // namespace

struct TFicheroPerfil::Datos {
    QList<tLinea> lineas;
    Codificacion codificacion = Codificacion::Utf8;
    QString problema;
    QString rechazo; // the first value refused by fija()
};

TFicheroPerfil::TFicheroPerfil(const QString& ruta) : ruta_(ruta), d_(std::make_unique<Datos>()) {
    QFile f(ruta_);
    if (!f.exists())
        return;
    const QString nombre = QDir::toNativeSeparators(ruta_);
    if (!f.open(QIODevice::ReadOnly)) {
        d_->problema =
            QStringLiteral("El fichero %1 no se puede leer (%2).").arg(nombre, f.errorString());
        return;
    }
    const tTextoFichero leido = leeTexto(f.readAll());
    QString problema = leido.problema;
    // UTF-16 without its mark, or no text at all.
    if (problema.isEmpty() && leido.texto.contains(QChar(0)))
        problema = QStringLiteral("tiene caracteres nulos: no es un fichero de texto");
    if (!problema.isEmpty()) {
        d_->problema = QStringLiteral("El fichero %1 no se puede leer: %2.").arg(nombre, problema);
        return;
    }
    d_->codificacion = leido.codificacion;
    d_->lineas = analizaTexto(leido.texto);
}

TFicheroPerfil::~TFicheroPerfil() = default;

const QString& TFicheroPerfil::problema() const {
    return d_->problema;
}

std::optional<QString> TFicheroPerfil::valor(const QString& seccion, const QString& clave) const {
    bool enSeccion = false;
    for (const tLinea& l : d_->lineas) {
        if (l.tipo == TipoLinea::Seccion)
            enSeccion = mismoNombre(l.nombre, seccion);
        else if (enSeccion && l.tipo == TipoLinea::Clave && mismoNombre(l.nombre, clave))
            return l.valor;
    }
    return std::nullopt;
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
    if (const QString r = rechazo(seccion, clave, valor); !r.isEmpty()) {
        if (d_->rechazo.isEmpty())
            d_->rechazo = r;
        return;
    }
    const tLinea nueva = analizaLinea(clave + u'=' + valorEscrito(valor));
    QList<tLinea>& lineas = d_->lineas;
    // The key's first line takes the new value (with the caller's spelling)
    // and its repetitions go; without one, the key goes after the last entry
    // of the section's first appearance.
    qsizetype reemplazada = -1;
    qsizetype hueco = -1;
    int apariciones = 0;
    bool enSeccion = false;
    for (qsizetype i = 0; i < lineas.size();) {
        const tLinea& l = lineas[i];
        if (l.tipo == TipoLinea::Seccion) {
            enSeccion = mismoNombre(l.nombre, seccion);
            if (enSeccion && ++apariciones == 1)
                hueco = i + 1;
        } else if (enSeccion && apariciones == 1 &&
                   (l.tipo == TipoLinea::Clave || l.tipo == TipoLinea::Otra)) {
            hueco = i + 1;
        }
        if (enSeccion && l.tipo == TipoLinea::Clave && mismoNombre(l.nombre, clave)) {
            if (reemplazada >= 0) {
                lineas.removeAt(i);
                continue;
            }
            lineas[i] = nueva;
            reemplazada = i;
        }
        ++i;
    }
    if (reemplazada >= 0)
        return;
    if (hueco >= 0) {
        lineas.insert(hueco, nueva);
        return;
    }
    if (!lineas.isEmpty() && lineas.last().tipo != TipoLinea::Blanca)
        lineas << analizaLinea(QString());
    lineas << analizaLinea(u'[' + seccion + u']') << nueva;
}

void TFicheroPerfil::fijaEntero(const QString& seccion, const QString& clave, int valor) {
    fija(seccion, clave, QString::number(valor));
}

void TFicheroPerfil::fijaBooleano(const QString& seccion, const QString& clave, bool valor) {
    fija(seccion, clave, valor ? QStringLiteral("1") : QStringLiteral("0"));
}

void TFicheroPerfil::guarda() const {
    const QString nombre = QDir::toNativeSeparators(ruta_);
    const auto falla = [&](const QString& motivo) {
        throw TErrorOperacion(
            QStringLiteral("No se pudo guardar el fichero %1: %2.").arg(nombre, motivo));
    };
    if (!d_->rechazo.isEmpty())
        falla(d_->rechazo);
    QString texto;
    for (const tLinea& l : d_->lineas)
        texto += l.texto + QStringLiteral("\r\n");

    // Whatever is written must read back as this same text.
    Codificacion codificacion = d_->codificacion;
    QByteArray bytes = codifica(codificacion, texto);
    tTextoFichero relectura = leeTexto(bytes);
    if (relectura.texto != texto && codificacion == Codificacion::Windows1252 &&
        decodifica(Codificacion::Windows1252, bytes) == texto) {
        // Windows-1252 bytes that are also UTF-8 of another text.
        codificacion = Codificacion::Utf8;
        bytes = codifica(codificacion, texto);
        relectura = leeTexto(bytes);
    }
    if (!relectura.problema.isEmpty() || relectura.texto != texto)
        falla(QStringLiteral("tiene caracteres que su codificación no puede guardar"));

    if (const auto motivo = escribeFicheroEntero(ruta_, bytes))
        falla(*motivo);
}
