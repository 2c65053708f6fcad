#include "InformesEmision.h"

#include "ErrorOperacion.h"
#include "FicherosTexto.h"
#include "Importes.h"
#include "Numeros.h"
#include "Textos.h"

#include <QStringList>

namespace {

QString sangria(int blancos, const QString& texto) {
    return QString(blancos, u' ') + texto;
}

QString asteriscos() {
    return QString(94, u'*');
}

// A count right-aligned with blanks (a wider number is written whole).
QString cuenta(const QString& numero, int ancho) {
    const std::optional<QString> alineado = alineaEnteroDerecha(numero.trimmed(), ancho);
    if (!alineado)
        throw TErrorOperacion(QStringLiteral("'%1' no es un número válido").arg(numero));
    return *alineado;
}

QString importeEn15(const QString& importePlano) {
    return rellenaCadena(importeInforme(importePlano), QStringLiteral(" "), 15, false);
}

} // namespace

QStringList lineasCartaOrden(const tRemesas& r, const QString& nombreBanco) {
    // Columns 12-24 the count, 40-54 the amount, from 64 the process date.
    const QString totales = sangria(11, cuenta(r.Numero_Talones, 13)) + QString(15, u' ') +
                            importeEn15(r.Importe) + QString(9, u' ') + r.Fecha_Proceso;
    QStringList l;
    l << sangria(37, QStringLiteral("CARTA ORDEN"))                               // 1
      << sangria(31, QStringLiteral("REMESA DE TALONES"))                         // 2
      << sangria(31, QString(25, u'-'))                                           // 3
      << QString()                                                                // 4
      << sangria(1, QStringLiteral("Fecha de Confección :") + r.Fecha_Confeccion) // 5
      << sangria(1, QStringLiteral("Remesa: ") + r.nombre_Cons)                   // 6
      << QString() << QString()                                                   // 7-8
      << sangria(1, QStringLiteral("IDENTIFICACIÓN DEL PRESENTADOR"))             // 9
      << sangria(1, QString(30, u'-'))                                            // 10
      << sangria(1, QStringLiteral("Nombre y Apellidos : ") + r.Nombre_Ordenante) // 11
      << sangria(1, QStringLiteral("CIF/NIF : ") + r.Nif)                         // 12
      << QString() << QString()                                                   // 13-14
      << sangria(29, QStringLiteral("DESTINO :"))                                 // 15
      << sangria(29, nombreBanco)                                                 // 16
      << QString() << QString()                                                   // 17-18
      << sangria(13, QStringLiteral("Muy Sres. nuestros:"))                       // 19
      << QString() << QString()                                                   // 20-21
      << sangria(13, QStringLiteral(
                         "Adjunto les entregamos fichero con remesa de Cheques según el")) // 22
      << sangria(7, QStringLiteral("siguiente detalle:"))                                  // 23
      << QString() << QString() << QString() << QString()                                  // 24-27
      << sangria(12, QStringLiteral("Número de Cheques") + QString(12, u' ') +
                         QStringLiteral("Importe Total") + QString(5, u' ') +
                         QStringLiteral("Fecha Proceso")) // 28
      << sangria(12, QString(24, u'-') + QString(5, u' ') + QString(13, u'-') + QString(5, u' ') +
                         QString(15, u'-'))               // 29
      << totales                                          // 30
      << QString() << QString() << QString() << QString() // 31-34
      << sangria(
             19,
             QStringLiteral("Les rogamos gestionen la citada remesa, en la fecha de proceso")) // 35
      << sangria(
             6, QStringLiteral("consignada y abonen el importe resultante en nuestra cuenta")) // 36
      << QString()                                                                             // 37
      << sangria(19, QStringLiteral("Atentamente,"))                                           // 38
      << QString() << QString()                                        // 39-40
      << sangria(42, QStringLiteral("Firma y sello del Presentador")); // 41
    for (int i = 42; i <= 50; ++i)
        l << QString();
    l << sangria(6, QStringLiteral("RECIBÍ :"))                              // 51
      << sangria(6, QStringLiteral("Firma y sello de la Oficina receptora")) // 52
      << QString();                                                          // 53
    return l;
}

QString importeInforme(const QString& importePlano) {
    const std::optional<tImporte> importe = tImporte::leePlano(importePlano);
    if (!importe)
        throw TErrorOperacion(QStringLiteral("'%1' no es un importe válido").arg(importePlano));
    return importe->centimos() == 0 ? QStringLiteral("Zero") : importe->visible();
}

void escribeCartaOrden(const QString& ruta, const tRemesas& remesa, const QString& nombreBanco,
                       const IDestinoFicheros& destino) {
    creaFicheroTexto(ruta, lineasCartaOrden(remesa, nombreBanco), destino);
}

QStringList lineasCabeceraInforme(const tRemesas& r) {
    return {asteriscos(),
            QStringLiteral("     INFORME DETALLADO DE LA REMESA    ") + r.nombre_Cons +
                QStringLiteral("    FECHA : ") + r.Fecha_Confeccion +
                QStringLiteral("          Página : 1"),
            asteriscos(),
            QStringLiteral("NOMBRE : ") + r.Nombre_Ordenante +
                QStringLiteral("        NIF/CIF : ") + r.Nif,
            QStringLiteral("IBAN : ") + r.Cuenta_Acreedor,
            QStringLiteral("FECHA DE PROCESO : ") + r.Fecha_Proceso,
            QString()};
}

void escribeCabeceraInforme(const QString& ruta, const tRemesas& r,
                            const IDestinoFicheros& destino) {
    creaFicheroTexto(ruta, lineasCabeceraInforme(r), destino);
}

QStringList lineasDetalleTalon(const tTalon& t) {
    QStringList l{QString(),
                  QStringLiteral("Número de Cheque: ") + t.Numero + QStringLiteral("  Cuenta: ") +
                      t.Cuenta + QStringLiteral("  Importe: ") +
                      (t.Importe ? t.Importe->visible() : QString()),
                  QStringLiteral("Modelo Cheque: ") + t.Modelo_Talon +
                      QStringLiteral("  Nombre Librado: ") + t.Nombre_Cliente};
    if (t.numero_Modelo.startsWith(u'8'))
        l << QStringLiteral("Fecha de Vencimiento: ") + t.FechaPago +
                 QStringLiteral("  Pagaré a la orden - al portador: ") +
                 (t.indicador == 0 ? QStringLiteral("SI") : QStringLiteral("NO"));
    return l;
}

void escribeDetalleTalon(const QString& ruta, const tTalon& t, const IDestinoFicheros& destino) {
    anadeFicheroTexto(ruta, lineasDetalleTalon(t), destino);
}

QStringList lineasTotalesInforme(const tRemesas& r) {
    return {QString(), asteriscos(),
            QStringLiteral("Número de Talones: ") + cuenta(r.Numero_Talones, 3),
            QStringLiteral("Importe Total: ") + importeEn15(r.Importe)};
}

void escribeTotalesInforme(const QString& ruta, const tRemesas& r,
                           const IDestinoFicheros& destino) {
    anadeFicheroTexto(ruta, lineasTotalesInforme(r), destino);
}
