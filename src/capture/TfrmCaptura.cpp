#include "TfrmCaptura.h"

#include "Accesibilidad.h"
#include "CajaMensajes.h"
#include "DialogosSistema.h"
#include "TEnlaceFoto.h"
#include "TdmBBDD.h"
#include "TextosCaptura.h"

#include <QAction>
#include <QDir>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QPushButton* botonDeAccion(QAction* accion, QWidget* parent) {
    auto* b = new QPushButton(accion->text(), parent);
    // Enter typed by a reader into an input box must never press a button.
    b->setAutoDefault(false);
    QObject::connect(b, &QPushButton::clicked, accion, &QAction::trigger);
    // A window that renames the action ("&Salvar &OK") renames its button.
    QObject::connect(accion, &QAction::changed, b, [b, accion] {
        b->setText(accion->text());
        b->setEnabled(accion->isEnabled());
    });
    b->setEnabled(accion->isEnabled());
    return b;
}

} // namespace

class TfrmCaptura::Ocupada {
public:
    explicit Ocupada(TfrmCaptura& v) : v_(v) { ++v_.preguntaAbierta_; }
    ~Ocupada() {
        if (--v_.preguntaAbierta_ == 0)
            v_.alQuedarLibre();
    }
    Ocupada(const Ocupada&) = delete;
    Ocupada& operator=(const Ocupada&) = delete;

private:
    TfrmCaptura& v_;
};

TfrmCaptura::TfrmCaptura(TdmBBDD& dm, const QString& caption,
                         const tComportamientoCaptura& comportamiento, QWidget* parent)
    : QDialog(parent), dm_(dm), comportamiento_(comportamiento) {
    setWindowTitle(caption);
    resize(1000, 620); // the help lines are long and keep their own breaks

    acttramitar = new QAction(QStringLiteral("Sal&var"), this);
    acttramitar->setObjectName(QStringLiteral("acttramitar"));
    actLimpiar = new QAction(QStringLiteral("&Limpiar"), this);
    actLimpiar->setObjectName(QStringLiteral("actLimpiar"));
    connect(acttramitar, &QAction::triggered, this, &TfrmCaptura::salvar);
    connect(actLimpiar, &QAction::triggered, this, &TfrmCaptura::limpiar);

    auto* raiz = new QHBoxLayout(this);
    auto* izquierda = new QVBoxLayout;
    zonaLector_ = new QVBoxLayout;
    izquierda->addLayout(zonaLector_);
    lstLista = new QListWidget(this);
    lstLista->setObjectName(QStringLiteral("lstLista"));
    lstLista->setAccessibleName(QStringLiteral("Cheques leídos"));
    lstLista->setFont(QFont(QStringLiteral("DejaVu Sans Mono")));
    izquierda->addWidget(lstLista, 3);
    mmoAyuda = new QPlainTextEdit(this);
    mmoAyuda->setObjectName(QStringLiteral("mmoAyuda"));
    mmoAyuda->setReadOnly(true);
    mmoAyuda->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Accesibilidad::textoAyuda(mmoAyuda, QStringLiteral("Primeros pasos"));
    izquierda->addWidget(mmoAyuda, 2);
    raiz->addLayout(izquierda, 1);

    auto* derecha = new QVBoxLayout;
    btnLeer = new QPushButton(QStringLiteral("&Leer cheques"), this);
    btnLeer->setObjectName(QStringLiteral("btnLeer"));
    btnLeer->setAutoDefault(false);
    connect(btnLeer, &QPushButton::clicked, this, [this] { leer(); });
    derecha->addWidget(btnLeer);
    botonesLector_ = new QVBoxLayout;
    derecha->addLayout(botonesLector_);
    btnSalvar = botonDeAccion(acttramitar, this);
    btnSalvar->setObjectName(QStringLiteral("btnSalvar"));
    derecha->addWidget(btnSalvar);
    btnLimpiar = botonDeAccion(actLimpiar, this);
    btnLimpiar->setObjectName(QStringLiteral("btnLimpiar"));
    derecha->addWidget(btnLimpiar);
    derecha->addStretch();
    lblDetalle = new TEnlaceFoto(TextoDetalle, this);
    lblDetalle->setObjectName(QStringLiteral("lblDetalle"));
    derecha->addWidget(lblDetalle);
    lblDespiece = new TEnlaceFoto(TextoDespiece, this);
    lblDespiece->setObjectName(QStringLiteral("lblDespiece"));
    derecha->addWidget(lblDespiece);
    derecha->addSpacing(12);
    btnSalir = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                               QStringLiteral("  &Salir  "), this);
    btnSalir->setObjectName(QStringLiteral("btnSalir"));
    btnSalir->setAutoDefault(false);
    connect(btnSalir, &QPushButton::clicked, this, &TfrmCaptura::salir);
    derecha->addWidget(btnSalir);
    raiz->addLayout(derecha);

    connect(lblDetalle, &TEnlaceFoto::pulsado, this, [this] { abreFoto(fotoDetalle()); });
    connect(lblDespiece, &TEnlaceFoto::pulsado, this, [this] { abreFoto(fotoDespiece()); });
    actualizaAcciones();
}

bool TfrmCaptura::Launch() {
    return exec() == QDialog::Accepted;
}

void TfrmCaptura::showEvent(QShowEvent* e) {
    lista_.clear();
    refresca();
    if (comportamiento_.mostrarVaciaImagenes)
        vaciaImagenesTmp();
    mmoAyuda->setPlainText(textoAyuda().join(u'\n'));
    lblDespiece->setText(textoEnlaceDespiece());
    lblDespiece->setAccessibleName(textoEnlaceDespiece());
    alMostrar();
    QDialog::showEvent(e);
}

void TfrmCaptura::done(int r) {
    alCerrar();
    QDialog::done(r);
}

int TfrmCaptura::anadeLinea(const QString& codigo) {
    const int secuencia = static_cast<int>(lista_.size()) + 1;
    lista_.append(codigo + u'¬' + QString::number(secuencia));
    refresca();
    return secuencia;
}

void TfrmCaptura::anadeLineaSinSecuencia(const QString& linea) {
    lista_.append(linea);
    refresca();
}

void TfrmCaptura::anadeBotonLector(QPushButton* boton) {
    boton->setAutoDefault(false);
    botonesLector_->addWidget(boton);
}

// The list on screen always shows lista_, and the actions follow it.
void TfrmCaptura::refresca() {
    lstLista->clear();
    lstLista->addItems(lista_);
    if (lstLista->count() > 0)
        lstLista->scrollToBottom();
    actualizaAcciones();
}

void TfrmCaptura::actualizaAcciones() {
    const bool activas = !lista_.isEmpty() && !lecturaEnCurso();
    acttramitar->setEnabled(activas);
    actLimpiar->setEnabled(activas);
}

quint16 TfrmCaptura::pregunta(const QString& texto) {
    Ocupada ocupada(*this);
    return CajaMensajes(dm_.estado(), this)
        .pregunta(texto, TextosCaptura::BotonContinuar, TextosCaptura::BotonVolver,
                  TextosCaptura::CabeceraAtencion);
}

void TfrmCaptura::almacena(int& buenos, int& invalidos) {
    using Almacen = tComportamientoCaptura::Almacen;
    switch (comportamiento_.almacen) {
    case Almacen::Normal:
        dm_.introduceEnTablasTalones(lista_, comportamiento_.todos, buenos, invalidos);
        break;
    case Almacen::SAFE:
        dm_.introduceEnTablasTalonesSAFE(lista_, comportamiento_.todos, buenos, invalidos);
        break;
    case Almacen::Excella:
        dm_.introduceEnTablasTalonesExcella(lista_, comportamiento_.todos, buenos, invalidos);
        break;
    }
}

void TfrmCaptura::salvar() {
    if (lista_.isEmpty() || lecturaEnCurso())
        return;
    // Lines a reader delivers meanwhile wait: the storing step walks the list.
    Ocupada ocupada(*this);
    int buenos = 0;
    int invalidos = 0;
    almacena(buenos, invalidos);
    // Save deletes the images of the lines left: a window that kept them
    // would let the next reads reuse their numbers, so only the keyboard
    // reader, which takes no images, keeps them.
    if (comportamiento_.vaciaListaAlSalvar)
        lista_.clear();
    refresca();
    const QString texto = invalidos <= 0
                              ? TextosCaptura::todosSalvados(buenos, comportamiento_.leyeros)
                              : TextosCaptura::noSalvados(invalidos, comportamiento_.avisoLargo);
    CajaMensajes(dm_.estado(), this).muestraMensaje(texto);
    vaciaImagenesTmp();
}

void TfrmCaptura::limpiar() {
    if (lista_.isEmpty() || lecturaEnCurso())
        return;
    Ocupada ocupada(*this);
    if (pregunta(TextosCaptura::PreguntaLimpiar) != CajaMensajes::PrimerBoton)
        return;
    lista_.clear();
    refresca();
    if (comportamiento_.limpiarVaciaImagenes)
        vaciaImagenesTmp();
}

void TfrmCaptura::salir() {
    Ocupada ocupada(*this);
    if (!lista_.isEmpty() && pregunta(TextosCaptura::PreguntaSalir) != CajaMensajes::PrimerBoton)
        return;
    done(QDialog::Accepted);
}

void TfrmCaptura::reject() {
    salir();
}

void TfrmCaptura::abreFoto(const QString& fichero) const {
    if (fichero.isEmpty())
        return;
    DialogosSistema(dm_.estado(), nullptr)
        .abreDireccion(QUrl::fromLocalFile(QDir(dm_.instalacion().dirs.Dir_Pub).filePath(fichero)));
}

void TfrmCaptura::vaciaImagenesTmp() const {
    vaciaCarpeta(dm_.instalacion().dirs.Dir_Imagenes_tmp);
}
