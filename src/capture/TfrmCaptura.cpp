#include "TfrmCaptura.h"
#include "AlmacenTalones.h"

#include "Accesibilidad.h"
#include "CajaMensajes.h"
#include "ConfiguracionImagenes.h"
#include "DialogosSistema.h"
#include "ErrorOperacion.h"
#include "TAdaptadorSB.h"
#include "TCuadroCuadre.h"
#include "TDelegadoAviso.h"
#include "TEnlaceFoto.h"
#include "TVerificadorImagenes.h"
#include "TdmBBDD.h"
#include "TextosCaptura.h"

#include <QAction>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include <utility>

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
        if (--v_.preguntaAbierta_ > 0)
            return;
        const QStringList lineas = std::exchange(v_.enEspera_, {});
        for (const QString& l : lineas)
            v_.anadeLineaSinSecuencia(l);
        v_.alQuedarLibre();
    }
    Ocupada(const Ocupada&) = delete;
    Ocupada& operator=(const Ocupada&) = delete;

private:
    TfrmCaptura& v_;
};

TfrmCaptura::TfrmCaptura(TdmBBDD& dm, const QString& caption,
                         const tComportamientoCaptura& comportamiento, QWidget* parent)
    : QDialog(parent), dm_(dm), comportamiento_(comportamiento), cuadre_(dm.instalacion()),
      almacenAvisos_(dm.instalacion()) {
    setWindowTitle(caption);
    resize(1000, 660); // the help lines are long and keep their own breaks

    acttramitar = new QAction(QStringLiteral("Sal&var"), this);
    acttramitar->setObjectName(QStringLiteral("acttramitar"));
    actLimpiar = new QAction(QStringLiteral("&Limpiar"), this);
    actLimpiar->setObjectName(QStringLiteral("actLimpiar"));
    connect(acttramitar, &QAction::triggered, this, &TfrmCaptura::salvar);
    connect(actLimpiar, &QAction::triggered, this, &TfrmCaptura::limpiar);

    // The help lines run the whole width of the window under the list and
    // the buttons: at the window's size each quoted line is one line on
    // screen, and only a narrower window wraps them.
    auto* raiz = new QVBoxLayout(this);
    auto* arriba = new QHBoxLayout;
    auto* izquierda = new QVBoxLayout;
    zonaLector_ = new QVBoxLayout;
    izquierda->addLayout(zonaLector_);
    grpCuadre = new TCuadroCuadre(dm_.estado(), cuadre_, this);
    izquierda->addWidget(grpCuadre);
    lstLista = new QListWidget(this);
    lstLista->setItemDelegate(new TDelegadoAviso(lstLista));
    lstLista->setObjectName(QStringLiteral("lstLista"));
    lstLista->setAccessibleName(QStringLiteral("Cheques leídos"));
    lstLista->setFont(QFont(QStringLiteral("DejaVu Sans Mono")));
    izquierda->addWidget(lstLista);
    arriba->addLayout(izquierda, 1);

    auto* derecha = new QVBoxLayout;
    btnLeer = new QPushButton(QStringLiteral("&Leer cheques"), this);
    btnLeer->setObjectName(QStringLiteral("btnLeer"));
    btnLeer->setAutoDefault(false);
    connect(btnLeer, &QPushButton::clicked, this, [this] {
        leer();
        // A reader read inside leer() has written every image by now.
        if (!lecturaEnCurso())
            verificaRestantes();
    });
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
    arriba->addLayout(derecha);
    raiz->addLayout(arriba, 3);
    mmoAyuda = new QPlainTextEdit(this);
    mmoAyuda->setObjectName(QStringLiteral("mmoAyuda"));
    mmoAyuda->setReadOnly(true);
    mmoAyuda->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Accesibilidad::textoAyuda(mmoAyuda, QStringLiteral("Primeros pasos"));
    raiz->addWidget(mmoAyuda, 2);

    verificador_ = new TVerificadorImagenes(this);
    connect(verificador_, &TVerificadorImagenes::verificado, this,
            &TfrmCaptura::recibeVerificacion);
    connect(lblDetalle, &TEnlaceFoto::pulsado, this, [this] { abreFoto(fotoDetalle()); });
    connect(lblDespiece, &TEnlaceFoto::pulsado, this, [this] { abreFoto(fotoDespiece()); });
    actualizaAcciones();
}

bool TfrmCaptura::Launch() {
    return exec() == QDialog::Accepted;
}

void TfrmCaptura::showEvent(QShowEvent* e) {
    lista_.clear();
    enEspera_.clear();
    olvidaVerificaciones();
    verificador_->fijaLimites(leeLimitesImagen(dm_.instalacion()));
    grpCuadre->cargaRemesa(dm_.estado().RemesaActual.Pk_Remesa);
    cuentaRemesa();
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
    // Lines that waited for a question of a window now closed go nowhere.
    enEspera_.clear();
    QDialog::done(r);
}

int TfrmCaptura::anadeLinea(const QString& codigo) {
    const int secuencia = ultimaSecuenciaDe(lista_ + enEspera_) + 1;
    lista_.append(codigo + u'¬' + QString::number(secuencia));
    lineaAnadida();
    refresca();
    return secuencia;
}

void TfrmCaptura::anadeLineaSinSecuencia(const QString& linea) {
    lista_.append(linea);
    lineaAnadida();
    refresca();
}

void TfrmCaptura::recibeLineaLector(const QString& linea) {
    if (preguntaAbierta())
        enEspera_ << linea;
    else
        anadeLineaSinSecuencia(linea);
}

void TfrmCaptura::anadeLineaEstado() {
    lblEstado = new QLabel(this);
    lblEstado->setObjectName(QStringLiteral("lblEstado"));
    lblEstado->setWordWrap(true);
    lblEstado->setAccessibleName(QStringLiteral("Estado del lector"));
    zonaLector_->addWidget(lblEstado);
}

void TfrmCaptura::muestraEstadoLector(int documentos, const QStringList& mas) {
    const bool leyendo = lecturaEnCurso();
    if (!leyendo)
        verificaRestantes();
    btnLeer->setEnabled(!leyendo);
    actualizaAcciones();
    QStringList estado;
    if (leyendo)
        estado << TextosCaptura::TextoLeyendo;
    if (documentos >= 0)
        estado << TextosCaptura::documentosLeidos(documentos);
    estado << mas;
    lblEstado->setText(estado.join(QChar(u'\n')));
}

void TfrmCaptura::anadeBotonLector(QPushButton* boton) {
    boton->setAutoDefault(false);
    botonesLector_->addWidget(boton);
}

// The list on screen always shows lista_, and the actions follow it.
void TfrmCaptura::refresca() {
    lstLista->clear();
    lstLista->addItems(lista_);
    for (int i = 0; i < lstLista->count(); ++i)
        marcaLinea(i);
    if (lstLista->count() > 0)
        lstLista->scrollToBottom();
    muestraCuadre();
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

void TfrmCaptura::salvar() {
    if (lista_.isEmpty() || lecturaEnCurso())
        return;
    // Lines a reader delivers meanwhile wait: the storing step walks the list.
    Ocupada ocupada(*this);
    // The marks go with the cheques: the checks of the listed lines end
    // first (a few milliseconds each; a check that does not end marks
    // nothing rather than hold the cheques back).
    terminaVerificacion(10000);
    const VarianteLectura forma = comportamiento_.variante;
    const tResultadoLectura r = dm_.almacenaLineasLeidas(lista_, comportamiento_.todos, forma);
    guardaAvisos(r);
    if (forma == VarianteLectura::Excella)
        dejaLineasExcella(r);
    cuentaRemesa();
    refresca();
    const QString texto = r.invalidos <= 0
                              ? TextosCaptura::todosSalvados(r.buenos, comportamiento_.leyeros)
                              : TextosCaptura::noSalvados(r, comportamiento_.avisoLargo);
    CajaMensajes(dm_.estado(), this).muestraMensaje(texto);
    // The lines left, and those that arrived during the message, keep their
    // images for another Save.
    vaciaImagenesLeidasSalvo(dm_.instalacion().dirs.Dir_Imagenes_tmp, secuenciasEnUso());
}

void TfrmCaptura::dejaLineasExcella(const tResultadoLectura& resultado) {
    QStringList quedan;
    QMap<QString, tAvisoImagen> avisos;
    for (const tLineaNoGuardada& l : resultado.noGuardadas) {
        if (l.motivo == tLineaNoGuardada::Motivo::LecturaIncompleta)
            continue; // a bad read is never stored: the message named it
        quedan << l.linea;
        const QString numero = QString::number(quedan.size());
        if (l.secuencia != numero)
            renumeraImagenesLeidas(dm_.instalacion().dirs.Dir_Imagenes_tmp, l.secuencia, numero);
        if (avisos_.contains(l.secuencia))
            avisos.insert(numero, avisos_.value(l.secuencia));
    }
    lista_ = quedan;
    avisos_ = avisos;
}

QStringList TfrmCaptura::secuenciasEnUso() const {
    QStringList numeros;
    if (comportamiento_.variante == VarianteLectura::Excella) {
        for (qsizetype i = 1; i <= lista_.size(); ++i)
            numeros << QString::number(i);
        return numeros;
    }
    for (const QString& linea : lista_ + enEspera_)
        if (const qsizetype marca = linea.lastIndexOf(QChar(0x00AC)); marca >= 0)
            numeros << linea.mid(marca + 1);
    return numeros;
}

void TfrmCaptura::limpiar() {
    if (lista_.isEmpty() || lecturaEnCurso())
        return;
    Ocupada ocupada(*this);
    if (pregunta(TextosCaptura::PreguntaLimpiar) != CajaMensajes::PrimerBoton)
        return;
    lista_.clear();
    olvidaVerificaciones();
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

// --- Control totals and image checks ------------------------------------------

bool TfrmCaptura::conImagenes() const {
    return dm_.estado().Escaner.tipo != TipoLector::Teclado;
}

QString TfrmCaptura::secuenciaEn(qsizetype indice) const {
    if (comportamiento_.variante == VarianteLectura::Excella)
        return QString::number(indice + 1);
    const QString& linea = lista_.at(indice);
    const qsizetype marca = linea.lastIndexOf(QChar(0x00AC));
    return marca >= 0 ? linea.mid(marca + 1) : QString();
}

void TfrmCaptura::cuentaRemesa() {
    QString importe, completos, total;
    ejecutaMostrandoError(dm_.iu(), [&] {
        dm_.talones().CalculaTotales(importe, completos, total, dm_.rutaTalonesActual());
    });
    enRemesa_ = TCuadroCuadre::totalesDeCabecera(importe, completos);
}

// What the remittance will hold: its correct cheques and every listed line,
// with the amount its codeline carries.
void TfrmCaptura::muestraCuadre() {
    tTotalesCuadre t = enRemesa_;
    qint64 centimos = t.importe.centimos();
    for (const QString& linea : lista_) {
        ++t.documentos;
        // Each line is decoded once, not at every line that follows it.
        auto importe = importesLineas_.constFind(linea);
        if (importe == importesLineas_.cend()) {
            // A bad read's amount field is not where the others' is: it counts nothing.
            const tLineaDecodificada d =
                decodificaLinea(linea, comportamiento_.variante, conImagenes());
            importe = importesLineas_.insert(
                linea, d.lecturaErronea ? 0 : d.talon.Importe.value_or(tImporte()).centimos());
        }
        centimos += *importe;
    }
    t.importe = tImporte::deCentimos(centimos);
    grpCuadre->muestraContados(t);
}

void TfrmCaptura::lineaAnadida() {
    if (!conImagenes())
        return;
    // The images of the line before are all written once the next one comes.
    verificaRestantes();
    porVerificar_ << secuenciaEn(lista_.size() - 1);
}

void TfrmCaptura::verificaRestantes() {
    for (const QString& secuencia : std::exchange(porVerificar_, {}))
        if (!secuencia.isEmpty())
            verificador_->verifica(dm_.instalacion().dirs.Dir_Imagenes_tmp, secuencia);
}

bool TfrmCaptura::terminaVerificacion(int ms) {
    verificaRestantes();
    return verificador_->esperaPendientes(ms);
}

void TfrmCaptura::marcaLinea(qsizetype indice) {
    const tAvisoImagen aviso = avisoDe(secuenciaEn(indice));
    if (!aviso.hay() || indice >= lstLista->count())
        return;
    QListWidgetItem* item = lstLista->item(int(indice));
    item->setData(TDelegadoAviso::RolAviso, aviso.aviso);
    item->setToolTip(aviso.aviso + QStringLiteral(": ") + aviso.motivo);
    item->setForeground(QColor(0xc0, 0, 0));
    item->setData(Qt::AccessibleTextRole, item->text() + QStringLiteral(", ") + aviso.aviso);
}

void TfrmCaptura::recibeVerificacion(const QString& secuencia, const tAvisoImagen& aviso) {
    if (!aviso.hay()) {
        avisos_.remove(secuencia);
        return;
    }
    avisos_.insert(secuencia, aviso);
    // Only that line changes: the operator's place in the list stays.
    for (qsizetype i = 0; i < lista_.size(); ++i)
        if (secuenciaEn(i) == secuencia)
            marcaLinea(i);
}

void TfrmCaptura::olvidaVerificaciones() {
    importesLineas_.clear();
    verificador_->descarta();
    porVerificar_.clear();
    avisos_.clear();
}

// Every stored cheque takes its line's mark, or loses whatever mark its key
// carried before; the lines stored leave the list, and their marks with them.
void TfrmCaptura::guardaAvisos(const tResultadoLectura& resultado) {
    QList<int> claves;
    QMap<int, tAvisoImagen> porClave;
    for (const tLineaGuardada& g : resultado.guardadas) {
        claves << g.clave;
        if (avisos_.contains(g.secuencia))
            porClave.insert(g.clave, avisos_.take(g.secuencia));
    }
    CajaMensajes(dm_.estado(), this).ejecutaMostrandoError([&] {
        almacenAvisos_.fija(dm_.estado().RemesaActual.Pk_Remesa, claves, porClave);
    });
}
