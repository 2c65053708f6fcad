#include "TfrmHistoricoTransferencias.h"

#include "Accesibilidad.h"
#include "AlmacenHistorico.h"
#include "CajaMensajes.h"
#include "CamposTexto.h"
#include "ImagenesTalon.h"
#include "Importes.h"
#include "TdmBBDD.h"
#include "TfrmCriteriosBusqueda.h"
#include "TfrmRegistroActividad.h"
#include "TqryHistorico.h"

#include <algorithm>

#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
// Widths of the columns, in characters.
const int anchosColumnas[] = {27, 11, 30, 13, 8, 28, 11, 11, 11, 11, 30, 11, 20, 27, 4};
constexpr int altoImagen = 239;
} // namespace

QString TfrmHistoricoTransferencias::textoResultado(const TqryHistorico& q) {
    if (!q.abierta())
        return QString();
    if (!q.tieneFilas())
        return NingunCheque;
    QString texto =
        QStringLiteral("Cheques encontrados: ") + agrupaDigitos(QString::number(q.rowCount()));
    if (!q.contada())
        texto += QStringLiteral(" (contando...)");
    return texto;
}

QStringList TfrmHistoricoTransferencias::textoAyuda() {
    return {QStringLiteral("Puede lanzar BÚSQUEDAS SOBRE LOS CHEQUES EMITIDOS, pulse [Buscar] para "
                           "pasar a una pantalla donde introducir los criterios que han de cumplir "
                           "los cheques que se "),
            QStringLiteral("quiere visualizar."),
            QStringLiteral("[Anular]. Elimina el cheque seleccionado y sus imagenes del  histórico "
                           "de cheques"),
            QStringLiteral(". ")};
}

bool TfrmHistoricoTransferencias::Launch(TdmBBDD& dm, const QString& referencia_Fichero,
                                         bool primeraBusqueda, QWidget* parent) {
    Q_UNUSED(referencia_Fichero);
    Q_UNUSED(primeraBusqueda);
    TfrmHistoricoTransferencias frm(dm, parent);
    frm.buscar();
    if (!dm.estado().busquedaRealizada)
        return false;
    return frm.exec() == QDialog::Accepted;
}

TfrmHistoricoTransferencias::TfrmHistoricoTransferencias(TdmBBDD& dm, QWidget* parent)
    : TVentanaModal(parent), dm_(dm) {
    setWindowTitle(Caption);
    setObjectName(QStringLiteral("TfrmHistoricoTransferencias"));
    dm_.estado().busquedaRealizada = false;
    abreCriterios = [this] {
        // Before the window is on screen the criteria window sits over its
        // owner instead.
        return TfrmCriteriosBusqueda::Launch(dm_, isVisible() ? this : parentWidget());
    };
    creaControles();
    Accesibilidad::hazAccesible(this);
    dimensiona(1000, 640);
}

TfrmHistoricoTransferencias::~TfrmHistoricoTransferencias() {
    // The query outlives the window: closing it must reach no part of it.
    disconnect(&dm_.historico().qryHistorico(), nullptr, this, nullptr);
    dm_.historico().qryHistorico().alFallar = nullptr;
    dbgHistorico->setModel(nullptr);
    dm_.historico().CierraHistoricoDeTalones();
}

void TfrmHistoricoTransferencias::creaControles() {
    dbgHistorico = new QTableView(this);
    dbgHistorico->setObjectName(QStringLiteral("dbgHistorico"));
    dbgHistorico->setModel(&dm_.historico().qryHistorico());
    // A block that cannot be read while the grid scrolls: told once per
    // search, and the grid goes on with the rows it has.
    dm_.historico().qryHistorico().alFallar = [this](const TErrorOperacion& e) {
        dm_.iu().muestraMensaje(e.texto());
    };
    dbgHistorico->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbgHistorico->setSelectionMode(QAbstractItemView::SingleSelection);
    dbgHistorico->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dbgHistorico->setAlternatingRowColors(true);
    dbgHistorico->setSortingEnabled(false);
    // The rows keep the order of the search; columns are not dragged about.
    dbgHistorico->horizontalHeader()->setSectionsMovable(false);
    dbgHistorico->horizontalHeader()->setSectionsClickable(false);
    dbgHistorico->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    dbgHistorico->verticalHeader()->hide();
    dbgHistorico->setAccessibleName(Caption);
    // Tab leaves the grid for the buttons; the arrows move through it.
    dbgHistorico->setTabKeyNavigation(false);
    dbgHistorico->installEventFilter(this);

    lblResultado = new QLabel(this);
    lblResultado->setObjectName(QStringLiteral("lblResultado"));

    imgCheque = new QLabel(this);
    imgCheque->setObjectName(QStringLiteral("imgCheque"));
    imgCheque->setScaledContents(true);
    imgCheque->setFixedSize(altoImagen * 23 / 10, altoImagen);
    // A hidden picture keeps its place: the grid keeps its height, and the
    // row just reached stays on screen when the picture comes back.
    QSizePolicy politica = imgCheque->sizePolicy();
    politica.setRetainSizeWhenHidden(true);
    imgCheque->setSizePolicy(politica);
    imgCheque->setAccessibleName(QStringLiteral("Imagen del cheque"));

    btnAnular = boton(QStringLiteral("&Anular"), "btnAnular");
    btnBuscar = boton(QStringLiteral("&Buscar"), "btnBuscar");
    btnSalir = boton(QStringLiteral("&Salir"), "btnSalir");
    btnActividad = boton(QStringLiteral("&Registro de actividad"), "btnActividad");
    auto* columnaBotones = new QVBoxLayout;
    columnaBotones->addStretch();
    columnaBotones->addWidget(btnAnular);
    columnaBotones->addWidget(btnBuscar);
    columnaBotones->addWidget(btnActividad);
    columnaBotones->addWidget(btnSalir);

    auto* filaImagen = new QHBoxLayout;
    filaImagen->addWidget(imgCheque);
    filaImagen->addStretch();
    filaImagen->addLayout(columnaBotones);

    auto* capas = new QVBoxLayout(this);
    capas->addWidget(dbgHistorico, 1);
    capas->addWidget(lblResultado);
    capas->addLayout(filaImagen);
    capas->addWidget(creaAyuda(textoAyuda(), 5));

    connect(btnAnular, &QPushButton::clicked, this, &TfrmHistoricoTransferencias::anular);
    connect(btnBuscar, &QPushButton::clicked, this, &TfrmHistoricoTransferencias::buscar);
    connect(btnActividad, &QPushButton::clicked, this,
            &TfrmHistoricoTransferencias::registroActividad);
    connect(btnSalir, &QPushButton::clicked, this, &QDialog::reject);
    connect(dbgHistorico, &QTableView::clicked, this, &TfrmHistoricoTransferencias::pulsaCelda);
    // The picture is the current row's, however the row was reached.
    connect(dbgHistorico->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& actual) { pulsaCelda(actual); });
    connect(&dm_.historico().qryHistorico(), &TqryHistorico::recuentoCambiado, this,
            &TfrmHistoricoTransferencias::muestraResultado);
    connect(&dm_.historico().qryHistorico(), &QAbstractItemModel::modelReset, this,
            &TfrmHistoricoTransferencias::muestraResultado);
    // Every statement run (a search, the search again after an annulment)
    // resets the grid's columns: they are set again each time.
    connect(&dm_.historico().qryHistorico(), &QAbstractItemModel::modelReset, this,
            &TfrmHistoricoTransferencias::ajustaColumnas);
}

void TfrmHistoricoTransferencias::registroActividad() {
    TfrmRegistroActividad::Launch(dm_, this);
}

void TfrmHistoricoTransferencias::buscar() {
    if (!abreCriterios()) {
        dm_.estado().busquedaRealizada = false;
        return;
    }
    refrescaImagen(Qt::Key_Up);
    dm_.estado().busquedaRealizada = true;
}

void TfrmHistoricoTransferencias::ajustaColumnas() {
    const int ancho = fontMetrics().averageCharWidth();
    const QFontMetrics fmTitulos(dbgHistorico->horizontalHeader()->font());
    const QAbstractItemModel* modelo = dbgHistorico->model();
    for (int c = 0; c < int(std::size(anchosColumnas)); ++c) {
        const QString titulo = modelo->headerData(c, Qt::Horizontal).toString();
        dbgHistorico->setColumnWidth(
            c, std::max(anchosColumnas[c] * ancho + 8, fmTitulos.horizontalAdvance(titulo) + 16));
    }
}

void TfrmHistoricoTransferencias::muestraResultado() {
    const QString texto = textoResultado(dm_.historico().qryHistorico());
    lblResultado->setText(texto);
    // Said with the grid when it takes the focus.
    dbgHistorico->setAccessibleDescription(texto);
}

int TfrmHistoricoTransferencias::filaActual() const {
    const int fila = dbgHistorico->currentIndex().row();
    return fila >= 0 ? fila : 0;
}

QString TfrmHistoricoTransferencias::rutaImagenFila(int fila) const {
    const TqryHistorico& q = dm_.historico().qryHistorico();
    const QString base = baseImagenTalon(q.texto(fila, ColumnasHistorico::Cuenta),
                                         q.texto(fila, ColumnasHistorico::Numero_Modelo),
                                         q.texto(fila, ColumnasHistorico::Numero));
    return rutaImagenFrontal(dm_.instalacion().dirs.Dir_Hco_Imagenes, base);
}

QString TfrmHistoricoTransferencias::rutaSinImagen() const {
    return dm_.instalacion().dirs.Dir_Aplicacion + QStringLiteral("SIN_IMAGEN.jpg");
}

bool TfrmHistoricoTransferencias::muestraImagen(const QString& ruta) {
    QPixmap imagen;
    if (ruta.isEmpty() || !imagen.load(ruta)) {
        ocultaImagen();
        return false;
    }
    imgCheque->setPixmap(imagen);
    imgCheque->show();
    imagenMostrada_ = ruta;
    return true;
}

void TfrmHistoricoTransferencias::ocultaImagen() {
    imgCheque->clear();
    imgCheque->hide();
    imagenMostrada_.clear();
}

void TfrmHistoricoTransferencias::refrescaImagen(int tecla) {
    const bool hayFilas = dm_.historico().qryHistorico().tieneFilas();
    if ((tecla == Qt::Key_Up || tecla == Qt::Key_Down) && hayFilas) {
        btnAnular->setEnabled(true);
        if (!dbgHistorico->currentIndex().isValid())
            dbgHistorico->setCurrentIndex(dm_.historico().qryHistorico().index(0, 0));
        muestraImagen(rutaImagenFila(filaActual()));
    } else if (!hayFilas) {
        muestraImagen(rutaSinImagen());
        btnAnular->setEnabled(false);
    }
}

void TfrmHistoricoTransferencias::pulsaCelda(const QModelIndex& indice) {
    if (!indice.isValid())
        return;
    const QString ruta = rutaImagenFila(indice.row());
    muestraImagen(!ruta.isEmpty() && QFileInfo::exists(ruta) ? ruta : rutaSinImagen());
}

void TfrmHistoricoTransferencias::anular() {
    const TqryHistorico& q = dm_.historico().qryHistorico();
    if (!q.tieneFilas()) {
        btnAnular->setEnabled(false);
        return;
    }
    const int fila = filaActual();
    const QString texto = QStringLiteral("Desea eliminar el cheque número: ") +
                          q.texto(fila, ColumnasHistorico::Numero) +
                          QStringLiteral(" con cuenta: ") +
                          q.texto(fila, ColumnasHistorico::Cuenta);
    if (CajaMensajes(dm_.estado(), this)
            .pregunta(texto, QStringLiteral("Aceptar"), QStringLiteral("Cancelar"),
                      QStringLiteral("Eliminar Talón del Histórico")) == CajaMensajes::PrimerBoton)
        ejecutaMostrandoError(dm_.iu(), [&] {
            dm_.historico().EliminaregistroHistorico(
                q.texto(fila, ColumnasHistorico::Pk_HistoricoRecibos).toInt());
        });
    refrescaImagen(Qt::Key_Up);
}

bool TfrmHistoricoTransferencias::eventFilter(QObject* objeto, QEvent* evento) {
    // Ctrl+End goes to the last row found: the rows not yet counted are
    // counted first.
    if (objeto == dbgHistorico && evento->type() == QEvent::KeyPress) {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        if (tecla->key() == Qt::Key_End && (tecla->modifiers() & Qt::ControlModifier))
            dm_.historico().TerminaRecuentoHistorico();
    }
    return TVentanaModal::eventFilter(objeto, evento);
}
