#include "ArchivoZip.h"

#include "ErrorOperacion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <zip.h>

#include <map>

namespace {

[[noreturn]] void falla(const QString& rutaZip, const QString& motivo) {
    throw TErrorOperacion(
        QStringLiteral("No se pudo crear el archivo %1: %2").arg(rutaZip, motivo));
}

void avisaProgreso(zip_t*, double, void* progreso) {
    (*static_cast<const std::function<void()>*>(progreso))();
}

QString textoError(zip_t* zip) {
    return QString::fromLocal8Bit(zip_strerror(zip));
}

// Makes the archive at `rutaZip` with libzip; messages name `nombre`, the
// archive's place for the operator.
void creaZip(const QString& rutaZip, const QString& nombre, const QString& carpeta,
             const std::function<void()>& progreso, const QStringList& otros) {
    int codigo = 0;
    zip_t* zip =
        zip_open(QFile::encodeName(rutaZip).constData(), ZIP_CREATE | ZIP_TRUNCATE, &codigo);
    if (!zip) {
        zip_error_t error;
        zip_error_init_with_code(&error, codigo);
        const QString motivo = QString::fromLocal8Bit(zip_error_strerror(&error));
        zip_error_fini(&error);
        falla(nombre, motivo);
    }
    // Entry name -> file, in name order.
    std::map<QString, QString> ficheros;
    const QDir dir(carpeta);
    for (const QString& entrada : dir.entryList(QDir::Files, QDir::Name))
        ficheros[entrada] = dir.filePath(entrada);
    for (const QString& ruta : otros)
        ficheros[QFileInfo(ruta).fileName()] = ruta;
    for (const auto& [entrada, ruta] : ficheros) {
        // libzip reads the file when the archive is closed.
        zip_source_t* origen = zip_source_file(zip, QFile::encodeName(ruta).constData(), 0, -1);
        if (!origen) {
            const QString motivo = textoError(zip);
            zip_discard(zip);
            falla(nombre, motivo);
        }
        const zip_int64_t indice =
            zip_file_add(zip, entrada.toUtf8().constData(), origen, ZIP_FL_ENC_GUESS);
        if (indice < 0 || zip_set_file_compression(zip, static_cast<zip_uint64_t>(indice),
                                                   ZIP_CM_DEFLATE, 0) != 0) {
            const QString motivo = textoError(zip);
            if (indice < 0)
                zip_source_free(origen);
            zip_discard(zip);
            falla(nombre, motivo);
        }
    }
    if (progreso)
        zip_register_progress_callback_with_state(
            zip, 0.01, avisaProgreso, nullptr,
            const_cast<void*>(static_cast<const void*>(&progreso)));
    if (zip_close(zip) != 0) {
        const QString motivo = textoError(zip);
        zip_discard(zip);
        falla(nombre, motivo);
    }
}

// Writes the archive made at `origen` to the destination's device.
void escribeEnDestino(const QString& origen, const QString& rutaZip,
                      const IDestinoFicheros& destino) {
    QFile zip(origen);
    const std::unique_ptr<QIODevice> f = destino.dispositivo(rutaZip);
    const bool abierto = zip.open(QIODevice::ReadOnly) && f->open(QIODevice::WriteOnly);
    bool escrito = abierto;
    while (escrito && !zip.atEnd()) {
        const QByteArray bloque = zip.read(64 * 1024);
        escrito = !bloque.isEmpty() && f->write(bloque) == bloque.size();
    }
    const QString motivo = !zip.errorString().isEmpty() && zip.error() != QFileDevice::NoError
                               ? zip.errorString()
                               : f->errorString();
    f->close();
    if (!escrito) {
        QFile::remove(rutaZip);
        falla(rutaZip, motivo);
    }
}

} // namespace

void comprimeCarpetaZip(const QString& rutaZip, const QString& carpeta,
                        const std::function<void()>& progreso, const IDestinoFicheros& destino,
                        const QStringList& otros) {
    if (&destino == &destinoDisco()) {
        creaZip(rutaZip, rutaZip, carpeta, progreso, otros);
        return;
    }
    const QTemporaryDir temporal;
    if (!temporal.isValid())
        falla(rutaZip, temporal.errorString());
    const QString origen = temporal.filePath(QStringLiteral("archivo.zip"));
    creaZip(origen, rutaZip, carpeta, progreso, otros);
    escribeEnDestino(origen, rutaZip, destino);
}
