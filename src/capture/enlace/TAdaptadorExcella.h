#pragma once
// The Excella readers' adapter (automatic feed, type 2; manual feed, type 3):
// everything the capture window does with the library, without a window. A
// reading run is synchronous: it runs inside "&Leer cheques" on the
// user-interface thread, and each line read reaches the window at once
// through lineaLeida (the window adds it and repaints its list).
//
// Unlike a plain reading of the run, a document whose codeline cannot be
// looked up writes no image (it would replace the files of the line before)
// and the operator is told, as for a document whose return code is not a
// number (it is skipped); a new line first removes any older image file
// of its number, so that an image not fetched is missing rather than stale; an image size or count
// that is not a number, or an image file that cannot be written, ends the run with a message, and
// an image file is written whole or not at all.

#include "EnlaceMtxmlmcr.h"
#include "ImagenesTalon.h"

#include <QObject>
#include <QString>

#include <functional>

class TAdaptadorExcella : public QObject {
    Q_OBJECT
public:
    static inline const QString MensajeNoPreparado =
        QStringLiteral("El dispositivo no está preparado. Revíselo.");
    static inline const QString MensajeDocumentoNoLeido =
        QStringLiteral("No se pudo leer la banda de un documento y no se ha añadido a la lista. "
                       "Vuelva a pasarlo por el lector.");
    static inline const QString MensajeCodigoNoValido =
        QStringLiteral("El lector no dio un resultado válido para un documento y no se ha añadido "
                       "a la lista. Vuelva a pasarlo por el lector.");
    static constexpr uint32_t LargoRespuesta = 4096;
    static constexpr uint32_t LargoValor = 1024;
    static constexpr uint32_t LargoValorGrande = 4096;
    static constexpr int EsperaManual = 1000;

    explicit TAdaptadorExcella(TEnlaceMtxmlmcr& enlace, QObject* parent = nullptr);

    // The settings document of a reading run, byte for byte: the Excella
    // reader type (TipoLector) automatic feed, any other type manual feed.
    static QByteArray documentoAjustes(TipoLector::Tipo tipo);

    // The last attached device whose trimmed name is longer than one character.
    QByteArray DevuelveNombreDispositivo();
    // Opens (abrir) or closes the device; true when done or nothing to do.
    bool Abre_Cierra_Dispositivo(const QByteArray& nombre, bool abrir);

    // "&Leer cheques": finds and opens the device, then runs the loop of the
    // type. The lines continue the window's `lineasEnLista` lines; the images
    // of line n go to F<n>.jpg, F<n>.tif and T<n>.tif in `carpetaImagenes`.
    // False when the device is not ready (the message has been sent).
    bool leerCheques(int tipo, const QString& carpetaImagenes, int lineasEnLista);
    // "&Reiniciar": close the device, then open it again.
    void reiniciar();
    // The window closes: close the device.
    void cierraVentana();

    QByteArray dispositivo() const { return m_dispositivo; }
    bool bDeviceOpened() const { return m_abierto; }
    // The pause of the manual feed between documents (tests shorten it).
    void fijaEspera(std::function<void(int)> espera) { m_espera = std::move(espera); }

signals:
    // A document read: "+" and its raw codeline, or "ERROR " and the codeline
    // when it holds "?"; `secuencia` names its images.
    void lineaLeida(const QString& linea, int secuencia);
    void mensaje(const QString& texto);

private:
    struct tRun; // state of one run
    void bucleAutomatico(tRun& run);
    void bucleManual(tRun& run);
    // Codeline lookup and line; false when the document adds no line.
    bool anadeLinea(tRun& run);
    void consultasSinUso(tRun& run);
    // Fetches and writes image `indice`; answers the last call's result and
    // ends the run (run.fin) on a bad size or an unwritable file.
    int imagen(tRun& run, int indice, bool indexada);
    // A failure of the library that the operator is told of: the message,
    // and the call with its result for the diagnostic log.
    void fallo(const QString& llamada, const QString& codigo, const QString& texto);

    TEnlaceMtxmlmcr& m_enlace;
    QByteArray m_dispositivo;
    bool m_abierto = false;
    int m_resultadoDispositivo = 0; // of the last device call: the log's code
    std::function<void(int)> m_espera;
};
