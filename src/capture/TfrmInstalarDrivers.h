#pragma once
// The window that installs what the Vision X reader needs on this computer
// (DriverPanini.h), opened by the scanner check when it is missing. The
// operator chooses the 64 or 32-bit installation and accepts; the window
// closes with OK only when the installation ran. Closing it any other way
// warns that nothing was installed.

#include "DriverPanini.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;
struct tEstadoPrograma;

class TfrmInstalarDrivers : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Controlador Panini Vison X");
    static inline const QString TextoNoInstalado = QStringLiteral(
        "No está instalado en su sistema el controlador para el lector Panini Vision X.");
    static inline const QString TextoAviso =
        QStringLiteral("Aviso: Asegúrese de que el cable USB del escáner esté desconectado.");
    static inline const QString TextoSeleccion =
        QStringLiteral("Seleccione la versión adecuada para su sistema operativo:");
    static inline const QString MensajeInstalado =
        QStringLiteral("La instalación se realizó correctamente. Conecte el cable USB del escáner "
                       "antes de continuar");
    static inline const QString MensajeCancelado = QStringLiteral(
        "No se realizó la instalación de los controladores para el lector Panini Vision X.");
    static inline const QString PrefijoNoEjecutado =
        QStringLiteral("No se pudo ejecutar el archivo .");
    static inline const QString PrefijoProblema =
        QStringLiteral("Se ha producido un problema durante la instalación: ");
    static inline const QString PrefijoNoMostrado =
        QStringLiteral("Se ha producido un error al intentar mostrar el formulario de "
                       "instalación de drivers: ");

    // Creates the window for the configured reader type, shows it modally,
    // destroys it; true when it closed with OK (the installation ran).
    static bool Launch(int tipo, const tDriverPanini& driver, const tEstadoPrograma& estado,
                       QWidget* parent = nullptr);

    TfrmInstalarDrivers(int tipo, const tDriverPanini& driver, const tEstadoPrograma& estado,
                        QWidget* parent = nullptr);

    // "&Aceptar": installs (only for the Vision X type) and closes with OK
    // when the script ran; the window stays open when it could not run.
    void aceptar();
    // "No se pudo ejecutar el archivo .bat: " and the path, by the script's kind.
    static QString mensajeNoEjecutado(const QString& guion);

    QRadioButton* rb64 = nullptr;
    QRadioButton* rb32 = nullptr;
    QPushButton* btnAceptar = nullptr;
    QPushButton* btnCancelar = nullptr;

    void done(int r) override;

private:
    const int tipo_;
    const tDriverPanini driver_;
    const tEstadoPrograma& estado_;
};
