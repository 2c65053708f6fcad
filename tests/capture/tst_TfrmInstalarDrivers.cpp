// The driver installation window: its texts and choices, the script of the
// chosen installation run through the driver's launcher, and the warning
// whenever it closes without installing.
#include "ConductorVentanas.h"
#include "PruebaVentanas.h"
#include "TfrmInstalarDrivers.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <QFile>

#include <stdexcept>

class TstTfrmInstalarDrivers : public QObject {
    Q_OBJECT
    PruebaVentanas p;
    QStringList ejecutados;
    QString motivo; // what the launcher answers

    tDriverPanini driver() {
        tDriverPanini d;
        d.instalado = p->dir.filePath("regla.rules");
        d.guion64 = QStringLiteral("/opt/teskora/instala64.sh");
        d.guion32 = QStringLiteral("/opt/teskora/instala32.sh");
        d.ejecuta = [this](const QString& guion) {
            ejecutados << guion;
            if (motivo == "lanza")
                throw std::runtime_error("sin memoria");
            return motivo;
        };
        return d;
    }
    // Launch(tipo) with the operator's steps; answers Launch's result.
    bool lanza(int tipo, std::function<void(TfrmInstalarDrivers*)> pasos) {
        ConductorVentanas c;
        c.alMostrar<TfrmInstalarDrivers>(std::move(pasos));
        return TfrmInstalarDrivers::Launch(tipo, driver(), p->estado);
    }

private slots:
    void init() {
        p.prepara(false);
        ejecutados.clear();
        motivo.clear();
    }
    void cleanup() { p.restablece(); }

    void textos() {
        QStringList etiquetas;
        QString titulo;
        bool de64 = false;
        lanza(5, [&](TfrmInstalarDrivers* w) {
            titulo = w->windowTitle();
            for (const QLabel* l : w->findChildren<QLabel*>())
                etiquetas << l->text();
            de64 = hijo<QRadioButton>(*w, "rb64")->isChecked();
            QCOMPARE(hijo<QRadioButton>(*w, "rb64")->text(), QString("Descargar para 64 bits"));
            QCOMPARE(hijo<QRadioButton>(*w, "rb32")->text(), QString("Descargar para 32 bits"));
            QCOMPARE(hijo<QPushButton>(*w, "btnAceptar")->text(), QString("&Aceptar"));
            pulsa(hijo<QPushButton>(*w, "btnCancelar"));
        });
        QCOMPARE(titulo, QString("Controlador Panini Vison X"));
        QCOMPARE(
            etiquetas,
            (QStringList{
                "No está instalado en su sistema el controlador para el lector Panini Vision X.",
                "Aviso: Asegúrese de que el cable USB del escáner esté desconectado.",
                "Seleccione la versión adecuada para su sistema operativo:"}));
        QVERIFY(de64);
    }

    // "&Aceptar" runs the chosen script; the window closes with OK only when it ran.
    void aceptar_data() {
        QTest::addColumn<QString>("opcion");
        QTest::addColumn<QString>("motivo");
        QTest::addColumn<bool>("instalado");
        QTest::addColumn<QString>("guion");
        QTest::addColumn<QStringList>("mensajes");
        QTest::newRow("64 bits") << "rb64"
                                 << "" << true << "/opt/teskora/instala64.sh"
                                 << QStringList{TfrmInstalarDrivers::MensajeInstalado};
        QTest::newRow("32 bits") << "rb32"
                                 << "" << true << "/opt/teskora/instala32.sh"
                                 << QStringList{TfrmInstalarDrivers::MensajeInstalado};
        // It stays open; the operator then cancels.
        QTest::newRow("script not run")
            << "rb64"
            << "no se concedió permiso de administrador." << false << "/opt/teskora/instala64.sh"
            << QStringList{"No se pudo ejecutar el archivo .sh: /opt/teskora/instala64.sh\n"
                           "no se concedió permiso de administrador.",
                           TfrmInstalarDrivers::MensajeCancelado};
        QTest::newRow("failure thrown")
            << "rb64"
            << "lanza" << false << "/opt/teskora/instala64.sh"
            << QStringList{"Se ha producido un problema durante la instalación: sin memoria",
                           TfrmInstalarDrivers::MensajeCancelado};
    }
    void aceptar() {
        QFETCH(QString, opcion);
        QFETCH(QString, motivo);
        QFETCH(bool, instalado);
        QFETCH(QString, guion);
        QFETCH(QStringList, mensajes);
        this->motivo = motivo;
        const bool r = lanza(5, [&](TfrmInstalarDrivers* w) {
            hijo<QRadioButton>(*w, opcion)->click();
            pulsa(hijo<QPushButton>(*w, "btnAceptar"));
            if (w->isVisible()) {
                QVERIFY(w->isEnabled());
                pulsa(hijo<QPushButton>(*w, "btnCancelar"));
            }
        });
        QCOMPARE(r, instalado);
        QCOMPARE(ejecutados, QStringList{guion});
        QCOMPARE(p->guion.textos(), mensajes);
    }

    // Only the Vision X type installs anything; the close box warns as Cancel.
    void otroTipoYCierre() {
        const bool r = lanza(2, [](TfrmInstalarDrivers* w) {
            pulsa(hijo<QPushButton>(*w, "btnAceptar"));
            QVERIFY(w->isVisible());
            w->close();
        });
        QVERIFY(!r);
        QVERIFY(ejecutados.isEmpty());
        QCOMPARE(p->guion.textos(), QStringList{TfrmInstalarDrivers::MensajeCancelado});
    }

    // The launcher of this platform runs the shipped script through pkexec
    // (here a stand-in on PATH) and says why it could not.
    void lanzadorConPkexec_data() {
        QTest::addColumn<QString>("pkexec"); // the stand-in's body; empty: none on PATH
        QTest::addColumn<QString>("motivo");
        QTest::addColumn<bool>("copiada");
        QTest::newRow("runs the script") << "exec \"$@\""
                                         << "" << true;
        QTest::newRow("password dismissed")
            << "exit 126"
            << "se canceló la petición de la contraseña de administrador." << false;
        QTest::newRow("no pkexec") << ""
                                   << "pkexec no está instalado en este equipo." << false;
    }
    void lanzadorConPkexec() {
        QFETCH(QString, pkexec);
        QFETCH(QString, motivo);
        QFETCH(bool, copiada);
#ifdef Q_OS_WIN
        QSKIP("pkexec is the launcher of Linux");
#endif
        const QDir raiz(p->dir.path());
        QVERIFY(raiz.mkpath("bin"));
        for (const char* f : {"instala_acceso_visionx.sh", "60-teskora-visionx.rules"})
            QVERIFY(QFile::copy(QStringLiteral(PAQUETE "/") + f, raiz.filePath(f)));
        if (!pkexec.isEmpty()) {
            QFile f(raiz.filePath("bin/pkexec"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(("#!/bin/sh\n" + pkexec + "\n").toUtf8());
            f.close();
            QVERIFY(f.setPermissions(f.permissions() | QFile::ExeOwner));
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(raiz.filePath("bin")) + ":/usr/bin:/bin");
        qputenv("TESKORA_DIR_REGLAS", QFile::encodeName(raiz.filePath("reglas")));
        if (pkexec.isEmpty())
            qputenv("PATH", QFile::encodeName(raiz.filePath("bin")));
        const tDriverPanini d = driverPaniniDelSistema(p->inst);
        QCOMPARE(d.guion64, raiz.filePath("instala_acceso_visionx.sh"));
        const QString r = d.ejecuta(d.guion64);
        qputenv("PATH", path);
        qunsetenv("TESKORA_DIR_REGLAS");
        QCOMPARE(r, motivo);
        QCOMPARE(QFile::exists(raiz.filePath("reglas/60-teskora-visionx.rules")), copiada);
    }

    void mensajeConLaRutaDeWindows() {
        QCOMPARE(TfrmInstalarDrivers::mensajeNoEjecutado(
                     "C:\\Program Files (x86)\\Teskora_CHK\\Drivers\\VisionX\\64-BIT\\"
                     "install_PaniniUSB_64.bat"),
                 QString("No se pudo ejecutar el archivo .bat: C:\\Program Files "
                         "(x86)\\Teskora_CHK\\Drivers\\VisionX\\64-BIT\\install_PaniniUSB_64.bat"));
    }
};

QTEST_MAIN(TstTfrmInstalarDrivers)
#include "tst_TfrmInstalarDrivers.moc"
