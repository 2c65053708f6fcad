#include "TextosCaptura.h"

#include <QStringList>

namespace TextosCaptura {

QString todosSalvados(int buenos, bool leyeros) {
    return QStringLiteral("Se leyeron: ") + QString::number(buenos) +
           (leyeros ? QStringLiteral(" cheques. Revise si se leyeros todos.")
                    : QStringLiteral(" cheques. Revise si se leyeron todos."));
}

QString noSalvados(int invalidos, bool largo) {
    if (invalidos == 1)
        return QStringLiteral("No se ha podido salvar: ") + QStringLiteral("1") +
               QStringLiteral(" cheque: lectura incompleta.") +
               (largo ? QStringLiteral(" Para facilitar el punteo-revisión") +
                            QStringLiteral(" se mantendrá en pantalla hasta que pulse el botón "
                                           "[Limpiar].")
                      : QString());
    return QStringLiteral("No se han podido salvar: ") + QString::number(invalidos) +
           QStringLiteral(" cheques: lectura incompleta.") +
           (largo ? QStringLiteral(" Para facilitar el punteo-revisión") +
                        QStringLiteral(" se mantendrán en pantalla hasta que pulse el botón "
                                       "[Limpiar].")
                  : QString());
}

QStringList ayudaTolva() {
    return {
        QStringLiteral("Primeros pasos:"),
        QStringLiteral("    1º-  Asegúrese de que el lector de cheques está encendido y conectado "
                       "al equipo."),
        QStringLiteral("    2º.- Cargue la tolva del lector con cheques y presione [Leer cheques]"),
        QStringLiteral("    3º - Una vez leídos, presione [Salvar] para guardar la lectura. Si no "
                       "pudo incorporar los cheques de una sola vez, recargue "),
        QStringLiteral("          de nuevo la tolva y y presione [Leer Cheques]."),
        QStringLiteral("    4º- Una vez escaneados todos los cheques presione [Salir]  para pasar "
                       "a completar los datos de los cheques."),
        QString(),
        QStringLiteral("Nota : "),
        QStringLiteral("Se recomienda comprobar que el número de cheques leídos coincide con los "
                       "existentes. Cuando un cheque no es leído por "),
        QStringLiteral("completo, la aplicación lo descarta."),
        QStringLiteral("En caso de atasco, presione [Desatascar] para liberar autómaticamente el "
                       "cheque. Si el atasco continúa, desmonte las carcasas "),
        QStringLiteral("manualmente  y extraiga el cheque. Si tras un atasco-incidencia con el "
                       "escáner, éste no responde, presione [Reiniciar] y continúe "),
        QStringLiteral("normalmente."),
        QStringLiteral("Parar pausar la lectura de los cheques pendientes en la tolva, presione "
                       "el botón [Parar]."),
    };
}

const QString MensajeSinSeacBanche =
    QStringList{
        QStringLiteral("NO se ha detectado ningún lector de cheques, si dispone de un lector de "
                       "cheques Seac Banche modelo, RDS3000 o SB1500, siga los siguientes pasos "
                       "para su instalación:"),
        QStringLiteral("1) Conecte el escáner al equipo mediante el cable usb y enciéndalo. El "
                       "sistema operativo detectará el lector de cheques e intentará instalarlo."),
        QStringLiteral("2) Al no encontrar los drivers, el sistema operativo, solicitará que el "
                       "usuario indique la carpeta de su ubicación:"),
        QStringLiteral("     2.1) Si dispone de un PC de 64 bits:"),
        QStringLiteral(
            "            C:\\Program Files (x86)\\Teskora_CHK\\Drivers\\Seac_Banche\\64-BIT\\"),
        QStringLiteral("            Si no ha instalado la aplicación en la ruta por defecto "
                       "\"Teskora_CHK\" que emplea el instalador, sustituya este directorio por "
                       "el de instalación."),
        QStringLiteral("     2.2) Si dispone de un PC de 32 bits:"),
        QStringLiteral(
            "            C:\\Program Files (x86)\\Teskora_CHK\\Drivers\\Seac_Banche\\32-BIT\\"),
        QStringLiteral("            Si no ha instalado la aplicación en la ruta por defecto "
                       "\"Teskora_CHK\" que emplea el instalador, sustituya este directorio por "
                       "el de instalación."),
    }
        .join(u'\n');

const QString MensajeSinVisionX =
    QStringList{
        QStringLiteral("NO se ha detectado ningún lector de cheques Panini Vision X. Siga los "
                       "siguientes pasos para solucionar el problema:"),
        QStringLiteral("   1) Salga o cierre \"Teskora_CHK.exe\".\""),
        QStringLiteral("   2) Desconecte del equipo el cable USB del lector y vuelva a conectarlo. "
                       "Si no lo tiene conectado, conecte el cable USB del lector al equipo."),
        QStringLiteral("   3) Abra \"Teskora_CHK.exe\""),
        QStringLiteral("Si los pasos anteriores no resolvieron el problema, se debe a que no se "
                       "pudo realizar la instalación automática del controlador para el lector."),
        QStringLiteral("En tal caso, deberá proceder con la instalación manual del controlador:"),
        QStringLiteral("   1) Salga o cierre \"Teskora_CHK.exe\"."),
        QStringLiteral("   2) Vaya al símbolo de sistema: Ejecute el comando \"CMD\" en modo "
                       "administrador."),
        QStringLiteral("   3.1) Si dispone de un PC de 64 bits, copie la siguiente ruta y péguela "
                       "en el símbolo de sistema:"),
        QStringLiteral("          C:\\Program Files "
                       "(x86)\\Teskora_CHK\\Drivers\\VisionX\\64-BIT\\install_PaniniUSB_64.bat"),
        QStringLiteral("          y pulse la tecla <Entrar/Intro>"),
        QStringLiteral("          Si no ha instalado la aplicación en la ruta por defecto "
                       "\"Teskora_CHK\" que emplea el instalador, sustituya este directorio por "
                       "el de instalación."),
        QStringLiteral("   3.2) Si dispone de un PC de 32 bits, copie la siguiente ruta y péguela "
                       "en el símbolo de sistema:"),
        QStringLiteral("          C:\\Program Files "
                       "(x86)\\Teskora_CHK\\Drivers\\VisionX\\32-BIT\\install_PaniniUSB_32.bat"),
        QStringLiteral("          y pulse la tecla <Entrar/Intro>"),
        QStringLiteral("          Si no ha instalado la aplicación en la ruta por defecto "
                       "\"Teskora_CHK\" que emplea el instalador, sustituya este directorio por "
                       "el de instalación."),
        QStringLiteral("   4) Encienda el lector y compruebe que está conectado a este ordenador, "
                       "el arranque puede necesitar unos segundos."),
        QStringLiteral("Nota: Sólo se permite la conexión de un lector de cheques por PC."),
    }
        .join(u'\n');

} // namespace TextosCaptura
