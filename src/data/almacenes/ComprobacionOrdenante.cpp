#include "ComprobacionOrdenante.h"

#include "AlmacenOrdenantes.h"
#include "Iban.h"
#include "NifCif.h"
#include "TextosBBDD.h"

QString cuentaOrdenanteSinBlancos(const QString& cuenta) {
    QString r;
    for (QChar c : cuenta)
        if (!c.isSpace())
            r += c;
    return r;
}

bool CompruebaValoresIntroducidos(TAlmacenOrdenantes& ordenantes, const tOrdenantes& o,
                                  QString& mensaje) {
    if (o.Nombre_ordenante.trimmed().isEmpty()) {
        mensaje = MensajeBBDD::NombrePresentadorEnBlanco;
        return false;
    }
    if (!esIbanValido(o.Cuenta) || !o.Cuenta.startsWith(QStringLiteral("ES"))) {
        mensaje = MensajeBBDD::IbanNoEspanol;
        return false;
    }
    if (!Valida_NIF_CIF(o.Nif_Sufijo.left(9))) {
        mensaje = MensajeBBDD::NifPresentadorIncorrecto;
        return false;
    }
    QString duplicado;
    if (ordenantes.DuplicadoOrdenante(o.Nif_Sufijo, o.Cuenta, o.EsNuevo, o.Pk_Ordenante,
                                      duplicado)) {
        mensaje = duplicado;
        return false;
    }
    return true;
}
