#pragma once
// The functions that only tests call in a simulated reader library, and a
// sample folder built from the shipped documents.

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QMap>
#include <QSettings>
#include <QString>
#include <QStringList>

struct ControlSimulador {
    QLibrary lib;
    explicit ControlSimulador(const QString& ruta) : lib(ruta) {}

    template <typename F> F f(const char* nombre) {
        return reinterpret_cast<F>(lib.resolve(nombre));
    }
    void establece(const QString& muestras) {
        f<void (*)(const char*)>("simEstableceMuestras")(QFile::encodeName(muestras).constData());
    }
    QStringList registro() {
        auto leer = f<int (*)(char*, int)>("simRegistro");
        QByteArray texto(leer(nullptr, 0) + 1, '\0');
        leer(texto.data(), static_cast<int>(texto.size()));
        return QString::fromUtf8(texto.constData()).split(QChar(u'\n'), Qt::SkipEmptyParts);
    }
    void borraRegistro() { f<void (*)()>("simBorraRegistro")(); }
};

inline QString nombreMuestra(int i) {
    return QStringLiteral("doc%1").arg(i, 3, 10, QChar(u'0'));
}

// Copies the first `n` shipped documents into `carpeta` and writes the
// settings of `seccion`; answers false when a copy failed.
inline bool preparaCarpetaMuestras(const QString& carpeta, int n, const QString& seccion,
                                   const QMap<QString, int>& ajustes) {
    const QDir origen(QStringLiteral(MUESTRAS));
    if (!QDir().mkpath(carpeta))
        return false;
    for (int i = 1; i <= n; ++i)
        for (const char* sufijo : {".txt", "_F.jpg", "_F.tif", "_T.tif"}) {
            const QString nombre = nombreMuestra(i) + QLatin1String(sufijo);
            if (!QFile::copy(origen.filePath(nombre), QDir(carpeta).filePath(nombre)))
                return false;
        }
    QSettings ini(QDir(carpeta).filePath("simulador.ini"), QSettings::IniFormat);
    ini.beginGroup(seccion);
    for (auto i = ajustes.begin(); i != ajustes.end(); ++i)
        ini.setValue(i.key(), i.value());
    ini.sync();
    return true;
}

inline QByteArray bytesDe(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The codeline of sample document `i` for one reader family ("seac", ...).
inline QByteArray codelineMuestra(const QString& carpeta, int i, const QByteArray& familia) {
    const QByteArray texto = bytesDe(QDir(carpeta).filePath(nombreMuestra(i) + ".txt"));
    for (const QByteArray& l : texto.split('\n'))
        if (l.startsWith(familia + "="))
            return l.mid(familia.size() + 1).trimmed();
    return {};
}
