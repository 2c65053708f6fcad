#pragma once
// The functions that only tests call in a simulated reader library, and a
// sample folder built from the shipped documents.

#include "FicherosPrueba.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QMap>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <algorithm>

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

// The codeline of sample document `i` for one reader family ("seac", ...).
inline QByteArray codelineMuestra(const QString& carpeta, int i, const QByteArray& familia) {
    const QByteArray texto = bytesDe(QDir(carpeta).filePath(nombreMuestra(i) + ".txt"));
    for (const QByteArray& l : texto.split('\n'))
        if (l.startsWith(familia + "="))
            return l.mid(familia.size() + 1).trimmed();
    return {};
}

// The sample documents whose front pictures are the front pictures ("F*.jpg")
// of `carpeta`, in increasing order; 0 for a picture of no sample. Each
// stored cheque must have its own document's picture.
inline QList<int> muestrasDeFrontales(const QString& carpeta, const QString& muestras) {
    QList<int> documentos;
    const QDir dir(carpeta);
    for (const QString& f : dir.entryList({QStringLiteral("F*.jpg")}, QDir::Files)) {
        const QByteArray bytes = bytesDe(dir.filePath(f));
        int documento = 0;
        for (int i = 1; QFile::exists(QDir(muestras).filePath(nombreMuestra(i) + ".txt")); ++i)
            if (bytesDe(QDir(muestras).filePath(nombreMuestra(i) + "_F.jpg")) == bytes)
                documento = i;
        documentos << documento;
    }
    std::sort(documentos.begin(), documentos.end());
    return documentos;
}
