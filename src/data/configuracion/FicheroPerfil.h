#pragma once
// A profile (INI) file read and written the way Windows' profile functions
// do, for "config.ini" and any other settings file of the program.
//
// - The file is a list of lines, ended by CR LF, LF or CR alone: a section
//   line "[name]" (the name ends at the first "]" of its line; a line without
//   it is no section), a key line "name=value", a comment line (first
//   non-blank character ";" or "#"), a blank line, or any other line.
// - Section and key names match without regard to case ("impresion" is the
//   key "Impresion"); when a name appears twice, the first value counts.
// - A value is the rest of its line after the first "=", blanks (form feeds
//   included) trimmed and one pair of enclosing double quotes removed; commas,
//   semicolons and backslashes inside it are part of it. A value written with
//   blanks at an end, or between quotes of its own, is written between quotes
//   so that it reads back as it was.
// - Integers are read as Windows reads them: an optional sign and the digits
//   that follow ("12 s" is 12); a value without digits does not read.
// - The file is UTF-16 or UTF-8 with their marks, UTF-8 without it, or, when
//   it is not valid UTF-8, Windows-1252; it is written back in the encoding
//   it was read in (a new file in UTF-8), with CR LF line ends. The one
//   exception: Windows-1252 text whose bytes would read as other UTF-8 text is
//   written in UTF-8, so that every value reads back as it was.
// - A file that cannot be read as one (no text in its encoding, NUL
//   characters, not openable) reads as empty and says why in problema(); it
//   is replaced only when the caller saves.
// - Writing changes only the lines of the keys set (the first one of each
//   key is replaced, its repetitions removed, a new key goes after the last
//   entry of its section, a new section at the end) and keeps every other
//   line as it was. It goes through a temporary file that replaces the old
//   one only when written whole (EscrituraSegura.h): a failed write, a full
//   disk included, leaves the old file as it was.
// - A missing file reads as empty: every value takes its default.

#include <QString>

#include <memory>
#include <optional>

class TFicheroPerfil {
public:
    explicit TFicheroPerfil(const QString& ruta);
    ~TFicheroPerfil();
    TFicheroPerfil(const TFicheroPerfil&) = delete;
    TFicheroPerfil& operator=(const TFicheroPerfil&) = delete;

    const QString& ruta() const { return ruta_; }
    // Empty when the file reads as a profile file or does not exist;
    // otherwise a Spanish text naming the file and saying why it cannot be read.
    const QString& problema() const;

    // The value of a key; nullopt when the section or the key is missing.
    std::optional<QString> valor(const QString& seccion, const QString& clave) const;
    QString texto(const QString& seccion, const QString& clave, const QString& porDefecto) const;
    // The default when the key is missing or holds no integer.
    int entero(const QString& seccion, const QString& clave, int porDefecto) const;
    // Any non-zero integer is true; the default when no integer reads.
    bool booleano(const QString& seccion, const QString& clave, bool porDefecto) const;

    // Changes are kept in memory until guarda(). A name that the file could
    // not hold, or a value holding a line break or a NUL character (it would
    // split its line), is refused: guarda() then fails and says so.
    void fija(const QString& seccion, const QString& clave, const QString& valor);
    void fijaEntero(const QString& seccion, const QString& clave, int valor);
    // Written as 1 or 0.
    void fijaBooleano(const QString& seccion, const QString& clave, bool valor);

    // Writes the whole file. On failure throws TErrorOperacion with a Spanish
    // text naming the file and the reason; the old file stays as it was.
    void guarda() const;

    // Windows' reading of an integer value (see above); nullopt without digits
    // or when the number does not fit.
    static std::optional<int> leeEntero(const QString& valor);

private:
    struct Datos;
    QString ruta_;
    std::unique_ptr<Datos> d_;
};
