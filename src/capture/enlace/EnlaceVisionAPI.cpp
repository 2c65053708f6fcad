#include "EnlaceVisionAPI.h"

TEnlaceVisionAPI::TEnlaceVisionAPI(const QString& configurada, const QString& dirAplicacion,
                                   TRegistroDiagnostico* diagnostico)
    : m_biblioteca(candidatosBiblioteca(configurada, dirAplicacion, NombreFabricante),
                   funciones()) {
    m_biblioteca.fijaDiagnostico(diagnostico, NombreLector);
}

QStringList TEnlaceVisionAPI::funciones() {
    return {QStringLiteral("VApiGetDeviceList"),
            QStringLiteral("StartUp"),
            QStringLiteral("ShutDown"),
            QStringLiteral("OnLine"),
            QStringLiteral("ChangeParameters"),
            QStringLiteral("SetDeviceParameters"),
            QStringLiteral("StartFeeding"),
            QStringLiteral("StopFeeding"),
            QStringLiteral("GetMicrCodeline"),
            QStringLiteral("SetPocket"),
            QStringLiteral("FreeTrack"),
            QStringLiteral("FreeImagesBuffer"),
            QStringLiteral("GetDeviceStateString"),
            QStringLiteral("GetEngineApiErrorString")};
}

int TEnlaceVisionAPI::dispositivo(const char* nombre, uint32_t d) const {
    auto f = funcion<VApiDispositivo_t>(nombre);
    return f ? f(d) : 0;
}

int TEnlaceVisionAPI::VApiGetDeviceList(TListaDispositivos& lista, int opciones, uint32_t& cuenta) {
    auto f = funcion<VApiGetDeviceList_t>("VApiGetDeviceList");
    return f ? f(&lista, opciones, &cuenta) : 0;
}

uint32_t TEnlaceVisionAPI::StartUp(VApiDestino destino, uint32_t mensaje) {
    auto f = funcion<StartUp_t>("StartUp");
    return f ? f(destino, mensaje) : 0;
}

int TEnlaceVisionAPI::ShutDown(uint32_t d) {
    return dispositivo("ShutDown", d);
}
int TEnlaceVisionAPI::OnLine(uint32_t d) {
    return dispositivo("OnLine", d);
}
int TEnlaceVisionAPI::ChangeParameters(uint32_t d) {
    return dispositivo("ChangeParameters", d);
}
int TEnlaceVisionAPI::StartFeeding(uint32_t d) {
    return dispositivo("StartFeeding", d);
}
int TEnlaceVisionAPI::StopFeeding(uint32_t d) {
    return dispositivo("StopFeeding", d);
}

int TEnlaceVisionAPI::SetDeviceParameters(uint32_t d, const TParametrosConfig& parametros) {
    auto f = funcion<SetDeviceParameters_t>("SetDeviceParameters");
    return f ? f(d, parametros) : 0;
}

int TEnlaceVisionAPI::GetMicrCodeline(uint32_t d, char* buffer, int largo) {
    auto f = funcion<GetMicrCodeline_t>("GetMicrCodeline");
    return f ? f(d, buffer, largo) : 0;
}

int TEnlaceVisionAPI::SetPocket(uint32_t d, intptr_t evento, uint8_t bolsillo) {
    auto f = funcion<SetPocket_t>("SetPocket");
    return f ? f(d, evento, bolsillo) : 0;
}

int TEnlaceVisionAPI::FreeTrack(uint32_t d, uint8_t modo) {
    auto f = funcion<FreeTrack_t>("FreeTrack");
    return f ? f(d, modo) : 0;
}

int TEnlaceVisionAPI::FreeImagesBuffer(const TPInfoImagen* registro) {
    auto f = funcion<FreeImagesBuffer_t>("FreeImagesBuffer");
    return f ? f(registro) : 0;
}

int TEnlaceVisionAPI::GetDeviceStateString(uint32_t d, char* buffer, int largo) {
    auto f = funcion<GetDeviceStateString_t>("GetDeviceStateString");
    return f ? f(d, buffer, largo) : 0;
}

int TEnlaceVisionAPI::GetEngineApiErrorString(int codigo, char* buffer, int largo) {
    auto f = funcion<GetEngineApiErrorString_t>("GetEngineApiErrorString");
    return f ? f(codigo, buffer, largo) : 0;
}
