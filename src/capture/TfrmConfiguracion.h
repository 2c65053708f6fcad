#pragma once
// The scanner configuration window: the operator chooses the reader family;
// "&Aceptar" writes config.ini, runs the scanner check and closes. Opened by
// itself at the first start (no config.ini yet), when it writes the file as
// soon as it is shown, and from the menu at any time. It has no close box;
// from the menu Escape leaves it without writing, at the first start
// "&Aceptar" is the only way out.

#include <QDialog>

class TdmBBDD;
class IPresenciaLectores;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TfrmConfiguracion : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Configuración del tipo de escáner");
    static inline const QString Explicacion =
        QStringLiteral("Elija el tipo de escáner a utilizar. Por defecto, se utilizará el modo "
                       "manual de escaneo.");
    // The items of "Tipo de escáner"; the index is the type.
    static QStringList tiposEscaner();

    // Creates the window, shows it modally and answers true when it closed
    // with OK (it always does).
    static bool Launch(TdmBBDD& dm, IPresenciaLectores& lectores, bool primeraVez,
                       QWidget* parent = nullptr);

    TfrmConfiguracion(TdmBBDD& dm, IPresenciaLectores& lectores, bool primeraVez,
                      QWidget* parent = nullptr);

    bool primeraVez() const { return primeraVez_; }

    // "&Aceptar": write, disable, check, close.
    void aceptar();

    QLabel* lblExplicacion = nullptr;
    QGroupBox* rgTipo = nullptr;
    QButtonGroup* grupoTipo = nullptr;
    QGroupBox* grpImpresion = nullptr;
    QRadioButton* rbImprimir = nullptr;
    QRadioButton* rbSinImpresion = nullptr;
    QLineEdit* edtTexto = nullptr;
    QCheckBox* chkFecha = nullptr;
    QPushButton* btnAceptar = nullptr;

    // Escape (and the window manager's close): at the first start nothing,
    // the choice must be written; from the menu the window closes and
    // config.ini stays as it was.
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void muestraValores();
    void escribe();

    TdmBBDD& dm_;
    IPresenciaLectores& lectores_;
    const bool primeraVez_;
};
