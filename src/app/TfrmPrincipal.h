#pragma once
// Main window: background picture with the information panel kept centred,
// the "first steps" text at the bottom, and the menu that reaches everything.

#include <QMainWindow>

// Registers the pictures compiled into the program.
void iniciaRecursosApp();

class QAction;
class QIcon;
class QLabel;
class QPlainTextEdit;
class QWidget;

class TfrmPrincipal : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmPrincipal(QWidget* parent = nullptr);

    // Top-left corner that centres a panel in an area (halves truncated
    // toward zero, so a panel larger than the area gets negative offsets).
    static QPoint posicionCentrada(const QSize& area, const QSize& panel);

    QWidget* pnl1 = nullptr;
    QWidget* pnlinfo = nullptr;
    QPlainTextEdit* mmoAyuda = nullptr;

    QAction* actVerificarFichero = nullptr;
    QAction* actCopiasSeguridad = nullptr;
    QAction* actSalir = nullptr;
    QAction* actLeerCheques = nullptr;
    QAction* actConfiguracion = nullptr;
    QAction* actLibrados = nullptr;
    QAction* actPresentadores = nullptr;
    QAction* actHistoricoCheques = nullptr;
    QAction* actHistoricoRemesas = nullptr;
    QAction* actAcercaDe = nullptr;

    static inline const QString Caption =
        QStringLiteral("Teskora_CHK (Lectura y proceso de Cheques)");
    static QStringList textoAyuda();
    // The one list of the four 24 x 24 icons of the top-level menu items, in
    // their order: Sistema, Leer Cheques, Mantenimiento, Acerca de.
    static QList<QIcon> iconosMenu();
    static inline const QString TextoInfo =
        QStringLiteral("                   Teskora_CHK                       Lectura de cheques y "
                       "envío de ficheros a las entidades de crédito.");

signals:
    // First time the window is on screen: the start-up sequence may begin.
    void primeraVezMostrada();
    // The window is closing: the program ends once this returns.
    void cerrando();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void creaMenu();
    void centraPanelInfo();
    bool mostrada_ = false;
};
