#include "TPreguntaF.h"

#include "Cadenas.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {

// Fixed geometry: the button positions are part of the dialog's look, so the
// whole dialog is laid out by hand around them.
constexpr int AnchoCliente = 403;
constexpr int AltoCliente = 140;
constexpr int AnchoBoton = 75;
constexpr int AltoBoton = 25;
constexpr int YBotones = 103;
constexpr int LadoImagen = 32;

} // namespace

TPreguntaF::TPreguntaF(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("PreguntaF"));
    setModal(true);
    setFixedSize(AnchoCliente, AltoCliente);

    imgImagen_ = new QLabel(this);
    imgImagen_->setObjectName(QStringLiteral("imgImagen"));
    imgImagen_->setGeometry(16, 24, LadoImagen, LadoImagen);

    lblPregunta_ = new QLabel(this);
    lblPregunta_->setObjectName(QStringLiteral("lblPregunta"));
    lblPregunta_->setGeometry(64, 8, AnchoCliente - 64 - 16, YBotones - 8 - 8);
    lblPregunta_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblPregunta_->setWordWrap(true);
    lblPregunta_->setTextFormat(Qt::PlainText);

    SiBtn_ = new QPushButton(QStringLiteral("&Sí"), this);
    SiBtn_->setObjectName(QStringLiteral("SiBtn"));
    SiBtn_->setGeometry(XPrimerBotonDeDos, YBotones, AnchoBoton, AltoBoton);

    NoBtn_ = new QPushButton(QStringLiteral("&No"), this);
    NoBtn_->setObjectName(QStringLiteral("NoBtn"));
    NoBtn_->setGeometry(XSegundoBotonDeDos, YBotones, AnchoBoton, AltoBoton);

    connect(SiBtn_, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    // The second button is the cancel button: Esc presses it (see reject()).
    connect(NoBtn_, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });

    muestraImagen();
}

QString TPreguntaF::textoEtiqueta(const QString& Texto) {
    if (Texto.size() < LongitudPreguntaCorta)
        return QStringLiteral("\r\n") + Texto;
    return Texto;
}

void TPreguntaF::prepara(const QString& Texto, const QString& Boton1, const QString& Boton2,
                         const QString& Cabecera) {
    setWindowTitle(Cabecera);
    // A label draws CR LF as one line break, nothing more.
    lblPregunta_->setText(textoEtiqueta(Texto));

    SiBtn_->setText(QStringLiteral("&") + Boton1);
    dosBotones_ = !Boton2.isEmpty();
    if (dosBotones_) {
        NoBtn_->setText(QStringLiteral("&") + Boton2);
        SiBtn_->move(XPrimerBotonDeDos, YBotones);
        NoBtn_->move(XSegundoBotonDeDos, YBotones);
    } else {
        SiBtn_->move(XBotonUnico, YBotones);
    }
    NoBtn_->setVisible(dosBotones_);
    muestraImagen();
    setResult(QDialog::Rejected);
}

quint16 TPreguntaF::PreguntaDlg(const QString& Texto, const QString& Boton1, const QString& Boton2,
                                const QString& Cabecera) {
    prepara(Texto, Boton1, Boton2, Cabecera);
    exec();
    return respuesta();
}

quint16 TPreguntaF::respuesta() const {
    return result() == QDialog::Accepted ? 0 : 1;
}

void TPreguntaF::reject() {
    // With a single button the question must be answered with it. Esc and the
    // window's close request both come here; QDialog keeps a dialog open when
    // reject() leaves it visible.
    if (!dosBotones_)
        return;
    QDialog::reject();
}

void TPreguntaF::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    NoBtn_->setVisible(dosBotones_);
    SiBtn_->setFocus(Qt::OtherFocusReason);
    centraEnPantalla();
}

void TPreguntaF::muestraImagen() {
    imagen_ = windowTitle() == Cadenas::captions().captionInformacion ? Imagen::Informacion
                                                                      : Imagen::Pregunta;
    const auto icono = imagen_ == Imagen::Informacion ? QStyle::SP_MessageBoxInformation
                                                      : QStyle::SP_MessageBoxQuestion;
    imgImagen_->setPixmap(style()->standardIcon(icono, nullptr, this).pixmap(LadoImagen));
}

void TPreguntaF::centraEnPantalla() {
    QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!pantalla)
        return;
    QRect marco = frameGeometry();
    marco.moveCenter(pantalla->availableGeometry().center());
    move(marco.topLeft());
}
