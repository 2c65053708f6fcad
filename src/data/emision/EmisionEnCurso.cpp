#include "EmisionEnCurso.h"

#include "ErrorOperacion.h"
#include "EscrituraSegura.h"
#include "MotorTablas.h"
#include "Servidor.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

namespace {

const QString claveFichero = QStringLiteral("fichero");
const QString claveNumero = QStringLiteral("numero");
const QString claveHistoricoCheques = QStringLiteral("historicoCheques");
const QString claveHistorico = QStringLiteral("historico");

// On the server: the table that holds the record, as a table file's path.
QString tablaEnCurso(const tDirectorios& dirs) {
    return dirs.Dir_Tablas + QStringLiteral("EmisionEnCurso.dat");
}

const QString CreacionTabla =
    QStringLiteral("CREATE TABLE IF NOT EXISTS EmisionEnCurso (Fichero VARCHAR(20), "
                   "Numero VARCHAR(10), ClaveHistoricoCheques INTEGER, ClaveHistorico INTEGER)");

QString textoRegistro(const tEmisionEnCurso& e) {
    return QStringLiteral("%1=%2\r\n%3=%4\r\n%5=%6\r\n%7=%8\r\n")
        .arg(claveFichero, e.fichero, claveNumero, e.numero, claveHistoricoCheques,
             QString::number(e.claveHistoricoCheques), claveHistorico,
             QString::number(e.claveHistorico));
}

TErrorOperacion noEmpieza(const QString& donde, const QString& motivo) {
    return TErrorOperacion(QStringLiteral("La emisión no ha empezado: no se pudo escribir el "
                                          "registro de la emisión en curso %1: %2")
                               .arg(donde, motivo));
}

// The record as one row, replacing any other, in one transaction.
void escribeEnServidor(const tDirectorios& dirs, const tEmisionEnCurso& e) {
    const QString ruta = tablaEnCurso(dirs);
    QString error;
    if (!motor::existeTabla(ruta)) {
        motor::Conexion con(ruta, true);
        error = con.error();
        if (error.isEmpty())
            error = motor::ejecutaSql(con, CreacionTabla);
    }
    if (error.isEmpty()) {
        motor::Conexion tabla(ruta);
        motor::Transaccion tr(tabla);
        error = tr.error();
        if (error.isEmpty())
            error = motor::ejecutaSql(tabla, QStringLiteral("DELETE FROM EmisionEnCurso"));
        if (error.isEmpty())
            error = motor::ejecutaSql(
                tabla,
                QStringLiteral("INSERT INTO EmisionEnCurso (Fichero, Numero, "
                               "ClaveHistoricoCheques, ClaveHistorico) VALUES (?, ?, ?, ?)"),
                {e.fichero, e.numero, e.claveHistoricoCheques, e.claveHistorico});
        if (error.isEmpty() && !tr.confirma())
            error = tr.error();
    }
    if (!error.isEmpty())
        throw noEmpieza(motor::tablaEnServidor(ruta), error);
}

// The record's text as the file holds it; nothing without a record.
std::optional<QString> leeDelServidor(const tDirectorios& dirs) {
    const QString ruta = tablaEnCurso(dirs);
    if (!motor::existeTabla(ruta))
        return std::nullopt;
    motor::Conexion con(ruta);
    motor::Sentencia s(con, QStringLiteral("SELECT Fichero, Numero, ClaveHistoricoCheques, "
                                           "ClaveHistorico FROM EmisionEnCurso"));
    if (!s.ejecuta())
        throw TErrorOperacion(s.error());
    if (!s.siguiente())
        return std::nullopt;
    tEmisionEnCurso e{s.texto(0), s.texto(1), s.entero(2), s.entero(3)};
    return textoRegistro(e);
}

std::optional<tEmisionEnCurso> registroDeTexto(const QString& texto, const QString& donde);

} // namespace

QString rutaEmisionEnCurso(const tDirectorios& dirs) {
    return dirs.Dir_Cons + QStringLiteral("EmisionEnCurso.txt");
}

void escribeEmisionEnCurso(const tDirectorios& dirs, const tEmisionEnCurso& e) {
    if (motor::enServidor()) {
        escribeEnServidor(dirs, e);
        return;
    }
    const QString ruta = rutaEmisionEnCurso(dirs);
    const QString texto = textoRegistro(e);
    const auto falla = [&](const QString& motivo) {
        QFile::remove(ruta);
        return noEmpieza(ruta, motivo);
    };
    // Written aside, forced to disk and renamed into place: whole or absent.
    if (const std::optional<QString> motivo = escribeFicheroEntero(ruta, texto.toUtf8()))
        throw falla(*motivo);
    // A full disk can let the rename succeed with a record cut short: it is
    // read back, and one that does not read as written does not count.
    bool legible = false;
    try {
        const std::optional<tEmisionEnCurso> leido = leeEmisionEnCurso(dirs);
        legible = leido && leido->fichero == e.fichero && leido->numero == e.numero;
    } catch (const TErrorOperacion&) {
    }
    if (!legible)
        throw falla(QStringLiteral("no se lee lo escrito (¿disco lleno?)"));
}

std::optional<tEmisionEnCurso> leeEmisionEnCurso(const tDirectorios& dirs) {
    if (motor::enServidor()) {
        const std::optional<QString> texto = leeDelServidor(dirs);
        return texto ? registroDeTexto(*texto, motor::tablaEnServidor(tablaEnCurso(dirs)))
                     : std::nullopt;
    }
    const QString ruta = rutaEmisionEnCurso(dirs);
    QFile f(ruta);
    if (!f.exists())
        return std::nullopt;
    if (!f.open(QIODevice::ReadOnly))
        return registroDeTexto(QString(), ruta);
    return registroDeTexto(QString::fromUtf8(f.readAll()), ruta);
}

bool hayEmisionEnCurso(const tDirectorios& dirs) {
    if (!motor::enServidor())
        return QFile::exists(rutaEmisionEnCurso(dirs));
    try {
        return leeDelServidor(dirs).has_value();
    } catch (const TErrorOperacion&) {
        return true;
    }
}

void borraEmisionEnCurso(const tDirectorios& dirs) {
    if (!motor::enServidor()) {
        QFile::remove(rutaEmisionEnCurso(dirs));
        return;
    }
    if (motor::existeTabla(tablaEnCurso(dirs))) {
        motor::Conexion con(tablaEnCurso(dirs));
        motor::ejecutaSql(con, QStringLiteral("DELETE FROM EmisionEnCurso"));
    }
}

QString apartaEmisionEnCurso(const tDirectorios& dirs) {
    const QString aparte = rutaEmisionEnCurso(dirs) + QStringLiteral(".ilegible");
    QFile::remove(aparte);
    if (motor::enServidor()) {
        // The row as text beside the emitted files, where support looks.
        try {
            if (const std::optional<QString> texto = leeDelServidor(dirs))
                // Best effort: the row goes either way, so that it never
                // blocks the emissions that follow.
                (void)escribeFicheroEntero(aparte, texto->toUtf8());
        } catch (const TErrorOperacion&) {
        }
        borraEmisionEnCurso(dirs);
    } else {
        QFile::rename(rutaEmisionEnCurso(dirs), aparte);
    }
    return aparte;
}

namespace {

std::optional<tEmisionEnCurso> registroDeTexto(const QString& texto, const QString& donde) {
    const QString ilegible =
        QStringLiteral("El registro de la emisión interrumpida %1 no se puede leer; "
                       "consérvelo y consulte con el soporte técnico.")
            .arg(donde);
    tEmisionEnCurso e;
    bool okCheques = false;
    bool okHistorico = false;
    const QStringList lineas = texto.split(u'\n', Qt::SkipEmptyParts);
    for (const QString& linea : lineas) {
        const qsizetype igual = linea.indexOf(u'=');
        const QString clave = linea.left(igual);
        const QString valor = linea.mid(igual + 1).trimmed();
        if (clave == claveFichero)
            e.fichero = valor;
        else if (clave == claveNumero)
            e.numero = valor;
        else if (clave == claveHistoricoCheques)
            e.claveHistoricoCheques = valor.toInt(&okCheques);
        else if (clave == claveHistorico)
            e.claveHistorico = valor.toInt(&okHistorico);
    }
    if (e.fichero.isEmpty() || e.numero.isEmpty() || !okCheques || !okHistorico ||
        e.fichero != QStringLiteral("CONS.") + e.numero ||
        !QRegularExpression(QStringLiteral("^[0-9]{4,5}$")).match(e.numero).hasMatch())
        throw TErrorOperacion(ilegible);
    return e;
}

} // namespace
