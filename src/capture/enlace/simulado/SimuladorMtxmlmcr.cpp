// Simulated Excella reader library: the functions of InterfazMtxmlmcr.h over
// the folder of sample documents (ComunSimulador.h). Each MTMICRProcessCheck
// takes the next document of the hopper and answers an XML response:
//   <Response><CommandStatus><ReturnCode>0</ReturnCode></CommandStatus>
//   <DocInfo><MICRRaw>..</MICRRaw><MICRTransit>..</MICRTransit>
//   <MICRAcct>..</MICRAcct><MICRSerNum>..</MICRSerNum></DocInfo>
//   <ImageInfo><Number>3</Number><ImageSize>n bytes</ImageSize>
//   <ImageURL>..</ImageURL> (three times, the indexed elements)
//   <ImageSize1>..</ImageSize1><ImageURL1>..</ImageURL1> ... </ImageInfo></Response>
// When the hopper is empty, an automatic-feed request fails and a
// manual-feed request answers the return code "250"; the hopper is then
// filled again with the folder's documents for the next run.
//
// Faults, section [Excella] of "simulador.ini" (N: position in the run):
//   sinDispositivo=1    no device is listed
//   fallaApertura=1     MTMICROpenDevice fails
//   sinMICR=N           document N's response has no MICRRaw
//   ilegible=N          document N's codeline has unreadable characters
//   codigoNoNumerico=N  document N's return code is not a number
//   tamanoNoNumerico=N  document N's first image size is not a number
//   numeroNoNumerico=N  document N's image count is not a number

#include "ComunSimulador.h"
#include "ImagenesSimuladas.h"
#include "InterfazMtxmlmcr.h"
#include "MuestrasDocumentos.h"

#include <QFile>

#include <cstring>
#include <mutex>

namespace {

struct tSimulador {
    std::mutex mutex;
    QList<tDocumentoMuestra> tolva;
    int siguiente = 0;         // next document of the hopper
    bool cargada = false;      // the hopper holds the folder's documents
    QList<QByteArray> ultimos; // pictures of the last document, by index
};

tSimulador& sim() {
    static tSimulador s;
    return s;
}

int ajuste(const char* clave) {
    return ajusteSimulador(QStringLiteral("Excella"), QString::fromLatin1(clave));
}

QByteArray elemento(const char* nombre, const QByteArray& valor) {
    return QByteArray("<") + nombre + ">" + valor + "</" + nombre + ">";
}

QByteArray respuestaDocumento(const tDocumentoMuestra& d, int posicion) {
    QByteArray raw = d.codelineExcella;
    if (posicion == ajuste("ilegible"))
        for (qsizetype i = 9; i < 12 && i < raw.size(); ++i)
            raw[i] = '?';
    const QByteArray codigo = posicion == ajuste("codigoNoNumerico") ? "X1" : "0";
    QByteArray doc;
    if (posicion != ajuste("sinMICR"))
        doc += elemento("MICRRaw", raw);
    doc += elemento("MICRTransit", raw.mid(8, 9)) + elemento("MICRAcct", raw.mid(18, 10)) +
           elemento("MICRSerNum", raw.left(7));
    const QString rutas[] = {d.frontalJpg, d.frontalTif, d.traseraTif};
    QByteArray indexadas, numeradas;
    sim().ultimos.clear();
    for (int i = 1; i <= 3; ++i) {
        const QByteArray bytes = imagenSimulada(QStringLiteral("Excella"), posicion,
                                                static_cast<CaraSimulada>(i - 1), rutas[i - 1]);
        sim().ultimos << bytes;
        const QByteArray tamano = (i == 1 && posicion == ajuste("tamanoNoNumerico"))
                                      ? QByteArray("grande")
                                      : QByteArray::number(bytes.size()) + " bytes";
        const QByteArray url = "imagen://" + d.nombre.toLatin1() + "/" + QByteArray::number(i);
        indexadas += elemento("ImageSize", tamano) + elemento("ImageURL", url);
        numeradas += elemento(("ImageSize" + QByteArray::number(i)).constData(), tamano) +
                     elemento(("ImageURL" + QByteArray::number(i)).constData(), url);
    }
    const QByteArray numero = posicion == ajuste("numeroNoNumerico") ? "tres" : "3";
    return "<Response>" + elemento("CommandStatus", elemento("ReturnCode", codigo)) +
           elemento("DocInfo", doc) +
           elemento("ImageInfo", elemento("Number", numero) + indexadas + numeradas) +
           "</Response>";
}

// Copies the text into the caller's buffer; fails when it does not fit.
int copia(const QByteArray& texto, char* buffer, uint32_t* largo) {
    if (!buffer || !largo || static_cast<uint32_t>(texto.size()) + 1 > *largo)
        return 1;
    std::memcpy(buffer, texto.constData(), static_cast<std::size_t>(texto.size()));
    buffer[texto.size()] = '\0';
    *largo = static_cast<uint32_t>(texto.size());
    return 0;
}

// The `indice`-th (1-based) element `clave` inside element `seccion`.
bool busca(const char* respuesta, const char* seccion, const char* clave, int indice,
           QByteArray& valor) {
    const QByteArray r(respuesta ? respuesta : "");
    const QByteArray abre = QByteArray("<") + seccion + ">";
    const qsizetype inicio = r.indexOf(abre);
    const qsizetype fin = r.indexOf(QByteArray("</") + seccion + ">", inicio);
    if (inicio < 0 || fin < 0)
        return false;
    const QByteArray cuerpo = r.mid(inicio + abre.size(), fin - inicio - abre.size());
    const QByteArray abreClave = QByteArray("<") + clave + ">";
    qsizetype desde = 0;
    for (int i = 1;; ++i) {
        const qsizetype p = cuerpo.indexOf(abreClave, desde);
        if (p < 0)
            return false;
        const qsizetype q = cuerpo.indexOf(QByteArray("</") + clave + ">", p);
        if (q < 0)
            return false;
        if (i == indice) {
            valor = cuerpo.mid(p + abreClave.size(), q - p - abreClave.size());
            return true;
        }
        desde = q;
    }
}

} // namespace

extern "C" {

LECTOR_EXPORTA int LECTOR_LLAMADA MTMICRGetDevice(int indice, char* nombre) {
    anotaLlamada(QStringLiteral("MTMICRGetDevice(%1)").arg(indice));
    if (indice != 1 || ajuste("sinDispositivo") || !nombre)
        return 1;
    uint32_t largo = 200;
    return copia("  EXCELLA_SIMULADA  ", nombre, &largo);
}

LECTOR_EXPORTA int LECTOR_LLAMADA MTMICROpenDevice(const char* dispositivo) {
    anotaLlamada(QStringLiteral("MTMICROpenDevice(%1)").arg(QString::fromLatin1(dispositivo)));
    return ajuste("fallaApertura") ? 1 : 0;
}

LECTOR_EXPORTA int LECTOR_LLAMADA MTMICRCloseDevice(const char* dispositivo) {
    anotaLlamada(QStringLiteral("MTMICRCloseDevice(%1)").arg(QString::fromLatin1(dispositivo)));
    return 0;
}

LECTOR_EXPORTA int LECTOR_LLAMADA MTMICRProcessCheck(const char* dispositivo, const char* ajustes,
                                                     char* respuesta, uint32_t* largoRespuesta) {
    Q_UNUSED(dispositivo);
    const QByteArray texto(ajustes ? ajustes : "");
    const bool manual = texto.contains("<DocFeed>MANUAL</DocFeed>");
    anotaLlamada(QStringLiteral("MTMICRProcessCheck(%1)")
                     .arg(manual ? QStringLiteral("MANUAL") : QStringLiteral("AUTOFEED")));
    std::lock_guard<std::mutex> cierre(sim().mutex);
    if (!sim().cargada) {
        sim().tolva = leeMuestras(carpetaMuestras());
        sim().siguiente = 0;
        sim().cargada = true;
    }
    if (sim().siguiente >= sim().tolva.size()) {
        sim().cargada = false; // filled again for the next run
        if (!manual)
            return 1;
        return copia("<Response>" +
                         elemento("CommandStatus", elemento("ReturnCode", MTMICR_SIN_DOCUMENTO)) +
                         "</Response>",
                     respuesta, largoRespuesta);
    }
    const int posicion = ++sim().siguiente;
    return copia(respuestaDocumento(sim().tolva[posicion - 1], posicion), respuesta,
                 largoRespuesta);
}

LECTOR_EXPORTA int LECTOR_LLAMADA MTMICRGetValue(const char* respuesta, const char* seccion,
                                                 const char* clave, char* valor,
                                                 uint32_t* largoValor) {
    anotaLlamada(QStringLiteral("MTMICRGetValue(%1,%2)")
                     .arg(QString::fromLatin1(seccion), QString::fromLatin1(clave)));
    QByteArray v;
    return busca(respuesta, seccion, clave, 1, v) ? copia(v, valor, largoValor) : 1;
}

LECTOR_EXPORTA int LECTOR_LLAMADA MTMICRGetIndexValue(const char* respuesta, const char* seccion,
                                                      const char* clave, int indice, char* valor,
                                                      uint32_t* largoValor) {
    anotaLlamada(QStringLiteral("MTMICRGetIndexValue(%1,%2,%3)")
                     .arg(QString::fromLatin1(seccion), QString::fromLatin1(clave))
                     .arg(indice));
    QByteArray v;
    return busca(respuesta, seccion, clave, indice, v) ? copia(v, valor, largoValor) : 1;
}

LECTOR_EXPORTA int LECTOR_LLAMADA MTMICRGetImage(const char* dispositivo, const char* url,
                                                 char* imagen, uint32_t* tamano) {
    Q_UNUSED(dispositivo);
    const QByteArray u(url ? url : "");
    anotaLlamada(QStringLiteral("MTMICRGetImage(%1)").arg(QString::fromLatin1(u)));
    const int indice = u.mid(u.lastIndexOf('/') + 1).toInt();
    std::lock_guard<std::mutex> cierre(sim().mutex);
    if (indice < 1 || indice > sim().ultimos.size() || !imagen || !tamano)
        return 1;
    const QByteArray& bytes = sim().ultimos[indice - 1];
    if (static_cast<uint32_t>(bytes.size()) > *tamano)
        return 1;
    std::memcpy(imagen, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    *tamano = static_cast<uint32_t>(bytes.size());
    return 0;
}

} // extern "C"
