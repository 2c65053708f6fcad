#pragma once
// ZIP archives (standard format, Deflate through zlib) made with libzip.

#include <QString>

#include <functional>

// Creates the archive (replacing one of that name) with every plain file of
// the folder, each stored under its own name and compressed with Deflate.
// Throws TErrorOperacion when the archive cannot be made. `progreso`, when
// set, is called while the archive is being written (fault tests stop there).
void comprimeCarpetaZip(const QString& rutaZip, const QString& carpeta,
                        const std::function<void()>& progreso = {});
