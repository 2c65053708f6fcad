#include "ArchivoZip.h"

#include "ErrorOperacion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <map>

#include <zip.h>

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

} // namespace

void comprimeCarpetaZip(const QString& rutaZip, const QString& carpeta,
                        const std::function<void()>& progreso, const QStringList& otros) {
    int codigo = 0;
    zip_t* zip =
        zip_open(QFile::encodeName(rutaZip).constData(), ZIP_CREATE | ZIP_TRUNCATE, &codigo);
    if (!zip) {
        zip_error_t error;
        zip_error_init_with_code(&error, codigo);
        const QString motivo = QString::fromLocal8Bit(zip_error_strerror(&error));
        zip_error_fini(&error);
        falla(rutaZip, motivo);
    }
    // Entry name -> file, in name order.
    std::map<QString, QString> ficheros;
    const QDir dir(carpeta);
    for (const QString& nombre : dir.entryList(QDir::Files, QDir::Name))
        ficheros[nombre] = dir.filePath(nombre);
    for (const QString& ruta : otros)
        ficheros[QFileInfo(ruta).fileName()] = ruta;
    for (const auto& [nombre, ruta] : ficheros) {
        // libzip reads the file when the archive is closed.
        zip_source_t* origen = zip_source_file(zip, QFile::encodeName(ruta).constData(), 0, -1);
        if (!origen) {
            const QString motivo = textoError(zip);
            zip_discard(zip);
            falla(rutaZip, motivo);
        }
        const zip_int64_t indice =
            zip_file_add(zip, nombre.toUtf8().constData(), origen, ZIP_FL_ENC_GUESS);
        if (indice < 0 || zip_set_file_compression(zip, static_cast<zip_uint64_t>(indice),
                                                   ZIP_CM_DEFLATE, 0) != 0) {
            const QString motivo = textoError(zip);
            if (indice < 0)
                zip_source_free(origen);
            zip_discard(zip);
            falla(rutaZip, motivo);
        }
    }
    if (progreso)
        zip_register_progress_callback_with_state(
            zip, 0.01, avisaProgreso, nullptr,
            const_cast<void*>(static_cast<const void*>(&progreso)));
    if (zip_close(zip) != 0) {
        const QString motivo = textoError(zip);
        zip_discard(zip);
        falla(rutaZip, motivo);
    }
}
