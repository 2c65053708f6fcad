#pragma once
// The image store of a folder of copies. Cheque images never change once
// written, and a data folder holds years of them: each copy lists its images
// and the store keeps one file per version, shared by every copy that lists
// it, so a copy writes only the images the store does not hold yet (same
// name, size and date). An image replaced under the same name gets a second
// file beside the first; the older copies keep theirs.

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <functional>

// One image of a copy: where it was in the data folder (relative, "Hco/x.jpg"),
// its size and date there, and its file in the store (relative to the store).
struct tImagenCopia {
    QString relativa;
    qint64 tamano = 0;
    qint64 fechaMs = 0;
    QString almacen;
};

class TAlmacenImagenes {
public:
    explicit TAlmacenImagenes(const QString& carpeta);

    const QString& carpeta() const { return carpeta_; }

    // Copies into the store the images of `origen` not held yet and answers
    // the list of them all, relative paths starting with `prefijo` + "/".
    // Throws TErrorOperacion naming the file and the reason.
    QList<tImagenCopia> copia(const QString& origen, const QString& prefijo);

    // How many images the copies so far wrote into the store (the others
    // were held already).
    int escritas() const { return escritas_; }

    // Removes the store files no list names (and any left half-written).
    void purga(const QSet<QString>& usadas);

    // The list as a copy keeps it, and read back (false when unreadable).
    static QByteArray texto(const QList<tImagenCopia>& imagenes);
    static bool lee(const QString& ruta, QList<tImagenCopia>& imagenes);

    // Whether two dates are the same on disk: some file systems keep them to
    // two seconds.
    static bool mismaFecha(qint64 a, qint64 b);

private:
    struct tGuardada {
        qint64 tamano = 0;
        qint64 fechaMs = 0;
    };
    void indexa();
    QString guarda(const QString& fichero, const QString& relativa, qint64 tamano, qint64 fechaMs);

    QString carpeta_;
    bool indexado_ = false;
    int escritas_ = 0;
    QHash<QString, tGuardada> guardadas_; // relative path in the store -> file
};

// Copies one file whole: to a temporary name beside the target, renamed once
// written, with the source's date. Throws TErrorOperacion naming the target
// and the reason.
void copiaFicheroEntero(const QString& origen, const QString& destino);
