// Simulated Seac Banche reader library: the functions of InterfazRd3lib.h over
// a folder of sample documents (MuestrasDocumentos.h), so that the program's
// own binding runs without a reader. rdStart feeds every document of the
// folder from a thread of the library's own, as a real reader may: for each
// one it calls the codeline handler, then writes the images under the names
// that the handler set, then calls the image-stored and document-done
// handlers; at the end the feeder-empty and all-done handlers.
//
// The sample folder is that of ComunSimulador.h. Its "simulador.ini", section [SeacBanche], tells
// which fault to show (N is the 1-based position of a document in the run):
//   sinLector=1          rdInit answers -1 (no reader)
//   fallaImageSetup=1    rdsImageSetup fails (answers -5)
//   atasco=N             document N jams: error 1024, the run stops
//   dobleAlimentacion=N  document N is a double feed: error 4096, the run stops
//   ilegible=N           document N's codeline has unreadable characters
//   sinImagenes=N        document N's images are not written
//   documentos=K         at most K documents per run
//   pausa=ms             pause between documents (10 by default)
// Extra functions for tests: those of ComunSimulador.h and simEsperaFin.

#include "ComunSimulador.h"
#include "ImagenesSimuladas.h"
#include "InterfazRd3lib.h"
#include "MuestrasDocumentos.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <map>
#include <mutex>
#include <thread>
#include <tuple>

namespace {

struct tAjustes {
    bool sinLector = false;
    bool fallaImageSetup = false;
    int atasco = 0;
    int dobleAlimentacion = 0;
    int ilegible = 0;
    int sinImagenes = 0;
    int documentos = -1;
    int pausa = 10;
};

// The library's state: one reader per process, as with the real library.
struct tSimulador {
    std::mutex mutex;
    std::condition_variable fin;
    QString carpetaImagenes;
    std::map<int, QString> nombres; // camera -> image name
    std::map<int, int> formatos;    // camera -> image format
    rdManejadorLinea manejadorLinea = nullptr;
    rdManejadorEvento manejadorError = nullptr;
    rdManejadorEvento manejadorVacio = nullptr;
    rdManejadorEvento manejadorFin = nullptr;
    rdManejadorEvento manejadorImagen = nullptr;
    rdManejadorEvento manejadorDocumento = nullptr;
    std::thread hilo;
    bool enMarcha = false;
    std::atomic<bool> parar{false};

    ~tSimulador() {
        parar = true;
        if (hilo.joinable())
            hilo.join();
    }
};

tSimulador& sim() {
    static tSimulador s;
    return s;
}

tAjustes leeAjustes() {
    const QString s = QStringLiteral("SeacBanche");
    tAjustes a;
    a.sinLector = ajusteSimulador(s, QStringLiteral("sinLector")) != 0;
    a.fallaImageSetup = ajusteSimulador(s, QStringLiteral("fallaImageSetup")) != 0;
    a.atasco = ajusteSimulador(s, QStringLiteral("atasco"));
    a.dobleAlimentacion = ajusteSimulador(s, QStringLiteral("dobleAlimentacion"));
    a.ilegible = ajusteSimulador(s, QStringLiteral("ilegible"));
    a.sinImagenes = ajusteSimulador(s, QStringLiteral("sinImagenes"));
    a.documentos = ajusteSimulador(s, QStringLiteral("documentos"), -1);
    a.pausa = ajusteSimulador(s, QStringLiteral("pausa"), 10);
    return a;
}

QString lista(std::initializer_list<int> valores) {
    QStringList t;
    for (int v : valores)
        t << QString::number(v);
    return t.join(QChar(u','));
}

// Writes one sample picture (with the image fault of simulador.ini for the
// document at `posicion`) as the image of a camera; true when written.
bool escribeImagen(int camara, const QString& origen, int posicion, CaraSimulada cara) {
    QString carpeta, nombre;
    int formato = 0;
    {
        std::lock_guard<std::mutex> cierre(sim().mutex);
        carpeta = sim().carpetaImagenes;
        auto n = sim().nombres.find(camara);
        nombre = n == sim().nombres.end() ? QStringLiteral("imagen%1").arg(camara) : n->second;
        auto f = sim().formatos.find(camara);
        formato = f == sim().formatos.end() ? 0 : f->second;
    }
    if (carpeta.isEmpty() || origen.isEmpty() || !QFile::exists(origen))
        return false;
    const QString extension =
        formato == RD3_FORMATO_CAMARAS_1_4 ? QStringLiteral(".jpg") : QStringLiteral(".tif");
    const QString destino = QDir(carpeta).filePath(nombre + extension);
    const QByteArray bytes = imagenSimulada(QStringLiteral("SeacBanche"), posicion, cara, origen);
    QFile::remove(destino);
    QFile f(destino);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

// The codeline with unreadable characters in the account block.
QByteArray conIlegibles(QByteArray linea) {
    for (qsizetype i = 10; i < 13 && i < linea.size(); ++i)
        linea[i] = '?';
    return linea;
}

void evento(rdManejadorEvento tSimulador::*campo, int32_t valor) {
    rdManejadorEvento m = nullptr;
    {
        std::lock_guard<std::mutex> cierre(sim().mutex);
        m = sim().*campo;
    }
    if (m)
        m(valor);
}

// Records the call and keeps the handler for the reading thread.
template <typename M> int registra(const QString& llamada, M tSimulador::*campo, M manejador) {
    anotaLlamada(llamada);
    std::lock_guard<std::mutex> cierre(sim().mutex);
    sim().*campo = manejador;
    return 0;
}

void lectura(const QList<tDocumentoMuestra> documentos, const tAjustes ajustes) {
    int posicion = 0;
    bool vaciado = true; // every document of the hopper went through
    for (const tDocumentoMuestra& d : documentos) {
        ++posicion;
        if (sim().parar || (ajustes.documentos >= 0 && posicion > ajustes.documentos)) {
            vaciado = sim().parar ? false : vaciado;
            break;
        }
        if (posicion == ajustes.atasco || posicion == ajustes.dobleAlimentacion) {
            evento(&tSimulador::manejadorError, posicion == ajustes.atasco ? 1024 : 4096);
            vaciado = false;
            break;
        }
        const QByteArray codeline =
            posicion == ajustes.ilegible ? conIlegibles(d.codelineSeac) : d.codelineSeac;
        rdManejadorLinea manejador = nullptr;
        {
            std::lock_guard<std::mutex> cierre(sim().mutex);
            manejador = sim().manejadorLinea;
        }
        if (manejador)
            manejador(codeline.constData());
        if (posicion != ajustes.sinImagenes) {
            const std::tuple<int, QString, CaraSimulada> imagenes[] = {
                {RD3_CAMARA_FRONTAL_1, d.frontalJpg, CaraSimulada::FrontalJpg},
                {RD3_CAMARA_FRONTAL_2, d.frontalTif, CaraSimulada::FrontalTif},
                {RD3_CAMARA_TRASERA_2, d.traseraTif, CaraSimulada::TraseraTif},
            };
            for (const auto& [camara, origen, cara] : imagenes)
                if (escribeImagen(camara, origen, posicion, cara))
                    evento(&tSimulador::manejadorImagen, 0);
        }
        evento(&tSimulador::manejadorDocumento, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(ajustes.pausa));
    }
    if (vaciado)
        evento(&tSimulador::manejadorVacio, 0);
    evento(&tSimulador::manejadorFin, 0);
    std::lock_guard<std::mutex> cierre(sim().mutex);
    sim().enMarcha = false;
    sim().fin.notify_all();
}

} // namespace

extern "C" {

LECTOR_EXPORTA int LECTOR_LLAMADA rdConfigAPI(int codigo, int valor) {
    anotaLlamada(QStringLiteral("rdConfigAPI(%1)").arg(lista({codigo, valor})));
    return 0;
}

LECTOR_EXPORTA int LECTOR_LLAMADA rdInit(int modo) {
    anotaLlamada(QStringLiteral("rdInit(%1)").arg(modo));
    return leeAjustes().sinLector ? RD3_SIN_LECTOR_2 : 0;
}

LECTOR_EXPORTA int LECTOR_LLAMADA rdReset(int modo) {
    anotaLlamada(QStringLiteral("rdReset(%1)").arg(modo));
    return 0;
}

LECTOR_EXPORTA int LECTOR_LLAMADA rdDoubleDetect(int nivel) {
    anotaLlamada(QStringLiteral("rdDoubleDetect(%1)").arg(nivel));
    return 0;
}

LECTOR_EXPORTA int LECTOR_LLAMADA rdsCameraSetup(int a, int b, int c, int d) {
    anotaLlamada(QStringLiteral("rdsCameraSetup(%1)").arg(lista({a, b, c, d})));
    return 0;
}

LECTOR_EXPORTA int LECTOR_LLAMADA rdsImageDirectory(int camaras, const char* carpeta) {
    QString ruta = QFile::decodeName(carpeta ? carpeta : "");
    anotaLlamada(QStringLiteral("rdsImageDirectory(%1,%2)").arg(camaras).arg(ruta));
    while (ruta.endsWith(u'\\') || ruta.endsWith(u'/'))
        ruta.chop(1);
    std::lock_guard<std::mutex> cierre(sim().mutex);
    sim().carpetaImagenes = ruta;
    return 0;
}

LECTOR_EXPORTA int LECTOR_LLAMADA rdsImageSetup(int camara, int dpi, int formato, int opciones) {
    anotaLlamada(QStringLiteral("rdsImageSetup(%1)").arg(lista({camara, dpi, formato, opciones})));
    if (leeAjustes().fallaImageSetup)
        return -5;
    std::lock_guard<std::mutex> cierre(sim().mutex);
    sim().formatos[camara] = formato;
    return 0;
}

LECTOR_EXPORTA int LECTOR_LLAMADA rdsScanDimensionsMM(int ancho, int alto, int x, int y) {
    anotaLlamada(QStringLiteral("rdsScanDimensionsMM(%1)").arg(lista({ancho, alto, x, y})));
    return 0;
}

LECTOR_EXPORTA int LECTOR_LLAMADA rdOperation(int operacion) {
    anotaLlamada(QStringLiteral("rdOperation(%1)").arg(operacion));
    return 0;
}

LECTOR_EXPORTA int LECTOR_LLAMADA rdGetLineMode(int modo) {
    anotaLlamada(QStringLiteral("rdGetLineMode(%1)").arg(modo));
    return 0;
}

LECTOR_EXPORTA int LECTOR_LLAMADA rdOnCodeLine(rdManejadorLinea manejador) {
    return registra(QStringLiteral("rdOnCodeLine"), &tSimulador::manejadorLinea, manejador);
}

LECTOR_EXPORTA int LECTOR_LLAMADA rdOnError(rdManejadorEvento manejador) {
    return registra(QStringLiteral("rdOnError"), &tSimulador::manejadorError, manejador);
}

LECTOR_EXPORTA int LECTOR_LLAMADA rdOnFeederEmpty(rdManejadorEvento manejador) {
    return registra(QStringLiteral("rdOnFeederEmpty"), &tSimulador::manejadorVacio, manejador);
}

LECTOR_EXPORTA int LECTOR_LLAMADA rdOnAllDone(rdManejadorEvento manejador) {
    return registra(QStringLiteral("rdOnAllDone"), &tSimulador::manejadorFin, manejador);
}

LECTOR_EXPORTA int LECTOR_LLAMADA rdOnImageStored(int modo, rdManejadorEvento manejador) {
    return registra(QStringLiteral("rdOnImageStored(%1)").arg(modo), &tSimulador::manejadorImagen,
                    manejador);
}

LECTOR_EXPORTA int LECTOR_LLAMADA rdOnDocumentDone(rdManejadorEvento manejador) {
    return registra(QStringLiteral("rdOnDocumentDone"), &tSimulador::manejadorDocumento, manejador);
}

LECTOR_EXPORTA int LECTOR_LLAMADA rdsSetSort(int casilla) {
    anotaLlamada(QStringLiteral("rdsSetSort(%1)").arg(casilla));
    return 0;
}

LECTOR_EXPORTA int LECTOR_LLAMADA rdReadMode(int modo) {
    anotaLlamada(QStringLiteral("rdReadMode(%1)").arg(modo));
    return 0;
}

LECTOR_EXPORTA int LECTOR_LLAMADA rdStart(void) {
    anotaLlamada(QStringLiteral("rdStart()"));
    const tAjustes ajustes = leeAjustes();
    if (ajustes.sinLector)
        return -1;
    const QList<tDocumentoMuestra> documentos = leeMuestras(carpetaMuestras());
    std::lock_guard<std::mutex> cierre(sim().mutex);
    if (sim().enMarcha)
        return -2; // a run is still going
    if (sim().hilo.joinable())
        sim().hilo.join();
    sim().parar = false;
    sim().enMarcha = true;
    sim().hilo = std::thread(lectura, documentos, ajustes);
    return 0;
}

LECTOR_EXPORTA int LECTOR_LLAMADA rdsImageNameFormat(int camara, const char* nombre) {
    const QString texto = QFile::decodeName(nombre ? nombre : "");
    anotaLlamada(QStringLiteral("rdsImageNameFormat(%1,%2)").arg(camara).arg(texto));
    std::lock_guard<std::mutex> cierre(sim().mutex);
    sim().nombres[camara] = texto;
    return 0;
}

LECTOR_EXPORTA int LECTOR_LLAMADA rdsBinarizationSetup(int camara, int metodo, int umbral) {
    anotaLlamada(QStringLiteral("rdsBinarizationSetup(%1)").arg(lista({camara, metodo, umbral})));
    return 0;
}

LECTOR_EXPORTA int LECTOR_LLAMADA rdStop(void) {
    anotaLlamada(QStringLiteral("rdStop()"));
    sim().parar = true;
    return 0;
}

#ifndef SIMULADOR_SIN_RDEJECT
LECTOR_EXPORTA int LECTOR_LLAMADA rdEject(void) {
    anotaLlamada(QStringLiteral("rdEject()"));
    return 0;
}
#endif

// ---- Functions of the simulation only ----

// Waits up to `ms` milliseconds for the run to end; 1 when no run is going.
LECTOR_EXPORTA int simEsperaFin(int ms) {
    std::unique_lock<std::mutex> cierre(sim().mutex);
    return sim().fin.wait_for(cierre, std::chrono::milliseconds(ms), [] { return !sim().enMarcha; })
               ? 1
               : 0;
}

} // extern "C"
