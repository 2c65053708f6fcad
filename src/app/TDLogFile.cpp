#include "TDLogFile.h"

#include "CajaMensajes.h"
#include "EstadoPrograma.h"
#include "FicherosTexto.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QUrl>

namespace {
const QString EtiquetasCabecera[] = {
    QStringLiteral("="),
    QStringLiteral("!Log File:             %s"),
    QStringLiteral("!Date:                 %s"),
    QStringLiteral("!Operating System:      %s %d.%d (Build %d) %s"),
    QStringLiteral("!SysLocale.DefaultLCID: %s (%s)"),
    QStringLiteral("!SysLocale.PriLangID:   %s (%s)"),
    QStringLiteral("!SysLocale.SubLangID:   %s (%s)"),
    QStringLiteral("!DecimalSeparator:      %s"),
    QStringLiteral("-"),
    QStringLiteral("!EXE Path =          %s"),
    QStringLiteral("!EXE Version =       %s"),
    QStringLiteral("!Cmdline Param(s) =  %s"),
    QStringLiteral("!Actual CmdLine =  %s"),
    QStringLiteral("!_RunDir =           %s"),
    QStringLiteral("!_ModuleName =       %s"),
    QStringLiteral("!_ModuleDir =        %s"),
    QStringLiteral("!_ModulePath =        %s"),
    QStringLiteral("!Module Version =       %s"),
    QStringLiteral("-"),
    QStringLiteral("!_hhInstalled =      %s"),
    QStringLiteral("!_hhVerStr =         %s"),
    QStringLiteral("!_hhFriendlyVerStr = %s"),
    QStringLiteral("-"),
    QStringLiteral("!_ieInstalled =      %s"),
    QStringLiteral("!_ieVerStr =         %s"),
    QStringLiteral("!_ieFriendlyVerStr = %s"),
    QStringLiteral("="),
};

// The first value of a header line comes after a tab.
QString tab(const QString& valor) {
    return u'\t' + valor;
}

QString siNo(bool valor) {
    return valor ? QStringLiteral("YES") : QStringLiteral("NO");
}

QString hex4(int n) {
    return QStringLiteral("0x%1").arg(n, 4, 16, QChar(u'0')).toUpper().replace(u'X', u'x');
}

bool carpetaEscribible(const QString& dir) {
    const QFileInfo info(dir);
    return info.isDir() && info.isWritable();
}
} // namespace

TDLogFile::TDLogFile(const tEntornoLog& entorno)
    : TDLogFile(entorno, QString(), entorno.depuracion, true, true, false) {}

TDLogFile::TDLogFile(const tEntornoLog& entorno, const QString& aFilename, bool aDebugMode,
                     bool aTimeStamp, bool aHeaderDump, bool aAppendMode)
    : entorno_(entorno) {
    QString fichero =
        aFilename.isEmpty() ? QDir(entorno_.dirLog).filePath(NombreFichero) : aFilename;
    const QFileInfo info(fichero);
    if (!carpetaEscribible(info.absolutePath()))
        fichero = QDir(entorno_.dirTemporal).filePath(info.fileName());
    Filename = fichero;
    DebugMode = aDebugMode;
    TimeStamp = aTimeStamp;
    HeaderDump = aHeaderDump;
    AppendMode = aAppendMode;
    abreConManejador = [](const QString& f) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(f));
    };
    // A read-only log of an earlier run can still be replaced.
    if (QFileInfo(Filename).isFile())
        QFile::setPermissions(Filename, QFile::permissions(Filename) | QFileDevice::WriteOwner |
                                            QFileDevice::WriteUser);
    Reset();
}

void TDLogFile::Reset() {
    if (!AppendMode && QFileInfo(Filename).isFile())
        QFile::remove(Filename);
    if (!DebugMode || !HeaderDump)
        return;
    const QDateTime ahora = QDateTime::currentDateTime();
    const QLocale local = QLocale::system();
    const QString fecha = local.toString(ahora.date(), QLocale::ShortFormat) + u' ' +
                          local.toString(ahora.time(), QLocale::LongFormat);
    for (const QString& linea : cabecera(entorno_, sistemaLog(), Filename, fecha))
        DebugOut(linea);
}

QString TDLogFile::formatea(const QString& msgStr, const QVariantList& Args) {
    if (Args.isEmpty())
        return msgStr;
    QString r;
    qsizetype siguiente = 0;
    for (qsizetype i = 0; i < msgStr.size(); ++i) {
        const QChar c = msgStr.at(i);
        if (c == u'%' && i + 1 < msgStr.size()) {
            const QChar tipo = msgStr.at(i + 1);
            if (tipo == u'%') {
                r += u'%';
                ++i;
                continue;
            }
            if ((tipo == u's' || tipo == u'd') && siguiente < Args.size()) {
                r += Args.at(siguiente++).toString();
                ++i;
                continue;
            }
        }
        r += c;
    }
    return r;
}

QString TDLogFile::lineaDeLog(const QString& texto, bool timeStamp, const QString& hora) {
    QString t = texto;
    if (t == QLatin1String("-"))
        t = QString(80, u'-');
    else if (t == QLatin1String("="))
        t = QString(80, u'=');
    if (t.startsWith(u'!') || t.startsWith(u'-') || t.startsWith(u'='))
        return t.mid(1);
    return timeStamp ? hora + QStringLiteral("   ") + t : t;
}

void TDLogFile::DebugOut(const QString& msgStr, const QVariantList& Args) noexcept {
    // The log must never stop the program: whatever goes wrong, the line is lost.
    try {
        const QString hora = QLocale::system().toString(QTime::currentTime(), QLocale::LongFormat);
        const QByteArray bytes =
            codificaLineas({lineaDeLog(formatea(msgStr, Args), TimeStamp, hora)});
        QFile f(Filename);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
            return;
        f.write(bytes);
        f.flush();
        f.close();
    } catch (...) {
    }
}

void TDLogFile::escribeLineas(const QList<tLineaDiagnostico>& lineas) noexcept {
    if (!DebugMode)
        return;
    try {
        QStringList texto;
        for (const tLineaDiagnostico& l : lineas)
            texto << lineaDeLog(l.texto, TimeStamp,
                                QLocale::system().toString(l.hora, QLocale::LongFormat));
        const QByteArray bytes = codificaLineas(texto);
        QFile f(Filename);
        if (f.open(QIODevice::WriteOnly | QIODevice::Append))
            f.write(bytes);
    } catch (...) {
    }
}

void TDLogFile::DebugOut2(const QString& msgStr, const QVariantList& Args) noexcept {
    if (DebugMode)
        DebugOut(msgStr, Args);
}

void TDLogFile::ReportError(const QString& errStr, const QVariantList& Args) {
    const QString texto = formatea(errStr, Args);
    muestraCaja(texto, true);
    if (DebugMode)
        DebugOut(texto);
}

void TDLogFile::Show() {
    if (!QFileInfo(Filename).isFile()) {
        muestraCaja(QStringLiteral("No existe el fichero de diagnóstico\r%1\rDiagnóstico "
                                   "activado = %2")
                        .arg(Filename)
                        .arg(DebugMode ? 1 : 0),
                    false);
        return;
    }
    if (abreConManejador && abreConManejador(Filename))
        return;
    // The platform tells only that the opening failed, not why.
    ReportError(QStringLiteral("No se pudo abrir el fichero de diagnóstico %s con el programa "
                               "asociado a él"),
                {Filename});
}

void TDLogFile::muestraCaja(const QString& texto, bool aviso) const {
    // Before the program's state exists the boxes are simply shown.
    const tEstadoPrograma sinPrograma;
    const CajaMensajes cajas(estado ? *estado : sinPrograma, nullptr);
    if (aviso)
        cajas.muestraAviso(texto);
    else
        cajas.muestraMensaje(texto);
}

void TDLogFile::CopyLogTo(const QString& aNewFilename) const {
    QByteArray lineas;
    QFile origen(Filename);
    if (origen.open(QIODevice::ReadOnly))
        lineas = origen.readAll();
    QFile destino(aNewFilename);
    if (destino.open(QIODevice::WriteOnly | QIODevice::Truncate))
        destino.write(lineas);
}

QString TDLogFile::textoErrorSistema(int numero) {
    switch (numero) {
    case 2:
        return QStringLiteral("File Not Found");
    case 3:
        return QStringLiteral("Path Not Found");
    case 5:
        return QStringLiteral("Access Denied");
    case 8:
        return QStringLiteral("Insufficient Memory");
    case 19:
        return QStringLiteral("Media Is Write Protected");
    case 21:
        return QStringLiteral("Device Not Ready");
    case 32:
    case 33:
        return QStringLiteral("File In Use");
    case 39:
    case 112:
        return QStringLiteral("Disk Full");
    case 276:
    case 1005:
    case 1392:
    case 1393:
        return QStringLiteral("Corrupt File Or Disk");
    case 1009:
    case 1358:
        return QStringLiteral("Corrupt Registry");
    case 1150:
        return QStringLiteral("Windows Version Incorrect");
    case 1151:
        return QStringLiteral("Not A Windows Or MSDos Program");
    default:
        return QStringLiteral("General Failure");
    }
}

QStringList TDLogFile::cabecera(const tEntornoLog& e, const tSistemaLog& s, const QString& fichero,
                                const QString& fecha) {
    const int primario = s.lcid & 0x3FF;
    const int sublenguaje = s.lcid >> 10;
    const QString exe = e.argumentos.value(0);
    const QList<QVariantList> valores = {
        {},
        {tab(fichero)},
        {tab(fecha)},
        {tab(s.nombre), s.versionMayor, s.versionMenor, s.compilacion, s.paqueteServicio},
        {tab(hex4(s.lcid)), s.lcid},
        {tab(hex4(primario)), primario},
        {tab(hex4(sublenguaje)), sublenguaje},
        {tab(s.separadorDecimal)},
        {},
        {tab(exe)},
        {tab(versionFichero(exe))},
        {tab(e.argumentos.mid(1).join(QStringLiteral(" | ")))},
        {tab(e.lineaOrdenes)},
        {tab(e.dirEjecucion)},
        {tab(e.nombreModulo)},
        {tab(e.dirModulo)},
        {tab(e.rutaModulo)},
        {tab(e.versionModulo)},
        {},
        {tab(siNo(e.ayudaHtml.instalado))},
        {tab(e.ayudaHtml.version)},
        {tab(e.ayudaHtml.versionAmigable)},
        {},
        {tab(siNo(e.explorador.instalado))},
        {tab(e.explorador.version)},
        {tab(e.explorador.versionAmigable)},
        {},
    };
    QStringList lineas;
    for (qsizetype i = 0; i < valores.size(); ++i)
        lineas << formatea(EtiquetasCabecera[i], valores[i]);
    return lineas;
}
