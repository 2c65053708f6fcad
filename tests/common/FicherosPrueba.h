#pragma once
// Files as the tests read and write them.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtTest>

// The whole content of a file; "<no existe>" when it cannot be read, so that
// a missing file never compares equal to an empty one.
inline QByteArray bytesDe(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no existe>");
}

// Writes a file with these bytes (an empty file when none are given).
inline void escribeBytes(const QString& ruta, const QByteArray& bytes = {}) {
    QFile f(ruta);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(ruta));
    QCOMPARE(f.write(bytes), bytes.size());
}
