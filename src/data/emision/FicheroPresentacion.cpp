#include "FicheroPresentacion.h"

#include "ErrorOperacion.h"
#include "FicherosTexto.h"
#include "RegistrosBanco.h"
#include "Textos.h"
#include "TextosBBDD.h"

#include <QDir>
#include <QSet>

namespace {

const QString prefijoCons = QStringLiteral("CONS.");
constexpr int numeroMaximoCons = 10000;

QString ceros(const QString& valor, int ancho) {
    return rellenaCadena(valor, QStringLiteral("0"), ancho, false);
}

} // namespace

QString lineaCabeceraFichero(const tOrdenantes& ordenante, const QString& fechaConfeccion,
                             const QString& fechaProceso) {
    // An IBAN typed in groups is stored with its blanks; the bank reads its
    // characters without them.
    QString iban = ordenante.Cuenta;
    iban.remove(u' ');
    return construyeRegistro(camposCabecera(),
                             tOrigenCabecera{ordenante, iban, fechaConfeccion, fechaProceso});
}

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

QString lineaRegistroTalon(const tOrdenantes& ordenante, const tTalon& talon) {
    if (!talon.Importe)
        throw TErrorOperacion(MensajeBBDD::ImporteNoValido.arg(QString(), talon.Numero));
    return construyeRegistro(camposTalon(), tOrigenTalon{ordenante, talon});
}

QString lineaTotalesFichero(int numeroRegistros, int numeroTalones, const QString& nif,
                            qint64 totalCentimos) {
    return construyeRegistro(
        camposTotales(), tOrigenTotales{nif, totalCentimos, numeroTalones, numeroRegistros + 1});
}

void escribeCabeceraFichero(const QString& dirCons, const tOrdenantes& ordenante,
                            const QString& fichero, const QString& fechaConfeccion,
                            const QString& fechaProceso, const IDestinoFicheros& destino) {
    creaFicheroTexto(dirCons + fichero,
                     {lineaCabeceraFichero(ordenante, fechaConfeccion, fechaProceso)}, destino);
}

void escribeRegistroTalon(const QString& dirCons, const tOrdenantes& ordenante, const tTalon& talon,
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
