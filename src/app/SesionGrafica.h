#pragma once
// Whether the program can open its windows. On Linux, without a graphical
// session Qt's default platform plugin cannot start and aborts with an
// English message about reinstalling the application; the program looks
// first and says in Spanish what is missing instead.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Exit code of the program when there is no graphical session.
inline constexpr int SalidaSinSesionGrafica = 2;

// Empty when the program can start: a display is set (DISPLAY or
// WAYLAND_DISPLAY), or the platform is chosen explicitly (QT_QPA_PLATFORM or
// "-platform" on the command line) as one that needs none. Otherwise the
// Spanish text that explains it, with how to try the program without a
// screen. `programa` is the command the operator ran.
QString mensajeSinSesionGrafica(const QString& programa, const QStringList& argumentos,
                                const QProcessEnvironment& entorno);
