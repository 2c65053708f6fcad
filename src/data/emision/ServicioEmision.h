#pragma once
// The emission of a remittance and the completion of one that the end of
// the process cut off. Every input is a parameter: the service reads no
// program state.

#include "BaseDatos.h"
#include "ImagenesTalon.h"
#include "Registros.h"

#include <functional>
#include <optional>

// The moments of an emission at which a fault test may stop the process.
enum class PuntoEmision {
    EmisionRegistrada,  // the record of the emission in progress is written
    FicherosEscritos,   // bank file, report and letter are written, nothing committed
    Comprimiendo,       // the ZIP archive is being written
    ArchivoComprimido,  // the archive is written; the commit comes next
    Confirmado,         // the cheques are in the history
    ArchivandoImagenes, // the first image of the k-th emitted cheque has moved
    ImagenesArchivadas, // every image is archived; the record is removed next
};

// What an emission that happened made.
struct tEmisionHecha {
    QString nombreCons;    // the presentation file's name ("CONS." and the number)
    tOrdenantes ordenante; // the presenter as the bank file names it
};

class TServicioEmision : public TAlmacen {
public:
    explicit TServicioEmision(TBaseDatos& bd) : TAlmacen(bd) {}

    const tInstalacion& instalacion() const { return inst_; }
    IInterfazUsuario& iu() const { return iu_; }
    const IDestinoFicheros& destino() const { return bd_.destino(); }

    // Emits the correct cheques of the remittance, presented by the
    // presenter with key `pkOrdenante`, under the next emission number:
    // presentation file, detailed report, covering letter, one history row
    // per cheque and one for the remittance, ZIP archive, images archived.
    // It holds the data folder's emission lock throughout (another program
    // emitting: waits up to esperaBloqueoEmisionMs, then throws who is
    // emitting, changing nothing). Every cheque moves to the history in one
    // transaction, and the files are written before it commits: on any
    // failure every cheque stays in the remittance, no file of the emission
    // is left, and the error is thrown as TErrorOperacion. Cheques that fail
    // the cheque rules stay, named in one message. What it made when it
    // emitted; nothing, with a message, when no cheque could be emitted (no
    // file is made and the number stays free).
    std::optional<tEmisionHecha> facturaFichero(const tRemesas& registroRemesa, int pkOrdenante,
                                                const QString& fecha_Confeccion,
                                                const QString& fecha_Proceso);
    int esperaBloqueoEmisionMs = 1000;
    // Archive "CONS.n.zip" beside the presentation file `fichero` (full path):
    // its copy "CONSn.txt", every file of the temporary image folder, which
    // is emptied afterwards, and the front images `frontales`, read from where
    // they are. Throws TErrorOperacion.
    void ComprimeFicheroTalones(const QString& fichero, const QStringList& frontales = {});
    // An emission cut off by the end of the process (its record is still
    // there) is completed from its history rows: bank file, report, letter,
    // images, historico.dat row and archive made again, and the operator told
    // which emission it was and how many cheques it has. One cut off before
    // its commit leaves nothing behind, its number free. Runs at start and
    // before every emission, and only under the emission lock: while another
    // program holds it (it is emitting, so its emission is not interrupted)
    // this does nothing and says nothing. True when there was one. Throws
    // TErrorOperacion when it cannot be completed (the record stays).
    bool completaEmisionInterrumpida();
    // For fault tests: called at each moment of the emission with the number
    // of cheques committed so far.
    std::function<void(PuntoEmision punto, int talones)> puntoControlEmision;
    // The rename that archives an emitted cheque's images; empty, the file
    // system's. Fault tests make it fail, as across volumes.
    tRenombrado renombraFichero;
    // One row of historico.dat; an engine failure throws TErrorOperacion.
    void GuardaHistoricoRemesa(const tRemesas& regRemesa);

private:
    void avisaPuntoEmision(PuntoEmision punto, int talones);
    // completaEmisionInterrumpida for a caller that holds the emission lock.
    bool completaEmisionConBloqueo();
    // The highest key of the table (0 when empty); throws on an engine failure.
    int ultimaClave(const QString& columna, const QString& rutaTabla);
};
