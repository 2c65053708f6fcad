#pragma once
// A profile (INI) file read and written the way Windows' profile functions
// do, for "config.ini" and any other settings file of the program.
//
// - Section and key names match without regard to case ("impresion" is the
//   key "Impresion"); when a name appears twice, the first value counts.
// - A value is the rest of its line after the first "=", blanks trimmed and
//   one pair of enclosing double quotes removed; commas, semicolons and
//   backslashes inside it are part of it.
// - Integers are read as Windows reads them: an optional sign and the digits
//   that follow ("12 s" is 12); a value without digits does not read.
// - The file is UTF-8 (with or without its mark) or, when it is not valid
//   UTF-8, Windows-1252; it is written back in the encoding it was read in
//   (a new file in UTF-8), with CR LF line ends.
// - Writing keeps the other sections, the other keys and the comment lines;
//   it goes to a temporary file that replaces the old one only when complete,
//   so a failed write leaves the old file whole.
// - A missing or unreadable file reads as empty: every value takes its default.

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

    // The value of a key; nullopt when the section or the key is missing.
    std::optional<QString> valor(const QString& seccion, const QString& clave) const;
    QString texto(const QString& seccion, const QString& clave, const QString& porDefecto) const;
    // The default when the key is missing or holds no integer.
    int entero(const QString& seccion, const QString& clave, int porDefecto) const;
    // Any non-zero integer is true; the default when no integer reads.
    bool booleano(const QString& seccion, const QString& clave, bool porDefecto) const;

    // Changes are kept in memory until guarda().
    void fija(const QString& seccion, const QString& clave, const QString& valor);
    void fijaEntero(const QString& seccion, const QString& clave, int valor);
    // Written as 1 or 0.
    void fijaBooleano(const QString& seccion, const QString& clave, bool valor);

    // Writes the whole file. On failure answers false and puts in `error` a
    // Spanish text naming the file and the reason; the old file stays whole.
    bool guarda(QString& error) const;

    // Windows' reading of an integer value (see above); nullopt without digits
    // or when the number does not fit.
    static std::optional<int> leeEntero(const QString& valor);

private:
    struct Datos;
    QString ruta_;
    std::unique_ptr<Datos> d_;
};
