#pragma once
// The emission lock of a data folder. Any number of programs may work on one
// data folder (the package shares it with a group), but only one of them may
// emit, complete an interrupted emission or choose an emission number at a
// time: whoever holds this lock. It is a lock file in the folder of emitted
// remittances holding the process id and the computer's name; a lock left by
// a program that died on this computer (power cut, killed) is found stale and
// taken over. A lock left by a program on another computer cannot be checked
// from here: it holds until that program ends or the file is deleted by hand.
// On the database server the lock is the server's (an advisory lock of the
// schema, held by one connection): it covers every workstation, and the
// server releases it when the program holding it dies or loses the network.

#include "Instalacion.h"

#include <QDateTime>
#include <QLockFile>

#include <QString>
#include <memory>

namespace motor {
class EnlaceServidor;
}

class TBloqueoEmision {
public:
    explicit TBloqueoEmision(const tDirectorios& dirs);
    ~TBloqueoEmision();
    TBloqueoEmision(const TBloqueoEmision&) = delete;
    TBloqueoEmision& operator=(const TBloqueoEmision&) = delete;

    // Takes the lock, waiting at most `esperaMs` for another program to
    // release it. True when this object holds it.
    bool toma(int esperaMs);
    bool tomado() const { return servidor_ ? tomadoServidor_ : lock_.isLocked(); }

    // Who holds the lock now, as the operator reads it: "La remesa la está
    // emitiendo el usuario X en el equipo Y desde las hh:mm; espere a que
    // termine".
    QString mensajeOcupado() const;

    // Where the lock lives.
    static QString ruta(const tDirectorios& dirs);

private:
    bool tomaEnServidor(int esperaMs);
    QString mensajeOcupadoEnServidor() const;

    QString ruta_;
    QLockFile lock_;
    std::unique_ptr<motor::EnlaceServidor> servidor_; // on the server: the connection holding it
    bool tomadoServidor_ = false;
};
