#pragma once
// The Vision X reader's adapter: the engine, its events and the buttons of
// the capture window, without a window. The adapter lives for the whole run
// of the program (the engine is started once, by the scanner check), so the
// engine's events are handled whether or not the window is shown: the engine
// posts them from its own thread and they are handled one at a time, in
// order, on the user-interface thread (mensajesVisionX). The window calls the
// button operations and connects the signals.
//
// Unlike a plain reading of the events, an images event whose document added
// no line writes no file (it would replace the files of the line before).

#include "EnlaceVisionAPI.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class TAdaptadorVisionX : public QObject {
    Q_OBJECT
public:
    static inline const QString MensajeSinLector =
        QStringLiteral("El escáner no se ha detectado, conecte el escáner al equipo.");
    static inline const QString MensajeEspera = QStringLiteral(
        "Espere 10 segundos para cargar el formato de configuración del MICR e imágenes.");
    static inline const QString MensajeAtascado =
        QStringLiteral("Cheque atascado. Pulse el botón [Desatascar].");
    static inline const QString MensajeNoPara =
        QStringLiteral("Error: no se pudo parar la lectura de cheques.\nPulse el botón "
                       "[Reiniciar].");
    static inline const QString MensajeNoDesatasca =
        QStringLiteral("Error: No se pudo desatascar el cheque. Intente pulsando [Reiniciar].");
    static inline const QString MensajeParametros =
        QStringLiteral("Error: no se pudo cargar los parámetros de configuración");
    static inline const QString MensajeCodeline =
        QStringLiteral("Error: no se pudo leer el código MICR. El documento no se ha añadido a la "
                       "lista: vuelva a pasarlo por el lector.");
    static inline const QString MensajeImagenes =
        QStringLiteral("Error: No se pudo guardar las imágenes del cheque con código MICR:");
    static inline const QString MensajeErrorAPI =
        QStringLiteral("Error: No se pudo obtener el mensaje de error de la API.");
    static inline const QString MensajeDocumentoNoLeido =
        QStringLiteral("No se pudo leer la banda de un documento y no se ha añadido a la lista. "
                       "Vuelva a pasarlo por el lector.");
    static constexpr int EsperaReintento = 5000;

    explicit TAdaptadorVisionX(TEnlaceVisionAPI& enlace, QObject* parent = nullptr);
    ~TAdaptadorVisionX() override;

    // The device parameters that the engine asks for.
    static TParametrosConfig configParametros();
    // The codeline's CMC7 symbols in the characters the storing step reads.
    static QByteArray sustituyeCaracteresMICR(const QByteArray& codeline);

    // Starts the engine once (with one retry after 5 seconds when no reader
    // is listed); true when it is started.
    bool enciendeEscaner();
    QByteArray estadoDispositivo();
    // The engine's text of the error `codigo` for the operator, after the
    // call `llamada` failed.
    void errorAPI(int codigo, const QString& llamada);

    // The buttons. `carpetaImagenes`: Imagenes_tmp, where the images events
    // write; `lineasEnLista`: the window's list, whose count (or highest
    // sequence number) new lines continue from.
    // True when the device started feeding.
    bool leerCheques(const QString& carpetaImagenes, const QStringList& lineasEnLista);
    void parar();
    void desatascar();
    void reiniciar();

    // One engine event, on the user-interface thread. On Windows the window
    // forwards its message 1034 here; elsewhere the engine's notification
    // posts it here.
    void mensajesVisionX(uintptr_t evento, intptr_t argumento);

    bool encendido() const { return m_encendido; }
    uint32_t idDispositivo() const { return m_idDispositivo; }
    QByteArray codigoMICR() const { return m_codigoMICR; }
    void fijaEspera(std::function<void(int)> espera) { m_espera = std::move(espera); }
    // Windows: the window handle that receives the engine message.
    void fijaDestino(VApiDestino destino) { m_destino = destino; }

signals:
    void lineaLeida(const QString& linea, int secuencia);
    void mensaje(const QString& texto);

private:
    // A call of the library failed (it answered 0): the operator's message,
    // and the call for the diagnostic log.
    void fallo(const QString& llamada, const QString& texto);
    bool guardarImagenes(const TPInfoImagen& registro, int n);
    bool creaImagen(const QString& nombre, const uint8_t* datos, int32_t bytes);
    void eventoCodeline();
    void eventoImagenes(const TPInfoImagen* registro);

    TEnlaceVisionAPI& m_enlace;
    uint32_t m_idDispositivo = 0;
    QByteArray m_codigoMICR;
    bool m_encendido = false;
    QString m_carpetaImagenes;
    int m_ultimaSecuencia = 0;
    int m_lineaPendiente = 0; // line of the document whose images are awaited
    bool m_avisado = false;   // the operator was told this document was not read
    VApiDestino m_destino;
    std::function<void(int)> m_espera;
};
