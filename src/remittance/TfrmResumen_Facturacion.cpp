#include "TfrmResumen_Facturacion.h"

#include "Accesibilidad.h"
#include "Cadenas.h"
#include "CajaMensajes.h"
#include "CamposTexto.h"
#include "ConfiguracionBanco.h"
#include "DialogosSistema.h"
#include "ImagenesTalon.h"
#include "InformesEmision.h"
#include "NombresControles.h"
#include "TdmBBDD.h"

#include <QAbstractTextDocumentLayout>
#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextEdit>
#include <QUrl>
#include <QVBoxLayout>
#include <QtMath>

QStringList TfrmResumen_Facturacion::textoAyuda() {
    return {QStringLiteral("Con <Guardar Como> puede dejar una copia de la remesa con el "
                           "nombre+ruta que indique, por ejemplo para que la abone su banco-"),
            QStringLiteral("caja."),
            QStringLiteral("Dispone de dos informes imprimibles: Carta y Resumido."),
            QStringLiteral("<Envío Web> lanza un navegador a la página Web del Banco-Caja "
                           "ordenante. Para el envío de la remesa, siga las instrucciones de "),
            QStringLiteral("ésta.")};
}

QString TfrmResumen_Facturacion::mensajeSinDireccionWeb(const QString& ficheroConfiguracion) {
    return QStringLiteral("No hay ninguna página web del banco configurada para el envío de "
                          "remesas. Indíquela en el fichero de configuración \"%1\", sección "
                          "[BANCO], clave Web (por ejemplo: Web=https://www.su-banco.es/remesas).")
        .arg(QDir::toNativeSeparators(ficheroConfiguracion));
}

bool TfrmResumen_Facturacion::Launch(TdmBBDD& dm, const QString& ficheroRemesa, QWidget* parent) {
    TfrmResumen_Facturacion frm(dm, ficheroRemesa, parent);
    if (!frm.prepara())
        return false;
    return frm.exec() == QDialog::Accepted;
}

TfrmResumen_Facturacion::TfrmResumen_Facturacion(TdmBBDD& dm, const QString& ficheroRemesa,
                                                 QWidget* parent)
    : QDialog(parent), dm_(dm) {
    // "CONS.0007": the letter and the report share the emission's suffix ".0007".
    const QString carpeta = dm_.instalacion().dirs.Dir_Cons;
    const QString sufijo = ficheroRemesa.mid(4, 15);
    baseArchivo_ = carpeta + ficheroRemesa;
    rutaCarta_ = carpeta + ficheroCarta(sufijo);
    rutaInforme_ = carpeta + ficheroInforme(sufijo);
    setWindowTitle(Caption);
    creaControles();
    resize(900, AltoInicial);
    nombraControles({{rbtCarta, "rbtCarta"},
                     {rbtInforme, "rbtInforme"},
                     {rchVisor, "rchVisor"},
                     {btnGuardarComo, "btnGuardarComo"},
                     {btnImprimir, "btnImprimir"},
                     {btnEnvioWeb, "btnEnvioWeb"},
                     {btnSalir, "btnSalir"},
                     {mmoAyuda, "mmoAyuda"}});
}

void TfrmResumen_Facturacion::creaControles() {
    auto* grpInforme = new QGroupBox(this);
    grpInforme->setAccessibleName(QStringLiteral("Informe"));
    rbtCarta = new QRadioButton(QStringLiteral("Mostrar Carta"), grpInforme);
    rbtInforme = new QRadioButton(QStringLiteral("Mostrar Informe Resumido"), grpInforme);
    auto* grupo = new QButtonGroup(this);
    grupo->addButton(rbtCarta);
    grupo->addButton(rbtInforme);
    auto* filaInforme = new QHBoxLayout(grpInforme);
    filaInforme->addWidget(rbtCarta);
    filaInforme->addWidget(rbtInforme);
    filaInforme->addStretch();

    rchVisor = new QTextEdit(this);
    rchVisor->setReadOnly(true);
    rchVisor->setAcceptRichText(false);
    rchVisor->setLineWrapMode(QTextEdit::NoWrap);
    rchVisor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    rchVisor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The reports are laid out in fixed-width columns.
    rchVisor->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    rchVisor->setAccessibleName(Caption);

    btnGuardarComo = new QPushButton(QStringLiteral("&Guardar Como"), this);
    btnImprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
    btnEnvioWeb = new QPushButton(QStringLiteral("&Envío Web"), this);
    btnSalir = new QPushButton(QStringLiteral("&Salir"), this);
    auto* filaBotones = new QHBoxLayout;
    for (QPushButton* b : {btnGuardarComo, btnImprimir, btnEnvioWeb, btnSalir}) {
        b->setAutoDefault(false);
        pulsaConEnter(b);
    }
    for (QPushButton* b : {btnGuardarComo, btnImprimir, btnEnvioWeb})
        filaBotones->addWidget(b);
    filaBotones->addStretch();
    filaBotones->addWidget(btnSalir);

    mmoAyuda = new QPlainTextEdit(this);
    mmoAyuda->setReadOnly(true);
    mmoAyuda->setPlainText(textoAyuda().join(u'\n'));

    mmoAyuda->setMaximumHeight(mmoAyuda->fontMetrics().lineSpacing() * 7);
    Accesibilidad::textoAyuda(mmoAyuda);

    auto* capas = new QVBoxLayout(this);
    capas->addWidget(grpInforme);
    capas->addWidget(rchVisor, 1);
    capas->addLayout(filaBotones);
    capas->addWidget(mmoAyuda);

    connect(rbtCarta, &QRadioButton::clicked, this, [this] {
        if (cargaFichero(rutaCarta_))
            muestraTotalesCarta();
    });
    connect(rbtInforme, &QRadioButton::clicked, this, [this] { cargaFichero(rutaInforme_); });
    connect(btnGuardarComo, &QPushButton::clicked, this, &TfrmResumen_Facturacion::guardarComo);
    connect(btnImprimir, &QPushButton::clicked, this, &TfrmResumen_Facturacion::imprimir);
    connect(btnEnvioWeb, &QPushButton::clicked, this, &TfrmResumen_Facturacion::envioWeb);
    connect(btnSalir, &QPushButton::clicked, this, &QDialog::accept);
    Accesibilidad::hazAccesible(this);
}

bool TfrmResumen_Facturacion::prepara() {
    rbtCarta->setChecked(true);
    if (!cargaFichero(rutaCarta_))
        return false;
    ajustaAlto();
    return true;
}

void TfrmResumen_Facturacion::ajustaAlto() {
    // Tall enough for the whole letter where the screen allows it; on a
    // shorter screen the letter opens scrolled to its totals (showEvent).
    const QTextDocument* carta = rchVisor->document();
    const int visor = qCeil(carta->documentLayout()->documentSize().height()) +
                      2 * rchVisor->frameWidth() +
                      rchVisor->horizontalScrollBar()->sizeHint().height();
    const int resto = sizeHint().height() - rchVisor->sizeHint().height();
    const QScreen* pantalla = screen();
    const int disponible =
        pantalla != nullptr ? pantalla->availableGeometry().height() - 60 : AltoInicial;
    resize(width(), qMax(qMin(visor + resto, disponible), qMin(AltoInicial, disponible)));
}

void TfrmResumen_Facturacion::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    // The viewer has its size now: the letter opens with its totals in view.
    muestraTotalesCarta();
}

void TfrmResumen_Facturacion::muestraTotalesCarta() {
    if (!rbtCarta->isChecked())
        return;
    // The totals line with its heading and underline above it.
    const QTextDocument* carta = rchVisor->document();
    const QTextBlock totales = carta->findBlockByNumber(LineaTotalesCarta - 1);
    const QTextBlock cabecera = carta->findBlockByNumber(LineaTotalesCarta - 3);
    if (!totales.isValid())
        return;
    QAbstractTextDocumentLayout* maqueta = carta->documentLayout();
    const qreal abajo = maqueta->blockBoundingRect(totales).bottom();
    const qreal arriba = maqueta->blockBoundingRect(cabecera).top();
    const int alto = rchVisor->viewport()->height();
    QScrollBar* barra = rchVisor->verticalScrollBar();
    // As much of the letter above the totals as fits; in a view too short
    // for the three lines, the heading stays at the top.
    barra->setValue(qMin(qMax(0, qCeil(abajo) - alto + 4), qFloor(arriba)));
}

bool TfrmResumen_Facturacion::cargaFichero(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) {
        CajaMensajes(dm_.estado(), this)
            .muestraMensaje(QStringLiteral("No se puede abrir el fichero \"%1\". %2")
                                .arg(QDir::toNativeSeparators(ruta), f.errorString()));
        return false;
    }
    // The reports are written in the Windows code page.
    QStringDecoder decodifica("windows-1252");
    rchVisor->setPlainText(decodifica(f.readAll()));
    return true;
}

void TfrmResumen_Facturacion::guardarComo() {
    const QString destino = DialogosSistema(dm_.estado(), this)
                                .guardarComo(QStringLiteral("*.zip"), QStringLiteral("ZIP"));
    if (destino.isEmpty())
        return;
    const tRegistroCaptions& c = Cadenas::captions();
    CajaMensajes(dm_.estado(), this)
        .muestraMensaje(copiaFichero(rutaArchivo(), destino) == 0 ? c.CaptioncopiaRemesa
                                                                  : c.CaptioncopiaRemesaFallida);
}

void TfrmResumen_Facturacion::imprimir() {
    DialogosSistema(dm_.estado(), this).imprime(*rchVisor->document(), TituloImpresion);
}

void TfrmResumen_Facturacion::envioWeb() {
    const QString direccion = leeConfiguracionBanco(dm_.instalacion()).Web;
    if (direccion.isEmpty()) {
        CajaMensajes(dm_.estado(), this)
            .muestraMensaje(
                mensajeSinDireccionWeb(dm_.instalacion().ficheros.ficheroConfiguracion));
        return;
    }
    DialogosSistema(dm_.estado(), this).abreDireccion(QUrl::fromUserInput(direccion));
}
