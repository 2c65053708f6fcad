#include "FicheroPresentacion.h"

#include "ErrorOperacion.h"
#include "FicherosTexto.h"
#include "Importes.h"
#include "Numeros.h"
#include "Textos.h"
#include "TextosBBDD.h"

#include <QDir>
#include <QSet>

namespace {

const QString prefijoCons = QStringLiteral("CONS.");
constexpr int numeroMaximoCons = 10000;

QString blancos(int n) {
    return QString(n, u' ');
}

QString ceros(const QString& valor, int ancho) {
    return rellenaCadena(valor, QStringLiteral("0"), ancho, false);
}

// Characters 1-2, 4-5 and 9-10 of "dd/mm/yyyy".
QString fechaDDMMAA(const QString& fecha) {
    return fecha.mid(0, 2) + fecha.mid(3, 2) + fecha.mid(8, 2);
}

} // namespace

QString lineaCabeceraFichero(const tOrdenantes& ordenante, const QString& fechaConfeccion,
                             const QString& fechaProceso) {
    // An IBAN typed in groups is stored with its blanks; the bank reads its
    // characters without them.
    QString iban = ordenante.Cuenta;
    iban.remove(u' ');
    // Country and IBAN check, bank and branch, account number, and the two
    // national check digits last.
    return QStringLiteral("1056") + ordenante.Nif_Sufijo + blancos(12) + blancos(3) +
           fechaDDMMAA(fechaConfeccion) + fechaDDMMAA(fechaProceso) + iban.mid(0, 4) +
           iban.mid(4, 8) + iban.mid(14, 10) + iban.mid(12, 2) + blancos(28) + blancos(57);
}

namespace {

QString lineaTalon(const tOrdenantes& ordenante, const tTalon& t) {
    QString orden = QStringLiteral(" ");
    if (t.numero_Modelo.startsWith(u'8'))
        orden = t.indicador == 1 ? QStringLiteral("N") : QStringLiteral("S");
    const QString fecha = rellenaCadena(fechaDDMMAA(t.FechaPago), QStringLiteral(" "), 6, false);
    // The drawer's account: bank and branch, the ten-digit number, and its
    // two check digits after it.
    return QStringLiteral("2056") + ordenante.Nif_Sufijo + blancos(12) + t.Numero.mid(0, 7) +
           t.chk_numero + blancos(4) + t.Cuenta.mid(0, 8) + t.Cuenta.mid(10, 10) +
           t.Cuenta.mid(8, 2) + t.numero_Modelo.mid(0, 4) + t.chk_Modelo + t.Importe + fecha +
           orden + blancos(67);
}

} // namespace

tNombreCons siguienteNombreCons(const QString& dirCons,
                                const std::function<bool(const QString&)>& usadoEnHistorico) {
    // One listing of the folder instead of a look-up per number.
    const QStringList lista = QDir(dirCons).entryList(
        {prefijoCons + u'*'}, QDir::AllEntries | QDir::Hidden | QDir::System);
    const QSet<QString> ficheros(lista.begin(), lista.end());
    for (int n = 1; n <= numeroMaximoCons; ++n) {
        const QString numero = ceros(QString::number(n), 4);
        const QString fichero = prefijoCons + numero;
        if (!ficheros.contains(fichero) && !(usadoEnHistorico && usadoEnHistorico(fichero)))
            return {numero, fichero};
    }
    return {};
}

QString campoImporteTalon(const QString& importe) {
    // Digits alone are already cents; anything else is a plain or display amount.
    QString sinBlancos = importe;
    sinBlancos.remove(u' ');
    const std::optional<tImporte> valor =
        sonDigitos(sinBlancos) ? tImporte::leeCentimos(sinBlancos) : tImporte::leeTexto(importe);
    return valor ? valor->campoCentimos(13) : QString();
}

QString lineaRegistroTalon(const tOrdenantes& ordenante, tTalon& talon) {
    const QString campo = campoImporteTalon(talon.Importe);
    if (campo.isEmpty())
        throw TErrorOperacion(MensajeBBDD::ImporteNoValido.arg(talon.Importe, talon.Numero));
    talon.Importe = campo;
    return lineaTalon(ordenante, talon);
}

QString lineaTotalesFichero(int numeroRegistros, int numeroTalones, const QString& nif,
                            qint64 totalCentimos) {
    return QStringLiteral("4056") + nif + blancos(12) + ceros(QString::number(totalCentimos), 15) +
           ceros(QString::number(numeroTalones), 10) +
           ceros(QString::number(numeroRegistros + 1), 10) + blancos(62) + blancos(27);
}

void escribeCabeceraFichero(const QString& dirCons, const tOrdenantes& ordenante,
                            const QString& fichero, const QString& fechaConfeccion,
                            const QString& fechaProceso, const IDestinoFicheros& destino) {
    creaFicheroTexto(dirCons + fichero,
                     {lineaCabeceraFichero(ordenante, fechaConfeccion, fechaProceso)}, destino);
}

void escribeRegistroTalon(const QString& dirCons, const tOrdenantes& ordenante, tTalon& talon,
                          const tRemesas& remesa, const IDestinoFicheros& destino) {
    anadeFicheroTexto(dirCons + remesa.nombre_Cons, {lineaRegistroTalon(ordenante, talon)},
                      destino);
}

void escribeTotalesFichero(const QString& dirCons, const QString& fichero, int numeroRegistros,
                           int numeroTalones, const QString& nif, qint64 totalCentimos,
                           const IDestinoFicheros& destino) {
    anadeFicheroTexto(dirCons + fichero,
                      {lineaTotalesFichero(numeroRegistros, numeroTalones, nif, totalCentimos)},
                      destino);
}
