#pragma once
// The data module: owns every table access of the application. It never opens
// a window; it reports to the operator through IInterfazUsuario.

#include "EstadoPrograma.h"
#include "FilasLista.h"
#include "IInterfazUsuario.h"
#include "Instalacion.h"
#include "LineaLectura.h"
#include "Registros.h"

#include <QObject>
#include <QTimer>

#include <functional>

struct tDefinicionTabla;
namespace motor {
class Sentencia;
}

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

    // --- Tables and keys ----------------------------------------------------
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
    // transaction; on an engine failure shows its message, deletes nothing
    // and answers false.
    bool EliminaBeneficiarios(const QList<int>& claves);
    tTalon CompruebaLibrado(tTalon regtalon);

    // --- Drawer of an edited cheque (TdmBBDD_EdicionTalon) ------------------
    // The first drawer whose account is `cuenta`, or a new nameless drawer
    // with that account; false with the engine message when neither works.
    bool LibradoDeCuenta(const QString& cuenta, TCliente& librado, QString& mensaje_Error);
    // Links the cheque to another drawer; false with the engine message.
    bool CambiaLibradoTalon(int pkTalon, int fkCliente, const QString& nombreTabla,
                            QString& mensaje_Error);

    // --- Storing read lines -------------------------------------------------
    // Each stores the read lines of `lista` as cheques of the current
    // remittance; `buenos` counts the lines stored, `invalidos` the others.
    void introduceEnTablasTalones(QStringList& lista, bool todos, int& buenos, int& invalidos);
    void introduceEnTablasTalonesSAFE(QStringList& lista, bool todos, int& buenos, int& invalidos);
    void introduceEnTablasTalonesExcella(QStringList& lista, bool todos, int& buenos,
                                         int& invalidos);

    // --- Lists of the maintenance and selection windows (TdmBBDD_Listas) ----
    // One row per presenter, natural order: caption the name, cells account
    // and NIF, datos.pk the key. An engine failure ends the list silently.
    tFilasLista CargaListaOrdenantes();
    // One row per drawer, natural order: caption the name, cell the account,
    // datos.pk the key. An engine failure ends the list silently.
    tFilasLista CargaListaBeneficiarios();
    // One row per emission of historico.dat, newest first: caption
    // Fecha_Confeccion, cells Nif, Nombre_Ordenante, Cuenta, Importe (display
    // form), Numero_Talones, Fecha_Soporte; datos.pk Pk_Historico. On an
    // engine failure no rows and the engine message in `error`.
    tFilasLista CargaListaRemesasEmitidas(QString& error);

    // --- Emission -----------------------------------------------------------
    // Emits the correct cheques of the remittance under the next emission
    // number: presentation file, detailed report, covering letter, one history
    // row per cheque and one for the remittance, images archived, ZIP archive.
    // The presenter is OrdenanteActual.Pk_Ordenante. Each cheque leaves the
    // remittance in the same transaction that writes its history row, so it is
    // in exactly one of the two whenever the program stops. True when it has
    // run; an error that ends it is thrown as TErrorOperacion.
    bool facturaFichero(const tRemesas& registroRemesa, const QString& fecha_Confeccion,
                        const QString& fecha_Proceso);
    // One row of historicoCheques.dat; false after showing the engine message.
    bool GuardaHistoricoTalon(const tRemesas& regRemesa, const tOrdenantes& ordenante,
                              const tTalon& regTalon);
    // One row of historico.dat; false after showing the engine message.
    bool GuardaHistoricoRemesa(const tRemesas& regRemesa);
    // Archive "CONS.n.zip" beside the presentation file `fichero` (full path):
    // its copy "CONSn.txt" and every file of the temporary image folder, which
    // is emptied afterwards. Throws TErrorOperacion.
    void ComprimeFicheroTalones(const QString& fichero);
    // For fault tests: called with the number of cheques emitted so far, once
    // while a cheque's move is written but not committed (false), once after
    // (true).
    std::function<void(int talonesEmitidos, bool confirmado)> puntoControlEmision;

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

signals:
    void tmrInicioTimer();

private:
    bool creaTabla(const QString& ruta, const tDefinicionTabla& def, QString* error);
    // SiguienteClave without a message: 0 and the engine message on failure.
    int claveNueva(const QString& columna, const QString& rutaTabla, QString& error);
    // Reads the first row the query (with the key as its one parameter)
    // answers and hands it to `rellena`; an engine failure is shown.
    void leeFilaPorClave(const QString& rutaTabla, const QString& sql, int clave,
                         const std::function<void(const motor::Sentencia&)>& rellena);
    // Deletes the three image files of a cheque from the image folder.
    void borraImagenesTalon(const QString& cuenta, const QString& numeroModelo,
                            const QString& numero) const;
    // The walk shared by the three storing operations.
    void introduceLineas(QStringList& lista, bool todos, int& buenos, int& invalidos,
                         VarianteLectura variante);

    tInstalacion inst_;
    tEstadoPrograma& estado_;
    IInterfazUsuario& iu_;
};

// Name of the table held by a table file (each file holds one table).
QString nombreTablaDeFichero(const QString& rutaTabla);
