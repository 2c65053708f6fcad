#pragma once
// The Vision X reader library reached at run time through its C interface
// (InterfazVisionAPI.h). Each method answers the library's result; without
// a library every call fails (0).

#include "BibliotecaLector.h"
#include "InterfazVisionAPI.h"

#include <QByteArray>
#include <QString>

class TEnlaceVisionAPI {
public:
    static inline const QString NombreFabricante = QStringLiteral("VisionAPI");
    // The reader as the diagnostic log names it.
    static inline const QString NombreLector = QStringLiteral("Vision X");

    // `configurada`: the library named in config.ini (section LECTORES, key
    // VisionX), empty for the default places. `diagnostico`: the log that the
    // library's errors go to while it is on.
    TEnlaceVisionAPI(const QString& configurada, const QString& dirAplicacion,
                     TRegistroDiagnostico* diagnostico = nullptr);

    bool cargada() const { return m_biblioteca.cargada(); }
    const TBibliotecaLector& biblioteca() const { return m_biblioteca; }
    static QStringList funciones();

    int VApiGetDeviceList(TListaDispositivos& lista, int opciones, uint32_t& cuenta);
    uint32_t StartUp(VApiDestino destino, uint32_t mensaje);
    int ShutDown(uint32_t dispositivo);
    int OnLine(uint32_t dispositivo);
    int ChangeParameters(uint32_t dispositivo);
    int SetDeviceParameters(uint32_t dispositivo, const TParametrosConfig& parametros);
    int StartFeeding(uint32_t dispositivo);
    int StopFeeding(uint32_t dispositivo);
    int GetMicrCodeline(uint32_t dispositivo, char* buffer, int largo);
    int SetPocket(uint32_t dispositivo, intptr_t evento, uint8_t bolsillo);
    int FreeTrack(uint32_t dispositivo, uint8_t modo);
    int FreeImagesBuffer(const TPInfoImagen* registro);
    int GetDeviceStateString(uint32_t dispositivo, char* buffer, int largo);
    int GetEngineApiErrorString(int codigo, char* buffer, int largo);

private:
    template <typename F> F funcion(const char* nombre) const {
        return reinterpret_cast<F>(m_biblioteca.funcion(nombre));
    }
    int dispositivo(const char* nombre, uint32_t d) const;
    TBibliotecaLector m_biblioteca;
};
