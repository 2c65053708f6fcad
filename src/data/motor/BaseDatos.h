#pragma once
// What every store and service of the data module shares: the installation
// whose table files it works on, the operator it reports to, where the
// emission and the storing of read lines write their files, and the
// connections of a walk over many rows. The stores and services hold a
// reference to one; none of them reads the program state.

#include "FicherosTexto.h"
#include "FilasLista.h"
#include "IInterfazUsuario.h"
#include "Instalacion.h"

#include <QVariantList>

#include <functional>
#include <memory>

namespace motor {
class Conexion;
class Sentencia;
class Conexiones;
class ConexionOperacion;
} // namespace motor

class TBaseDatos {
public:
    TBaseDatos(const tInstalacion& instalacion, IInterfazUsuario& iu)
        : inst_(instalacion), iu_(iu) {}
    TBaseDatos(const TBaseDatos&) = delete;
    TBaseDatos& operator=(const TBaseDatos&) = delete;

    const tInstalacion& instalacion() const { return inst_; }
    IInterfazUsuario& iu() const { return iu_; }

    // For fault tests: where the emission writes its text files and archive
    // and the storing of read lines its images (the disk when unset). Not
    // owned.
    const IDestinoFicheros* destinoFicheros = nullptr;
    const IDestinoFicheros& destino() const {
        return destinoFicheros ? *destinoFicheros : destinoDisco();
    }

    // The connection an operation uses on the table file: the walk's while
    // one is on, else one opened for the operation.
    motor::ConexionOperacion abre(const QString& rutaTabla);
    // The highest key plus one (1 for an empty table); throws
    // TErrorOperacion with the engine message on failure.
    int claveNueva(const QString& columna, const QString& rutaTabla);
    // In one write transaction on the table file: runs `antesDeInsertar`
    // (when set: a check that no other program can overtake, such as a
    // duplicate; it answers a refusal, an engine message or ""), takes the
    // next key of `columna` and runs the insert with the key bound first,
    // then `valores`, then `antesDeConfirmar` (when set; it answers an error
    // text or ""). The new key; the refusal or the engine message throws
    // TErrorOperacion, and a failure anywhere inserts nothing.
    int insertaConClaveNueva(const QString& rutaTabla, const QString& columna,
                             const QString& sqlInsert, const QVariantList& valores,
                             const std::function<QString(motor::Conexion&)>& antesDeInsertar = {},
                             const std::function<QString(int)>& antesDeConfirmar = {});
    // Reads the first row the query (with the key as its one parameter)
    // answers and hands it to `rellena`; an engine failure throws
    // TErrorOperacion.
    void leeFilaPorClave(const QString& rutaTabla, const QString& sql, int clave,
                         const std::function<void(const motor::Sentencia&)>& rellena);
    // The rows of a maintenance list: key, caption, then the cells; the
    // query's parameters are `valores`. An engine failure ends the list
    // where it stands.
    tFilasLista cargaFilasLista(const QString& rutaTabla, const QString& sql, int columnas,
                                const QVariantList& valores = {});

    // While one lives, the operations of the data module share one
    // connection per table file and its prepared statements, instead of
    // opening the file for every operation: a walk over many rows (storing a
    // batch of read lines) holds one for the whole walk. Commits are those
    // of each operation, unchanged.
    class TRecorrido {
    public:
        explicit TRecorrido(TBaseDatos& bd);
        ~TRecorrido();
        TRecorrido(const TRecorrido&) = delete;
        TRecorrido& operator=(const TRecorrido&) = delete;

    private:
        TBaseDatos& bd_;
        std::unique_ptr<motor::Conexiones> conexiones_;
        motor::Conexiones* anterior_;
    };

private:
    tInstalacion inst_;
    IInterfazUsuario& iu_;
    motor::Conexiones* recorrido_ = nullptr; // the walk's, while one is on
};

// Name of the table held by a table file (each file holds one table).
QString nombreTablaDeFichero(const QString& rutaTabla);

// The base of every store and service: the shared database and, for short,
// its installation and operator.
class TAlmacen {
protected:
    explicit TAlmacen(TBaseDatos& bd) : bd_(bd), inst_(bd.instalacion()), iu_(bd.iu()) {}

    TBaseDatos& bd_;
    const tInstalacion& inst_;
    IInterfazUsuario& iu_;
};
