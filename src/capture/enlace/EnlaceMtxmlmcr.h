#pragma once
// The Excella reader library reached at run time through its C interface
// (InterfazMtxmlmcr.h). Results are passed back as the library gives them
// (0 success); lookups answer their value with the length set by the call.

#include "BibliotecaLector.h"
#include "InterfazMtxmlmcr.h"

#include <QByteArray>
#include <QString>

class TEnlaceMtxmlmcr {
public:
    static inline const QString NombreFabricante = QStringLiteral("mtxmlmcr");
    // The reader as the diagnostic log names it.
    static inline const QString NombreLector = QStringLiteral("Excella");

    // `configurada`: the library named in config.ini (section LECTORES, key
    // Excella), empty for the default places. `diagnostico`: the log that the
    // library's errors go to while it is on.
    TEnlaceMtxmlmcr(const QString& configurada, const QString& dirAplicacion,
                    TRegistroDiagnostico* diagnostico = nullptr);

    bool cargada() const { return m_biblioteca.cargada(); }
    const TBibliotecaLector& biblioteca() const { return m_biblioteca; }
    static QStringList funciones();

    // Every call answers the library's result; without a library, -1.
    int getDevice(int indice, QByteArray& nombre);
    int openDevice(const QByteArray& dispositivo);
    int closeDevice(const QByteArray& dispositivo);
    // `respuesta` is a buffer of `capacidad` bytes; answers its text.
    int processCheck(const QByteArray& dispositivo, const QByteArray& ajustes,
                     QByteArray& respuesta, uint32_t capacidad);
    // The value is the first `largo` characters the call left in a buffer of
    // `capacidad` bytes.
    int getValue(const QByteArray& respuesta, const char* seccion, const QByteArray& clave,
                 QByteArray& valor, uint32_t capacidad);
    int getIndexValue(const QByteArray& respuesta, const char* seccion, const char* clave,
                      int indice, QByteArray& valor, uint32_t capacidad);
    int getImage(const QByteArray& dispositivo, const QByteArray& url, QByteArray& imagen);

private:
    template <typename F> F funcion(const char* nombre) const {
        return reinterpret_cast<F>(m_biblioteca.funcion(nombre));
    }
    TBibliotecaLector m_biblioteca;
};
