#pragma once
// The diagnostic log for support. One object lives for the whole run, made
// before any window. Logging is off unless "debug.debug" lies beside the
// executable or the command line says "/debug" or "-debug"; every start
// removes the previous log, and with logging on a fresh one begins with a
// header describing the machine and the run. Lines are Windows-1252 with
// CR LF; the file is opened, appended to and closed for each line, so it can
// be read while the program runs. Writing a line never throws: a file that
// cannot be written is skipped silently.

#include "EntornoLog.h"
#include "RegistroDiagnostico.h"

#include <QVariantList>

#include <functional>

struct tEstadoPrograma;

class TDLogFile {
public:
    static inline const QString NombreFichero = QStringLiteral("HHDebug.txt");

    // The application's log: HHDebug.txt in the log folder, debug mode as
    // switched, time stamps and header on, no appending.
    explicit TDLogFile(const tEntornoLog& entorno);
    // aFilename empty: HHDebug.txt in the log folder. A folder that does not
    // exist or cannot be written gives the same name in the temporary folder.
    TDLogFile(const tEntornoLog& entorno, const QString& aFilename, bool aDebugMode,
              bool aTimeStamp, bool aHeaderDump, bool aAppendMode);

    QString Filename;
    bool DebugMode = false;
    bool TimeStamp = true;
    bool HeaderDump = true;
    bool AppendMode = false;

    // Deletes the old log (unless appending) and, in debug mode, writes the header.
    void Reset();
    // One line whatever the debug mode; with arguments the message is a
    // format whose "%s" and "%d" take them in order.
    void DebugOut(const QString& msgStr, const QVariantList& Args = {}) noexcept;
    // The queued lines of the program, each with the time it was handed, in
    // one opening of the file; in debug mode only.
    void escribeLineas(const QList<tLineaDiagnostico>& lineas) noexcept;
    // DebugOut only in debug mode.
    void DebugOut2(const QString& msgStr, const QVariantList& Args = {}) noexcept;
    // A warning box with the formatted message, logged in debug mode.
    void ReportError(const QString& errStr, const QVariantList& Args = {});
    // Opens the log with the system's handler, or says that there is none.
    void Show();
    // Copies the log's lines into another file; a failure is ignored.
    void CopyLogTo(const QString& aNewFilename) const;
    QString GetLogDir() const { return entorno_.dirLog; }

    // How Show opens a file; answers false when it could not.
    std::function<bool(const QString& fichero)> abreConManejador;

    // The running program's state, once it exists: the boxes of ReportError
    // and Show go through its message facade.
    const tEstadoPrograma* estado = nullptr;

    // --- Line rules ----------------------------------------------------------
    static QString formatea(const QString& msgStr, const QVariantList& Args);
    // The line as written (without CR LF): separators, "!" lines without
    // time, the others after `hora` and three blanks when stamping.
    static QString lineaDeLog(const QString& texto, bool timeStamp, const QString& hora);
    // The header, as the 27 texts handed to DebugOut.
    static QStringList cabecera(const tEntornoLog& entorno, const tSistemaLog& sistema,
                                const QString& fichero, const QString& fecha);
    // Text of a system error number in the report of a failed opening.
    static QString textoErrorSistema(int numero);

private:
    // A plain message box, or a warning with `aviso`.
    void muestraCaja(const QString& texto, bool aviso) const;

    tEntornoLog entorno_;
};
