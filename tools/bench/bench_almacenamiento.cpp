// Storing read lines must not slow down as the installation ages. Stores the
// same 500 good read lines into the standard remittance of (a) a fresh
// installation and (b) one whose history holds 1,000,000 emitted cheques and
// whose drawer table holds 100,000 drawers, and prints both times and their
// ratio. The keyboard reader is configured, so no image files are copied and
// only the table work is measured.
#include "ComunBench.h"
#include "MotorTablas.h"
#include "TdmBBDD.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

using bench::ejecuta;
using bench::filas;
using bench::InterfazSilenciosa;

constexpr int lineasPorPasada = 500;
constexpr int chequesEmitidos = 1000000;
constexpr int libradosPrevios = 100000;

// Good reads of the keyboard reader: distinct cheque numbers over 50
// accounts that no drawer has yet, type 42, a valid amount.
QStringList lineasLeidas() {
    QStringList lineas;
    for (int i = 0; i < lineasPorPasada; ++i)
        lineas << QStringLiteral("+%1 1234 5678 %2 42%3")
                      .arg(3000000 + i, 7, 10, QChar(u'0'))
                      .arg(7000000000LL + i % 50, 10, 10, QChar(u'0'))
                      .arg(1000 + i, 10, 10, QChar(u'0'));
    return lineas;
}

// Fills the history and the drawers in one transaction each.
bool envejece(const TdmBBDD& dm) {
    const tInstalacion& inst = dm.instalacion();
    {
        motor::Conexion con(inst.rutaTabla(inst.tablas.tabla_HistoricoTalones));
        motor::Transaccion tr(con);
        const QString sql =
            filas(chequesEmitidos) +
            QStringLiteral("INSERT INTO historicoCheques SELECT i, 'REMESA ' || (i / 400), "
                           "'1.234,56', '01/02/2025', '03/02/2025', "
                           "printf('CONS.%06d', i / 400), 'CHEQUE CUENTA CORRIENTE', "
                           "'4212-5', '', printf('%07d-%d', (i * 7919) % 10000000, i % 7), "
                           "'LIBRADO', 'B12345678 ', 'EMPRESA', 'ES7620770024003102575766', "
                           "printf('2100%016d', i % 200000), 123456, 0 FROM n");
        if (!ejecuta(con, sql) || !tr.confirma())
            return false;
    }
    motor::Conexion con(inst.rutaTabla(inst.tablas.tabla_clientes));
    motor::Transaccion tr(con);
    const QString sql = filas(libradosPrevios) +
                        QStringLiteral("INSERT INTO Deudores SELECT i, 'LIBRADO ' || i, '', "
                                       "printf('2100%016d', i), '', '' FROM n");
    return ejecuta(con, sql) && tr.confirma();
}

// Milliseconds to store the lines into the standard remittance, or -1.
double almacena(bool envejecida) {
    QTemporaryDir dir;
    tEstadoPrograma estado;
    InterfazSilenciosa iu;
    TdmBBDD dm(calculaInstalacion(dir.path()), estado, iu);
    if (!dm.creaCarpetasTrabajo() || !dm.CreaTablas())
        return -1;
    if (envejecida && !envejece(dm))
        return -1;
    estado.RemesaActual.Pk_Remesa = 1;
    estado.Escaner.tipo = 4;

    QStringList lista = lineasLeidas();
    int buenos = 0, invalidos = 0;
    QElapsedTimer reloj;
    reloj.start();
    dm.introduceEnTablasTalonesSAFE(lista, false, buenos, invalidos);
    const double ms = double(reloj.nsecsElapsed()) / 1e6;
    if (buenos != lineasPorPasada || invalidos != 0 || iu.mensajes != 0) {
        std::fprintf(stderr, "stored %d, not stored %d, messages %d\n", buenos, invalidos,
                     iu.mensajes);
        return -1;
    }
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const double a = almacena(false);
    const double b = almacena(true);
    if (a < 0 || b < 0)
        return 1;
    std::printf("(a) empty history and drawers:           %8.1f ms for %d lines\n", a,
                lineasPorPasada);
    std::printf("(b) %d emitted cheques, %d drawers: %8.1f ms for %d lines\n", chequesEmitidos,
                libradosPrevios, b, lineasPorPasada);
    std::printf("ratio b/a: %.2f\n", b / a);
    std::printf("per stored line: (a) %.2f ms, (b) %.2f ms\n", a / lineasPorPasada,
                b / lineasPorPasada);
    return 0;
}
