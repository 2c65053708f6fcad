#pragma once
// The wait window shown while a long operation runs on the interface thread.
// It has no buttons: the operation shows it, works, and hides it again.

#include <QDialog>

class QLabel;
class QProgressBar;

class TfrmInfo_Proceso : public QDialog {
    Q_OBJECT
public:
    static inline const QString Titulo = QStringLiteral("Información");
    static inline const QString TextoProcesando = QStringLiteral("Procesando...");
    static inline const QString TextoEspere = QStringLiteral("Espere Por Favor");

    // The parent is the main window, on which the window is centred.
    explicit TfrmInfo_Proceso(QWidget* parent = nullptr);

    // Shows the window without a modal loop and paints it at once, because the
    // operation that follows keeps the event loop from running.
    void muestra();
    void oculta();
    // A long operation says its phase and how far it is (`total` 0: not
    // counted, the bar only shows that it goes on). The window grows a line
    // and a progress bar, and paints them at once.
    void progreso(const QString& fase, int hechos, int total);

    QLabel* etiquetaProcesando() const { return lblProcesando_; }
    QLabel* etiquetaEspere() const { return lblEspere_; }
    QLabel* etiquetaFase() const { return lblFase_; }
    QProgressBar* barraProgreso() const { return barra_; }

    void reject() override {}

private:
    void centra();

    QLabel* lblProcesando_;
    QLabel* lblEspere_;
    QLabel* lblFase_;
    QProgressBar* barra_;
};
