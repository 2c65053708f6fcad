#include "RetencionCopias.h"

#include <algorithm>
#include <map>
#include <set>

namespace {
constexpr int MesesConservados = 12;

// Months counted from year 0, so the last twelve are a plain range.
int numeroMes(const QDate& d) {
    return d.year() * 12 + d.month() - 1;
}
} // namespace

QList<QDateTime> copiasSobrantes(const QList<QDateTime>& fechas, int conservar, const QDate& hoy) {
    QList<QDateTime> ordenadas = fechas;
    std::sort(ordenadas.begin(), ordenadas.end(), std::greater<>());
    std::set<QDateTime> quedan;
    const int recientes = std::max(conservar, 1);
    for (int i = 0; i < ordenadas.size() && i < recientes; ++i)
        quedan.insert(ordenadas[i]);
    // The first copy of each month: walking from the oldest, the first seen.
    std::map<int, QDateTime> primeraDelMes;
    for (auto f = ordenadas.rbegin(); f != ordenadas.rend(); ++f) {
        const int mes = numeroMes(f->date());
        if (mes > numeroMes(hoy) - MesesConservados && !primeraDelMes.count(mes))
            primeraDelMes[mes] = *f;
    }
    for (const auto& [mes, fecha] : primeraDelMes)
        quedan.insert(fecha);
    QList<QDateTime> sobran;
    for (const QDateTime& f : ordenadas)
        if (!quedan.count(f))
            sobran << f;
    return sobran;
}
