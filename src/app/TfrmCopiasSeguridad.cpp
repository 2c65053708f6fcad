#include "TfrmCopiasSeguridad.h"

#include "Accesibilidad.h"
#include "CajaMensajes.h"
#include "CamposTexto.h"
#include "ErrorOperacion.h"
#include "NombresControles.h"
#include "RegistroActividad.h"
#include "Servidor.h"
#include "TdmBBDD.h"
#include "copias/CopiasSeguridad.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

void TfrmCopiasSeguridad::Launch(TdmBBDD& dm, const std::function<void()>& reiniciaDatos,
                                 QWidget* parent) {
    TfrmCopiasSeguridad frm(dm, reiniciaDatos, parent);
    frm.exec();
}

TfrmCopiasSeguridad::TfrmCopiasSeguridad(TdmBBDD& dm, std::function<void()> reiniciaDatos,
                                         QWidget* parent)
    : QDialog(parent), dm_(dm), reiniciaDatos_(std::move(reiniciaDatos)),
      copias_(std::make_unique<TCopiasSeguridad>(dm.instalacion())) {
    setWindowTitle(Caption);
    copias_->diagnostico = [&iu = dm.iu()](const QString& linea) { iu.anotaSuceso(linea); };
    lblCarpeta = new QLabel(QStringLiteral("Carpeta de las copias: %1")
                                .arg(QDir::toNativeSeparators(copias_->carpeta())),
                            this);
    lblCarpeta->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lvwCopias = new QTreeWidget(this);
    lvwCopias->setRootIsDecorated(false);
    lvwCopias->setHeaderLabels({QStringLiteral("Fecha"), QStringLiteral("Motivo"),
                                QStringLiteral("Tamaño"), QStringLiteral("Cheques en remesas"),
                                QStringLiteral("Cheques en el histórico"),
                                QStringLiteral("Emisiones")});
    lvwCopias->setAccessibleName(Caption);
    lvwCopias->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    btnHacerCopia = new QPushButton(QStringLiteral("&Hacer copia ahora"), this);
    btnRestaurar = new QPushButton(QStringLiteral("&Restaurar"), this);
    btnCerrar = new QPushButton(QStringLiteral("&Cerrar"), this);
    auto* botones = new QHBoxLayout;
    botones->addWidget(btnHacerCopia);
    botones->addStretch();
    botones->addWidget(btnRestaurar);
    botones->addWidget(btnCerrar);
    for (QPushButton* b : {btnHacerCopia, btnRestaurar, btnCerrar}) {
        b->setAutoDefault(false);
        pulsaConEnter(b);
    }
    auto* capas = new QVBoxLayout(this);
    capas->addWidget(lblCarpeta);
    capas->addWidget(lvwCopias, 1);
    capas->addLayout(botones);

    connect(btnHacerCopia, &QPushButton::clicked, this, &TfrmCopiasSeguridad::hazCopia);
    connect(btnRestaurar, &QPushButton::clicked, this, &TfrmCopiasSeguridad::restaura);
    connect(btnCerrar, &QPushButton::clicked, this, &QDialog::reject);
    connect(lvwCopias, &QTreeWidget::itemSelectionChanged, this,
            &TfrmCopiasSeguridad::actualizaAcciones);
    resize(860, 420);
    if (const motor::tServidorDatos* servidor = motor::servidorEnUso()) {
        // The tables are the server's: so are their copies.
        lblCarpeta->setText(
            QStringLiteral("Las tablas están en el servidor de datos %1: las copias de "
                           "seguridad las hace el servidor (pg_dump), como explica el "
                           "apartado \"Varios puestos de trabajo\" del README. Esta ventana "
                           "solo copia tablas guardadas en ficheros.")
                .arg(motor::descripcionServidor(*servidor)));
        lblCarpeta->setWordWrap(true);
        btnHacerCopia->setEnabled(false);
    }
    nombraControles({{lblCarpeta, "lblCarpeta"},
                     {lvwCopias, "lvwCopias"},
                     {btnHacerCopia, "btnHacerCopia"},
                     {btnRestaurar, "btnRestaurar"},
                     {btnCerrar, "btnCerrar"}});
    Accesibilidad::hazAccesible(this);
    cargaLista();
}

TfrmCopiasSeguridad::~TfrmCopiasSeguridad() = default;

void TfrmCopiasSeguridad::cargaLista() {
    const QSignalBlocker bloqueo(lvwCopias);
    lvwCopias->clear();
    if (motor::enServidor()) {
        actualizaAcciones();
        return;
    }
    const QLocale es(QLocale::Spanish, QLocale::Spain);
    const QList<tCopia> copias = copias_->lista();
    for (int i = 0; i < copias.size(); ++i) {
        const tCopia& c = copias[i];
        auto* fila = new QTreeWidgetItem(
            lvwCopias, {TCopiasSeguridad::fechaLegible(c), c.motivo,
                        es.formattedDataSize(c.bytes, 1, QLocale::DataSizeTraditionalFormat),
                        es.toString(c.chequesRemesas), es.toString(c.chequesHistorico),
                        es.toString(c.emisiones)});
        fila->setData(0, Qt::UserRole, i);
        for (int col = 2; col < 6; ++col)
            fila->setTextAlignment(col, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (lvwCopias->topLevelItemCount() > 0)
        lvwCopias->setCurrentItem(lvwCopias->topLevelItem(0));
    actualizaAcciones();
}

int TfrmCopiasSeguridad::seleccionada() const {
    const QTreeWidgetItem* fila = lvwCopias->currentItem();
    return fila && fila->isSelected() ? fila->data(0, Qt::UserRole).toInt() : -1;
}

void TfrmCopiasSeguridad::actualizaAcciones() {
    btnRestaurar->setEnabled(seleccionada() >= 0 && !motor::enServidor());
}

void TfrmCopiasSeguridad::hazCopia() {
    CajaMensajes(dm_.estado(), this).ejecutaMostrandoError([&] {
        VentanaEsperar espera(dm_.iu());
        copias_->haz(TCopiasSeguridad::MotivoManual);
    });
    cargaLista();
}

QString TfrmCopiasSeguridad::textoConfirmacion() const {
    const tCopia c = copias_->lista().value(seleccionada());
    return QStringLiteral(
               "Se restaurará la copia del %1.\n\nSe sustituirán por las de la copia todas las "
               "tablas (remesas y sus cheques, histórico de cheques y de remesas emitidas, "
               "presentadores y librados), la configuración (config.ini) y las imágenes de los "
               "cheques (Imagenes y Hco). Lo hecho después de esa fecha dejará de verse.\n\nAntes "
               "se hace una copia del estado actual, que aparecerá en la lista como \"%2\". "
               "Cierre el programa en los demás equipos que usen esta carpeta de datos.")
        .arg(TCopiasSeguridad::fechaLegible(c), TCopiasSeguridad::MotivoRestauracion);
}

void TfrmCopiasSeguridad::restaura() {
    const int i = seleccionada();
    if (i < 0)
        return;
    const CajaMensajes caja(dm_.estado(), this);
    if (caja.pregunta(
            textoConfirmacion(), QStringLiteral("&Restaurar"), QStringLiteral("&Cancelar"),
            QStringLiteral("Restaurar una copia de seguridad")) != CajaMensajes::PrimerBoton)
        return;
    const tCopia copia = copias_->lista().value(i);
    caja.ejecutaMostrandoError([&] {
        {
            VentanaEsperar espera(dm_.iu());
            copias_->restaura(copia);
        }
        anotaActividad(
            dm_.instalacion(), dm_.iu(), ActoActividad::RestauracionCopia,
            QStringLiteral("Copia del %1 (%2)")
                .arg(TCopiasSeguridad::fechaLegible(copia), QDir::toNativeSeparators(copia.ruta)));
        if (reiniciaDatos_)
            reiniciaDatos_();
        caja.muestraMensaje(QStringLiteral("Se ha restaurado la copia del %1.")
                                .arg(TCopiasSeguridad::fechaLegible(copia)));
    });
    cargaLista();
}
