#pragma once
// The data module as the windows reach it: it owns the shared database, the
// stores by aggregate and the two services, and hands each window the one it
// uses (its header says what it does). The few operations here are those
// that join the program state to a service: the current remittance, the
// presenter chosen for the emission and the configured reader. It never
// opens a window; it reports to the operator through IInterfazUsuario.

#include "BaseDatos.h"
#include "EstadoPrograma.h"
#include "LineaLectura.h"
#include "ResultadoLectura.h"

#include <memory>

class TTablasInstalacion;
class TAlmacenRemesas;
class TAlmacenTalones;
class TAlmacenOrdenantes;
class TAlmacenLibrados;
class TAlmacenHistorico;
class TActualizacionHistorico;
class TServicioEmision;
class TServicioLectura;

class TdmBBDD {
public:
    TdmBBDD(const tInstalacion& instalacion, tEstadoPrograma& estado, IInterfazUsuario& iu);
    ~TdmBBDD();
    TdmBBDD(const TdmBBDD&) = delete;
    TdmBBDD& operator=(const TdmBBDD&) = delete;

    const tInstalacion& instalacion() const { return bd_.instalacion(); }
    tEstadoPrograma& estado() { return estado_; }
    IInterfazUsuario& iu() { return bd_.iu(); }
    TBaseDatos& base() { return bd_; }

    TTablasInstalacion& tablas() { return *tablas_; }
    TAlmacenRemesas& remesas() { return *remesas_; }
    TAlmacenTalones& talones() { return *talones_; }
    TAlmacenOrdenantes& ordenantes() { return *ordenantes_; }
    TAlmacenLibrados& librados() { return *librados_; }
    TAlmacenHistorico& historico() { return *historico_; }
    TActualizacionHistorico& actualizacion() { return *actualizacion_; }
    TServicioEmision& emision() { return *emision_; }
    TServicioLectura& lectura() { return *lectura_; }

    // Cheque table of the current remittance.
    QString rutaTalonesActual() const;

    // The emission of the remittance by the current presenter
    // (OrdenanteActual), as TServicioEmision::facturaFichero; when it
    // emitted, the current remittance takes the emission's file name and
    // the current presenter is the one the file names. True when it emitted.
    bool facturaFichero(const tRemesas& registroRemesa, const QString& fecha_Confeccion,
                        const QString& fecha_Proceso);

    // The read lines of `lista` stored as cheques of the current remittance
    // with the configured reader's images (TServicioLectura).
    tResultadoLectura almacenaLineasLeidas(QStringList& lista, bool todos,
                                           VarianteLectura variante);

private:
    TBaseDatos bd_;
    tEstadoPrograma& estado_;
    std::unique_ptr<TTablasInstalacion> tablas_;
    std::unique_ptr<TAlmacenRemesas> remesas_;
    std::unique_ptr<TAlmacenTalones> talones_;
    std::unique_ptr<TAlmacenOrdenantes> ordenantes_;
    std::unique_ptr<TAlmacenLibrados> librados_;
    std::unique_ptr<TAlmacenHistorico> historico_;
    std::unique_ptr<TActualizacionHistorico> actualizacion_;
    std::unique_ptr<TServicioEmision> emision_;
    std::unique_ptr<TServicioLectura> lectura_;
};
