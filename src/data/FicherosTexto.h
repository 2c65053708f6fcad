#pragma once
// Text files handed to the bank or the operator: each line ends in CR LF and
// every character is written as its single Windows-1252 byte ("?" for a
// character that code page lacks). A file is opened, written and closed by
// each call, so what was written is on disk before the next record.

#include <QIODevice>
#include <QString>
#include <QStringList>

#include <memory>

// Where the text files and the archive of an emission are written. The
// program writes to disk; a test hands the data module a destination whose
// devices fail (a disk that fills up after some bytes), so that every failure
// of the emission can be made to happen.
class IDestinoFicheros {
public:
    virtual ~IDestinoFicheros() = default;
    // A device, not yet opened, for the file at the path.
    virtual std::unique_ptr<QIODevice> dispositivo(const QString& ruta) const = 0;
};

// The files on disk. It holds no state.
const IDestinoFicheros& destinoDisco();

// The bytes of these lines as the text files hold them: Windows-1252, each
// line ended by CR LF. Throws TErrorOperacion without the code page.
QByteArray codificaLineas(const QStringList& lineas);

// Creates the file (replacing one of that name) with these lines, and puts
// them on the disk itself before it answers (one sync per file). Throws
// TErrorOperacion when it cannot be created or written; the file is then
// removed.
void creaFicheroTexto(const QString& ruta, const QStringList& lineas,
                      const IDestinoFicheros& destino = destinoDisco());

// Appends the lines to an existing file. A missing file is an error, not a
// new file: a record without the head written before it is never made.
// Throws TErrorOperacion when the file is missing or cannot be written; the
// file is then cut back to what it held before the call.
void anadeFicheroTexto(const QString& ruta, const QStringList& lineas,
                       const IDestinoFicheros& destino = destinoDisco());

// The text in Windows-1252, one byte per character ("?" for a character that
// code page lacks). Throws TErrorOperacion when the code page is missing.
QByteArray textoCp1252(const QString& texto);
