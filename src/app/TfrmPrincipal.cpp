#include "TfrmPrincipal.h"

#include "Accesibilidad.h"
#include "BarraMenuIconos.h"
#include "NombresControles.h"

#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

void iniciaRecursosApp() {
    // Pictures are compiled into this static library: register them once.
    static const bool hecho = [] {
        Q_INIT_RESOURCE(recursos);
        return true;
    }();
    (void)hecho;
}

namespace {
// Central area: paints the background picture scaled to fill it.
class TPanelFondo : public QWidget {
public:
    explicit TPanelFondo(QWidget* parent)
        : QWidget(parent), fondo_(QStringLiteral(":/fondo.jpg")) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (fondo_.isNull())
            p.fillRect(rect(), QColor(0xdf, 0xe8, 0xf3));
        else
            p.drawPixmap(rect(), fondo_);
    }

private:
    QPixmap fondo_;
};

constexpr int AnchoCliente = 1008;
constexpr int AltoCliente = 612;
constexpr int AltoFranjaAyuda = 143;
} // namespace

QPoint TfrmPrincipal::posicionCentrada(const QSize& area, const QSize& panel) {
    return {area.width() / 2 - panel.width() / 2, area.height() / 2 - panel.height() / 2};
}

QStringList TfrmPrincipal::textoAyuda() {
    return {
        QStringLiteral("PRIMEROS PASOS:"),
        QStringLiteral("Para generar un fichero de Cheques debe completar los pasos siguientes:"),
        QStringLiteral("1.- Introduzca los cheques en la remesa, completando los valores  del "
                       "cheque y del cliente."),
        QStringLiteral("2.- Emita la remesa para su posterior envío a  su banco."),
        QString(),
        QStringLiteral("ESCÁNER:"),
        QStringLiteral("Para seleccionar y configurar el escaner de cheques, seleccione "
                       "Mantenimiento y pulse sobre \"Configuración de escáner\".")};
}

TfrmPrincipal::TfrmPrincipal(QWidget* parent) : QMainWindow(parent) {
    iniciaRecursosApp();
    setWindowTitle(Caption);
    setObjectName(QStringLiteral("frmPrincipal"));

    auto* central = new QWidget(this);
    auto* capas = new QVBoxLayout(central);
    capas->setContentsMargins(0, 0, 0, 0);
    capas->setSpacing(0);

    pnl1 = new TPanelFondo(central);
    pnl1->setObjectName(QStringLiteral("pnl1"));
    pnl1->installEventFilter(this);
    capas->addWidget(pnl1, 1);

    pnlinfo = new QWidget(pnl1);
    pnlinfo->setObjectName(QStringLiteral("pnlinfo"));
    pnlinfo->setFixedSize(319, 172);
    pnlinfo->setAutoFillBackground(true);
    pnlinfo->setStyleSheet(QStringLiteral(
        "#pnlinfo { background-color: rgba(255,255,255,225); border: 1px solid #8aa1bf; }"));
    auto* info = new QVBoxLayout(pnlinfo);
    auto* logo = new QLabel(pnlinfo);
    logo->setPixmap(QPixmap(QStringLiteral(":/logo.png")));
    logo->setAlignment(Qt::AlignCenter);
    // The runs of blanks of the text are there to put the product name and the
    // sentence on lines of their own; a proportional font needs real breaks.
    auto* lblInfo = new QLabel(pnlinfo);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    const QStringList partes =
        TextoInfo.trimmed().split(QRegularExpression(QStringLiteral(" {3,}")));
    lblInfo->setText(QStringLiteral("<b style='font-size:15pt; color:#1f4e8c'>%1</b><br>%2")
                         .arg(partes.value(0).toHtmlEscaped(), partes.value(1).toHtmlEscaped()));
    lblInfo->setAccessibleName(TextoInfo);
    lblInfo->setWordWrap(true);
    lblInfo->setAlignment(Qt::AlignCenter);
    info->addWidget(logo);
    info->addWidget(lblInfo, 1);

    mmoAyuda = new QPlainTextEdit(central);
    mmoAyuda->setObjectName(QStringLiteral("mmoAyuda"));
    mmoAyuda->setPlainText(textoAyuda().join(u'\n'));
    mmoAyuda->setReadOnly(true);
    mmoAyuda->setEnabled(false);
    mmoAyuda->setFixedHeight(AltoFranjaAyuda);
    mmoAyuda->setBackgroundRole(QPalette::Button);
    Accesibilidad::textoAyuda(mmoAyuda, QStringLiteral("Primeros pasos"));
    capas->addWidget(mmoAyuda);

    setCentralWidget(central);
    creaMenu();
    resize(AnchoCliente, AltoCliente + menuBar()->sizeHint().height());
    nombraControles({{actAcercaDe, "actAcercaDe"},
                     {actCopiasSeguridad, "actCopiasSeguridad"},
                     {actConfiguracion, "actConfiguracion"},
                     {actHistoricoCheques, "actHistoricoCheques"},
                     {actHistoricoRemesas, "actHistoricoRemesas"},
                     {actLeerCheques, "actLeerCheques"},
                     {actLibrados, "actLibrados"},
                     {actPresentadores, "actPresentadores"},
                     {actSalir, "actSalir"},
                     {actVerificarFichero, "actVerificarFichero"}});
}

QList<QIcon> TfrmPrincipal::iconosMenu() {
    iniciaRecursosApp();
    QList<QIcon> iconos;
    for (const char* nombre : {"sistema", "cheque", "mantenimiento", "acerca"})
        iconos << QIcon(QStringLiteral(":/menu_%1.png").arg(QLatin1String(nombre)));
    return iconos;
}

void TfrmPrincipal::creaMenu() {
    auto* barra = new TBarraMenuIconos(this);
    barra->setObjectName(QStringLiteral("mnuPrincipal"));
    setMenuBar(barra);
    QMenu* sistema = barra->addMenu(QStringLiteral("&Sistema"));
    actVerificarFichero = sistema->addAction(QStringLiteral("&Verificar fichero para el banco"));
    actCopiasSeguridad = sistema->addAction(QStringLiteral("&Copias de seguridad"));
    sistema->addSeparator();
    actSalir = sistema->addAction(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                  QStringLiteral("Salir"));
    connect(actSalir, &QAction::triggered, this, &QWidget::close);

    actLeerCheques = barra->addAction(QStringLiteral("Leer &Cheques"));

    QMenu* mnto = barra->addMenu(QStringLiteral("&Mantenimiento"));
    actConfiguracion = mnto->addAction(QStringLiteral("&Configuración de escáner"));
    actLibrados = mnto->addAction(QStringLiteral("&Librados"));
    actPresentadores = mnto->addAction(QStringLiteral("&Presentadores"));
    actHistoricoCheques = mnto->addAction(QStringLiteral("&Histórico de Cheques"));
    actHistoricoRemesas = mnto->addAction(QStringLiteral("His&tórico de remesas emitidas"));

    actAcercaDe = barra->addAction(QStringLiteral("&Acerca de"));

    const QList<QIcon> iconos = iconosMenu();
    sistema->menuAction()->setIcon(iconos[0]);
    actLeerCheques->setIcon(iconos[1]);
    mnto->menuAction()->setIcon(iconos[2]);
    actAcercaDe->setIcon(iconos[3]);

    // Commands whose windows are not part of the program yet stay disabled.
    for (QAction* a : {actVerificarFichero, actCopiasSeguridad, actLeerCheques, actConfiguracion,
                       actLibrados, actPresentadores, actHistoricoCheques, actHistoricoRemesas})
        a->setEnabled(false);
}

void TfrmPrincipal::centraPanelInfo() {
    pnlinfo->move(posicionCentrada(pnl1->size(), pnlinfo->size()));
}

bool TfrmPrincipal::eventFilter(QObject* o, QEvent* e) {
    if (o == pnl1 && e->type() == QEvent::Resize)
        centraPanelInfo();
    return QMainWindow::eventFilter(o, e);
}

void TfrmPrincipal::closeEvent(QCloseEvent* e) {
    emit cerrando();
    QMainWindow::closeEvent(e);
}

void TfrmPrincipal::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (mostrada_)
        return;
    mostrada_ = true;
    if (QScreen* pantalla = screen()) {
        QRect marco = frameGeometry();
        marco.moveCenter(pantalla->availableGeometry().center());
        move(marco.topLeft());
    }
    emit primeraVezMostrada();
}
