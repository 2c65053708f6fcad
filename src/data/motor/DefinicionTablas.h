#pragma once
// Columns, order and widths of every table kind. A width of 0 is an integer
// column. Each table file holds exactly one table under `nombre`.

#include <QString>
#include <QStringList>
#include <vector>

struct tColumna {
    QString nombre;
    int ancho = 0; // 0 = integer
};

struct tDefinicionTabla {
    QString nombre;
    std::vector<tColumna> columnas;
    // Non-unique indexes kept inside the file for speed; they never change a result.
    std::vector<QStringList> indices;

    QString sqlCreacion() const;
    QStringList sqlIndices() const;
};

namespace Tablas {
const tDefinicionTabla& remesas();
const tDefinicionTabla& historico();
const tDefinicionTabla& ordenantes();
const tDefinicionTabla& historicoCheques();
const tDefinicionTabla& deudores();
const tDefinicionTabla& talones();
} // namespace Tablas
