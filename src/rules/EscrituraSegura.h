#pragma once
// Writing a file whole or not at all.
//
// The bytes go to a temporary file beside the target. Before that file takes
// the target's place, every write and the flush are checked, the data are
// forced to the disk (a full disk is often only reported there) and the size
// on disk is compared with the size meant. On any failure the temporary file
// is removed and the old file, if there was one, stays as it was: a full or
// read-only disk is reported, never taken for success, and never leaves an
// empty or cut file behind.

#include <QByteArray>
#include <QString>

#include <optional>

// Replaces the file at `ruta` (or creates it) with exactly `bytes`. Answers
// nullopt when it did; otherwise what went wrong, in Spanish with the
// system's own words for support, without the path: the caller's message
// names the file.
[[nodiscard]] std::optional<QString> escribeFicheroEntero(const QString& ruta,
                                                          const QByteArray& bytes);
