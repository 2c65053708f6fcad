#pragma once
// The data module: owns every table access of the application. It never opens
// a window; it reports to the operator through IInterfazUsuario.

#include "EstadoPrograma.h"
#include "FicherosTexto.h"
#include "FilasLista.h"
#include "IInterfazUsuario.h"
#include "ImagenesTalon.h"
#include "Instalacion.h"
#include "LineaLectura.h"
#include "Registros.h"
#include "ResultadoLectura.h"

#include <QObject>
#include <QSet>
#include <QTimer>

#include <functional>
#include <memory>

struct tDefinicionTabla;
struct tConsultaHistorico;
class TqryHistorico;
namespace motor {
class Conexion;
class Sentencia;
class Conexiones;
class ConexionOperacion;
} // namespace motor

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

// What became of saving a cheque the editor showed.
enum class GuardadoTalon { Hecho, Fallido, CambiadoPorOtro };

class TdmBBDD : public QObject {
    Q_OBJECT
public:
    TdmBBDD(const tInstalacion& instalacion, tEstadoPrograma& estado, IInterfazUsuario& iu,
            QObject* parent = nullptr);

    const tInstalacion& instalacion() const { return inst_; }
    tEstadoPrograma& estado() { return estado_; }
    IInterfazUsuario& iu() { return iu_; }

    // --- Start-up -----------------------------------------------------------
    // One-shot timer armed when the main window is first shown.
    QTimer tmrInicio;
    bool muestraPantallaConfiguracion = false;
    // Creates the nine working folders; true when all of them exist.
    bool creaCarpetasTrabajo();
    // After a failed creaCarpetasTrabajo: which folder is missing and why, in
    // Spanish, naming the path (a file where a folder should be, or a folder
    // that cannot be written in).
    QString problemaCarpetasTrabajo() const;

    // --- Tables and keys ----------------------------------------------------
    // Reads every table file of the installation (master tables and cheque
    // tables) and tells the operator, in one message, which ones are damaged
    // (empty, truncated, not a table file, holding another table or missing
    // a column) and what to do, and in another which ones another program
    // holds (nothing to restore: close it and try again). A damaged file is
    // never written or deleted;
    // an empty file that the program was creating when it stopped is deleted
    // so that CreaTablas makes it again. Answers the problems found.
    QStringList compruebaTablas();
    bool CreaTablas();
    bool CreaTablaRemesas();
    bool CreaTablaHistorico();
    bool CreaTablaOrdenantes();
    bool CreaTablaHistoricoCheques();
    bool CreaTablaDeudores();
    bool CreaTablaTalones(const QString& fichero);
    int SiguienteClave(const QString& columna, const QString& rutaTabla);

    // --- Remittances --------------------------------------------------------
    bool GuardaRegistroRemesa(const tRemesas& regRemesa);
    // One row per remittance, natural order: caption the name, datos.pk the key.
    tFilasLista carga_lista_Remesas();
    // The remittance with that key over `destino`; no row leaves it as passed.
    tRemesas cargaRegistroRemesasTablas(int clavePrimaria, tRemesas destino = {});
    bool compruebaNombreRemesa(const QString& aNombreRemesa, QString& mensajeError);
    bool EstaDuplicadaLaRemesa(const QString& aNombreRemesa);
    bool EliminaRemesa(int aPk);
    QString DevuelveNombreconsolidado(int clave);

    // --- Cheques ------------------------------------------------------------
    bool GuardaTalon(tTalon& regTalon, QString& mensaje_Error, const QString& nombreTabla);
    void introduceTalonManual(tTalon& regtalon);
    // The cheque with that key over `destino`; no row leaves it as passed.
    tTalon CargaRegistroTalones(int clave, const QString& aNombreTabla, tTalon destino = {});
    // The cheque editor's list of the current remittance, in key order.
    tFilasLista Carga_lista_Talones(int& NumeroTrasferencias);
    void CalculaTotales(QString& importe, QString& transferencias, QString& Total_Transferencias,
                        const QString& aNombreTabla);
    // Deletes the cheque as it was loaded (`talon`) and then its images. One
    // that another program has changed, emitted or deleted since stays: the
    // operator is told and the answer is false, as on an engine failure.
    bool EliminaTalon(const tTalon& talon, const QString& estado = QString());
    bool EminaTalonesDuplicados(const QString& nombreTabla);
    bool Quedan_Talones_Incompletos(int& Numero_Incompletos);
    bool duplicidadTalon(const QString& apk, const QString& Numero, const QString& Cuenta,
                         const QString& modelo, bool consultaLista);

    // --- Presenters ---------------------------------------------------------
    tOrdenantes CargaRegistroOrdenantesTablas(int clavePrimaria, tOrdenantes destino = {});
    bool GuardaOrdenante(tOrdenantes& rOrdenante, QString& mensaje_Error);
    bool DuplicadoOrdenante(const QString& Nif_Sufijo, const QString& cuenta, bool nuevo,
                            int aNumeroRegistro, QString& mensaje);
    bool EliminaRegistroOrdenante(int aPk);
    // The lines of the presenter choice list, its fixed first line included.
    QStringList Carga_Combo_Ordenantes();

    // --- Drawers ------------------------------------------------------------
    TCliente CargaRegistroBeneficiarioTablas(int clavePrimaria, TCliente destino = {});
    bool GuardaBeneficiario(TCliente& rBeneficiario, QString& mensaje_Error);
    bool DuplicadoBeneficiario(const QString& aCuenta, bool nuevo, int& aNumeroRegistro);
    bool EliminaRegistroBeneficiario(int aPk);
    // Deletes the drawers and their cheques of remittance 1 in one
    // transaction, then the image files of those cheques that no cheque
    // left in a remittance is filed under; on an engine failure shows its
    // message, deletes nothing and answers false.
    bool EliminaBeneficiarios(const QList<int>& claves);
    tTalon CompruebaLibrado(tTalon regtalon);

    // --- Saving an edited cheque (TdmBBDD_EdicionTalon) --------------------
    // Updates the cheque and settles its drawer in one transaction over the
    // cheque table and Deudores.dat. `mostrado` is the cheque as the editor
    // loaded and showed it, `librado` its drawer as the editor holds it. A
    // cheque whose account changed goes to the first drawer of its new
    // account (a new nameless one when none has it; none for a placeholder
    // account) and takes its name when none was typed; otherwise, and
    // whenever a name was typed, the drawer's row gets the cheque's name and
    // account. Hecho: both records hold what was stored. Otherwise nothing
    // is written, the records are unchanged and mensaje_Error says why:
    // CambiadoPorOtro when the cheque's row is no longer `mostrado` (another
    // program changed, emitted or deleted it) or its drawer's name or
    // account changed, Fallido with the engine message.
    GuardadoTalon GuardaTalonEditado(const tTalon& mostrado, tTalon& talon, TCliente& librado,
                                     const QString& nombreTabla, QString& mensaje_Error);

    // --- Storing read lines -------------------------------------------------
    // Each stores the read lines of `lista` as cheques of the current
    // remittance; `buenos` counts the lines stored, `invalidos` the others.
    void introduceEnTablasTalones(QStringList& lista, bool todos, int& buenos, int& invalidos);
    void introduceEnTablasTalonesSAFE(QStringList& lista, bool todos, int& buenos, int& invalidos);
    void introduceEnTablasTalonesExcella(QStringList& lista, bool todos, int& buenos,
                                         int& invalidos);
    // The walk the three share, with what became of each line not stored.
    // A table that cannot be used (locked, damaged, full) stops the walk:
    // that line and the ones after it stay unstored and its message is shown
    // once. Images that the disk refuses leave their line unstored (it can
    // be tried again); the walk goes on and nothing is shown: the result
    // names the folder and why. The images are written through destino().
    tResultadoLectura almacenaLineasLeidas(QStringList& lista, bool todos,
                                           VarianteLectura variante);

    // --- Lists of the maintenance and selection windows (TdmBBDD_Listas) ----
    // One row per presenter, natural order: caption the name, cells account
    // and NIF, datos.pk the key. An engine failure ends the list silently.
    tFilasLista CargaListaOrdenantes();
    // One row per drawer, natural order: caption the name, cell the account,
    // datos.pk the key; rows of a placeholder account are left out. An
    // engine failure ends the list silently.
    tFilasLista CargaListaBeneficiarios();
    // One row per emission of historico.dat, newest first: caption
    // Fecha_Confeccion, cells Nif, Nombre_Ordenante, Cuenta, Importe (display
    // form), Numero_Talones, Fecha_Soporte; datos.pk Pk_Historico. On an
    // engine failure no rows and the engine message in `error`.
    tFilasLista CargaListaRemesasEmitidas(QString& error);

    // --- Emission -----------------------------------------------------------
    // Emits the correct cheques of the remittance under the next emission
    // number: presentation file, detailed report, covering letter, one history
    // row per cheque and one for the remittance, ZIP archive, images archived.
    // The presenter is OrdenanteActual.Pk_Ordenante. It holds the data
    // folder's emission lock throughout (another program emitting: waits up
    // to esperaBloqueoEmisionMs, then throws who is emitting, changing
    // nothing). Every cheque moves to the history in one transaction, and the
    // files are written before it commits: on any failure every cheque stays
    // in the remittance, no file of the emission is left, and the error is
    // thrown as TErrorOperacion. Cheques that fail the cheque rules stay, named
    // in one message. True when it emitted; false, with a message, when no
    // cheque could be emitted (no file is made and the number stays free).
    bool facturaFichero(const tRemesas& registroRemesa, const QString& fecha_Confeccion,
                        const QString& fecha_Proceso);
    int esperaBloqueoEmisionMs = 1000;
    // One row of historicoCheques.dat; false after showing the engine message.
    bool GuardaHistoricoTalon(const tRemesas& regRemesa, const tOrdenantes& ordenante,
                              const tTalon& regTalon);
    // One row of historico.dat; false after showing the engine message.
    bool GuardaHistoricoRemesa(const tRemesas& regRemesa);
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
    // of cheques committed so far (for RegistroSinConfirmar, the one being
    // written).
    std::function<void(PuntoEmision punto, int talones)> puntoControlEmision;
    // The rename that archives an emitted cheque's images; empty, the file
    // system's. Fault tests make it fail, as across volumes.
    tRenombrado renombraFichero;
    // For fault tests: where the emission writes its text files and archive
    // (the disk when unset). Not owned.
    const IDestinoFicheros* destinoFicheros = nullptr;
    const IDestinoFicheros& destino() const {
        return destinoFicheros ? *destinoFicheros : destinoDisco();
    }

    // --- History of emitted cheques (TdmBBDD_Historico) ---------------------
    // The query the history grid shows; created on first use, owned here.
    TqryHistorico& qryHistorico();
    // Runs the search on historicoCheques.dat into qryHistorico; an engine
    // failure is shown and leaves the query closed (empty grid).
    void CargaHistoricoDeTalones(const tConsultaHistorico& aCadena);
    // Runs the last search again; an engine failure is shown.
    void RecargaHistoricoDeTalones();
    void CierraHistoricoDeTalones();
    // Counts the rest of the search's rows now (the grid goes to its last
    // row), under the wait window when much of the table is left.
    void TerminaRecuentoHistorico();
    // Annuls one emitted cheque: deletes its history row and then its
    // images. The archived copies go unless another history row is the same
    // cheque; the images folder's files go unless a working remittance holds
    // the cheque again. False, with the message shown, when the row stays.
    // An open search is run again, so it no longer lists the row.
    bool EliminaregistroHistorico(int apk);

    // --- One-time upgrade ---------------------------------------------------
    // Bring older cheque history to the stored forms (model "4212-5", number
    // "1234567-6"). Each step touches only values still in the old form, so
    // running them again changes nothing.
    void ActualizaLongitudNumeroModelo();
    void ActualizaNumeroModeloConDigitoControl();
    void ActualizaNumeroSerieConDigitoControl();
    // Writes the marker file; throws TErrorOperacion when it cannot.
    void creaTestigoActualizadoNumeroModelo();
    // The three steps and the marker, as start-up runs them when the marker is
    // missing; a marker that cannot be written is shown to the operator.
    void actualizacionUnica();

    // Full paths of the master tables.
    QString rutaRemesas() const { return inst_.rutaTabla(inst_.tablas.tabla_Remesas); }
    QString rutaHistorico() const { return inst_.rutaTabla(inst_.tablas.tabla_Historico); }
    QString rutaOrdenantes() const { return inst_.rutaTabla(inst_.tablas.tabla_Ordenantes); }
    QString rutaHistoricoCheques() const {
        return inst_.rutaTabla(inst_.tablas.tabla_HistoricoTalones);
    }
    QString rutaDeudores() const { return inst_.rutaTabla(inst_.tablas.tabla_clientes); }
    // Cheque table of the current remittance, and of remittance 1.
    QString rutaTalonesActual() const {
        return inst_.rutaTablaTalones(estado_.RemesaActual.Pk_Remesa);
    }
    QString rutaTalonesEstandar() const { return inst_.rutaTablaTalones(1); }

    // While one lives, the operations of the data module share one
    // connection per table file and its prepared statements, instead of
    // opening the file for every operation: a walk over many rows (storing a
    // batch of read lines) holds one for the whole walk. Commits are those
    // of each operation, unchanged.
    class TRecorrido {
    public:
        explicit TRecorrido(TdmBBDD& dm);
        ~TRecorrido();
        TRecorrido(const TRecorrido&) = delete;
        TRecorrido& operator=(const TRecorrido&) = delete;

    private:
        TdmBBDD& dm_;
        std::unique_ptr<motor::Conexiones> conexiones_;
        motor::Conexiones* anterior_;
    };

signals:
    void tmrInicioTimer();

private:
    // The connection an operation uses on the table file: the walk's while
    // one is on, else one opened for the operation.
    motor::ConexionOperacion abre(const QString& rutaTabla);
    // The rows of a maintenance list: key, caption, then the cells; the
    // query's parameters are `valores`.
    tFilasLista cargaFilasLista(const QString& rutaTabla, const QString& sql, int columnas,
                                const QVariantList& valores = {});
    bool creaTabla(const QString& ruta, const tDefinicionTabla& def, QString* error);
    // SiguienteClave without a message: 0 and the engine message on failure.
    int claveNueva(const QString& columna, const QString& rutaTabla, QString& error);
    // In one write transaction on the table file: runs `antesDeInsertar`
    // (when set: a check that no other program can overtake, such as a
    // duplicate; it answers a refusal, an engine message or ""), takes the
    // next key of `columna` and runs the insert with the key bound first,
    // then `valores`, then `antesDeConfirmar` (when set; it answers an error
    // text or ""). The refusal, the engine message or "": a failure
    // anywhere inserts nothing.
    QString
    insertaConClaveNueva(const QString& rutaTabla, const QString& columna, const QString& sqlInsert,
                         const QVariantList& valores, int& clave,
                         const std::function<QString(motor::Conexion&)>& antesDeInsertar = {},
                         const std::function<QString(int)>& antesDeConfirmar = {});
    // Reads the first row the query (with the key as its one parameter)
    // answers and hands it to `rellena`; an engine failure is shown.
    void leeFilaPorClave(const QString& rutaTabla, const QString& sql, int clave,
                         const std::function<void(const motor::Sentencia&)>& rellena);
    // Of the image base names, those no cheque of a working remittance is
    // filed under (its images keep those names); none when a cheque table
    // cannot be read, so that no image is lost on a doubt.
    QSet<QString> basesSinTalon(QSet<QString> bases) const;
    // Emission steps shared with the completion of an interrupted emission.
    void avisaPuntoEmision(PuntoEmision punto, int talones);
    // completaEmisionInterrumpida for a caller that holds the emission lock.
    bool completaEmisionConBloqueo();
    // The highest key of the table (0 when empty); throws on an engine failure.
    int ultimaClave(const QString& columna, const QString& rutaTabla);
    // EliminaregistroHistorico with the grid's query closed.
    bool eliminaFilaHistorico(int apk);
    // Links the cheque to the first drawer with its account, creating a
    // nameless one (in one write transaction with the second look-up) when
    // none has it; a placeholder account gets no drawer (key 0). The engine
    // message or "": on a failure the cheque is unchanged (`enConsulta` when
    // the first look-up failed).
    QString asignaLibrado(tTalon& talon, bool& enConsulta);
    // duplicidadTalon without messages: the engine messages of the tables
    // that could not be searched (none when the answer is sure).
    QStringList buscaDuplicado(const QString& apk, const QString& Numero, const QString& Cuenta,
                               const QString& modelo, bool consultaLista, bool& duplicado);
    // Inserts a new cheque, its drawer already linked, under a fresh key; the
    // engine message or "".
    QString insertaTalonNuevo(tTalon& regTalon, const QString& nombreTabla);

    tInstalacion inst_;
    tEstadoPrograma& estado_;
    IInterfazUsuario& iu_;
    TqryHistorico* qryHistorico_ = nullptr;  // child object
    motor::Conexiones* recorrido_ = nullptr; // the walk's, while one is on
};

// Name of the table held by a table file (each file holds one table).
QString nombreTablaDeFichero(const QString& rutaTabla);
