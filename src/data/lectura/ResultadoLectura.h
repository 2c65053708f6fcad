#pragma once
// What storing a capture window's read lines did with each line, so that the
// window can tell the operator which documents were not stored and why, and
// keep the ones that can be tried again.

#include <QList>
#include <QString>

struct tLineaNoGuardada {
    enum class Motivo {
        // A bad read not asked to be stored, or a read whose images never
        // arrived: the document must pass through the reader again.
        LecturaIncompleta,
        // The image folder refused the images (full disk, read-only folder):
        // the line and its temporary images can be stored later.
        ImagenesNoCopiadas,
        // A table could not be used (its message has been shown): the line
        // can be stored later.
        Tabla,
    };
    QString linea;     // as it was in the list
    QString secuencia; // the number its temporary images carry; "" when none
    Motivo motivo = Motivo::LecturaIncompleta;
};

// A line stored as a cheque: the number its temporary images carried and the
// key of the cheque it became.
struct tLineaGuardada {
    QString secuencia;
    int clave = 0;
};

struct tResultadoLectura {
    int buenos = 0;                      // lines stored as cheques
    int invalidos = 0;                   // lines not stored
    QList<tLineaNoGuardada> noGuardadas; // in the order of the list
    QList<tLineaGuardada> guardadas;     // in the order of the list
    // The first copy of images that the disk refused: the folder and why, in
    // Spanish (empty when none was refused).
    QString carpetaImagenes;
    QString causaImagenes;
};
