#pragma once
// The cheques of the remittances: one cheque table per remittance
// (TablaRemesas/N.dat), named by its full path or by the remittance's key.

#include "BaseDatos.h"
#include "Registros.h"

#include <QSet>

// What became of saving a cheque the editor showed.
enum class GuardadoTalon { Hecho, CambiadoPorOtro };

class TAlmacenTalones : public TAlmacen {
public:
    explicit TAlmacenTalones(TBaseDatos& bd) : TAlmacen(bd) {}

    // A new cheque (Nuevo) goes under a fresh key, linked to the drawer of
    // its account; another updates its row. Engine failures here throw
    // TErrorOperacion.
    void GuardaTalon(tTalon& regTalon, const QString& nombreTabla);
    // A cheque typed by hand, incomplete, in the remittance's table.
    void introduceTalonManual(tTalon& regtalon, int pkRemesa);
    // The cheque of the remittance with that key over `destino`; no row
    // leaves it as passed.
    tTalon CargaRegistroTalones(int clave, int pkRemesa, tTalon destino = {});
    // The cheque editor's list of the remittance, in key order.
    tFilasLista Carga_lista_Talones(int pkRemesa, int& NumeroTrasferencias);
    void CalculaTotales(QString& importe, QString& transferencias, QString& Total_Transferencias,
                        const QString& aNombreTabla);
    // Deletes the cheque as it was loaded (`talon`) and then its images. One
    // that another program has changed, emitted or deleted since stays: the
    // refusal throws, as an engine failure does.
    void EliminaTalon(const tTalon& talon, const QString& estado = QString());
    // Deletes the duplicate cheques (state "2") of the table; their images
    // belong to the cheques they repeat and stay.
    void EminaTalonesDuplicados(const QString& nombreTabla);
    bool Quedan_Talones_Incompletos(int& Numero_Incompletos);
    bool duplicidadTalon(const QString& apk, const QString& Numero, const QString& Cuenta,
                         const QString& modelo, bool consultaLista);
    // duplicidadTalon without messages: the engine messages of the tables
    // that could not be searched (none when the answer is sure).
    QStringList buscaDuplicado(const QString& apk, const QString& Numero, const QString& Cuenta,
                               const QString& modelo, bool consultaLista, bool& duplicado);
    // Inserts a new cheque, its drawer already linked, under a fresh key.
    void insertaTalonNuevo(tTalon& regTalon, const QString& nombreTabla);
    // Of the image base names, those no cheque of a working remittance is
    // filed under (its images keep those names); none when a cheque table
    // cannot be read, so that no image is lost on a doubt.
    QSet<QString> basesSinTalon(QSet<QString> bases) const;

    // Updates the cheque and settles its drawer in one transaction over the
    // cheque table and Deudores.dat. `mostrado` is the cheque as the editor
    // loaded and showed it, `librado` its drawer as the editor holds it. A
    // cheque whose account changed goes to the first drawer of its new
    // account (a new nameless one when none has it; none for a placeholder
    // account) and takes its name when none was typed; otherwise, and
    // whenever a name was typed, the drawer's row gets the cheque's name and
    // account. Hecho: both records hold what was stored. Otherwise nothing
    // is written and the records are unchanged: CambiadoPorOtro when the
    // cheque's row is no longer `mostrado` (another program changed, emitted
    // or deleted it) or its drawer's name or account changed
    // (MensajeBBDD::TalonCambiadoAlGuardar tells the operator); an engine
    // failure throws TErrorOperacion.
    GuardadoTalon GuardaTalonEditado(const tTalon& mostrado, tTalon& talon, TCliente& librado,
                                     const QString& nombreTabla);

private:
    // The same with the amount column's text given: a cheque entered by hand
    // keeps its placeholder there.
    void insertaTalonNuevo(tTalon& regTalon, const QString& nombreTabla,
                           const QString& importeTabla);
};
