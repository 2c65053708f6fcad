#pragma once
// Small fixtures shared by the tests of the data module.

#include "BaseDatos.h"
#include "MotorTablas.h"
#include "Servidor.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QtTest>

// Texts that break statements built by splicing values into SQL, and one
// long enough to break anything that assumes the column widths.
inline QStringList textosHostiles() {
    return {QStringLiteral("O'Brien"),
            QStringLiteral("dice \"hola\""),
            QStringLiteral("100%"),
            QStringLiteral("a_b"),
            QStringLiteral("x'); DELETE FROM Talones; --"),
            QStringLiteral("--"),
            QString(10240, u'Ñ')};
}

// The hostile texts as the rows of a data table, in the column "texto".
inline void filasTextosHostiles() {
    QTest::addColumn<QString>("texto");
    const char* const nombres[] = {"apostrofo", "comillas",   "porcentaje", "subrayado",
                                   "inyeccion", "comentario", "10 KB"};
    const QStringList textos = textosHostiles();
    for (qsizetype i = 0; i < textos.size(); ++i)
        QTest::newRow(nombres[i]) << textos[i];
}

// Runs one statement on a table file; the test fails if the engine does.
inline void ejecutaEn(const QString& ruta, const QString& sql, const QVariantList& valores = {}) {
    motor::Conexion con(ruta);
    const QString e = motor::ejecutaSql(con, sql, valores);
    QVERIFY2(e.isEmpty(), qPrintable(e));
}

// One emitted cheque in the history table.
inline void ponEnHistorico(const QString& ruta, const QString& numero, const QString& modelo,
                           const QString& cuenta) {
    ejecutaEn(ruta,
              QStringLiteral("INSERT INTO historicoCheques (Pk_HistoricoRecibos, Numero, "
                             "Numero_Modelo, Cuenta) VALUES (1, ?, ?, ?)"),
              {numero, modelo, cuenta});
}

// Writes a small file with some content (an image stand-in).
inline void creaFichero(const QString& ruta) {
    QFile f(ruta);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(ruta));
    f.write("imagen");
}

// The three image files of a cheque, by base name, in a folder.
inline QStringList ficherosImagen(const QString& carpeta, const QString& base) {
    return {carpeta + u'F' + base + QStringLiteral(".jpg"),
            carpeta + u'F' + base + QStringLiteral(".tif"),
            carpeta + u'T' + base + QStringLiteral(".tif")};
}

// Replaces a table file by bytes that are no table at all.
inline void estropeaTabla(const QString& ruta) {
    if (motor::enServidor()) {
        // On the server: a table of the same name that is not the program's.
        QVERIFY(motor::borraTabla(ruta));
        motor::Conexion con(ruta, true);
        QCOMPARE(motor::ejecutaSql(con, QStringLiteral("CREATE TABLE %1 (ajena INTEGER)")
                                            .arg(nombreTablaDeFichero(ruta))),
                 QString());
        return;
    }
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QByteArray(3000, '\x5a'));
}
