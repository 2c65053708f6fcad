#pragma once
// The working folders and the table files of an installation: made when
// missing, checked at start.

#include "BaseDatos.h"

#include <QStringList>

struct tDefinicionTabla;

class TTablasInstalacion : public TAlmacen {
public:
    explicit TTablasInstalacion(TBaseDatos& bd) : TAlmacen(bd) {}

    // Creates the nine working folders; true when all of them exist.
    bool creaCarpetasTrabajo();
    // After a failed creaCarpetasTrabajo: which folder is missing and why, in
    // Spanish, naming the path (a file where a folder should be, or a folder
    // that cannot be written in).
    QString problemaCarpetasTrabajo() const;

    // Reads every table file of the installation (master tables and cheque
    // tables) and tells the operator, in one message, which ones are damaged
    // (empty, truncated, not a table file, holding another table or missing
    // a column) and what to do, and in another which ones another program
    // holds (nothing to restore: close it and try again). A damaged file is
    // never written or deleted;
    // an empty file that the program was creating when it stopped is deleted
    // so that CreaTablas makes it again. Answers the problems found.
    QStringList compruebaTablas();
    // Each makes its table file when it is missing; true when it exists.
    bool CreaTablas();
    bool CreaTablaRemesas();
    bool CreaTablaHistorico();
    bool CreaTablaOrdenantes();
    bool CreaTablaHistoricoCheques();
    bool CreaTablaDeudores();
};

// Makes the table file `ruta` holding the table of `def`, when it does not
// exist; throws TErrorOperacion with the engine message otherwise, leaving
// no file behind.
void creaTabla(const QString& ruta, const tDefinicionTabla& def);
