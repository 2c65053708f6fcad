// One-time upgrade of the cheque history of older installations: the model
// number widened to six characters, then the model and cheque check digits
// appended. Run at start-up while the marker file is missing.
//
// Every step selects only values still in the old form (a model of four
// characters without a hyphen, a number of seven characters without one), so
// a second run, after the marker has been deleted, leaves "4212-5" and
// "1234567-6" as they are instead of appending a second digit.
#include "ActualizacionHistorico.h"

#include "DefinicionTablas.h"
#include "DigitosControl.h"
#include "ErrorOperacion.h"
#include "FicherosTexto.h"
#include "MotorTablas.h"

#include <QRegularExpression>

#include <utility>
#include <vector>

namespace {

const QString tablaHistorico = QStringLiteral("historicoCheques");
const QString textoTestigo =
    QStringLiteral("IMPORTANTE:   NO BORRAR ESTE FICHERO ES IMPRESCINDIBLE PARA EL "
                   "FUNCIONAMIENTO DE LA APLICACIÓN");
constexpr int anchoNumeroModelo = 6;

// Declared width of a text column ("VARCHAR(4)" gives 4); -1 without one.
int anchoDeclarado(const QString& tipo) {
    static const QRegularExpression ancho(QStringLiteral("\\(\\s*([0-9]+)\\s*\\)"));
    const QRegularExpressionMatch m = ancho.match(tipo);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// SQLite keeps a column's declared type only in the table's definition:
// widening it means a new table with the same columns and every row, in
// their order, under the same name. Throws TErrorOperacion on an engine
// failure, leaving the table as it was.
void ensanchaNumeroModelo(const QString& ruta) {
    motor::Conexion con(ruta);
    if (con.enServidor())
        return; // the server keeps no widths: the program does
    motor::Sentencia info(
        con, QStringLiteral("SELECT name, type FROM pragma_table_info('%1')").arg(tablaHistorico));
    if (!info.ejecuta())
        throw TErrorOperacion(info.error());
    QStringList columnas;
    bool ensanchar = false;
    while (info.siguiente()) {
        const QString nombre = info.texto(0);
        QString tipo = info.texto(1);
        if (nombre.compare(QStringLiteral("Numero_Modelo"), Qt::CaseInsensitive) == 0) {
            const int ancho = anchoDeclarado(tipo);
            if (ancho >= 0 && ancho < anchoNumeroModelo) {
                ensanchar = true;
                tipo = QStringLiteral("VARCHAR(%1)").arg(anchoNumeroModelo);
            }
        }
        columnas << QStringLiteral("\"%1\" %2").arg(nombre, tipo).trimmed();
    }
    if (!ensanchar)
        return;

    const QString nueva = tablaHistorico + QStringLiteral("_ancho");
    motor::Transaccion tr(con);
    QStringList pasos{
        QStringLiteral("CREATE TABLE %1 (%2)").arg(nueva, columnas.join(QStringLiteral(", "))),
        QStringLiteral("INSERT INTO %1 SELECT * FROM %2 ORDER BY rowid").arg(nueva, tablaHistorico),
        QStringLiteral("DROP TABLE %1").arg(tablaHistorico),
        QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(nueva, tablaHistorico)};
    pasos << Tablas::historicoCheques().sqlIndices();
    if (!tr.iniciada())
        throw TErrorOperacion(tr.error());
    for (const QString& sql : std::as_const(pasos))
        fallaSiHayError(motor::ejecutaSql(con, sql));
    if (!tr.confirma())
        throw TErrorOperacion(tr.error());
}

// Appends "-" and a check digit to the column of each row that `seleccion`
// gives (rowid, value of the column, text the digit is computed from). Rows
// updated before an engine error stay updated; the error throws
// TErrorOperacion.
void anadeDigitos(const QString& ruta, const QString& columna, const QString& seleccion) {
    motor::Conexion con(ruta);
    motor::Transaccion tr(con);
    if (!tr.iniciada())
        throw TErrorOperacion(tr.error());
    std::vector<std::pair<qint64, QString>> filas;
    {
        motor::Sentencia s(con, seleccion);
        if (!s.ejecuta())
            throw TErrorOperacion(s.error());
        while (s.siguiente())
            filas.emplace_back(s.texto(0).toLongLong(), s.texto(1));
    }
    QString e;
    for (const auto& [fila, base] : filas) {
        e = motor::ejecutaSql(con,
                              QStringLiteral("UPDATE %1 SET %2 = %2 || ? WHERE rowid = ?")
                                  .arg(tablaHistorico, columna),
                              {QStringLiteral("-") + digitoControlModulo7(base), fila});
        if (!e.isEmpty())
            break;
    }
    if (!tr.confirma() && e.isEmpty())
        e = tr.error();
    fallaSiHayError(e);
}

} // namespace

void TActualizacionHistorico::ActualizaLongitudNumeroModelo() {
    ensanchaNumeroModelo(inst_.rutaHistoricoCheques());
}

void TActualizacionHistorico::ActualizaNumeroModeloConDigitoControl() {
    anadeDigitos(
        inst_.rutaHistoricoCheques(), QStringLiteral("Numero_Modelo"),
        QStringLiteral("SELECT rowid, Numero_Modelo FROM %1 WHERE length(Numero_Modelo) = 4 "
                       "AND instr(Numero_Modelo, '-') = 0")
            .arg(tablaHistorico));
}

void TActualizacionHistorico::ActualizaNumeroSerieConDigitoControl() {
    // Each row its own digit: the four model digits followed by its number.
    anadeDigitos(
        inst_.rutaHistoricoCheques(), QStringLiteral("Numero"),
        QStringLiteral("SELECT rowid, substr(coalesce(Numero_Modelo, ''), 1, 4) || Numero FROM %1 "
                       "WHERE length(Numero) = 7 AND instr(Numero, '-') = 0")
            .arg(tablaHistorico));
}

void TActualizacionHistorico::creaTestigoActualizadoNumeroModelo() {
    creaFicheroTexto(inst_.ficheroTestigo, {textoTestigo});
}

void TActualizacionHistorico::actualizacionUnica() {
    // Every step runs even after one fails, and the marker is written even
    // then, so a failed upgrade is not retried: the failures are told once,
    // together, at the end.
    QStringList fallos;
    const auto paso = [&fallos](auto&& hazPaso) {
        try {
            hazPaso();
        } catch (const TErrorOperacion& e) {
            fallos << e.texto();
        }
    };
    paso([this] { ActualizaLongitudNumeroModelo(); });
    paso([this] { ActualizaNumeroModeloConDigitoControl(); });
    paso([this] { ActualizaNumeroSerieConDigitoControl(); });
    paso([this] { creaTestigoActualizadoNumeroModelo(); });
    if (!fallos.isEmpty())
        throw TErrorOperacion(fallos.join(QStringLiteral("\n\n")));
}
