#include "TdmBBDD.h"

#include "ActualizacionHistorico.h"
#include "AlmacenHistorico.h"
#include "AlmacenLibrados.h"
#include "AlmacenOrdenantes.h"
#include "AlmacenRemesas.h"
#include "AlmacenTalones.h"
#include "ServicioEmision.h"
#include "ServicioLectura.h"
#include "TablasInstalacion.h"

TdmBBDD::TdmBBDD(const tInstalacion& instalacion, tEstadoPrograma& estado, IInterfazUsuario& iu)
    : bd_(instalacion, iu), estado_(estado), tablas_(std::make_unique<TTablasInstalacion>(bd_)),
      remesas_(std::make_unique<TAlmacenRemesas>(bd_)),
      talones_(std::make_unique<TAlmacenTalones>(bd_)),
      ordenantes_(std::make_unique<TAlmacenOrdenantes>(bd_)),
      librados_(std::make_unique<TAlmacenLibrados>(bd_)),
      historico_(std::make_unique<TAlmacenHistorico>(bd_)),
      actualizacion_(std::make_unique<TActualizacionHistorico>(bd_)),
      emision_(std::make_unique<TServicioEmision>(bd_)),
      lectura_(std::make_unique<TServicioLectura>(bd_)) {}

TdmBBDD::~TdmBBDD() = default;

QString TdmBBDD::rutaTalonesActual() const {
    return bd_.instalacion().rutaTablaTalones(estado_.RemesaActual.Pk_Remesa);
}

bool TdmBBDD::facturaFichero(const tRemesas& registroRemesa, const QString& fecha_Confeccion,
                             const QString& fecha_Proceso) {
    const std::optional<tEmisionHecha> hecha = emision_->facturaFichero(
        registroRemesa, estado_.OrdenanteActual.Pk_Ordenante, fecha_Confeccion, fecha_Proceso);
    if (!hecha)
        return false;
    estado_.RemesaActual.nombre_Cons = hecha->nombreCons;
    estado_.OrdenanteActual = hecha->ordenante;
    return true;
}

tResultadoLectura TdmBBDD::almacenaLineasLeidas(QStringList& lista, bool todos,
                                                VarianteLectura variante) {
    return lectura_->almacenaLineasLeidas(lista, todos, variante, estado_.RemesaActual.Pk_Remesa,
                                          TipoLector::Tipo(estado_.Escaner.tipo));
}
