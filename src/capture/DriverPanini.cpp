#include "DriverPanini.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QThread>

#ifdef Q_OS_WIN
#include <windows.h>

#include <shellapi.h>
#endif

namespace {

#ifdef Q_OS_WIN
QString expandeEntorno(const QString& ruta) {
    wchar_t buffer[260] = {};
    const DWORD n = ExpandEnvironmentStringsW(reinterpret_cast<LPCWSTR>(ruta.utf16()), buffer, 260);
    return n == 0 || n > 260 ? ruta : QString::fromWCharArray(buffer);
}

// The maker's script, elevated ("runas"), in a shown window; it runs on its
// own, so the installation is given four seconds.
QString ejecutaElevado(const QString& guion) {
    const auto r = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"runas",
                                                           reinterpret_cast<LPCWSTR>(guion.utf16()),
                                                           nullptr, nullptr, SW_SHOWNORMAL));
    if (r <= 32)
        return QStringLiteral("error %1").arg(r);
    QThread::msleep(4000);
    return QString();
}
#else
// pkexec asks for the password and runs the script as the super user; the
// window keeps painting while it waits.
QString ejecutaElevado(const QString& guion) {
    QProcess proceso;
    proceso.setProcessChannelMode(QProcess::MergedChannels);
    proceso.start(QStringLiteral("pkexec"), {guion});
    if (!proceso.waitForStarted())
        return proceso.error() == QProcess::FailedToStart
                   ? QStringLiteral("pkexec no está instalado en este equipo.")
                   : QStringLiteral("no se pudo iniciar pkexec (%1).").arg(proceso.errorString());
    while (!proceso.waitForFinished(100))
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (proceso.exitStatus() != QProcess::NormalExit)
        return QStringLiteral("la instalación se interrumpió.");
    const QString salida = QString::fromLocal8Bit(proceso.readAll()).trimmed();
    switch (proceso.exitCode()) {
    case 0:
        return QString();
    case 126: // the password dialog was dismissed
        return QStringLiteral("se canceló la petición de la contraseña de administrador.");
    case 127: // not authorised, or no agent to ask for the password
        return QStringLiteral("no se obtuvo permiso de administrador. %1").arg(salida).trimmed();
    default:
        return QStringLiteral("la instalación terminó con el código %1: %2")
            .arg(proceso.exitCode())
            .arg(salida);
    }
}
#endif

} // namespace

tDriverPanini driverPaniniDelSistema(const tInstalacion& instalacion) {
    tDriverPanini d;
#ifdef Q_OS_WIN
    Q_UNUSED(instalacion);
    d.instalado = expandeEntorno(QStringLiteral("%WINDIR%\\SysWOW64\\drivers\\PaniniUSB.sys"));
    d.guion64 = QStringLiteral("C:\\Program Files (x86)\\Teskora_CHK\\Drivers\\VisionX\\64-BIT\\"
                               "install_PaniniUSB_64.bat");
    d.guion32 = QStringLiteral("C:\\Program Files (x86)\\Teskora_CHK\\Drivers\\VisionX\\32-BIT\\"
                               "install_PaniniUSB_32.bat");
#else
    d.instalado = QStringLiteral("/etc/udev/rules.d/60-teskora-visionx.rules");
    d.guion64 = QDir(instalacion.dirs.Dir_Aplicacion)
                    .absoluteFilePath(QStringLiteral("instala_acceso_visionx.sh"));
    d.guion32 = d.guion64;
#endif
    d.ejecuta = ejecutaElevado;
    return d;
}
