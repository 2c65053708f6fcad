#include "SesionGrafica.h"

namespace {

// The platform chosen on the command line or in the environment, if any:
// the plugin's name without its options ("xcb:option" gives "xcb").
QString plataformaElegida(const QStringList& argumentos, const QProcessEnvironment& entorno) {
    QString plataforma;
    const int i = argumentos.indexOf(QStringLiteral("-platform"));
    if (i >= 0 && i + 1 < argumentos.size())
        plataforma = argumentos.at(i + 1);
    else
        plataforma = entorno.value(QStringLiteral("QT_QPA_PLATFORM"));
    return plataforma.section(u':', 0, 0).section(u';', 0, 0).trimmed();
}

bool definida(const QProcessEnvironment& entorno, const QString& variable) {
    return !entorno.value(variable).trimmed().isEmpty();
}

} // namespace

QString mensajeSinSesionGrafica(const QString& programa, const QStringList& argumentos,
                                const QProcessEnvironment& entorno) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QString plataforma = plataformaElegida(argumentos, entorno);
    const bool x11 = definida(entorno, QStringLiteral("DISPLAY"));
    const bool wayland = definida(entorno, QStringLiteral("WAYLAND_DISPLAY"));
    bool puede = false;
    if (plataforma.isEmpty())
        puede = x11 || wayland;
    else if (plataforma == u"xcb")
        puede = x11;
    else if (plataforma.startsWith(u"wayland"))
        puede = wayland;
    else
        puede = true; // offscreen, vnc, eglfs...: they need no session
    if (puede)
        return {};
    return QStringLiteral(
               "Teskora_CHK necesita una sesión gráfica (un escritorio) para mostrar sus "
               "ventanas y no encuentra ninguna: la variable DISPLAY (o WAYLAND_DISPLAY) no "
               "está definida.\n"
               "Arránquelo desde el escritorio o desde un terminal abierto en él. Para "
               "probarlo sin pantalla:\n"
               "  xvfb-run -a %1   (pantalla virtual, paquete xvfb)\n"
               "  QT_QPA_PLATFORM=offscreen %1   (sin ventanas visibles)\n")
        .arg(programa);
#else
    Q_UNUSED(programa);
    Q_UNUSED(argumentos);
    Q_UNUSED(entorno);
    return {};
#endif
}
