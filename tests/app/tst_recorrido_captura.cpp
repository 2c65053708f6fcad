// From the first start to cheques read with the keyboard reader: the
// configuration window opens by itself, the operator chooses "MagTek: SAFE",
// reads two documents from the cheque editor, saves them and finds them in
// the editor's list. And the whole road with a Seac Banche reader on the
// simulated library: the shipped sample documents read, saved, completed in
// the editor with their pictures, emitted, their images archived and zipped;
// a second reading that jams; and the diagnostic log of it all.
#include "Aplicacion.h"
#include "CajaMensajes.h"
#include "ConductorVentanas.h"
#include "DigitosControl.h"
#include "GuionDialogos.h"
#include "PruebaVentanas.h"
#include "TAdaptadorSB.h"
#include "TDLogFile.h"
#include "TextosCaptura.h"
#include "TfrmConfiguracion.h"
#include "TfrmFechas.h"
#include "TfrmMod_Cheque.h"
#include "TfrmPrincipal.h"
#include "TfrmResumen_Facturacion.h"
#include "TfrmScanerMTS.h"
#include "TfrmScanerSB.h"
#include "copias/CopiasSeguridad.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

namespace {

// A whole codeline as the reader types it, Enter included, taken by the
// window's next tick.
void leeDocumento(TGuionDialogos& guion, TfrmScanerMTS* w, const QString& numero, bool otro) {
    guion.fijaSiguienteRespuesta(otro ? CajaMensajes::PrimerBoton : CajaMensajes::SegundoBoton);
    QTest::keyClicks(hijo<QLineEdit>(*w, "edtCodigo"),
                     ";" + numero + ";123456780123456789420000012345");
    QTest::keyClick(hijo<QLineEdit>(*w, "edtCodigo"), Qt::Key_Return);
    w->Timer1Timer();
}

void clickFila(QTreeWidget* l, int fila) {
    const QRect r = l->visualItemRect(l->topLevelItem(fila));
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, r.center());
}

// An installation already configured: config.ini with these contents.
void configura(const tInstalacion& inst, const QByteArray& contenido) {
    QVERIFY(QDir().mkpath(inst.dirs.Dir_Pub));
    QFile ini(inst.ficheros.ficheroConfiguracion);
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(contenido);
}

QStringList ficherosDe(const QString& carpeta) {
    return QDir(carpeta).entryList(QDir::Files, QDir::Name);
}

QStringList columna(QTreeWidget* lista, int col) {
    QStringList l;
    for (int i = 0; i < lista->topLevelItemCount(); ++i)
        l << lista->topLevelItem(i)->text(col);
    return l;
}
} // namespace

class TstRecorridoCaptura : public QObject {
    Q_OBJECT
private slots:
    void primerInicioYLecturaConTeclado() {
        QTemporaryDir dir;
        TGuionDialogos guion;
        ConductorVentanas c;
        bool primeraVez = false;
        c.alMostrar<TfrmConfiguracion>([&](TfrmConfiguracion* f) {
            primeraVez = f->primeraVez();
            pulsa(hijo<QRadioButton>(*f, "rbTipo4"));
            pulsa(hijo<QPushButton>(*f, "btnAceptar"));
        });
        const QString programa = QDir(dir.path()).filePath("teskora_chk");
        TDLogFile log(calculaEntornoLog(programa, {programa}, dir.path()));
        TAplicacion app(dir.path(), &guion, &log);
        app.muestra();
        QTRY_VERIFY(QFile::exists(app.inst.ficheroTestigo));
        QCOMPARE(c.vistas, QStringList{"TfrmConfiguracion"});
        QVERIFY(primeraVez);
        QFile ini(app.inst.ficheros.ficheroConfiguracion);
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QByteArray config = ini.readAll();
        QVERIFY(config.contains("Tipo=4\r\n"));
        QVERIFY(config.contains("[TIEMPOS]\r\nSafe=5\r\n"));
        QCOMPARE(app.estado.Escaner.tipo, 4);

        QStringList enLista;
        c.alMostrar<TfrmMod_Cheque>([&](TfrmMod_Cheque* e) {
            pulsa(hijo<QPushButton>(*e, "btnLeer")); // the capture window runs inside
            enLista = columna(hijo<QTreeWidget>(*e, "lvwTransferencias"), 4); // "Nº Cheque"
            pulsa(hijo<QPushButton>(*e, "btnSalir"));
        });
        c.alMostrar<TfrmScanerMTS>([&guion](TfrmScanerMTS* w) {
            leeDocumento(guion, w, "1234567", true);
            leeDocumento(guion, w, "7654321", false);
            QCOMPARE(w->lista().size(), 2);
            pulsa(hijo<QPushButton>(*w, "btnSalvar"));
            pulsa(hijo<QPushButton>(*w, "btnSalir"));
        });
        hijo<QAction>(*app.frmPrincipal, "actLeerCheques")->trigger();
        QCOMPARE(c.vistas, (QStringList{"TfrmConfiguracion", "TfrmMod_Cheque", "TfrmScanerMTS"}));
        QVERIFY(guion.textos().contains("Se leyeron: 2 cheques. Revise si se leyeros todos."));
        QCOMPARE(filasDe(app.inst.rutaTablaTalones(1), "SELECT Numero FROM Talones ORDER BY Numero")
                     .size(),
                 2);
        QCOMPARE(enLista.size(), 2);
        // Started without -debug: no log at all.
        QVERIFY(!app.registroDiagnostico);
        QVERIFY(!QFile::exists(log.Filename));
        QVERIFY2(enLista.join(' ').contains("1234567"), qPrintable(enLista.join(' ')));
        QVERIFY2(enLista.join(' ').contains("7654321"), qPrintable(enLista.join(' ')));
    }

    void seacBancheDeLaLecturaALaEmision() {
        QTemporaryDir dir;
        const tInstalacion inst = calculaInstalacion(dir.path());
        configura(inst, "[ESCANER]\r\nTipo=1\r\n[LECTORES]\r\nSeacBanche=" SIMULADO_RD3LIB "\r\n");
        qputenv("TESKORA_MUESTRAS", MUESTRAS);
        // A hopper whose first document jams, for a second reading.
        QTemporaryDir atascada;
        QVERIFY(
            QFile::copy(QDir(MUESTRAS).filePath("doc001.txt"), atascada.filePath("doc001.txt")));
        QSettings(atascada.filePath("simulador.ini"), QSettings::IniFormat)
            .setValue("SeacBanche/atasco", 1);

        TGuionDialogos guion;
        ConductorVentanas c;
        QStringList leidas, sinImagen, enEditor, rechazos;
        c.alMostrar<TfrmScanerSB>([&](TfrmScanerSB* w) {
            QSignalSpy fin(&w->adaptador(), &TAdaptadorSB::lecturaTerminada);
            pulsa(hijo<QPushButton>(*w, "btnLeer"));
            QTRY_COMPARE_WITH_TIMEOUT(fin.count(), 1, 20000);
            leidas = w->lista();
            pulsa(hijo<QPushButton>(*w, "btnSalvar"));
            qputenv("TESKORA_MUESTRAS", atascada.path().toLocal8Bit());
            pulsa(hijo<QPushButton>(*w, "btnLeer"));
            QTRY_COMPARE_WITH_TIMEOUT(fin.count(), 2, 20000);
            qputenv("TESKORA_MUESTRAS", MUESTRAS);
            pulsa(hijo<QPushButton>(*w, "btnSalir"));
        });
        c.alMostrar<TfrmMod_Cheque>([&](TfrmMod_Cheque* e) {
            pulsa(hijo<QPushButton>(*e, "btnLeer"));
            QTreeWidget* lista = hijo<QTreeWidget>(*e, "lvwTransferencias");
            // Every cheque read shows its front picture from the image folder.
            for (int i = 0; i < lista->topLevelItemCount(); ++i) {
                clickFila(lista, i);
                enEditor << lista->topLevelItem(i)->text(0);
                if (!e->imagenMostrada().startsWith(inst.dirs.Dir_Imagenes) ||
                    hijo<QLabel>(*e, "imgCheque")->pixmap().isNull())
                    sinImagen << QString::number(i);
            }
            // The incomplete ones completed: amount, account, due date, drawer.
            for (int i = 0; i < lista->topLevelItemCount(); ++i) {
                if (lista->topLevelItem(i)->text(0) != "INCOMPLETO")
                    continue;
                clickFila(lista, i);
                pulsa(hijo<QPushButton>(*e, "btnModifica"));
                // The unreadable codeline (document 11): its type and account
                // typed from the paper.
                if (hijo<QLineEdit>(*e, "edtFormato")->text().startsWith("9999")) {
                    escribe(hijo<QLineEdit>(*e, "edtFormato"), "90871");
                    // Leaving the field applies the type's rules (the date opens).
                    QFocusEvent sale(QEvent::FocusOut, Qt::TabFocusReason);
                    QApplication::sendEvent(hijo<QLineEdit>(*e, "edtFormato"), &sale);
                    escribe(hijo<QLineEdit>(*e, "edtNumero"),
                            "4635120" + digitoControlModulo7("90874635120"));
                    escribe(hijo<QLineEdit>(*e, "lbleditCuenta"), "20805801101234567891");
                }
                escribe(hijo<QLineEdit>(*e, "lbtImporte"), "150,00");
                if (hijo<QLineEdit>(*e, "medtAbono")->isEnabled()) // types with a due date
                    escribe(hijo<QLineEdit>(*e, "medtAbono"),
                            QDate::currentDate().addDays(30).toString("ddMMyyyy"));
                if (hijo<QLineEdit>(*e, "lbleditNombreBenef")->text().trimmed().isEmpty())
                    escribe(hijo<QLineEdit>(*e, "lbleditNombreBenef"), "LIBRADO LEIDO");
                const qsizetype antes = guion.cajas.size();
                pulsa(hijo<QPushButton>(*e, "btnAceptar"));
                if (guion.cajas.size() > antes)
                    rechazos << QString::number(i) + ": " + guion.textos().mid(antes).join(" / ");
                if (e->modo() == TfrmMod_Cheque::Modo::Editando)
                    pulsa(hijo<QPushButton>(*e, "btnCancelar"));
            }
            pulsa(hijo<QPushButton>(*e, "btnEmision"));
            pulsa(hijo<QPushButton>(*e, "btnContinuar"));
        });
        c.alMostrar<TfrmFechas>([](TfrmFechas* f) {
            pulsa(f->findChild<QPushButton*>("btnNuevo"));
            escribe(f->findChild<QLineEdit*>("edtNombre"), "EMPRESA DE PRUEBA SL");
            escribe(f->findChild<QLineEdit*>("edtCuenta"), "ES91 2100 0418 4502 0005 1332");
            escribe(f->findChild<QLineEdit*>("edtNif"), "B12345674");
            pulsa(f->findChild<QPushButton*>("btnAceptar"));
        });
        c.alMostrar<TfrmResumen_Facturacion>(
            [](TfrmResumen_Facturacion* r) { pulsa(r->findChild<QPushButton*>("btnSalir")); });

        // Started with -debug: the log of the road is read back at the end.
        const QString programa = QDir(dir.path()).filePath("teskora_chk");
        TDLogFile log(calculaEntornoLog(programa, {programa, "-debug"}, dir.path()));
        TAplicacion app(dir.path(), &guion, &log);
        app.muestra();
        QTRY_VERIFY(QFile::exists(app.inst.ficheroTestigo));
        QVERIFY(
            !guion.textos().contains(TextosCaptura::mensajeSinSeacBanche(inst))); // reader found
        hijo<QAction>(*app.frmPrincipal, "actLeerCheques")->trigger();
        QCOMPARE(c.vistas, (QStringList{"TfrmMod_Cheque", "TfrmScanerSB", "TfrmFechas",
                                        "TfrmResumen_Facturacion"}));
        QCOMPARE(leidas.size(), 12);
        QVERIFY2(guion.textos().contains("Se leyeron: 12 cheques. Revise si se leyeron todos."),
                 qPrintable(guion.textos().join('\n')));
        QCOMPARE(enEditor.size(), 12);
        QCOMPARE(enEditor.count("INCOMPLETO"), 4);
        QCOMPARE(enEditor.count("DUPLICADO"), 1);
        QVERIFY2(sinImagen.isEmpty(), qPrintable(sinImagen.join(',')));
        QVERIFY2(rechazos.isEmpty(), qPrintable(rechazos.join('\n')));

        // Eleven emitted (the duplicate left out), each with its three
        // images in the history and its front picture in the archive.
        QCOMPARE(filasDe(app.inst.rutaTabla("historicoCheques.dat"),
                         "SELECT Numero FROM historicoCheques")
                     .size(),
                 11);
        const QStringList archivadas = ficherosDe(app.inst.dirs.Dir_Hco_Imagenes);
        QCOMPARE(archivadas.size(), 33);
        QVERIFY(ficherosDe(app.inst.dirs.Dir_Imagenes).isEmpty());
        QProcess unzip;
        unzip.start("unzip", {"-Z1", app.inst.dirs.Dir_Cons + "CONS.0001.zip"});
        QVERIFY(unzip.waitForFinished());
        QCOMPARE(unzip.exitCode(), 0);
        const QStringList enZip =
            QString::fromUtf8(unzip.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(enZip.size(), 12); // eleven fronts and the presentation file
        for (const QString& f : enZip)
            QVERIFY2(f == "CONS0001.txt" || archivadas.contains(f), qPrintable(f));
        // The archived front of the first cheque is the first document's.
        const QString base = leidas[0].mid(1, 7);
        bool hallada = false;
        for (const QString& f : archivadas)
            if (f.endsWith(".jpg") && f.contains(base)) {
                QFile a(app.inst.dirs.Dir_Hco_Imagenes + f),
                    m(QDir(MUESTRAS).filePath("doc001_F.jpg"));
                QVERIFY(a.open(QIODevice::ReadOnly) && m.open(QIODevice::ReadOnly));
                hallada = a.readAll() == m.readAll();
            }
        QVERIFY(hallada);
        qunsetenv("TESKORA_MUESTRAS");

        // One line per event, each after its time, in the order they came.
        app.registroDiagnostico->vacia();
        QFile f(log.Filename);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lineas = QString::fromLatin1(f.readAll()).split("\r\n");
        const QStringList sucesos{
            "Log File:",
            "Inicio: carpeta de instalación",
            "Biblioteca del lector Seac Banche cargada: " SIMULADO_RD3LIB,
            "Inicio: tablas leídas, 0 con problemas",
            "Configuración del escáner leída: tipo 1",
            "Inicio terminado",
            "Lecturas guardadas: 12 líneas, 7 correctas, 5 incompletas o duplicadas, 0 sin "
            "guardar",
            "Mensaje: Se leyeron: 12 cheques.",
            "Error del lector Seac Banche en el aviso de error (rdOnError), código 1024: Atasco "
            "en zona transmisión",
            "Mensaje: El lector avisó durante la lectura: Atasco en zona transmisión.",
            "Copia de seguridad (antes de emitir) hecha en " +
                QDir::toNativeSeparators(TCopiasSeguridad(inst).carpeta()),
            "Pasando los cheques al histórico: 0 de 11",
            "Escribiendo el fichero para el banco",
            "Emisión confirmada: CONS.0001 de la remesa ESTANDAR: 11 cheques por",
            "Archivando las imágenes: 0 de 11",
        };
        qsizetype desde = 0;
        for (const QString& suceso : sucesos) {
            const auto linea = std::find_if(lineas.begin() + desde, lineas.end(),
                                            [&](const QString& l) { return l.contains(suceso); });
            QVERIFY2(linea != lineas.end(), qPrintable(suceso + "\n" + lineas.join('\n')));
            desde = linea - lineas.begin();
        }
        QVERIFY2(QRegularExpression("^\\d\\d?:\\d\\d:\\d\\d.*   Inicio terminado$")
                     .match(lineas.filter("Inicio terminado").value(0))
                     .hasMatch(),
                 qPrintable(lineas.filter("Inicio terminado").value(0)));
    }

    // Type 0 ("Manual"): the editor's scanning button opens nothing.
    void tipoManualNoAbreNada() {
        QTemporaryDir dir;
        const tInstalacion inst = calculaInstalacion(dir.path());
        configura(inst, "[ESCANER]\r\nTipo=0\r\n");
        TGuionDialogos guion;
        ConductorVentanas c;
        c.alMostrar<TfrmConfiguracion>(
            [](TfrmConfiguracion* f) { pulsa(hijo<QPushButton>(*f, "btnAceptar")); });
        c.alMostrar<TfrmScanerMTS>(
            [](TfrmScanerMTS* w) { pulsa(hijo<QPushButton>(*w, "btnSalir")); });
        c.alMostrar<TfrmMod_Cheque>([](TfrmMod_Cheque* e) {
            pulsa(hijo<QPushButton>(*e, "btnLeer"));
            pulsa(hijo<QPushButton>(*e, "btnSalir"));
        });
        TAplicacion app(dir.path(), &guion);
        app.muestra();
        QTRY_VERIFY(QFile::exists(inst.ficheroTestigo));
        hijo<QAction>(*app.frmPrincipal, "actLeerCheques")->trigger();
        QCOMPARE(c.vistas, QStringList{"TfrmMod_Cheque"});
    }
};

QTEST_MAIN(TstRecorridoCaptura)
#include "tst_recorrido_captura.moc"
