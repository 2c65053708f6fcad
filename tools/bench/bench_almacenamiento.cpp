// Storing read lines against the engine's floor. Stores 500 good read lines
// of an image-taking reader (three image files per document in the temporary
// image folder) into the standard remittance, in rounds that alternate the
// program and the floor: the same rows, statements and commits written
// directly against the engine's C interface, with the same image copies. Each
// is measured on (a) fresh tables and (b) tables whose history holds
// 1,000,000 emitted cheques and whose drawer table holds 100,000 drawers.
// Prints the minimum and median of each time and of the ratios; the line
// "ratio" carries the median program/floor ratio on fresh tables.
//
// Then the image checks: the same 500 documents, now with real pictures (the
// shipped samples in turn), stored without checks and with every document's
// images checked as the capture window checks them, (c) all on the storing
// thread before the store (the worst case: nothing overlaps) and (d) on the
// checking worker thread while the store runs (as when the last documents
// of a run are checked at Save). The line "ratio verificacion" carries the
// median of (d)/without, the program's own way; (c) is printed beside it.
//
//   bench_almacenamiento --servidor FICHERO
// measures the storing with the tables on a PostgreSQL server instead: the
// file holds "socket-folder port user database" (tools/bench/servidor_bench.sh
// starts a server with the durable defaults and writes it); each installation
// gets a schema of its own, made for the run. The floor is then the same work
// written directly on the server's C client library (SueloLibpq.h): the same
// statements, prepared once per run, and the same commits and image copies.
// The image checks, which do not touch the tables, are not measured again.
#include "ComunBench.h"
#include "ImagenesTalon.h"
#include "LineaLectura.h"
#include "MotorTablas.h"
#include "SueloLibpq.h"
#include "SueloSqlite.h"
#include "TVerificadorImagenes.h"
#include "TablasInstalacion.h"
#include "TdmBBDD.h"
#include "VerificacionImagenes.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

using bench::ejecuta;
using bench::filas;
using bench::InterfazSilenciosa;
using bench::tMedida;

constexpr int lineasPorPasada = 500;
constexpr int bytesImagen = 20000;

// Good reads with their sequence numbers: distinct cheque numbers over 50
// accounts that no drawer has yet, type 42, a valid amount.
QStringList lineasLeidas() {
    QStringList lineas;
    for (int i = 0; i < lineasPorPasada; ++i)
        lineas << QStringLiteral("+%1 1234 5678 %2 4212 %3¬%4")
                      .arg(3000000 + i, 7, 10, QChar(u'0'))
                      .arg(7000000000LL + i % 50, 10, 10, QChar(u'0'))
                      .arg(1000 + i, 11, 10, QChar(u'0'))
                      .arg(i + 1);
    return lineas;
}

std::string local(const QString& ruta) {
    return QFile::encodeName(ruta).toStdString();
}

struct Instalacion {
    QTemporaryDir dir;
    tInstalacion inst = calculaInstalacion(dir.path());
    tEstadoPrograma estado;
    InterfazSilenciosa iu;
    std::unique_ptr<TdmBBDD> dm = std::make_unique<TdmBBDD>(inst, estado, iu);
    int librados = 0; // drawers before a run
    double cpuMs = 0; // processor time of the last measured run
    // The server holding the tables, and the floor's link to it; none for
    // the table files.
    std::optional<motor::tServidorDatos> servidor;
    std::unique_ptr<suelo::Enlace> enlace;

    void activa() {
        bench::activaServidor(servidor,
                              {dm->rutaTalonesActual(), dm->instalacion().rutaHistoricoCheques(),
                               dm->instalacion().rutaDeudores()});
    }

    // `muestras`: the reader's pictures are the shipped samples, in turn;
    // otherwise blocks of bytes of a picture's size.
    bool prepara(bool envejecida, bool muestras = false) {
        activa();
        if (servidor)
            enlace = std::make_unique<suelo::Enlace>(*servidor);
        if (!dm->tablas().creaCarpetasTrabajo() || !dm->tablas().CreaTablas())
            return false;
        if (envejecida && !bench::envejece(*dm))
            return false;
        librados = envejecida ? bench::libradosPrevios : 0;
        // What the reader left: three images per document, by sequence.
        const std::pair<const char*, const char*> imagenes[] = {
            {"F%1.tif", "_F.tif"}, {"T%1.tif", "_T.tif"}, {"F%1.jpg", "_F.jpg"}};
        for (int n = 1; n <= lineasPorPasada; ++n)
            for (const auto& [nombre, sufijo] : imagenes) {
                const QString destino =
                    inst.dirs.Dir_Imagenes_tmp + QString::fromLatin1(nombre).arg(n);
                if (muestras) {
                    const QString doc =
                        QStringLiteral(MUESTRAS "/doc%1").arg((n - 1) % 12 + 1, 3, 10, QChar(u'0'));
                    if (!QFile::copy(doc + QLatin1String(sufijo), destino))
                        return false;
                    continue;
                }
                QFile f(destino);
                if (!f.open(QIODevice::WriteOnly) ||
                    f.write(QByteArray(bytesImagen, 'x')) != bytesImagen)
                    return false;
            }
        estado.RemesaActual.Pk_Remesa = 1;
        estado.Escaner.tipo = TipoLector::SeacBanche;
        return true;
    }

    // Fills the history and the drawers in one transaction each.

    // Back to the state before a run: no cheques, the drawers it created
    // gone, no images stored.
    bool limpia() {
        activa();
        motor::Conexion talones(dm->instalacion().rutaTalonesEstandar());
        motor::Conexion deudores(dm->instalacion().rutaDeudores());
        vaciaCarpeta(inst.dirs.Dir_Imagenes);
        return ejecuta(talones, QStringLiteral("DELETE FROM Talones")) &&
               ejecuta(deudores,
                       QStringLiteral("DELETE FROM Deudores WHERE Pk_Cliente > %1").arg(librados));
    }

    // Milliseconds of the program storing the lines, or -1.
    double programa() {
        QStringList lista = lineasLeidas();
        if (!limpia())
            return -1;
        bench::vaciaCacheEscritura();
        const bench::tCronometro reloj;
        const tResultadoLectura r = dm->almacenaLineasLeidas(lista, false, VarianteLectura::Normal);
        const int buenos = r.buenos;
        const int invalidos = r.invalidos;
        const double ms = reloj.ms();
        cpuMs = reloj.cpuMs();
        if (buenos != lineasPorPasada || invalidos != 0 || iu.mensajes != 0) {
            std::fprintf(stderr, "stored %d, not stored %d, messages %d\n", buenos, invalidos,
                         iu.mensajes);
            return -1;
        }
        return ms;
    }

    // Milliseconds of the program checking every document's images and
    // storing the lines: the checks on this thread first (`enHilo` false),
    // or on the checking worker while the store runs; -1 on a failure or
    // on a false alarm.
    double programaConVerificacion(bool enHilo) {
        QStringList lista = lineasLeidas();
        if (!limpia())
            return -1;
        bench::vaciaCacheEscritura();
        int avisos = 0;
        TVerificadorImagenes verificador;
        QObject::connect(&verificador, &TVerificadorImagenes::verificado,
                         [&avisos](const QString&, const tAvisoImagen& a) { avisos += a.hay(); });
        const bench::tCronometro reloj;
        for (int n = 1; n <= lineasPorPasada; ++n) {
            if (enHilo)
                verificador.verifica(inst.dirs.Dir_Imagenes_tmp, QString::number(n));
            else
                avisos += verificaImagenesLeidas(inst.dirs.Dir_Imagenes_tmp, QString::number(n), {})
                              .hay();
        }
        const int buenos = dm->almacenaLineasLeidas(lista, false, VarianteLectura::Normal).buenos;
        if (enHilo && !verificador.esperaPendientes(60000))
            return -1;
        const double ms = reloj.ms();
        cpuMs = reloj.cpuMs();
        if (buenos != lineasPorPasada || avisos != 0) {
            std::fprintf(stderr, "stored %d, marked %d\n", buenos, avisos);
            return -1;
        }
        return ms;
    }
    double verificacionAntes() { return programaConVerificacion(false); }
    double verificacionEnHilo() { return programaConVerificacion(true); }

    // Milliseconds of the floor storing the same lines, or -1: on the table
    // files or on the server (`B`).
    template <class B> double sueloEn() {
        const QStringList lista = lineasLeidas();
        if (!limpia())
            return -1;
        bench::vaciaCacheEscritura();
        const bench::tCronometro reloj;
        try {
            B talones = suelo::abre<B>(enlace.get(), dm->rutaTalonesActual());
            B historico = suelo::abre<B>(enlace.get(), dm->instalacion().rutaHistoricoCheques());
            B deudores = suelo::abre<B>(enlace.get(), dm->instalacion().rutaDeudores());
            for (const QString& linea : lista)
                almacenaLinea(linea, talones, historico, deudores);
        } catch (const suelo::Fallo& e) {
            std::fprintf(stderr, "floor: %s\n", e.what());
            return -1;
        }
        cpuMs = reloj.cpuMs();
        return reloj.ms();
    }
    double suelo() { return sueloEn<suelo::Base>(); }
    double sueloServidor() { return sueloEn<suelo::BaseServidor>(); }

    // One line as the floor stores it: key, the two duplicate lookups, the
    // three image copies, the drawer (created in its own transaction when
    // new) and the cheque, key and row in one transaction.
    template <class B>
    void almacenaLinea(const QString& linea, B& talones, B& historico, B& deudores) {
        tLineaDecodificada d = decodificaLinea(linea, VarianteLectura::Normal, true);
        tTalon& t = d.talon;
        const std::string numero = t.Numero.toStdString();
        const std::string modelo = t.numero_Modelo.toStdString();
        const std::string cuenta = t.Cuenta.toStdString();
        const long long clave = talones.siguiente("SELECT max(Pk_Talon) FROM Talones");
        auto& repetido = talones("SELECT 1 FROM Talones WHERE Pk_Talon <> ? AND Numero = ? AND "
                                 "Numero_Modelo = ? AND Cuenta = ? LIMIT 1");
        bool duplicado = repetido.texto(1, std::to_string(clave))
                             .texto(2, numero)
                             .texto(3, modelo)
                             .texto(4, cuenta)
                             .paso();
        repetido.reinicia();
        auto& emitido = historico("SELECT 1 FROM historicoCheques WHERE Numero = ? AND "
                                  "Numero_Modelo = ? AND Cuenta = ? LIMIT 1");
        duplicado = emitido.texto(1, numero).texto(2, modelo).texto(3, cuenta).paso() || duplicado;
        emitido.reinicia();
        if (duplicado)
            marcaDuplicado(d);

        for (const char* prefijo : {"F", "T"})
            suelo::copia(local(inst.dirs.Dir_Imagenes_tmp + prefijo + d.secuencia + ".tif"),
                         local(inst.dirs.Dir_Imagenes + prefijo + d.baseImagen + ".tif"));
        suelo::copia(local(inst.dirs.Dir_Imagenes_tmp + "F" + d.secuencia + ".jpg"),
                     local(inst.dirs.Dir_Imagenes + "F" + d.baseImagen + ".jpg"));

        auto& librado = deudores(
            "SELECT Pk_Cliente, Nombre_Cliente FROM Deudores WHERE Cuenta = ? ORDER BY rowid "
            "LIMIT 1");
        long long claveLibrado = 0;
        std::string nombre;
        if (librado.texto(1, cuenta).paso()) {
            claveLibrado = librado.columnaEntera(0);
            nombre = librado.columnaTexto(1);
        }
        librado.reinicia();
        if (claveLibrado == 0) {
            deudores.ejecuta("BEGIN IMMEDIATE");
            claveLibrado = deudores.siguiente("SELECT max(Pk_Cliente) FROM Deudores");
            auto& nuevo = deudores(
                "INSERT INTO Deudores (Pk_Cliente, Nombre_Cliente, Cuenta) VALUES (?, ?, ?)");
            nuevo.entero(1, claveLibrado).texto(2, "").texto(3, cuenta).paso();
            nuevo.reinicia();
            deudores.ejecuta("COMMIT");
        }

        talones.ejecuta("BEGIN IMMEDIATE");
        auto& inserta =
            talones("INSERT INTO Talones (Pk_Talon, indicador, Modelo_Talon, Importe, "
                    "Fecha_Talon, Numero_Modelo, Numero, Estado, Cuenta, Nombre_Cliente, "
                    "fk_Clientes, fk_Remesa) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        inserta.entero(1, talones.siguiente("SELECT max(Pk_Talon) FROM Talones"))
            .entero(2, t.indicador)
            .texto(3, t.Modelo_Talon.toStdString())
            .texto(4, textoImporte(t.Importe).toStdString())
            .texto(5, t.FechaPago.toStdString())
            .texto(6, modelo)
            .texto(7, numero)
            .texto(8, codigoEstado(t.Estado).toStdString())
            .texto(9, cuenta)
            .texto(10, nombre.empty() ? t.Nombre_Cliente.toStdString() : nombre)
            .entero(11, claveLibrado)
            .entero(12, 1)
            .paso();
        inserta.reinicia();
        talones.ejecuta("COMMIT");
    }
};

// Storing with and without the image checks, in alternate rounds on one
// installation whose reader left real pictures.
bool mideVerificacion() {
    Instalacion i;
    if (!i.prepara(false, true))
        return false;
    using Lado = double (Instalacion::*)();
    const Lado lados[] = {&Instalacion::programa, &Instalacion::verificacionAntes,
                          &Instalacion::verificacionEnHilo};
    tMedida ms[3];
    for (int ronda = 0; ronda < bench::rondas; ++ronda)
        for (int k = 0; k < 3; ++k) {
            const int lado = (k + ronda) % 3;
            const double t = (i.*lados[lado])();
            if (t < 0)
                return false;
            ms[lado].valores.push_back(t);
        }
    std::printf("storing 500 read lines with their image checks (sample pictures), %d rounds\n",
                bench::rondas);
    bench::imprimeTiempo("program without checks", ms[0]);
    bench::imprimeTiempo("(c) checks before the store, same thread", ms[1]);
    bench::imprimeTiempo("(d) checks on the worker thread during the store", ms[2]);
    bench::imprimeRazon("(c)/without, worst case", bench::razones(ms[1], ms[0]));
    bench::imprimeRazon("(d)/without (target <= 1.1)", bench::razones(ms[2], ms[0]));
    std::printf("ratio verificacion %.2f\n", bench::razones(ms[2], ms[0]).mediana());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // "--verificacion": only the image checks (no table of a million cheques to fill).
    if (app.arguments().contains(QStringLiteral("--verificacion")))
        return mideVerificacion() ? 0 : 1;
    Instalacion nueva;
    Instalacion envejecida;
    const QString servidor = bench::argumento(app.arguments(), QStringLiteral("--servidor"));
    if (!servidor.isEmpty())
        return suelo::mideEnServidor(servidor, nueva, envejecida,
                                     "storing 500 read lines (3 images each) on the server",
                                     {{"libpq floor", &Instalacion::sueloServidor, 1.3, 1.3}})
                   ? 0
                   : 1;
    if (!nueva.prepara(false) || !envejecida.prepara(true))
        return 1;
    if (!bench::mideRondas(nueva, envejecida, "storing 500 read lines (3 images each)",
                           {{"floor", &Instalacion::suelo, 1.2, 1.2}}))
        return 1;
    return mideVerificacion() ? 0 : 1;
}
