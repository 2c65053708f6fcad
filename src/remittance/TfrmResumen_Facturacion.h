#pragma once
// The summary of one emission: its covering letter or its detailed report in
// a read-only viewer, printing, a copy of its archive wherever the operator
// wants it, and the bank's web page for sending it.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTextEdit;
class TdmBBDD;

class TfrmResumen_Facturacion : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Resumen de la Emisión");
    static inline const QString TituloImpresion = QStringLiteral("RESUMEN DE LA EMISIÓN");
    static QStringList textoAyuda();
    // What "&Envío Web" says when the installation has no bank page: where
    // to set one (the configuration file's path, section and key).
    static QString mensajeSinDireccionWeb(const QString& ficheroConfiguracion);

    // Opens the summary of the emission whose presentation file is
    // `ficheroRemesa` ("CONS." + number). When its letter cannot be read the
    // error is shown and the window does not open. True when closed with OK.
    static bool Launch(TdmBBDD& dm, const QString& ficheroRemesa, QWidget* parent);

    TfrmResumen_Facturacion(TdmBBDD& dm, const QString& ficheroRemesa, QWidget* parent = nullptr);

    // Selects "Mostrar Carta" and loads the letter; false (error shown) when
    // it cannot be read.
    bool prepara();

    // Paths of the emission's files.
    QString rutaArchivo() const { return baseArchivo_ + QStringLiteral(".zip"); }
    QString rutaCarta() const { return rutaCarta_; }
    QString rutaInforme() const { return rutaInforme_; }

    // Loads a text file of the emission into the viewer; false with the
    // file-open error shown when it cannot be read.
    bool cargaFichero(const QString& ruta);
    // Scrolls the viewer, when it shows the letter, so that the letter's
    // totals line is in view together with as much as fits above it.
    void muestraTotalesCarta();

    // --- Commands ------------------------------------------------------------
    void guardarComo();
    void imprimir();
    void envioWeb();

    QRadioButton* rbtCarta = nullptr;
    QRadioButton* rbtInforme = nullptr;
    QTextEdit* rchVisor = nullptr;
    QPushButton* btnGuardarComo = nullptr;
    QPushButton* btnImprimir = nullptr;
    QPushButton* btnEnvioWeb = nullptr;
    QPushButton* btnSalir = nullptr;
    QPlainTextEdit* mmoAyuda = nullptr;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    static constexpr int AltoInicial = 640;
    void creaControles();
    void ajustaAlto();

    TdmBBDD& dm_;
    QString baseArchivo_;
    QString rutaCarta_;
    QString rutaInforme_;
};
