#pragma once
// What every emission must leave, however it ended and whatever ran beside
// it: each bank file whole (header, records, totals that add up), holding
// exactly the history rows that name it, once; its report, letter, history
// row and archive agreeing with it; no record of an emission in progress and
// no image left in the temporary folder.

#include "FicherosPrueba.h"
#include "Importes.h"
#include "InformesEmision.h"
#include "Instalacion.h"
#include "InstalacionPrueba.h"

#include "EmisionEnCurso.h"
#include <QDir>
#include <QFile>

#include <QProcess>
#include <QtTest>

#include <functional>

// Runs a standard tool; its output, or "<error>" when it fails.
inline QString ejecutaHerramienta(const QString& programa, const QStringList& argumentos) {
    QProcess p;
    p.start(programa, argumentos);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QStringLiteral("<error>");
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// Names in an archive, after the tool has tested every entry.
inline QStringList contenidoZip(const QString& zip) {
    if (ejecutaHerramienta(QStringLiteral("unzip"), {QStringLiteral("-tqq"), zip}) ==
        QStringLiteral("<error>"))
        return {QStringLiteral("<archivo dañado>")};
    QStringList nombres = ejecutaHerramienta(QStringLiteral("unzip"), {QStringLiteral("-Z1"), zip})
                              .split(u'\n', Qt::SkipEmptyParts);
    nombres.sort();
    return nombres;
}

// One bank file as the bank reads it: its cheque numbers, and whether its
// header, records and totals record agree.
struct tFicheroBanco {
    QStringList numeros;
    qint64 centimos = 0;
    bool correcto = false;
};

inline tFicheroBanco leeFicheroBanco(const QString& ruta) {
    tFicheroBanco f;
    QList<QByteArray> lineas = bytesDe(ruta).split('\n');
    if (lineas.size() < 3 || !lineas.takeLast().isEmpty())
        return f;
    const QByteArray totales = lineas.takeLast();
    if (!lineas.takeFirst().startsWith("1056") || !totales.startsWith("4056"))
        return f;
    for (const QByteArray& r : lineas) {
        if (!r.startsWith("2056") || r.size() != 151)
            return f;
        f.numeros << QString::fromLatin1(r.mid(26, 7) + '-' + r.mid(33, 1));
        f.centimos += r.mid(63, 13).toLongLong();
    }
    f.correcto = totales.mid(26, 15).toLongLong() == f.centimos &&
                 totales.mid(41, 10).toInt() == lineas.size() &&
                 totales.mid(51, 10).toInt() == lineas.size() + 2;
    return f;
}

// The files of every emission in the folder against the history. The
// archive holds the copy of its bank file and the front images that
// `frontales` names for the file's cheques (the archive's other names are
// not checked when it is not given).
inline void compruebaFicherosEmitidos(
    const tInstalacion& inst, const QString& rutaHistoricoCheques, const QString& rutaHistorico,
    const std::function<QStringList(const QStringList& numeros)>& frontales = {}) {
    const QString cons = inst.dirs.Dir_Cons;
    const auto historico =
        filasDe(rutaHistoricoCheques, QStringLiteral("SELECT Numero, Nombre_Cons FROM "
                                                     "historicoCheques"));
    QStringList presentados;
    QStringList enHistorico;
    for (const QStringList& h : historico)
        enHistorico << h[0];
    for (const QString& nombre : QDir(cons).entryList({"CONS.*"}, QDir::Files, QDir::Name)) {
        if (nombre.endsWith(QStringLiteral(".zip")))
            continue;
        const tFicheroBanco f = leeFicheroBanco(cons + nombre);
        QVERIFY2(f.correcto, qPrintable(nombre));
        QStringList propios;
        for (const QStringList& h : historico)
            if (h[1] == nombre)
                propios << h[0];
        QStringList enFichero = f.numeros;
        propios.sort();
        enFichero.sort();
        QCOMPARE(enFichero, propios);
        presentados += f.numeros;

        const QString numero = nombre.mid(5);
        const QByteArray informe = bytesDe(cons + "INFORES." + numero);
        for (const QString& n : f.numeros)
            QVERIFY2(informe.contains(n.toLatin1()), qPrintable(n));
        QString total = QString::number(f.centimos);
        QVERIFY(centimosAImporte(total));
        const QByteArray enInforme = importeInforme(total).toLatin1();
        QVERIFY2(informe.contains(enInforme), enInforme.constData());
        QVERIFY2(bytesDe(cons + "INFO." + numero).contains(enInforme), qPrintable(nombre));
        QCOMPARE(filasDe(rutaHistorico,
                         "SELECT Numero_Talones, Importe FROM historico WHERE Nombre_Cons = ?",
                         {nombre}),
                 (QList<QStringList>{{QString::number(f.numeros.size()), total}}));
        const QString zip = cons + nombre + ".zip";
        QCOMPARE(ejecutaHerramienta("unzip", {"-p", zip, "CONS" + numero + ".txt"}).toLatin1(),
                 bytesDe(cons + nombre));
        if (frontales)
            QCOMPARE(contenidoZip(zip),
                     QStringList{"CONS" + numero + ".txt"} + frontales(f.numeros));
    }
    presentados.sort();
    enHistorico.sort();
    QCOMPARE(presentados, enHistorico);
    QVERIFY(!hayEmisionEnCurso(inst.dirs));
    QVERIFY(QDir(inst.dirs.Dir_Imagenes_tmp).entryList(QDir::Files).isEmpty());
}
