#pragma once
// The image marks of the cheques of the working remittances
// (Tablas/AvisosImagen.dat): a cheque whose images failed a check when it
// was read keeps its mark, and why, until it leaves the remittance. Cheque
// keys are reused after a deletion, so a mark is bound to the cheque it was
// set for: storing a cheque replaces whatever its key held, and the editor
// drops the marks of keys no longer in the remittance.
//
// Every failure of the table throws TErrorOperacion with its message.

#include "CalidadImagen.h"
#include "Instalacion.h"

#include <QMap>
#include <QSet>

class TAvisosImagen {
public:
    static inline const QString Fichero = QStringLiteral("AvisosImagen.dat");

    explicit TAvisosImagen(const tInstalacion& instalacion);

    // The marks of the remittance's cheques, by cheque key.
    QMap<int, tAvisoImagen> carga(int pkRemesa) const;
    // The cheques `claves` were just stored: each loses any earlier mark and
    // takes its own from `avisos`, in one transaction.
    void fija(int pkRemesa, const QList<int>& claves, const QMap<int, tAvisoImagen>& avisos) const;
    // Drops the marks of the cheques not in `claves` (deleted or emitted).
    void conservaSolo(int pkRemesa, const QSet<int>& claves) const;
    void borraRemesa(int pkRemesa) const;

private:
    QString ruta_;
};
