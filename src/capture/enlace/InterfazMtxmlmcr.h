#pragma once
// C interface of the Excella reader library (mtxmlmcr), written from its
// documented functions. Loaded at run time (EnlaceMtxmlmcr); the simulated
// library exports exactly these functions. All text is 8-bit and
// NUL-terminated; a result of 0 means success. Lengths are 32-bit unsigned:
// in, the size of the buffer; out, the length of what was written.

#include <stdint.h>

#include "ConvencionLlamada.h"

#ifdef __cplusplus
extern "C" {
#endif

// Device `indice` (1, 2, ...) into a 200-byte buffer; non-zero past the last.
typedef int(LECTOR_LLAMADA* MTMICRGetDevice_t)(int indice, char* nombre);
typedef int(LECTOR_LLAMADA* MTMICROpenDevice_t)(const char* dispositivo);
typedef int(LECTOR_LLAMADA* MTMICRCloseDevice_t)(const char* dispositivo);
// Processes one document with the XML settings; the XML response goes to
// `respuesta`.
typedef int(LECTOR_LLAMADA* MTMICRProcessCheck_t)(const char* dispositivo, const char* ajustes,
                                                  char* respuesta, uint32_t* largoRespuesta);
// Looks up the value of `clave` in `seccion` of a response.
typedef int(LECTOR_LLAMADA* MTMICRGetValue_t)(const char* respuesta, const char* seccion,
                                              const char* clave, char* valor, uint32_t* largoValor);
// The same for the element number `indice` (1 to 3) of a repeated key.
typedef int(LECTOR_LLAMADA* MTMICRGetIndexValue_t)(const char* respuesta, const char* seccion,
                                                   const char* clave, int indice, char* valor,
                                                   uint32_t* largoValor);
// One image of the document, named by a URL looked up in the response.
typedef int(LECTOR_LLAMADA* MTMICRGetImage_t)(const char* dispositivo, const char* url,
                                              char* imagen, uint32_t* tamano);

#ifdef __cplusplus
}
#endif

// Return code of a manual-feed reader that had no document to read.
#define MTMICR_SIN_DOCUMENTO "250"
