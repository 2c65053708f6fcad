#pragma once
// C interface of the Vision X reader library (VisionAPI), written from its
// documented functions and events. Loaded at run time (EnlaceVisionAPI); the
// simulated library exports exactly these functions. Results are integers,
// success when non-zero, except StartUp which answers the device handle.
//
// Events. The library's engine reports its events by posting one message,
// the engine message, to the destination given to StartUp: on Windows a
// window handle that receives window message 1034 (first parameter the event
// code, second its argument); elsewhere the address of a VApiNotificacion,
// which the engine calls from a thread of its own and which must only post
// the event to the user-interface thread.

#include <stddef.h>
#include <stdint.h>

#include "ConvencionLlamada.h"

// One image format request: Formato, Paginacion, Resolucion, NivelDeGrises,
// CalidadImg.
typedef struct {
    int32_t Formato;
    int32_t Paginacion;
    int32_t Resolucion;
    int32_t NivelDeGrises;
    int32_t CalidadImg;
} TInfoImagenes;

// The device parameters, 520 bytes, passed by value to SetDeviceParameters.
typedef struct {
    int32_t habilitarMICR; // Boolean: 0 false, non-zero true
    int32_t fuenteMICR;
    int32_t guardarFicheroMICR; // Boolean
    int32_t tipoEspaciosMICR;
    char simboloRechazo; // then 3 bytes of padding
    int32_t reservado1;
    int32_t reservado2; // Boolean
    TInfoImagenes ImagenFrontal1;
    TInfoImagenes ImagenFrontal2;
    TInfoImagenes ImagenTrasera1;
    TInfoImagenes ImagenTrasera2;
    uint8_t Fragmentos[400];    // 10 groups of 40 bytes
    int32_t habilitarImpresora; // Boolean
    int32_t leerVariosCHK;      // Boolean
    int32_t modoDeAlimentacion;
} TParametrosConfig;

#ifdef __cplusplus
static_assert(sizeof(TInfoImagenes) == 20, "TInfoImagenes is 20 bytes");
static_assert(sizeof(TParametrosConfig) == 520, "TParametrosConfig is 520 bytes");
static_assert(offsetof(TParametrosConfig, simboloRechazo) == 16);
static_assert(offsetof(TParametrosConfig, reservado1) == 20);
static_assert(offsetof(TParametrosConfig, ImagenFrontal1) == 28);
static_assert(offsetof(TParametrosConfig, ImagenFrontal2) == 48);
static_assert(offsetof(TParametrosConfig, ImagenTrasera1) == 68);
static_assert(offsetof(TParametrosConfig, ImagenTrasera2) == 88);
static_assert(offsetof(TParametrosConfig, Fragmentos) == 108);
static_assert(offsetof(TParametrosConfig, habilitarImpresora) == 508);
static_assert(offsetof(TParametrosConfig, leerVariosCHK) == 512);
static_assert(offsetof(TParametrosConfig, modoDeAlimentacion) == 516);
#endif

// One image of the images event: its bytes and their count.
typedef struct {
    const uint8_t* datos;
    int32_t bytes;
} TParImagen;

// The record that the images event (7) points to; `Imagenes` points to the
// pairs: front 1, front 2, back 1.
typedef struct {
    int32_t numeroCHK;
    const TParImagen* Imagenes;
    int32_t deFrenteCHK; // Boolean
} TPInfoImagen;

// The device list filled by VApiGetDeviceList (28 bytes); the 32-bit value at
// offset 24 is non-zero when a reader is attached.
typedef struct {
    uint8_t datos[24];
    int32_t presente;
} TListaDispositivos;

#ifdef __cplusplus
static_assert(sizeof(TListaDispositivos) == 28, "the device list is 28 bytes");
#endif

// Destination of the engine message (see above).
typedef uintptr_t VApiDestino;

#ifdef __cplusplus
extern "C" {
#endif

typedef void(LECTOR_LLAMADA* VApiNotificacion)(uint32_t mensaje, uintptr_t evento,
                                               intptr_t argumento);

typedef int(LECTOR_LLAMADA* VApiGetDeviceList_t)(TListaDispositivos* lista, int opciones,
                                                 uint32_t* cuenta);
typedef uint32_t(LECTOR_LLAMADA* StartUp_t)(VApiDestino destino, uint32_t mensaje);
typedef int(LECTOR_LLAMADA* VApiDispositivo_t)(uint32_t dispositivo);
typedef int(LECTOR_LLAMADA* SetDeviceParameters_t)(uint32_t dispositivo,
                                                   TParametrosConfig parametros);
typedef int(LECTOR_LLAMADA* GetMicrCodeline_t)(uint32_t dispositivo, char* buffer, int largo);
typedef int(LECTOR_LLAMADA* SetPocket_t)(uint32_t dispositivo, intptr_t evento, uint8_t bolsillo);
typedef int(LECTOR_LLAMADA* FreeTrack_t)(uint32_t dispositivo, uint8_t modo);
typedef int(LECTOR_LLAMADA* FreeImagesBuffer_t)(const TPInfoImagen* registro);
typedef int(LECTOR_LLAMADA* GetDeviceStateString_t)(uint32_t dispositivo, char* buffer, int largo);
typedef int(LECTOR_LLAMADA* GetEngineApiErrorString_t)(int codigo, char* buffer, int largo);

#ifdef __cplusplus
}
#endif

enum {
    VAPI_MENSAJE_MOTOR = 1034, // first user message number plus 10
    VAPI_EVENTO_PARAMETROS = 0,
    VAPI_EVENTO_CODELINE = 3,
    VAPI_EVENTO_BOLSILLO = 4,
    VAPI_EVENTO_IMAGENES = 7,
};
