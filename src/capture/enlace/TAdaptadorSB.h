#pragma once
// The Seac Banche reader's adapter: everything the capture window does with
// the library, without a window. The window calls the operations below from
// its buttons and connects the signals to show what they say; every signal
// reaches the window on the user-interface thread, in the order the library
// reported it, whatever thread the library calls its handlers from.
//
// Images. The library writes a document's images after its codeline handler
// returns, under the names the handler set. The handler therefore runs on the
// library's own thread: it takes the document's sequence number, removes any
// file already under that number, names the images "F" n and "T" n, and hands
// the read line to the user-interface thread. So a document's images never
// take another document's number, even while the window is busy.

#include "EnlaceRd3lib.h"
#include "ScannerPrefs.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <mutex>

// The codeline as the read line carries it: the library's text (up to its
// NUL) cleaned as every reader's codeline is (CodelineLector.h); "?" for none.
QString codelineDeBiblioteca(const char* texto);

// The sequence number that a new run starts after: the number of lines, or
// the highest "¬" number among them when a line was removed during a run.
int ultimaSecuenciaDe(const QStringList& lineas);

class TAdaptadorSB : public QObject {
    Q_OBJECT
public:
    static inline const QString MensajeSinLector =
        QStringLiteral("El escáner no se ha detectado, conecte el escáner al equipo.");
    static inline const QString PrefijoCargaParametros =
        QStringLiteral("Falla la carga de parámetros: ");
    static inline const QString PrefijoReset = QStringLiteral("Función reset: ");
    static inline const QString PrefijoOperation = QStringLiteral("Función rdOperation: ");
    static inline const QString PrefijoGetLineMode = QStringLiteral("Función rdGetlineMode: ");
    static inline const QString PrefijoReadMode = QStringLiteral("Función rdReadMode: ");
    static inline const QString PrefijoStart = QStringLiteral("Función rdStart: ");
    // Milliseconds the codeline handler waits before naming the images.
    static constexpr int EsperaNombreImagenes = 100;

    explicit TAdaptadorSB(TEnlaceRd3lib& enlace, QObject* parent = nullptr);
    ~TAdaptadorSB() override;

    // Window created (once, at program start): preferences to their defaults
    // and rdConfigAPI(4099, 1). Without a library nothing is called.
    void alCrearVentana();

    // Presence check: rdInit(-1), true unless it answers -9 or -1. False
    // without a library.
    bool compruebaEstadoEscaner();

    // "&Leer cheques": the reading run in its ten steps. `carpetaImagenes` is
    // Imagenes_tmp; `lineasEnLista` the window's list, whose count (or highest
    // sequence number) the new lines continue from. Answers false when no
    // reader answered (the message has been sent) or an unguarded step failed.
    bool leerCheques(const QString& carpetaImagenes, const QStringList& lineasEnLista);

    void desatascar(); // "&Desatascar": rdEject()
    void parar();      // "&Parar": reading state off, rdStop()
    void reiniciar();  // "&Reiniciar"
    // The window closed: codelines that still arrive add no line (their
    // images are written under names that no line uses).
    void cierraVentana();

    bool primeraLectura() const { return m_primeraLectura; }
    bool hayError() const { return m_error; }
    bool leyendo() const { return m_leyendo; }
    int documentosHechos() const { return m_documentos; }
    int imagenesGuardadas() const { return m_imagenes; }
    TEnlaceRd3lib& enlace() { return m_enlace; }

signals:
    // A document read: the read line (codeline, "¬", sequence number) to add
    // to the list; its images are F<secuencia> and T<secuencia>.
    void lineaLeida(const QString& linea, int secuencia);
    // A message for the operator (no reader, a failed step with its prefix).
    void mensaje(const QString& texto);
    // The library reported an error (jam, double feed, ...), with its text.
    void errorLector(int codigo, const QString& texto);
    void alimentadorVacio();
    void lecturaTerminada();
    void documentoHecho(int documentos);
    void imagenGuardada(int imagenes);

private:
    friend struct ManejadoresSB;
    // Library's thread.
    void enLinea(const char* texto);
    void enError(int codigo);
    void enAlimentadorVacio();
    void enFinLectura();
    void enImagenGuardada();
    void enDocumentoHecho();
    void nombraImagenes(const QString& frontal, const QString& trasera);
    void quitaImagenes(int secuencia);

    void cargaParametros(const QString& carpetaImagenes);
    template <typename Paso> void pasoGuardado(const QString& prefijo, Paso paso);
    void registraManejadores();

    TEnlaceRd3lib& m_enlace;
    ScannerPrefs m_prefs;
    bool m_primeraLectura = true;
    std::atomic<bool> m_error{false};
    std::atomic<bool> m_leyendo{false};
    std::atomic<bool> m_aceptaLineas{false};
    std::atomic<int> m_ultimaSecuencia{0};
    std::atomic<int> m_documentos{0};
    std::atomic<int> m_imagenes{0};
    std::mutex m_mutexCarpeta;
    QString m_carpetaImagenes;
};
