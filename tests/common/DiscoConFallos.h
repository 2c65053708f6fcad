#pragma once
// A disk whose one folder fails as a real one does, for the data module's
// destinoFicheros: the folder is read-only (no file in it opens for writing),
// or only some bytes are free on it (the write that passes them writes what
// fits and fails). Files elsewhere are plain files. Tests run as the super
// user too, for whom a folder without write permission is still writable.

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
        return TDiscoConFallos(carpeta, -1);
    }
    static TDiscoConFallos conLibres(const QString& carpeta, qint64 libres) {
        return TDiscoConFallos(carpeta, libres);
    }

    std::unique_ptr<QIODevice> dispositivo(const QString& ruta) const override {
        if (QFileInfo(ruta).absolutePath() != carpeta_)
            return std::make_unique<QFile>(ruta);
        return std::make_unique<TFichero>(ruta, libres_.get());
    }

private:
    TDiscoConFallos(const QString& carpeta, qint64 libres)
        : carpeta_(QDir(carpeta).absolutePath()), libres_(std::make_shared<qint64>(libres)) {}

    class TFichero : public QIODevice {
    public:
        TFichero(const QString& ruta, qint64* libres) : fichero_(ruta), libres_(libres) {}
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
            const qint64 cabe = std::min(n, *libres_);
            fichero_.write(datos, cabe);
            fichero_.flush();
            *libres_ -= cabe;
            if (cabe == n)
                return n;
            setErrorString(SinEspacio);
            return -1;
        }

    private:
        QFile fichero_;
        qint64* libres_;
    };

    QString carpeta_;
    std::shared_ptr<qint64> libres_; // -1: read-only
};
