// The emission against two floors. Emits a remittance of 1,000 correct
// cheques (each with its three image files) in rounds that alternate the
// program and the floors, both written directly against the engine's C
// interface and the file system:
// - the per-cheque floor, the same rows, statements and commits as an
//   emission that commits each cheque on its own: each record appended with
//   its own open, append and close, each cheque moved to the history in its
//   own transaction, its images moved by rename right after;
// - the physical floor, the least durable work for the same result: the
//   record of the emission in progress written whole, one transaction over
//   the cheque table with the two history tables attached moving the same
//   rows (keys taken once), the three text files made in memory and each
//   written once and synced once, the archive made before the commit, the
//   images moved by rename after it.
// Both make the ZIP of the presentation file and the front images with
// libzip. Each is measured on (a) fresh tables and (b) tables whose history
// holds 1,000,000 cheques of 2,500 emissions and whose drawer table holds
// 100,000 drawers. Prints the minimum and median of each time and of the
// ratios; the line "ratio" carries the median program / physical floor ratio
// on fresh tables.
//
// Also, for counting what one emission asks of the disk (with strace):
//   bench_emision --cheques N --prepara DIR   a fresh installation in DIR
//                                             with N cheques to emit;
//   bench_emision --cheques N --una DIR       one emission by the program
//                                             there, nothing else.
//
//   bench_emision --servidor FICHERO
// measures the emission with the tables on a PostgreSQL server instead: the
// file holds "socket-folder port user database" (tools/bench/servidor_bench.sh
// starts a server with the durable defaults and writes it); each installation
// gets a schema of its own, made for the run. Both floors are then the same
// work written directly on the server's C client library (SueloLibpq.h): the
// same statements, prepared once per run, the same commits and the same file
// work; the tables a file floor attaches are simply in sight, all in one
// database. There the physical floor sends what the program sends: in its one
// transaction the history looked up, the history rows inserted and the
// emitted rows deleted by groups (of 500 values) rather than row by row, and
// the bank file's totals read back; around it, the emission lock, the checks
// of the emission's number and the record of the emission in progress and
// the act, which on the server are rows with transactions of their own.
#include "ComunBench.h"
#include "DigitosControl.h"
#include "EmisionEnCurso.h"
#include "ImagenesTalon.h"
#include "MotorTablas.h"
#include "RegistroActividad.h"
#include "SueloLibpq.h"
#include "SueloSqlite.h"
#include "TablasInstalacion.h"
#include "TdmBBDD.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <set>
#include <type_traits>
#include <vector>

#include <sys/stat.h>
#include <zip.h>

namespace {

using bench::ejecuta;
using bench::filas;
using bench::InterfazSilenciosa;
using bench::tMedida;

constexpr int chequesPorEmision = 1000;
constexpr int bytesImagen = 20000;
// The covering letter the program writes for this remittance.
constexpr int bytesCarta = 1160;

std::string local(const QString& ruta) {
    return QFile::encodeName(ruta).toStdString();
}

// A fixed-width record of 150 characters and its CR LF.
std::string registro(const char* tipo, const std::string& campos) {
    std::string r = tipo + campos;
    r.resize(150, ' ');
    return r + "\r\n";
}

// The i-th cheque of the remittance, with valid check digits and account.
tTalon talon(int i) {
    tTalon t;
    t.numero_Modelo = QStringLiteral("4212-") + digitoControlModulo7(QStringLiteral("4212"));
    const QString numero = QString::number(5000000 + i);
    t.Numero = numero + u'-' + digitoControlModulo7(QStringLiteral("4212") + numero);
    const QString cuenta = QStringLiteral("00491500??%1").arg(i, 10, 10, QChar(u'0'));
    t.Cuenta = cuenta.left(8) + calculaDigitosControlCCC(cuenta) + cuenta.mid(10);
    return t;
}

// Writes the file whole and forces it to the disk: open, one write, one
// sync, close.
void escribeSincronizado(const std::string& ruta, const std::string& bytes) {
    std::FILE* f = std::fopen(ruta.c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() ||
        std::fflush(f) != 0 || ::fsync(fileno(f)) != 0 || std::fclose(f) != 0)
        throw suelo::Fallo("write " + ruta);
}

// The record of the emission in progress, written aside, synced and renamed
// into place: whole or absent.
void escribeMarca(const std::string& marca, const std::string& nombreCons,
                  const std::string& numero, long long claveCheques, long long claveRemesas) {
    const std::string aparte = marca + ".tmp";
    escribeSincronizado(aparte, "fichero=" + nombreCons + "\r\nnumero=" + numero +
                                    "\r\nhistoricoCheques=" + std::to_string(claveCheques - 1) +
                                    "\r\nhistorico=" + std::to_string(claveRemesas - 1) + "\r\n");
    if (std::rename(aparte.c_str(), marca.c_str()) != 0)
        throw suelo::Fallo("marker");
}

// The archive: the copy of the presentation file and the front TIFFs, each
// deflated.
void comprime(const std::string& rutaZip, const std::string& copia,
              const std::vector<std::string>& frontales) {
    int error = 0;
    zip_t* zip = zip_open(rutaZip.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
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
}

// The history row of one emitted cheque, as the program writes it: the
// statement, its values, and them bound and stepped.
constexpr const char* sqlColumnasTalon =
    "INSERT INTO hco.historicoCheques (Pk_HistoricoRecibos, Nombre_Remesa, Importe, "
    "Modelo_Talon, Fecha_Pago, Fecha_Confeccion, Fecha_Talon, Numero_Modelo, Numero, "
    "Nombre_Cliente, Nombre_Cons, Cuenta, Cuenta_ord, Nombre_Ordenante, imp, indicador, "
    "Nif_Sufijo) VALUES ";
constexpr size_t columnasTalon = 17;
const std::string sqlInsertaTalon =
    std::string(sqlColumnasTalon) + "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
std::vector<std::string> filaTalon(long long clave, const std::string& fecha,
                                   const std::string& modelo, const std::string& numero,
                                   const std::string& nombre, const std::string& nombreCons,
                                   const std::string& cuenta) {
    return {std::to_string(clave),
            "ESTANDAR",
            "1.234,56",
            "CHEQUE CUENTA CORRIENTE",
            "10/03/2025",
            "05/03/2025",
            fecha,
            modelo,
            numero,
            nombre,
            nombreCons,
            cuenta,
            "ES9121000418450200051332",
            "EMPRESA",
            "123456",
            "0",
            "B12345678 "};
}
template <class Sentencia>
void insertaTalon(Sentencia& inserta, long long clave, const std::string& fecha,
                  const std::string& modelo, const std::string& numero, const std::string& nombre,
                  const std::string& nombreCons, const std::string& cuenta) {
    const std::vector<std::string> fila =
        filaTalon(clave, fecha, modelo, numero, nombre, nombreCons, cuenta);
    for (size_t i = 0; i < fila.size(); ++i) {
        // The key, the amount in cents and the indicator are integers.
        if (i == 0 || i == 14 || i == 15)
            inserta.entero(int(i + 1), std::atoll(fila[i].c_str()));
        else
            inserta.texto(int(i + 1), fila[i]);
    }
    inserta.paso();
    inserta.reinicia();
}

// The history rows as the program inserts them: as many rows per statement
// as fit in 500 values.
template <class B>
void insertaTalonesEnGrupos(B& base, const std::vector<std::vector<std::string>>& filas) {
    constexpr size_t porSentencia = 500 / columnasTalon;
    std::string fila = "(?";
    for (size_t i = 1; i < columnasTalon; ++i)
        fila += ",?";
    fila += ')';
    for (size_t desde = 0; desde < filas.size(); desde += porSentencia) {
        const size_t n = std::min(porSentencia, filas.size() - desde);
        std::string sql = sqlColumnasTalon + fila;
        for (size_t i = 1; i < n; ++i)
            sql += ',' + fila;
        auto& s = base(sql.c_str());
        int k = 0;
        for (size_t i = desde; i < desde + n; ++i)
            for (const std::string& v : filas[i])
                s.texto(++k, v);
        s.paso();
        s.reinicia();
    }
}

// The emission's row in historico.dat, by the prepared insert of its 11
// columns.
template <class Sentencia>
void insertaRemesa(Sentencia& remesa, long long clave, int cheques, const std::string& nombreCons) {
    remesa.entero(1, clave)
        .texto(2, "ESTANDAR")
        .texto(3, "1234560,00")
        .texto(4, std::to_string(cheques))
        .texto(5, std::to_string(cheques + 3))
        .texto(6, "10/03/2025")
        .texto(7, "05/03/2025")
        .texto(8, nombreCons)
        .texto(9, "ES9121000418450200051332")
        .texto(10, "EMPRESA")
        .texto(11, "B12345678 ")
        .paso();
    remesa.reinicia();
}

// Runs `inicio` + "?,?,...)" over the values in groups of at most 500 (one
// statement each, as the program groups them), handing each statement, run,
// to `filas`.
template <class B, class Valor, class F>
void enGrupos(B& base, const std::string& inicio, const std::vector<Valor>& valores, F filas) {
    constexpr size_t porSentencia = 500;
    for (size_t desde = 0; desde < valores.size(); desde += porSentencia) {
        const size_t n = std::min(porSentencia, valores.size() - desde);
        std::string sql = inicio + '?';
        for (size_t i = 1; i < n; ++i)
            sql += ",?";
        auto& s = base((sql + ')').c_str());
        for (size_t i = 0; i < n; ++i) {
            if constexpr (std::is_same_v<Valor, std::string>)
                s.texto(int(i + 1), valores[desde + i]);
            else
                s.entero(int(i + 1), valores[desde + i]);
        }
        filas(s);
        s.reinicia();
    }
}

// The cheques of the history among `numeros`, as "number model account".
template <class B>
std::set<std::string> emitidosEnGrupos(B& talones, const std::vector<std::string>& numeros) {
    std::set<std::string> claves;
    enGrupos(talones,
             "SELECT Numero, Numero_Modelo, Cuenta FROM hco.historicoCheques WHERE Numero IN (",
             numeros, [&claves](auto& s) {
                 while (s.paso())
                     claves.insert(s.columnaTexto(0) + ' ' + s.columnaTexto(1) + ' ' +
                                   s.columnaTexto(2));
             });
    return claves;
}

// One installation in its own temporary folder (or in `carpeta`), with a
// presenter; before each run its remittance holds `cheques` correct cheques
// whose images are in the image folder, and nothing of earlier runs is left
// in the history or Cons: every run emits the same number.
struct Instalacion {
    explicit Instalacion(int n = chequesPorEmision, const QString& carpeta = {})
        : cheques(n), inst(calculaInstalacion(carpeta.isEmpty() ? dir.path() : carpeta)) {
        estado.RemesaActual.Pk_Remesa = 1;
        estado.RemesaActual.Nombre_Remesa = QStringLiteral("ESTANDAR");
        estado.OrdenanteActual.Pk_Ordenante = 1;
    }

    QTemporaryDir dir;
    int cheques;
    tInstalacion inst;
    tEstadoPrograma estado;
    InterfazSilenciosa iu;
    std::unique_ptr<TdmBBDD> dm = std::make_unique<TdmBBDD>(inst, estado, iu);
    int emitidos = 0;       // history rows before a run
    int remesasPrevias = 0; // historico.dat rows before a run
    double cpuMs = 0;       // processor time of the last measured run
    QStringList imagenes;
    // The server holding the tables, and the floors' link to it; none for
    // the table files.
    std::optional<motor::tServidorDatos> servidor;
    std::unique_ptr<suelo::Enlace> enlace;

    void activa() {
        const tInstalacion& t = dm->instalacion();
        bench::activaServidor(servidor, {t.rutaTalonesEstandar(), t.rutaHistoricoCheques(),
                                         t.rutaHistorico(), t.rutaOrdenantes()});
    }

    // The number every run takes: the first one the history has not used.
    QString numero() const {
        return QStringLiteral("%1").arg(remesasPrevias + 1, 4, 10, QChar(u'0'));
    }
    std::string cons() const { return "CONS." + numero().toStdString(); }

    bool prepara(bool envejecida) {
        activa();
        if (servidor)
            enlace = std::make_unique<suelo::Enlace>(*servidor);
        if (!dm->tablas().creaCarpetasTrabajo() || !dm->tablas().CreaTablas())
            return false;
        {
            motor::Conexion con(dm->instalacion().rutaOrdenantes());
            if (!ejecuta(con, "INSERT INTO Ordenantes VALUES (1, 'B12345678', 'EMPRESA', "
                              "'ES9121000418450200051332')"))
                return false;
        }
        if (envejecida && !bench::envejece(*dm))
            return false;
        emitidos = envejecida ? bench::chequesEmitidos : 0;
        remesasPrevias = envejecida ? bench::remesasPrevias : 0;
        for (int i = 1; i <= cheques; ++i) {
            const tTalon t = talon(i);
            const QString base = baseImagenTalon(t);
            for (const char* nombre : {"F%1.tif", "T%1.tif", "F%1.jpg"}) {
                imagenes << QString::fromLatin1(nombre).arg(base);
                QFile f(inst.dirs.Dir_Imagenes + imagenes.last());
                if (!f.open(QIODevice::WriteOnly) ||
                    f.write(QByteArray(bytesImagen, 'x')) != bytesImagen)
                    return false;
            }
        }
        return true;
    }

    // The remittance filled again, the images back in the image folder, the
    // history rows and the files of the last run gone.
    bool reinicia() {
        activa();
        for (const QString& f : imagenes)
            if (QFile::exists(inst.dirs.Dir_Hco_Imagenes + f) &&
                !QFile::rename(inst.dirs.Dir_Hco_Imagenes + f, inst.dirs.Dir_Imagenes + f))
                return false;
        vaciaCarpeta(inst.dirs.Dir_Cons);
        vaciaCarpeta(inst.dirs.Dir_Imagenes_tmp);
        {
            motor::Conexion con(dm->instalacion().rutaHistoricoCheques());
            if (!ejecuta(
                    con,
                    QStringLiteral("DELETE FROM historicoCheques WHERE rowid > %1").arg(emitidos)))
                return false;
        }
        {
            motor::Conexion con(dm->instalacion().rutaHistorico());
            if (!ejecuta(
                    con,
                    QStringLiteral("DELETE FROM historico WHERE rowid > %1").arg(remesasPrevias)))
                return false;
        }
        motor::Conexion con(dm->instalacion().rutaTalonesEstandar());
        motor::Transaccion tr(con);
        if (!ejecuta(con, QStringLiteral("DELETE FROM Talones")))
            return false;
        for (int i = 1; i <= cheques; ++i) {
            const tTalon t = talon(i);
            const QString e = motor::ejecutaSql(
                con,
                QStringLiteral("INSERT INTO Talones VALUES (?, '0', ?, '1234,56', '15/02/2025', "
                               "?, '0', ?, 0, 'LIBRADO', 1, 1)"),
                {i, t.numero_Modelo, t.Numero, t.Cuenta});
            if (!e.isEmpty())
                return false;
        }
        return tr.confirma();
    }

    // Milliseconds of one emission by the program; -1 when it failed.
    double programa() {
        return mide([this] { return emitePrograma(); });
    }

    bool emitePrograma() {
        return dm->facturaFichero(estado.RemesaActual, QStringLiteral("05/03/2025"),
                                  QStringLiteral("10/03/2025"));
    }

    // Milliseconds of the same emission by the per-cheque floor, on the
    // table files or on the server (`B`); -1 when it failed.
    template <class B> double sueloEn() {
        return mide([this] {
            emiteSuelo<B>();
            return true;
        });
    }
    double suelo() { return sueloEn<suelo::Base>(); }
    double sueloServidor() { return sueloEn<suelo::BaseServidor>(); }

    // Milliseconds of the same emission by the physical floor, on the table
    // files or on the server (`B`); -1 when it failed.
    template <class B> double sueloFisicoEn() {
        return mide([this] {
            emiteSueloFisico<B>();
            return true;
        });
    }
    double sueloFisico() { return sueloFisicoEn<suelo::Base>(); }
    double sueloFisicoServidor() { return sueloFisicoEn<suelo::BaseServidor>(); }

    // Milliseconds of one emission from a full remittance; -1 when it failed
    // or left anything behind.
    double mide(const std::function<bool()>& emision) {
        if (!reinicia())
            return -1;
        return cronometra(emision);
    }

    // Milliseconds of one emission from the remittance as it is; -1 when it
    // failed or left anything behind.
    double cronometra(const std::function<bool()>& emision) {
        bench::vaciaCacheEscritura();
        const bench::tCronometro reloj;
        try {
            if (!emision())
                return -1;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return -1;
        }
        const double ms = reloj.ms();
        cpuMs = reloj.cpuMs();
        motor::Conexion con(dm->instalacion().rutaTalonesEstandar());
        motor::Sentencia s(con, QStringLiteral("SELECT count(*) FROM Talones"));
        const bool vacia = s.ejecuta() && s.siguiente() && s.entero(0) == 0;
        const QString zip = inst.dirs.Dir_Cons + QString::fromStdString(cons()) + ".zip";
        if (!vacia || iu.mensajes != 0 || !QFile::exists(zip) ||
            QFile::exists(rutaEmisionEnCurso(inst.dirs))) {
            std::fprintf(stderr, "not everything was emitted\n");
            return -1;
        }
        return ms;
    }

    template <class B> void emiteSuelo() {
        const tDirectorios& d = inst.dirs;
        const std::string nombreCons = this->cons();
        const std::string cons = local(d.Dir_Cons) + nombreCons;
        const std::string informe = local(d.Dir_Cons + "INFORES." + numero());
        const std::string marca = local(rutaEmisionEnCurso(d));
        B talones = suelo::abre<B>(enlace.get(), dm->instalacion().rutaTalonesEstandar());
        talones.adjunta(local(dm->instalacion().rutaHistoricoCheques()), "hco");
        B historico = suelo::abre<B>(enlace.get(), dm->instalacion().rutaHistorico());

        // The record of the emission in progress, written whole.
        const long long claveCheques =
            talones.siguiente("SELECT max(Pk_HistoricoRecibos) FROM hco.historicoCheques");
        const long long claveRemesas =
            historico.siguiente("SELECT max(Pk_Historico) FROM historico");
        escribeMarca(marca, nombreCons, numero().toStdString(), claveCheques, claveRemesas);
        suelo::anade(cons, registro("1056", "B12345678 " + std::string(60, '0')));
        suelo::anade(informe, std::string(120, ' ') + "\r\n" + std::string(120, ' ') + "\r\n");

        struct tFila {
            long long fila;
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
            auto& inserta = talones(sqlInsertaTalon.c_str());
            insertaTalon(
                inserta,
                talones.siguiente("SELECT max(Pk_HistoricoRecibos) FROM hco.historicoCheques"),
                c.fecha, c.modelo, c.numero, c.nombre, nombreCons, c.cuenta);
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
        suelo::anade(local(d.Dir_Cons + "INFO." + numero()), std::string(bytesCarta, ' '));
        suelo::anade(informe, std::string(4 * 82, ' '));
        historico.ejecuta("BEGIN IMMEDIATE");
        auto& remesa = historico(
            "INSERT INTO historico (Pk_Historico, Nombre_Remesa, Importe, Numero_Talones, "
            "Numero_Registros, Fecha_Soporte, Fecha_Confeccion, Nombre_Cons, Cuenta, "
            "Nombre_Ordenante, Nif) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        insertaRemesa(remesa, historico.siguiente("SELECT max(Pk_Historico) FROM historico"),
                      cheques, nombreCons);
        historico.ejecuta("COMMIT");

        // The archive: a copy of the presentation file and the front TIFFs.
        const std::string copia = local(d.Dir_Imagenes_tmp + "CONS" + numero() + ".txt");
        suelo::copia(cons, copia);
        comprime(cons + ".zip", copia, frontales);
        std::remove(copia.c_str());
        std::remove(marca.c_str());
    }

    // On the server, what the program sends before its transaction: the
    // emission lock taken, an interrupted emission looked for, the number
    // checked against the history, the presenter read, and the record of the
    // emission in progress written as a row, in its own transaction, with
    // the keys the emission starts from.
    void abreEmisionEnServidor(suelo::BaseServidor& talones, const std::string& nombreCons) {
        talones.una("SET application_name = 'teskora_chk|1|bench|bench'");
        if (talones.una("SELECT pg_try_advisory_lock(7406, hashtext(current_schema()))")
                .at(0)
                .at(0) != "t")
            throw suelo::Fallo("emission lock");
        talones.una("SELECT Fichero, Numero, ClaveHistoricoCheques, ClaveHistorico FROM "
                    "EmisionEnCurso");
        std::set<std::string> usados;
        for (const auto& fila : talones.una("SELECT DISTINCT Nombre_Cons FROM historico"))
            usados.insert(fila.at(0));
        if (usados.count(nombreCons) ||
            !talones
                 .una("SELECT 1 FROM historicoCheques WHERE Nombre_Cons = ? LIMIT 1", {nombreCons})
                 .empty())
            throw suelo::Fallo("number used");
        talones.una("SELECT Pk_Ordenante, Nif_Sufijo, Nombre_Ordenante, Cuenta FROM Ordenantes "
                    "WHERE Pk_Ordenante = ?",
                    {"1"});
        const std::string claveCheques =
            talones.una("SELECT max(Pk_HistoricoRecibos) AS contador FROM historicoCheques")
                .at(0)
                .at(0);
        const std::string claveRemesas =
            talones.una("SELECT max(Pk_Historico) AS contador FROM historico").at(0).at(0);
        suelo::BaseServidor registro(*enlace, local(inst.dirs.Dir_Tablas + "EmisionEnCurso.dat"));
        registro.ejecuta("BEGIN IMMEDIATE");
        registro.una("DELETE FROM EmisionEnCurso");
        registro.una("INSERT INTO EmisionEnCurso (Fichero, Numero, ClaveHistoricoCheques, "
                     "ClaveHistorico) VALUES (?, ?, ?, ?)",
                     {nombreCons, numero().toStdString(),
                      std::to_string(std::atoll(claveCheques.c_str())),
                      std::to_string(std::atoll(claveRemesas.c_str()))});
        registro.ejecuta("COMMIT");
    }

    // On the server, after the commit: the act recorded in its own
    // transaction, as the program records it.
    void anotaActoEnServidor(const std::string& nombreCons, size_t cheques) {
        suelo::BaseServidor actividad(*enlace, local(TRegistroActividad(inst.dirs).ruta()));
        actividad.ejecuta("BEGIN IMMEDIATE");
        const std::string maximo =
            actividad.una("SELECT max(Pk_Actividad) FROM Actividad").at(0).at(0);
        actividad.una("INSERT INTO Actividad (Pk_Actividad, FechaHora, Usuario, Equipo, Acto, "
                      "Detalle) VALUES (?, ?, ?, ?, ?, ?)",
                      {std::to_string(std::atoll(maximo.c_str()) + 1), "10/03/2025 10:00:00",
                       "bench", "bench", "Emisión",
                       nombreCons + " ESTANDAR " + std::to_string(cheques) + " cheques"});
        actividad.ejecuta("COMMIT");
    }

    // On the server, at the end: the record removed and the lock freed.
    static void cierraEmisionEnServidor(suelo::BaseServidor& talones) {
        talones.una("DELETE FROM EmisionEnCurso");
        talones.una("SELECT pg_advisory_unlock(7406, hashtext(current_schema()))");
        talones.una("SET application_name = 'teskora_chk'");
    }

    // The least durable work for the same result: the record of the
    // emission in progress, then one transaction over the cheque table and
    // the two history tables (attached, committed together by the engine's
    // rollback journal) in which the rows move, the three text files are
    // made in memory and written once and synced once each, the emission's
    // row is written and the archive made; after the commit, the images are
    // moved by rename and the record removed. On the server it also sends
    // what the program sends around that transaction, where the record and
    // the act are rows (abreEmisionEnServidor, anotaActoEnServidor,
    // cierraEmisionEnServidor).
    template <class B> void emiteSueloFisico() {
        const tDirectorios& d = inst.dirs;
        const std::string nombreCons = this->cons();
        const std::string cons = local(d.Dir_Cons) + nombreCons;
        const std::string marca = local(rutaEmisionEnCurso(d));
        B talones = suelo::abre<B>(enlace.get(), dm->instalacion().rutaTalonesEstandar());
        talones.adjunta(local(dm->instalacion().rutaHistoricoCheques()), "hco");
        talones.adjunta(local(dm->instalacion().rutaHistorico()), "hre");
        // On the server each statement is an exchange, so the history is
        // looked up, the history rows inserted and the rows deleted by
        // groups, as the program does; the table file answers each row's
        // statement in place. There the record of the emission is a row.
        constexpr bool porGrupos = std::is_same_v<B, suelo::BaseServidor>;
        if constexpr (porGrupos)
            abreEmisionEnServidor(talones, nombreCons);
        talones.ejecuta("BEGIN IMMEDIATE");
        // The keys, taken once: the rows count on from them.
        long long clave =
            talones.siguiente("SELECT max(Pk_HistoricoRecibos) FROM hco.historicoCheques");
        const long long claveRemesa =
            talones.siguiente("SELECT max(Pk_Historico) FROM hre.historico");
        if constexpr (!porGrupos)
            escribeMarca(marca, nombreCons, numero().toStdString(), clave, claveRemesa);

        std::string fichero = registro("1056", "B12345678 " + std::string(60, '0'));
        std::string informe;
        for (int i = 0; i < 7; ++i)
            informe += std::string(70, '*') + "\r\n";
        std::vector<std::string> frontales;
        std::vector<std::string> bases;
        auto& lee = talones("SELECT rowid, Modelo_Talon, Numero_Modelo, Importe, Fecha_Talon, "
                            "Numero, Cuenta, Nombre_Cliente FROM main.Talones WHERE Estado = '0'");
        std::vector<long long> movidas;
        std::vector<std::vector<std::string>> historico;
        if constexpr (porGrupos) {
            std::vector<std::string> numeros, claves;
            while (lee.paso()) {
                numeros.push_back(lee.columnaTexto(5));
                claves.push_back(lee.columnaTexto(5) + ' ' + lee.columnaTexto(2) + ' ' +
                                 lee.columnaTexto(6));
            }
            const std::set<std::string> enHistorico = emitidosEnGrupos(talones, numeros);
            for (const std::string& c : claves)
                if (enHistorico.count(c))
                    throw suelo::Fallo("already emitted");
            // The rows read stay for the loop below.
            lee.rebobina();
        }
        // Row by row: on the table files only.
        auto* emitido = porGrupos ? nullptr
                                  : &talones("SELECT 1 FROM hco.historicoCheques WHERE Numero = "
                                             "? AND Numero_Modelo = ? AND Cuenta = ? LIMIT 1");
        auto* inserta = porGrupos ? nullptr : &talones(sqlInsertaTalon.c_str());
        auto* borra = porGrupos ? nullptr : &talones("DELETE FROM main.Talones WHERE rowid = ?");
        struct stat info;
        while (lee.paso()) {
            const std::string modelo = lee.columnaTexto(2), numero = lee.columnaTexto(5),
                              cuenta = lee.columnaTexto(6), nombre = lee.columnaTexto(7);
            if constexpr (!porGrupos) {
                if (emitido->texto(1, numero).texto(2, modelo).texto(3, cuenta).paso())
                    throw suelo::Fallo("already emitted");
                emitido->reinicia();
            }
            const std::string base =
                baseImagenTalon(QString::fromStdString(cuenta), QString::fromStdString(modelo),
                                QString::fromStdString(numero))
                    .toStdString();
            const std::string frontal = local(d.Dir_Imagenes) + "F" + base + ".tif";
            if (::stat(frontal.c_str(), &info) != 0)
                throw suelo::Fallo("no front image");
            if constexpr (porGrupos) {
                historico.push_back(filaTalon(clave++, lee.columnaTexto(4), modelo, numero, nombre,
                                              nombreCons, cuenta));
                movidas.push_back(lee.columnaEntera(0));
            } else {
                insertaTalon(*inserta, clave++, lee.columnaTexto(4), modelo, numero, nombre,
                             nombreCons, cuenta);
                borra->entero(1, lee.columnaEntera(0)).paso();
                borra->reinicia();
            }
            fichero +=
                registro("2056", "B12345678 " + numero + cuenta + modelo + "0000000123456150225");
            informe += "\r\nN\xfamero de Cheque: " + numero + "  Cuenta: " + cuenta +
                       "  Importe: 1.234,56\r\nModelo Cheque: CHEQUE CUENTA CORRIENTE  Nombre "
                       "Librado: " +
                       nombre + "\r\n";
            frontales.push_back(frontal);
            bases.push_back(base);
        }
        lee.reinicia();
        if constexpr (porGrupos) {
            insertaTalonesEnGrupos(talones, historico);
            enGrupos(talones, "DELETE FROM main.Talones WHERE rowid IN (", movidas,
                     [](auto& s) { s.paso(); });
            // The bank file's totals against the rows about to commit, as
            // the program reads them back.
            auto& totales = talones(
                "SELECT count(*), sum(imp) FROM hco.historicoCheques WHERE Nombre_Cons = ?");
            if (!totales.texto(1, nombreCons).paso() ||
                totales.columnaEntera(0) != (long long)bases.size())
                throw suelo::Fallo("totals");
            totales.reinicia();
        }
        fichero += registro("4056", "B12345678 " + std::string(35, '0'));
        informe += "\r\n" + std::string(70, '*') +
                   "\r\nN\xfamero de Talones: " + std::to_string(bases.size()) +
                   "\r\nImporte Total: " + std::string(15, ' ') + "\r\n";
        escribeSincronizado(cons, fichero);
        escribeSincronizado(local(d.Dir_Cons + "INFORES." + numero()), informe);
        escribeSincronizado(local(d.Dir_Cons + "INFO." + numero()), std::string(bytesCarta, ' '));

        auto& remesa = talones(
            "INSERT INTO hre.historico (Pk_Historico, Nombre_Remesa, Importe, Numero_Talones, "
            "Numero_Registros, Fecha_Soporte, Fecha_Confeccion, Nombre_Cons, Cuenta, "
            "Nombre_Ordenante, Nif) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        insertaRemesa(remesa, claveRemesa, int(bases.size()), nombreCons);

        const std::string copia = local(d.Dir_Imagenes_tmp + "CONS" + numero() + ".txt");
        suelo::copia(cons, copia);
        comprime(cons + ".zip", copia, frontales);
        std::remove(copia.c_str());
        talones.ejecuta("COMMIT");
        if constexpr (porGrupos)
            anotaActoEnServidor(nombreCons, bases.size());

        const std::string imagenes = local(d.Dir_Imagenes), archivo = local(d.Dir_Hco_Imagenes);
        for (const std::string& base : bases)
            for (const std::string& nombre :
                 {"F" + base + ".jpg", "T" + base + ".tif", "F" + base + ".tif"})
                if (std::rename((imagenes + nombre).c_str(), (archivo + nombre).c_str()) != 0)
                    throw suelo::Fallo("rename");
        if constexpr (porGrupos)
            cierraEmisionEnServidor(talones);
        else
            std::remove(marca.c_str());
    }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int cheques = bench::argumento(args, "--cheques").toInt();
    const QString prepara = bench::argumento(args, "--prepara");
    const QString una = bench::argumento(args, "--una");
    const QString servidor = bench::argumento(args, "--servidor");
    if (!prepara.isEmpty() || !una.isEmpty()) {
        if (cheques <= 0) {
            std::fprintf(stderr, "--cheques N (N > 0) is needed\n");
            return 2;
        }
        Instalacion inst(cheques, prepara.isEmpty() ? una : prepara);
        if (!prepara.isEmpty())
            return inst.prepara(false) && inst.reinicia() ? 0 : 1;
        const double ms = inst.cronometra([&inst] { return inst.emitePrograma(); });
        if (ms < 0)
            return 1;
        std::printf("program, one emission of %d cheques: %.1f ms (processor %.1f ms)\n", cheques,
                    ms, inst.cpuMs);
        return 0;
    }
    Instalacion nueva;
    Instalacion envejecida;
    if (!servidor.isEmpty())
        return suelo::mideEnServidor(
                   servidor, nueva, envejecida,
                   "emission of 1000 cheques (3 images each) on the server",
                   {{"per-cheque libpq floor", &Instalacion::sueloServidor, 1.2, 1.2},
                    {"physical libpq floor", &Instalacion::sueloFisicoServidor, 1.3, 1.5}})
                   ? 0
                   : 1;
    if (!nueva.prepara(false) || !envejecida.prepara(true))
        return 1;
    return bench::mideRondas(nueva, envejecida, "emission of 1000 cheques (3 images each)",
                             {{"per-cheque floor", &Instalacion::suelo, 1.2, 1.2},
                              {"physical floor", &Instalacion::sueloFisico, 1.3, 1.5}})
               ? 0
               : 1;
}
