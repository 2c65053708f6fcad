// Simulated Vision X reader library: the functions of InterfazVisionAPI.h over
// the folder of sample documents (ComunSimulador.h). Its engine posts the
// engine message from threads of its own, through the notification given to
// StartUp: the parameter request (event 0) once started; then, while
// feeding, for each document the codeline (3), the pocket request (4) and the
// images (7). The device is "Starting" until the parameters arrive, "OnLine"
// when ready and "Feeding" while it reads; "Off" after ShutDown.
//
// Faults, section [VisionX] of "simulador.ini" (N: position in the run):
//   sinLector=1         the device list shows no reader
//   atasco=1            StartFeeding fails
//   noPara=1            StopFeeding fails
//   fallaParametros=1   ChangeParameters fails
//   sinCodeline=N       GetMicrCodeline fails for document N
//   ilegible=N          document N's codeline has blanks for unreadable digits
//   pausa=ms            pause between documents (10 by default)

#include "ComunSimulador.h"
#include "ImagenesSimuladas.h"
#include "InterfazVisionAPI.h"
#include "MuestrasDocumentos.h"

#include <QFile>

#include <atomic>
#include <chrono>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// The images of one document, kept until FreeImagesBuffer.
struct tImagenes {
    TPInfoImagen registro{};
    TParImagen pares[3]{};
    QByteArray bytes[3];
};

struct tSimulador {
    std::mutex mutex;
    VApiNotificacion notificacion = nullptr;
    uint32_t mensaje = 0;
    QByteArray estado = "Off";
    std::deque<QByteArray> codelines; // delivered in order by GetMicrCodeline
    std::deque<int> posiciones;       // position in the run of each codeline
    std::map<const TPInfoImagen*, std::unique_ptr<tImagenes>> imagenes; // until freed
    std::thread hilo;
    std::atomic<bool> parar{false};

    ~tSimulador() { espera(); }
    void espera() {
        parar = true;
        if (hilo.joinable())
            hilo.join();
    }
};

// The handle StartUp gives; a call with any other handle finds no device.
constexpr uint32_t Manejador = 7;

tSimulador& sim() {
    static tSimulador s;
    return s;
}

int ajuste(const char* clave, int porDefecto = 0) {
    return ajusteSimulador(QStringLiteral("VisionX"), QString::fromLatin1(clave), porDefecto);
}

void publica(uintptr_t evento, intptr_t argumento) {
    VApiNotificacion n = nullptr;
    uint32_t m = 0;
    {
        std::lock_guard<std::mutex> cierre(sim().mutex);
        n = sim().notificacion;
        m = sim().mensaje;
    }
    if (n)
        n(m, evento, argumento);
}

void lectura(const QList<tDocumentoMuestra> documentos, int pausa) {
    int posicion = 0;
    for (const tDocumentoMuestra& d : documentos) {
        if (sim().parar)
            break;
        ++posicion;
        QByteArray codeline = d.codelineVisionX;
        if (posicion == ajuste("ilegible"))
            for (qsizetype i = 10; i < 12 && i < codeline.size(); ++i)
                codeline[i] = ' ';
        {
            std::lock_guard<std::mutex> cierre(sim().mutex);
            sim().codelines.push_back(codeline);
            sim().posiciones.push_back(posicion);
        }
        publica(VAPI_EVENTO_CODELINE, 0);
        publica(VAPI_EVENTO_BOLSILLO, posicion);
        auto imagenes = std::make_unique<tImagenes>();
        const QString rutas[] = {d.frontalJpg, d.frontalTif, d.traseraTif};
        for (int i = 0; i < 3; ++i) {
            imagenes->bytes[i] = imagenSimulada(QStringLiteral("VisionX"), posicion,
                                                static_cast<CaraSimulada>(i), rutas[i]);
            imagenes->pares[i] = {reinterpret_cast<const uint8_t*>(imagenes->bytes[i].constData()),
                                  static_cast<int32_t>(imagenes->bytes[i].size())};
        }
        imagenes->registro = {posicion, imagenes->pares, 1};
        const TPInfoImagen* registro = &imagenes->registro;
        {
            std::lock_guard<std::mutex> cierre(sim().mutex);
            sim().imagenes[registro] = std::move(imagenes);
        }
        publica(VAPI_EVENTO_IMAGENES, reinterpret_cast<intptr_t>(registro));
        std::this_thread::sleep_for(std::chrono::milliseconds(pausa));
    }
    std::lock_guard<std::mutex> cierre(sim().mutex);
    if (sim().estado == "Feeding")
        sim().estado = "OnLine";
}

int copiaTexto(const QByteArray& texto, char* buffer, int largo) {
    if (!buffer || largo <= 0)
        return 0;
    const int n = std::min(largo, static_cast<int>(texto.size()));
    std::memcpy(buffer, texto.constData(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return 1;
}

} // namespace

extern "C" {

LECTOR_EXPORTA int LECTOR_LLAMADA VApiGetDeviceList(TListaDispositivos* lista, int opciones,
                                                    uint32_t* cuenta) {
    anotaLlamada(QStringLiteral("VApiGetDeviceList(%1)").arg(opciones));
    const bool hay = ajuste("sinLector") == 0;
    if (lista) {
        std::memset(lista, 0, sizeof *lista);
        lista->presente = hay ? 1 : 0;
    }
    if (cuenta)
        *cuenta = hay ? 1 : 0;
    return 1;
}

LECTOR_EXPORTA uint32_t LECTOR_LLAMADA StartUp(VApiDestino destino, uint32_t mensaje) {
    anotaLlamada(QStringLiteral("StartUp(%1)").arg(mensaje));
    sim().espera();
    {
        std::lock_guard<std::mutex> cierre(sim().mutex);
        sim().notificacion = reinterpret_cast<VApiNotificacion>(destino);
        sim().mensaje = mensaje;
        sim().estado = "Starting";
        sim().parar = false;
        sim().hilo = std::thread([] { publica(VAPI_EVENTO_PARAMETROS, 0); });
    }
    return Manejador;
}

LECTOR_EXPORTA int LECTOR_LLAMADA ShutDown(uint32_t dispositivo) {
    anotaLlamada(QStringLiteral("ShutDown(%1)").arg(dispositivo));
    sim().espera();
    std::lock_guard<std::mutex> cierre(sim().mutex);
    sim().estado = "Off";
    return 1;
}

LECTOR_EXPORTA int LECTOR_LLAMADA OnLine(uint32_t dispositivo) {
    anotaLlamada(QStringLiteral("OnLine(%1)").arg(dispositivo));
    std::lock_guard<std::mutex> cierre(sim().mutex);
    return dispositivo == Manejador && sim().estado == "OnLine" ? 1 : 0;
}

LECTOR_EXPORTA int LECTOR_LLAMADA ChangeParameters(uint32_t dispositivo) {
    anotaLlamada(QStringLiteral("ChangeParameters(%1)").arg(dispositivo));
    return ajuste("fallaParametros") ? 0 : 1;
}

LECTOR_EXPORTA int LECTOR_LLAMADA SetDeviceParameters(uint32_t dispositivo, TParametrosConfig p) {
    auto imagen = [](const TInfoImagenes& i) {
        return QStringLiteral("%1,%2,%3,%4,%5")
            .arg(i.Formato)
            .arg(i.Paginacion)
            .arg(i.Resolucion)
            .arg(i.NivelDeGrises)
            .arg(i.CalidadImg);
    };
    anotaLlamada(QStringLiteral("SetDeviceParameters(%1,MICR=%2,%3,%4,%5,rechazo=%6,F1=%7,F2=%8,"
                                "T1=%9,T2=%10)")
                     .arg(dispositivo)
                     .arg(p.habilitarMICR)
                     .arg(p.fuenteMICR)
                     .arg(p.guardarFicheroMICR)
                     .arg(p.tipoEspaciosMICR)
                     .arg(QChar(p.simboloRechazo))
                     .arg(imagen(p.ImagenFrontal1), imagen(p.ImagenFrontal2),
                          imagen(p.ImagenTrasera1), imagen(p.ImagenTrasera2)));
    std::lock_guard<std::mutex> cierre(sim().mutex);
    if (sim().estado == "Starting")
        sim().estado = "OnLine";
    return 1;
}

LECTOR_EXPORTA int LECTOR_LLAMADA StartFeeding(uint32_t dispositivo) {
    anotaLlamada(QStringLiteral("StartFeeding(%1)").arg(dispositivo));
    if (ajuste("atasco"))
        return 0;
    const QList<tDocumentoMuestra> documentos = leeMuestras(carpetaMuestras());
    const int pausa = ajuste("pausa", 10);
    sim().espera();
    std::lock_guard<std::mutex> cierre(sim().mutex);
    if (sim().estado != "OnLine")
        return 0;
    sim().estado = "Feeding";
    sim().parar = false;
    sim().hilo = std::thread(lectura, documentos, pausa);
    return 1;
}

LECTOR_EXPORTA int LECTOR_LLAMADA StopFeeding(uint32_t dispositivo) {
    anotaLlamada(QStringLiteral("StopFeeding(%1)").arg(dispositivo));
    if (ajuste("noPara"))
        return 0;
    sim().parar = true;
    return 1;
}

LECTOR_EXPORTA int LECTOR_LLAMADA GetMicrCodeline(uint32_t dispositivo, char* buffer, int largo) {
    anotaLlamada(QStringLiteral("GetMicrCodeline(%1,%2)").arg(dispositivo).arg(largo));
    QByteArray codeline;
    int posicion = 0;
    {
        std::lock_guard<std::mutex> cierre(sim().mutex);
        if (sim().codelines.empty())
            return 0;
        codeline = sim().codelines.front();
        posicion = sim().posiciones.front();
        sim().codelines.pop_front();
        sim().posiciones.pop_front();
    }
    if (posicion == ajuste("sinCodeline"))
        return 0;
    return copiaTexto(codeline, buffer, largo);
}

LECTOR_EXPORTA int LECTOR_LLAMADA SetPocket(uint32_t dispositivo, intptr_t evento,
                                            uint8_t bolsillo) {
    anotaLlamada(QStringLiteral("SetPocket(%1,%2,%3)")
                     .arg(dispositivo)
                     .arg(static_cast<qlonglong>(evento))
                     .arg(bolsillo));
    return 1;
}

LECTOR_EXPORTA int LECTOR_LLAMADA FreeTrack(uint32_t dispositivo, uint8_t modo) {
    anotaLlamada(QStringLiteral("FreeTrack(%1,%2)").arg(dispositivo).arg(modo));
    return 1;
}

LECTOR_EXPORTA int LECTOR_LLAMADA FreeImagesBuffer(const TPInfoImagen* registro) {
    anotaLlamada(QStringLiteral("FreeImagesBuffer(%1)").arg(registro ? registro->numeroCHK : 0));
    std::lock_guard<std::mutex> cierre(sim().mutex);
    return sim().imagenes.erase(registro) ? 1 : 0;
}

LECTOR_EXPORTA int LECTOR_LLAMADA GetDeviceStateString(uint32_t dispositivo, char* buffer,
                                                       int largo) {
    Q_UNUSED(dispositivo);
    std::lock_guard<std::mutex> cierre(sim().mutex);
    return copiaTexto(sim().estado, buffer, largo);
}

LECTOR_EXPORTA int LECTOR_LLAMADA GetEngineApiErrorString(int codigo, char* buffer, int largo) {
    anotaLlamada(QStringLiteral("GetEngineApiErrorString(%1)").arg(codigo));
    return copiaTexto("Error simulado del motor " + QByteArray::number(codigo), buffer, largo);
}

// Waits up to `ms` milliseconds for the engine's thread to end; 1 when ended.
LECTOR_EXPORTA int simEsperaFin(int ms) {
    const auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < limite) {
        {
            std::lock_guard<std::mutex> cierre(sim().mutex);
            if (sim().estado != "Feeding")
                return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return 0;
}

} // extern "C"
