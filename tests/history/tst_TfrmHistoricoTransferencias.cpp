// The history window and its criteria window driven as an operator drives
// them: criteria typed and fields left, searches, images, annulments.
#include "Accesibilidad.h"
#include "AlmacenHistorico.h"
#include "AlmacenTalones.h"
#include "AyudaEnPantalla.h"
#include "CajaMensajes.h"
#include "ImagenesTalon.h"
#include "PruebaVentanas.h"
#include "TablasInstalacion.h"
#include "TfrmCriteriosBusqueda.h"
#include "TfrmHistoricoTransferencias.h"
#include "TqryHistorico.h"

#include <QAccessible>
#include <QCheckBox>
#include <QDateEdit>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include <functional>

namespace {

// Key, drawer name, account, model, number, display amount, cents,
// confection date, presenter name.
struct tFila {
    int pk;
    QString nombre;
    QString cuenta;
    QString modelo;
    QString numero;
    QString importe;
    qint64 imp;
    QString fecha;
    QString ordenante;
};

const QList<tFila> filas = {
    {1, "GARCIA LOPEZ", "00491500051234567890", "4212-5", "1234567-1", "1.000,00", 100000,
     "01/02/2025", "PENA SA"},
    {2, "MIGARCA SL", "00491500051234567891", "4212-5", "2345678-2", "2.000,00", 200000,
     "15/02/2025", "PEÑA SL"},
    {3, "PEREZ", "00491500051234567892", "4212-5", "3456789-3", "15,50", 1550, "10/03/2024",
     "EMPRESA"},
    {4, "RUIZ", "00491500051234567893", "4212-5", "4567890-4", "115,50", 11550, "31/01/2025",
     "EMPRESA"},
    {5, "50% DTO", "00491500051234567894", "4212-5", "5678901-5", "2.000,01", 200001, "16/02/2025",
     "EMPRESA"},
    // Names as the cheque editor stores them: as typed.
    {6, "GARCÉS RUIZ", "00491500051234567895", "4212-5", "6789012-6", "3,00", 300, "20/02/2025",
     "EMPRESA"},
    {7, "D'ORS PONS", "00491500051234567896", "4212-5", "7890123-0", "4,00", 400, "20/02/2025",
     "EMPRESA"},
    {8, "LOPEZ_RUIZ", "00491500051234567897", "4212-5", "8901234-1", "5,00", 500, "20/02/2025",
     "EMPRESA"},
    {9, "LOPEZXRUIZ", "00491500051234567898", "4212-5", "9012345-2", "6,00", 600, "20/02/2025",
     "EMPRESA"},
};

const QList<int> todas = {1, 2, 3, 4, 5, 6, 7, 8, 9};

QString base(const tFila& f) {
    return baseImagenTalon(f.cuenta, f.modelo, f.numero);
}

// What the operator does in the criteria window before "&Aceptar".
using tRelleno = std::function<void(TfrmCriteriosBusqueda&)>;

// Types the text key by key (letters beyond ASCII too), after what the
// field holds.
void anadeLetras(QWidget* campo, const QString& texto) {
    campo->setFocus();
    for (QChar c : texto)
        QTest::sendKeyEvent(QTest::Click, campo, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Types the text into the field and leaves it with Enter.
void teclea(QLineEdit* campo, const QString& texto) {
    anadeLetras(campo, texto);
    QTest::keyClick(campo, Qt::Key_Return);
}

} // namespace

class TstTfrmHistoricoTransferencias : public QObject {
    Q_OBJECT

    std::unique_ptr<InstalacionPrueba> p;
    const tDirectorios& dirs() const { return p->inst.dirs; }

    // A criteria window as Launch opens it, active; nothing when it does not
    // come on screen.
    std::unique_ptr<TfrmCriteriosBusqueda> ventanaCriterios() const {
        auto c = std::make_unique<TfrmCriteriosBusqueda>(*p->dm);
        c->prepara();
        c->show();
        c->activateWindow();
        if (!QTest::qWaitForWindowActive(c.get()))
            return nullptr;
        return c;
    }

    // A criteria window as Launch opens it; `relleno` fills it, then it is
    // accepted (or closed with "&Salir" when `acepta` is false).
    bool criterios(const tRelleno& relleno, bool acepta = true, bool conTecla = false) {
        const std::unique_ptr<TfrmCriteriosBusqueda> ventana = ventanaCriterios();
        if (!ventana)
            return false;
        TfrmCriteriosBusqueda& c = *ventana;
        relleno(c);
        if (conTecla) {
            // The access key presses the button after a short animation.
            QTest::keyClick(c.focusWidget(), Qt::Key_A, Qt::AltModifier);
            if (!QTest::qWaitFor([&c] { return !c.isVisible(); }))
                return false;
        } else
            QTest::mouseClick(acepta ? hijo<QPushButton>(c, "btnAceptar")
                                     : hijo<QPushButton>(c, "btnSalir"),
                              Qt::LeftButton);
        return c.result() == QDialog::Accepted;
    }

    // A history window whose searches use `relleno`.
    std::unique_ptr<TfrmHistoricoTransferencias> ventana(const tRelleno& relleno,
                                                         bool conTecla = false) {
        auto frm = std::make_unique<TfrmHistoricoTransferencias>(*p->dm);
        frm->abreCriterios = [this, relleno, conTecla] {
            return criterios(relleno, true, conTecla);
        };
        frm->buscar();
        return frm;
    }

    QList<int> claves() const {
        TqryHistorico& q = p->dm->historico().qryHistorico();
        q.terminaRecuento();
        QList<int> r;
        for (int i = 0; i < q.rowCount(); ++i)
            r << q.texto(i, ColumnasHistorico::Pk_HistoricoRecibos).toInt();
        return r;
    }

private slots:
    void init() {
        p = std::make_unique<InstalacionPrueba>();
        motor::Conexion con(p->dm->instalacion().rutaHistoricoCheques());
        motor::Transaccion tr(con);
        for (const tFila& f : filas) {
            QCOMPARE(motor::ejecutaSql(con,
                                       "INSERT INTO historicoCheques (Pk_HistoricoRecibos, "
                                       "Nombre_Cliente, Cuenta, Numero_Modelo, Numero, Importe, "
                                       "imp, Fecha_Confeccion, Nombre_Ordenante, indicador) "
                                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 0)",
                                       {f.pk, f.nombre, f.cuenta, f.modelo, f.numero, f.importe,
                                        f.imp, f.fecha, f.ordenante}),
                     QString());
            escribeJpeg(rutaImagenFrontal(dirs().Dir_Hco_Imagenes, base(f)), Qt::white);
        }
        QVERIFY(tr.confirma());
        escribeJpeg(dirs().Dir_Aplicacion + "SIN_IMAGEN.jpg", Qt::gray);
    }
    void cleanup() { p.reset(); }

    void criteriosTecleados_data() {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<QString>("hasta"); // typed into lbeImporteHasta when not empty
        QTest::addColumn<bool>("conTecla"); // accepted with Alt+A without leaving the field
        QTest::addColumn<QString>("muestra");
        QTest::addColumn<QList<int>>("claves");
        const auto fila = [](const char* nombre, const char* campo, const char* tecleado,
                             const char* hasta, bool conTecla, const char* muestra,
                             const QList<int>& claves) {
            QTest::newRow(nombre) << campo << tecleado << hasta << conTecla << muestra << claves;
        };
        fila("fragment GARC, GARCÉS too", "ledtNombreBenef", "garc", "", false, "GARC", {1, 2, 6});
        fila("GARCÉS as typed in the editor", "ledtNombreBenef", "garcés", "", false, "GARCÉS",
             {6});
        fila("D'ORS keeps its apostrophe", "ledtNombreBenef", "d'ors", "", false, "D'ORS", {7});
        fila("LOPEZ_RUIZ, not LOPEZXRUIZ", "ledtNombreBenef", "lopez_ruiz", "", false, "LOPEZ_RUIZ",
             {8});
        fila("PEÑA finds PEÑA and PENA", "ledtNombreOrdenante", "peña", "", false, "PEÑA", {1, 2});
        fila("% left stays %, found only in names with %", "ledtNombreBenef", "%", "", false, "%",
             {5});
        fila("% accepted with Alt+A", "ledtNombreBenef", "%", "", true, "%", {5});
        fila("1000 to 2000", "ledtImporte", "1000", "2000", false, "1.000,00", {1, 2});
        fila("1.000,00 typed with its point", "ledtImporte", "1.000,00", "", false, "1.000,00",
             {1});
        fila("2.000 to 2.000,01 with points", "ledtImporte", "2.000", "2.000,01", false, "2.000,00",
             {2, 5});
        fila("1.000,00 accepted with Alt+A", "ledtImporte", "1.000,00", "", true, "1.000,00", {1});
        fila("15,5 becomes 15,50, finds 15,50 and 115,50", "ledtImporte", "15,5x", "", false,
             "15,50", {3, 4});
    }
    void criteriosTecleados() {
        QFETCH(QString, campo);
        QFETCH(QString, tecleado);
        QFETCH(QString, hasta);
        QFETCH(bool, conTecla);
        QFETCH(QString, muestra);
        QString mostrado;
        auto frm = ventana(
            [&](TfrmCriteriosBusqueda& c) {
                auto* edt = c.findChild<QLineEdit*>(campo);
                QVERIFY(edt);
                if (conTecla) {
                    anadeLetras(edt, tecleado);
                } else {
                    teclea(edt, tecleado);
                }
                if (!hasta.isEmpty())
                    teclea(hijo<QLineEdit>(c, "lbeImporteHasta"), hasta);
                mostrado = edt->text();
            },
            conTecla);
        QCOMPARE(mostrado, muestra);
        QVERIFY(p->estado.busquedaRealizada);
        QTEST(claves(), "claves");
        QCOMPARE(p->iu.mensajes, QStringList{});
    }

    void quincenaDeConfeccion() {
        auto frm = ventana([](TfrmCriteriosBusqueda& c) {
            QVERIFY(!hijo<QDateEdit>(c, "dtpConfeccionFinal")->isEnabled());
            QTest::mouseClick(hijo<QCheckBox>(c, "chkConfeccionInicial"), Qt::LeftButton);
            QVERIFY(hijo<QDateEdit>(c, "dtpConfeccionFinal")->isEnabled());
            hijo<QDateEdit>(c, "dtpconfeccionInicial")->setDate(QDate(2025, 2, 1));
            // Every change of "Desde" is copied into "Hasta".
            QCOMPARE(hijo<QDateEdit>(c, "dtpConfeccionFinal")->date(), QDate(2025, 2, 1));
            hijo<QDateEdit>(c, "dtpConfeccionFinal")->setDate(QDate(2025, 2, 15));
        });
        QCOMPARE(claves(), (QList<int>{1, 2}));
    }

    // Criteria that cannot be searched are told before searching; the
    // window stays, with the focus on the field to correct.
    void criteriosQueNoSePuedenBuscar_data() {
        QTest::addColumn<QString>("desde");
        QTest::addColumn<QString>("hasta");
        QTest::addColumn<QDate>("fechaDesde"); // the date box ticked when valid
        QTest::addColumn<QDate>("fechaHasta");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<QString>("foco");
        const QDate nula;
        const QString ilegible = TextosBusqueda::ImporteIlegible;
        QTest::newRow("Desde with two commas")
            << "1,000,00"
            << "" << nula << nula << ilegible.arg("Desde") << "ledtImporte";
        QTest::newRow("Hasta without its euros")
            << "1"
            << ",5" << nula << nula << ilegible.arg("Hasta") << "lbeImporteHasta";
        QTest::newRow("Hasta without Desde")
            << ""
            << "100" << nula << nula << TextosBusqueda::HastaSinDesde << "ledtImporte";
        QTest::newRow("Desde above Hasta")
            << "2.000"
            << "1.000" << nula << nula << TextosBusqueda::ImportesInvertidos << "ledtImporte";
        QTest::newRow("dates the wrong way round")
            << ""
            << "" << QDate(2025, 2, 15) << QDate(2025, 2, 1) << TextosBusqueda::FechasInvertidas
            << "dtpconfeccionInicial";
    }
    void criteriosQueNoSePuedenBuscar() {
        QFETCH(QString, desde);
        QFETCH(QString, hasta);
        QFETCH(QDate, fechaDesde);
        QFETCH(QDate, fechaHasta);
        const std::unique_ptr<TfrmCriteriosBusqueda> ventana = ventanaCriterios();
        QVERIFY(ventana);
        TfrmCriteriosBusqueda& c = *ventana;
        if (!desde.isEmpty())
            teclea(hijo<QLineEdit>(c, "ledtImporte"), desde);
        if (!hasta.isEmpty())
            teclea(hijo<QLineEdit>(c, "lbeImporteHasta"), hasta);
        if (fechaDesde.isValid()) {
            hijo<QCheckBox>(c, "chkConfeccionInicial")->setChecked(true);
            hijo<QDateEdit>(c, "dtpconfeccionInicial")->setDate(fechaDesde);
            hijo<QDateEdit>(c, "dtpConfeccionFinal")->setDate(fechaHasta);
        }
        QTest::mouseClick(hijo<QPushButton>(c, "btnAceptar"), Qt::LeftButton);
        QVERIFY(c.isVisible());
        QVERIFY(c.result() != QDialog::Accepted);
        QFETCH(QString, mensaje);
        QCOMPARE(p->guion.textos(), QStringList{mensaje});
        QTEST(QApplication::focusWidget()->objectName(), "foco");
        QVERIFY(!p->dm->historico().qryHistorico().abierta());
        // What cannot be read stays as typed, to be corrected.
        if (desde.count(u',') > 1)
            QCOMPARE(hijo<QLineEdit>(c, "ledtImporte")->text(), desde);
    }

    // A click into a date box and typing gives the date typed, as Tab and
    // typing do.
    void fechasTecleadasTrasUnClic() {
        const std::unique_ptr<TfrmCriteriosBusqueda> ventana = ventanaCriterios();
        QVERIFY(ventana);
        TfrmCriteriosBusqueda& c = *ventana;
        QTest::mouseClick(hijo<QCheckBox>(c, "chkConfeccionInicial"), Qt::LeftButton);
        const auto tecleaTrasClic = [](QDateEdit* fecha, const QString& texto) {
            auto* edt = fecha->findChild<QLineEdit*>();
            QVERIFY(edt);
            // The pointer falls on the year.
            QTest::mouseClick(edt, Qt::LeftButton, {}, QPoint(edt->width() - 6, edt->height() / 2));
            QCOMPARE(QApplication::focusWidget(), fecha);
            QTest::keyClicks(fecha, texto);
        };
        tecleaTrasClic(hijo<QDateEdit>(c, "dtpconfeccionInicial"), "01022025");
        QCOMPARE(hijo<QDateEdit>(c, "dtpconfeccionInicial")->date(), QDate(2025, 2, 1));
        tecleaTrasClic(hijo<QDateEdit>(c, "dtpConfeccionFinal"), "15022025");
        QCOMPARE(hijo<QDateEdit>(c, "dtpConfeccionFinal")->date(), QDate(2025, 2, 15));
        QTest::mouseClick(hijo<QPushButton>(c, "btnAceptar"), Qt::LeftButton);
        QCOMPARE(claves(), (QList<int>{1, 2}));
    }

    // The line under the grid says how many cheques were found.
    void numeroDeChequesEncontrados_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("resultado");
        QTest::newRow("every cheque") << ""
                                      << "Cheques encontrados: 9";
        QTest::newRow("GARC") << "GARC"
                              << "Cheques encontrados: 3";
        QTest::newRow("none") << "ZZZ"
                              << "Ningún cheque cumple los criterios";
    }
    void numeroDeChequesEncontrados() {
        QFETCH(QString, nombre);
        auto frm = ventana([&](TfrmCriteriosBusqueda& c) {
            if (!nombre.isEmpty())
                teclea(hijo<QLineEdit>(c, "ledtNombreBenef"), nombre);
        });
        QTEST(hijo<QLabel>(*frm, "lblResultado")->text(), "resultado");
        // A screen reader says it with the grid.
        QTEST(hijo<QTableView>(*frm, "dbgHistorico")->accessibleDescription(), "resultado");
    }

    // Tab goes on from the amount fields and from the grid.
    void tabNoSeQuedaEnUnCampo() {
        {
            const std::unique_ptr<TfrmCriteriosBusqueda> ventana = ventanaCriterios();
            QVERIFY(ventana);
            TfrmCriteriosBusqueda& c = *ventana;
            hijo<QLineEdit>(c, "ledtImporte")->setFocus();
            QTest::keyClick(hijo<QLineEdit>(c, "ledtImporte"), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), hijo<QLineEdit>(c, "lbeImporteHasta"));
            QTest::keyClick(hijo<QLineEdit>(c, "lbeImporteHasta"), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), hijo<QLineEdit>(c, "lbeNumero"));
        }
        auto frm = ventana([](auto&) {});
        frm->show();
        frm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frm.get()));
        hijo<QTableView>(*frm, "dbgHistorico")->setFocus();
        QTest::keyClick(hijo<QTableView>(*frm, "dbgHistorico"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), hijo<QPushButton>(*frm, "btnAnular"));
    }

    // The picture is the current row's however the row is reached.
    void imagenSigueALaFilaActual_data() {
        QTest::addColumn<QList<int>>("teclas");
        QTest::addColumn<Qt::KeyboardModifiers>("modificadores");
        QTest::addColumn<int>("fila"); // -1: any row but the first
        QTest::newRow("down") << QList<int>{Qt::Key_Down} << Qt::KeyboardModifiers() << 1;
        QTest::newRow("down, down, up")
            << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Up} << Qt::KeyboardModifiers() << 1;
        QTest::newRow("page down") << QList<int>{Qt::Key_PageDown} << Qt::KeyboardModifiers() << -1;
        QTest::newRow("Ctrl+End") << QList<int>{Qt::Key_End}
                                  << Qt::KeyboardModifiers(Qt::ControlModifier) << 8;
    }
    void imagenSigueALaFilaActual() {
        QFETCH(QList<int>, teclas);
        QFETCH(Qt::KeyboardModifiers, modificadores);
        QFETCH(int, fila);
        auto frm = ventana([](auto&) {});
        frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm.get()));
        QTableView* rejilla = hijo<QTableView>(*frm, "dbgHistorico");
        QCOMPARE(frm->imagenMostrada(), frm->rutaImagenFila(0));
        for (int tecla : std::as_const(teclas))
            QTest::keyClick(rejilla, Qt::Key(tecla), modificadores);
        const int actual = rejilla->currentIndex().row();
        if (fila >= 0)
            QCOMPARE(actual, fila);
        else
            QVERIFY(actual > 0);
        QCOMPARE(frm->imagenMostrada(), frm->rutaImagenFila(actual));
    }

    // What a screen reader says for each control of the criteria window:
    // every name says what the field is, and no two are alike.
    void nombresDeLosCriteriosParaElLector() {
        const std::unique_ptr<TfrmCriteriosBusqueda> ventana = ventanaCriterios();
        QVERIFY(ventana);
        TfrmCriteriosBusqueda& c = *ventana;
        const QList<std::pair<const char*, QString>> nombres = {
            {"ledtNombreOrdenante", "Nombre del presentador"},
            {"ledtNifOrdenante", "CIF/NIF del presentador"},
            {"ledtCuentaOrdenante", "Cuenta (IBAN) del presentador"},
            {"chkConfeccionInicial", "Buscar por fecha de confección de la remesa"},
            {"dtpconfeccionInicial", "Fecha de confección desde"},
            {"dtpConfeccionFinal", "Fecha de confección hasta"},
            {"ledtImporte", "Importe desde"},
            {"lbeImporteHasta", "Importe hasta"},
            {"lbeNumero", "Número de Cheque"},
            {"ledtNombreBenef", "Nombre del librado"},
            {"ledtCuentaBenef", "Cuenta del librado"},
            {"btnAceptar", "Aceptar"},
            {"btnSalir", "Salir"}};
        for (const auto& [objeto, nombre] : nombres) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(hijo(c, objeto));
            QVERIFY2(a, objeto);
            QCOMPARE(a->text(QAccessible::Name), nombre);
        }
        QCOMPARE(Accesibilidad::faltas(&c), QStringList{});
    }

    // The grid says what each column holds; its titles stay the field
    // names, and the fields it does not show are not there at all.
    void columnasParaElLector() {
        auto frm = ventana([](auto&) {});
        frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm.get()));
        QTableView* rejilla = hijo<QTableView>(*frm, "dbgHistorico");
        QAccessibleInterface* tabla = QAccessible::queryAccessibleInterface(rejilla);
        QVERIFY(tabla && tabla->tableInterface());
        const QStringList dichos = {"Cuenta del librado",
                                    "Número del cheque",
                                    "Nombre del librado",
                                    "Importe",
                                    "Número de modelo",
                                    "Tipo de documento",
                                    "Fecha del cheque",
                                    "Fecha de confección de la remesa",
                                    "Fecha de proceso de la remesa",
                                    "Fichero de presentación",
                                    "Nombre del presentador",
                                    "NIF del presentador",
                                    "Nombre de la remesa",
                                    "Cuenta del presentador",
                                    "Pagaré a la orden"};
        QCOMPARE(tabla->tableInterface()->columnCount(), dichos.size());
        QStringList cabeceras;
        for (int c = 0; c < tabla->tableInterface()->columnCount(); ++c) {
            // As a screen reader finds it: the header of a cell's column.
            QAccessibleInterface* celda = tabla->tableInterface()->cellAt(0, c);
            QVERIFY(celda && celda->tableCellInterface());
            const QList<QAccessibleInterface*> cabecera =
                celda->tableCellInterface()->columnHeaderCells();
            QCOMPARE(cabecera.size(), 1);
            QCOMPARE(cabecera.first()->role(), QAccessible::ColumnHeader);
            cabeceras << cabecera.first()->text(QAccessible::Name);
        }
        QCOMPARE(cabeceras, dichos);
        QCOMPARE(Accesibilidad::faltas(frm.get()), QStringList{});
    }

    // Ctrl+End reaches the last cheque found, counted then and there, in a
    // result larger than the rows read for the first screen.
    void ctrlFinLlegaALaUltimaFila() {
        {
            motor::Conexion con(p->dm->instalacion().rutaHistoricoCheques());
            QCOMPARE(motor::ejecutaSql(
                         con, "WITH RECURSIVE n(i) AS (SELECT 101 UNION ALL SELECT i + 1 FROM n "
                              "WHERE i < 1100) INSERT INTO historicoCheques "
                              "(Pk_HistoricoRecibos, Nombre_Cliente, Cuenta, Numero_Modelo, "
                              "Numero, Importe, imp, indicador) SELECT i, 'LIBRADO ' || i, "
                              "'00491500059999999999', '4212-5', printf('%07d-1', i), '1,00', "
                              "100, 0 FROM n"),
                     QString());
        }
        // The first row has no image: after the search the picture is hidden,
        // and the last row's placeholder comes with the key.
        QFile::remove(rutaImagenFrontal(dirs().Dir_Hco_Imagenes, base(filas[0])));
        auto frm = ventana([](auto&) {});
        frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm.get()));
        // The search again, and the key before anything else happens.
        frm->abreCriterios = [this] {
            p->dm->historico().CargaHistoricoDeTalones(consultaBusquedaHistorico({}));
            return true;
        };
        frm->buscar();
        QCoreApplication::sendPostedEvents(); // laid out as on screen
        QTableView* rejilla = hijo<QTableView>(*frm, "dbgHistorico");
        QVERIFY(!p->dm->historico().qryHistorico().contada());
        QVERIFY(rejilla->model()->rowCount() < 1009);
        rejilla->setFocus();
        QVERIFY(hijo<QLabel>(*frm, "imgCheque")->isHidden());
        QTest::keyClick(rejilla, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(rejilla->currentIndex().row(), 1008);
        // On screen, also once the window has laid out the picture shown.
        QCoreApplication::processEvents();
        const QRect celda = rejilla->visualRect(rejilla->currentIndex());
        QVERIFY(celda.top() >= 0 && celda.bottom() <= rejilla->viewport()->height());
        QCOMPARE(
            p->dm->historico().qryHistorico().texto(1008, ColumnasHistorico::Pk_HistoricoRecibos),
            "1100");
        QCOMPARE(hijo<QLabel>(*frm, "lblResultado")->text(), "Cheques encontrados: 1.009");
        QCOMPARE(frm->imagenMostrada(), frm->rutaSinImagen());
        QTest::keyClick(rejilla, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(rejilla, Qt::Key_Down);
        QCOMPARE(frm->imagenMostrada(), frm->rutaImagenFila(1));
    }

    void ventanaDeCriterios() {
        const std::unique_ptr<TfrmCriteriosBusqueda> ventana = ventanaCriterios();
        QVERIFY(ventana);
        TfrmCriteriosBusqueda& c = *ventana;
        QCOMPARE(c.windowTitle(), QStringLiteral("Criterios de búsqueda"));
        QCOMPARE(QApplication::focusWidget(), hijo<QLineEdit>(c, "ledtCuentaBenef"));
        QVERIFY(hijo<QLineEdit>(c, "ledtNombreRemesa")->isHidden());
        QCOMPARE(hijo<QDateEdit>(c, "dtpconfeccionInicial")->date(), QDate::currentDate());
        QVERIFY(!hijo<QCheckBox>(c, "chkConfeccionInicial")->isChecked());
        // The help says how a range is given, and is read whole, without scrolling.
        const QPlainTextEdit& ayuda = *hijo<QPlainTextEdit>(c, "mmoAyuda");
        QVERIFY(ayuda.toPlainText().contains("\"Desde\" y \"Hasta\" para un intervalo"));
        QCOMPARE(ayuda.verticalScrollBar()->maximum(), 0);
        // Enter goes on to the next control, and on "&Aceptar" presses it.
        QTest::keyClick(hijo<QLineEdit>(c, "ledtCuentaBenef"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), hijo<QPushButton>(c, "btnAceptar"));
        hijo<QLineEdit>(c, "ledtNombreBenef")->setFocus();
        QTest::keyClick(hijo<QLineEdit>(c, "ledtNombreBenef"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), hijo<QLineEdit>(c, "ledtCuentaBenef"));
        // Leaving the cheque number gives the "Desde" amount its display form.
        hijo<QLineEdit>(c, "lbeNumero")->setFocus();
        QTest::keyClick(hijo<QLineEdit>(c, "lbeNumero"), Qt::Key_Return);
        QCOMPARE(hijo<QLineEdit>(c, "ledtImporte")->text(), QStringLiteral("0,00"));
        QVERIFY(hijo<QLineEdit>(c, "lbeImporteHasta")->text().isEmpty());
        QTest::keyClick(hijo<QPushButton>(c, "btnAceptar"), Qt::Key_Return);
        QCOMPARE(c.result(), int(QDialog::Accepted));
        QCOMPARE(claves(), todas);
    }

    void sinCoincidencias() {
        auto frm = ventana(
            [](TfrmCriteriosBusqueda& c) { teclea(hijo<QLineEdit>(c, "ledtNombreBenef"), "ZZZ"); });
        QCOMPARE(hijo<QTableView>(*frm, "dbgHistorico")->model()->rowCount(), 0);
        QCOMPARE(frm->imagenMostrada(), frm->rutaSinImagen());
        QVERIFY(!hijo<QPushButton>(*frm, "btnAnular")->isEnabled());
        frm->anular();
        QCOMPARE(p->guion.cajas.size(), 0);
    }

    void buscarYSalirConservaElResultado() {
        auto frm = ventana([](TfrmCriteriosBusqueda& c) {
            teclea(hijo<QLineEdit>(c, "ledtNombreOrdenante"), "PEÑA");
        });
        frm->abreCriterios = [this] { return criterios([](auto&) {}, false); };
        QTest::mouseClick(hijo<QPushButton>(*frm, "btnBuscar"), Qt::LeftButton);
        QVERIFY(!p->estado.busquedaRealizada);
        QCOMPARE(claves(), (QList<int>{1, 2}));
    }

    void rejillaYColumnasCalculadas() {
        auto frm = ventana([](auto&) {});
        const QAbstractItemModel* m = hijo<QTableView>(*frm, "dbgHistorico")->model();
        QStringList titulos;
        for (int c = 0; c < m->columnCount(); ++c)
            if (!hijo<QTableView>(*frm, "dbgHistorico")->isColumnHidden(c))
                titulos << m->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titulos,
                 (QStringList{"Cuenta", "Numero", "Nombre_Cliente", "ImporteCal", "Numero_Modelo",
                              "Modelo_Talon", "Fecha_Talon", "Fecha_Confeccion", "Fecha_Pago",
                              "Nombre_Cons", "Nombre_Ordenante", "Nif_Sufijo", "Nombre_Remesa",
                              "Cuenta_ord", "indicadorStr"}));
        QCOMPARE(m->index(0, ColumnasHistorico::ImporteCal).data().toString(), "1.000,00");
        QCOMPARE(frm->windowTitle(), QStringLiteral("Histórico de Cheques"));
    }

    // The quoted help lines are lines on screen: the first one does not
    // run on into the next, and only a narrower window wraps them.
    void ayudaLineaALinea() {
        auto frm = ventana([](auto&) {});
        frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm.get()));
        const QPlainTextEdit& ayuda = *hijo<QPlainTextEdit>(*frm, "mmoAyuda");
        QCOMPARE(ayuda.toPlainText().split(u'\n'),
                 (QStringList{"Puede lanzar BÚSQUEDAS SOBRE LOS CHEQUES EMITIDOS, pulse [Buscar] "
                              "para pasar a una pantalla donde introducir los criterios que han "
                              "de cumplir los cheques que se ",
                              "quiere visualizar.",
                              "[Anular]. Elimina el cheque seleccionado y sus imagenes del  "
                              "histórico de cheques",
                              ". "}));
        QVERIFY(ayudaSinPartir(ayuda));

        frm->resize(800, frm->height());
        QTRY_VERIFY(ayuda.width() < 800);
        QVERIFY(ayudaPartida(ayuda));
    }

    void imagenDeLaFila() {
        // Row 2 has no image, row 3 an image file that is no picture.
        QFile::remove(rutaImagenFrontal(dirs().Dir_Hco_Imagenes, base(filas[1])));
        escribeBytes(rutaImagenFrontal(dirs().Dir_Hco_Imagenes, base(filas[2])), "no es imagen");
        auto frm = ventana([](auto&) {});
        frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm.get()));
        QVERIFY(hijo<QPushButton>(*frm, "btnAnular")->isEnabled());
        QCOMPARE(frm->imagenMostrada(), frm->rutaImagenFila(0));
        QVERIFY(hijo<QLabel>(*frm, "imgCheque")->isVisible());

        const auto pulsa = [&](int fila) {
            const QModelIndex i = hijo<QTableView>(*frm, "dbgHistorico")->model()->index(fila, 0);
            const QRect celda = hijo<QTableView>(*frm, "dbgHistorico")->visualRect(i);
            QTest::mouseClick(hijo<QTableView>(*frm, "dbgHistorico")->viewport(), Qt::LeftButton,
                              {}, celda.center());
        };
        pulsa(1);
        QCOMPARE(frm->imagenMostrada(), frm->rutaSinImagen());
        pulsa(2);
        QVERIFY(hijo<QLabel>(*frm, "imgCheque")->isHidden());
        pulsa(0);
        QCOMPARE(frm->imagenMostrada(), frm->rutaImagenFila(0));
        // Moving with the keyboard to the row without an image.
        QTest::keyClick(hijo<QTableView>(*frm, "dbgHistorico"), Qt::Key_Down);
        QCOMPARE(hijo<QTableView>(*frm, "dbgHistorico")->currentIndex().row(), 1);
        QCOMPARE(frm->imagenMostrada(), frm->rutaSinImagen());

        // After a search the first row's missing image hides the picture.
        frm->abreCriterios = [this] {
            return criterios([](TfrmCriteriosBusqueda& c) {
                teclea(hijo<QLineEdit>(c, "ledtNombreBenef"), "MIG");
            });
        };
        frm->buscar();
        QVERIFY(hijo<QLabel>(*frm, "imgCheque")->isHidden());
        QVERIFY(hijo<QPushButton>(*frm, "btnAnular")->isEnabled());
    }

    void anularCanceladoYAceptado() {
        // Cheque 2 is in the standard remittance again, with its images.
        const tFila& enRemesa = filas[1];
        {
            motor::Conexion con(p->dm->instalacion().rutaTalonesEstandar());
            QCOMPARE(motor::ejecutaSql(con,
                                       "INSERT INTO Talones (Pk_Talon, Numero_Modelo, Numero, "
                                       "Cuenta, Estado) VALUES (1, ?, ?, ?, '2')",
                                       {enRemesa.modelo, enRemesa.numero, enRemesa.cuenta}),
                     QString());
        }
        const auto imagenes = [](const QString& carpeta, const tFila& f) {
            return QStringList{rutaImagen(carpeta, "F", base(f), ".jpg"),
                               rutaImagen(carpeta, "F", base(f), ".tif"),
                               rutaImagen(carpeta, "T", base(f), ".tif")};
        };
        for (const tFila& f : {filas[0], filas[1]})
            for (const QString& ruta :
                 imagenes(dirs().Dir_Imagenes, f) + imagenes(dirs().Dir_Hco_Imagenes, f)) {
                if (ruta.endsWith(".jpg"))
                    escribeJpeg(ruta, Qt::white);
                else
                    escribeBytes(ruta, "imagen");
            }
        const auto existen = [](const QStringList& rutas) {
            return std::count_if(rutas.begin(), rutas.end(),
                                 [](const QString& r) { return QFile::exists(r); });
        };

        auto frm = ventana([](TfrmCriteriosBusqueda& c) {
            teclea(hijo<QLineEdit>(c, "ledtNombreOrdenante"), "PEÑA");
        });
        p->guion.fijaSiguienteRespuesta(CajaMensajes::SegundoBoton);
        QTest::mouseClick(hijo<QPushButton>(*frm, "btnAnular"), Qt::LeftButton);
        QCOMPARE(p->guion.cajas.size(), 1);
        const TGuionDialogos::Caja& r = p->guion.cajas.first();
        QCOMPARE(r.titulo, QStringLiteral("Eliminar Talón del Histórico"));
        QCOMPARE(r.texto,
                 "Desea eliminar el cheque número: 1234567-1 con cuenta: " + filas[0].cuenta);
        QCOMPARE(r.boton1, QStringLiteral("Aceptar"));
        QCOMPARE(r.boton2, QStringLiteral("Cancelar"));
        QCOMPARE(claves(), (QList<int>{1, 2}));
        QCOMPARE(existen(imagenes(dirs().Dir_Hco_Imagenes, filas[0])), 3);

        // Accepted on the second row: the cheque that is again in a remittance.
        hijo<QTableView>(*frm, "dbgHistorico")
            ->setCurrentIndex(hijo<QTableView>(*frm, "dbgHistorico")->model()->index(1, 0));
        p->guion.fijaSiguienteRespuesta(CajaMensajes::PrimerBoton);
        QTest::mouseClick(hijo<QPushButton>(*frm, "btnAnular"), Qt::LeftButton);
        QCOMPARE(claves(), QList<int>{1});
        QCOMPARE(filasDe(p->dm->instalacion().rutaHistoricoCheques(),
                         "SELECT Pk_HistoricoRecibos FROM historicoCheques"),
                 (QList<QStringList>{{"1"}, {"3"}, {"4"}, {"5"}, {"6"}, {"7"}, {"8"}, {"9"}}));
        // The search run again keeps the grid's layout.
        QCOMPARE(hijo<QTableView>(*frm, "dbgHistorico")->model()->columnCount(),
                 ColumnasHistorico::Visibles);
        QVERIFY(hijo<QTableView>(*frm, "dbgHistorico")->columnWidth(ColumnasHistorico::Cuenta) >
                hijo<QTableView>(*frm, "dbgHistorico")->columnWidth(ColumnasHistorico::Numero));
        QCOMPARE(existen(imagenes(dirs().Dir_Hco_Imagenes, enRemesa)), 0);
        QCOMPARE(existen(imagenes(dirs().Dir_Imagenes, enRemesa)), 3);
        QVERIFY(!p->dm->talones().duplicidadTalon("2", enRemesa.numero, enRemesa.cuenta,
                                                  enRemesa.modelo, false));
        QVERIFY(p->dm->talones().duplicidadTalon("2", filas[0].numero, filas[0].cuenta,
                                                 filas[0].modelo, false));
        QCOMPARE(frm->imagenMostrada(), frm->rutaImagenFila(0));

        // The first cheque is in no remittance: its leftover images go too.
        p->guion.fijaSiguienteRespuesta(CajaMensajes::PrimerBoton);
        QTest::mouseClick(hijo<QPushButton>(*frm, "btnAnular"), Qt::LeftButton);
        QCOMPARE(claves(), QList<int>{});
        QCOMPARE(existen(imagenes(dirs().Dir_Hco_Imagenes, filas[0]) +
                         imagenes(dirs().Dir_Imagenes, filas[0])),
                 0);
        QVERIFY(!hijo<QPushButton>(*frm, "btnAnular")->isEnabled());
        QCOMPARE(frm->imagenMostrada(), frm->rutaSinImagen());
        QCOMPARE(p->iu.mensajes, QStringList{});
    }

    // A block of rows that can no longer be read once the grid is shown: the
    // operator is told once, and the grid goes on with the rows it has.
    void bloqueIlegibleSeDiceUnaVez() {
        const QString ruta = p->dm->instalacion().rutaHistoricoCheques();
        {
            motor::Conexion con(ruta);
            QCOMPARE(motor::ejecutaSql(con, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT "
                                            "i + 1 FROM n WHERE i < 600) INSERT INTO "
                                            "historicoCheques (Pk_HistoricoRecibos, Numero) "
                                            "SELECT 1000 + i, printf('%07d-1', i) FROM n"),
                     QString());
        }
        auto frm = ventana([](auto&) {});
        p->dm->historico().TerminaRecuentoHistorico();
        const QAbstractItemModel* modelo = hijo<QTableView>(*frm, "dbgHistorico")->model();
        QCOMPARE(modelo->rowCount(), int(filas.size()) + 600);
        {
            motor::Conexion otro(ruta);
            QCOMPARE(motor::ejecutaSql(otro, "DROP TABLE historicoCheques"), QString());
        }
        QVERIFY(!modelo->index(300, ColumnasHistorico::Numero).data().isValid());
        QVERIFY(!modelo->index(550, ColumnasHistorico::Numero).data().isValid());
        QCOMPARE(p->iu.mensajes, QStringList{});
        QCoreApplication::processEvents();
        QCOMPARE(p->iu.mensajes.size(), 1);
        QVERIFY(!modelo->index(520, ColumnasHistorico::Numero).data().isValid());
        QCoreApplication::processEvents();
        QCOMPARE(p->iu.mensajes.size(), 1);
        QVERIFY(modelo->index(0, ColumnasHistorico::Numero).data().isValid());
    }

    void historicoRotoDejaLaVentanaUtilizable() {
        motor::borraTabla(p->dm->instalacion().rutaHistoricoCheques());
        auto frm = ventana([](auto&) {});
        QCOMPARE(p->iu.mensajes.size(), 1);
        QVERIFY(p->estado.busquedaRealizada);
        QCOMPARE(hijo<QTableView>(*frm, "dbgHistorico")->model()->rowCount(), 0);
        QVERIFY(!hijo<QPushButton>(*frm, "btnAnular")->isEnabled());
        QVERIFY(p->dm->tablas().CreaTablaHistoricoCheques());
        frm->buscar();
        QCOMPARE(p->iu.mensajes.size(), 1);
        QVERIFY(!hijo<QPushButton>(*frm, "btnAnular")->isEnabled());
    }
};

QTEST_MAIN(TstTfrmHistoricoTransferencias)
#include "tst_TfrmHistoricoTransferencias.moc"
