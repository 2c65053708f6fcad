#include "TfrmScanerX.h"

#include "Accesibilidad.h"
#include "CajaMensajes.h"
#include "ImagenesTalon.h"
#include "TAdaptadorExcella.h"
#include "TdmBBDD.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>

namespace {

tComportamientoCaptura comportamientoExcella() {
    tComportamientoCaptura c;
    c.variante = VarianteLectura::Excella;
    c.todos = false; // only the lines beginning with "+" can be stored
    c.leyeros = true;
    c.avisoLargo = false; // its bad reads are never stored: Save drops them
    // Clear and showing leave the temporary images: a new line removes any
    // old file of its number before its own images are written.
    c.limpiarVaciaImagenes = false;
    c.mostrarVaciaImagenes = false;
    return c;
}

} // namespace

QStringList TfrmScanerX::ayudaA() {
    return {
        QStringLiteral("Primeros pasos:"),
        QStringLiteral("    1º-.- Asegúrese de que el lector de cheques está encendido y conectado "
                       "al equipo."),
        QStringLiteral("    2º.- Cargue la tolva del lector con cheques y presione [Leer cheques]"),
        QStringLiteral(
            "    3º.- Una vez leídos, presione [Salvar OK] para guardar sólo las lecturas "
            "correctas."),
        QStringLiteral("           Si no pudo incorporar os cheques de una sola vez, recargue de "
                       "nuevo la tolva y y presione [Leer Cheques]."),
        QStringLiteral(
            "    4º.- Una vez escaneados todos los cheques presione [Salir]  para pasar a "
            "completar los datos de los cheques."),
        QStringLiteral("Nota : "),
        QStringLiteral("Se recomienda comprobar que el número de cheques leídos coincide con los "
                       "existentes. Cuando un cheque no es leído por "),
        QStringLiteral("completo, la aplicación lo descarta."),
        QStringLiteral("En caso de atasco,abra las carcasas manualmente  y extraiga el cheque. "),
        QStringLiteral("Si tras un atasco-incidencia con el escáner, éste no responde, presione "
                       "[Reiniciar] y continúe normalmente."),
    };
}

QStringList TfrmScanerX::ayudaB() {
    return {
        QStringLiteral("Primeros pasos:"),
        QStringLiteral(
            "    1º-. Asegúrese de que el lector de cheques está encendido y conectado al "
            "equipo."),
        QStringLiteral(
            "    2º-. La carga de cheques del escáner Excella STX no tiene una tolva para "
            "alimentar automáticamente al lector,"),
        QStringLiteral("             éstos deben introducirse manualmente de uno en uno. Existen "
                       "dos opciones para empezar:"),
        QStringLiteral("           - Presione [Leer cheques] e introduzca un cheque en la tolva en "
                       "un máximo de 5 segundos, o lo que es lo mismo,"),
        QStringLiteral("             mientras la luz situada a la izquierda del lector (visto de "
                       "frente) esté parpadeando."),
        QStringLiteral("           - Cargue la tolva del lector con un cheque y presione [Leer "
                       "cheques]."),
        QStringLiteral(
            "           En cualquier caso, para el segundo y sucesivos, el tiempo máximo "
            "de espera del lector entre cada uno de ellos"),
        QStringLiteral("           será de 5 segundos, que es el tiempo que la luz del lector está "
                       "parpadeando. Pasado este tiempo, para continuar"),
        QStringLiteral("           con la lectura de más cheques, debe pulsar de nuevo [Leer "
                       "cheques]."),
        QStringLiteral("    3º-. Una vez leídos, presione [Salvar OK] para guardar las lecturas "
                       "correctas"),
        QStringLiteral(
            "    4º-. Una vez escaneados todos los cheques presione [Salir] para pasar a "
            "completar los datos de los cheques."),
        QStringLiteral("Nota :"),
        QStringLiteral("Se recomienda comprobar que el número de cheques leídos coincide con los "
                       "existentes."),
        QStringLiteral("En caso de atasco, abra la carcasa manualmente y extraiga el cheque."),
        QStringLiteral("Si tras un atasco-incidencia con el escáner, éste no responde, presione "
                       "[Reiniciar] y continúe normalmente."),
    };
}

TfrmScanerX::TfrmScanerX(TdmBBDD& dm, TEnlaceMtxmlmcr& enlace, QWidget* parent)
    : TfrmCaptura(dm, CaptionExcella, comportamientoExcella(), parent),
      adaptador_(std::make_unique<TAdaptadorExcella>(enlace)) {
    setObjectName(QStringLiteral("frmScanerX"));
    acttramitar->setText(QStringLiteral("&Salvar &OK"));
    actLimpiar->setText(QStringLiteral("&Eliminar"));
    btnReiniciar = new QPushButton(QStringLiteral("&Reiniciar"), this);
    btnReiniciar->setObjectName(QStringLiteral("btnReiniciar"));
    anadeBotonLector(btnReiniciar);
    connect(btnReiniciar, &QPushButton::clicked, this, [this] { adaptador_->reiniciar(); });

    connect(adaptador_.get(), &TAdaptadorExcella::lineaLeida, this, [this](const QString& linea) {
        anadeLineaSinSecuencia(linea);
        // The run holds the user-interface thread: paint the new line now.
        lstLista->repaint();
    });
    connect(adaptador_.get(), &TAdaptadorExcella::mensaje, this, [this](const QString& texto) {
        // The box of a run is read with the ordinary cursor.
        const bool espera = QApplication::overrideCursor() != nullptr;
        if (espera)
            QApplication::restoreOverrideCursor();
        CajaMensajes(this->dm().estado(), this).muestraMensaje(texto);
        if (espera)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    });
    Accesibilidad::hazAccesible(this);
}

TfrmScanerX::~TfrmScanerX() = default;

int TfrmScanerX::tipo() const {
    return dm().estado().Escaner.tipo;
}

void TfrmScanerX::alMostrar() {
    setWindowTitle(tipo() == TipoLector::ExcellaSTX ? CaptionExcellaSTX : CaptionExcella);
}

void TfrmScanerX::alCerrar() {
    adaptador_->cierraVentana();
}

QStringList TfrmScanerX::textoAyuda() const {
    switch (tipo()) {
    case TipoLector::Excella:
        return ayudaA();
    case TipoLector::ExcellaSTX:
        return ayudaB();
    default:
        return {};
    }
}

QString TfrmScanerX::fotoDetalle() const {
    switch (tipo()) {
    case TipoLector::Excella:
        return QStringLiteral("excella.jpg");
    case TipoLector::ExcellaSTX:
        return QStringLiteral("excellaSTX.jpg");
    default:
        return QString();
    }
}

QString TfrmScanerX::fotoDespiece() const {
    switch (tipo()) {
    case TipoLector::Excella:
        return QStringLiteral("despieceexcella.jpg");
    case TipoLector::ExcellaSTX:
        return QStringLiteral("despieceExcellaSTX.jpg");
    default:
        return QString();
    }
}

void TfrmScanerX::leer() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    adaptador_->leerCheques(tipo(), dm().instalacion().dirs.Dir_Imagenes_tmp,
                            static_cast<int>(lista().size()));
    QApplication::restoreOverrideCursor();
    if (!lista().isEmpty())
        lstLista->setCurrentRow(0);
}
