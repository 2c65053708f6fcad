// Storing the lines read by a capture window as cheques of a remittance.
#include "ServicioLectura.h"

#include "AlmacenLibrados.h"
#include "AlmacenTalones.h"
#include "ErrorOperacion.h"
#include "ImagenesTalon.h"
#include "LineaLectura.h"

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

tResultadoLectura TServicioLectura::almacenaLineasLeidas(QStringList& lista, bool todos,
                                                         VarianteLectura variante, int pkRemesa,
                                                         TipoLector::Tipo tipoLector) {
    using Motivo = tLineaNoGuardada::Motivo;
    tResultadoLectura r;
    const qsizetype lineas = lista.size();
    int correctos = 0; // stored with every field correct
    // The Excella lines are numbered by their place, so that list is left as
    // it is (its window settles it); from the others each stored line is
    // removed, so the list is walked with an index that only passes the
    // lines that stay.
    const bool borraGuardadas = variante != VarianteLectura::Excella;
    const bool conImagenes = tipoLector != TipoLector::Teclado;
    const QString tabla = inst_.rutaTablaTalones(pkRemesa);
    const tAbreDestino abreImagen = [this](const QString& ruta) {
        return bd_.destino().dispositivo(ruta);
    };
    // The cheque table, the drawers and the history are opened once for the
    // whole batch; each line still commits on its own.
    const TBaseDatos::TRecorrido recorrido(bd_);
    TAlmacenTalones talones(bd_);
    QString error;
    qsizetype i = 0;
    // A table that refuses a line ends the batch there; the lines already
    // stored stay stored.
    try {
        while (i < lista.size()) {
            const auto deja = [&](const QString& secuencia, Motivo motivo) {
                r.noGuardadas.append({lista.at(i), secuencia, motivo});
                ++r.invalidos;
                ++i;
            };
            tLineaDecodificada d = decodificaLinea(lista.at(i), variante, conImagenes);
            const QString secuencia = secuenciaDe(d, variante, i);
            if (d.lecturaErronea && !todos) {
                deja(secuencia, Motivo::LecturaIncompleta);
                continue;
            }
            tTalon& talon = d.talon;
            talon.fk_Remesas = pkRemesa;
            talon.Pk_Talon = bd_.claveNueva(QStringLiteral("Pk_Talon"), tabla);
            bool duplicado = false;
            if (const QStringList e =
                    talones.buscaDuplicado(QString::number(talon.Pk_Talon), talon.Numero,
                                           talon.Cuenta, talon.numero_Modelo, true, duplicado);
                !e.isEmpty()) {
                // Not knowing whether it is a duplicate, the cheque could be
                // emitted twice: it waits.
                error = e.join(QChar(u'\n'));
                break;
            }
            if (duplicado)
                marcaDuplicado(d);

            if (conImagenes && secuencia.isEmpty()) {
                deja(secuencia, Motivo::LecturaIncompleta);
                continue;
            }
            const tCopiaLeidas copia =
                copiaImagenesLectura(inst_.dirs, secuencia, d.baseImagen, tipoLector, abreImagen);
            if (copia.resultado == tCopiaLeidas::Resultado::Faltan) {
                deja(secuencia, Motivo::LecturaIncompleta);
                continue;
            }
            if (copia.resultado == tCopiaLeidas::Resultado::NoCopiadas) {
                if (r.carpetaImagenes.isEmpty()) {
                    r.carpetaImagenes = copia.carpeta;
                    r.causaImagenes = copia.causa;
                }
                deja(secuencia, Motivo::ImagenesNoCopiadas);
                continue;
            }

            // A cheque without its drawer would be filed under no one: it waits.
            TAlmacenLibrados(bd_).asignaLibrado(talon);
            talones.insertaTalonNuevo(talon, tabla);
            ++r.buenos;
            correctos += talon.Estado == Estado::Correcto ? 1 : 0;
            r.guardadas.append({secuencia, talon.Pk_Talon});
            if (borraGuardadas)
                lista.removeAt(i);
            else
                ++i;
        }
    } catch (const TErrorOperacion& e) {
        error = e.texto();
    }
    if (!error.isEmpty()) {
        // A table refused a cheque: that line and the ones after it stay
        // unstored, and the operator is told once, not once per line.
        for (; i < lista.size(); ++i) {
            const tLineaDecodificada d = decodificaLinea(lista.at(i), variante, conImagenes);
            r.noGuardadas.append({lista.at(i), secuenciaDe(d, variante, i), Motivo::Tabla});
            ++r.invalidos;
        }
        iu_.muestraMensaje(error);
    }
    iu_.anotaSuceso(QStringLiteral("Lecturas guardadas: %1 líneas, %2 correctas, %3 "
                                   "incompletas o duplicadas, %4 sin guardar")
                        .arg(lineas)
                        .arg(correctos)
                        .arg(r.buenos - correctos)
                        .arg(r.invalidos));
    return r;
}
