#pragma once
// Statements of an emission that work on many cheques at once: an emission
// of a thousand cheques runs a few of them instead of one per cheque.

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <vector>

namespace motor {
class Conexion;
}

// A cheque as the history tells duplicates apart.
struct tClaveTalon {
    QString numero;
    QString modelo;
    QString cuenta;
    bool operator==(const tClaveTalon&) const = default;
};
size_t qHash(const tClaveTalon& clave, size_t semilla = 0);

// The cheques of `tablaHistorico` whose number is one of `numeros`.
// Throws TErrorOperacion with the engine's message.
QSet<tClaveTalon> talonesEnHistorico(motor::Conexion& con, const QString& tablaHistorico,
                                     const QStringList& numeros);

// Removes the rows of `tabla` with those rowids. Throws TErrorOperacion with
// the engine's message.
void borraFilas(motor::Conexion& con, const QString& tabla, const std::vector<qint64>& filas);

// Adds the rows to `tabla`, in order, each with one value per column of
// `columnas`, several rows per statement. Throws TErrorOperacion with the
// engine's message.
void insertaFilas(motor::Conexion& con, const QString& tabla, const QStringList& columnas,
                  const std::vector<QVariantList>& filas);
