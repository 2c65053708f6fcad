#include "TfrmInstalarDrivers.h"

#include "Accesibilidad.h"
#include "CajaMensajes.h"
#include "ImagenesTalon.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <exception>

bool TfrmInstalarDrivers::Launch(int tipo, const tDriverPanini& driver,
                                 const tEstadoPrograma& estado, QWidget* parent) {
    try {
        TfrmInstalarDrivers frm(tipo, driver, estado, parent);
        return frm.exec() == QDialog::Accepted;
    } catch (const std::exception& e) {
        CajaMensajes(estado, parent)
            .muestraMensaje(PrefijoNoMostrado + QString::fromLocal8Bit(e.what()));
        return false;
    }
}

TfrmInstalarDrivers::TfrmInstalarDrivers(int tipo, const tDriverPanini& driver,
                                         const tEstadoPrograma& estado, QWidget* parent)
    : QDialog(parent), tipo_(tipo), driver_(driver), estado_(estado) {
    setObjectName(QStringLiteral("frmInstalarDrivers"));
    setWindowTitle(Caption);
    auto* raiz = new QVBoxLayout(this);
    auto* lblNoInstalado = new QLabel(TextoNoInstalado, this);
    lblNoInstalado->setObjectName(QStringLiteral("lblNoInstalado"));
    auto* lblAviso = new QLabel(TextoAviso, this);
    lblAviso->setObjectName(QStringLiteral("lblAviso"));
    QFont negrita = lblAviso->font();
    negrita.setBold(true);
    lblAviso->setFont(negrita);
    auto* lblSeleccion = new QLabel(TextoSeleccion, this);
    lblSeleccion->setObjectName(QStringLiteral("lblSeleccion"));
    rb64 = new QRadioButton(QStringLiteral("Descargar para 64 bits"), this);
    rb64->setObjectName(QStringLiteral("rb64"));
    rb64->setChecked(true);
    rb32 = new QRadioButton(QStringLiteral("Descargar para 32 bits"), this);
    rb32->setObjectName(QStringLiteral("rb32"));
    for (QWidget* w : {static_cast<QWidget*>(lblNoInstalado), static_cast<QWidget*>(lblAviso),
                       static_cast<QWidget*>(lblSeleccion)})
        raiz->addWidget(w);
    auto* opciones = new QVBoxLayout;
    opciones->setContentsMargins(24, 0, 0, 0);
    opciones->addWidget(rb64);
    opciones->addWidget(rb32);
    raiz->addLayout(opciones);
    raiz->addSpacing(8);

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    btnAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    btnAceptar->setObjectName(QStringLiteral("btnAceptar"));
    btnAceptar->setDefault(true);
    btnCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
    botones->addWidget(btnAceptar);
    botones->addWidget(btnCancelar);
    raiz->addLayout(botones);
    connect(btnAceptar, &QPushButton::clicked, this, &TfrmInstalarDrivers::aceptar);
    connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);
    Accesibilidad::hazAccesible(this);
}

QString TfrmInstalarDrivers::mensajeNoEjecutado(const QString& guion) {
    return PrefijoNoEjecutado + QFileInfo(guion).suffix() + QStringLiteral(": ") +
           QDir::toNativeSeparators(guion);
}

void TfrmInstalarDrivers::aceptar() {
    if (tipo_ != TipoLector::VisionX)
        return;
    const CajaMensajes cajas(estado_, this);
    try {
        const QString guion = rb64->isChecked() ? driver_.guion64 : driver_.guion32;
        setEnabled(false);
        const QString motivo = driver_.ejecuta ? driver_.ejecuta(guion) : QStringLiteral("-");
        setEnabled(true);
        if (!motivo.isEmpty()) {
#ifdef Q_OS_WIN
            cajas.muestraMensaje(mensajeNoEjecutado(guion));
#else
            // Here the reason is known: say it under the message.
            cajas.muestraMensaje(mensajeNoEjecutado(guion) + QStringLiteral("\n") + motivo);
#endif
            return;
        }
        cajas.muestraMensaje(MensajeInstalado);
        accept();
    } catch (const std::exception& e) {
        setEnabled(true);
        cajas.muestraMensaje(PrefijoProblema + QString::fromLocal8Bit(e.what()));
    }
}

void TfrmInstalarDrivers::done(int r) {
    if (r != QDialog::Accepted)
        CajaMensajes(estado_, this).muestraAviso(MensajeCancelado);
    QDialog::done(r);
}
