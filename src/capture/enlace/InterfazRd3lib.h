#pragma once
// C interface of the Seac Banche reader library (rd3lib), written from its
// documented functions. The program never links the library: it is loaded at
// run time (EnlaceRd3lib) and every function below is resolved by name. The
// simulated library exports exactly these functions with these signatures.
//
// Every argument and result is an integer or 8-bit text (the system code
// page: Windows-1252 on Windows, UTF-8 elsewhere). Handlers take one 32-bit
// argument and answer an integer; on 32-bit Windows everything uses the
// standard Windows calling convention.
//
// Results. rdInit answers -9 or -1 when no reader is attached. For every other
// function the result is only a status: a negative result is a failure of the
// call, which the binding reports with the function's name and the code.

#include <stdint.h>

#include "ConvencionLlamada.h"

#ifdef __cplusplus
extern "C" {
#endif

// Codeline handler: the codeline as NUL-terminated 8-bit text. A document
// read whole begins with "+"; every unreadable character is "?". The library
// writes the document's images only after the handler has returned, under the
// names that the handler set with rdsImageNameFormat.
typedef int(LECTOR_LLAMADA* rdManejadorLinea)(const char* linea);
// Every other handler: one 32-bit value (the error code for the error
// handler, ignored by the others).
typedef int(LECTOR_LLAMADA* rdManejadorEvento)(int32_t valor);

typedef int(LECTOR_LLAMADA* rdConfigAPI_t)(int codigo, int valor);
typedef int(LECTOR_LLAMADA* rdInit_t)(int modo);
typedef int(LECTOR_LLAMADA* rdReset_t)(int modo);
typedef int(LECTOR_LLAMADA* rdDoubleDetect_t)(int nivel);
typedef int(LECTOR_LLAMADA* rdsCameraSetup_t)(int a, int b, int c, int d);
typedef int(LECTOR_LLAMADA* rdsImageDirectory_t)(int camaras, const char* carpeta);
typedef int(LECTOR_LLAMADA* rdsImageSetup_t)(int camara, int dpi, int formato, int opciones);
typedef int(LECTOR_LLAMADA* rdsScanDimensionsMM_t)(int ancho, int alto, int x, int y);
typedef int(LECTOR_LLAMADA* rdOperation_t)(int operacion);
typedef int(LECTOR_LLAMADA* rdGetLineMode_t)(int modo);
typedef int(LECTOR_LLAMADA* rdOnCodeLine_t)(rdManejadorLinea manejador);
typedef int(LECTOR_LLAMADA* rdOnEvento_t)(rdManejadorEvento manejador);
typedef int(LECTOR_LLAMADA* rdOnImageStored_t)(int modo, rdManejadorEvento manejador);
typedef int(LECTOR_LLAMADA* rdsSetSort_t)(int casilla);
typedef int(LECTOR_LLAMADA* rdReadMode_t)(int modo);
typedef int(LECTOR_LLAMADA* rdSinArgumentos_t)(void);
typedef int(LECTOR_LLAMADA* rdsImageNameFormat_t)(int camara, const char* nombre);
typedef int(LECTOR_LLAMADA* rdsBinarizationSetup_t)(int camara, int metodo, int umbral);

#ifdef __cplusplus
}
#endif

// Constants of the library used by the calls.
enum {
    RD3_CAMARA_FRONTAL_1 = 1,
    RD3_CAMARA_FRONTAL_2 = 2,
    RD3_CAMARA_TRASERA_1 = 4,
    RD3_CAMARA_TRASERA_2 = 8,
    RD3_TODAS_CAMARAS = 15,
    RD3_FORMATO_CAMARAS_1_4 = 5, // grey (JPEG)
    RD3_FORMATO_CAMARAS_2_8 = 4, // black and white (TIFF)
    RD3_OPCION_IMAGEN = 256,
    RD3_SIN_LECTOR_1 = -9,
    RD3_SIN_LECTOR_2 = -1,
    RD3_CONFIGURACION_API = 4099,
};
