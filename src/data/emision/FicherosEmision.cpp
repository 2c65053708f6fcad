#include "FicherosEmision.h"

#include "ErrorOperacion.h"
#include "FicheroPresentacion.h"
#include "Importes.h"
#include "InformesEmision.h"

#include <QDir>
#include <QFile>

TFicherosEmision::TFicherosEmision(const tDirectorios& dirs, const QString& numero,
                                   const tRemesas& remesa, const tOrdenantes& ordenante)
    : dirs_(dirs), numero_(numero), remesa_(remesa), ordenante_(ordenante) {
    fichero_ << lineaCabeceraFichero(ordenante_, remesa_.Fecha_Confeccion, remesa_.Fecha_Proceso);
    informe_ << lineasCabeceraInforme(remesa_);
}

void TFicherosEmision::anadeTalon(const tTalon& talon) {
    fichero_ << lineaRegistroTalon(ordenante_, talon);
    informe_ << lineasDetalleTalon(talon);
    ++talones_;
    centimos_ += talon.Importe->centimos();
}

QString TFicherosEmision::rutaInforme() const {
    return dirs_.Dir_Cons + ficheroInforme(u'.' + numero_);
}

QString TFicherosEmision::rutaCarta() const {
    return dirs_.Dir_Cons + ficheroCarta(u'.' + numero_);
}

void TFicherosEmision::escribe(const QString& nombreBanco, const IDestinoFicheros& destino) {
    const int registros = 1 + talones_;
    remesa_.Importe = tImporte::deCentimos(centimos_).plano();
    remesa_.Numero_Registros = QString::number(registros + 1);
    remesa_.Numero_Talones = QString::number(talones_);
    const QStringList fichero =
        fichero_ + QStringList{lineaTotalesFichero(registros, talones_, remesa_.Nif, centimos_)};
    const QStringList informe = informe_ + lineasTotalesInforme(remesa_);
    const QStringList carta = lineasCartaOrden(remesa_, nombreBanco);
    try {
        creaFicheroTexto(rutaFichero(), fichero, destino);
        creaFicheroTexto(rutaInforme(), informe, destino);
        creaFicheroTexto(rutaCarta(), carta, destino);
    } catch (const TErrorOperacion&) {
        for (const QString& f : {rutaFichero(), rutaInforme(), rutaCarta()})
            QFile::remove(f);
        throw;
    }
}

QStringList TFicherosEmision::ficherosDe(const tDirectorios& dirs, const QString& numero) {
    const QString cons = QStringLiteral("CONS.") + numero;
    QStringList f{cons, cons + QStringLiteral(".zip"), ficheroInforme(u'.' + numero),
                  ficheroCarta(u'.' + numero)};
    // An archive cut off while it was written leaves its work file behind.
    f += QDir(dirs.Dir_Cons)
             .entryList({cons + QStringLiteral(".zip.*")}, QDir::Files | QDir::Hidden);
    for (QString& n : f)
        n.prepend(dirs.Dir_Cons);
    return f;
}
