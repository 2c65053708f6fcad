#include "TAdaptadorExcella.h"

#include "CodelineLector.h"
#include "EscrituraSegura.h"
#include "ImagenesTalon.h"

#include <QDir>
#include <QFile>
#include <QThread>

namespace {

const char* const FragmentosComunes[] = {
    "<ImageColor1>GRAY8</ImageColor1><Resolution1>200X200</Resolution1><Compression1>JPEG</"
    "Compression1>",
    "<FileType1>JPG</FileType1><ImageSide1>FRONT</ImageSide1>",
    "<ImageColor2>BW</ImageColor2><Resolution2>200X200</Resolution2><Compression2>GROUP4</"
    "Compression2>",
    "<FileType2>TIF</FileType2><ImageSide2>FRONT</ImageSide2>",
    "<ImageColor3>BW</ImageColor3><Resolution3>200X200</Resolution3><Compression3>GROUP4</"
    "Compression3>",
    "<FileType3>TIF</FileType3><ImageSide3>BACK</ImageSide3>",
    "</ImageOptions></DeviceSettings>",
};

// A whole decimal integer, as the return code and the image count must be.
bool esEntero(const QByteArray& texto, int* valor = nullptr) {
    bool ok = false;
    const int v = texto.toInt(&ok);
    if (ok && valor)
        *valor = v;
    return ok;
}

// File name of image `indice` of line n (lower case, as the storing step reads).
QString nombreImagen(int indice, int n) {
    switch (indice) {
    case 1:
        return ImagenCheque::FrontalJpg.nombre(QString::number(n));
    case 2:
        return ImagenCheque::FrontalTif.nombre(QString::number(n));
    case 3:
        return ImagenCheque::TraseroTif.nombre(QString::number(n));
    default:
        return QString();
    }
}

} // namespace

struct TAdaptadorExcella::tRun {
    QString carpeta;
    int ultimaLinea = 0;   // number of the last line added
    bool conLinea = false; // the current document added a line
    bool fin = false;      // the run must end
    QByteArray respuesta;
};

TAdaptadorExcella::TAdaptadorExcella(TEnlaceMtxmlmcr& enlace, QObject* parent)
    : QObject(parent), m_enlace(enlace), m_espera([](int ms) { QThread::msleep(ms); }) {}

QByteArray TAdaptadorExcella::documentoAjustes(TipoLector::Tipo tipo) {
    QByteArray d = "<?xml version=\"1.0\"?><DeviceSettings><Application><Transfer>HTTP</"
                   "Transfer><DocUnits>ENGLISH</DocUnits></Application>";
    if (tipo == TipoLector::Excella) {
        d += "<ProcessOptions><ReadMICR>CMC7</ReadMICR><Endorse>NO</Endorse><DocFeed>AUTOFEED</"
             "DocFeed>";
        d += "<DblPickDet>NO</DblPickDet><RespondEarly>NO</RespondEarly></"
             "ProcessOptions><ImageOptions><Number>3</Number>";
    } else {
        d += "<ProcessOptions><ReadMICR>CMC7</ReadMICR><Endorse>NO</Endorse><DocFeed>MANUAL</"
             "DocFeed>";
        d += "<RespondEarly>NO</RespondEarly></ProcessOptions><ImageOptions><Number>3</Number>";
    }
    for (const char* f : FragmentosComunes)
        d += f;
    return d;
}

QByteArray TAdaptadorExcella::DevuelveNombreDispositivo() {
    QByteArray resultado;
    // A bounded walk: a library that never says "past the last" must not hang.
    for (int indice = 1; indice <= 64; ++indice) {
        QByteArray nombre;
        m_resultadoDispositivo = m_enlace.getDevice(indice, nombre);
        if (m_resultadoDispositivo != 0)
            break;
        nombre = nombre.trimmed();
        if (nombre.size() > 1)
            resultado = nombre;
    }
    return resultado;
}

bool TAdaptadorExcella::Abre_Cierra_Dispositivo(const QByteArray& nombre, bool abrir) {
    if (abrir && !m_abierto) {
        m_resultadoDispositivo = m_enlace.openDevice(nombre);
        m_abierto = m_resultadoDispositivo == 0;
        return m_abierto;
    }
    if (!abrir && m_abierto) {
        m_resultadoDispositivo = m_enlace.closeDevice(nombre);
        m_abierto = m_resultadoDispositivo != 0;
        return !m_abierto;
    }
    return true;
}

bool TAdaptadorExcella::leerCheques(int tipo, const QString& carpetaImagenes, int lineasEnLista) {
    m_dispositivo = DevuelveNombreDispositivo();
    if (m_dispositivo.isEmpty() || !Abre_Cierra_Dispositivo(m_dispositivo, true)) {
        fallo(m_dispositivo.isEmpty() ? QStringLiteral("MTMICRGetDevice")
                                      : QStringLiteral("MTMICROpenDevice"),
              QString::number(m_resultadoDispositivo), MensajeNoPreparado);
        return false;
    }
    tRun run;
    run.carpeta = carpetaImagenes;
    run.ultimaLinea = lineasEnLista;
    if (tipo == TipoLector::Excella)
        bucleAutomatico(run);
    else
        bucleManual(run);
    return true;
}

void TAdaptadorExcella::reiniciar() {
    Abre_Cierra_Dispositivo(m_dispositivo, false);
    Abre_Cierra_Dispositivo(m_dispositivo, true);
}

void TAdaptadorExcella::cierraVentana() {
    Abre_Cierra_Dispositivo(m_dispositivo, false);
}

bool TAdaptadorExcella::anadeLinea(tRun& run) {
    QByteArray raw;
    const int r = m_enlace.getValue(run.respuesta, "DocInfo", "MICRRaw", raw, LargoValor);
    run.conLinea = r == 0;
    if (!run.conLinea) {
        fallo(QStringLiteral("MTMICRGetValue(MICRRaw)"), QString::number(r),
              MensajeDocumentoNoLeido);
        return false;
    }
    const QString codeline = limpiaCodelineLector(raw);
    const QString linea =
        (codeline.contains(QChar(u'?')) ? QStringLiteral("ERROR ") : QStringLiteral("+")) +
        codeline;
    emit lineaLeida(linea, ++run.ultimaLinea);
    // Files of this number left by an earlier showing or a cleared list must
    // not pass for this document's images when one of them is not fetched.
    for (int indice = 1; indice <= 3; ++indice)
        QFile::remove(QDir(run.carpeta).filePath(nombreImagen(indice, run.ultimaLinea)));
    return true;
}

void TAdaptadorExcella::consultasSinUso(tRun& run) {
    QByteArray valor;
    for (const char* clave : {"MICRTransit", "MICRAcct", "MICRSerNum"})
        m_enlace.getValue(run.respuesta, "DocInfo", clave, valor, LargoValorGrande);
}

int TAdaptadorExcella::imagen(tRun& run, int indice, bool indexada) {
    QByteArray tamanoTexto, url;
    const QByteArray sufijo = QByteArray::number(indice);
    const int r = indexada ? m_enlace.getIndexValue(run.respuesta, "ImageInfo", "ImageSize", indice,
                                                    tamanoTexto, LargoValor)
                           : m_enlace.getValue(run.respuesta, "ImageInfo", "ImageSize" + sufijo,
                                               tamanoTexto, LargoValor);
    if (r != 0)
        return r;
    const QByteArray cifra = tamanoTexto.trimmed().split(' ').value(0);
    int tamano = 0;
    if (!esEntero(cifra, &tamano) || tamano < 0) {
        const QString valor = QString::fromLatin1(tamanoTexto.trimmed());
        fallo(QStringLiteral("MTMICRGetValue(ImageSize)"), valor,
              QStringLiteral("El lector indicó un tamaño de imagen no válido (%1). "
                             "La lectura se ha detenido.")
                  .arg(valor));
        run.fin = true;
        return -1;
    }
    if (indexada)
        m_enlace.getIndexValue(run.respuesta, "ImageInfo", "ImageURL", indice, url, LargoValor);
    else
        m_enlace.getValue(run.respuesta, "ImageInfo", "ImageURL" + sufijo, url, LargoValor);
    QByteArray bytes(tamano, '\0');
    const int resultado = m_enlace.getImage(m_dispositivo, url, bytes);
    const QString nombre = nombreImagen(indice, run.ultimaLinea);
    // The run ends there without a message of its own: the log keeps why.
    if (resultado != 0)
        m_enlace.biblioteca().anotaError(
            QStringLiteral("MTMICRGetImage"), resultado,
            QStringLiteral("no llegó la imagen %1 del cheque número %2")
                .arg(indice)
                .arg(run.ultimaLinea));
    if (resultado != 0 || nombre.isEmpty())
        return resultado;
    const QString ruta = QDir(run.carpeta).filePath(nombre);
    if (const auto error = escribeFicheroEntero(ruta, bytes)) {
        emit mensaje(QStringLiteral("No se pudo escribir la imagen %1: %2. "
                                    "La lectura se ha detenido.")
                         .arg(QDir::toNativeSeparators(ruta), *error));
        run.fin = true;
        return -1;
    }
    return resultado;
}

void TAdaptadorExcella::bucleAutomatico(tRun& run) {
    const QByteArray ajustes = documentoAjustes(TipoLector::Excella);
    int ultimo = 0;
    do {
        // The response buffer is whole for every document.
        if (m_enlace.processCheck(m_dispositivo, ajustes, run.respuesta, LargoRespuesta) != 0)
            break;
        QByteArray codigo;
        ultimo =
            m_enlace.getValue(run.respuesta, "CommandStatus", "ReturnCode", codigo, LargoValor);
        if (!esEntero(codigo)) {
            ultimo = m_enlace.getValue(run.respuesta, "CommandStatus", "ReturnCode", codigo,
                                       LargoValorGrande);
            fallo(QStringLiteral("ReturnCode"), QString::fromLatin1(codigo.trimmed()),
                  MensajeCodigoNoValido);
            continue; // the document is skipped
        }
        const bool conLinea = anadeLinea(run);
        consultasSinUso(run);
        ultimo = 0;
        if (!conLinea)
            continue;
        for (int indice = 1; indice <= 3 && !run.fin; ++indice)
            ultimo = imagen(run, indice, true);
    } while (ultimo == 0 && !run.fin);
}

void TAdaptadorExcella::bucleManual(tRun& run) {
    const QByteArray ajustes = documentoAjustes(TipoLector::ExcellaSTX);
    const QByteArray sinDocumento = MTMICR_SIN_DOCUMENTO;
    int ultimo = 0;
    QByteArray codigo;
    do {
        m_enlace.processCheck(m_dispositivo, ajustes, run.respuesta, LargoRespuesta);
        if (m_enlace.getValue(run.respuesta, "CommandStatus", "ReturnCode", codigo, LargoValor) !=
            0) {
            m_espera(EsperaManual);
            break;
        }
        if (codigo == sinDocumento)
            break;
        ultimo =
            m_enlace.getValue(run.respuesta, "CommandStatus", "ReturnCode", codigo, LargoValor);
        if (codigo == sinDocumento) {
            m_espera(EsperaManual);
            break;
        }
        if (!esEntero(codigo)) {
            ultimo = m_enlace.getValue(run.respuesta, "CommandStatus", "ReturnCode", codigo,
                                       LargoValorGrande);
            fallo(QStringLiteral("ReturnCode"), QString::fromLatin1(codigo.trimmed()),
                  MensajeCodigoNoValido);
            m_espera(EsperaManual);
            continue;
        }
        const bool conLinea = anadeLinea(run);
        consultasSinUso(run);
        QByteArray numeroTexto;
        ultimo =
            m_enlace.getValue(run.respuesta, "ImageInfo", "Number", numeroTexto, LargoValorGrande);
        int numero = 0;
        if (conLinea && !esEntero(numeroTexto.trimmed(), &numero)) {
            const QString valor = QString::fromLatin1(numeroTexto.trimmed());
            fallo(QStringLiteral("MTMICRGetValue(Number)"), valor,
                  QStringLiteral("El lector indicó un número de imágenes no válido "
                                 "(%1). La lectura se ha detenido.")
                      .arg(valor));
            break;
        }
        for (int indice = 1; conLinea && indice <= numero && !run.fin; ++indice)
            ultimo = imagen(run, indice, false);
        if (run.fin)
            break;
        m_espera(EsperaManual);
    } while (ultimo == 0 && codigo != sinDocumento);
}

void TAdaptadorExcella::fallo(const QString& llamada, const QString& codigo, const QString& texto) {
    m_enlace.biblioteca().anotaError(llamada, codigo, texto);
    emit mensaje(texto);
}
