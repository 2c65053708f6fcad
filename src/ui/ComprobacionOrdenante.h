#pragma once
// The checks of a presenter typed by the operator, in their fixed order; the
// first failure gives its message.

#include "Registros.h"

#include <QString>

class TdmBBDD;

// The account as it is stored: without blanks, so that the bank file reads
// bank, branch and account at their positions.
QString cuentaOrdenanteSinBlancos(const QString& cuenta);

bool CompruebaValoresIntroducidos(TdmBBDD& dm, const tOrdenantes& ordenante, QString& mensaje);
