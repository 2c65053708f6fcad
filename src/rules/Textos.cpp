#include "Textos.h"

#include "Numeros.h"

#include <QHash>
#include <QSet>

namespace {

// Symbols that the name cleaning turns into "?".
const QString simbolosNombre = QStringLiteral(
    ";!#&*•·=<>@[\\]^_`|{}~€ƒ„…†‡‰Š‹ŒŽ‘’“˜™š›œŸž¡¢£¤¥¦§¨©ª«¬¯°±²ˆ³´µ¸¶¹º»¼½¾¿ÆÐ×ØÝÞß÷øýþÿæ$%");

// Symbols that the read-line cleaning removes (besides "-", blanks, letters).
const QString simbolosLinea = QStringLiteral(
    "Çç;'!#&*•+·=<>@[\\]^_?`|{}~€ƒ„…†‡‰Š‹ŒŽ‘’“˜™š›œŸž¡¢£¤¥¦§¨©ª«¯°±²ˆ³´µ¸¶¹º»¼½¾¿ÆÐ×ØÝÞß÷øýþÿæ$%");

// The cleaning matches without regard to letter case in the single-byte code
// page: a listed character also matches its other case when that case exists
// there (so "ð" matches "Ð", while "µ" does not match the Greek capital mu).
void anadeSinMayusculas(QHash<QChar, QString>& mapa, QChar c, const QString& sustituto) {
    mapa.insert(c, sustituto);
    for (QChar otro : {c.toLower(), c.toUpper()})
        if (otro.unicode() < 0x100 && !mapa.contains(otro))
            mapa.insert(otro, sustituto);
}

QHash<QChar, QString> construyeMapaNormaliza() {
    QHash<QChar, QString> mapa;
    const struct {
        const char16_t* letras;
        const char16_t* sustituto;
    } grupos[] = {{u"ÁÀÄÃÅ", u"A"}, {u"ÊÉÈË", u"E"}, {u"ÍÏÌÎ", u"I"},
                  {u"ÔÖÓÒÕ", u"O"}, {u"ÚÙÜÛ", u"U"}, {u"ñÑ", u"N"},
                  {u"Çç", u"C"},    {u"\"", u"? "},  {u"'", u" "}};
    for (const auto& g : grupos)
        for (QChar c : QString::fromUtf16(g.letras))
            anadeSinMayusculas(mapa, c, QString::fromUtf16(g.sustituto));
    for (QChar c : simbolosNombre)
        anadeSinMayusculas(mapa, c, QStringLiteral("?"));
    return mapa;
}

QSet<QChar> construyeEliminadosLinea() {
    QHash<QChar, QString> mapa;
    for (QChar c : simbolosLinea)
        anadeSinMayusculas(mapa, c, QString());
    QSet<QChar> eliminados;
    for (auto it = mapa.cbegin(); it != mapa.cend(); ++it)
        eliminados.insert(it.key());
    return eliminados;
}

} // namespace

QString rellenaCadena(const QString& texto, const QString& relleno, int longitud, bool aLaDerecha) {
    // An empty pad would never lengthen the text: answer it as it is rather
    // than loop for ever.
    if (relleno.isEmpty() || texto.size() >= longitud)
        return texto;
    // Whole copies of the pad until the length is reached, built at once:
    // the bank records pad every field of every cheque.
    const qsizetype copias = (longitud - texto.size() + relleno.size() - 1) / relleno.size();
    const QString pad = relleno.repeated(copias);
    return aLaDerecha ? texto + pad : pad + texto;
}

bool esNumerico(const QString& texto) {
    return sonDigitos(texto);
}

QString normalizaTexto(const QString& texto) {
    static const QHash<QChar, QString> mapa = construyeMapaNormaliza();
    QString resultado;
    resultado.reserve(texto.size());
    for (QChar c : texto) {
        const auto it = mapa.constFind(c);
        if (it == mapa.cend())
            resultado += c;
        else
            resultado += *it;
    }
    return resultado;
}

QString limpiaLineaLectura(const QString& linea) {
    static const QSet<QChar> eliminados = construyeEliminadosLinea();
    // One pass gives the same result as the five replace-all steps in order:
    // each step removes or replaces single characters, and the only
    // characters made (blanks from double quotes) come after blank removal.
    QString resultado;
    resultado.reserve(linea.size());
    for (QChar c : linea) {
        const char16_t u = c.unicode();
        if (u == u'-' || u == u' ')
            continue;
        if (u == u'"') {
            resultado += u' ';
            continue;
        }
        if ((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || eliminados.contains(c))
            continue;
        resultado += c;
    }
    return resultado;
}

void limpiaRegistroOrdenante(tOrdenantes& ordenante) {
    ordenante.Nif_Sufijo.clear();
    ordenante.Nombre_ordenante.clear();
    ordenante.Cuenta.clear();
}

void limpiaNombreRemesa(tRemesas& remesa) {
    remesa.Nombre_Remesa.clear();
}
