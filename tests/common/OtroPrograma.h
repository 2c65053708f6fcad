#pragma once
// Another program working on the same data folder, as a real process: a
// child (fork) opens a table file of the installation, starts a write
// transaction, runs its statements, holds the transaction for a while and
// commits. While it holds it, this process reads the table as it was and
// waits for it before writing, as two programs on one folder do.
//
//     TOtroPrograma otro;
//     QVERIFY(otro.inicia(ruta, {"INSERT ..."}, 1000)); // holding it now
//     ... act in this process ...
//     QVERIFY(otro.termina());                            // it committed

#include "MotorTablas.h"

#include <QString>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

class TOtroPrograma {
public:
    TOtroPrograma() = default;
    TOtroPrograma(const TOtroPrograma&) = delete;
    TOtroPrograma& operator=(const TOtroPrograma&) = delete;
    ~TOtroPrograma() {
        if (hijo_ > 0) {
            kill(hijo_, SIGKILL);
            termina();
        }
    }

    // Starts the child; true once it holds the transaction with its
    // statements run, `msRetenida` milliseconds before it commits.
    bool inicia(const QString& rutaTabla, const QStringList& sentencias, int msRetenida) {
        int tubo[2];
        if (pipe(tubo) != 0)
            return false;
        fflush(nullptr);
        hijo_ = fork();
        if (hijo_ == 0) {
            close(tubo[0]);
            bool hecho = false;
            {
                motor::Conexion con(rutaTabla);
                motor::Transaccion tr(con);
                hecho = tr.iniciada();
                for (const QString& sql : sentencias)
                    hecho = hecho && motor::ejecutaSql(con, sql).isEmpty();
                const char listo = hecho ? '1' : '0';
                hecho = write(tubo[1], &listo, 1) == 1 && hecho;
                usleep(useconds_t(msRetenida) * 1000);
                hecho = hecho && tr.confirma();
            }
            _exit(hecho ? 0 : 1);
        }
        close(tubo[1]);
        char listo = '0';
        const bool leido = hijo_ > 0 && read(tubo[0], &listo, 1) == 1;
        close(tubo[0]);
        return leido && listo == '1';
    }

    // Waits for the child; true when it committed.
    bool termina() {
        if (hijo_ <= 0)
            return false;
        int estado = 0;
        const bool esperado = waitpid(hijo_, &estado, 0) == hijo_;
        hijo_ = 0;
        return esperado && WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
    }

private:
    pid_t hijo_ = 0;
};

// The statements run and committed by another program before returning.
inline bool cambiaDesdeOtroPrograma(const QString& rutaTabla, const QStringList& sentencias) {
    TOtroPrograma otro;
    return otro.inicia(rutaTabla, sentencias, 0) && otro.termina();
}
