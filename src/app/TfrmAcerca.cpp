#include "TfrmAcerca.h"

#include "Cadenas.h"
#include "NombresControles.h"
#include "TfrmPrincipal.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmAcerca::TfrmAcerca(QWidget* parent) : QDialog(parent) {
    iniciaRecursosApp();
    setWindowTitle(QStringLiteral("Acerca de Teskora_CHK"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    auto* capas = new QVBoxLayout(this);
    auto* logo = new QLabel(this);
    logo->setPixmap(QPixmap(QStringLiteral(":/logo.png")));
    logo->setAlignment(Qt::AlignCenter);
    auto* producto = new QLabel(QStringLiteral("TESKORA_CHK"), this);
    QFont f = producto->font();
    f.setPointSize(f.pointSize() + 6);
    f.setBold(true);
    producto->setFont(f);
    producto->setAlignment(Qt::AlignCenter);
    lblVersion = new QLabel(Cadenas::captions().CaptionVersion, this);
    lblVersion->setAlignment(Qt::AlignCenter);
    btnAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    btnAceptar->setDefault(true);
    connect(btnAceptar, &QPushButton::clicked, this, &QDialog::accept);
    capas->addWidget(logo);
    capas->addWidget(producto);
    capas->addWidget(lblVersion);
    capas->addWidget(btnAceptar, 0, Qt::AlignHCenter);
    setFixedSize(340, 220);
    nombraControles({{lblVersion, "lblVersion"}, {btnAceptar, "btnAceptar"}});
}

bool TfrmAcerca::Launch(QWidget* parent) {
    TfrmAcerca frm(parent);
    return frm.exec() == QDialog::Accepted;
}
