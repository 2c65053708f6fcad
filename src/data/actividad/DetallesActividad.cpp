#include "DetallesActividad.h"

#include "Importes.h"
#include "MotorTablas.h"
#include "RegistroActividad.h"

namespace {

QString cheques(int n) {
    return n == 1 ? QStringLiteral("1 cheque") : QStringLiteral("%1 cheques").arg(n);
}

int cuentaTalones(motor::Conexion& con, const QString& condicion, const QVariant& valor) {
    motor::Sentencia s(con, QStringLiteral("SELECT count(*) FROM Talones ") + condicion);
    if (valor.isValid())
        s.liga(valor);
    return s.ejecuta() && s.siguiente() ? s.entero(0) : 0;
}

QString siNo(bool valor) {
    return valor ? QStringLiteral("sí") : QStringLiteral("no");
}

} // namespace

QString detalleEmision(const QString& nombreCons, const QString& remesa, int talones,
                       qint64 centimos) {
    return QStringLiteral("%1 de la remesa %2: %3 por %4 euros")
        .arg(nombreCons, remesa, cheques(talones), tImporte::deCentimos(centimos).visible());
}

QString detalleChequeHistorico(const QString& rutaHistoricoCheques, int clave) {
    motor::Conexion con(rutaHistoricoCheques);
    motor::Sentencia s(con, QStringLiteral("SELECT Numero, Numero_Modelo, Cuenta, Importe, "
                                           "Nombre_Cliente, Nombre_Cons FROM historicoCheques "
                                           "WHERE Pk_HistoricoRecibos = ?"));
    s.liga(clave);
    if (!s.ejecuta() || !s.siguiente())
        return QStringLiteral("cheque del histórico de clave %1").arg(clave);
    return QStringLiteral("cheque %1, modelo %2, cuenta %3, %4 euros, librado %5, emisión %6")
        .arg(s.texto(0), s.texto(1), s.texto(2), s.texto(3), s.texto(4), s.texto(5));
}

QString detalleRemesa(const QString& rutaRemesas, const QString& rutaTalones, int clave) {
    QString nombre;
    {
        motor::Conexion con(rutaRemesas);
        motor::Sentencia s(
            con, QStringLiteral("SELECT Nombre_Remesa FROM remesas WHERE Pk_Remesas = ?"));
        s.liga(clave);
        if (s.ejecuta() && s.siguiente())
            nombre = s.texto(0);
    }
    motor::Conexion con(rutaTalones);
    return QStringLiteral("remesa %1 (clave %2) con %3")
        .arg(nombre)
        .arg(clave)
        .arg(cheques(cuentaTalones(con, QString(), QVariant())));
}

QString detalleLibrados(const QString& rutaDeudores, const QString& rutaTalones,
                        const QList<int>& claves) {
    motor::Conexion deudores(rutaDeudores);
    motor::Conexion talones(rutaTalones);
    QStringList partes;
    for (int clave : claves) {
        motor::Sentencia s(deudores, QStringLiteral("SELECT Nombre_Cliente, Cuenta FROM Deudores "
                                                    "WHERE Pk_Cliente = ?"));
        s.liga(clave);
        const bool hay = s.ejecuta() && s.siguiente();
        partes << QStringLiteral("%1 (cuenta %2) con %3")
                      .arg(hay ? s.texto(0) : QString(), hay ? s.texto(1) : QString(),
                           cheques(cuentaTalones(talones, QStringLiteral("WHERE fk_Clientes = ?"),
                                                 clave)));
    }
    return partes.join(QStringLiteral("; "));
}

void anotaCambioEscaner(const tInstalacion& inst, IInterfazUsuario& iu, const tEscaner& antes,
                        const tEscaner& despues) {
    QStringList cambios;
    const auto compara = [&cambios](const QString& nombre, const QString& de, const QString& a) {
        if (de != a)
            cambios << QStringLiteral("%1: %2 -> %3").arg(nombre, de, a);
    };
    compara(QStringLiteral("tipo de lector"), QString::number(antes.tipo),
            QString::number(despues.tipo));
    compara(QStringLiteral("impresión"), siNo(antes.Imprimir), siNo(despues.Imprimir));
    compara(QStringLiteral("fecha"), siNo(antes.Fecha), siNo(despues.Fecha));
    compara(QStringLiteral("texto"), QStringLiteral("\"%1\"").arg(antes.texto),
            QStringLiteral("\"%1\"").arg(despues.texto));
    if (!cambios.isEmpty())
        anotaActividad(inst, iu, ActoActividad::ConfiguracionEscaner,
                       cambios.join(QStringLiteral("; ")));
}
