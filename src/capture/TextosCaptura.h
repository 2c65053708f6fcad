#pragma once
// Texts that the capture windows and the scanner check show, as the operator
// reads them.

#include "ResultadoLectura.h"

#include <QString>
#include <QStringList>

struct tInstalacion;

namespace TextosCaptura {

// --- Save --------------------------------------------------------------
// "Se leyeron: n cheques. Revise si se leyeron todos." The keyboard and
// Excella windows say "Revise si se leyeros todos.": that misspelling is
// their own text, kept on purpose as operators know it, not a typo to mend.
QString todosSalvados(int buenos, bool leyeros);
// One or more lines not stored. The long form tells the operator that they
// stay on screen until [Limpiar]; the short form stops after
// "lectura incompleta." for the windows that empty their list.
QString noSalvados(int invalidos, bool largo);
// A read line as the operator finds it on paper: "Nº " and its sequence
// number, then its codeline without the good-read mark, unreadable or
// unprintable characters as "?", cut when it is too long to read.
QString nombraLinea(const tLineaNoGuardada& linea);
// What Save says when lines were not stored, one paragraph per reason, each
// naming its lines: reads that must pass through the reader again (the
// "lectura incompleta" text, long or short as above), images that the disk
// refused (the folder and why) and lines a table could not take; the last
// two stay in the list for another Save.
QString noSalvados(const tResultadoLectura& resultado, bool largo);

// --- Reading state --------------------------------------------------------
// The state line of a reader that feeds documents on its own.
inline const QString TextoLeyendo = QStringLiteral("Leyendo cheques...");
QString documentosLeidos(int documentos);

// --- Clear and Exit ------------------------------------------------------
inline const QString PreguntaLimpiar =
    QStringLiteral("Se eliminarán todos los cheques de la lista.¿Desea continuar?");
inline const QString PreguntaSalir =
    QStringLiteral("Quedan cheques sin salvar, si continúa se perderán. ¿Desea continuar?");
inline const QString BotonContinuar = QStringLiteral("Continuar");
inline const QString BotonVolver = QStringLiteral("Volver");
inline const QString CabeceraAtencion = QStringLiteral("Atención");

// --- Help -----------------------------------------------------------------
// The help of the readers fed from a hopper with "&Desatascar", "&Parar" and
// "&Reiniciar" (Seac Banche and Vision X), one line per item.
QStringList ayudaTolva();

// --- Scanner check ------------------------------------------------------
// What to do when no reader answers: the Windows texts on Windows; elsewhere
// where the library is looked for (config.ini, section LECTORES, and the
// installation folder) and, for the Vision X, the access rule and how the
// driver window installs it.
QString mensajeSinSeacBanche(const tInstalacion& instalacion);
QString mensajeSinVisionX(const tInstalacion& instalacion);
inline const QString PrefijoProblema = QStringLiteral("Se ha producido un problema: ");

} // namespace TextosCaptura
