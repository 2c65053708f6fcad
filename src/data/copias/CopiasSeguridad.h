#pragma once
// Backup copies of a data folder, made by the program itself: before every
// emission, at close (one a day) and on demand. A copy is a folder named
// after its moment (AAAA-MM-DD_hh-mm-ss) in the folder of copies, holding
// every table (Tablas, TablaRemesas), Pub/config.ini, the list of its images
// and a summary (copia.ini); the images themselves live in the folder's image
// store (AlmacenImagenes.h), written only when new.
//
// - Tables are copied by the engine itself (VACUUM INTO), which reads each
//   one in a single transaction, while the emission lock is held: no
//   emission is half in a copy. A table that has not changed since the last
//   copy (same change counter, size and date) is taken from that copy.
// - A copy is written under a temporary name and renamed when whole, so a
//   half-written copy is never listed.
// - Restoring checks the copy first, copies the current state, then writes
//   every file beside its target and renames them all.
// Failures throw TErrorOperacion with a Spanish message naming the folder
// and the reason; nothing here opens a window.

#include "ConfiguracionCopias.h"
#include "Instalacion.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

struct tCopia {
    QString nombre; // AAAA-MM-DD_hh-mm-ss
    QString ruta;   // its folder
    QDateTime fecha;
    QString motivo;
    qint64 bytes = 0; // tables, configuration and images
    int chequesRemesas = 0;
    int chequesHistorico = 0;
    int emisiones = 0;
    // What making it wrote (known only to the run that made it): tables, of
    // them taken unchanged from the copy before and found damaged (copied
    // byte for byte), and images, of them new to the store.
    int tablas = 0;
    int tablasSinCambios = 0;
    int tablasDanadas = 0;
    int imagenes = 0;
    int imagenesNuevas = 0;
};

class TCopiasSeguridad {
public:
    // Why a copy was made, as the list shows it.
    static inline const QString MotivoEmision = QStringLiteral("antes de emitir");
    static inline const QString MotivoCierre = QStringLiteral("al cerrar");
    static inline const QString MotivoManual = QStringLiteral("hecha a mano");
    static inline const QString MotivoRestauracion = QStringLiteral("antes de restaurar");

    explicit TCopiasSeguridad(const tInstalacion& instalacion);
    TCopiasSeguridad(const tInstalacion& instalacion, const tConfiguracionCopias& configuracion);

    const QString& carpeta() const { return conf_.Carpeta; }

    // Makes a copy of the data folder now and removes the copies the
    // retention rule no longer keeps. Throws TErrorOperacion.
    tCopia haz(const QString& motivo);
    // At close: a copy unless one was made at close today. True when made.
    bool hazAlCerrar();

    // The complete copies, newest first.
    QList<tCopia> lista() const;
    // Empty when the copy can be restored; otherwise why not, in Spanish.
    // `completa` runs the engine's full integrity check of every table (slow
    // on a large history); without it the engine's quick check.
    QString comprueba(const tCopia& copia, bool completa = true) const;
    // The newest copy that passes the quick check.
    std::optional<tCopia> ultimaValida() const;

    // Replaces the tables, config.ini and images of the data folder with
    // those of the copy. Throws TErrorOperacion (nothing replaced) when the
    // copy fails its check, the current state cannot be copied first or
    // another program emits.
    void restaura(const tCopia& copia);

    // The copy's date as the operator reads it ("05/03/2025 10:20").
    static QString fechaLegible(const tCopia& copia);

    // The clock (tests set it) and how long to wait for an emission or a
    // copy of another program to end.
    std::function<QDateTime()> ahora = [] { return QDateTime::currentDateTime(); };
    int esperaBloqueoMs = 30000;
    // Where each copy made (or that failed) tells what it did, one line for
    // the diagnostic log; unset, nothing is told.
    std::function<void(const QString& linea)> diagnostico;

private:
    QString mensajeFallo(const QString& motivo) const;
    void anotaFallo(const QString& motivo, const QString& texto) const;
    tCopia hazSinRetencion(const QString& motivo);
    void escribeCopia(const QString& parcial, const QString& motivo, tCopia& copia);
    void aplicaRetencion();
    QString nombreLibre() const;
    QString almacen() const;

    tInstalacion inst_;
    tConfiguracionCopias conf_;
};
