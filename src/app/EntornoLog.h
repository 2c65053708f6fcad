#pragma once
// What the diagnostic log records about the machine and the run, computed
// once while the program loads, before any window exists.

#include <QLocale>
#include <QString>
#include <QStringList>

// A component whose version the log reports (help control, web browser).
struct tComponenteLog {
    bool instalado = false;
    QString version;
    QString versionAmigable;
};

struct tEntornoLog {
    QString rutaModulo;     // full path of the running executable
    QString nombreModulo;   // its file name
    QString dirModulo;      // its folder, without trailing separator
    QString dirEjecucion;   // folder of the first argument, without trailing separator
    QStringList argumentos; // as the program received them, the program path first
    QString lineaOrdenes;   // the complete command line
    QString dirTemporal;    // the system's temporary folder
    QString dirLog;         // where the log goes
    bool depuracion = false;
    QString versionModulo; // file version of the executable, four parts
    tComponenteLog ayudaHtml;
    tComponenteLog explorador;
};

// Operating-system facts of the log's header.
struct tSistemaLog {
    QString nombre;
    int versionMayor = 0;
    int versionMenor = 0;
    int compilacion = 0;
    QString paqueteServicio;
    int lcid = 0; // locale identifier: sublanguage << 10 | primary language
    QString separadorDecimal;
};

// dirTemporal: the system's temporary folder (a test passes its own).
tEntornoLog calculaEntornoLog(const QString& rutaModulo, const QStringList& argumentos,
                              const QString& dirTemporal);

// On when "debug.debug" is in the module folder or an argument after the
// program path is "/debug" or "-debug" in any letter case.
bool interruptorDepuracion(const QString& dirModulo, const QStringList& argumentos);

// The module folder when a file can be created and deleted there; otherwise
// the temporary folder, or the last resort when even that is missing.
QString eligeCarpetaLog(const QString& dirModulo, const QString& dirTemporal);

// The program's own file version ("4.4.3.0"); empty for a missing file.
QString versionFichero(const QString& ruta);

// The arguments joined back into one line, quoted where a blank, a tab or
// nothing would make them ambiguous.
QString lineaDeOrdenes(const QStringList& argumentos);

tSistemaLog sistemaLog();
// Locale identifier of a locale: the known languages and countries get
// their system number; the neutral locale 0x007F; any other its language
// with the default sublanguage, or 0x0000.
int lcidDeLocale(const QLocale& locale);
