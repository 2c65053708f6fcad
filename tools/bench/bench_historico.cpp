// The history search must stay quick over a large history. With 1,000,000
// emitted cheques in historicoCheques.dat it measures, in one run:
//   (a) the program's search for a drawer-name fragment held by 1 % of the
//       rows, from the accepted criteria until the grid has painted its first
//       screen;
//   (b) the same statement, with the same bound values, run on the bare
//       engine (libsqlite3), opening the file and reading every column of the
//       same first rows the grid fetched;
//   (c) the program's search with every criterion empty (every row matches),
//       until its first screen is painted;
//   (d) how long the count of each search's rows goes on after its first
//       screen (the grid works meanwhile: the count runs by short parts);
//   (e) Ctrl+End at once after a search of every row: until the last row is
//       the current one and painted (the rows not yet counted are counted);
//   (f) closing the history window on that last row; with accessibility on
//       when the program runs under a screen reader's bus (the line says).
// It prints the times, the ratio a/b, and the process's peak memory after (a)
// and after twenty screens down (c): the grid reads rows in blocks as they
// are shown and keeps only a few, so the peak must not grow with the size of
// the result. The first screen is measured until it is painted; the count
// that starts after it is measured apart, in (d).
#include "AlmacenHistorico.h"
#include "BusquedaHistorico.h"
#include "ComunBench.h"
#include "TablasInstalacion.h"
#include "TdmBBDD.h"
#include "TfrmHistoricoTransferencias.h"
#include "TqryHistorico.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <optional>
#include <vector>

namespace {

using bench::ejecuta;
using bench::filas;
using bench::InterfazSilenciosa;

constexpr int chequesEmitidos = 1000000;
constexpr int repeticiones = 9;

// Milliseconds since construction: on the wall clock, and of processor time
// of this thread (what the machine's other work does not lengthen).
struct tMedida {
    double pared = 0;
    double cpu = 0;
};

double cpuHilo() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

class tReloj {
public:
    tReloj() : cpu_(cpuHilo()) { pared_.start(); }
    tMedida medida() const { return {double(pared_.nsecsElapsed()) / 1e6, cpuHilo() - cpu_}; }

private:
    QElapsedTimer pared_;
    double cpu_;
};

// Peak resident memory of the process in kB (VmHWM), -1 when unknown.
long memoriaPico() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& linea : f.readAll().split('\n'))
        if (linea.startsWith("VmHWM:"))
            return linea.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// Starts the peak count again from the current memory (Linux).
void reiniciaMemoriaPico() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

bool llenaHistorico(TdmBBDD& dm) {
    motor::Conexion con(dm.instalacion().rutaHistoricoCheques());
    motor::Transaccion tr(con);
    // One drawer in a hundred is a GARCIA.
    const QString sql =
        filas(chequesEmitidos) +
        QStringLiteral("INSERT INTO historicoCheques SELECT i, 'REMESA ' || (i / 400), "
                       "printf('%d,%02d', (i * 37) % 5000, i % 100), "
                       "printf('%02d/%02d/%d', 1 + i % 28, 1 + i % 12, 2015 + i % 10), "
                       "'03/02/2025', printf('CONS.%04d', i / 400), 'CHEQUE CUENTA CORRIENTE', "
                       "'4212-5', '15/01/2025', printf('%07d-%d', (i * 7919) % 10000000, i % 7), "
                       "CASE WHEN i % 100 = 0 THEN 'GARCIA LOPEZ ' || i ELSE 'LIBRADO ' || i "
                       "END, 'B12345678 ', 'EMPRESA', 'ES7620770024003102575766', "
                       "printf('2100%016d', i % 200000), ((i * 37) % 5000) * 100 + i % 100, 0 "
                       "FROM n");
    return ejecuta(con, sql) && tr.confirma();
}

// One search through the window until the grid is painted.
tMedida buscaEnVentana(TfrmHistoricoTransferencias& frm, TdmBBDD& dm,
                       const tCriteriosHistorico& criterios) {
    frm.abreCriterios = [&dm, &criterios] {
        dm.historico().CargaHistoricoDeTalones(consultaBusquedaHistorico(criterios));
        return true;
    };
    const tReloj reloj;
    frm.buscar();
    frm.dbgHistorico->viewport()->repaint();
    QCoreApplication::sendPostedEvents();
    return reloj.medida();
}

// Lets keys sent to the grid arrive: under a screen reader they pass through
// it first.
void esperaTeclas() {
    QCoreApplication::processEvents();
    if (QAccessible::isActive())
        QTest::qWait(1000);
}

// Lets the count of the last search run to its end, as the event loop does.
tMedida esperaRecuento(TdmBBDD& dm) {
    const tReloj reloj;
    while (!dm.historico().qryHistorico().contada())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return reloj.medida();
}

// The same statement on the bare engine, reading `filas` rows; nothing when
// it fails.
std::optional<tMedida> buscaEnMotor(const QString& ruta, const tConsultaHistorico& consulta,
                                    int filas) {
    const tReloj reloj;
    sqlite3* bd = nullptr;
    if (sqlite3_open_v2(ruta.toUtf8().constData(), &bd, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return std::nullopt;
    sqlite3_stmt* st = nullptr;
    const QByteArray sql = consulta.sql.toUtf8();
    if (sqlite3_prepare_v2(bd, sql.constData(), -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_close(bd);
        return std::nullopt;
    }
    int n = 1;
    for (const QVariant& v : consulta.valores) {
        if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int) {
            sqlite3_bind_int64(st, n++, v.toLongLong());
        } else {
            const QByteArray t = v.toString().toUtf8();
            sqlite3_bind_text(st, n++, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        }
    }
    int leidas = 0;
    std::size_t bytes = 0;
    while (leidas < filas && sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            if (const unsigned char* t = sqlite3_column_text(st, c))
                bytes += std::char_traits<char>::length(reinterpret_cast<const char*>(t));
        ++leidas;
    }
    sqlite3_finalize(st);
    sqlite3_close(bd);
    const tMedida m = reloj.medida();
    if (leidas != filas || bytes == 0)
        return std::nullopt;
    return m;
}

// The medians of the wall and processor times.
tMedida mediana(const std::vector<tMedida>& v) {
    std::vector<double> pared, cpu;
    for (const tMedida& m : v) {
        pared.push_back(m.pared);
        cpu.push_back(m.cpu);
    }
    std::sort(pared.begin(), pared.end());
    std::sort(cpu.begin(), cpu.end());
    return {pared[pared.size() / 2], cpu[cpu.size() / 2]};
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir dir;
    const tInstalacion inst = calculaInstalacion(dir.path());
    tEstadoPrograma estado;
    InterfazSilenciosa iu;
    TdmBBDD dm(inst, estado, iu);
    if (!dm.tablas().creaCarpetasTrabajo() || !dm.tablas().CreaTablas() || !llenaHistorico(dm))
        return 1;
    std::printf("histórico de %d cheques preparado\n", chequesEmitidos);

    TfrmHistoricoTransferencias frm(dm);
    frm.resize(1000, 640);
    frm.show();
    if (!QTest::qWaitForWindowExposed(&frm))
        return 1;

    tCriteriosHistorico garcia;
    garcia.datos.beneficiario.Nombre_Cliente = QStringLiteral("GARC");
    const tConsultaHistorico consulta = consultaBusquedaHistorico(garcia);

    // The file is read once before any measure, so both start from the
    // system's cache.
    buscaEnMotor(dm.instalacion().rutaHistoricoCheques(), consultaBusquedaHistorico({}), 1);
    reiniciaMemoriaPico();
    std::vector<tMedida> tiemposA, tiemposB, tiemposC, cuentaA, cuentaC;
    int filasA = 0;
    for (int i = 0; i < repeticiones; ++i) {
        tiemposA.push_back(buscaEnVentana(frm, dm, garcia));
        filasA = dm.historico().qryHistorico().rowCount();
        const auto b = buscaEnMotor(dm.instalacion().rutaHistoricoCheques(), consulta, filasA);
        if (!b || filasA == 0 || iu.mensajes != 0)
            return 1;
        tiemposB.push_back(*b);
        cuentaA.push_back(esperaRecuento(dm));
    }
    const int encontradasA = dm.historico().qryHistorico().rowCount();
    const long picoA = memoriaPico();

    for (int i = 0; i < repeticiones; ++i) {
        tiemposC.push_back(buscaEnVentana(frm, dm, {}));
        cuentaC.push_back(esperaRecuento(dm));
    }
    const int encontradasC = dm.historico().qryHistorico().rowCount();
    // Twenty screens further down: rows are read as they are shown.
    frm.dbgHistorico->setFocus();
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(frm.dbgHistorico, Qt::Key_PageDown);
    esperaTeclas();
    const int filaC = frm.dbgHistorico->currentIndex().row();
    const long picoC = memoriaPico();

    // Ctrl+End at once after the search, then the window closed.
    auto* otra = new TfrmHistoricoTransferencias(dm);
    otra->resize(1000, 640);
    otra->show();
    if (!QTest::qWaitForWindowExposed(otra))
        return 1;
    buscaEnVentana(*otra, dm, {});
    otra->dbgHistorico->setFocus();
    const tReloj relojFin;
    QTest::keyClick(otra->dbgHistorico, Qt::Key_End, Qt::ControlModifier);
    // Under a screen reader the keys reach the grid once the reader has
    // seen them.
    if (!QTest::qWaitFor([&] { return otra->dbgHistorico->currentIndex().row() > 0; }, 10000))
        return 1;
    otra->dbgHistorico->viewport()->repaint();
    QCoreApplication::sendPostedEvents();
    const tMedida fin = relojFin.medida();
    const int filaFin = otra->dbgHistorico->currentIndex().row();
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(otra->dbgHistorico, Qt::Key_PageUp);
    esperaTeclas();
    const tReloj relojCierre;
    otra->close();
    delete otra;
    QCoreApplication::processEvents();
    const tMedida cierre = relojCierre.medida();

    const tMedida a = mediana(tiemposA);
    const tMedida b = mediana(tiemposB);
    const tMedida c = mediana(tiemposC);
    std::printf("medianas de %d repeticiones; tiempo real (tiempo de procesador del hilo)\n",
                repeticiones);
    std::printf("(a) búsqueda GARC (1 %% de las filas) hasta la primera pantalla: "
                "%.1f ms (%.1f ms), %d filas leídas\n",
                a.pared, a.cpu, filasA);
    std::printf("(b) la misma sentencia en el motor desnudo, mismas filas:      "
                "%.1f ms (%.1f ms)\n",
                b.pared, b.cpu);
    std::printf("    razón a/b: %.2f (%.2f)\n", a.pared / b.pared, a.cpu / b.cpu);
    std::printf("    memoria pico tras (a): %ld kB\n", picoA);
    std::printf("(c) búsqueda sin criterios (todas las filas), primera pantalla:  "
                "%.1f ms (%.1f ms); fila actual %d tras 20 pantallas\n",
                c.pared, c.cpu, filaC);
    std::printf("    memoria pico tras (c): %ld kB\n", picoC);
    std::printf("(d) recuento tras la primera pantalla: GARC %.1f ms (%.1f ms), %d cheques; "
                "todas %.1f ms (%.1f ms), %d cheques\n",
                mediana(cuentaA).pared, mediana(cuentaA).cpu, encontradasA, mediana(cuentaC).pared,
                mediana(cuentaC).cpu, encontradasC);
    std::printf("(e) Ctrl+Fin nada más buscar todas las filas: %.1f ms (%.1f ms), fila %d\n",
                fin.pared, fin.cpu, filaFin);
    std::printf("(f) cierre de la ventana en la última fila, accesibilidad %s: %.1f ms\n",
                QAccessible::isActive() ? "activa" : "inactiva", cierre.pared);
    std::printf("ratio %.2f\n", a.pared / b.pared);
    return 0;
}
