// Drawer maintenance driven as the operator drives it: clicks, typing,
// leaving fields, and the confirmation answered through the message facade.
#include "AlmacenLibrados.h"
#include "AlmacenRemesas.h"
#include "AlmacenTalones.h"
#include "AyudaEnPantalla.h"
#include "Cadenas.h"
#include "CajaMensajes.h"
#include "ImagenesTalon.h"
#include "InstalacionPrueba.h"
#include "ListaOrdenable.h"
#include "PruebaVentanas.h"
#include "TfrmMnto_Beneficiarios.h"
#include "TfrmMod_Cheque.h"
#include "TfrmSelectBeneficiarios.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

class TstTfrmMnto_Beneficiarios : public QObject {
    Q_OBJECT

    std::unique_ptr<InstalacionPrueba> p;
    std::unique_ptr<TfrmMnto_Beneficiarios> frm;

    int guardaLibrado(const QString& cuenta, const QString& nombre = {}) {
        TCliente c;
        c.EsNuevo = true;
        c.Cuenta = cuenta;
        c.Nombre_Cliente = nombre;
        p->dm->librados().GuardaBeneficiario(c);
        return c.Pk_Cliente;
    }

    // A cheque of remittance 1 stored under a drawer, with the name the
    // cheque row itself carries.
    void guardaTalon(int pk, int librado, const QString& cuenta) {
        motor::Conexion con(p->dm->instalacion().rutaTalonesEstandar());
        const QString e = motor::ejecutaSql(
            con,
            "INSERT INTO Talones (Pk_Talon, fk_Clientes, Cuenta, Numero, Numero_Modelo, "
            "Nombre_Cliente, Estado, Importe, Modelo_Talon, Fecha_Talon) "
            "VALUES (?, ?, ?, '1234567-6', '4212-5', 'COPIA EN EL TALON', '1', '1000', '0', "
            "'01/01/2026')",
            {pk, librado, cuenta});
        QVERIFY2(e.isEmpty(), qPrintable(e));
    }

    // The three image files of the cheques guardaTalon stores for the account.
    QStringList imagenesDe(const QString& cuenta) const {
        const QString base = baseImagenTalon(cuenta, "4212-5", "1234567-6");
        const QString carpeta = p->inst.dirs.Dir_Imagenes;
        return {rutaImagen(carpeta, "F", base, ".jpg"), rutaImagen(carpeta, "F", base, ".tif"),
                rutaImagen(carpeta, "T", base, ".tif")};
    }
    void creaImagenes(const QString& cuenta) {
        for (const QString& ruta : imagenesDe(cuenta)) {
            QFile f(ruta);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
    }
    // Of the accounts, those whose three image files are all there.
    QStringList conImagenes(const QStringList& cuentas) const {
        QStringList r;
        for (const QString& cuenta : cuentas) {
            const QStringList rutas = imagenesDe(cuenta);
            if (std::all_of(rutas.begin(), rutas.end(),
                            [](const QString& ruta) { return QFileInfo::exists(ruta); }))
                r << cuenta;
        }
        return r;
    }

    QList<QStringList> talones() const {
        return filasDe(p->dm->instalacion().rutaTalonesEstandar(),
                       "SELECT * FROM Talones ORDER BY Pk_Talon");
    }
    QList<QStringList> librados() const {
        return filasDe(p->dm->instalacion().rutaDeudores(),
                       "SELECT Pk_Cliente, Nombre_Cliente, Cuenta FROM Deudores ORDER BY 1");
    }

    void abre() {
        frm = std::make_unique<TfrmMnto_Beneficiarios>(*p->dm);
        frm->prepara();
        frm->show();
        QVERIFY(QTest::qWaitForWindowActive(frm.get()));
    }

    TListaOrdenable* lista() const { return hijo<TListaOrdenable>(*frm, "lvwBeneficiarios"); }
    QLineEdit* edtNombre() const { return hijo<QLineEdit>(*frm, "edtNombre"); }
    QLineEdit* edtCuenta() const { return hijo<QLineEdit>(*frm, "edtCuenta"); }

    void click(const char* boton) {
        QPushButton* b = hijo<QPushButton>(*frm, boton);
        QVERIFY2(b->isEnabled(), boton);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    bool habilitado(const char* boton) const { return hijo<QPushButton>(*frm, boton)->isEnabled(); }

    QStringList columnaDeLista(int columna) const {
        QStringList r;
        for (int i = 0; i < lista()->numeroFilas(); ++i)
            r << lista()->fila(i)->text(columna);
        return r;
    }

    // Selects the rows shown with these accounts, as ctrl-clicks would.
    void seleccionaCuentas(const QStringList& cuentas) {
        lista()->clearSelection();
        for (int i = 0; i < lista()->numeroFilas(); ++i)
            if (cuentas.contains(lista()->fila(i)->text(1)))
                lista()->fila(i)->setSelected(true);
    }

    // Modificar, the name typed, Aceptar by its access key (the field is not
    // left first).
    void renombra(const QString& nombre) {
        click("btnModificar");
        QVERIFY(edtNombre()->isEnabled());
        QCOMPARE(QApplication::focusWidget(), edtNombre());
        edtNombre()->selectAll();
        QTest::keyClick(edtNombre(), Qt::Key_Delete);
        QTest::keyClicks(edtNombre(), nombre);
        QTest::keyClick(edtNombre(), Qt::Key_A, Qt::AltModifier);
        // The access key presses the button as a click would, a moment later.
        QTRY_VERIFY(!hijo<QPushButton>(*frm, "btnAceptar")->isDown());
    }

    // A double click as the system delivers it: press, release, then the
    // double-click press and its release (a list with several rows
    // selectable ignores a double click that arrives while a press is held).
    static void dobleClic(QWidget* w, QPoint p) {
        QTest::mouseClick(w, Qt::LeftButton, {}, p);
        QMouseEvent doble(QEvent::MouseButtonDblClick, p, w->mapToGlobal(p), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &doble);
        QTest::mouseRelease(w, Qt::LeftButton, {}, p);
    }

private slots:
    void init() { p = std::make_unique<InstalacionPrueba>(); }
    void cleanup() {
        frm.reset();
        p.reset();
    }

    void abreConLaListaOrdenadaYElPrimeroElegido() {
        guardaLibrado("00491500051234567892", "zeta");
        guardaLibrado("21000418450200051332");
        guardaLibrado("00750001870123456789", "ALFA");
        p->estado.ColumnaOrden = 0;
        abre();
        QCOMPARE(frm->windowTitle(), QStringLiteral("Mantenimiento de Librados"));
        QVERIFY(frm->windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(lista()->headerItem()->text(0), "Nombre Librado                         ");
        QCOMPARE(lista()->selectionMode(), QAbstractItemView::ExtendedSelection);
        // Whole rows in sight, and each quoted help line one line on screen.
        QVERIFY(lista()->header()->length() <= lista()->viewport()->width());
        const QPlainTextEdit& ayuda = *hijo<QPlainTextEdit>(*frm, "mmoAyuda");
        QCOMPARE(ayuda.toPlainText().split(u'\n'),
                 (QStringList{"Desde esta ventana asignaremos un nombre de librado a la cuenta. La "
                              "cuenta se introducirá automática o manualmente desde el menú >> "
                              "Leer ",
                              "cheques.",
                              "El nombre del  librado del cheque es opcional. Pero si se "
                              "introduce éste en la aplicación, cada vez que se lea ",
                              "un cheque de esa cuenta también se mostrará el nombre del librado "
                              "facilitando la identificación y cuadre de los cheques."}));
        QVERIFY(ayudaSinPartir(ayuda));
        QCOMPARE(columnaDeLista(0), (QStringList{"", "ALFA", "zeta"}));
        // The first row is selected and shown; browse mode.
        QCOMPARE(lista()->filasSeleccionadas(), QList<TElementoLista*>{lista()->fila(0)});
        QCOMPARE(edtCuenta()->text(), QStringLiteral("21000418450200051332"));
        QVERIFY(habilitado("btnModificar") && habilitado("btnEliminar"));
        QVERIFY(habilitado("btnSalir"));
        QVERIFY(!habilitado("btnAceptar") && !habilitado("btnCancelar"));
        QVERIFY(!edtNombre()->isEnabled() && !edtCuenta()->isEnabled());
        // A header click sorts by the account and is remembered program-wide.
        emit lista()->header()->sectionClicked(1);
        QCOMPARE(p->estado.ColumnaOrden, 1);
        QCOMPARE(columnaDeLista(0), (QStringList{"zeta", "ALFA", ""}));
    }

    void tablaVaciaSinOrdenesNiDatos() {
        abre();
        QCOMPARE(lista()->numeroFilas(), 0);
        QVERIFY(!habilitado("btnModificar"));
        QVERIFY(!habilitado("btnEliminar"));
        QVERIFY(edtNombre()->text().isEmpty() && edtCuenta()->text().isEmpty());
        // Enter on the empty list does not enter edit mode.
        QTest::keyClick(lista(), Qt::Key_Return);
        QVERIFY(!frm->enEdicion());
    }

    void nombrarUnLibradoLoMuestraEnElEditorSinTocarLosTalones() {
        const QString cuenta = "00491500051234567892";
        const int librado = guardaLibrado(cuenta);
        const int otro = guardaLibrado("21000418450200051332", "OTRO");
        guardaTalon(1, librado, cuenta);
        guardaTalon(2, otro, "21000418450200051332");
        guardaTalon(3, librado, cuenta);
        const auto antes = talones();
        p->estado.ColumnaOrden = 0;
        abre();
        QCOMPARE(lista()->fila(0)->text(1), cuenta); // the nameless drawer first
        // Leading blanks go, trailing ones stay.
        renombra("  nuevo nombre ");
        QVERIFY(!frm->enEdicion());
        QVERIFY(p->guion.cajas.isEmpty());
        QCOMPARE(librados().first(),
                 (QStringList{QString::number(librado), "NUEVO NOMBRE ", cuenta}));
        QCOMPARE(talones(), antes);
        // The row changes in place, without re-sorting.
        QCOMPARE(columnaDeLista(0), (QStringList{"NUEVO NOMBRE ", "OTRO"}));
        QCOMPARE(frm->regBeneficiario.Nombre_Cliente, QStringLiteral("NUEVO NOMBRE "));
        QVERIFY(!edtNombre()->isEnabled());
        frm.reset();

        // The cheque editor shows the drawer's new name for all its cheques.
        p->estado.RemesaActual = p->dm->remesas().cargaRegistroRemesasTablas(1);
        TfrmMod_Cheque editor(*p->dm, p->estado.RemesaActual);
        editor.prepara();
        auto* lvw = editor.findChild<QTreeWidget*>();
        QVERIFY(lvw);
        int colNombre = -1, colCuenta = -1;
        for (int c = 0; c < lvw->columnCount(); ++c) {
            if (lvw->headerItem()->text(c) == "Nombre Librado")
                colNombre = c;
            if (lvw->headerItem()->text(c) == "Cuenta")
                colCuenta = c;
        }
        QVERIFY(colNombre >= 0 && colCuenta >= 0);
        QCOMPARE(lvw->topLevelItemCount(), 3);
        for (int i = 0; i < 3; ++i) {
            const QTreeWidgetItem* f = lvw->topLevelItem(i);
            QCOMPARE(f->text(colNombre),
                     f->text(colCuenta) == cuenta ? QStringLiteral("NUEVO NOMBRE ") : "OTRO");
        }
    }

    void textosDelNombre_data() {
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<QString>("guardado");
        QTest::newRow("comilla") << "O'BRIEN"
                                 << "O BRIEN";
        QTest::newRow("por ciento") << "100% LIMPIO"
                                    << "100? LIMPIO";
        QTest::newRow("acentos") << "Peña Ibáñez"
                                 << "PENA IBANEZ";
        QTest::newRow("10 KB") << QString(10240, u'x') << QString(35, u'X');
    }
    void textosDelNombre() {
        QFETCH(QString, tecleado);
        QFETCH(QString, guardado);
        const int clave = guardaLibrado("00491500051234567892");
        abre();
        click("btnModificar");
        edtNombre()->selectAll();
        edtNombre()->insert(tecleado);
        // Leaving the field applies the rule; Enter goes on to Aceptar.
        QTest::keyClick(edtNombre(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), hijo<QPushButton>(*frm, "btnAceptar"));
        QCOMPARE(edtNombre()->text(), guardado);
        QTest::keyClick(hijo<QPushButton>(*frm, "btnAceptar"), Qt::Key_Return);
        QVERIFY(p->guion.cajas.isEmpty());
        QCOMPARE(p->dm->librados().CargaRegistroBeneficiarioTablas(clave).Nombre_Cliente, guardado);
    }

    void cuentaDuplicadaRechazadaConSuMensaje() {
        // The account is saved without its hyphens: that is another drawer's.
        const int conGuiones = guardaLibrado("0049-1500-05");
        guardaLibrado("0049150005", "PRIMERO");
        const auto antes = librados();
        p->estado.ColumnaOrden = 0;
        abre();
        QCOMPARE(lista()->fila(0)->datos.pk, conGuiones);
        renombra("NOMBRE");
        QCOMPARE(p->guion.textos(),
                 QStringList{QStringLiteral("ya existe una cuenta con los mismos datos")});
        QVERIFY(frm->enEdicion());
        QCOMPARE(librados(), antes);
        // Cancelar puts the stored values back and leaves edit mode.
        click("btnCancelar");
        QVERIFY(!frm->enEdicion());
        QCOMPARE(edtNombre()->text(), QString());
        QCOMPARE(edtCuenta()->text(), QStringLiteral("0049-1500-05"));
    }

    void eliminarVariosConUnaConfirmacion_data() {
        QTest::addColumn<bool>("acepta");
        QTest::newRow("aceptar") << true;
        QTest::newRow("cancelar") << false;
    }
    void eliminarVariosConUnaConfirmacion() {
        QFETCH(bool, acepta);
        for (int i = 1; i <= 4; ++i) {
            guardaLibrado(QString("C%1").arg(i), QString("L%1").arg(i));
            guardaTalon(i, i, QString("C%1").arg(i));
            creaImagenes(QString("C%1").arg(i));
        }
        guardaTalon(5, 2, "C2");
        // Another remittance holds a cheque filed under the same name as
        // those of drawer 2: its images stay.
        tRemesas otra;
        otra.Nombre_Remesa = "OTRA";
        p->dm->remesas().GuardaRegistroRemesa(otra);
        {
            motor::Conexion con(p->inst.rutaTablaTalones(2));
            QCOMPARE(motor::ejecutaSql(con,
                                       "INSERT INTO Talones (Pk_Talon, fk_Clientes, Cuenta, "
                                       "Numero, Numero_Modelo) VALUES (1, 9, 'C2', '1234567-6', "
                                       "'4212-5')"),
                     QString());
        }
        abre();
        seleccionaCuentas({"C1", "C2", "C4"});
        QCOMPARE(frm->regBeneficiario.Cuenta, QStringLiteral("C1"));
        p->guion.fijaSiguienteRespuesta(acepta ? CajaMensajes::PrimerBoton
                                               : CajaMensajes::SegundoBoton);
        click("btnEliminar");
        QCOMPARE(p->guion.cajas.size(), 1);
        const TGuionDialogos::Caja& r = p->guion.cajas.first();
        QCOMPARE(r.tipo, CajaMensajes::Tipo::Confirmacion);
        QCOMPARE(r.titulo, QStringLiteral("ATENCIÓN"));
        QCOMPARE(
            r.texto,
            QStringLiteral("¿Esta seguro de querer eliminar los Librados y todos sus cheques?."));
        if (acepta) {
            QCOMPARE(librados(), (QList<QStringList>{{"3", "L3", "C3"}}));
            QCOMPARE(talones().size(), 1);
            QCOMPARE(talones().first().first(), QStringLiteral("3"));
        } else {
            QCOMPARE(librados().size(), 4);
            QCOMPARE(talones().size(), 5);
        }
        QCOMPARE(conImagenes({"C1", "C2", "C3", "C4"}),
                 (acepta ? QStringList{"C2", "C3"} : QStringList{"C1", "C2", "C3", "C4"}));
        // The list is reloaded as on opening.
        QCOMPARE(lista()->numeroFilas(), acepta ? 1 : 4);
        QCOMPARE(lista()->filasSeleccionadas().size(), 1);
        QCOMPARE(lista()->filaSeleccionada(), lista()->fila(0));
    }

    // The placeholder account of the cheques typed by hand is no drawer:
    // none is made for them, and those older versions made are not listed.
    void lasCuentasProvisionalesNoSonLibrados() {
        guardaLibrado(QString(19, u'#'));
        guardaLibrado(QString(20, u'#'));
        guardaLibrado("C1", "L1");
        tTalon manual;
        p->dm->talones().introduceTalonManual(manual, p->estado.RemesaActual.Pk_Remesa);
        p->dm->talones().introduceTalonManual(manual, p->estado.RemesaActual.Pk_Remesa);
        QCOMPARE(librados().size(), 3);
        abre();
        QCOMPARE(columnaDeLista(1), QStringList{"C1"});
    }

    void eliminarConLaTablaDeTalonesQueFalta() {
        guardaLibrado("C1", "L1");
        guardaLibrado("C2", "L2");
        QVERIFY(motor::borraTabla(p->dm->instalacion().rutaTalonesEstandar()));
        abre();
        seleccionaCuentas({"C1", "C2"});
        p->guion.fijaSiguienteRespuesta(CajaMensajes::PrimerBoton);
        click("btnEliminar");
        // The engine's message through the data module; nothing lost.
        QCOMPARE(p->iu.mensajes.size(), 1);
        QVERIFY(p->iu.mensajes.first().contains("1.dat"));
        QCOMPARE(librados().size(), 2);
        QCOMPARE(lista()->numeroFilas(), 2);
        QVERIFY(!frm->enEdicion());
    }

    void teclado() {
        guardaLibrado("C1", "L1");
        abre();
        // Enter on the list is Modificar; Esc in edit mode is Cancelar.
        QTest::keyClick(lista(), Qt::Key_Return);
        QVERIFY(frm->enEdicion());
        QVERIFY(!lista()->isEnabled() && !habilitado("btnSalir"));
        QVERIFY(!habilitado("btnModificar") && !habilitado("btnEliminar"));
        QTest::keyClicks(edtNombre(), "X");
        QTest::keyClick(edtNombre(), Qt::Key_Escape);
        QVERIFY(!frm->enEdicion());
        QVERIFY(frm->isVisible());
        QCOMPARE(edtNombre()->text(), QStringLiteral("L1"));
        // Double click is Modificar too.
        const QRect r = lista()->visualItemRect(lista()->fila(0));
        dobleClic(lista()->viewport(), r.center());
        QVERIFY(frm->enEdicion());
    }
};

QTEST_MAIN(TstTfrmMnto_Beneficiarios)
#include "tst_TfrmMnto_Beneficiarios.moc"
