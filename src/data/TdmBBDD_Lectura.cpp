// Storing the lines read by a capture window as cheques of the current
// remittance.
#include "ImagenesTalon.h"
#include "LineaLectura.h"
#include "TdmBBDD.h"

namespace {

// Where the temporary images of a line are: the text after "¬" for the
// decoders that carry it, the line's position for the Excella decoder.
// Empty when an image-taking reader left no sequence number on the line.
QString secuenciaDe(const tLineaDecodificada& d, VarianteLectura variante, qsizetype posicion) {
    if (variante == VarianteLectura::Excella)
        return QString::number(posicion + 1);
    return d.tieneSecuencia ? d.secuencia : QString();
}

} // namespace

void TdmBBDD::introduceEnTablasTalones(QStringList& lista, bool todos, int& buenos,
                                       int& invalidos) {
    introduceLineas(lista, todos, buenos, invalidos, VarianteLectura::Normal);
}

void TdmBBDD::introduceEnTablasTalonesSAFE(QStringList& lista, bool todos, int& buenos,
                                           int& invalidos) {
    introduceLineas(lista, todos, buenos, invalidos, VarianteLectura::SAFE);
}

void TdmBBDD::introduceEnTablasTalonesExcella(QStringList& lista, bool todos, int& buenos,
                                              int& invalidos) {
    introduceLineas(lista, todos, buenos, invalidos, VarianteLectura::Excella);
}

void TdmBBDD::introduceLineas(QStringList& lista, bool todos, int& buenos, int& invalidos,
                              VarianteLectura variante) {
    buenos = 0;
    invalidos = 0;
    // The Excella capture window empties its own list; the others keep the
    // lines that were not stored, so the list is walked with an index that
    // only passes the lines that stay.
    const bool borraGuardadas = variante != VarianteLectura::Excella;
    const int tipoLector = estado_.Escaner.tipo;
    const QString tabla = rutaTalonesActual();
    // The cheque table, the drawers and the history are opened once for the
    // whole batch; each line still commits on its own.
    const TRecorrido recorrido(*this);
    QString error;
    qsizetype i = 0;
    while (i < lista.size()) {
        tLineaDecodificada d =
            decodificaLinea(lista.at(i), variante, tipoLector != TipoLector::Teclado);
        if (d.lecturaErronea && !todos) {
            ++invalidos;
            ++i;
            continue;
        }
        tTalon& talon = d.talon;
        talon.fk_Remesas = estado_.RemesaActual.Pk_Remesa;
        talon.Pk_Talon = claveNueva(QStringLiteral("Pk_Talon"), tabla, error);
        if (talon.Pk_Talon == 0)
            break;
        if (duplicidadTalon(QString::number(talon.Pk_Talon), talon.Numero, talon.Cuenta,
                            talon.numero_Modelo, true))
            marcaDuplicado(d);

        const QString secuencia = secuenciaDe(d, variante, i);
        const bool sinSecuencia = tipoLector != TipoLector::Teclado && secuencia.isEmpty();
        if (sinSecuencia || !copiaImagenesLeidas(inst_.dirs, secuencia, d.baseImagen, tipoLector)) {
            ++invalidos;
            ++i;
            continue;
        }

        talon = CompruebaLibrado(talon);
        if (!GuardaTalon(talon, error, tabla))
            break;
        ++buenos;
        if (borraGuardadas)
            lista.removeAt(i);
        else
            ++i;
    }
    if (!error.isEmpty()) {
        // The cheque table refused a cheque: that line and the ones after it
        // stay unstored, and the operator is told once, not once per line.
        invalidos += int(lista.size() - i);
        iu_.muestraMensaje(error);
    }
}
