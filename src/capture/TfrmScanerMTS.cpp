#include "TfrmScanerMTS.h"

#include "Accesibilidad.h"
#include "CajaMensajes.h"
#include "LineaTeclado.h"
#include "TdmBBDD.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

tComportamientoCaptura comportamientoTeclado() {
    tComportamientoCaptura c;
    c.variante = VarianteLectura::SAFE;
    c.todos = false;
    c.leyeros = true;
    c.avisoLargo = true; // the unstored lines stay for checking
    return c;
}

// The hourglass for the length of one tick, restored on every way out.
struct CursorEspera {
    CursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorEspera() { QApplication::restoreOverrideCursor(); }
    CursorEspera(const CursorEspera&) = delete;
    CursorEspera& operator=(const CursorEspera&) = delete;
};

} // namespace

QStringList TfrmScanerMTS::ayuda() {
    return {
        QStringLiteral("Primeros pasos:"),
        QStringLiteral("    1º-  Asegúrese de que el lector de cheques está conectado al equipo."),
        QStringLiteral(
            "    2º- Presione [Leer cheques], y después introduzca un único cheque en la "
            "tolva del modo en el que muestra la imagen \"Posición del cheque\""),
        QStringLiteral("    3º- Una vez leído, se preguntará al usuario si desea leer más cheques. "
                       "En caso afirmativo, pulsará [Aceptar] e introducirá otro cheque en la "),
        QStringLiteral("          tolva."),
        QStringLiteral("    4º- Para finalizar la lectura de cheques, pulse [Cancelar]. Presione "
                       "[Salvar] para guardar la lectura. Si deseara leer otro cheque, deberá "),
        QStringLiteral("          presionar [Leer Cheques] y seguidamente, introducir el cheque "
                       "en la tolva."),
        QStringLiteral("    5º- Una vez escaneados todos los cheques presione [Salir]  para pasar "
                       "a completar los datos de los cheques."),
        QString(),
        QStringLiteral("Nota : "),
        QStringLiteral("Es OBLIGATORIO pulsar [Leer cheques] o [Aceptar] en el mensaje mostrado al "
                       "usuario tras la lectura de un cheque, para que la lectura de los "),
        QStringLiteral("mismos tenga valor."),
        QStringLiteral("La lectura de un cheque fuera de esta pantalla y sin seguir las "
                       "indicaciones descritas, puede causar errores no previstos por la "
                       "aplicación."),
        QStringLiteral("Se recomienda comprobar que el número de cheques leídos coincide con los "
                       "existentes."),
        QStringLiteral("En caso de atasco, libere manualmente el cheque de la tolva y vuélvalo a "
                       "introducir en la tolva. La información leída se guardará en la lista, "),
        QStringLiteral("pero no será válida cuando se salve a base de datos."),
    };
}

TfrmScanerMTS::TfrmScanerMTS(TdmBBDD& dm, QWidget* parent)
    : TfrmCaptura(dm, Caption, comportamientoTeclado(), parent) {
    setObjectName(QStringLiteral("frmScanerMTS"));
    auto* etiqueta = new QLabel(QStringLiteral("Código leído:"), this);
    edtCodigo = new QLineEdit(this);
    edtCodigo->setObjectName(QStringLiteral("edtCodigo"));
    edtCodigo->setFont(QFont(QStringLiteral("DejaVu Sans Mono")));
    Accesibilidad::etiqueta(etiqueta, edtCodigo);
    zonaLector()->addWidget(etiqueta);
    zonaLector()->addWidget(edtCodigo);
    edtCodigo->installEventFilter(this);

    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &TfrmScanerMTS::Timer1Timer);
    Accesibilidad::hazAccesible(this);
}

void TfrmScanerMTS::alMostrar() {
    // The reading state is left; the input box keeps its text.
    leyendo_ = false;
    Timer1.stop();
    edtCodigo->setFocus();
}

void TfrmScanerMTS::alCerrar() {
    // A document half typed when the window closed is not taken later.
    Timer1.stop();
}

void TfrmScanerMTS::leer() {
    leyendo_ = false;
    // The next document starts with its first keystroke; until then no tick
    // may take the empty box as a document.
    Timer1.stop();
    preparaDocumento();
}

void TfrmScanerMTS::preparaDocumento() {
    contadorBucle_ = 0;
    maximo_ = dm().estado().Escaner.tiempoSAFE;
    edtCodigo->clear();
    edtCodigo->setFocus();
}

void TfrmScanerMTS::empiezaDocumento() {
    preparaDocumento(); // the key being pressed still arrives after this
    leyendo_ = true;
    Timer1.start();
}

bool TfrmScanerMTS::eventFilter(QObject* o, QEvent* e) {
    if (o == edtCodigo && e->type() == QEvent::KeyPress) {
        const auto* tecla = static_cast<QKeyEvent*>(e);
        // The reader ends a codeline with Enter; it must not press a button
        // nor start a document of its own.
        if (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter)
            return true;
        // A Tab inside a codeline would move the focus, and the rest of the
        // codeline would reach the buttons; between documents it moves on.
        if (leyendo_ && (tecla->key() == Qt::Key_Tab || tecla->key() == Qt::Key_Backtab))
            return true;
        // Only a character starts a document (Shift, Escape or an arrow do not).
        const QString texto = tecla->text();
        if (!leyendo_ && !texto.isEmpty() && texto.at(0).isPrint())
            empiezaDocumento();
    }
    return TfrmCaptura::eventFilter(o, e);
}

void TfrmScanerMTS::Timer1Timer() {
    // While a question of the window is open the document waits for it.
    if (preguntaAbierta())
        return;
    CursorEspera espera;
    ++contadorBucle_;
    const QString texto = edtCodigo->text();
    if (contadorBucle_ > maximo_)
        tomaTexto(texto);
    else if (leyendo_ && !texto.trimmed().isEmpty() &&
             texto.size() >= LineaTeclado::LongitudCompleta)
        tomaTexto(texto);
}

void TfrmScanerMTS::tomaTexto(const QString& texto) {
    anadeLinea(codigoDeTeclado(texto));
    edtCodigo->clear();
    Timer1.stop();
    QApplication::restoreOverrideCursor();
    const bool otro =
        CajaMensajes(dm().estado(), this).confirma(TextoConfirmacion, CabeceraConfirmacion);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (otro) {
        edtCodigo->clear();
        leyendo_ = false;
    }
    // On "Cancelar" the reading flag stays set: the reader is ignored until
    // "&Leer cheques".
}
