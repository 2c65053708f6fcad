#pragma once
// Cheque image files. Each cheque read by an image-taking reader has three
// files: "F" base ".tif" (front), "T" base ".tif" (back) and "F" base ".jpg"
// (front, shown on screen), where the image base name is the account, the four
// model digits and the seven cheque digits. Capture windows write them to the
// temporary folder under the sequence number instead of the base name.
//
// Base names come from read data. A file name that Windows could not hold
// (a path separator, ':', '*', '?', '"', '<', '>', '|', a control character,
// or over 255 characters) is refused here the way Windows would refuse it:
// the copy or rename fails, and nothing is written outside the image folders.

#include "Instalacion.h"
#include "Registros.h"

#include <QIODevice>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <functional>
#include <memory>

// One of the three files of a cheque: a prefix and an extension around the
// image base name (or a read's sequence number).
struct tFicheroImagen {
    QStringView prefijo;
    QStringView extension;

    // prefijo + base + extension, as it is.
    QString nombre(const QString& base) const;
    // The same in the folder, as rutaImagen gives it (empty if refused).
    QString ruta(const QString& carpeta, const QString& base) const;
};

// The names of a cheque's files, written here once.
namespace ImagenCheque {
inline constexpr QStringView PrefijoFrontal = u"F";
inline constexpr QStringView PrefijoTrasero = u"T";
inline constexpr QStringView ExtensionJpg = u".jpg";
inline constexpr QStringView ExtensionTif = u".tif";
inline constexpr tFicheroImagen FrontalJpg{PrefijoFrontal, ExtensionJpg}; // shown on screen
inline constexpr tFicheroImagen FrontalTif{PrefijoFrontal, ExtensionTif};
inline constexpr tFicheroImagen TraseroTif{PrefijoTrasero, ExtensionTif};
// All three, in the order a read's files are copied.
inline constexpr std::array<tFicheroImagen, 3> Todos{FrontalTif, TraseroTif, FrontalJpg};
} // namespace ImagenCheque

// Account + first 4 characters of the model number + first 7 of the number.
QString baseImagenTalon(const QString& cuenta, const QString& numeroModelo, const QString& numero);
QString baseImagenTalon(const tTalon& talon);

// True when Windows would accept the text as the name of a file.
bool esNombreFicheroValido(const QString& nombre);

// Path of prefijo + base + extension in the folder (the name alone when no
// folder is given); empty when that name is refused. The extension is given
// with its dot, in lower case (".tif").
QString rutaImagen(const QString& carpeta, const QString& prefijo, const QString& base,
                   const QString& extension);

// Path of the front JPEG in the folder ("F" base ".jpg"); empty if refused.
QString rutaImagenFrontal(const QString& carpeta, const QString& base);

// The names of the plain files in the folder, read in one listing: cheaper
// than asking the disk about each of thousands of images.
QSet<QString> ficherosEnCarpeta(const QString& carpeta);

// Copies the file in blocks of 8192 bytes: 0 when copied, -1 when not. An
// existing destination is overwritten; the source is never changed (a copy
// onto itself is refused).
int copiaFichero(const QString& origen, const QString& destino);

// Deletes the file if it exists; nothing is reported.
void borraFichero(const QString& ruta);

// Deletes every plain file of the folder; subfolders and hidden files stay.
void vaciaCarpeta(const QString& carpeta);

// Reader types of the scanner settings. Their values are the codes config.ini
// keeps (Tipo=) and the settings window's choices, so they read and compare
// as those integers.
namespace TipoLector {
enum Tipo : int {
    SeacBanche = 1,
    Excella = 2,
    ExcellaSTX = 3,
    Teclado = 4,
    VisionX = 5,
};
} // namespace TipoLector

// Opens, unopened, the device that a copy writes to. The program writes to
// the disk; tests hand one that fails as a full disk or a read-only folder
// does.
using tAbreDestino = std::function<std::unique_ptr<QIODevice>(const QString& ruta)>;

// What became of the images of a read cheque.
struct tCopiaLeidas {
    enum class Resultado {
        Copiadas,   // all three in the image folder (or a reader without images)
        Faltan,     // an image did not arrive or its name is refused: the read
                    // can never be stored with them
        NoCopiadas, // the disk refused them: the same copy may work later
    };
    Resultado resultado = Resultado::Copiadas;
    // NoCopiadas: the folder that could not be written (or read) and why, in
    // Spanish, followed by the system's own text.
    QString carpeta;
    QString causa;
};

// Puts the images of a read cheque in place: for readers with images, copies
// the temporary F<n>.tif, T<n>.tif and F<n>.jpg to the image folder under the
// base name, in that order, stopping at the first failure (the files copied
// before it stay). Each file is written beside its final name and then
// renamed over it, so a copy that fails half-way never leaves a cut file nor
// spoils an image of that name already there. The keyboard reader has no
// images: Copiadas without copying. `abre`: the device of each written file
// (the disk when empty).
tCopiaLeidas copiaImagenesLectura(const tDirectorios& dirs, const QString& secuencia,
                                  const QString& base, TipoLector::Tipo tipoLector,
                                  const tAbreDestino& abre = {});
// The same, true when copied.
bool copiaImagenesLeidas(const tDirectorios& dirs, const QString& secuencia, const QString& base,
                         TipoLector::Tipo tipoLector);

// The temporary image names of a sequence number: F<n>.jpg, F<n>.tif, T<n>.tif.
QStringList nombresImagenesLeidas(const QString& secuencia);

// Deletes every plain file of the temporary image folder except the images
// of the sequence numbers that are still wanted.
void vaciaImagenesLeidasSalvo(const QString& carpeta, const QStringList& secuencias);

// Gives the temporary images of sequence number `de` the number `a`,
// replacing what had that number; true when the three were renamed.
bool renumeraImagenesLeidas(const QString& carpeta, const QString& de, const QString& a);

// Deletes the three files of a cheque filed under `base` in the folder;
// missing ones are skipped.
void borraImagenesTalon(const QString& carpeta, const QString& base);

// Renames the three files of a cheque in the image folder; each rename that
// fails is skipped and the others are still tried.
void renombraImagenesTalon(const tDirectorios& dirs, const QString& baseAnterior,
                           const QString& baseNueva);

// Renames a file, replacing the destination; true when done. Tests give one
// that fails, as a rename across volumes does.
using tRenombrado = std::function<bool(const QString& origen, const QString& destino)>;

// The file system's rename, replacing an existing destination (atomic on one
// volume). False when it fails, across volumes too.
bool renombraReemplazando(const QString& origen, const QString& destino);

// Moves a file, replacing the destination. A rename first (`renombra`, or the
// file system's when empty): on one volume the file is never in two places
// nor in none. Where the rename fails (another volume), the file is copied,
// the copy read back and compared, and only then is the source deleted.
// False when the file stays where it was.
bool mueveFichero(const QString& origen, const QString& destino, const tRenombrado& renombra = {});

// Moves the images of an emitted cheque from the image folder to the history
// folder, the front TIFF last; the emission's archive reads that one from
// there. Missing files are no error, and a move that fails leaves its file
// in the image folder. Running it again after it was cut off finishes the
// move. `trasPrimera`, when set, is called after the first move (fault tests
// stop there). Answers where the front TIFF now is (the history folder, or
// the image folder when it could not be moved), or "" when it is nowhere.
QString archivaImagenesTalon(const tDirectorios& dirs, const QString& cuenta,
                             const QString& numeroModelo, const QString& numero,
                             const std::function<void()>& trasPrimera = {},
                             const tRenombrado& renombra = {});
