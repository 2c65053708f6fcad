#pragma once
// A folder of sample documents, the hopper of the simulated readers. Each
// document is a text file "<name>.txt" with its codeline as each reader family
// delivers it (keys "seac", "excella", "visionx", one "key=value" a line) and
// three pictures beside it: "<name>_F.jpg" (front, grey), "<name>_F.tif" (front,
// black and white) and "<name>_T.tif" (back, black and white). Documents are
// fed in the order of their names. tools/generador_muestras writes such folders.

#include <QByteArray>
#include <QList>
#include <QString>

struct tDocumentoMuestra {
    QString nombre;
    QByteArray codelineSeac;
    QByteArray codelineExcella;
    QByteArray codelineVisionX;
    QString frontalJpg;
    QString frontalTif;
    QString traseraTif;
};

// The documents of the folder; an empty list when it holds none.
QList<tDocumentoMuestra> leeMuestras(const QString& carpeta);

// The file of settings that tells a simulated library which fault to show,
// in the sample folder.
QString ficheroAjustesSimulador(const QString& carpeta);
