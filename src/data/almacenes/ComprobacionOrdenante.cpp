#include "ComprobacionOrdenante.h"

#include "AlmacenOrdenantes.h"
#include "ErrorOperacion.h"
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

void CompruebaValoresIntroducidos(TAlmacenOrdenantes& ordenantes, const tOrdenantes& o) {
    if (o.Nombre_ordenante.trimmed().isEmpty())
        throw TErrorOperacion(MensajeBBDD::NombrePresentadorEnBlanco);
    if (!esIbanValido(o.Cuenta) || !o.Cuenta.startsWith(QStringLiteral("ES")))
        throw TErrorOperacion(MensajeBBDD::IbanNoEspanol);
    if (!Valida_NIF_CIF(o.Nif_Sufijo.left(9)))
        throw TErrorOperacion(MensajeBBDD::NifPresentadorIncorrecto);
    if (ordenantes.DuplicadoOrdenante(o.Nif_Sufijo, o.Cuenta, o.EsNuevo, o.Pk_Ordenante))
        throw TErrorOperacion(MensajeBBDD::PresentadorDuplicado);
}
