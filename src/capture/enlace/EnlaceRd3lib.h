#pragma once
// The Seac Banche reader library reached at run time through its C interface
// (InterfazRd3lib.h). Each call of the adapter goes through one method here.
// Calls whose result is only a status throw ErrorEnlace on a failure, so the
// adapter can guard each step of a reading run; rdInit answers its result.

#include "BibliotecaLector.h"
#include "InterfazRd3lib.h"

#include <QString>
#include <stdexcept>

// A failed call of a reader library; what() is a Spanish text for the operator.
class ErrorEnlace : public std::runtime_error {
public:
    explicit ErrorEnlace(const QString& texto)
        : std::runtime_error(texto.toStdString()), m_texto(texto) {}
    QString texto() const { return m_texto; }

private:
    QString m_texto;
};

class TEnlaceRd3lib {
public:
    // The maker's name of the library, without decorations.
    static inline const QString NombreFabricante = QStringLiteral("rd3lib");
    // The reader as the diagnostic log names it.
    static inline const QString NombreLector = QStringLiteral("Seac Banche");

    // `configurada`: the library named in config.ini (section LECTORES, key
    // SeacBanche), empty for the default places. `diagnostico`: the log that
    // the library's errors go to while it is on.
    TEnlaceRd3lib(const QString& configurada, const QString& dirAplicacion,
                  TRegistroDiagnostico* diagnostico = nullptr);

    bool cargada() const { return m_biblioteca.cargada(); }
    const TBibliotecaLector& biblioteca() const { return m_biblioteca; }

    void rdConfigAPI(int codigo, int valor);
    int rdInit(int modo); // the result is the answer; no reader loaded: -1
    void rdReset(int modo);
    void rdDoubleDetect(int nivel);
    void rdsCameraSetup(int a, int b, int c, int d);
    void rdsImageDirectory(int camaras, const QString& carpeta);
    void rdsImageSetup(int camara, int dpi, int formato, int opciones);
    void rdsScanDimensionsMM(int ancho, int alto, int x, int y);
    void rdOperation(int operacion);
    void rdGetLineMode(int modo);
    void rdOnCodeLine(rdManejadorLinea manejador);
    void rdOnError(rdManejadorEvento manejador);
    void rdOnFeederEmpty(rdManejadorEvento manejador);
    void rdOnAllDone(rdManejadorEvento manejador);
    void rdOnImageStored(int modo, rdManejadorEvento manejador);
    void rdOnDocumentDone(rdManejadorEvento manejador);
    void rdsSetSort(int casilla);
    void rdReadMode(int modo);
    void rdStart();
    void rdsImageNameFormat(int camara, const QString& nombre);
    void rdsBinarizationSetup(int camara, int metodo, int umbral);
    void rdStop();
    void rdEject();

    // Every function the binding resolves, in the order of the interface.
    static QStringList funciones();

private:
    template <typename F> F resuelta(const char* nombre) const;
    // Throws ErrorEnlace when the result reports a failure; the log gets it.
    void compruebaResultado(const char* nombre, int resultado) const;

    TBibliotecaLector m_biblioteca;
};
