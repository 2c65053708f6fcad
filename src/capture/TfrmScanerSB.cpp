#include "TfrmScanerSB.h"

#include "Accesibilidad.h"
#include "CajaMensajes.h"
#include "TAdaptadorSB.h"
#include "TdmBBDD.h"
#include "TextosCaptura.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace {

tComportamientoCaptura comportamientoSB() {
    tComportamientoCaptura c;
    c.variante = VarianteLectura::Normal;
    c.todos = true;
    // The lines Save could not store stay, with their images, until the
    // operator clears them.
    c.avisoLargo = true;
    return c;
}

// The sequence number after "¬", or 0.
int secuenciaDe(const QString& linea) {
    const qsizetype marca = linea.lastIndexOf(QChar(0x00AC));
    return marca < 0 ? 0 : linea.mid(marca + 1).toInt();
}

} // namespace

// The same help as every reader with a hopper.
QStringList TfrmScanerSB::ayuda() {
    return TextosCaptura::ayudaTolva();
}

TfrmScanerSB::TfrmScanerSB(TdmBBDD& dm, TAdaptadorSB& adaptador, QWidget* parent)
    : TfrmCaptura(dm, Caption, comportamientoSB(), parent), adaptador_(adaptador) {
    setObjectName(QStringLiteral("frmScanerSB"));
    btnDesatascar = new QPushButton(QStringLiteral("&Desatascar"), this);
    btnDesatascar->setObjectName(QStringLiteral("btnDesatascar"));
    btnParar = new QPushButton(QStringLiteral("&Parar"), this);
    btnParar->setObjectName(QStringLiteral("btnParar"));
    btnReiniciar = new QPushButton(QStringLiteral("&Reiniciar"), this);
    btnReiniciar->setObjectName(QStringLiteral("btnReiniciar"));
    for (QPushButton* b : {btnDesatascar, btnParar, btnReiniciar})
        anadeBotonLector(b);
    connect(btnDesatascar, &QPushButton::clicked, this, &TfrmScanerSB::desatascar);
    connect(btnParar, &QPushButton::clicked, this, &TfrmScanerSB::parar);
    connect(btnReiniciar, &QPushButton::clicked, this, &TfrmScanerSB::reiniciar);

    anadeLineaEstado();

    connect(&adaptador_, &TAdaptadorSB::lineaLeida, this,
            [this](const QString& linea, int) { recibeLinea(linea); });
    connect(&adaptador_, &TAdaptadorSB::mensaje, this, &TfrmScanerSB::muestraMensaje);
    connect(&adaptador_, &TAdaptadorSB::errorLector, this, &TfrmScanerSB::recibeError);
    connect(&adaptador_, &TAdaptadorSB::documentoHecho, this, [this] { muestraEstado(); });
    connect(&adaptador_, &TAdaptadorSB::alimentadorVacio, this, [this] { muestraEstado(); });
    connect(&adaptador_, &TAdaptadorSB::lecturaTerminada, this, &TfrmScanerSB::finDeLectura);

    adaptador_.alCrearVentana();
    Accesibilidad::hazAccesible(this);
}

void TfrmScanerSB::alMostrar() {
    abierta_ = true;
    haLeido_ = false;
    erroresAlEmpezar_ = 0;
    errores_.clear();
    avisoPendiente_.clear();
    lblEstado->clear();
    muestraEstado();
}

void TfrmScanerSB::alCerrar() {
    abierta_ = false;
    avisoPendiente_.clear();
    // Documents fed after the window closed would be read into no list.
    if (adaptador_.leyendo())
        adaptador_.parar();
    adaptador_.cierraVentana();
}

bool TfrmScanerSB::lecturaEnCurso() const {
    return abierta_ && adaptador_.leyendo();
}

void TfrmScanerSB::leer() {
    if (lecturaEnCurso())
        return;
    erroresAlEmpezar_ = static_cast<int>(errores_.size());
    primeraDeLaLectura_ = ultimaSecuenciaDe(lista()) + 1;
    haLeido_ = true;
    adaptador_.leerCheques(dm().instalacion().dirs.Dir_Imagenes_tmp, lista());
    muestraEstado();
}

void TfrmScanerSB::desatascar() {
    adaptador_.desatascar();
}

void TfrmScanerSB::parar() {
    adaptador_.parar();
    muestraEstado();
}

void TfrmScanerSB::reiniciar() {
    // A reader that hangs in a run never says it ended: the reset ends it,
    // so that Save and Clear are not left waiting for it.
    if (adaptador_.leyendo())
        adaptador_.parar();
    adaptador_.reiniciar();
    muestraEstado();
}

void TfrmScanerSB::recibeLinea(const QString& linea) {
    if (abierta_)
        recibeLineaLector(linea);
}

void TfrmScanerSB::alQuedarLibre() {
    if (abierta_ && !avisoPendiente_.isEmpty())
        muestraMensaje(std::exchange(avisoPendiente_, {}));
}

void TfrmScanerSB::recibeError(int, const QString& texto) {
    if (!abierta_)
        return;
    // The library's texts carry stray blanks; each bit is one line.
    for (const QString& t : texto.split(QChar(u'\n')))
        errores_ << t.trimmed();
    muestraEstado();
}

QStringList TfrmScanerSB::secuenciasSinImagenes() const {
    const QDir tmp(dm().instalacion().dirs.Dir_Imagenes_tmp);
    QStringList faltan;
    for (const QString& linea : lista()) {
        // Lines kept by an earlier Save were told then.
        if (secuenciaDe(linea) < primeraDeLaLectura_)
            continue;
        const QString n = QString::number(secuenciaDe(linea));
        for (const QString& f : nombresImagenesLeidas(n))
            if (!QFileInfo::exists(tmp.filePath(f))) {
                faltan << n;
                break;
            }
    }
    return faltan;
}

void TfrmScanerSB::finDeLectura() {
    if (!abierta_)
        return;
    muestraEstado();
    const QStringList nuevos = errores_.mid(erroresAlEmpezar_);
    erroresAlEmpezar_ = static_cast<int>(errores_.size());
    const QStringList faltan = secuenciasSinImagenes();
    QStringList aviso;
    if (!nuevos.isEmpty())
        aviso << QStringLiteral("El lector avisó durante la lectura: %1.")
                     .arg(nuevos.join(QStringLiteral("; ")))
              << QStringLiteral("Compruebe que el número de cheques leídos (%1) coincide con los "
                                "documentos que pasaron por el lector y vuelva a pasar los que "
                                "falten. Si hay un atasco, presione [Desatascar].")
                     .arg(lista().size() + lineasEnEspera().size());
    if (!faltan.isEmpty())
        aviso << QStringLiteral("No llegaron las imágenes de los cheques número %1: no se podrán "
                                "salvar. Vuelva a pasarlos por el lector.")
                     .arg(faltan.join(QStringLiteral(", ")));
    if (aviso.isEmpty())
        return;
    if (preguntaAbierta())
        avisoPendiente_ = aviso.join(QChar(u'\n'));
    else
        muestraMensaje(aviso.join(QChar(u'\n')));
}

void TfrmScanerSB::muestraEstado() {
    QStringList avisos;
    if (!errores_.isEmpty())
        avisos << QStringLiteral("Avisos del lector: %1.").arg(errores_.join(QStringLiteral("; ")));
    muestraEstadoLector(haLeido_ ? adaptador_.documentosHechos() : -1, avisos);
}

void TfrmScanerSB::muestraMensaje(const QString& texto) {
    CajaMensajes(dm().estado(), this).muestraMensaje(texto);
}
