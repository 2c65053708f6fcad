#include "VerificacionFicheroBanco.h"

#include "DigitosControl.h"
#include "ErrorOperacion.h"
#include "Iban.h"
#include "Importes.h"
#include "RegistrosBanco.h"

#include <QDir>
#include <QFile>
#include <QHash>

namespace {

namespace Mensaje {
const QString NoLegible = QStringLiteral("No se puede leer el fichero para el banco %1: %2");
const QString Incorrecto =
    QStringLiteral("El fichero para el banco %1 no es correcto y no se debe enviar al banco: "
                   "la línea %2 %3.");
const QString SinCrLf = QStringLiteral("no termina en CR LF");
const QString Longitud = QStringLiteral("tiene %1 caracteres y su registro (%2) debe tener %3");
const QString NoCabecera = QStringLiteral("no es la cabecera (1056) con que empieza el fichero");
const QString NoTalon =
    QStringLiteral("es un registro %1 entre la cabecera y los totales, donde solo van "
                   "registros de cheque (2056)");
const QString NoTotales =
    QStringLiteral("es la última y no es el registro de totales (4056): falta ese registro");
const QString SoloCabecera =
    QStringLiteral("es la única: faltan el registro de totales (4056) y los cheques");
const QString SinNif =
    QStringLiteral("no tiene el NIF del presentador seguido de un blanco desde la posición 5");
const QString OtroNif = QStringLiteral("lleva el NIF del presentador \"%1\" y la cabecera \"%2\"");
const QString Caracter =
    QStringLiteral("tiene en la posición %1 un carácter que el campo %2 no admite");
const QString DigitoModelo =
    QStringLiteral("lleva un dígito de control del número de modelo %1 que no es el suyo");
const QString DigitoNumero =
    QStringLiteral("lleva un dígito de control del número de cheque %1 que no es el suyo");
const QString DigitosCuenta =
    QStringLiteral("lleva una cuenta %1 cuyos dígitos de control no son los suyos");
const QString Iban = QStringLiteral("lleva una cuenta del presentador %1 que no es un IBAN válido");
const QString TotalTalones =
    QStringLiteral("dice %1 cheques y el fichero tiene %2 registros de cheque");
const QString TotalImporte =
    QStringLiteral("dice un total de %1 euros y los registros de cheque suman %2 euros");
const QString TotalRegistros = QStringLiteral("dice %1 registros y el fichero tiene %2");
const QString Historico =
    QStringLiteral("dice %1 cheques por %2 euros y el histórico de la emisión tiene %3 cheques "
                   "por %4 euros");
} // namespace Mensaje

using tValores = QHash<QString, QString>;

QString euros(qint64 centimos) {
    return tImporte::deCentimos(centimos).visible();
}

bool esMayusculaODigito(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// The first position of the value (0-based) that its field does not admit;
// -1 when every one is admitted.
qsizetype caracterNoAdmitido(QStringView v, tCaracteresCampo caracteres, const QString& codigo) {
    const auto primero = [&v](auto admitido) -> qsizetype {
        for (qsizetype i = 0; i < v.size(); ++i)
            if (!admitido(i, v[i]))
                return i;
        return -1;
    };
    switch (caracteres) {
    case tCaracteresCampo::Literal:
        return primero([&](qsizetype i, QChar c) { return i < codigo.size() && c == codigo[i]; });
    case tCaracteresCampo::Nif:
        return primero([&](qsizetype i, QChar c) {
            return i + 1 == v.size() ? c == u' ' : esMayusculaODigito(c);
        });
    case tCaracteresCampo::Digitos:
        return primero([](qsizetype, QChar c) { return c >= u'0' && c <= u'9'; });
    case tCaracteresCampo::Blancos:
        return primero([](qsizetype, QChar c) { return c == u' '; });
    case tCaracteresCampo::Pais:
        return primero([](qsizetype i, QChar c) {
            return i < 2 ? (c >= u'A' && c <= u'Z') : (c >= u'0' && c <= u'9');
        });
    case tCaracteresCampo::FechaOpcional:
        if (v == QString(v.size(), u' '))
            return -1;
        return primero([](qsizetype, QChar c) { return c >= u'0' && c <= u'9'; });
    case tCaracteresCampo::Orden:
        return primero([](qsizetype, QChar c) { return c == u' ' || c == u'N' || c == u'S'; });
    }
    return 0;
}

// Lines of the file, each as its bytes read one to one, and whether it ended
// in CR LF.
struct tLinea {
    QString texto;
    bool conCrLf = false;
};

QList<tLinea> cortaLineas(const QByteArray& datos) {
    QList<tLinea> lineas;
    qsizetype inicio = 0;
    while (inicio < datos.size()) {
        const qsizetype fin = datos.indexOf("\r\n", inicio);
        // A lone CR or LF ends the line too, badly: the line after it is
        // still read and numbered as the bank would.
        const qsizetype corte = [&] {
            for (qsizetype i = inicio; i < (fin < 0 ? datos.size() : fin); ++i)
                if (datos[i] == '\r' || datos[i] == '\n')
                    return i;
            return fin;
        }();
        if (corte < 0) {
            lineas.append({QString::fromLatin1(datos.mid(inicio)), false});
            break;
        }
        const bool crLf = corte == fin;
        lineas.append({QString::fromLatin1(datos.mid(inicio, corte - inicio)), crLf});
        inicio = corte + (crLf ? 2 : 1);
    }
    return lineas;
}

class TLectorFichero {
public:
    TLectorFichero(const QList<tLinea>& lineas) : lineas_(lineas) {}

    // The reason the line is wrong, or empty; `n` is 1-based.
    QString compruebaLinea(int n) {
        const tLinea& l = lineas_[n - 1];
        if (!l.conCrLf)
            return Mensaje::SinCrLf;
        const QString codigo = l.texto.left(4);
        const int total = int(lineas_.size());
        if (n == 1) {
            if (codigo != RegistroBanco::CodigoCabecera)
                return Mensaje::NoCabecera;
            const qsizetype blanco = l.texto.indexOf(u' ', 4);
            if (blanco <= 4)
                return Mensaje::SinNif;
            nif_ = l.texto.mid(4, blanco - 3);
            QString motivo = corta(camposCabecera(), l.texto, codigo);
            return motivo.isEmpty() ? compruebaCabecera() : motivo;
        }
        if (n == total) {
            if (codigo != RegistroBanco::CodigoTotales)
                return Mensaje::NoTotales;
            QString motivo = corta(camposTotales(), l.texto, codigo);
            return motivo.isEmpty() ? compruebaTotales(total) : motivo;
        }
        if (codigo != RegistroBanco::CodigoTalon)
            return Mensaje::NoTalon.arg(codigo);
        QString motivo = corta(camposTalon(), l.texto, codigo);
        return motivo.isEmpty() ? compruebaTalon() : motivo;
    }

    const tTotalesFicheroBanco& leidos() const { return leidos_; }
    const tTotalesFicheroBanco& declarados() const { return declarados_; }

private:
    // Cuts the line into the fields of its record: its length and the
    // characters of each field.
    template <class Origen>
    QString corta(std::span<const tCampoRegistro<Origen>> campos, const QString& linea,
                  const QString& codigo) {
        int longitud = 0;
        for (const tCampoRegistro<Origen>& c : campos)
            longitud += c.ancho == 0 ? int(nif_.size()) : c.ancho;
        if (linea.size() != longitud)
            return Mensaje::Longitud.arg(linea.size()).arg(codigo).arg(longitud);
        valores_.clear();
        int posicion = 0;
        for (const tCampoRegistro<Origen>& c : campos) {
            const int ancho = c.ancho == 0 ? int(nif_.size()) : c.ancho;
            const QString valor = linea.mid(posicion, ancho);
            const qsizetype malo = caracterNoAdmitido(valor, c.caracteres, codigo);
            if (malo >= 0)
                return Mensaje::Caracter.arg(posicion + malo + 1)
                    .arg(QStringLiteral("\"%1\"").arg(QString::fromUtf8(c.nombre)));
            valores_.insert(QString::fromUtf8(c.nombre), valor);
            posicion += ancho;
        }
        if (valores_.value(QStringLiteral("NIF del presentador")) != nif_)
            return Mensaje::OtroNif.arg(valores_.value(QStringLiteral("NIF del presentador")),
                                        nif_);
        return {};
    }

    QString valor(const char* nombre) const { return valores_.value(QString::fromUtf8(nombre)); }

    QString compruebaCabecera() const {
        const QString entidad = valor("entidad y oficina");
        const QString digitos = valor("dígitos de control de la cuenta");
        const QString cuenta = valor("número de cuenta");
        const QString pais = valor("país y control del IBAN");
        const QString iban = pais + entidad + digitos + cuenta;
        if (!esIbanValido(iban))
            return Mensaje::Iban.arg(iban);
        if (pais.startsWith(QStringLiteral("ES")) && !esCuentaCCCValida(entidad + digitos + cuenta))
            return Mensaje::DigitosCuenta.arg(entidad + digitos + cuenta);
        return {};
    }

    QString compruebaTalon() {
        const QString modelo = valor("número de modelo");
        const QString numero = valor("número de cheque");
        const QString cuenta = valor("entidad y oficina") +
                               valor("dígitos de control de la cuenta") + valor("número de cuenta");
        if (digitoControlModulo7(modelo) != valor("dígito de control del modelo"))
            return Mensaje::DigitoModelo.arg(modelo);
        if (digitoControlModulo7(modelo + numero) != valor("dígito de control del número"))
            return Mensaje::DigitoNumero.arg(numero);
        if (!esCuentaCCCValida(cuenta))
            return Mensaje::DigitosCuenta.arg(cuenta);
        leidos_.talones += 1;
        leidos_.centimos += valor("importe").toLongLong();
        return {};
    }

    QString compruebaTotales(int lineas) {
        declarados_.talones = valor("número de cheques").toInt();
        declarados_.centimos = valor("importe total").toLongLong();
        const int registros = valor("número de registros").toInt();
        if (declarados_.talones != leidos_.talones)
            return Mensaje::TotalTalones.arg(declarados_.talones).arg(leidos_.talones);
        if (declarados_.centimos != leidos_.centimos)
            return Mensaje::TotalImporte.arg(euros(declarados_.centimos), euros(leidos_.centimos));
        if (registros != lineas)
            return Mensaje::TotalRegistros.arg(registros).arg(lineas);
        return {};
    }

    const QList<tLinea>& lineas_;
    QString nif_;
    tValores valores_;
    tTotalesFicheroBanco leidos_;
    tTotalesFicheroBanco declarados_;
};

} // namespace

tVerificacionFicheroBanco
verificaFicheroBanco(const QString& ruta, const std::optional<tTotalesFicheroBanco>& esperados) {
    tVerificacionFicheroBanco r;
    const QString nombre = QDir::toNativeSeparators(ruta);
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) {
        r.mensaje = Mensaje::NoLegible.arg(nombre, f.errorString());
        return r;
    }
    const QList<tLinea> lineas = cortaLineas(f.readAll());
    const auto falla = [&](int n, const QString& motivo) {
        r.linea = n;
        r.mensaje = Mensaje::Incorrecto.arg(nombre).arg(n).arg(motivo);
        return r;
    };
    if (lineas.isEmpty())
        return falla(1, Mensaje::NoCabecera);
    TLectorFichero lector(lineas);
    const int total = int(lineas.size());
    for (int n = 1; n <= total; ++n) {
        const QString motivo = lector.compruebaLinea(n);
        r.leidos = lector.leidos();
        if (!motivo.isEmpty())
            return falla(n, motivo);
    }
    if (total == 1)
        return falla(1, Mensaje::SoloCabecera);
    if (esperados && *esperados != lector.leidos())
        return falla(total, Mensaje::Historico.arg(lector.leidos().talones)
                                .arg(euros(lector.leidos().centimos))
                                .arg(esperados->talones)
                                .arg(euros(esperados->centimos)));
    r.correcto = true;
    return r;
}

void compruebaFicheroBanco(const QString& ruta,
                           const std::optional<tTotalesFicheroBanco>& esperados) {
    const tVerificacionFicheroBanco r = verificaFicheroBanco(ruta, esperados);
    if (!r.correcto)
        throw TErrorOperacion(r.mensaje);
}
