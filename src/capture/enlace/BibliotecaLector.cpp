#include "BibliotecaLector.h"

#include "RegistroDiagnostico.h"

#include <QDir>

QString ficheroDeFabricante(const QString& nombreFabricante) {
#if defined(Q_OS_WIN)
    return nombreFabricante + QStringLiteral(".dll");
#else
    return QStringLiteral("lib") + nombreFabricante + QStringLiteral(".so");
#endif
}

QStringList candidatosBiblioteca(const QString& configurada, const QString& dirAplicacion,
                                 const QString& nombreFabricante) {
    const QDir dir(dirAplicacion);
    const QString conf = configurada.trimmed();
    if (!conf.isEmpty())
        return {QDir::cleanPath(dir.absoluteFilePath(conf))};
    const QString fichero = ficheroDeFabricante(nombreFabricante);
    return {QDir::cleanPath(dir.absoluteFilePath(fichero)), fichero};
}

TBibliotecaLector::TBibliotecaLector(const QStringList& candidatos, const QStringList& funciones)
    : m_candidatos(candidatos) {
    QStringList fallos;
    for (const QString& candidato : candidatos) {
        QLibrary biblioteca(candidato);
        if (!biblioteca.load()) {
            fallos << QStringLiteral("%1 (%2)").arg(candidato, biblioteca.errorString());
            continue;
        }
        QHash<QByteArray, QFunctionPointer> resueltas;
        for (const QString& nombre : funciones) {
            const QByteArray clave = nombre.toLatin1();
            const QFunctionPointer f = biblioteca.resolve(clave.constData());
            if (!f) {
                m_motivo = QStringLiteral("La biblioteca del lector %1 no tiene la función %2.")
                               .arg(candidato, nombre);
                biblioteca.unload();
                return;
            }
            resueltas.insert(clave, f);
        }
        m_funciones = resueltas;
        m_fichero = candidato;
        m_cargada = true;
        return;
    }
    m_motivo = QStringLiteral("No se encontró la biblioteca del lector. Se buscó: %1.")
                   .arg(fallos.join(QStringLiteral("; ")));
}

QFunctionPointer TBibliotecaLector::funcion(const char* nombre) const {
    return m_funciones.value(QByteArray(nombre), nullptr);
}

void TBibliotecaLector::fijaDiagnostico(TRegistroDiagnostico* log, const QString& lector) {
    m_diagnostico = log;
    m_lector = lector;
}

void TBibliotecaLector::anotaError(const QString& llamada, const QString& codigo,
                                   const QString& texto) const {
    anotaDiagnostico(m_diagnostico, QStringLiteral("Error del lector %1 en %2, código %3: %4")
                                        .arg(m_lector, llamada, codigo, texto.trimmed()));
}
