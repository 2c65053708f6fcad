#pragma once
// A reader library loaded at run time. The program never links a maker's
// library: it looks for the file, loads it and resolves every function it
// will call. A file that is missing, does not load or lacks one function
// leaves the library unloaded ("no reader"), and the reason names the files
// that were looked for.

#include <QFunctionPointer>
#include <QHash>
#include <QLibrary>
#include <QString>
#include <QStringList>

class TRegistroDiagnostico;

// Where a maker's library is looked for. The path configured in config.ini
// (relative paths are taken from the installation folder) is the only
// candidate when present; otherwise the maker's file name in the installation
// folder, then the same name through the system's library search path.
QStringList candidatosBiblioteca(const QString& configurada, const QString& dirAplicacion,
                                 const QString& nombreFabricante);

// The maker's file name on this platform: "rd3lib.dll" on Windows,
// "librd3lib.so" elsewhere.
QString ficheroDeFabricante(const QString& nombreFabricante);

// Keys of config.ini that name the reader libraries, in section LECTORES.
namespace ClaveBiblioteca {
inline const QString Seccion = QStringLiteral("LECTORES");
inline const QString SeacBanche = QStringLiteral("SeacBanche");
inline const QString Excella = QStringLiteral("Excella");
inline const QString VisionX = QStringLiteral("VisionX");
} // namespace ClaveBiblioteca

class TBibliotecaLector {
public:
    // Tries the candidates in order; the first file that loads decides: it is
    // taken when it holds every function, refused otherwise.
    TBibliotecaLector(const QStringList& candidatos, const QStringList& funciones);
    TBibliotecaLector(const TBibliotecaLector&) = delete;
    TBibliotecaLector& operator=(const TBibliotecaLector&) = delete;
    // A loaded library stays loaded until the program ends: the library may
    // still run a thread of its own that calls back into the program.
    ~TBibliotecaLector() = default;

    bool cargada() const { return m_cargada; }
    // The file loaded, or empty.
    QString fichero() const { return m_fichero; }
    // The files looked for, in order.
    QStringList buscados() const { return m_candidatos; }
    // Why no library is loaded, in Spanish, naming the files looked for;
    // empty when loaded.
    QString motivo() const { return m_motivo; }
    // The resolved function, or null when the library is not loaded.
    QFunctionPointer funcion(const char* nombre) const;

    // The diagnostic log that the library's errors go to, with the reader's
    // name for their lines. Without a log (the default) nothing is written.
    void fijaDiagnostico(TRegistroDiagnostico* log, const QString& lector);
    // Every error of the library that reaches the operator or the capture
    // window passes here: the call or event that reported it, the code the
    // library gave and its Spanish text make one line of the log. From any
    // thread (the Seac Banche library reports from its own).
    void anotaError(const QString& llamada, const QString& codigo, const QString& texto) const;
    void anotaError(const QString& llamada, int codigo, const QString& texto) const {
        anotaError(llamada, QString::number(codigo), texto);
    }

private:
    QStringList m_candidatos;
    QHash<QByteArray, QFunctionPointer> m_funciones;
    QString m_fichero;
    QString m_motivo;
    bool m_cargada = false;
    TRegistroDiagnostico* m_diagnostico = nullptr;
    QString m_lector;
};
