// Operations on the presenter table.
#include "AlmacenOrdenantes.h"

#include "ErrorOperacion.h"

#include "LineaOrdenante.h"
#include "MotorTablas.h"
#include "Textos.h"
#include "TextosBBDD.h"

tOrdenantes TAlmacenOrdenantes::CargaRegistroOrdenantesTablas(int clavePrimaria,
                                                              tOrdenantes destino) {
    bd_.leeFilaPorClave(inst_.rutaOrdenantes(),
                        QStringLiteral("SELECT Pk_Ordenante, Nif_Sufijo, Nombre_Ordenante, "
                                       "Cuenta FROM Ordenantes WHERE Pk_Ordenante = ? "
                                       "ORDER BY rowid LIMIT 1"),
                        clavePrimaria, [&](const motor::Sentencia& s) {
                            destino.Pk_Ordenante = s.entero(0);
                            destino.Nif_Sufijo = s.texto(1);
                            destino.Nombre_ordenante = s.texto(2);
                            destino.Cuenta = s.texto(3);
                        });
    return destino;
}

namespace {

// Whether a presenter other than the one with key `clave` has the NIF and
// the account: none has, or the one with that key is among them, is no
// duplicate. The engine message or "".
QString buscaPresentadorDuplicado(motor::Conexion& con, const QString& nif, const QString& cuenta,
                                  int clave, bool& duplicado) {
    motor::Sentencia s(con, QStringLiteral("SELECT Pk_Ordenante FROM Ordenantes "
                                           "WHERE Nif_Sufijo = ? AND Cuenta = ?"));
    s.liga(nif).liga(cuenta);
    if (!s.ejecuta())
        return s.error();
    duplicado = false;
    while (s.siguiente()) {
        if (s.entero(0) == clave) {
            duplicado = false; // the record matches itself
            break;
        }
        duplicado = true;
    }
    return {};
}

// The refusal of a duplicate, as a failure of the write that checks it.
QString rechazaDuplicado(motor::Conexion& con, const tOrdenantes& o) {
    bool duplicado = false;
    const QString e =
        buscaPresentadorDuplicado(con, o.Nif_Sufijo, o.Cuenta, o.Pk_Ordenante, duplicado);
    if (!e.isEmpty())
        return e;
    return duplicado ? MensajeBBDD::PresentadorDuplicado : QString();
}

} // namespace

void TAlmacenOrdenantes::GuardaOrdenante(tOrdenantes& rOrdenante) {
    // The duplicate is looked for inside the write transaction: two programs
    // saving the same presenter at once store it once.
    const QString ruta = inst_.rutaOrdenantes();
    if (rOrdenante.EsNuevo) {
        rOrdenante.Pk_Ordenante = 0;
        rOrdenante.Pk_Ordenante = bd_.insertaConClaveNueva(
            ruta, QStringLiteral("Pk_Ordenante"),
            QStringLiteral("INSERT INTO Ordenantes (Pk_Ordenante, "
                           "Nif_Sufijo, Nombre_Ordenante, Cuenta) "
                           "VALUES (?, ?, ?, ?)"),
            {rOrdenante.Nif_Sufijo, rOrdenante.Nombre_ordenante, rOrdenante.Cuenta},
            [&](motor::Conexion& con) { return rechazaDuplicado(con, rOrdenante); });
        return;
    }
    {
        motor::Conexion con(ruta);
        motor::Transaccion tr(con);
        QString e = tr.error();
        if (e.isEmpty())
            e = rechazaDuplicado(con, rOrdenante);
        if (e.isEmpty())
            e = motor::ejecutaSql(con,
                                  QStringLiteral("UPDATE Ordenantes SET Nif_Sufijo = ?, "
                                                 "Nombre_Ordenante = ?, Cuenta = ? "
                                                 "WHERE Pk_Ordenante = ?"),
                                  {rOrdenante.Nif_Sufijo, rOrdenante.Nombre_ordenante,
                                   rOrdenante.Cuenta, rOrdenante.Pk_Ordenante});
        if (e.isEmpty() && !tr.confirma())
            e = tr.error();
        fallaSiHayError(e);
    }
}

bool TAlmacenOrdenantes::DuplicadoOrdenante(const QString& Nif_Sufijo, const QString& cuenta,
                                            bool /*nuevo*/, int aNumeroRegistro) {
    motor::Conexion con(inst_.rutaOrdenantes());
    bool duplicado = false;
    fallaSiHayError(
        buscaPresentadorDuplicado(con, Nif_Sufijo, cuenta, aNumeroRegistro, duplicado));
    return duplicado;
}

void TAlmacenOrdenantes::EliminaRegistroOrdenante(int aPk) {
    motor::Conexion con(inst_.rutaOrdenantes());
    fallaSiHayError(motor::ejecutaSql(
        con, QStringLiteral("DELETE FROM Ordenantes WHERE Pk_Ordenante = ?"), {aPk}));
}

QStringList TAlmacenOrdenantes::Carga_Combo_Ordenantes() {
    VentanaEsperar espera(iu_);
    QStringList lineas{MensajeBBDD::SeleccioneOrdenante};
    motor::Conexion con(inst_.rutaOrdenantes());
    motor::Sentencia s(con, QStringLiteral("SELECT Nif_Sufijo, Nombre_Ordenante, Cuenta, "
                                           "Pk_Ordenante FROM Ordenantes"));
    if (!s.ejecuta())
        return lineas; // the list stays as far as it was filled
    while (s.siguiente())
        lineas << lineaOrdenante(s.texto(0), s.texto(1), s.texto(2), s.entero(3));
    return lineas;
}

tFilasLista TAlmacenOrdenantes::CargaListaOrdenantes() {
    return bd_.cargaFilasLista(inst_.rutaOrdenantes(),
                               QStringLiteral("SELECT Pk_Ordenante, Nombre_Ordenante, Cuenta, "
                                              "Nif_Sufijo FROM Ordenantes ORDER BY rowid"),
                               4);
}
