// Every window of the program as a screen reader meets it: each control has
// a name it can say (without access-key marks), and no help text takes the
// focus, so Tab never stops on one. The windows are built, not shown, except
// where showing is what puts their controls in place.
#include "Accesibilidad.h"
#include "AlmacenRemesas.h"
#include "EnlaceMtxmlmcr.h"
#include "EnlaceVisionAPI.h"
#include "InstalacionPrueba.h"
#include "PresenciaLectores.h"
#include "PruebaVentanas.h"
#include "TAdaptadorSB.h"
#include "TPreguntaF.h"
#include "TfrmAcerca.h"
#include "TfrmConfiguracion.h"
#include "TfrmCriteriosBusqueda.h"
#include "TfrmFechas.h"
#include "TfrmHistoricoTransferencias.h"
#include "TfrmInfo_Proceso.h"
#include "TfrmInstalarDrivers.h"
#include "TfrmMnto_Beneficiarios.h"
#include "TfrmMnto_Ordenantes.h"
#include "TfrmMnto_Remesas.h"
#include "TfrmMnto_Transferencias.h"
#include "TfrmMod_Cheque.h"
#include "TfrmPrincipal.h"
#include "TfrmResumen_Facturacion.h"
#include "TfrmScanerMTS.h"
#include "TfrmScanerSB.h"
#include "TfrmScanerVisionX.h"
#include "TfrmScanerX.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QtTest>

#include <functional>
#include <memory>

using Creador = std::function<std::unique_ptr<QWidget>(InstalacionPrueba&)>;
Q_DECLARE_METATYPE(Creador)

class TstAccesibilidad : public QObject {
    Q_OBJECT
    TPresenciaLectoresProvisional lectores; // outlives every window built
    // No reader library: the windows are built as on a computer without one.
    TEnlaceMtxmlmcr enlaceExcella{QString(), QString()};
    TEnlaceVisionAPI enlaceVisionX{QString(), QString()};
    TEnlaceRd3lib enlaceSB{QStringLiteral("no_existe/librd3lib.so"), QDir::tempPath()};
    TAdaptadorSB adaptadorSB{enlaceSB};
private slots:
    void textoSinMarcas_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("dicho");
        QTest::newRow("dos marcas") << "&A&nterior"
                                    << "Anterior";
        QTest::newRow("relleno") << " Escanear Che&ques"
                                 << "Escanear Cheques";
        QTest::newRow("relleno al final") << "&Nueva          "
                                          << "Nueva";
        QTest::newRow("ampersand literal") << "Pérez && Hijos"
                                           << "Pérez & Hijos";
        QTest::newRow("sin marca") << "Salir"
                                   << "Salir";
    }
    void textoSinMarcas() {
        QFETCH(QString, caption);
        QFETCH(QString, dicho);
        QCOMPARE(Accesibilidad::textoSinMarcas(caption), dicho);
    }

    void cadaVentana_data() {
        QTest::addColumn<Creador>("crea");
        const auto fila = [](const char* nombre, Creador c) { QTest::newRow(nombre) << c; };
        fila("principal", [](InstalacionPrueba&) { return std::make_unique<TfrmPrincipal>(); });
        fila("acerca de", [](InstalacionPrueba&) { return std::make_unique<TfrmAcerca>(); });
        fila("pregunta", [](InstalacionPrueba&) { return std::make_unique<TPreguntaF>(); });
        fila("espera", [](InstalacionPrueba&) { return std::make_unique<TfrmInfo_Proceso>(); });
        fila("remesas",
             [](InstalacionPrueba& p) { return std::make_unique<TfrmMnto_Remesas>(*p.dm); });
        fila("fechas", [](InstalacionPrueba& p) {
            return std::make_unique<TfrmFechas>(*p.dm, QDate(2025, 3, 10));
        });
        fila("editor", [](InstalacionPrueba& p) {
            return std::make_unique<TfrmMod_Cheque>(*p.dm,
                                                    p.dm->remesas().cargaRegistroRemesasTablas(1));
        });
        fila("resumen", [](InstalacionPrueba& p) {
            QFile carta(p.inst.dirs.Dir_Cons + "INFO.0001");
            if (carta.open(QIODevice::WriteOnly))
                carta.write("CARTA\r\n");
            return std::make_unique<TfrmResumen_Facturacion>(*p.dm, "CONS.0001");
        });
        fila("remesas emitidas",
             [](InstalacionPrueba& p) { return std::make_unique<TfrmMnto_Transferencias>(*p.dm); });
        fila("presentadores",
             [](InstalacionPrueba& p) { return std::make_unique<TfrmMnto_Ordenantes>(*p.dm); });
        fila("librados",
             [](InstalacionPrueba& p) { return std::make_unique<TfrmMnto_Beneficiarios>(*p.dm); });
        fila("configuración de escáner", [this](InstalacionPrueba& p) {
            return std::make_unique<TfrmConfiguracion>(*p.dm, lectores, false);
        });
        fila("lector de teclado",
             [](InstalacionPrueba& p) { return std::make_unique<TfrmScanerMTS>(*p.dm); });
        fila("lectores Excella", [this](InstalacionPrueba& p) {
            return std::make_unique<TfrmScanerX>(*p.dm, enlaceExcella);
        });
        fila("lector Vision X", [this](InstalacionPrueba& p) {
            return std::make_unique<TfrmScanerVisionX>(*p.dm, enlaceVisionX);
        });
        fila("instalación del lector Vision X", [](InstalacionPrueba& p) {
            return std::make_unique<TfrmInstalarDrivers>(5, tDriverPanini{}, p.estado);
        });
        fila("lector Seac Banche", [this](InstalacionPrueba& p) {
            return std::make_unique<TfrmScanerSB>(*p.dm, adaptadorSB);
        });
        fila("criterios del histórico",
             [](InstalacionPrueba& p) { return std::make_unique<TfrmCriteriosBusqueda>(*p.dm); });
        fila("histórico", [](InstalacionPrueba& p) {
            return std::make_unique<TfrmHistoricoTransferencias>(*p.dm);
        });
    }
    void cadaVentana() {
        QFETCH(Creador, crea);
        InstalacionPrueba p;
        const std::unique_ptr<QWidget> ventana = crea(p);
        const QStringList faltas = Accesibilidad::faltas(ventana.get());
        QVERIFY2(faltas.isEmpty(), qPrintable(faltas.join(u'\n')));
    }

    // "&A&nterior" of the cheque editor is said without its marks.
    void anteriorSinAmpersand() {
        InstalacionPrueba p;
        TfrmMod_Cheque frm(*p.dm, p.dm->remesas().cargaRegistroRemesasTablas(1));
        QCOMPARE(QAccessible::queryAccessibleInterface(hijo<QPushButton>(frm, "btnAnterior"))
                     ->text(QAccessible::Name),
                 QStringLiteral("Anterior"));
    }
};

QTEST_MAIN(TstAccesibilidad)
#include "tst_accesibilidad.moc"
