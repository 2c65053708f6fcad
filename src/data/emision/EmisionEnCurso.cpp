#include "EmisionEnCurso.h"

#include "ErrorOperacion.h"
#include "EscrituraSegura.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

namespace {

const QString claveFichero = QStringLiteral("fichero");
const QString claveNumero = QStringLiteral("numero");
const QString claveHistoricoCheques = QStringLiteral("historicoCheques");
const QString claveHistorico = QStringLiteral("historico");

} // namespace

QString rutaEmisionEnCurso(const tDirectorios& dirs) {
    return dirs.Dir_Cons + QStringLiteral("EmisionEnCurso.txt");
}

void escribeEmisionEnCurso(const QString& ruta, const tEmisionEnCurso& e) {
    const QString texto = QStringLiteral("%1=%2\r\n%3=%4\r\n%5=%6\r\n%7=%8\r\n")
                              .arg(claveFichero, e.fichero, claveNumero, e.numero,
                                   claveHistoricoCheques, QString::number(e.claveHistoricoCheques),
                                   claveHistorico, QString::number(e.claveHistorico));
    const auto falla = [&](const QString& motivo) {
        QFile::remove(ruta);
        return TErrorOperacion(QStringLiteral("La emisión no ha empezado: no se pudo escribir el "
                                              "registro de la emisión en curso %1: %2")
                                   .arg(ruta, motivo));
    };
    // Written aside, forced to disk and renamed into place: whole or absent.
    if (const std::optional<QString> motivo = escribeFicheroEntero(ruta, texto.toUtf8()))
        throw falla(*motivo);
    // A full disk can let the rename succeed with a record cut short: it is
    // read back, and one that does not read as written does not count.
    bool legible = false;
    try {
        const std::optional<tEmisionEnCurso> leido = leeEmisionEnCurso(ruta);
        legible = leido && leido->fichero == e.fichero && leido->numero == e.numero;
    } catch (const TErrorOperacion&) {
    }
    if (!legible)
        throw falla(QStringLiteral("no se lee lo escrito (¿disco lleno?)"));
}

std::optional<tEmisionEnCurso> leeEmisionEnCurso(const QString& ruta) {
    QFile f(ruta);
    if (!f.exists())
        return std::nullopt;
    const QString ilegible =
        QStringLiteral("El registro de la emisión interrumpida %1 no se puede leer; "
                       "consérvelo y consulte con el soporte técnico.")
            .arg(ruta);
    if (!f.open(QIODevice::ReadOnly))
        throw TErrorOperacion(ilegible);
    tEmisionEnCurso e;
    bool okCheques = false;
    bool okHistorico = false;
    const QStringList lineas = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
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
