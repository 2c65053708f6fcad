#include "TfrmCriteriosBusqueda.h"

#include "Accesibilidad.h"
#include "AlmacenHistorico.h"
#include "CajaMensajes.h"
#include "CamposTexto.h"
#include "Importes.h"
#include "TdmBBDD.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

QStringList TfrmCriteriosBusqueda::textoAyuda() {
    return {QStringLiteral("Los criterios son texto libre: un fragmento encuentra todos los "
                           "cheques cuyo valor lo contiene (GARC encuentra GARCIA, GARCÉS y "
                           "MIGARCA), sin distinguir mayúsculas ni acentos. Los campos vacíos no "
                           "limitan la búsqueda."),
            QStringLiteral("Importe: escriba solo \"Desde\" para buscar los importes que "
                           "contienen esa cifra, o \"Desde\" y \"Hasta\" para un intervalo "
                           "(ambos extremos incluidos). El punto separa los miles y la coma los "
                           "decimales: 1.000,00."),
            QStringLiteral("Para buscar por fecha de confección de la remesa marque la casilla "
                           "\"Desde\" bajo \"Fecha confección de la remesa\".")};
}

bool TfrmCriteriosBusqueda::Launch(TdmBBDD& dm, QWidget* parent) {
    TfrmCriteriosBusqueda frm(dm, parent);
    frm.prepara();
    return frm.exec() == QDialog::Accepted;
}

TfrmCriteriosBusqueda::TfrmCriteriosBusqueda(TdmBBDD& dm, QWidget* parent)
    : TVentanaModal(parent), dm_(dm) {
    setWindowTitle(Caption);
    setObjectName(QStringLiteral("TfrmCriteriosBusqueda"));
    creaControles();
    Accesibilidad::hazAccesible(this);
}

void TfrmCriteriosBusqueda::creaControles() {
    const auto campo = [this](const QString& nombre, int longitud) {
        auto* edt = new QLineEdit(this);
        edt->setObjectName(nombre);
        edt->setMaxLength(longitud);
        fuerzaMayusculas(edt);
        edt->installEventFilter(this);
        return edt;
    };
    const auto fila = [](QGridLayout* rejilla, int f, const QString& etiqueta, QWidget* control) {
        auto* lbl = new QLabel(etiqueta, control->parentWidget());
        Accesibilidad::etiqueta(lbl, control);
        rejilla->addWidget(lbl, f, 0);
        rejilla->addWidget(control, f, 1);
        return lbl;
    };
    const QFontMetrics fm(font());
    const auto ancho = [&fm](int caracteres) {
        return fm.horizontalAdvance(QString(caracteres, u'W'));
    };

    auto* grpPresentador = new QGroupBox(QStringLiteral("Presentador"), this);
    auto* rejPresentador = new QGridLayout(grpPresentador);
    ledtNombreOrdenante = campo(QStringLiteral("ledtNombreOrdenante"), 70);
    ledtNifOrdenante = campo(QStringLiteral("ledtNifOrdenante"), 12);
    ledtCuentaOrdenante = campo(QStringLiteral("ledtCuentaOrdenante"), 24);
    fila(rejPresentador, 0, QStringLiteral("Nombre"), ledtNombreOrdenante);
    fila(rejPresentador, 1, QStringLiteral("CIF/NIF"), ledtNifOrdenante);
    fila(rejPresentador, 2, QStringLiteral("Cuenta (IBAN)"), ledtCuentaOrdenante);
    // Both groups have a "Nombre" and a "Cuenta": a screen reader says whose.
    ledtNombreOrdenante->setAccessibleName(QStringLiteral("Nombre del presentador"));
    ledtNifOrdenante->setAccessibleName(QStringLiteral("CIF/NIF del presentador"));
    ledtCuentaOrdenante->setAccessibleName(QStringLiteral("Cuenta (IBAN) del presentador"));
    ledtNombreOrdenante->setMinimumWidth(ancho(30));
    ledtNifOrdenante->setMaximumWidth(ancho(13));
    ledtCuentaOrdenante->setMaximumWidth(ancho(25));

    auto* grpRemesa = new QGroupBox(QStringLiteral("Remesa"), this);
    auto* rejRemesa = new QGridLayout(grpRemesa);
    ledtNombreRemesa = campo(QStringLiteral("ledtNombreRemesa"), 35);
    // Searching by remittance name is not offered: the field stays empty.
    fila(rejRemesa, 0, QStringLiteral("Nombre Remesa"), ledtNombreRemesa)->hide();
    ledtNombreRemesa->hide();
    auto* lblFechas = new QLabel(QStringLiteral("Fecha confección de la remesa"), grpRemesa);
    rejRemesa->addWidget(lblFechas, 1, 0, 1, 4);
    chkConfeccionInicial = new QCheckBox(QStringLiteral("Desde"), grpRemesa);
    chkConfeccionInicial->setObjectName(QStringLiteral("chkConfeccionInicial"));
    const auto fecha = [&](const QString& nombre) {
        auto* dtp = new QDateEdit(grpRemesa);
        dtp->setObjectName(nombre);
        dtp->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        dtp->setCalendarPopup(true);
        dtp->installEventFilter(this);
        // A click lands in the text, where typing goes on from.
        if (auto* texto = dtp->findChild<QLineEdit*>())
            texto->installEventFilter(this);
        return dtp;
    };
    dtpconfeccionInicial = fecha(QStringLiteral("dtpconfeccionInicial"));
    dtpconfeccionInicial->setAccessibleName(QStringLiteral("Fecha de confección desde"));
    dtpConfeccionFinal = fecha(QStringLiteral("dtpConfeccionFinal"));
    dtpConfeccionFinal->setAccessibleName(QStringLiteral("Fecha de confección hasta"));
    chkConfeccionInicial->setAccessibleName(
        QStringLiteral("Buscar por fecha de confección de la remesa"));
    chkConfeccionInicial->installEventFilter(this);
    rejRemesa->addWidget(chkConfeccionInicial, 2, 0);
    rejRemesa->addWidget(dtpconfeccionInicial, 2, 1);
    auto* lblHasta = new QLabel(QStringLiteral("Hasta"), grpRemesa);
    Accesibilidad::etiqueta(lblHasta, dtpConfeccionFinal);
    rejRemesa->addWidget(lblHasta, 2, 2);
    rejRemesa->addWidget(dtpConfeccionFinal, 2, 3);
    rejRemesa->setColumnStretch(4, 1);

    auto* grpCheque = new QGroupBox(QStringLiteral("Datos del Cheque"), this);
    auto* rejCheque = new QGridLayout(grpCheque);
    ledtImporte = campo(QStringLiteral("ledtImporte"), 14);
    lbeImporteHasta = campo(QStringLiteral("lbeImporteHasta"), 14);
    lbeNumero = campo(QStringLiteral("lbeNumero"), 14);
    for (QLineEdit* edt : {ledtImporte, lbeImporteHasta}) {
        edt->setAlignment(Qt::AlignRight);
        edt->setMaximumWidth(ancho(12));
    }
    lbeNumero->setMaximumWidth(ancho(12));
    ledtImporte->setAccessibleName(QStringLiteral("Importe desde"));
    lbeImporteHasta->setAccessibleName(QStringLiteral("Importe hasta"));
    rejCheque->addWidget(new QLabel(QStringLiteral("Importe"), grpCheque), 0, 0);
    auto* lblDesde = new QLabel(QStringLiteral("Desde"), grpCheque);
    Accesibilidad::etiqueta(lblDesde, ledtImporte);
    auto* lblImporteHasta = new QLabel(QStringLiteral("Hasta"), grpCheque);
    Accesibilidad::etiqueta(lblImporteHasta, lbeImporteHasta);
    rejCheque->addWidget(lblDesde, 0, 1);
    rejCheque->addWidget(ledtImporte, 0, 2);
    rejCheque->addWidget(lblImporteHasta, 0, 3);
    rejCheque->addWidget(lbeImporteHasta, 0, 4);
    auto* lblNumero = new QLabel(QStringLiteral("Número de Cheque"), grpCheque);
    Accesibilidad::etiqueta(lblNumero, lbeNumero);
    rejCheque->addWidget(lblNumero, 1, 0, 1, 2);
    rejCheque->addWidget(lbeNumero, 1, 2);
    rejCheque->setColumnStretch(5, 1);

    auto* grpLibrado = new QGroupBox(QStringLiteral("Librado"), this);
    auto* rejLibrado = new QGridLayout(grpLibrado);
    ledtNombreBenef = campo(QStringLiteral("ledtNombreBenef"), 35);
    ledtCuentaBenef = campo(QStringLiteral("ledtCuentaBenef"), 34);
    fila(rejLibrado, 0, QStringLiteral("Nombre"), ledtNombreBenef);
    fila(rejLibrado, 1, QStringLiteral("Cuenta"), ledtCuentaBenef);
    ledtNombreBenef->setAccessibleName(QStringLiteral("Nombre del librado"));
    ledtCuentaBenef->setAccessibleName(QStringLiteral("Cuenta del librado"));
    ledtCuentaBenef->setMaximumWidth(ancho(30));

    btnAceptar = boton(QStringLiteral("&Aceptar"), "btnAceptar");
    btnSalir = boton(QStringLiteral("&Salir"), "btnSalir");

    auto* capas = new QVBoxLayout(this);
    capas->addWidget(grpPresentador);
    capas->addWidget(grpRemesa);
    capas->addWidget(grpCheque);
    capas->addWidget(grpLibrado);
    capas->addLayout(filaBotones({btnAceptar, btnSalir}));
    // Paragraphs that wrap at the window's width.
    capas->addWidget(creaAyuda(textoAyuda(), 10));

    QWidget* anterior = ledtNombreOrdenante;
    for (QWidget* w : std::initializer_list<QWidget*>{
             ledtNifOrdenante, ledtCuentaOrdenante, chkConfeccionInicial, dtpconfeccionInicial,
             dtpConfeccionFinal, ledtImporte, lbeImporteHasta, lbeNumero, ledtNombreBenef,
             ledtCuentaBenef, btnAceptar, btnSalir}) {
        setTabOrder(anterior, w);
        anterior = w;
    }

    connect(chkConfeccionInicial, &QCheckBox::toggled, this, &TfrmCriteriosBusqueda::cambiaDesde);
    connect(dtpconfeccionInicial, &QDateEdit::dateChanged, this,
            &TfrmCriteriosBusqueda::cambiaDesde);
    connect(btnAceptar, &QPushButton::clicked, this, &TfrmCriteriosBusqueda::aceptar);
    connect(btnSalir, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmCriteriosBusqueda::prepara() {
    for (QLineEdit* edt :
         {ledtNombreOrdenante, ledtNifOrdenante, ledtCuentaOrdenante, ledtNombreRemesa, ledtImporte,
          lbeNumero, ledtNombreBenef, ledtCuentaBenef})
        edt->clear();
    const QSignalBlocker bloqueo(dtpconfeccionInicial);
    dtpconfeccionInicial->setDate(QDate::currentDate());
    chkConfeccionInicial->setChecked(false);
    cambiaDesde();
}

void TfrmCriteriosBusqueda::cambiaDesde() {
    const bool marcada = chkConfeccionInicial->isChecked();
    dtpconfeccionInicial->setEnabled(marcada);
    dtpConfeccionFinal->setEnabled(marcada);
    dtpConfeccionFinal->setDate(dtpconfeccionInicial->date());
}

tCriteriosHistorico TfrmCriteriosBusqueda::criterios() const {
    tCriteriosHistorico c;
    c.datos.beneficiario.Cuenta = ledtCuentaBenef->text();
    c.datos.beneficiario.Nombre_Cliente = ledtNombreBenef->text();
    c.importeDesde = ledtImporte->text();
    c.datos.remesa.Nombre_Remesa = ledtNombreRemesa->text();
    c.datos.talon.Numero = lbeNumero->text();
    c.datos.ordenante.Nif_Sufijo = ledtNifOrdenante->text();
    c.datos.ordenante.Nombre_ordenante = ledtNombreOrdenante->text();
    c.datos.ordenante.Cuenta = ledtCuentaOrdenante->text();
    c.importeHasta = lbeImporteHasta->text();
    c.conFechaConfeccion = chkConfeccionInicial->isChecked();
    c.confeccionDesde = dtpconfeccionInicial->date();
    c.confeccionHasta = dtpConfeccionFinal->date();
    return c;
}

void TfrmCriteriosBusqueda::aceptar() {
    // The amounts take the form that leaving them gives, also when the
    // window is accepted from inside one with its access key.
    formaImporte(ledtImporte);
    formaImporte(lbeImporteHasta);
    const tCriteriosHistorico c = criterios();
    if (const std::optional<tFaltaCriterios> falta = faltaCriterios(c)) {
        CajaMensajes(dm_.estado(), this).muestraMensaje(falta->mensaje);
        switch (falta->campo) {
        case tFaltaCriterios::Campo::ImporteDesde:
            ledtImporte->setFocus();
            ledtImporte->selectAll();
            break;
        case tFaltaCriterios::Campo::ImporteHasta:
            lbeImporteHasta->setFocus();
            lbeImporteHasta->selectAll();
            break;
        case tFaltaCriterios::Campo::FechaDesde:
            dtpconfeccionInicial->setFocus();
            break;
        }
        return;
    }
    // A search that fails leaves the grid empty: the window still closes.
    ejecutaMostrandoError(
        dm_.iu(), [&] { dm_.historico().CargaHistoricoDeTalones(consultaBusquedaHistorico(c)); });
    accept();
}

void TfrmCriteriosBusqueda::formaImporte(QLineEdit* campo) {
    // An amount that does not read as one stays as typed, for the operator
    // to correct: "0,00" would drop it from the search.
    if (campo->text().trimmed().isEmpty() || tImporte::leeEntrada(campo->text()))
        campo->setText(formateaImporte(campo->text()));
}

void TfrmCriteriosBusqueda::saleCampo(QObject* campo) {
    // Names and accounts stay as typed: the search compares them folded.
    if (campo == ledtImporte || campo == lbeNumero) {
        // Leaving the number also gives the "Desde" amount its display form.
        formaImporte(ledtImporte);
    } else if (campo == lbeImporteHasta) {
        formaImporte(lbeImporteHasta);
    }
}

bool TfrmCriteriosBusqueda::eventFilter(QObject* objeto, QEvent* evento) {
    switch (evento->type()) {
    case QEvent::FocusOut:
        saleCampo(objeto);
        break;
    case QEvent::FocusIn:
        // Tab selects the day, and typing goes through the date from there;
        // a click would leave the typing wherever the pointer fell.
        if (objeto == dtpconfeccionInicial || objeto == dtpConfeccionFinal)
            fechaPorClic_ = static_cast<QFocusEvent*>(evento)->reason() == Qt::MouseFocusReason
                                ? static_cast<QDateEdit*>(objeto)
                                : nullptr;
        break;
    case QEvent::MouseButtonRelease:
        // The click that gave the focus ends: in the text it leaves the day
        // selected; on the arrow it has opened the calendar.
        if (fechaPorClic_ != nullptr && objeto->parent() == fechaPorClic_)
            fechaPorClic_->setSelectedSection(QDateTimeEdit::DaySection);
        if (fechaPorClic_ != nullptr &&
            (objeto == fechaPorClic_ || objeto->parent() == fechaPorClic_))
            fechaPorClic_ = nullptr;
        break;
    case QEvent::KeyPress: {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        if (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
        if ((objeto == ledtImporte || objeto == lbeImporteHasta) && tecla->text().size() == 1 &&
            !(tecla->modifiers() & Qt::ControlModifier)) {
            // Tab, backspace and the other control keys move and edit as in
            // any field; the point is the thousands point, as in every
            // amount field of the program. Other keys pass the amount filter.
            QChar c = tecla->text().front();
            if (c.unicode() >= 0x20 && c.unicode() != 0x7f && c != u'.' && !filtraTeclaImporte(c))
                return true;
        }
        break;
    }
    default:
        break;
    }
    return TVentanaModal::eventFilter(objeto, evento);
}

void TfrmCriteriosBusqueda::showEvent(QShowEvent* evento) {
    TVentanaModal::showEvent(evento);
    ledtCuentaBenef->setFocus();
}
