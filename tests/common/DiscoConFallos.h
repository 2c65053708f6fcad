#pragma once
// A disk that fails as a real one does, for the data module's
// destinoFicheros. Three ways:
//   - soloLectura(carpeta): no file in the folder opens for writing;
//   - conLibres(carpeta, n): n bytes are free in the folder, shared by every
//     file written there; the write that passes them writes what fits and
//     fails;
//   - conTope(nombre, n): the file of that name, in whatever folder, fills
//     the disk once it holds n bytes; the write that passes them writes what
//     fits and fails.
// Other files are plain files. Tests run as the super user too, for whom a
// folder without write permission is still writable.

#include "FicherosTexto.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>

class TDiscoConFallos : public IDestinoFicheros {
public:
    static inline const QString SinPermiso = QStringLiteral("Permission denied");
    static inline const QString SinEspacio = QStringLiteral("No space left on device");

    static TDiscoConFallos soloLectura(const QString& carpeta) {
        return TDiscoConFallos(QDir(carpeta).absolutePath(), QString(), -1, -1);
    }
    static TDiscoConFallos conLibres(const QString& carpeta, qint64 libres) {
        return TDiscoConFallos(QDir(carpeta).absolutePath(), QString(), libres, -1);
    }
    static TDiscoConFallos conTope(const QString& nombre, qint64 tope) {
        return TDiscoConFallos(QString(), nombre, 0, tope);
    }

    std::unique_ptr<QIODevice> dispositivo(const QString& ruta) const override {
        const QFileInfo info(ruta);
        const bool falla =
            nombre_.isEmpty() ? info.absolutePath() == carpeta_ : info.fileName() == nombre_;
        if (!falla)
            return std::make_unique<QFile>(ruta);
        return std::make_unique<TFichero>(ruta, libres_.get(), tope_);
    }

private:
    TDiscoConFallos(const QString& carpeta, const QString& nombre, qint64 libres, qint64 tope)
        : carpeta_(carpeta), nombre_(nombre), libres_(std::make_shared<qint64>(libres)),
          tope_(tope) {}

    class TFichero : public QIODevice {
    public:
        TFichero(const QString& ruta, qint64* libres, qint64 tope)
            : fichero_(ruta), libres_(libres), tope_(tope) {}
        bool open(OpenMode modo) override {
            if (*libres_ < 0) {
                setErrorString(SinPermiso);
                return false;
            }
            if (!fichero_.open(modo)) {
                setErrorString(fichero_.errorString());
                return false;
            }
            return QIODevice::open(modo);
        }
        void close() override {
            fichero_.close();
            QIODevice::close();
        }

    protected:
        qint64 readData(char*, qint64) override { return -1; }
        qint64 writeData(const char* datos, qint64 n) override {
            const qint64 libres =
                tope_ >= 0 ? std::max<qint64>(0, tope_ - fichero_.size()) : *libres_;
            const qint64 cabe = std::min(n, libres);
            fichero_.write(datos, cabe);
            fichero_.flush();
            if (tope_ < 0)
                *libres_ -= cabe;
            if (cabe == n)
                return n;
            setErrorString(SinEspacio);
            return -1;
        }

    private:
        QFile fichero_;
        qint64* libres_;
        qint64 tope_;
    };

    QString carpeta_;                // the folder that fails, or
    QString nombre_;                 // the name of the file that fails
    std::shared_ptr<qint64> libres_; // -1: read-only
    qint64 tope_;                    // -1: the free bytes count, not a cap
};
