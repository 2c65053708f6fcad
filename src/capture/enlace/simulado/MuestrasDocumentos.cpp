#include "MuestrasDocumentos.h"

#include <QDir>
#include <QFile>

QList<tDocumentoMuestra> leeMuestras(const QString& carpeta) {
    QList<tDocumentoMuestra> documentos;
    const QDir dir(carpeta);
    const QStringList textos = dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    for (const QString& texto : textos) {
        QFile f(dir.filePath(texto));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        tDocumentoMuestra d;
        d.nombre = texto.chopped(4);
        for (const QByteArray& bruta : f.readAll().split('\n')) {
            const QByteArray linea = bruta.endsWith('\r') ? bruta.chopped(1) : bruta;
            const qsizetype igual = linea.indexOf('=');
            if (igual < 0)
                continue;
            const QByteArray clave = linea.left(igual).trimmed();
            const QByteArray valor = linea.mid(igual + 1);
            if (clave == "seac")
                d.codelineSeac = valor;
            else if (clave == "excella")
                d.codelineExcella = valor;
            else if (clave == "visionx")
                d.codelineVisionX = valor;
        }
        d.frontalJpg = dir.filePath(d.nombre + QStringLiteral("_F.jpg"));
        d.frontalTif = dir.filePath(d.nombre + QStringLiteral("_F.tif"));
        d.traseraTif = dir.filePath(d.nombre + QStringLiteral("_T.tif"));
        documentos << d;
    }
    return documentos;
}

QString ficheroAjustesSimulador(const QString& carpeta) {
    return QDir(carpeta).filePath(QStringLiteral("simulador.ini"));
}
