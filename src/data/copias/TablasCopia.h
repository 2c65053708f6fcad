#pragma once
// The tables of a backup copy: copying one consistently, telling whether it
// changed since the last copy, and checking one before it is restored.

#include <QString>

struct tDefinicionTabla;

// What identifies a table file's contents without reading it: the engine's
// change counter (kept in the file header, raised by every commit), the size
// and the date. Empty when the file is no table file.
QString huellaTabla(const QString& ruta);

// Copies the table file `origen` to `destino` (which must not exist) with the
// engine, in one read transaction. A file the engine finds damaged is copied
// byte for byte instead, and the answer is false: the copy holds it as it
// was, for support, and will not pass its check. Throws TErrorOperacion when
// the copy cannot be written.
bool copiaTabla(const QString& origen, const QString& destino);

// Takes an unchanged table from an earlier copy: a hard link when the file
// system has them (no space, no time), else a copy of the file.
void reutilizaTabla(const QString& anterior, const QString& destino);

// Empty when the file holds `def` with all its columns and passes the
// engine's check (full or quick); otherwise what is wrong, in Spanish. The
// file is opened read-only.
QString problemaTablaCopia(const QString& ruta, const tDefinicionTabla& def, bool completa);

// The rows of the file's table; 0 when it cannot be read.
int filasTabla(const QString& ruta, const QString& tabla);
