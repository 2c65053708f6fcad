#include "LineaLectura.h"

#include "CodigosTalon.h"
#include "DigitosControl.h"
#include "ImagenesTalon.h"
#include "Importes.h"
#include "Textos.h"
#include "TiposDocumento.h"
#include "ValidacionTalon.h"

namespace {

// 0-based start of the 11-character amount field in the cleaned line.
qsizetype inicioImporte(VarianteLectura variante, bool lecturaErronea) {
    switch (variante) {
    case VarianteLectura::Normal:
        return lecturaErronea ? 22 : 29;
    case VarianteLectura::SAFE:
        return 26;
    case VarianteLectura::Excella:
        return 30;
    }
    return 29;
}

bool esLecturaErronea(const QString& linea, VarianteLectura variante) {
    if (!linea.startsWith(u'+'))
        return true;
    return variante != VarianteLectura::Excella && linea.contains(u'?');
}

// The Excella reader keeps a fixed window of the line; an unreadable digit
// still takes its place as "0".
QString preparaExcella(const QString& linea, bool lecturaErronea) {
    if (!lecturaErronea)
        return linea.mid(1, 100);
    QString texto = linea.mid(4, 100);
    texto.replace(u'?', u'0');
    return texto;
}

} // namespace

tLineaDecodificada decodificaLinea(const QString& linea, VarianteLectura variante,
                                   bool conImagenFrontal) {
    tLineaDecodificada d;
    d.lecturaErronea = esLecturaErronea(linea, variante);
    const QString limpia = limpiaLineaLectura(
        variante == VarianteLectura::Excella ? preparaExcella(linea, d.lecturaErronea) : linea);

    QString numero = limpia.mid(0, 7);
    if (variante == VarianteLectura::Excella)
        numero.replace(u' ', u'0');
    numero = rellenaCadena(numero, QStringLiteral("0"), 7, false);

    const QString entidad = limpia.mid(7, 4);
    const QString oficina = limpia.mid(11, 4);
    const QString numeroCuenta = limpia.mid(15, 10);

    tTalon& t = d.talon;
    QString numeroModelo;
    if (d.lecturaErronea) {
        t.Modelo_Talon = QStringLiteral("6");
        numeroModelo = QStringLiteral("9999");
    } else {
        numeroModelo = limpia.mid(25, 4);
        t.Modelo_Talon = modeloDeTipoDocumento(numeroModelo);
    }
    const QString importe = limpia.mid(inicioImporte(variante, d.lecturaErronea), 11);

    t.FechaPago.clear();
    t.indicador = 0;
    t.Nuevo = true;
    const QString digitosCuenta =
        calculaDigitosControlCCC(entidad + oficina + QStringLiteral("00") + numeroCuenta);
    t.Cuenta = entidad + oficina + digitosCuenta + numeroCuenta;
    t.numero_Modelo = numeroModelo + u'-' + digitoControlModulo7(numeroModelo);
    t.Numero = numero + u'-' + digitoControlModulo7(t.numero_Modelo.left(4) + numero);
    // A field cut short by the end of the line is a misread amount, not a
    // smaller one: it must never reach the bank as a correct cheque.
    t.Importe = importe.size() == 11 ? tImporte::leeCentimos(importe) : std::nullopt;
    const bool importeLeido = t.Importe.has_value();

    // A model the reader could not tell ("5"), the bad-read type ("6"), an
    // account whose control digits could not be computed and a number that
    // is not seven digits must all be completed by the operator before the
    // cheque can go out.
    const bool incompleto = d.lecturaErronea || !importeLeido ||
                            tipoConVencimiento(t.numero_Modelo) || t.Modelo_Talon == u"5" ||
                            t.Modelo_Talon == u"6" || digitosCuenta == u"??" || !esNumerico(numero);
    // What the editor would refuse to save as correct must not reach the bank
    // unseen either. No due date is asked (those types are already
    // incomplete) and duplicates are the tables' business.
    tContextoValidacion contexto;
    contexto.existeImagenFrontal = conImagenFrontal;
    QString motivo;
    const bool valido = !incompleto && validaTalon(t, motivo, contexto);
    t.Estado = valido ? Estado::Correcto : Estado::Incompleto;

    const qsizetype marca = limpia.indexOf(u'¬');
    d.tieneSecuencia = marca >= 0;
    if (d.tieneSecuencia)
        d.secuencia = limpia.mid(marca + 1);
    d.baseImagen = baseImagenTalon(t);
    return d;
}

void marcaDuplicado(tLineaDecodificada& decodificada) {
    decodificada.talon.Estado = Estado::Duplicado;
}
