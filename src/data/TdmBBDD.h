#pragma once
// The data module: owns every table access of the application. It never opens
// a window; it reports to the operator through IInterfazUsuario.

#include "EstadoPrograma.h"
#include "IInterfazUsuario.h"
#include "Instalacion.h"
#include "Registros.h"

#include <QObject>
#include <QTimer>

struct tDefinicionTabla;

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

    tInstalacion inst_;
    tEstadoPrograma& estado_;
    IInterfazUsuario& iu_;
};

// Name of the table held by a table file (each file holds one table).
QString nombreTablaDeFichero(const QString& rutaTabla);
