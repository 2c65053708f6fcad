// Backup copies must stay quick on a data folder of many years: 1,000,000
// emitted cheques in the history (with 2,500 emissions and 100,000 drawers)
// and the images of 10,000 cheques (30,000 files). It measures, in one run:
//   (a) the first copy, which writes every table and every image;
//   (b) the second copy with nothing new, which takes the unchanged tables
//       from the first and writes no image;
// and prints both times and the ratio b/a (target <= 0.10).
#include "ComunBench.h"
#include "TablasInstalacion.h"
#include "copias/CopiasSeguridad.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int chequesConImagenes = 10000;

// The three images of a cheque, at sizes a reader gives (grey JPEG front,
// black-and-white TIFF front and back).
bool creaImagenes(const QString& carpeta) {
    const QByteArray jpeg(24 * 1024, 'j');
    const QByteArray tiff(7 * 1024, 't');
    for (int i = 0; i < chequesConImagenes; ++i) {
        const QString base = QStringLiteral("00491500%1%2").arg(i, 12, 10, QChar(u'0')).arg(i % 7);
        const std::pair<QString, const QByteArray*> ficheros[] = {
            {QStringLiteral("F%1.jpg").arg(base), &jpeg},
            {QStringLiteral("F%1.tif").arg(base), &tiff},
            {QStringLiteral("T%1.tif").arg(base), &tiff}};
        for (const auto& [nombre, bytes] : ficheros) {
            QFile f(carpeta + nombre);
            if (!f.open(QIODevice::WriteOnly) || f.write(*bytes) != bytes->size())
                return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const tInstalacion inst = calculaInstalacion(dir.path());
    tEstadoPrograma estado;
    bench::InterfazSilenciosa iu;
    TdmBBDD dm(inst, estado, iu);
    std::fprintf(stderr, "preparing 1,000,000 history rows and 30,000 images...\n");
    if (!dm.tablas().creaCarpetasTrabajo() || !dm.tablas().CreaTablas() || !bench::envejece(dm) ||
        !creaImagenes(inst.dirs.Dir_Hco_Imagenes)) {
        std::fprintf(stderr, "preparation failed\n");
        return 1;
    }
    bench::vaciaCacheEscritura();

    TCopiasSeguridad copias(inst);
    double tiempos[2] = {0, 0};
    for (double& t : tiempos) {
        const bench::tCronometro reloj;
        try {
            copias.haz(TCopiasSeguridad::MotivoManual);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
        t = reloj.ms();
    }
    const QList<tCopia> lista = copias.lista();
    std::printf("copies of 1,000,000 history rows and 30,000 images (%.0f MB per copy)\n",
                lista.isEmpty() ? 0.0 : double(lista.first().bytes) / (1024 * 1024));
    std::printf("%-58s %9.1f ms\n", "(a) first copy", tiempos[0]);
    std::printf("%-58s %9.1f ms\n", "(b) second copy, nothing new", tiempos[1]);
    std::printf("ratio %.3f (target <= 0.10)\n", tiempos[1] / tiempos[0]);
    return 0;
}
