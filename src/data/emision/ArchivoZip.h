#pragma once
// ZIP archives (standard format, Deflate through zlib) made with libzip.

#include "FicherosTexto.h"

#include <QString>
#include <QStringList>

#include <functional>

// Creates the archive (replacing one of that name) with every plain file of
// the folder and the files of `otros` (read from where they are), each stored
// under its own file name, in name order, and compressed with Deflate; of two
// files with one name, the one of `otros` is stored.
// Throws TErrorOperacion when the archive cannot be made; no part of it is
// left behind then. `progreso`, when set, is called while the archive is
// being written (fault tests stop there). On disk libzip writes the archive
// beside its place and renames it at the end; for any other destination it
// is made in a temporary folder and then written to the destination's device.
void comprimeCarpetaZip(const QString& rutaZip, const QString& carpeta,
                        const std::function<void()>& progreso = {},
                        const IDestinoFicheros& destino = destinoDisco(),
                        const QStringList& otros = {});
