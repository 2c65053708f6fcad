#include "ComprobacionOrdenante.h"

#include "Cadenas.h"
#include "Iban.h"
#include "NifCif.h"
#include "TdmBBDD.h"

QString cuentaOrdenanteSinBlancos(const QString& cuenta) {
    QString r;
    for (QChar c : cuenta)
        if (!c.isSpace())
            r += c;
    return r;
}

bool CompruebaValoresIntroducidos(TdmBBDD& dm, const tOrdenantes& o, QString& mensaje) {
    const tRegistro_Mensajes& m = Cadenas::mensajes();
    if (o.Nombre_ordenante.trimmed().isEmpty()) {
        mensaje = m.mnjErrorNombreAcreedor;
        return false;
    }
    if (!esIbanValido(o.Cuenta) || !o.Cuenta.startsWith(QStringLiteral("ES"))) {
        mensaje = m.mnjErrorIbanNoEspanol;
        return false;
    }
    if (!Valida_NIF_CIF(o.Nif_Sufijo.left(9))) {
        mensaje = m.mnjErrorNifAcreedor;
        return false;
    }
    QString duplicado;
    if (dm.DuplicadoOrdenante(o.Nif_Sufijo, o.Cuenta, o.EsNuevo, o.Pk_Ordenante, duplicado)) {
        mensaje = duplicado;
        return false;
    }
    return true;
}
