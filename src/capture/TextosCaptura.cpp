#include "TextosCaptura.h"

#include "BibliotecaLector.h"
#include "DriverPanini.h"
#include "Instalacion.h"

#include <QDir>
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

QString nombraLinea(const tLineaNoGuardada& linea) {
    // Longer than any codeline a reader delivers whole.
    constexpr qsizetype Maximo = 60;
    QString codigo = linea.linea;
    if (linea.linea.contains(QChar(0x00AC)))
        codigo.truncate(codigo.lastIndexOf(QChar(0x00AC)));
    if (codigo.startsWith(QStringLiteral("ERROR ")))
        codigo.remove(0, 6);
    else if (codigo.startsWith(u'+'))
        codigo.remove(0, 1);
    for (QChar& c : codigo)
        if (c.unicode() < 0x20 || c.unicode() >= 0x7F)
            c = u'?';
    codigo = codigo.trimmed();
    if (codigo.size() > Maximo)
        codigo = codigo.left(Maximo) + QStringLiteral("...");
    if (codigo.isEmpty())
        codigo = QStringLiteral("(sin banda)");
    const QString numero = linea.secuencia.isEmpty() ? QStringLiteral("?") : linea.secuencia;
    return QStringLiteral("    Nº %1: %2").arg(numero, codigo);
}

namespace {

QString cheques(qsizetype n) {
    return n == 1 ? QStringLiteral("1 cheque") : QStringLiteral("%1 cheques").arg(n);
}

} // namespace

QString noSalvados(const tResultadoLectura& resultado, bool largo) {
    using Motivo = tLineaNoGuardada::Motivo;
    QStringList parrafos;
    for (const Motivo motivo :
         {Motivo::LecturaIncompleta, Motivo::ImagenesNoCopiadas, Motivo::Tabla}) {
        QStringList nombres;
        for (const tLineaNoGuardada& l : resultado.noGuardadas)
            if (l.motivo == motivo)
                nombres << nombraLinea(l);
        if (nombres.isEmpty())
            continue;
        QString cabeza;
        QString pie;
        switch (motivo) {
        case Motivo::LecturaIncompleta:
            cabeza = noSalvados(static_cast<int>(nombres.size()), largo);
            break;
        case Motivo::ImagenesNoCopiadas:
            cabeza = QStringLiteral("No se han podido copiar las imágenes de %1 a la carpeta "
                                    "%2: %3.")
                         .arg(cheques(nombres.size()), resultado.carpetaImagenes,
                              resultado.causaImagenes);
            pie = QStringLiteral("Siguen en la lista con sus imágenes: cuando lo haya "
                                 "resuelto, pulse [Salvar] de nuevo.");
            break;
        case Motivo::Tabla:
            cabeza = QStringLiteral("No se han podido salvar %1 porque una tabla no estaba "
                                    "disponible (vea el mensaje anterior).")
                         .arg(cheques(nombres.size()));
            pie = QStringLiteral("Siguen en la lista: pulse [Salvar] de nuevo cuando la tabla "
                                 "esté disponible.");
            break;
        }
        QStringList parrafo{cabeza};
        parrafo << nombres;
        if (!pie.isEmpty())
            parrafo << pie;
        parrafos << parrafo.join(u'\n');
    }
    return parrafos.join(QStringLiteral("\n\n"));
}

QString documentosLeidos(int documentos) {
    return QStringLiteral("Documentos leídos en esta lectura: %1.").arg(documentos);
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

#ifdef Q_OS_WIN
namespace {

const QString SinSeacBancheWindows =
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

const QString SinVisionXWindows =
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

} // namespace

QString mensajeSinSeacBanche(const tInstalacion&) {
    return SinSeacBancheWindows;
}

QString mensajeSinVisionX(const tInstalacion&) {
    return SinVisionXWindows;
}
#else
namespace {

// Where the reader's library is looked for, as BibliotecaLector looks.
QString dondeSeBusca(const tInstalacion& inst, const QString& clave, const QString& fabricante) {
    return QStringLiteral("el fichero que indique la clave %1 de la sección [%2] de %3 (una ruta "
                          "relativa se toma desde la carpeta de instalación) y, sin esa clave, "
                          "%4 en la carpeta de instalación %5 y después en las rutas de "
                          "bibliotecas del sistema.")
        .arg(clave, ClaveBiblioteca::Seccion,
             QDir::toNativeSeparators(inst.ficheros.ficheroConfiguracion),
             ficheroDeFabricante(fabricante),
             QDir::toNativeSeparators(QDir(inst.dirs.Dir_Aplicacion).absolutePath()));
}

} // namespace

QString mensajeSinSeacBanche(const tInstalacion& inst) {
    return QStringList{
        QStringLiteral("NO se ha detectado ningún lector de cheques, si dispone de un lector de "
                       "cheques Seac Banche modelo, RDS3000 o SB1500, siga los siguientes pasos "
                       "para su instalación:"),
        QStringLiteral("1) Conecte el escáner al equipo mediante el cable usb y enciéndalo."),
        QStringLiteral("2) Compruebe que la biblioteca del lector está instalada. Se busca en ") +
            dondeSeBusca(inst, ClaveBiblioteca::SeacBanche, QStringLiteral("rd3lib")),
        QStringLiteral("3) Salga del programa y vuelva a abrirlo: la biblioteca se carga al "
                       "arrancar."),
    }
        .join(u'\n');
}

QString mensajeSinVisionX(const tInstalacion& inst) {
    const tDriverPanini acceso = driverPaniniDelSistema(inst);
    return QStringList{
        QStringLiteral("NO se ha detectado ningún lector de cheques Panini Vision X. Siga los "
                       "siguientes pasos para solucionar el problema:"),
        QStringLiteral("   1) Salga del programa."),
        QStringLiteral("   2) Desconecte del equipo el cable USB del lector y vuelva a conectarlo. "
                       "Si no lo tiene conectado, conecte el cable USB del lector al equipo."),
        QStringLiteral("   3) Vuelva a abrir el programa."),
        QStringLiteral("Si los pasos anteriores no resolvieron el problema, compruebe:"),
        QStringLiteral("   - La biblioteca del lector. Se busca en ") +
            dondeSeBusca(inst, ClaveBiblioteca::VisionX, QStringLiteral("VisionAPI")),
        QStringLiteral("   - La regla de acceso al lector, %1: sin ella el lector solo se puede "
                       "abrir como administrador. Si falta, desconecte el cable USB del lector, "
                       "abra Mantenimiento > Configuración de escáner y pulse [Aceptar]: la "
                       "ventana \"Controlador Panini Vison X\" la instala con [Aceptar], tras "
                       "pedir la contraseña de administrador. También se instala desde una "
                       "terminal con: sudo %2")
            .arg(acceso.instalado, acceso.guion64),
        QStringLiteral("   4) Encienda el lector y compruebe que está conectado a este ordenador, "
                       "el arranque puede necesitar unos segundos."),
        QStringLiteral("Nota: Sólo se permite la conexión de un lector de cheques por PC."),
    }
        .join(u'\n');
}
#endif

} // namespace TextosCaptura
