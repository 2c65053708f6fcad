#pragma once
// The details of each act that the activity record keeps, in Spanish, read
// from the tables before the act changes them.

#include "IInterfazUsuario.h"
#include "Instalacion.h"
#include "Registros.h"

#include <QList>
#include <QString>

// "CONS.0001 de la remesa ESTANDAR: 3 cheques por 1.234,56 euros".
QString detalleEmision(const QString& nombreCons, const QString& remesa, int talones,
                       qint64 centimos);

// The history cheque with that key: number, model, account, amount, drawer
// and emission.
QString detalleChequeHistorico(const QString& rutaHistoricoCheques, int clave);

// The remittance with that key and how many cheques its table holds.
QString detalleRemesa(const QString& rutaRemesas, const QString& rutaTalones, int clave);

// Each drawer (name and account) and how many cheques of remittance 1 go with it.
QString detalleLibrados(const QString& rutaDeudores, const QString& rutaTalones,
                        const QList<int>& claves);

// Records a change of the scanner settings, naming each value that changed;
// nothing when none did.
void anotaCambioEscaner(const tInstalacion& inst, IInterfazUsuario& iu, const tEscaner& antes,
                        const tEscaner& despues);
