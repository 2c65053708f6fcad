// An emission must not slow down as the history grows. Emits a remittance of
// 1,000 correct cheques (each with its three image files) from (a) a fresh
// installation and (b) one whose history already holds 1,000,000 emitted
// cheques, and prints both times and their ratio. Every record is still
// written with its own open, append and close, and every cheque still moves to
// the history in its own transaction.
#include "ComunBench.h"
#include "ImagenesTalon.h"
#include "MotorTablas.h"
#include "TdmBBDD.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

using bench::ejecuta;
using bench::filas;
using bench::InterfazSilenciosa;

constexpr int chequesPorEmision = 1000;
constexpr int chequesEmitidos = 1000000;

// One installation in its own temporary folder, with a presenter and a
// remittance of n correct cheques whose images are in the image folder.
struct Instalacion {
    QTemporaryDir dir;
    tInstalacion inst = calculaInstalacion(dir.path());
    tEstadoPrograma estado;
    InterfazSilenciosa iu;
    std::unique_ptr<TdmBBDD> dm = std::make_unique<TdmBBDD>(inst, estado, iu);

    bool prepara(int cheques) {
        if (!dm->creaCarpetasTrabajo() || !dm->CreaTablas())
            return false;
        {
            motor::Conexion con(dm->rutaOrdenantes());
            if (!ejecuta(con, "INSERT INTO Ordenantes VALUES (1, 'B12345678', 'EMPRESA', "
                              "'ES9121000418450200051332')"))
                return false;
        }
        motor::Conexion con(dm->rutaTalonesEstandar());
        motor::Transaccion tr(con);
        const QString sql =
            filas(cheques) +
            QStringLiteral("INSERT INTO Talones SELECT i, '0', '4212-5', '1234,56', "
                           "'15/02/2025', printf('%07d-%d', 5000000 + i, i % 7), '0', "
                           "printf('0049150005%010d', i), 0, 'LIBRADO', 1, 1 FROM n");
        if (!ejecuta(con, sql) || !tr.confirma())
            return false;
        for (int i = 1; i <= cheques; ++i) {
            const QString base =
                baseImagenTalon(QStringLiteral("0049150005%1").arg(i, 10, 10, QChar(u'0')),
                                QStringLiteral("4212-5"), QString::number(5000000 + i));
            for (const char* nombre : {"F%1.tif", "T%1.tif", "F%1.jpg"}) {
                QFile f(inst.dirs.Dir_Imagenes + QString::fromLatin1(nombre).arg(base));
                if (!f.open(QIODevice::WriteOnly) || f.write(QByteArray(20000, 'x')) != 20000)
                    return false;
            }
        }
        estado.RemesaActual.Pk_Remesa = 1;
        estado.RemesaActual.Nombre_Remesa = QStringLiteral("ESTANDAR");
        estado.OrdenanteActual.Pk_Ordenante = 1;
        return true;
    }

    bool envejece() {
        motor::Conexion con(dm->rutaHistoricoCheques());
        motor::Transaccion tr(con);
        const QString sql =
            filas(chequesEmitidos) +
            QStringLiteral("INSERT INTO historicoCheques SELECT i, 'REMESA ' || (i / 400), "
                           "'1.234,56', '01/02/2025', '03/02/2025', "
                           "printf('CONS.%04d', i / 400), 'CHEQUE CUENTA CORRIENTE', "
                           "'4212-5', '', printf('%07d-%d', (i * 7919) % 10000000, i % 7), "
                           "'LIBRADO', 'B12345678 ', 'EMPRESA', 'ES7620770024003102575766', "
                           "printf('2100%016d', i % 200000), 123456, 0 FROM n");
        return ejecuta(con, sql) && tr.confirma();
    }

    // Milliseconds of one emission; -1 when it failed.
    qint64 emite() {
#ifdef Q_OS_UNIX
        // What the preparation left unwritten would be paid by the first
        // commits of the emission: both runs start from a clean disk cache.
        ::sync();
#endif
        QElapsedTimer reloj;
        reloj.start();
        try {
            if (!dm->facturaFichero(estado.RemesaActual, QStringLiteral("05/03/2025"),
                                    QStringLiteral("10/03/2025")))
                return -1;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return -1;
        }
        const qint64 ms = reloj.elapsed();
        motor::Conexion con(dm->rutaTalonesEstandar());
        motor::Sentencia s(con, QStringLiteral("SELECT count(*) FROM Talones"));
        if (iu.mensajes != 0 || !s.ejecuta() || !s.siguiente() || s.entero(0) != 0)
            return -1;
        return ms;
    }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);

    // The first emission of the process loads the engine and the code page.
    Instalacion calentamiento;
    if (!calentamiento.prepara(10) || calentamiento.emite() < 0)
        return 1;

    Instalacion nueva;
    if (!nueva.prepara(chequesPorEmision))
        return 1;
    const qint64 a = nueva.emite();

    Instalacion antigua;
    if (!antigua.prepara(chequesPorEmision) || !antigua.envejece())
        return 1;
    const qint64 b = antigua.emite();
    if (a < 0 || b < 0)
        return 1;

    std::printf("emisión de %d cheques, histórico vacío:            %lld ms\n", chequesPorEmision,
                static_cast<long long>(a));
    std::printf("emisión de %d cheques, histórico de %d cheques: %lld ms\n", chequesPorEmision,
                chequesEmitidos, static_cast<long long>(b));
    std::printf("razón b/a: %.2f (objetivo <= 1.5)\n",
                static_cast<double>(b) / static_cast<double>(qMax<qint64>(a, 1)));
    return 0;
}
