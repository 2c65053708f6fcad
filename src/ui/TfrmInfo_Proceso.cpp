#include "TfrmInfo_Proceso.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

TfrmInfo_Proceso::TfrmInfo_Proceso(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("frmInfo_Proceso"));
    setWindowTitle(Titulo);

    lblProcesando_ = new QLabel(TextoProcesando, this);
    lblProcesando_->setObjectName(QStringLiteral("lblProcesando"));
    lblProcesando_->setAlignment(Qt::AlignCenter);
    QFont grande = lblProcesando_->font();
    grande.setPointSize(20);
    grande.setBold(true);
    lblProcesando_->setFont(grande);
    QPalette azul = lblProcesando_->palette();
    azul.setColor(QPalette::WindowText, Qt::blue);
    lblProcesando_->setPalette(azul);

    lblEspere_ = new QLabel(TextoEspere, this);
    lblEspere_->setObjectName(QStringLiteral("lblEspere"));
    lblEspere_->setAlignment(Qt::AlignCenter);
    QFont negrita = lblEspere_->font();
    negrita.setBold(true);
    lblEspere_->setFont(negrita);

    lblFase_ = new QLabel(this);
    lblFase_->setObjectName(QStringLiteral("lblFase"));
    lblFase_->setAlignment(Qt::AlignCenter);
    barra_ = new QProgressBar(this);
    barra_->setObjectName(QStringLiteral("barraProgreso"));
    barra_->setAccessibleName(QStringLiteral("Progreso"));
    lblFase_->setBuddy(barra_);

    auto* disposicion = new QVBoxLayout(this);
    disposicion->setContentsMargins(32, 20, 32, 20);
    disposicion->setSpacing(12);
    disposicion->addWidget(lblProcesando_);
    disposicion->addWidget(lblEspere_);
    disposicion->addWidget(lblFase_);
    disposicion->addWidget(barra_);
    // Room for the phase and the bar from the start: the window does not
    // jump when a long operation begins to report.
    setFixedSize(sizeHint().expandedTo(QSize(420, 120)));
    lblFase_->hide();
    barra_->hide();
}

void TfrmInfo_Proceso::progreso(const QString& fase, int hechos, int total) {
    lblFase_->setText(fase);
    barra_->setRange(0, total);
    barra_->setValue(total > 0 ? hechos : 0);
    barra_->setFormat(total > 0 ? QStringLiteral("%1 de %2").arg(hechos).arg(total) : QString());
    lblFase_->show();
    barra_->show();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfrmInfo_Proceso::muestra() {
    lblFase_->hide();
    barra_->hide();
    show();
    // Placed once shown, when the size of the window's frame is known.
    centra();
    repaint();
    // Paint without letting clicks or keys start something else meanwhile.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfrmInfo_Proceso::oculta() {
    hide();
}

void TfrmInfo_Proceso::centra() {
    QRect marco = frameGeometry();
    if (QWidget* principal = parentWidget(); principal && principal->isVisible()) {
        marco.moveCenter(principal->frameGeometry().center());
    } else if (QScreen* pantalla = QGuiApplication::primaryScreen()) {
        marco.moveCenter(pantalla->availableGeometry().center());
    } else {
        return;
    }
    move(marco.topLeft());
}
