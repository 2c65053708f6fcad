#include "ConfiguracionBaseDatos.h"

#include "FicheroPerfil.h"

motor::tServidorDatos leeServidorDatos(const QString& ficheroConfiguracion) {
    using namespace ConfiguracionBaseDatos;
    const TFicheroPerfil ini(ficheroConfiguracion);
    motor::tServidorDatos s;
    s.servidor = ini.texto(Seccion, QStringLiteral("Servidor"), QStringLiteral("localhost"));
    s.puerto = ini.entero(Seccion, QStringLiteral("Puerto"), 5432);
    s.base = ini.texto(Seccion, QStringLiteral("Base"), QString());
    s.usuario = ini.texto(Seccion, QStringLiteral("Usuario"), QString());
    s.esquema = ini.texto(Seccion, QStringLiteral("Esquema"), QString());
    return s;
}

tConfiguracionBaseDatos leeConfiguracionBaseDatos(const QString& ficheroConfiguracion) {
    using namespace ConfiguracionBaseDatos;
    const TFicheroPerfil ini(ficheroConfiguracion);
    tConfiguracionBaseDatos c;
    const QString motorDatos = ini.texto(Seccion, QStringLiteral("Motor"), QString());
    if (motorDatos.isEmpty() || motorDatos.compare(MotorFicheros, Qt::CaseInsensitive) == 0)
        return c;
    if (motorDatos.compare(MotorServidor, Qt::CaseInsensitive) != 0) {
        c.problema = QStringLiteral("En %1, sección [%2], Motor=%3 no es un motor de base de "
                                    "datos conocido: escriba SQLite o PostgreSQL.")
                         .arg(ficheroConfiguracion, Seccion, motorDatos);
        return c;
    }
    const motor::tServidorDatos s = leeServidorDatos(ficheroConfiguracion);
    if (s.base.isEmpty())
        c.problema = QStringLiteral("En %1, sección [%2], falta Base=: el nombre de la base de "
                                    "datos del servidor.")
                         .arg(ficheroConfiguracion, Seccion);
    else
        c.servidor = s;
    return c;
}

QString aplicaConfiguracionBaseDatos(const tInstalacion& instalacion) {
    const tConfiguracionBaseDatos c =
        leeConfiguracionBaseDatos(instalacion.ficheros.ficheroConfiguracion);
    if (c.problema.isEmpty())
        motor::usaServidor(c.servidor);
    return c.problema;
}

void escribeConfiguracionBaseDatos(const QString& ficheroConfiguracion,
                                   const motor::tServidorDatos& servidor) {
    using namespace ConfiguracionBaseDatos;
    TFicheroPerfil ini(ficheroConfiguracion);
    ini.fija(Seccion, QStringLiteral("Motor"), MotorServidor);
    ini.fija(Seccion, QStringLiteral("Servidor"), servidor.servidor);
    ini.fijaEntero(Seccion, QStringLiteral("Puerto"), servidor.puerto);
    ini.fija(Seccion, QStringLiteral("Base"), servidor.base);
    ini.fija(Seccion, QStringLiteral("Usuario"), servidor.usuario);
    ini.fija(Seccion, QStringLiteral("Esquema"), servidor.esquema);
    ini.guarda();
}
