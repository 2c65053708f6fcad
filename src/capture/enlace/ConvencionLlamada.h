#pragma once
// Calling convention and export marks of the reader libraries' C interfaces:
// the standard Windows calling convention on 32-bit Windows, the platform's
// own elsewhere.

#if defined(_WIN32) && !defined(_WIN64)
#define LECTOR_LLAMADA __stdcall
#else
#define LECTOR_LLAMADA
#endif

#if defined(_WIN32)
#define LECTOR_EXPORTA __declspec(dllexport)
#else
#define LECTOR_EXPORTA __attribute__((visibility("default")))
#endif
