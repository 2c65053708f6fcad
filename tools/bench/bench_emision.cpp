// The emission against the engine's floor. Emits a remittance of 1,000
// correct cheques (each with its three image files) in rounds that alternate
// the program and the floor: the same table files, rows, statements and
// commits written directly against the engine's C interface, each record
// appended with its own open, append and close, each cheque moved to the
// history in its own transaction, its images moved by rename, and the ZIP of
// the presentation file and the front images made with libzip. Each is
// measured on (a) fresh tables and (b) tables whose history holds 1,000,000
// emitted cheques and whose drawer table holds 100,000 drawers. Prints the
// minimum and median of each time and of the ratios; the line "ratio" carries
// the median program/floor ratio on fresh tables.
#include "ComunBench.h"
#include "ImagenesTalon.h"
#include "MotorTablas.h"
#include "SueloSqlite.h"
#include "TdmBBDD.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <vector>

#include <sys/stat.h>
#include <zip.h>

namespace {

using bench::ejecuta;
using bench::filas;
using bench::InterfazSilenciosa;
using bench::tMedida;

constexpr int chequesPorEmision = 1000;
constexpr int chequesEmitidos = 1000000;
constexpr int libradosPrevios = 100000;
constexpr int bytesImagen = 20000;

std::string local(const QString& ruta) {
    return QFile::encodeName(ruta).toStdString();
}

// A fixed-width record of 150 characters and its CR LF.
std::string registro(const char* tipo, const std::string& campos) {
    std::string r = tipo + campos;
    r.resize(150, ' ');
    return r + "\r\n";
}

// One installation in its own temporary folder, with a presenter; before
// each run its remittance holds n correct cheques whose images are in the
// image folder, and nothing of earlier runs is left in the history or Cons.
struct Instalacion {
    QTemporaryDir dir;
    tInstalacion inst = calculaInstalacion(dir.path());
    tEstadoPrograma estado;
    InterfazSilenciosa iu;
    std::unique_ptr<TdmBBDD> dm = std::make_unique<TdmBBDD>(inst, estado, iu);
    int emitidos = 0; // history rows before a run
    QStringList imagenes;

    bool prepara(bool envejecida) {
        if (!dm->creaCarpetasTrabajo() || !dm->CreaTablas())
            return false;
        {
            motor::Conexion con(dm->rutaOrdenantes());
            if (!ejecuta(con, "INSERT INTO Ordenantes VALUES (1, 'B12345678', 'EMPRESA', "
                              "'ES9121000418450200051332')"))
                return false;
        }
        if (envejecida && !envejece())
            return false;
        emitidos = envejecida ? chequesEmitidos : 0;
        for (int i = 1; i <= chequesPorEmision; ++i) {
            const QString base =
                baseImagenTalon(QStringLiteral("0049150005%1").arg(i, 10, 10, QChar(u'0')),
                                QStringLiteral("4212-5"), QString::number(5000000 + i));
            for (const char* nombre : {"F%1.tif", "T%1.tif", "F%1.jpg"}) {
                imagenes << QString::fromLatin1(nombre).arg(base);
                QFile f(inst.dirs.Dir_Imagenes + imagenes.last());
                if (!f.open(QIODevice::WriteOnly) ||
                    f.write(QByteArray(bytesImagen, 'x')) != bytesImagen)
                    return false;
            }
        }
        estado.RemesaActual.Pk_Remesa = 1;
        estado.RemesaActual.Nombre_Remesa = QStringLiteral("ESTANDAR");
        estado.OrdenanteActual.Pk_Ordenante = 1;
        return true;
    }

    bool envejece() {
        {
            motor::Conexion con(dm->rutaHistoricoCheques());
            motor::Transaccion tr(con);
            const QString sql =
                filas(chequesEmitidos) +
                QStringLiteral("INSERT INTO historicoCheques SELECT i, 'REMESA ' || (i / 400), "
                               "'1.234,56', '01/02/2025', '03/02/2025', "
                               "printf('CONS.%04d', i / 400), 'CHEQUE CUENTA CORRIENTE', "
                               "'4212-5', '', printf('%07d-%d', (i * 7919) % 10000000, i % 7), "
                               "'LIBRADO', 'B12345678 ', 'EMPRESA', 'ES7620770024003102575766', "
                               "printf('2100%016d', i % 200000), 123456, 0 FROM n");
            if (!ejecuta(con, sql) || !tr.confirma())
                return false;
        }
        motor::Conexion con(dm->rutaDeudores());
        motor::Transaccion tr(con);
        const QString sql = filas(libradosPrevios) +
                            QStringLiteral("INSERT INTO Deudores SELECT i, 'LIBRADO ' || i, '', "
                                           "printf('2100%016d', i), '', '' FROM n");
        return ejecuta(con, sql) && tr.confirma();
    }

    // The remittance filled again, the images back in the image folder, the
    // history rows and the files of the last run gone.
    bool reinicia() {
        for (const QString& f : imagenes)
            if (QFile::exists(inst.dirs.Dir_Hco_Imagenes + f) &&
                !QFile::rename(inst.dirs.Dir_Hco_Imagenes + f, inst.dirs.Dir_Imagenes + f))
                return false;
        vaciaCarpeta(inst.dirs.Dir_Cons);
        vaciaCarpeta(inst.dirs.Dir_Imagenes_tmp);
        {
            motor::Conexion con(dm->rutaHistoricoCheques());
            if (!ejecuta(
                    con,
                    QStringLiteral("DELETE FROM historicoCheques WHERE rowid > %1").arg(emitidos)))
                return false;
        }
        {
            motor::Conexion con(dm->rutaHistorico());
            if (!ejecuta(con, QStringLiteral("DELETE FROM historico")))
                return false;
        }
        motor::Conexion con(dm->rutaTalonesEstandar());
        motor::Transaccion tr(con);
        const QString sql =
            filas(chequesPorEmision) +
            QStringLiteral("INSERT INTO Talones SELECT i, '0', '4212-5', '1234,56', "
                           "'15/02/2025', printf('%07d-%d', 5000000 + i, i % 7), '0', "
                           "printf('0049150005%010d', i), 0, 'LIBRADO', 1, 1 FROM n");
        return ejecuta(con, QStringLiteral("DELETE FROM Talones")) && ejecuta(con, sql) &&
               tr.confirma();
    }

    // Milliseconds of one emission by the program; -1 when it failed.
    double programa() {
        if (!reinicia())
            return -1;
        bench::vaciaCacheEscritura();
        QElapsedTimer reloj;
        reloj.start();
        try {
            if (!dm->facturaFichero(estado.RemesaActual, QStringLiteral("05/03/2025"),
                                    QStringLiteral("10/03/2025")))
                return -1;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return -1;
        }
        const double ms = double(reloj.nsecsElapsed()) / 1e6;
        return todoEmitido() ? ms : -1;
    }

    bool todoEmitido() {
        motor::Conexion con(dm->rutaTalonesEstandar());
        motor::Sentencia s(con, QStringLiteral("SELECT count(*) FROM Talones"));
        const bool vacia = s.ejecuta() && s.siguiente() && s.entero(0) == 0;
        if (!vacia || iu.mensajes != 0 || !QFile::exists(inst.dirs.Dir_Cons + "CONS.0001.zip")) {
            std::fprintf(stderr, "not everything was emitted\n");
            return false;
        }
        return true;
    }

    // Milliseconds of the same emission by the floor; -1 when it failed.
    double suelo() {
        if (!reinicia())
            return -1;
        bench::vaciaCacheEscritura();
        QElapsedTimer reloj;
        reloj.start();
        try {
            emiteSuelo();
        } catch (const suelo::Fallo& e) {
            std::fprintf(stderr, "floor: %s\n", e.what());
            return -1;
        }
        const double ms = double(reloj.nsecsElapsed()) / 1e6;
        return todoEmitido() ? ms : -1;
    }

    void emiteSuelo() {
        const tDirectorios& d = inst.dirs;
        const std::string cons = local(d.Dir_Cons + "CONS.0001");
        const std::string informe = local(d.Dir_Cons + "INFORES.0001");
        const std::string marca = local(d.Dir_Cons + "EmisionEnCurso.txt");
        suelo::Base talones(local(dm->rutaTalonesEstandar()));
        auto& adjunta = talones("ATTACH DATABASE ? AS hco");
        adjunta.texto(1, local(dm->rutaHistoricoCheques())).paso();
        adjunta.reinicia();
        suelo::Base historico(local(dm->rutaHistorico()));

        // The record of the emission in progress, written whole.
        const sqlite3_int64 claveCheques =
            talones.siguiente("SELECT max(Pk_HistoricoRecibos) FROM hco.historicoCheques");
        const sqlite3_int64 claveRemesas =
            historico.siguiente("SELECT max(Pk_Historico) FROM historico");
        {
            const std::string texto = "fichero=CONS.0001\r\nnumero=0001\r\nhistoricoCheques=" +
                                      std::to_string(claveCheques - 1) +
                                      "\r\nhistorico=" + std::to_string(claveRemesas - 1) + "\r\n";
            const std::string aparte = marca + ".tmp";
            std::FILE* f = std::fopen(aparte.c_str(), "wb");
            if (!f || std::fwrite(texto.data(), 1, texto.size(), f) != texto.size() ||
                std::fflush(f) != 0 || ::fsync(fileno(f)) != 0 || std::fclose(f) != 0 ||
                std::rename(aparte.c_str(), marca.c_str()) != 0)
                throw suelo::Fallo("marker");
        }
        suelo::anade(cons, registro("1056", "B12345678 " + std::string(60, '0')));
        suelo::anade(informe, std::string(120, ' ') + "\r\n" + std::string(120, ' ') + "\r\n");

        struct tFila {
            sqlite3_int64 fila;
            std::string numero, modelo, importe, fecha, cuenta, nombre, tipo;
        };
        std::vector<tFila> correctos;
        auto& lee = talones("SELECT rowid, Modelo_Talon, Numero_Modelo, Importe, Fecha_Talon, "
                            "Numero, Cuenta, Nombre_Cliente FROM main.Talones WHERE Estado = '0'");
        while (lee.paso())
            correctos.push_back({lee.columnaEntera(0), lee.columnaTexto(5), lee.columnaTexto(2),
                                 lee.columnaTexto(3), lee.columnaTexto(4), lee.columnaTexto(6),
                                 lee.columnaTexto(7), lee.columnaTexto(1)});
        lee.reinicia();

        std::vector<std::string> frontales;
        struct stat info;
        for (const tFila& c : correctos) {
            auto& emitido = talones("SELECT 1 FROM hco.historicoCheques WHERE Numero = ? AND "
                                    "Numero_Modelo = ? AND Cuenta = ? LIMIT 1");
            if (emitido.texto(1, c.numero).texto(2, c.modelo).texto(3, c.cuenta).paso())
                throw suelo::Fallo("already emitted");
            emitido.reinicia();
            const QString base =
                baseImagenTalon(QString::fromStdString(c.cuenta), QString::fromStdString(c.modelo),
                                QString::fromStdString(c.numero));
            ::stat(local(d.Dir_Imagenes + "F" + base + ".jpg").c_str(), &info);

            talones.ejecuta("BEGIN IMMEDIATE");
            auto& inserta = talones(
                "INSERT INTO hco.historicoCheques (Pk_HistoricoRecibos, Nombre_Remesa, Importe, "
                "Modelo_Talon, Fecha_Pago, Fecha_Confeccion, Fecha_Talon, Numero_Modelo, "
                "Numero, Nombre_Cliente, Nombre_Cons, Cuenta, Cuenta_ord, "
                "Nombre_Ordenante, imp, indicador, Nif_Sufijo) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
            inserta
                .entero(1, talones.siguiente(
                               "SELECT max(Pk_HistoricoRecibos) FROM hco.historicoCheques"))
                .texto(2, "ESTANDAR")
                .texto(3, "1.234,56")
                .texto(4, "CHEQUE CUENTA CORRIENTE")
                .texto(5, "10/03/2025")
                .texto(6, "05/03/2025")
                .texto(7, c.fecha)
                .texto(8, c.modelo)
                .texto(9, c.numero)
                .texto(10, c.nombre)
                .texto(11, "CONS.0001")
                .texto(12, c.cuenta)
                .texto(13, "ES9121000418450200051332")
                .texto(14, "EMPRESA")
                .entero(15, 123456)
                .entero(16, 0)
                .texto(17, "B12345678 ")
                .paso();
            inserta.reinicia();
            auto& borra = talones("DELETE FROM main.Talones WHERE rowid = ?");
            borra.entero(1, c.fila).paso();
            borra.reinicia();
            // The sizes to cut the files back to, should the commit fail.
            ::stat(informe.c_str(), &info);
            ::stat(cons.c_str(), &info);
            suelo::anade(informe, c.numero + " " + c.cuenta + " " + c.importe + " " +
                                      std::string(70, ' ') + "\r\n");
            suelo::anade(cons, registro("2056", "B12345678 " + c.numero + c.cuenta + c.modelo +
                                                    "0000000123456150225"));
            talones.ejecuta("COMMIT");

            for (const QString& prefijo : {QStringLiteral("F%1.jpg"), QStringLiteral("T%1.tif"),
                                           QStringLiteral("F%1.tif")}) {
                const QString nombre = prefijo.arg(base);
                if (std::rename(local(d.Dir_Imagenes + nombre).c_str(),
                                local(d.Dir_Hco_Imagenes + nombre).c_str()) != 0)
                    throw suelo::Fallo("rename");
            }
            frontales.push_back(local(d.Dir_Hco_Imagenes + "F" + base + ".tif"));
        }

        suelo::anade(cons, registro("4056", "B12345678 " + std::string(35, '0')));
        suelo::anade(local(d.Dir_Cons + "INFO.0001"), std::string(40 * 82, ' '));
        suelo::anade(informe, std::string(4 * 82, ' '));
        historico.ejecuta("BEGIN IMMEDIATE");
        auto& remesa = historico(
            "INSERT INTO historico (Pk_Historico, Nombre_Remesa, Importe, Numero_Talones, "
            "Numero_Registros, Fecha_Soporte, Fecha_Confeccion, Nombre_Cons, Cuenta, "
            "Nombre_Ordenante, Nif) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        remesa.entero(1, historico.siguiente("SELECT max(Pk_Historico) FROM historico"))
            .texto(2, "ESTANDAR")
            .texto(3, "1234560,00")
            .texto(4, "1000")
            .texto(5, "1003")
            .texto(6, "10/03/2025")
            .texto(7, "05/03/2025")
            .texto(8, "CONS.0001")
            .texto(9, "ES9121000418450200051332")
            .texto(10, "EMPRESA")
            .texto(11, "B12345678 ")
            .paso();
        remesa.reinicia();
        historico.ejecuta("COMMIT");

        // The archive: a copy of the presentation file and the front TIFFs.
        const std::string copia = local(d.Dir_Imagenes_tmp + "CONS0001.txt");
        suelo::copia(cons, copia);
        int error = 0;
        zip_t* zip = zip_open(local(d.Dir_Cons + "CONS.0001.zip").c_str(),
                              ZIP_CREATE | ZIP_TRUNCATE, &error);
        if (!zip)
            throw suelo::Fallo("zip");
        const auto anadeAlZip = [zip](const std::string& ruta) {
            zip_source_t* s = zip_source_file(zip, ruta.c_str(), 0, -1);
            const std::string nombre = ruta.substr(ruta.find_last_of('/') + 1);
            const zip_int64_t i = s ? zip_file_add(zip, nombre.c_str(), s, ZIP_FL_ENC_GUESS) : -1;
            if (i < 0 || zip_set_file_compression(zip, zip_uint64_t(i), ZIP_CM_DEFLATE, 0) != 0)
                throw suelo::Fallo("zip entry");
        };
        anadeAlZip(copia);
        for (const std::string& f : frontales)
            anadeAlZip(f);
        if (zip_close(zip) != 0)
            throw suelo::Fallo("zip close");
        std::remove(copia.c_str());
        std::remove(marca.c_str());
    }
};

struct tResultados {
    tMedida programa, suelo;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Instalacion nueva;
    Instalacion envejecida;
    if (!nueva.prepara(false) || !envejecida.prepara(true))
        return 1;
    // One unmeasured run of each loads the engine, the code page and the
    // file system's caches.
    if (nueva.programa() < 0 || nueva.suelo() < 0)
        return 1;

    tResultados a, b;
    for (int ronda = 0; ronda < bench::rondas; ++ronda) {
        // The order alternates, so neither side always runs first.
        const bool programaPrimero = ronda % 2 == 0;
        for (auto [inst, r] : {std::pair{&nueva, &a}, std::pair{&envejecida, &b}}) {
            for (int lado = 0; lado < 2; ++lado) {
                const bool esPrograma = (lado == 0) == programaPrimero;
                const double ms = esPrograma ? inst->programa() : inst->suelo();
                if (ms < 0)
                    return 1;
                (esPrograma ? r->programa : r->suelo).valores.push_back(ms);
            }
        }
        std::fprintf(stderr, "round %d done\n", ronda + 1);
    }

    std::printf("emission of %d cheques (3 images each), %d rounds\n", chequesPorEmision,
                bench::rondas);
    bench::imprimeTiempo("(a) program, fresh tables", a.programa);
    bench::imprimeTiempo("(a) floor, fresh tables", a.suelo);
    bench::imprimeTiempo("(b) program, 1,000,000 cheques, 100,000 drawers", b.programa);
    bench::imprimeTiempo("(b) floor, 1,000,000 cheques, 100,000 drawers", b.suelo);
    const tMedida razonA = bench::razones(a.programa, a.suelo);
    const tMedida razonB = bench::razones(b.programa, b.suelo);
    const tMedida envejecimiento = bench::razones(b.programa, a.programa);
    bench::imprimeRazon("program/floor, fresh tables (target <= 1.2)", razonA);
    bench::imprimeRazon("program/floor, large tables (target <= 1.2)", razonB);
    bench::imprimeRazon("program large/fresh (target <= 1.5)", envejecimiento);
    std::printf("ratio %.2f\n", razonA.mediana());
    return 0;
}
