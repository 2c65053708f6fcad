#pragma once
// Texts that the capture windows and the scanner check show, as the operator
// reads them.

#include <QString>
#include <QStringList>

namespace TextosCaptura {

// --- Save --------------------------------------------------------------
// "Se leyeron: n cheques. Revise si se leyeron todos." ("leyeros" in the
// keyboard and Excella windows).
QString todosSalvados(int buenos, bool leyeros);
// One or more lines not stored. The long form tells the operator that they
// stay on screen until [Limpiar]; the short form stops after
// "lectura incompleta." for the windows that empty their list.
QString noSalvados(int invalidos, bool largo);

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
extern const QString MensajeSinSeacBanche;
extern const QString MensajeSinVisionX;
inline const QString PrefijoProblema = QStringLiteral("Se ha producido un problema: ");

} // namespace TextosCaptura
