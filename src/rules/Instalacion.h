#pragma once
// Installation layout: every folder and file name the program uses, computed
// once from the executable's folder (a temporary folder in tests). Folder
// paths are absolute and end with a separator.

#include <QString>

struct tDirectorios {
    QString Dir_Aplicacion;
    QString Dir_Pub;
    QString Dir_Cuarderno;
    QString Dir_Tablas;
    QString Dir_TablaRemesas;
    QString Dir_Hco_Imagenes;
    QString Dir_Imagenes;
    QString Dir_Imagenes_tmp;
    QString Dir_tmp;
    QString Dir_Cons;
};

struct tTablas {
    QString tabla_clientes = QStringLiteral("Deudores.dat");
    QString tabla_Remesas = QStringLiteral("remesas.dat");
    QString tabla_Ordenantes = QStringLiteral("Ordenantes.dat");
    QString tabla_Talones; // cheque tables are named per remittance
    QString tabla_Historico = QStringLiteral("historico.dat");
    QString tabla_HistoricoTalones = QStringLiteral("historicoCheques.dat");
    QString tabla_Facturacion = QStringLiteral("AuxFacturacion.dat");
};

struct tIndices {
    QString indice_Talones;
};

struct tFicheros {
    QString ficheroConfiguracion;
};

struct tInstalacion {
    tDirectorios dirs;
    tTablas tablas;
    tFicheros ficheros;
    QString ficheroTestigo; // marker of the one-time upgrade
    QString ficheroAyuda;

    // Full path of a master table file.
    QString rutaTabla(const QString& fichero) const { return dirs.Dir_Tablas + fichero; }
    // Full path of the cheque table of a remittance.
    QString rutaTablaTalones(int pkRemesa) const;

    QString rutaRemesas() const { return rutaTabla(tablas.tabla_Remesas); }
    QString rutaHistorico() const { return rutaTabla(tablas.tabla_Historico); }
    QString rutaOrdenantes() const { return rutaTabla(tablas.tabla_Ordenantes); }
    QString rutaHistoricoCheques() const { return rutaTabla(tablas.tabla_HistoricoTalones); }
    QString rutaDeudores() const { return rutaTabla(tablas.tabla_clientes); }
    // The cheque table of remittance 1, the standard remittance.
    QString rutaTalonesEstandar() const { return rutaTablaTalones(1); }
};

// Layout under the given application folder (with or without trailing separator).
tInstalacion calculaInstalacion(const QString& dirAplicacion);

// The nine working folders, in the order they are created at start-up.
QStringList carpetasDeTrabajo(const tDirectorios& d);
