#include "TCuadroCuadre.h"

#include "Accesibilidad.h"
#include "CajaMensajes.h"
#include "CuadreRemesa.h"
#include "ErrorOperacion.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {
QLabel* cifra(QWidget* padre, const QString& nombre, const QString& accesible) {
    auto* l = new QLabel(padre);
    l->setObjectName(nombre);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setAccessibleName(accesible);
    l->setMinimumWidth(60);
    return l;
}

void pinta(QLabel* l, const QString& texto, bool rojo) {
    l->setText(texto);
    l->setStyleSheet(rojo ? QStringLiteral("color: #c00000; font-weight: bold;") : QString());
}

QString conSigno(qint64 n) {
    return n > 0 ? QStringLiteral("+%1").arg(n) : QString::number(n);
}

QString conSigno(tImporte i) {
    return i.centimos() > 0 ? u'+' + i.visible() : i.visible();
}
} // namespace

tTotalesCuadre TCuadroCuadre::totalesDeCabecera(const QString& importe, const QString& completos) {
    tTotalesCuadre t;
    t.documentos = completos.toLongLong();
    t.importe = tImporte::leeTexto(importe).value_or(tImporte());
    return t;
}

TCuadroCuadre::TCuadroCuadre(const tEstadoPrograma& estado, const TCuadreRemesa& almacen,
                             QWidget* parent)
    : QGroupBox(Titulo, parent), estado_(estado), almacen_(almacen) {
    setObjectName(QStringLiteral("grpCuadre"));
    auto* rejilla = new QGridLayout(this);
    rejilla->setContentsMargins(6, 4, 6, 4);
    rejilla->setVerticalSpacing(2);
    int columna = 1;
    for (const QString& t :
         {QStringLiteral("Declarado"), QStringLiteral("Leído"), QStringLiteral("Diferencia")}) {
        auto* titulo = new QLabel(t, this);
        titulo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        rejilla->addWidget(titulo, 0, columna++);
    }
    edtDocumentosDeclarados = new QLineEdit(this);
    edtDocumentosDeclarados->setObjectName(QStringLiteral("edtDocumentosDeclarados"));
    edtImporteDeclarado = new QLineEdit(this);
    edtImporteDeclarado->setObjectName(QStringLiteral("edtImporteDeclarado"));
    edtImporteDeclarado->setMaxLength(17);
    for (QLineEdit* e : {edtDocumentosDeclarados, edtImporteDeclarado}) {
        e->setAlignment(Qt::AlignRight);
        e->setMaximumWidth(120);
        e->setMinimumWidth(70);
        connect(e, &QLineEdit::editingFinished, this, &TCuadroCuadre::campoDejado);
    }
    auto* lblDocumentos = new QLabel(QStringLiteral("Doc&umentos"), this);
    auto* lblImporte = new QLabel(QStringLiteral("Impor&te"), this);
    Accesibilidad::etiqueta(lblDocumentos, edtDocumentosDeclarados);
    Accesibilidad::etiqueta(lblImporte, edtImporteDeclarado);
    lblDocumentosLeidos =
        cifra(this, QStringLiteral("lblDocumentosLeidos"), QStringLiteral("Documentos leídos"));
    lblDocumentosDiferencia = cifra(this, QStringLiteral("lblDocumentosDiferencia"),
                                    QStringLiteral("Diferencia de documentos"));
    lblImporteLeido =
        cifra(this, QStringLiteral("lblImporteLeido"), QStringLiteral("Importe leído"));
    lblImporteDiferencia = cifra(this, QStringLiteral("lblImporteDiferencia"),
                                 QStringLiteral("Diferencia de importe"));
    rejilla->addWidget(lblDocumentos, 1, 0);
    rejilla->addWidget(edtDocumentosDeclarados, 1, 1);
    rejilla->addWidget(lblDocumentosLeidos, 1, 2);
    rejilla->addWidget(lblDocumentosDiferencia, 1, 3);
    rejilla->addWidget(lblImporte, 2, 0);
    rejilla->addWidget(edtImporteDeclarado, 2, 1);
    rejilla->addWidget(lblImporteLeido, 2, 2);
    rejilla->addWidget(lblImporteDiferencia, 2, 3);
    lblCuadre = new QLabel(this);
    lblCuadre->setObjectName(QStringLiteral("lblCuadre"));
    lblCuadre->setAccessibleName(QStringLiteral("Estado del cuadre"));
    rejilla->addWidget(lblCuadre, 1, 4, 2, 1);
    rejilla->setColumnStretch(5, 1);
    actualiza();
}

void TCuadroCuadre::cargaRemesa(int pkRemesa) {
    pkRemesa_ = pkRemesa;
    declarado_ = {};
    CajaMensajes(estado_, window()).ejecutaMostrandoError([&] {
        declarado_ = almacen_.carga(pkRemesa);
    });
    muestraDeclarado();
    actualiza();
}

void TCuadroCuadre::muestraContados(const tTotalesCuadre& contados) {
    contados_ = contados;
    actualiza();
}

void TCuadroCuadre::muestraDeclarado() {
    edtDocumentosDeclarados->setText(declarado_.documentos ? QString::number(*declarado_.documentos)
                                                           : QString());
    edtImporteDeclarado->setText(declarado_.importe ? declarado_.importe->visible() : QString());
}

void TCuadroCuadre::campoDejado() {
    bool documentosValidos = false;
    bool importeValido = false;
    tCuadreDeclarado nuevo;
    nuevo.documentos = leeDocumentosDeclarados(edtDocumentosDeclarados->text(), documentosValidos);
    nuevo.importe = leeImporteDeclarado(edtImporteDeclarado->text(), importeValido);
    if (!documentosValidos || !importeValido) {
        // What was declared before stays, and the field shows it again.
        muestraDeclarado();
        CajaMensajes(estado_, window())
            .muestraMensaje(documentosValidos ? MensajeImporte : MensajeDocumentos);
        return;
    }
    if (nuevo.documentos != declarado_.documentos || nuevo.importe != declarado_.importe)
        guarda(nuevo);
    muestraDeclarado();
    actualiza();
}

void TCuadroCuadre::guarda(const tCuadreDeclarado& nuevo) {
    CajaMensajes(estado_, window()).ejecutaMostrandoError([&] {
        almacen_.guarda(pkRemesa_, nuevo);
        declarado_ = nuevo;
    });
}

void TCuadroCuadre::actualiza() {
    pinta(lblDocumentosLeidos, QString::number(contados_.documentos), false);
    pinta(lblImporteLeido, contados_.importe.visible(), false);
    const tDiferenciaCuadre d = diferencia();
    pinta(lblDocumentosDiferencia, d.documentos ? conSigno(*d.documentos) : QString(),
          d.documentos && *d.documentos != 0);
    pinta(lblImporteDiferencia, d.importe ? conSigno(*d.importe) : QString(),
          d.importe && d.importe->centimos() != 0);
    if (d.cuadrado())
        pinta(lblCuadre, TextoCuadrado, false);
    else if (d.descuadrado())
        pinta(lblCuadre, TextoDescuadrado, true);
    else
        pinta(lblCuadre, QString(), false);
}
