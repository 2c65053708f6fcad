#include "TqryHistorico.h"

#include "Importes.h"
#include "MotorTablas.h"

#include <QSqlError>
#include <QSqlQuery>

TqryHistorico::TqryHistorico(QObject* parent) : QSqlQueryModel(parent) {}

TqryHistorico::~TqryHistorico() {
    cierra();
}

bool TqryHistorico::abre(const QString& rutaTabla, const tConsultaHistorico& consulta,
                         QString& error) {
    cierra();
    ruta_ = rutaTabla;
    consulta_ = consulta;
    conexion_ = std::make_unique<motor::Conexion>(rutaTabla);
    if (!conexion_->abierta()) {
        error = conexion_->error();
        cierra();
        return false;
    }
    // The engine steps through the table only as far as the rows asked for;
    // the model asks for them in blocks as the grid scrolls, so only rows
    // already shown are kept in memory.
    QSqlQuery q(conexion_->bd());
    bool ok = q.prepare(consulta.sql);
    if (ok) {
        for (const QVariant& v : consulta.valores)
            q.addBindValue(v);
        ok = q.exec();
    }
    if (!ok) {
        error = q.lastError().text().trimmed();
        if (error.isEmpty())
            error = QStringLiteral("Error desconocido del motor de tablas");
        cierra();
        return false;
    }
    setQuery(std::move(q));
    if (lastError().isValid()) {
        error = lastError().text().trimmed();
        cierra();
        return false;
    }
    return true;
}

bool TqryHistorico::reabre(QString& error) {
    if (ruta_.isEmpty())
        return true;
    const QString ruta = ruta_;
    const tConsultaHistorico consulta = consulta_;
    return abre(ruta, consulta, error);
}

void TqryHistorico::cierra() {
    // The query goes before the connection it runs on, and the model is left
    // with a query that belongs to no connection: an emptied query would
    // still hold a result of the closed connection's driver.
    clear();
    setQuery(QSqlQuery());
    conexion_.reset();
}

QString TqryHistorico::texto(int fila, int columna) const {
    const QVariant v = QSqlQueryModel::data(index(fila, columna), Qt::DisplayRole);
    return v.isNull() ? QString() : v.toString();
}

QString TqryHistorico::indicadorTexto(const QString& numeroModelo, int indicador) {
    if (!numeroModelo.startsWith(u'8'))
        return QString();
    return indicador == 1 ? QStringLiteral("NO") : QStringLiteral("SI");
}

QVariant TqryHistorico::data(const QModelIndex& indice, int rol) const {
    if (rol == Qt::TextAlignmentRole && indice.column() == ColumnasHistorico::ImporteCal)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (rol != Qt::DisplayRole && rol != Qt::EditRole)
        return QSqlQueryModel::data(indice, rol);
    switch (indice.column()) {
    case ColumnasHistorico::ImporteCal:
        return importeVisible(texto(indice.row(), ColumnasHistorico::Importe));
    case ColumnasHistorico::indicadorStr:
        return indicadorTexto(texto(indice.row(), ColumnasHistorico::Numero_Modelo),
                              texto(indice.row(), ColumnasHistorico::indicador).toInt());
    default:
        return QSqlQueryModel::data(indice, rol);
    }
}
