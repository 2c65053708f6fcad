// generador_muestras: writes a folder of synthetic sample documents for the
// simulated readers (see src/capture/enlace/simulado/MuestrasDocumentos.h).
//
//   generador_muestras CARPETA [--cantidad N] [--semilla S] [--ppp P]
//                      [--fallo N:TIPO]...
//
// TIPO is "ilegible" (unreadable characters in the codeline), "importe-corto"
// (amount cut short) or "duplicado" (a repeat of the first document); or an
// image fault: "en-blanco" (blank front), "oscura" (dark front), "cortada"
// (every image cut short) or "danada" (front JPEG that does not decode).
// Without --fallo every codeline is whole and valid and every image sound.

#include "DocumentoSintetico.h"
#include "FallosImagen.h"
#include "TiffGrupo4.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMap>

#include <cstdio>

namespace {

bool escribeTexto(const QString& ruta, const tDatosDocumento& d) {
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    f.write("seac=" + codelineSeac(d) + "\n");
    f.write("excella=" + codelineExcella(d) + "\n");
    f.write("visionx=" + codelineVisionX(d) + "\n");
    return f.error() == QFileDevice::NoError;
}

bool danaJpeg(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadWrite))
        return false;
    QByteArray bytes = f.readAll();
    danaFichero(bytes);
    return f.seek(0) && f.write(bytes) == bytes.size();
}

bool escribeDocumento(const QDir& dir, const QString& nombre, const tDatosDocumento& d, int ppp,
                      FalloImagen fallo) {
    const QImage frontal = aplicaFalloImagen(dibujaFrontal(d, ppp), fallo, true);
    const QImage trasera = aplicaFalloImagen(dibujaTrasera(d, ppp), fallo, false);
    const QString jpg = dir.filePath(nombre + QStringLiteral("_F.jpg"));
    return escribeTexto(dir.filePath(nombre + QStringLiteral(".txt")), d) &&
           frontal.save(jpg, "JPG", 55) &&
           escribeTiffGrupo4(frontal, dir.filePath(nombre + QStringLiteral("_F.tif")), ppp) &&
           escribeTiffGrupo4(trasera, dir.filePath(nombre + QStringLiteral("_T.tif")), ppp) &&
           (fallo != FalloImagen::Danada || danaJpeg(jpg));
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser opciones;
    opciones.setApplicationDescription(
        QStringLiteral("Genera documentos de muestra para los lectores simulados."));
    opciones.addHelpOption();
    opciones.addPositionalArgument(QStringLiteral("carpeta"), QStringLiteral("Carpeta destino"));
    opciones.addOption({QStringLiteral("cantidad"), QStringLiteral("Documentos."),
                        QStringLiteral("N"), QStringLiteral("12")});
    opciones.addOption({QStringLiteral("semilla"), QStringLiteral("Semilla."), QStringLiteral("S"),
                        QStringLiteral("2026")});
    opciones.addOption({QStringLiteral("ppp"), QStringLiteral("Puntos por pulgada."),
                        QStringLiteral("P"), QStringLiteral("100")});
    opciones.addOption(
        {QStringLiteral("fallo"),
         QStringLiteral("Fallo del documento N: ilegible, importe-corto, duplicado, en-blanco, "
                        "oscura, cortada, danada."),
         QStringLiteral("N:TIPO")});
    opciones.process(app);
    if (opciones.positionalArguments().size() != 1)
        opciones.showHelp(1);

    const QMap<QString, FalloMuestra> tipos = {
        {QStringLiteral("ilegible"), FalloMuestra::Ilegible},
        {QStringLiteral("importe-corto"), FalloMuestra::ImporteCorto},
        {QStringLiteral("duplicado"), FalloMuestra::Duplicado}};
    const QMap<QString, FalloImagen> tiposImagen = {
        {QStringLiteral("en-blanco"), FalloImagen::FrontalEnBlanco},
        {QStringLiteral("oscura"), FalloImagen::FrontalOscuro},
        {QStringLiteral("cortada"), FalloImagen::Cortada},
        {QStringLiteral("danada"), FalloImagen::Danada}};
    QMap<int, FalloMuestra> fallos;
    QMap<int, FalloImagen> fallosImagen;
    for (const QString& f : opciones.values(QStringLiteral("fallo"))) {
        const QStringList partes = f.split(QChar(u':'));
        bool ok = false;
        const int n = partes.value(0).toInt(&ok);
        const QString tipo = partes.value(1);
        if (partes.size() != 2 || !ok || (!tipos.contains(tipo) && !tiposImagen.contains(tipo))) {
            std::fprintf(stderr, "Fallo no reconocido: %s\n", qPrintable(f));
            return 1;
        }
        if (tipos.contains(tipo))
            fallos.insert(n, tipos.value(tipo));
        else
            fallosImagen.insert(n, tiposImagen.value(tipo));
    }
    const QDir dir(opciones.positionalArguments().first());
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "No se pudo crear la carpeta %s\n", qPrintable(dir.path()));
        return 1;
    }
    const int cantidad = opciones.value(QStringLiteral("cantidad")).toInt();
    const auto semilla = opciones.value(QStringLiteral("semilla")).toUInt();
    const int ppp = opciones.value(QStringLiteral("ppp")).toInt();
    for (int i = 1; i <= cantidad; ++i) {
        const FalloMuestra fallo = fallos.value(i, FalloMuestra::Ninguno);
        tDatosDocumento d = documentoAleatorio(semilla, fallo == FalloMuestra::Duplicado ? 1 : i);
        if (fallo != FalloMuestra::Duplicado)
            d.fallo = fallo;
        const QString nombre = QStringLiteral("doc%1").arg(i, 3, 10, QChar(u'0'));
        if (!escribeDocumento(dir, nombre, d, ppp, fallosImagen.value(i, FalloImagen::Ninguno))) {
            std::fprintf(stderr, "No se pudo escribir %s\n", qPrintable(nombre));
            return 1;
        }
    }
    return 0;
}
