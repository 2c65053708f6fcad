#pragma once
// The checks of a presenter typed by the operator, in their fixed order; the
// first failure gives its message. They sit with the presenter store, as the
// drawer's duplicate check sits with the drawer store.

#include "Registros.h"

#include <QString>

class TAlmacenOrdenantes;

// The account as it is stored: without blanks, so that the bank file reads
// bank, branch and account at their positions.
QString cuentaOrdenanteSinBlancos(const QString& cuenta);

// The first check that fails throws TErrorOperacion with its message, as
// does an engine failure of the duplicate look-up.
void CompruebaValoresIntroducidos(TAlmacenOrdenantes& ordenantes, const tOrdenantes& ordenante);
