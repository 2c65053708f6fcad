#include "ComunSimulador.h"

#include "ConvencionLlamada.h"
#include "MuestrasDocumentos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <mutex>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

struct tComun {
    std::mutex mutex;
    QString muestras;
    QStringList registro;
};

tComun& comun() {
    static tComun c;
    return c;
}

QString carpetaPropia() {
#if defined(_WIN32)
    HMODULE modulo = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&carpetaPropia), &modulo);
    wchar_t ruta[MAX_PATH] = {};
    GetModuleFileNameW(modulo, ruta, MAX_PATH);
    return QFileInfo(QString::fromWCharArray(ruta)).absolutePath();
#else
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&carpetaPropia), &info) && info.dli_fname)
        return QFileInfo(QFile::decodeName(info.dli_fname)).absolutePath();
    return QDir::currentPath();
#endif
}

} // namespace

void anotaLlamada(const QString& llamada) {
    std::lock_guard<std::mutex> cierre(comun().mutex);
    comun().registro << llamada;
}

QString carpetaMuestras() {
    {
        std::lock_guard<std::mutex> cierre(comun().mutex);
        if (!comun().muestras.isEmpty())
            return comun().muestras;
    }
    const QString entorno = qEnvironmentVariable("TESKORA_MUESTRAS");
    if (!entorno.isEmpty())
        return entorno;
    return QDir(carpetaPropia()).filePath(QStringLiteral("muestras"));
}

int ajusteSimulador(const QString& seccion, const QString& clave, int porDefecto) {
    QSettings ini(ficheroAjustesSimulador(carpetaMuestras()), QSettings::IniFormat);
    return ini.value(seccion + QChar(u'/') + clave, porDefecto).toInt();
}

extern "C" {

LECTOR_EXPORTA void simEstableceMuestras(const char* carpeta) {
    std::lock_guard<std::mutex> cierre(comun().mutex);
    comun().muestras = QFile::decodeName(carpeta ? carpeta : "");
}

// Copies the record of calls (UTF-8, one call a line) into the buffer and
// answers its full length in bytes.
LECTOR_EXPORTA int simRegistro(char* buffer, int tamano) {
    std::lock_guard<std::mutex> cierre(comun().mutex);
    const QByteArray texto = comun().registro.join(QChar(u'\n')).toUtf8();
    if (buffer && tamano > 0) {
        const int n = std::min(tamano - 1, static_cast<int>(texto.size()));
        std::memcpy(buffer, texto.constData(), static_cast<std::size_t>(n));
        buffer[n] = '\0';
    }
    return static_cast<int>(texto.size());
}

LECTOR_EXPORTA void simBorraRegistro(void) {
    std::lock_guard<std::mutex> cierre(comun().mutex);
    comun().registro.clear();
}

} // extern "C"
