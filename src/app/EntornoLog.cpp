#include "EntornoLog.h"

#include "VersionPrograma.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSysInfo>

namespace {
QString sinSeparadorFinal(QString dir) {
    while (dir.size() > 1 && (dir.endsWith(u'/') || dir.endsWith(u'\\')))
        dir.chop(1);
    return dir;
}

#ifdef Q_OS_WIN
const QString CarpetaUltimoRecurso = QStringLiteral("c:");
#else
const QString CarpetaUltimoRecurso = QStringLiteral("/");
#endif
} // namespace

bool interruptorDepuracion(const QString& dirModulo, const QStringList& argumentos) {
    if (QFileInfo::exists(QDir(dirModulo).filePath(QStringLiteral("debug.debug"))))
        return true;
    for (qsizetype i = 1; i < argumentos.size(); ++i)
        if (argumentos[i].compare(QLatin1String("/debug"), Qt::CaseInsensitive) == 0 ||
            argumentos[i].compare(QLatin1String("-debug"), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString eligeCarpetaLog(const QString& dirModulo, const QString& dirTemporal) {
    // Writable means a file can really be made there: the folder's
    // permission bits do not tell about read-only media or mounts.
    QFile prueba(QDir(dirModulo).filePath(QStringLiteral("$_Temp_$.$$$")));
    if (prueba.open(QIODevice::WriteOnly)) {
        prueba.close();
        if (prueba.remove())
            return sinSeparadorFinal(dirModulo);
    }
    if (QFileInfo(dirTemporal).isDir())
        return sinSeparadorFinal(dirTemporal);
    return CarpetaUltimoRecurso;
}

QString versionFichero(const QString& ruta) {
    if (!QFileInfo(ruta).isFile())
        return {};
    // A file version has four parts; the program's build part is 0.
    return QStringLiteral(TESKORA_VERSION ".0");
}

QString lineaDeOrdenes(const QStringList& argumentos) {
    QStringList partes;
    for (const QString& a : argumentos) {
        if (a.isEmpty() || a.contains(u' ') || a.contains(u'\t'))
            partes << u'"' + a + u'"';
        else
            partes << a;
    }
    return partes.join(u' ');
}

int lcidDeLocale(const QLocale& locale) {
    struct Conocido {
        QLocale::Language idioma;
        int primario;
    };
    static const Conocido idiomas[] = {
        {QLocale::Spanish, 0x0A}, {QLocale::English, 0x09},  {QLocale::Catalan, 0x03},
        {QLocale::Basque, 0x2D},  {QLocale::Galician, 0x56}, {QLocale::French, 0x0C},
        {QLocale::German, 0x07},  {QLocale::Italian, 0x10},  {QLocale::Portuguese, 0x16}};
    struct Variante {
        QLocale::Language idioma;
        QLocale::Territory pais;
        int lcid;
    };
    static const Variante variantes[] = {{QLocale::Spanish, QLocale::Spain, 0x0C0A},
                                         {QLocale::Spanish, QLocale::Mexico, 0x080A},
                                         {QLocale::Spanish, QLocale::Argentina, 0x2C0A},
                                         {QLocale::English, QLocale::UnitedKingdom, 0x0809},
                                         {QLocale::Portuguese, QLocale::Portugal, 0x0816}};
    if (locale.language() == QLocale::C)
        return 0x007F;
    for (const Variante& v : variantes)
        if (v.idioma == locale.language() && v.pais == locale.territory())
            return v.lcid;
    for (const Conocido& c : idiomas)
        if (c.idioma == locale.language())
            return (0x01 << 10) | c.primario;
    return 0x0000;
}

tSistemaLog sistemaLog() {
    tSistemaLog s;
    s.nombre = QSysInfo::prettyProductName();
    // The kernel's version carries the numbers: "10.0.19045", "6.1.0-18-amd64".
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^(\\d+)(?:\\.(\\d+))?(?:\\.(\\d+))?"))
            .match(QSysInfo::kernelVersion());
    s.versionMayor = m.captured(1).toInt();
    s.versionMenor = m.captured(2).toInt();
    s.compilacion = m.captured(3).toInt();
    s.paqueteServicio = QStringLiteral("No Service Pack");
    const QLocale sistema = QLocale::system();
    s.lcid = lcidDeLocale(sistema);
    s.separadorDecimal = sistema.decimalPoint();
    return s;
}

tEntornoLog calculaEntornoLog(const QString& rutaModulo, const QStringList& argumentos,
                              const QString& dirTemporal) {
    tEntornoLog e;
    const QFileInfo modulo(rutaModulo);
    e.rutaModulo = rutaModulo;
    e.nombreModulo = modulo.fileName();
    e.dirModulo = sinSeparadorFinal(modulo.absolutePath());
    e.argumentos = argumentos;
    e.dirEjecucion = sinSeparadorFinal(QFileInfo(argumentos.value(0)).absolutePath());
    e.lineaOrdenes = lineaDeOrdenes(argumentos);
    e.dirTemporal = sinSeparadorFinal(dirTemporal);
    e.dirLog = eligeCarpetaLog(e.dirModulo, e.dirTemporal);
    e.depuracion = interruptorDepuracion(e.dirModulo, argumentos);
    e.versionModulo = versionFichero(rutaModulo);
    // Neither the HTML Help control nor Internet Explorer exists on this
    // platform: both report as not installed, without versions.
    return e;
}
