#include "TPanelAvisoCheque.h"

#include "CamposTexto.h"
#include "NombresControles.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {
const QString LineaDetalle = QStringLiteral("La remesa se generará con el siguiente detalle:");
} // namespace

QString TPanelAvisoCheque::lineaIncompletos(int n) {
    if (n == 1)
        return QStringLiteral("Quedan %1 cheque sin completar, si continua no se incluira en ésta "
                              "emisión-remesa.")
            .arg(n);
    return QStringLiteral("Quedan %1 cheques sin completar, si continua no se incluiran en ésta "
                          "emisión-remesa.")
        .arg(n);
}

TPanelAvisoCheque::TPanelAvisoCheque(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setLineWidth(2);
    // It lies over the list: the list must not show through.
    setAutoFillBackground(true);
    redtAviso = new QTextEdit(this);
    redtAviso->setReadOnly(true);
    redtAviso->setFocusPolicy(Qt::NoFocus);
    redtAviso->setAccessibleName(QStringLiteral("Aviso"));
    redtAviso->setFixedHeight(redtAviso->fontMetrics().lineSpacing() * 5);

    auto* formulario = new QFormLayout;
    const auto campo = [&](const QString& etiqueta) {
        auto* edt = new QLineEdit(this);
        edt->setReadOnly(true);
        edt->setFocusPolicy(Qt::NoFocus);
        edt->setAlignment(Qt::AlignRight);
        auto* lbl = new QLabel(etiqueta, this);
        lbl->setBuddy(edt);
        formulario->addRow(lbl, edt);
        return edt;
    };
    lbedImp = campo(QStringLiteral("Total de importes de la remesa:"));
    lblTalones = campo(QStringLiteral("Nº de cheques de la remesa:"));

    btnContinuar = botonOrden(QStringLiteral("C&ontinuar"), this);
    btnCancelarAviso = botonOrden(QStringLiteral("&Cancelar"), this);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(btnContinuar);
    botones->addWidget(btnCancelarAviso);
    connect(btnContinuar, &QPushButton::clicked, this, &TPanelAvisoCheque::continuarPulsado);
    connect(btnCancelarAviso, &QPushButton::clicked, this, &TPanelAvisoCheque::cancelarPulsado);

    auto* capas = new QVBoxLayout(this);
    capas->addWidget(redtAviso);
    capas->addLayout(formulario);
    capas->addLayout(botones);
    setFixedWidth(560);
    adjustSize();
    hide();
    nombraControles({{this, "pnlAviso"},
                     {redtAviso, "redtAviso"},
                     {lbedImp, "lbedImp"},
                     {lblTalones, "lblTalones"},
                     {btnContinuar, "btnContinuar"},
                     {btnCancelarAviso, "btnCancelarAviso"}});
}

void TPanelAvisoCheque::muestra(const QString& importe, const QString& cheques, int incompletos,
                                const QRect& zona) {
    lbedImp->setText(importe);
    lblTalones->setText(cheques);
    QString html =
        QStringLiteral("<p style=\"color:#000000\">%1</p>").arg(LineaDetalle.toHtmlEscaped());
    if (incompletos > 0)
        html += QStringLiteral("<p style=\"color:#ff0000\">%1</p>")
                    .arg(lineaIncompletos(incompletos).toHtmlEscaped());
    redtAviso->setHtml(html);
    adjustSize();
    move(zona.center() - QPoint(width() / 2, height() / 2));
    show();
    raise();
    btnContinuar->setFocus();
}
