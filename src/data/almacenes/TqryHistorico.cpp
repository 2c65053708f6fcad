#include "TqryHistorico.h"

#include "Importes.h"
#include "MotorTablas.h"

#include <QElapsedTimer>

#include <algorithm>
#include <limits>

namespace {

// Table rows counted by one statement: a few milliseconds of work.
constexpr qint64 rowidsPorTramo = 16384;
// How long the count works before it lets the grid go on, and how long it
// waits after a search, so that the first screen is painted first.
constexpr int msPorRato = 8;
constexpr int msAntesDeContar = 20;
// Blocks kept besides the first one: a few screens up and down.
constexpr std::size_t bloquesGuardados = 16;

const QStringList titulos = {QStringLiteral("Cuenta"),           QStringLiteral("Numero"),
                             QStringLiteral("Nombre_Cliente"),   QStringLiteral("ImporteCal"),
                             QStringLiteral("Numero_Modelo"),    QStringLiteral("Modelo_Talon"),
                             QStringLiteral("Fecha_Talon"),      QStringLiteral("Fecha_Confeccion"),
                             QStringLiteral("Fecha_Pago"),       QStringLiteral("Nombre_Cons"),
                             QStringLiteral("Nombre_Ordenante"), QStringLiteral("Nif_Sufijo"),
                             QStringLiteral("Nombre_Remesa"),    QStringLiteral("Cuenta_ord"),
                             QStringLiteral("indicadorStr")};

const QStringList descripciones = {QStringLiteral("Cuenta del librado"),
                                   QStringLiteral("Número del cheque"),
                                   QStringLiteral("Nombre del librado"),
                                   QStringLiteral("Importe"),
                                   QStringLiteral("Número de modelo"),
                                   QStringLiteral("Tipo de documento"),
                                   QStringLiteral("Fecha del cheque"),
                                   QStringLiteral("Fecha de confección de la remesa"),
                                   QStringLiteral("Fecha de proceso de la remesa"),
                                   QStringLiteral("Fichero de presentación"),
                                   QStringLiteral("Nombre del presentador"),
                                   QStringLiteral("NIF del presentador"),
                                   QStringLiteral("Nombre de la remesa"),
                                   QStringLiteral("Cuenta del presentador"),
                                   QStringLiteral("Pagaré a la orden")};

// " AND (condition)" after a range of row numbers; nothing without one.
QString yCondicion(const QString& condicion) {
    return condicion.isEmpty() ? QString() : QStringLiteral(" AND (") + condicion + u')';
}

} // namespace

TqryHistorico::TqryHistorico(QObject* parent) : QAbstractTableModel(parent) {
    temporizador_.setSingleShot(true);
    connect(&temporizador_, &QTimer::timeout, this, &TqryHistorico::cuentaUnRato);
}

TqryHistorico::~TqryHistorico() = default;

void TqryHistorico::abre(const QString& rutaTabla, const tConsultaHistorico& consulta) {
    beginResetModel();
    vacia();
    fallado_ = false;
    ruta_ = rutaTabla;
    consulta_ = consulta;

    auto conexion = std::make_unique<motor::Conexion>(rutaTabla);
    std::vector<tFila> primeras;
    qint64 ultimaLeida = 0;
    qint64 ultimaDeLaTabla = 0;
    QString error;
    if (!conexion->abierta()) {
        error = conexion->error();
    } else {
        motor::Sentencia s(*conexion, consulta.sql);
        for (const QVariant& v : consulta.valores)
            s.liga(v);
        if (!s.ejecuta())
            error = s.error();
        while (error.isEmpty() && int(primeras.size()) < FilasPorBloque && s.siguiente()) {
            tFila fila(ColumnasHistorico::Campos);
            for (int c = 0; c < ColumnasHistorico::Campos; ++c)
                fila[c] = s.texto(c);
            ultimaLeida = s.texto(ColumnasHistorico::Campos).toLongLong();
            primeras.push_back(std::move(fila));
        }
    }
    if (error.isEmpty() && int(primeras.size()) == FilasPorBloque) {
        // There may be more: the rest is counted up to the table's last row
        // as it is now.
        motor::Sentencia s(*conexion, QStringLiteral("SELECT max(rowid) FROM historicoCheques"));
        if (s.ejecuta() && s.siguiente())
            ultimaDeLaTabla = s.texto(0).toLongLong();
        else
            error = s.error();
    }
    if (!error.isEmpty()) {
        endResetModel();
        throw TErrorOperacion(error);
    }
    conexion_ = std::move(conexion);
    filas_ = int(primeras.size());
    bloques_[0].filas = std::move(primeras); // always kept
    tramos_.push_back({0, std::numeric_limits<qint64>::min()});
    siguienteRowid_ = ultimaDeLaTabla > ultimaLeida ? ultimaLeida + 1 : 1;
    ultimoRowid_ = ultimaDeLaTabla > ultimaLeida ? ultimaDeLaTabla : 0;
    endResetModel();
    if (!contada())
        temporizador_.start(msAntesDeContar);
}

void TqryHistorico::reabre() {
    if (ruta_.isEmpty())
        return;
    const QString ruta = ruta_;
    const tConsultaHistorico consulta = consulta_;
    abre(ruta, consulta);
}

void TqryHistorico::cierra() {
    beginResetModel();
    vacia();
    endResetModel();
}

void TqryHistorico::vacia() {
    temporizador_.stop();
    bloques_.clear();
    usos_.clear();
    tramos_.clear();
    filas_ = 0;
    conexion_.reset();
}

qint64 TqryHistorico::filasPorContar() const {
    return contada() ? 0 : ultimoRowid_ - siguienteRowid_ + 1;
}

bool TqryHistorico::cuentaTramo(int& contadas) {
    const qint64 desde = siguienteRowid_;
    const qint64 hasta = std::min(ultimoRowid_, desde + rowidsPorTramo - 1);
    motor::Sentencia s(*conexion_,
                       QStringLiteral("SELECT count(*) FROM historicoCheques NOT INDEXED WHERE "
                                      "rowid BETWEEN ? AND ?") +
                           yCondicion(consulta_.condicion));
    s.liga(desde).liga(hasta);
    for (const QVariant& v : consulta_.valores)
        s.liga(v);
    if (!s.ejecuta() || !s.siguiente()) {
        // What was counted stays; the rest of the result is not listed.
        siguienteRowid_ = ultimoRowid_ + 1;
        informa(s.error());
        return false;
    }
    if (const int n = s.entero(0); n > 0) {
        tramos_.push_back({contadas, desde});
        contadas += n;
    }
    siguienteRowid_ = hasta + 1;
    return true;
}

void TqryHistorico::cuenta(const std::function<bool()>& sigue) {
    int contadas = filas_;
    while (!contada() && sigue() && cuentaTramo(contadas)) {
    }
    if (contadas > filas_) {
        beginInsertRows(QModelIndex(), filas_, contadas - 1);
        filas_ = contadas;
        endInsertRows();
    }
    emit recuentoCambiado();
}

void TqryHistorico::cuentaUnRato() {
    if (contada())
        return;
    QElapsedTimer reloj;
    reloj.start();
    cuenta([&reloj] { return reloj.elapsed() < msPorRato; });
    if (!contada())
        temporizador_.start(0);
}

void TqryHistorico::terminaRecuento() {
    if (contada())
        return;
    temporizador_.stop();
    cuenta([] { return true; });
}

bool TqryHistorico::leeBloque(int numero, std::vector<tFila>& filas) const {
    const int primera = numero * FilasPorBloque;
    // The last part of the table that begins at or before the first row.
    const auto tramo =
        std::prev(std::upper_bound(tramos_.begin(), tramos_.end(), primera,
                                   [](int fila, const tTramo& t) { return fila < t.fila; }));
    motor::Sentencia s(*conexion_,
                       QStringLiteral("SELECT ") + camposHistorico() +
                           QStringLiteral(", rowid FROM historicoCheques NOT INDEXED WHERE rowid "
                                          "BETWEEN ? AND ?") +
                           yCondicion(consulta_.condicion) +
                           QStringLiteral(" ORDER BY rowid LIMIT ? OFFSET ?"));
    s.liga(tramo->rowid).liga(std::max(ultimoRowid_, tramo->rowid));
    for (const QVariant& v : consulta_.valores)
        s.liga(v);
    s.liga(FilasPorBloque).liga(primera - tramo->fila);
    if (!s.ejecuta()) {
        informa(s.error());
        return false;
    }
    while (s.siguiente()) {
        tFila fila(ColumnasHistorico::Campos);
        for (int c = 0; c < ColumnasHistorico::Campos; ++c)
            fila[c] = s.texto(c);
        filas.push_back(std::move(fila));
    }
    return true;
}

const TqryHistorico::tFila* TqryHistorico::fila(int numero) const {
    if (numero < 0 || numero >= filas_ || !conexion_)
        return nullptr;
    const int b = numero / FilasPorBloque;
    auto it = bloques_.find(b);
    if (it == bloques_.end()) {
        std::vector<tFila> filas;
        if (!leeBloque(b, filas))
            return nullptr;
        if (usos_.size() >= bloquesGuardados) {
            bloques_.erase(usos_.back());
            usos_.pop_back();
        }
        usos_.push_front(b);
        it = bloques_.emplace(b, tBloque{std::move(filas), usos_.begin()}).first;
    } else if (b != 0) {
        usos_.splice(usos_.begin(), usos_, it->second.usoReciente);
    }
    const std::vector<tFila>& filas = it->second.filas;
    const std::size_t i = std::size_t(numero % FilasPorBloque);
    return i < filas.size() ? &filas[i] : nullptr;
}

void TqryHistorico::informa(const QString& mensajeMotor) const {
    // Once per search, after the current paint or key: a box must not open
    // in the middle of painting the grid.
    if (fallado_ || !alFallar)
        return;
    fallado_ = true;
    QMetaObject::invokeMethod(
        const_cast<TqryHistorico*>(this),
        [this, mensajeMotor] {
            // The window that listened may have closed meanwhile.
            if (alFallar)
                alFallar(TErrorOperacion(mensajeMotor));
        },
        Qt::QueuedConnection);
}

QString TqryHistorico::texto(int fila, int campo) const {
    const tFila* f = this->fila(fila);
    return f != nullptr && campo >= 0 && campo < ColumnasHistorico::Campos ? (*f)[campo]
                                                                           : QString();
}

int TqryHistorico::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : filas_;
}

int TqryHistorico::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : ColumnasHistorico::Visibles;
}

QString TqryHistorico::indicadorTexto(const QString& numeroModelo, int indicador) {
    if (!numeroModelo.startsWith(u'8'))
        return QString();
    return indicador == 1 ? QStringLiteral("NO") : QStringLiteral("SI");
}

QString TqryHistorico::descripcionColumna(int columna) {
    return descripciones.value(columna);
}

QVariant TqryHistorico::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid())
        return QVariant();
    if (rol == Qt::TextAlignmentRole && indice.column() == ColumnasHistorico::ImporteCal)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (rol != Qt::DisplayRole && rol != Qt::EditRole)
        return QVariant();
    const tFila* f = fila(indice.row());
    if (f == nullptr)
        return QVariant();
    switch (indice.column()) {
    case ColumnasHistorico::ImporteCal:
        return importeVisible((*f)[ColumnasHistorico::Importe]);
    case ColumnasHistorico::indicadorStr:
        return indicadorTexto((*f)[ColumnasHistorico::Numero_Modelo],
                              (*f)[ColumnasHistorico::indicador].toInt());
    default:
        return (*f)[indice.column()];
    }
}

QVariant TqryHistorico::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion == Qt::Horizontal && seccion >= 0 && seccion < titulos.size()) {
        if (rol == Qt::DisplayRole)
            return titulos[seccion];
        if (rol == Qt::AccessibleTextRole)
            return descripciones[seccion];
    }
    return QAbstractTableModel::headerData(seccion, orientacion, rol);
}
