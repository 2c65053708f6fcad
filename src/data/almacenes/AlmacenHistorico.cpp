// The history of emitted cheques: the search shown in the history grid and
// the annulment of one cheque.
#include "AlmacenHistorico.h"

#include "AlmacenTalones.h"
#include "DetallesActividad.h"
#include "ImagenesTalon.h"
#include "Importes.h"
#include "MotorTablas.h"
#include "RegistroActividad.h"
#include "TextosBBDD.h"
#include "TqryHistorico.h"

#include <optional>

namespace {

// The key columns of a cheque in a history row.
struct tChequeHistorico {
    QString cuenta;
    QString numeroModelo;
    QString numero;
};

// True when some history row is that cheque; true also when it cannot be
// told, so that no image is lost on a doubt.
bool quedaEnHistorico(const QString& rutaHistorico, const tChequeHistorico& c) {
    motor::Conexion con(rutaHistorico);
    motor::Sentencia s(con, QStringLiteral("SELECT 1 FROM historicoCheques WHERE Numero = ? AND "
                                           "Numero_Modelo = ? AND Cuenta = ? LIMIT 1"));
    s.liga(c.numero).liga(c.numeroModelo).liga(c.cuenta);
    return !s.ejecuta() || s.siguiente();
}

} // namespace

TAlmacenHistorico::TAlmacenHistorico(TBaseDatos& bd) : TAlmacen(bd) {}

TAlmacenHistorico::~TAlmacenHistorico() = default;

TqryHistorico& TAlmacenHistorico::qryHistorico() {
    if (qryHistorico_ == nullptr)
        qryHistorico_ = std::make_unique<TqryHistorico>();
    return *qryHistorico_;
}

void TAlmacenHistorico::CargaHistoricoDeTalones(const tConsultaHistorico& aCadena) {
    qryHistorico().abre(inst_.rutaHistoricoCheques(), aCadena);
}

void TAlmacenHistorico::RecargaHistoricoDeTalones() {
    qryHistorico().reabre();
}

void TAlmacenHistorico::CierraHistoricoDeTalones() {
    qryHistorico().cierra();
}

void TAlmacenHistorico::TerminaRecuentoHistorico() {
    // About a third of a second of counting on this many rows.
    constexpr qint64 filasLargas = 200000;
    TqryHistorico& q = qryHistorico();
    if (q.filasPorContar() <= filasLargas) {
        q.terminaRecuento();
        return;
    }
    VentanaEsperar espera(iu_);
    q.terminaRecuento();
}

void TAlmacenHistorico::EliminaregistroHistorico(int apk) {
    // The grid's query keeps the table file open for reading, which would
    // hold the delete back: it is closed now and run again afterwards,
    // whether the row went or not.
    const bool consultaAbierta = qryHistorico().abierta();
    qryHistorico().cierra();
    std::optional<TErrorOperacion> fallo;
    try {
        const QString detalle = detalleChequeHistorico(inst_.rutaHistoricoCheques(), apk);
        eliminaFilaHistorico(apk);
        anotaActividad(inst_, iu_, ActoActividad::AnulacionCheque, detalle);
    } catch (const TErrorOperacion& e) {
        fallo = e;
    }
    if (consultaAbierta) {
        try {
            RecargaHistoricoDeTalones();
        } catch (const TErrorOperacion& e) {
            // The operator reads the first failure: that of the annulment.
            if (!fallo)
                fallo = e;
        }
    }
    if (fallo)
        throw *fallo;
}

void TAlmacenHistorico::eliminaFilaHistorico(int apk) {
    const QString ruta = inst_.rutaHistoricoCheques();
    QList<tChequeHistorico> cheques;
    QString e;
    {
        motor::Conexion con(ruta);
        motor::Transaccion tr(con);
        e = tr.error();
        if (e.isEmpty()) {
            motor::Sentencia s(con,
                               QStringLiteral("SELECT Cuenta, Numero_Modelo, Numero FROM "
                                              "historicoCheques WHERE Pk_HistoricoRecibos = ?"));
            s.liga(apk);
            if (!s.ejecuta())
                e = s.error();
            while (e.isEmpty() && s.siguiente())
                cheques.append({s.texto(0), s.texto(1), s.texto(2)});
        }
        if (e.isEmpty())
            e = motor::ejecutaSql(
                con, QStringLiteral("DELETE FROM historicoCheques WHERE Pk_HistoricoRecibos = ?"),
                {apk});
        if (e.isEmpty() && !tr.confirma())
            e = tr.error();
    }
    fallaSiHayError(e);
    // The images go only once the row is gone for good.
    for (const tChequeHistorico& c : cheques) {
        const QString base = baseImagenTalon(c.cuenta, c.numeroModelo, c.numero);
        if (!quedaEnHistorico(ruta, c))
            borraImagenesTalon(inst_.dirs.Dir_Hco_Imagenes, base);
        if (!TAlmacenTalones(bd_).basesSinTalon({base}).isEmpty())
            borraImagenesTalon(inst_.dirs.Dir_Imagenes, base);
    }
}

QString TAlmacenHistorico::DevuelveNombreconsolidado(int clave) {
    motor::Conexion con(inst_.rutaHistorico());
    motor::Sentencia s(con, QStringLiteral("SELECT Nombre_Cons FROM historico "
                                           "WHERE Pk_Historico = ? ORDER BY rowid LIMIT 1"));
    s.liga(clave);
    if (!s.ejecuta())
        throw TErrorOperacion(s.error());
    return s.siguiente() ? s.texto(0) : QString();
}

tFilasLista TAlmacenHistorico::CargaListaRemesasEmitidas() {
    tFilasLista filas;
    motor::Conexion con(inst_.rutaHistorico());
    // The last row stored is the newest emission.
    motor::Sentencia s(con, QStringLiteral("SELECT Pk_Historico, Fecha_Confeccion, Nif, "
                                           "Nombre_Ordenante, Cuenta, Importe, Numero_Talones, "
                                           "Fecha_Soporte FROM historico ORDER BY rowid DESC"));
    if (!s.ejecuta())
        throw TErrorOperacion(s.error());
    while (s.siguiente()) {
        tFilaLista f;
        f.datos.pk = s.entero(0);
        f.caption = s.texto(1);
        f.celdas = {s.texto(2), s.texto(3), s.texto(4), importeVisible(s.texto(5)),
                    s.texto(6), s.texto(7)};
        filas << f;
    }
    return filas;
}
