// The cheque editor driven as the operator drives it: clicks, typing, Enter,
// header clicks, with every message box answered through the hook. The
// cheques are stored beforehand with the data module's own operations.
#include "FalloOperacion.h"
#include "AlmacenLibrados.h"
#include "AlmacenRemesas.h"
#include "AlmacenTalones.h"
#include "Cadenas.h"
#include "DigitosControl.h"
#include "ImagenesTalon.h"
#include "OtroPrograma.h"
#include "PruebaVentanas.h"
#include "TPanelListaCheques.h"
#include "TfrmMod_Cheque.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest>

namespace {

// A 20-digit account with its right control digits.
QString cuenta(const QString& entidadOficina, const QString& numero) {
    return entidadOficina +
           calculaDigitosControlCCC(entidadOficina + QStringLiteral("00") + numero) + numero;
}

const QString CuentaA = cuenta(QStringLiteral("21000418"), QStringLiteral("4502000513"));
const QString CuentaB = cuenta(QStringLiteral("00491500"), QStringLiteral("0512345678"));
const QString CuentaC = cuenta(QStringLiteral("20852066"), QStringLiteral("0300012345"));

QString modelo(const QString& cuatro) {
    return cuatro + u'-' + digitoControlModulo7(cuatro);
}
QString numero(const QString& cuatro, const QString& siete) {
    return siete + u'-' + digitoControlModulo7(cuatro + siete);
}
// What the operator types into a masked field: the characters without the
// separators, which the mask puts in by itself.
QString tecleo(QString texto) {
    return texto.remove(u'-').remove(u'/');
}

} // namespace

class TstTfrmMod_Cheque : public QObject {
    Q_OBJECT

    PruebaVentanas p;
    std::unique_ptr<TfrmMod_Cheque> frm;

    // Stores a cheque as the capture step would: new, with its drawer found
    // or created by its account. The amount "0,00" leaves it to complete.
    tTalon guarda(const QString& estado, const QString& cuentaTalon, const QString& serie,
                  const QString& importe = QStringLiteral("0,00"),
                  const QString& tipo = QStringLiteral("4212")) {
        tTalon t;
        t.Nuevo = true;
        t.Estado = estadoDeCodigo(estado);
        t.Cuenta = cuentaTalon;
        t.numero_Modelo = modelo(tipo);
        t.Numero = numero(tipo, serie);
        t.Importe = tImporte::leeTexto(importe);
        t.Modelo_Talon = QStringLiteral("0");
        t.fk_Remesas = 1;
        const QString e = falloDe([&] { p->dm->talones().GuardaTalon(t, p->dm->rutaTalonesActual()); });
        if (!e.isNull())
            qFatal("could not store the test cheque: %s", qPrintable(e));
        return t;
    }

    // A bearer promissory note with every field filled, its drawer (whose
    // name the list shows) stored first.
    tTalon pagare(const QString& estado, const QString& importe, const QString& fecha,
                  const QString& modeloTalon, const QString& nombre) {
        TCliente librado;
        librado.EsNuevo = true;
        librado.Cuenta = CuentaA;
        librado.Nombre_Cliente = nombre;
        tTalon t;
        t.Nuevo = true;
        t.Estado = estadoDeCodigo(estado);
        t.Cuenta = CuentaA;
        t.numero_Modelo = modelo("8212");
        t.Numero = numero("8212", "1234567");
        t.Importe = tImporte::leeTexto(importe);
        t.FechaPago = fecha;
        t.Modelo_Talon = modeloTalon;
        t.indicador = 1;
        t.Nombre_Cliente = nombre;
        t.fk_Remesas = 1;
        const QString e = falloDe([&] {
            p->dm->librados().GuardaBeneficiario(librado);
            p->dm->talones().GuardaTalon(t, p->dm->rutaTalonesActual());
        });
        if (!e.isNull())
            qFatal("could not store the test cheque: %s", qPrintable(e));
        return t;
    }

    // The three image files of a cheque; the front JPEG a real picture.
    void creaImagenes(const tTalon& t) {
        const QString base = baseImagenTalon(t);
        const QString carpeta = p->inst.dirs.Dir_Imagenes;
        escribeJpeg(rutaImagenFrontal(carpeta, base), Qt::darkGreen);
        escribeBytes(rutaImagen(carpeta, "F", base, ".tif"), "front");
        escribeBytes(rutaImagen(carpeta, "T", base, ".tif"), "back");
    }

    QStringList imagenesDe(const QString& base) const {
        const QString carpeta = p->inst.dirs.Dir_Imagenes;
        QStringList presentes;
        for (const QString& ruta :
             {rutaImagen(carpeta, "F", base, ".jpg"), rutaImagen(carpeta, "F", base, ".tif"),
              rutaImagen(carpeta, "T", base, ".tif")})
            if (QFileInfo::exists(ruta))
                presentes << QFileInfo(ruta).fileName();
        return presentes;
    }

    void abre() {
        frm = std::make_unique<TfrmMod_Cheque>(*p->dm,
                                               p->dm->remesas().cargaRegistroRemesasTablas(1));
        frm->prepara();
        frm->show();
        QVERIFY(QTest::qWaitForWindowActive(frm.get()));
    }

    void clickFila(int fila) {
        QTreeWidget* l = hijo<QTreeWidget>(*frm, "lvwTransferencias");
        const QRect r = l->visualItemRect(l->topLevelItem(fila));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, r.center());
    }

    void clickCabecera(int columna) {
        QHeaderView* h = hijo<QTreeWidget>(*frm, "lvwTransferencias")->header();
        const int x = h->sectionViewportPosition(columna) + h->sectionSize(columna) / 2;
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(x, h->height() / 2));
    }

    QStringList columna(int c) const {
        QStringList r;
        for (int i = 0; i < hijo<QTreeWidget>(*frm, "lvwTransferencias")->topLevelItemCount(); ++i)
            r << hijo<QTreeWidget>(*frm, "lvwTransferencias")->topLevelItem(i)->text(c);
        return r;
    }

    QStringList fila(int i) const {
        QStringList r;
        for (int c = 0; c < TPanelListaCheques::NumeroColumnas; ++c)
            r << hijo<QTreeWidget>(*frm, "lvwTransferencias")->topLevelItem(i)->text(c);
        return r;
    }

    // Stored cheques: key, state, account, amount, drawer key.
    QList<QStringList> talones() const {
        return filasDe(p->dm->rutaTalonesActual(),
                       "SELECT Pk_Talon, Estado, Cuenta, Importe, fk_Clientes FROM Talones "
                       "ORDER BY Pk_Talon");
    }

    // Stored drawers: key, account, name.
    QList<QStringList> librados() const {
        return filasDe(p->dm->instalacion().rutaDeudores(),
                       "SELECT Pk_Cliente, Cuenta, Nombre_Cliente FROM Deudores "
                       "ORDER BY Pk_Cliente");
    }

    QString libradoDe(int pkTalon) const {
        const auto f = filasDe(p->dm->rutaTalonesActual(),
                               "SELECT fk_Clientes FROM Talones WHERE Pk_Talon = ?", {pkTalon});
        return f.isEmpty() ? QString() : f.first().first();
    }

    // Types what completes a cheque: the account and an amount.
    void completa(const QString& cuentaTalon, const QString& importe,
                  const QString& nombre = QString()) {
        escribe(hijo<QLineEdit>(*frm, "lbleditCuenta"), cuentaTalon);
        escribe(hijo<QLineEdit>(*frm, "lbtImporte"), importe);
        escribe(hijo<QLineEdit>(*frm, "lbleditNombreBenef"), nombre);
    }

private slots:
    void init() { p.prepara(); }

    void cleanup() {
        frm.reset();
        p.restablece();
    }

    void remesaVacia() {
        abre();
        QCOMPARE(frm->windowTitle(), "Mantenimiento de cheques de la remesa ESTANDAR");
        // Its width is held; its layout has the room it asks for, and the
        // list, the help and every button are shown whole.
        QCOMPARE(frm->minimumWidth(), frm->maximumWidth());
        QVERIFY(frm->minimumSizeHint().width() <= frm->width() &&
                frm->minimumSizeHint().height() <= frm->height());
        for (const char* c :
             {"lvwTransferencias", "mmoAyuda", "btnLeer", "btnManual", "btnModifica", "btnEliminar",
              "btnEmision", "btnSalir", "btnAceptar", "btnCancelar"})
            QVERIFY2(seVeEntero(*hijo<QWidget>(*frm, c)), c);
        QCOMPARE(hijo<QTreeWidget>(*frm, "lvwTransferencias")->topLevelItemCount(), 0);
        QVERIFY(hijo<QFrame>(*frm, "pnlImagen")->isHidden());
        QVERIFY(frm->imagenMostrada().isEmpty());
        QCOMPARE(hijo<QLineEdit>(*frm, "ledtImporteTotal")->text(),
                 Cadenas::captions().Caption0Euros);
        QCOMPARE(hijo<QLineEdit>(*frm, "ledtOrdenes")->text(), "0");
        QCOMPARE(hijo<QLineEdit>(*frm, "lbtTotTrans")->text(), "0");
        for (QPushButton* b :
             {hijo<QPushButton>(*frm, "btnEmision"), hijo<QPushButton>(*frm, "btnModifica"),
              hijo<QPushButton>(*frm, "btnEliminar")})
            QVERIFY2(!b->isEnabled(), qPrintable(b->text()));
        for (QPushButton* b :
             {hijo<QPushButton>(*frm, "btnLeer"), hijo<QPushButton>(*frm, "btnManual"),
              hijo<QPushButton>(*frm, "btnSalir")})
            QVERIFY2(b->isEnabled(), qPrintable(b->text()));
        for (QPushButton* b :
             {hijo<QPushButton>(*frm, "btnSiguiente"), hijo<QPushButton>(*frm, "btnAnterior"),
              hijo<QPushButton>(*frm, "btnAceptar"), hijo<QPushButton>(*frm, "btnCancelar")})
            QVERIFY2(!b->isEnabled(), qPrintable(b->text()));
        QVERIFY(!hijo<QLineEdit>(*frm, "edtFormato")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), hijo<QPushButton>(*frm, "btnLeer"));
        // Emitir by its access key does nothing while it is locked.
        QTest::keyClick(frm.get(), Qt::Key_M, Qt::AltModifier);
        QVERIFY(hijo<QFrame>(*frm, "pnlAviso")->isHidden());
        QVERIFY(p->guion.textos().isEmpty());
        // Fields are named by their labels.
        const QList<std::pair<QWidget*, QString>> nombres{
            {hijo<QLineEdit>(*frm, "ledtImporteTotal"), "Importe total - Cheques completos"},
            {hijo<QLineEdit>(*frm, "ledtOrdenes"), "Nº de cheques - Cheques completos"},
            {hijo<QLineEdit>(*frm, "lbtTotTrans"), "Nº TOTAL de cheques."},
            {hijo<QLineEdit>(*frm, "edtFormato"), "Tipo - dígito control"},
            {hijo<QLineEdit>(*frm, "edtNumero"), "Nº cheque - dígito control"},
            {hijo<QLineEdit>(*frm, "lbtImporte"), "Importe"},
            {hijo<QLineEdit>(*frm, "lbleditCuenta"), "Cuenta (20 dígitos)"},
            {hijo<QLineEdit>(*frm, "medtAbono"), "Fecha Vto."},
            {hijo<QCheckBox>(*frm, "chIndicador"), "Pagaré al portador- No a la orden"},
            {hijo<QLineEdit>(*frm, "lbleditNombreBenef"), "Librado"},
            {hijo<QLineEdit>(*frm, "lbedImp"), "Total de importes de la remesa:"},
            {hijo<QLineEdit>(*frm, "lblTalones"), "Nº de cheques de la remesa:"},
            {hijo<QPushButton>(*frm, "btnLeer"), "Escanear Cheques"}};
        for (const auto& [control, nombre] : nombres)
            QCOMPARE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name),
                     nombre);
        QCOMPARE(hijo<QPlainTextEdit>(*frm, "mmoAyuda")->toPlainText().split(u'\n').size(), 13);
        QVERIFY(hijo<QPlainTextEdit>(*frm, "mmoAyuda")
                    ->toPlainText()
                    .endsWith("el literal \"IMAGEN NO DISPONIBLE\""));
    }

    void escanearAbreLaVentanaDelTipo_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<bool>("conGancho");
        QTest::addColumn<bool>("abierta");
        QTest::newRow("sin lector") << 0 << true << false;
        QTest::newRow("tipo fuera de rango") << 6 << true << false;
        QTest::newRow("teclado") << 4 << true << true;
        QTest::newRow("sin ventanas de captura") << 1 << false << false;
    }

    void escanearAbreLaVentanaDelTipo() {
        QFETCH(int, tipo);
        QFETCH(bool, conGancho);
        QFETCH(bool, abierta);
        p->estado.Escaner.tipo = tipo;
        QList<int> abiertas;
        if (conGancho)
            p->estado.abreVentanaCaptura = [&](int t) {
                abiertas << t;
                guarda("1", CuentaA, "1234567"); // what the capture stored
                return true;
            };
        abre();
        pulsa(hijo<QPushButton>(*frm, "btnLeer"));
        QCOMPARE(abiertas, abierta ? QList<int>{tipo} : QList<int>{});
        QCOMPARE(hijo<QTreeWidget>(*frm, "lvwTransferencias")->topLevelItemCount(),
                 abierta ? 1 : 0);
    }

    void modificarUnDuplicadoNoEdita() {
        guarda("1", CuentaA, "1111111");
        guarda("2", CuentaB, "2222222");
        abre();
        QVERIFY(!frm->duplicadoMostrado());
        clickFila(1);
        QVERIFY(frm->duplicadoMostrado());
        QVERIFY(hijo<QLabel>(*frm, "imgDuplicado")->isVisible());
        pulsa(hijo<QPushButton>(*frm, "btnModifica"));
        QCOMPARE(p->guion.textos(),
                 QStringList{"Documento duplicado no puede ser tramitado, elimínelo"});
        QVERIFY(frm->modo() == TfrmMod_Cheque::Modo::Navegando);
        QTest::mouseDClick(
            hijo<QTreeWidget>(*frm, "lvwTransferencias")->viewport(), Qt::LeftButton, {},
            hijo<QTreeWidget>(*frm, "lvwTransferencias")
                ->visualItemRect(hijo<QTreeWidget>(*frm, "lvwTransferencias")->topLevelItem(1))
                .center());
        QCOMPARE(p->guion.textos().size(), 2);
        QVERIFY(frm->modo() == TfrmMod_Cheque::Modo::Navegando);
        QVERIFY(hijo<QTreeWidget>(*frm, "lvwTransferencias")->isEnabled());

        // A cheque that is not a duplicate enters editing; Cancelar leaves it
        // with nothing stored.
        clickFila(0);
        QVERIFY(!hijo<QLabel>(*frm, "imgDuplicado")->isVisible());
        pulsa(hijo<QPushButton>(*frm, "btnModifica"));
        QVERIFY(frm->modo() == TfrmMod_Cheque::Modo::Editando);
        QVERIFY(!hijo<QTreeWidget>(*frm, "lvwTransferencias")->isEnabled());
        QVERIFY(!hijo<QPushButton>(*frm, "btnSalir")->isEnabled());
        QVERIFY(hijo<QPushButton>(*frm, "btnSiguiente")->isEnabled());
        QVERIFY(!hijo<QPushButton>(*frm, "btnAnterior")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), hijo<QLineEdit>(*frm, "edtFormato"));
        escribe(hijo<QLineEdit>(*frm, "lbtImporte"), "15,00");
        pulsa(hijo<QPushButton>(*frm, "btnCancelar"));
        QVERIFY(frm->modo() == TfrmMod_Cheque::Modo::Navegando);
        QVERIFY(!hijo<QLineEdit>(*frm, "lbtImporte")->isEnabled());
        QCOMPARE(talones().first().at(3), "0,00");
    }

    // After a refused save, Cancelar shows the selected cheque as it is
    // stored: nothing the operator typed stays beside its row.
    void cancelarMuestraLoGuardado() {
        pagare("1", "0,00", QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")), "2",
               QStringLiteral("ANA"));
        abre();
        const auto campos = [this] {
            return QStringList{hijo<QLineEdit>(*frm, "edtFormato")->text(),
                               hijo<QLineEdit>(*frm, "edtNumero")->text(),
                               hijo<QLineEdit>(*frm, "lbtImporte")->text(),
                               hijo<QLineEdit>(*frm, "lbleditCuenta")->text(),
                               hijo<QLineEdit>(*frm, "medtAbono")->text(),
                               hijo<QLineEdit>(*frm, "lbleditNombreBenef")->text(),
                               hijo<QComboBox>(*frm, "cboxOrdenes")->currentText(),
                               hijo<QCheckBox>(*frm, "chIndicador")->isChecked() ? "SI" : "NO"};
        };
        const QStringList guardados = campos();
        QCOMPARE(guardados.at(3), CuentaA);

        pulsa(hijo<QPushButton>(*frm, "btnModifica"));
        escribe(hijo<QLineEdit>(*frm, "edtFormato"), tecleo(modelo("4212")));
        escribe(hijo<QLineEdit>(*frm, "edtNumero"), tecleo(numero("4212", "1234567")));
        escribe(hijo<QLineEdit>(*frm, "lbtImporte"), "15,00");
        escribe(hijo<QLineEdit>(*frm, "lbleditCuenta"), "12345678901234567890");
        escribe(hijo<QLineEdit>(*frm, "lbleditNombreBenef"), "BERTO");
        pulsa(hijo<QPushButton>(*frm, "btnAceptar"));
        QCOMPARE(p->guion.textos(), QStringList{"La cuenta introducida no es valida"});
        QCOMPARE(hijo<QComboBox>(*frm, "cboxOrdenes")->currentIndex(), 0);
        pulsa(hijo<QPushButton>(*frm, "btnCancelar"));
        QVERIFY(frm->modo() == TfrmMod_Cheque::Modo::Navegando);
        QCOMPARE(campos(), guardados);
        QCOMPARE(fila(0).at(TPanelListaCheques::colCuenta), CuentaA);
        QCOMPARE(talones().first().mid(1, 3), (QStringList{"1", CuentaA, "0,00"}));
    }

    // At its size, that of the program's main area, the list shows every
    // cell whole: each column fits its content and the drawer's name takes
    // the width the others leave.
    void columnasAjustadasAlContenido() {
        const tTalon t = pagare("0", "1234567,89", "09/01/2027", "0",
                                QStringLiteral("GARCÍA LÓPEZ, MARÍA DEL CARMEN SL"));
        // Enough rows for the vertical scroll bar to take its share.
        for (int i = 0; i < 40; ++i)
            guarda("1", CuentaB, QString::number(2000000 + i));
        abre();
        QVERIFY(frm->minimumSizeHint().height() <= frm->height());

        QTreeWidget* l = hijo<QTreeWidget>(*frm, "lvwTransferencias");
        QHeaderView* h = l->header();
        QVERIFY(!l->horizontalScrollBar()->isVisible());
        const QFontMetrics fm(l->font());
        const QFontMetrics fmCabecera(h->font());
        int anchoTotal = 0;
        for (int c = 0; c < TPanelListaCheques::NumeroColumnas; ++c) {
            const int ancho = h->sectionSize(c);
            anchoTotal += ancho;
            QVERIFY2(fmCabecera.horizontalAdvance(l->headerItem()->text(c)) < ancho,
                     qPrintable(l->headerItem()->text(c)));
            for (int i = 0; i < l->topLevelItemCount(); ++i) {
                const QString texto = l->topLevelItem(i)->text(c);
                QVERIFY2(fm.horizontalAdvance(texto) + 4 <= ancho,
                         qPrintable(QStringLiteral("%1: %2 en %3").arg(texto).arg(ancho).arg(c)));
            }
        }
        QCOMPARE(anchoTotal, l->viewport()->width());
        QCOMPARE(fila(0).at(TPanelListaCheques::colNombre), t.Nombre_Cliente);
        QCOMPARE(l->topLevelItem(0)->toolTip(TPanelListaCheques::colNombre), t.Nombre_Cliente);
    }

    void guardarSaltaLosDuplicados_data() {
        QTest::addColumn<int>("desde");
        QTest::addColumn<bool>("adelante");
        QTest::addColumn<int>("llegada");
        QTest::addColumn<bool>("porTecla");
        // Rows: incomplete, duplicate, duplicate, incomplete, duplicate.
        QTest::newRow("siguiente salta dos") << 0 << true << 3 << false;
        QTest::newRow("siguiente se queda en la última") << 3 << true << 4 << false;
        QTest::newRow("anterior salta dos") << 3 << false << 0 << false;
        // Access keys: Alt+G, and Alt+N for "&A&nterior" (Alt+A is "&Aceptar").
        QTest::newRow("siguiente por tecla") << 0 << true << 3 << true;
        QTest::newRow("anterior por tecla") << 3 << false << 0 << true;
    }

    void guardarSaltaLosDuplicados() {
        QFETCH(int, desde);
        QFETCH(bool, adelante);
        QFETCH(int, llegada);
        QFETCH(bool, porTecla);
        guarda("1", CuentaA, "1000001");
        guarda("2", CuentaB, "1000002");
        guarda("2", CuentaB, "1000003");
        guarda("1", CuentaC, "1000004");
        guarda("2", CuentaB, "1000005");
        abre();
        clickFila(desde);
        pulsa(hijo<QPushButton>(*frm, "btnModifica"));
        escribe(hijo<QLineEdit>(*frm, "lbtImporte"), "10,00");
        if (porTecla)
            QTest::keyClick(frm.get(), adelante ? Qt::Key_G : Qt::Key_N, Qt::AltModifier);
        else
            pulsa(adelante ? hijo<QPushButton>(*frm, "btnSiguiente")
                           : hijo<QPushButton>(*frm, "btnAnterior"));
        QTRY_COMPARE(frm->filaActual(), llegada);
        QVERIFY(p->guion.textos().isEmpty());
        QVERIFY(frm->modo() == TfrmMod_Cheque::Modo::Editando);
        QCOMPARE(hijo<QTreeWidget>(*frm, "lvwTransferencias")->topLevelItem(desde)->text(0),
                 "CORRECTO");
        QCOMPARE(hijo<QTreeWidget>(*frm, "lvwTransferencias")->topLevelItem(desde)->text(2),
                 "10,00");
        QCOMPARE(talones().at(desde).at(1), "0");
        QCOMPARE(hijo<QPushButton>(*frm, "btnSiguiente")->isEnabled(), llegada < 4);
        QCOMPARE(hijo<QPushButton>(*frm, "btnAnterior")->isEnabled(), llegada > 0);
        QVERIFY(hijo<QLineEdit>(*frm, "lbtImporte")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), hijo<QLineEdit>(*frm, "lbtImporte"));
        QCOMPARE(hijo<QLineEdit>(*frm, "ledtImporteTotal")->text(), "10,00 Euros");
    }

    void cuentaCorregidaLlevaSusImagenes_data() {
        QTest::addColumn<int>("boton");
        QTest::addColumn<bool>("fallaAntes");
        QTest::newRow("aceptar") << 0 << false;
        QTest::newRow("siguiente") << 1 << false;
        QTest::newRow("anterior") << 2 << false;
        // A refused attempt must not lose the name the images are filed under.
        QTest::newRow("aceptar tras un intento rechazado") << 0 << true;
    }

    void cuentaCorregidaLlevaSusImagenes() {
        QFETCH(int, boton);
        QFETCH(bool, fallaAntes);
        guarda("1", CuentaA, "1000001");
        const tTalon leido = guarda("1", CuentaB, "1000002", "60000,00");
        guarda("1", CuentaA, "1000003");
        creaImagenes(leido);
        abre();
        clickFila(1);
        QCOMPARE(frm->imagenMostrada(),
                 rutaImagenFrontal(p->inst.dirs.Dir_Imagenes, baseImagenTalon(leido)));
        pulsa(hijo<QPushButton>(*frm, "btnModifica"));
        escribe(hijo<QLineEdit>(*frm, "lbleditCuenta"), CuentaC);
        if (fallaAntes) {
            escribe(hijo<QLineEdit>(*frm, "lbtImporte"), "0");
            pulsa(hijo<QPushButton>(*frm, "btnAceptar"));
            QCOMPARE(p->guion.textos(), QStringList{"El importe no puede quedar a cero"});
            QVERIFY(frm->modo() == TfrmMod_Cheque::Modo::Editando);
            QCOMPARE(QApplication::focusWidget(), hijo<QLineEdit>(*frm, "edtFormato"));
        }
        // Above the limit for cheques without image: it has its image.
        escribe(hijo<QLineEdit>(*frm, "lbtImporte"), "60000,00");
        QPushButton* botones[] = {hijo<QPushButton>(*frm, "btnAceptar"),
                                  hijo<QPushButton>(*frm, "btnSiguiente"),
                                  hijo<QPushButton>(*frm, "btnAnterior")};
        pulsa(botones[boton]);
        QCOMPARE(p->guion.textos().size(), fallaAntes ? 1 : 0);

        tTalon corregido = leido;
        corregido.Cuenta = CuentaC;
        QCOMPARE(imagenesDe(baseImagenTalon(leido)), QStringList{});
        QCOMPARE(imagenesDe(baseImagenTalon(corregido)).size(), 3);
        QCOMPARE(talones().at(1).mid(1, 3), (QStringList{"0", CuentaC, "60000,00"}));
        QCOMPARE(fila(1).mid(0, 4),
                 (QStringList{"CORRECTO", "CHEQUE CUENTA CORRIENTE", "60.000,00", CuentaC}));
        // The saved row, key included, reads as the refilled list shows it.
        const QStringList mostrada = fila(1);
        frm->refrescaLista();
        QCOMPARE(fila(1), mostrada);

        // Shown again, the cheque still has its picture.
        if (frm->modo() == TfrmMod_Cheque::Modo::Editando)
            pulsa(hijo<QPushButton>(*frm, "btnCancelar"));
        clickFila(0);
        clickFila(1);
        QCOMPARE(frm->imagenMostrada(),
                 rutaImagenFrontal(p->inst.dirs.Dir_Imagenes, baseImagenTalon(corregido)));
    }

    // The cheque's drawer cannot be changed to the one of its new account:
    // the operator is told with the engine's message, and the cheque keeps
    // the drawer it had.
    void libradoQueNoSePuedeCambiarSeAvisa() {
        guarda("1", CuentaA, "1000001", "10,00");
        abre();
        const QString libradoAntes = libradoDe(1);
        {
            motor::Conexion con(p->dm->rutaTalonesActual());
            QCOMPARE(motor::ejecutaSql(
                         con, "CREATE TRIGGER rechaza BEFORE UPDATE OF fk_Clientes ON Talones "
                              "BEGIN SELECT RAISE(ABORT, 'cambio de librado rechazado'); END"),
                     QString());
        }
        clickFila(0);
        pulsa(hijo<QPushButton>(*frm, "btnModifica"));
        escribe(hijo<QLineEdit>(*frm, "lbleditCuenta"), CuentaC);
        pulsa(hijo<QPushButton>(*frm, "btnAceptar"));
        QCOMPARE(p->guion.textos().size(), 1);
        QVERIFY2(p->guion.textos().first().contains("cambio de librado rechazado"),
                 qPrintable(p->guion.textos().first()));
        QCOMPARE(libradoDe(1), libradoAntes);
    }

    void camposAlcanzadosConTeclasSeReescribenEnteros() {
        abre();
        pulsa(hijo<QPushButton>(*frm, "btnManual"));
        // No field is cleared by hand: the placeholders of a manual cheque
        // give way to what is typed.
        QTest::keyClicks(hijo<QLineEdit>(*frm, "edtFormato"), tecleo(modelo("4212")));
        QTest::keyClick(hijo<QLineEdit>(*frm, "edtFormato"), Qt::Key_Return);
        QTest::keyClicks(hijo<QLineEdit>(*frm, "edtNumero"), tecleo(numero("4212", "1000001")));
        QTest::keyClick(hijo<QLineEdit>(*frm, "edtNumero"), Qt::Key_Return);
        QTest::keyClicks(hijo<QLineEdit>(*frm, "lbtImporte"), "10");
        QTest::keyClick(hijo<QLineEdit>(*frm, "lbtImporte"), Qt::Key_Return);
        QTest::keyClicks(hijo<QLineEdit>(*frm, "lbleditCuenta"), CuentaA);
        QCOMPARE(hijo<QLineEdit>(*frm, "edtFormato")->text(), modelo("4212"));
        QCOMPARE(hijo<QLineEdit>(*frm, "edtNumero")->text(), numero("4212", "1000001"));
        QCOMPARE(hijo<QLineEdit>(*frm, "lbtImporte")->text(), "10,00");
        QCOMPARE(hijo<QLineEdit>(*frm, "lbleditCuenta")->text(), CuentaA);
    }

    void importeSinSalirDelCampoSeGuardaFormateado() {
        abre();
        pulsa(hijo<QPushButton>(*frm, "btnManual"));
        escribe(hijo<QLineEdit>(*frm, "edtFormato"), tecleo(modelo("4212")));
        escribe(hijo<QLineEdit>(*frm, "edtNumero"), tecleo(numero("4212", "1000001")));
        escribe(hijo<QLineEdit>(*frm, "lbleditCuenta"), CuentaA);
        escribe(hijo<QLineEdit>(*frm, "lbtImporte"), "100");
        // Alt+A presses Aceptar without leaving the amount field.
        QTest::keyClick(frm.get(), Qt::Key_A, Qt::AltModifier);
        QTRY_VERIFY(frm->modo() == TfrmMod_Cheque::Modo::Navegando);
        QCOMPARE(talones().first().at(3), "100,00");
        QCOMPARE(hijo<QLineEdit>(*frm, "ledtImporteTotal")->text(), "100,00 Euros");
    }

    void chequesManualesConservanSuLibrado() {
        abre();
        pulsa(hijo<QPushButton>(*frm, "btnManual"));
        const int primero = frm->regTalon().Pk_Talon;
        const QString provisional = libradoDe(primero);
        completa(CuentaA, "10,00", "ANA");
        escribe(hijo<QLineEdit>(*frm, "edtFormato"), tecleo(modelo("4212")));
        escribe(hijo<QLineEdit>(*frm, "edtNumero"), tecleo(numero("4212", "1000001")));
        pulsa(hijo<QPushButton>(*frm, "btnAceptar"));
        QVERIFY2(p->guion.textos().isEmpty(), qPrintable(p->guion.textos().join('|')));

        pulsa(hijo<QPushButton>(*frm, "btnManual"));
        const int segundo = frm->regTalon().Pk_Talon;
        QCOMPARE(libradoDe(segundo), provisional);
        completa(CuentaB, "20,00", "BERTO");
        escribe(hijo<QLineEdit>(*frm, "edtFormato"), tecleo(modelo("4212")));
        escribe(hijo<QLineEdit>(*frm, "edtNumero"), tecleo(numero("4212", "1000002")));
        pulsa(hijo<QPushButton>(*frm, "btnAceptar"));

        // A third one on an account that already has its drawer, no name typed.
        pulsa(hijo<QPushButton>(*frm, "btnManual"));
        const int tercero = frm->regTalon().Pk_Talon;
        completa(CuentaA, "30,00");
        escribe(hijo<QLineEdit>(*frm, "edtFormato"), tecleo(modelo("4212")));
        escribe(hijo<QLineEdit>(*frm, "edtNumero"), tecleo(numero("4212", "1000003")));
        pulsa(hijo<QPushButton>(*frm, "btnAceptar"));
        QVERIFY2(p->guion.textos().isEmpty(), qPrintable(p->guion.textos().join('|')));
        QCOMPARE(hijo<QLineEdit>(*frm, "lbleditNombreBenef")->text(), "ANA");

        // The placeholder account of a manual cheque is no drawer's.
        QCOMPARE(provisional, "0");
        const QList<QStringList> d = librados();
        QCOMPARE(d.size(), 2);
        QCOMPARE(d.at(0).mid(1), (QStringList{CuentaA, "ANA"}));
        QCOMPARE(d.at(1).mid(1), (QStringList{CuentaB, "BERTO"}));
        QCOMPARE(libradoDe(primero), d.at(0).at(0));
        QCOMPARE(libradoDe(segundo), d.at(1).at(0));
        QCOMPARE(libradoDe(tercero), d.at(0).at(0));

        frm->refrescaLista();
        QCOMPARE(columna(TPanelListaCheques::colNombre), (QStringList{"ANA", "BERTO", "ANA"}));

        // With the account unchanged the drawer takes the name typed.
        clickFila(2);
        pulsa(hijo<QPushButton>(*frm, "btnModifica"));
        escribe(hijo<QLineEdit>(*frm, "lbleditNombreBenef"), "ANA MARIA");
        pulsa(hijo<QPushButton>(*frm, "btnAceptar"));
        frm->refrescaLista();
        QCOMPARE(columna(TPanelListaCheques::colNombre),
                 (QStringList{"ANA MARIA", "BERTO", "ANA MARIA"}));
        QCOMPARE(librados().size(), 2);
    }

    // Cancelling a manual cheque never saved takes its row away, however the
    // edit ends: Cancelar, after a refused save or not, or closing the window.
    void chequeManualCanceladoNoDejaFila_data() {
        QTest::addColumn<bool>("duplicadoRechazado");
        QTest::addColumn<bool>("cerrando");
        QTest::newRow("cancelar") << false << false;
        QTest::newRow("cancelar tras un duplicado rechazado") << true << false;
        QTest::newRow("cerrar la ventana") << false << true;
    }
    void chequeManualCanceladoNoDejaFila() {
        QFETCH(bool, duplicadoRechazado);
        QFETCH(bool, cerrando);
        guarda("1", CuentaA, "1000001");
        const auto antes = talones();
        abre();
        pulsa(hijo<QPushButton>(*frm, "btnManual"));
        QCOMPARE(talones().size(), 2);
        QVERIFY(frm->modo() == TfrmMod_Cheque::Modo::Editando);
        if (duplicadoRechazado) {
            // Already emitted: the history holds the same cheque.
            motor::Conexion con(p->dm->instalacion().rutaHistoricoCheques());
            QCOMPARE(motor::ejecutaSql(con,
                                       "INSERT INTO historicoCheques (Pk_HistoricoRecibos, "
                                       "Numero, Numero_Modelo, Cuenta) VALUES (1, ?, ?, ?)",
                                       {numero("4212", "1000009"), modelo("4212"), CuentaB}),
                     QString());
            escribe(hijo<QLineEdit>(*frm, "edtFormato"), tecleo(modelo("4212")));
            escribe(hijo<QLineEdit>(*frm, "edtNumero"), tecleo(numero("4212", "1000009")));
            completa(CuentaB, "10,00");
            pulsa(hijo<QPushButton>(*frm, "btnAceptar"));
            QCOMPARE(p->guion.textos(), QStringList{"Ya se ha procesado un cheque del mismo "
                                                    "formato con el mismo número y cuenta"});
            QVERIFY(frm->modo() == TfrmMod_Cheque::Modo::Editando);
        }
        if (cerrando) {
            frm->close();
        } else {
            pulsa(hijo<QPushButton>(*frm, "btnCancelar"));
            QVERIFY(frm->modo() == TfrmMod_Cheque::Modo::Navegando);
            QCOMPARE(hijo<QTreeWidget>(*frm, "lvwTransferencias")->topLevelItemCount(), 1);
            QCOMPARE(fila(0).at(TPanelListaCheques::colCuenta), CuentaA);
        }
        QCOMPARE(talones(), antes);
        QCOMPARE(librados().size(), 1);
        QVERIFY(p->iu.mensajes.isEmpty());
    }

    // Another program changes, emits or deletes the cheque on screen, or
    // renames its drawer, between the editor showing it and the operator
    // saving it: nothing is written, the operator is told, and the list
    // shows what the remittance holds now.
    void guardarLoQueOtroProgramaCambio_data() {
        QTest::addColumn<bool>("enLibrados");
        QTest::addColumn<QString>("sentencia");
        QTest::addColumn<bool>("siguiente");
        QTest::addColumn<QStringList>("listaDespues");
        const QString talonCambiado = "UPDATE Talones SET Importe = '99,00' WHERE Pk_Talon = 1";
        QTest::newRow("modificado, Aceptar")
            << false << talonCambiado << false << QStringList{"99,00", "0,00"};
        QTest::newRow("modificado, Siguiente")
            << false << talonCambiado << true << QStringList{"99,00", "0,00"};
        QTest::newRow("emitido") << false << "DELETE FROM Talones WHERE Pk_Talon = 1" << false
                                 << QStringList{"0,00"};
        QTest::newRow("librado renombrado")
            << true << "UPDATE Deudores SET Nombre_Cliente = 'OTRO' WHERE Pk_Cliente = 1" << false
            << QStringList{"0,00", "0,00"};
    }
    void guardarLoQueOtroProgramaCambio() {
        QFETCH(bool, enLibrados);
        QFETCH(QString, sentencia);
        QFETCH(bool, siguiente);
        QFETCH(QStringList, listaDespues);
        guarda("1", CuentaA, "1000001");
        guarda("1", CuentaB, "1000002");
        abre();
        clickFila(0);
        pulsa(hijo<QPushButton>(*frm, "btnModifica"));
        escribe(hijo<QLineEdit>(*frm, "edtFormato"), tecleo(modelo("4212")));
        escribe(hijo<QLineEdit>(*frm, "edtNumero"), tecleo(numero("4212", "1000001")));
        completa(CuentaA, "10,00", "ANA");

        QVERIFY(cambiaDesdeOtroPrograma(enLibrados ? p->dm->instalacion().rutaDeudores()
                                                   : p->dm->rutaTalonesActual(),
                                        {sentencia}));
        const auto talonesDelOtro = talones();
        const auto libradosDelOtro = librados();
        pulsa(hijo<QPushButton>(*frm, siguiente ? "btnSiguiente" : "btnAceptar"));

        QCOMPARE(p->guion.textos(),
                 QStringList{"Otro programa ha modificado, emitido o eliminado este cheque desde "
                             "que se mostró; la lista se ha actualizado con lo que hay ahora en "
                             "la remesa. Revise el cheque y repita el cambio si sigue siendo "
                             "necesario."});
        QCOMPARE(talones(), talonesDelOtro);
        QCOMPARE(librados(), libradosDelOtro);
        QVERIFY(frm->modo() == TfrmMod_Cheque::Modo::Navegando);
        QCOMPARE(columna(TPanelListaCheques::colImporte), listaDespues);
        // Still on the cheque while it is there, as it is stored now.
        QCOMPARE(frm->regTalon().Pk_Talon, talonesDelOtro.first().first().toInt());
        QCOMPARE(hijo<QLineEdit>(*frm, "lbtImporte")->text(),
                 listaDespues.first() == "99,00" ? "99,00" : "0,00");
    }

    // Deleting a cheque another program completed meanwhile: it stays.
    void eliminarLoQueOtroProgramaCambio() {
        const tTalon t = guarda("1", CuentaA, "1000001");
        creaImagenes(t);
        abre();
        clickFila(0);
        QVERIFY(cambiaDesdeOtroPrograma(
            p->dm->rutaTalonesActual(),
            {"UPDATE Talones SET Importe = '99,00', Estado = '0' WHERE Pk_Talon = 1"}));
        pulsa(hijo<QPushButton>(*frm, "btnEliminar"));
        QCOMPARE(p->iu.mensajes,
                 QStringList{"Otro programa ha modificado, emitido o eliminado este cheque desde "
                             "que se mostró; no se ha eliminado y la lista se ha actualizado con "
                             "lo que hay ahora en la remesa. Revise el cheque y elimínelo de "
                             "nuevo si sigue siendo necesario."});
        QCOMPARE(talones().size(), 1);
        QCOMPARE(imagenesDe(baseImagenTalon(t)).size(), 3);
        QCOMPARE(fila(0).mid(0, 3), (QStringList{"CORRECTO", "CHEQUE CUENTA CORRIENTE", "99,00"}));
        QCOMPARE(hijo<QLineEdit>(*frm, "lbtImporte")->text(), "99,00");
    }

    void chequeManualTeclasYReglasDelTipo() {
        escribeJpeg(p->inst.dirs.Dir_Aplicacion + "SIN_IMAGEN.jpg", Qt::lightGray);
        abre();
        pulsa(hijo<QPushButton>(*frm, "btnManual"));
        QCOMPARE(hijo<QTreeWidget>(*frm, "lvwTransferencias")->topLevelItemCount(), 1);
        const QString clave = QString::number(frm->regTalon().Pk_Talon);
        QCOMPARE(fila(0), (QStringList{"INCOMPLETO", "DESCONOCIDO", "0,00", QString(19, u'#'),
                                       QString(), QString(), QString(), clave}));
        QVERIFY(frm->modo() == TfrmMod_Cheque::Modo::Editando);
        QVERIFY(hijo<QFrame>(*frm, "pnlImagen")->isVisible());
        QCOMPARE(frm->imagenMostrada(), p->inst.dirs.Dir_Aplicacion + "SIN_IMAGEN.jpg");
        QCOMPARE(QApplication::focusWidget(), hijo<QLineEdit>(*frm, "edtFormato"));
        QVERIFY(!hijo<QPushButton>(*frm, "btnSiguiente")->isEnabled());
        QVERIFY(!hijo<QPushButton>(*frm, "btnAnterior")->isEnabled());
        QVERIFY(!hijo<QLineEdit>(*frm, "medtAbono")->isEnabled());

        // The placeholder type is refused; the cheque stays as it was.
        pulsa(hijo<QPushButton>(*frm, "btnAceptar"));
        QCOMPARE(p->guion.textos(), QStringList{"El tipo de cheque no es valido."});
        QCOMPARE(QApplication::focusWidget(), hijo<QLineEdit>(*frm, "edtFormato"));
        QVERIFY(frm->modo() == TfrmMod_Cheque::Modo::Editando);
        QCOMPARE(talones().first().at(1), "1");

        // Enter walks the fields; a promissory note opens the due date.
        const QString pagare = modelo("8212");
        escribe(hijo<QLineEdit>(*frm, "edtFormato"), tecleo(pagare));
        QTest::keyClick(hijo<QLineEdit>(*frm, "edtFormato"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), hijo<QLineEdit>(*frm, "edtNumero"));
        QVERIFY(hijo<QLineEdit>(*frm, "medtAbono")->isEnabled());
        QVERIFY(hijo<QCheckBox>(*frm, "chIndicador")->isEnabled());
        QCOMPARE(hijo<QComboBox>(*frm, "cboxOrdenes")->currentText(), "PAGARES");
        QTest::keyClicks(hijo<QLineEdit>(*frm, "edtNumero"), tecleo(numero("8212", "7654321")));
        QTest::keyClick(hijo<QLineEdit>(*frm, "edtNumero"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), hijo<QLineEdit>(*frm, "lbtImporte"));
        // The refused save above already formatted the amount ("0,00").
        QCOMPARE(hijo<QLineEdit>(*frm, "lbtImporte")->text(), "0,00");
        escribe(hijo<QLineEdit>(*frm, "lbtImporte"), "1234,5");
        QTest::keyClick(hijo<QLineEdit>(*frm, "lbtImporte"), Qt::Key_Return);
        QCOMPARE(hijo<QLineEdit>(*frm, "lbtImporte")->text(), "1.234,50");
        QCOMPARE(QApplication::focusWidget(), hijo<QLineEdit>(*frm, "lbleditCuenta"));
        QTest::keyClicks(hijo<QLineEdit>(*frm, "lbleditCuenta"), CuentaA);
        QTest::keyClick(hijo<QLineEdit>(*frm, "lbleditCuenta"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), hijo<QLineEdit>(*frm, "medtAbono"));
        QTest::keyClicks(hijo<QLineEdit>(*frm, "medtAbono"),
                         QDate::currentDate().addDays(30).toString("ddMMyyyy"));
        QTest::keyClick(hijo<QLineEdit>(*frm, "medtAbono"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), hijo<QCheckBox>(*frm, "chIndicador"));
        QTest::keyClick(hijo<QCheckBox>(*frm, "chIndicador"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), hijo<QPushButton>(*frm, "btnAceptar"));

        // Another type closes and empties the due date.
        escribe(hijo<QLineEdit>(*frm, "edtFormato"), tecleo(modelo("4312")));
        escribe(hijo<QLineEdit>(*frm, "lbleditCuenta"), CuentaA);
        QVERIFY(hijo<QLineEdit>(*frm, "medtAbono")->text().remove(u'/').trimmed().isEmpty());
        QVERIFY(!hijo<QLineEdit>(*frm, "medtAbono")->isEnabled());
        QVERIFY(!hijo<QCheckBox>(*frm, "chIndicador")->isEnabled());
        QCOMPARE(hijo<QComboBox>(*frm, "cboxOrdenes")->currentIndex(), 0);
        QTest::keyClick(hijo<QLineEdit>(*frm, "lbleditCuenta"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), hijo<QPushButton>(*frm, "btnAceptar"));
        escribe(hijo<QLineEdit>(*frm, "edtNumero"), tecleo(numero("4312", "7654321")));
        hijo<QPushButton>(*frm, "btnAceptar")->setFocus();
        QTest::keyClick(hijo<QPushButton>(*frm, "btnAceptar"), Qt::Key_Return);
        QCOMPARE(p->guion.textos().size(), 1);

        QVERIFY(frm->modo() == TfrmMod_Cheque::Modo::Navegando);
        QCOMPARE(fila(0).mid(0, 3),
                 (QStringList{"CORRECTO", "CHEQUE CUENTA CORRIENTE", "1.234,50"}));
        QCOMPARE(hijo<QLineEdit>(*frm, "ledtImporteTotal")->text(), "1.234,50 Euros");
        QCOMPARE(hijo<QLineEdit>(*frm, "ledtOrdenes")->text(), "1");
        QCOMPARE(hijo<QLineEdit>(*frm, "lbtTotTrans")->text(), "1");
        const auto guardado = filasDe(
            p->dm->rutaTalonesActual(),
            "SELECT Estado, Importe, Modelo_Talon, Numero_Modelo, Fecha_Talon FROM Talones");
        QCOMPARE(guardado.first(), (QStringList{"0", "1234,50", "0", modelo("4312"), QString()}));
    }

    void emitirSinChequesCompletos() {
        guarda("1", CuentaA, "1000001");
        guarda("1", CuentaB, "1000002");
        abre();
        QVERIFY(hijo<QPushButton>(*frm, "btnEmision")->isEnabled());
        pulsa(hijo<QPushButton>(*frm, "btnEmision"));
        QCOMPARE(p->guion.textos(),
                 QStringList{"No hay cheques COMPLETOS listos para emitir. Reviselos"});
        QVERIFY(hijo<QFrame>(*frm, "pnlAviso")->isHidden());
        QVERIFY(frm->modo() == TfrmMod_Cheque::Modo::Navegando);
        QVERIFY(hijo<QTreeWidget>(*frm, "lvwTransferencias")->isEnabled());
    }

    void avisoDeEmision_data() {
        QTest::addColumn<int>("incompletos");
        QTest::addColumn<QString>("lineaRoja");
        QTest::newRow("ninguno") << 0 << QString();
        QTest::newRow("uno") << 1
                             << "Quedan 1 cheque sin completar, si continua no se incluira en ésta "
                                "emisión-remesa.";
        QTest::newRow("dos") << 2
                             << "Quedan 2 cheques sin completar, si continua no se incluiran en "
                                "ésta emisión-remesa.";
    }

    void avisoDeEmision() {
        QFETCH(int, incompletos);
        QFETCH(QString, lineaRoja);
        guarda("0", CuentaA, "1000001", "1234,56");
        guarda("0", CuentaB, "1000002", "10,00");
        guarda("2", CuentaA, "1000001", "1234,56");
        for (int i = 0; i < incompletos; ++i)
            guarda("1", CuentaC, QStringLiteral("200000%1").arg(i));
        abre();
        QStringList esperadas{"La remesa se generará con el siguiente detalle:"};
        if (!lineaRoja.isEmpty())
            esperadas << lineaRoja;
        for (int vez = 0; vez < 2; ++vez) {
            pulsa(hijo<QPushButton>(*frm, "btnEmision"));
            QVERIFY(hijo<QFrame>(*frm, "pnlAviso")->isVisible());
            QVERIFY(frm->modo() == TfrmMod_Cheque::Modo::Aviso);
            QVERIFY(!hijo<QTreeWidget>(*frm, "lvwTransferencias")->isEnabled());
            QVERIFY(!hijo<QPushButton>(*frm, "btnSalir")->isEnabled());
            QVERIFY(!hijo<QPushButton>(*frm, "btnEmision")->isEnabled());
            QCOMPARE(hijo<QTextEdit>(*frm, "redtAviso")->toPlainText().split(u'\n'), esperadas);
            QCOMPARE(hijo<QLineEdit>(*frm, "lbedImp")->text(), "1.244,56 Euros");
            QCOMPARE(hijo<QLineEdit>(*frm, "lblTalones")->text(), "2");
            const QTextBlock primera = hijo<QTextEdit>(*frm, "redtAviso")->document()->firstBlock();
            QCOMPARE(primera.charFormat().foreground().color(), QColor(Qt::black));
            if (!lineaRoja.isEmpty())
                QCOMPARE(primera.next().charFormat().foreground().color(), QColor(Qt::red));
            if (vez == 0) {
                pulsa(hijo<QPushButton>(*frm, "btnCancelarAviso"));
                QVERIFY(hijo<QFrame>(*frm, "pnlAviso")->isHidden());
                QVERIFY(hijo<QTreeWidget>(*frm, "lvwTransferencias")->isEnabled());
                QVERIFY(hijo<QPushButton>(*frm, "btnSalir")->isEnabled());
            }
        }
        pulsa(hijo<QPushButton>(*frm, "btnContinuar"));
        QCOMPARE(frm->result(), int(QDialog::Accepted));
        QVERIFY(!frm->isVisible());
        // The duplicate went; the correct and incomplete cheques stay.
        QCOMPARE(talones().size(), 2 + incompletos);
        for (const QStringList& t : talones())
            QVERIFY(t.at(1) != "2");
        QVERIFY(p->guion.textos().isEmpty());
    }

    void salirEliminaLosDuplicados() {
        const tTalon original = guarda("1", CuentaA, "1000001");
        guarda("2", CuentaA, "1000001");
        guarda("2", CuentaA, "1000001");
        creaImagenes(original);
        abre();
        QCOMPARE(hijo<QTreeWidget>(*frm, "lvwTransferencias")->topLevelItemCount(), 3);
        pulsa(hijo<QPushButton>(*frm, "btnSalir"));
        QCOMPARE(frm->result(), int(QDialog::Rejected));
        QCOMPARE(talones().size(), 1);
        QCOMPARE(talones().first().at(1), "1");
        QCOMPARE(imagenesDe(baseImagenTalon(original)).size(), 3);
    }

    void eliminarBorraElChequeYSusImagenes() {
        guarda("1", CuentaA, "1000001");
        const tTalon segundo = guarda("0", CuentaB, "1000002", "5,00");
        creaImagenes(segundo);
        abre();
        QCOMPARE(hijo<QLineEdit>(*frm, "ledtImporteTotal")->text(), "5,00 Euros");
        clickFila(1);
        pulsa(hijo<QPushButton>(*frm, "btnEliminar"));
        QVERIFY(p->guion.textos().isEmpty());
        QCOMPARE(talones().size(), 1);
        QCOMPARE(imagenesDe(baseImagenTalon(segundo)), QStringList{});
        QCOMPARE(hijo<QTreeWidget>(*frm, "lvwTransferencias")->topLevelItemCount(), 1);
        QCOMPARE(frm->filaActual(), 0);
        QCOMPARE(hijo<QLineEdit>(*frm, "ledtImporteTotal")->text(),
                 Cadenas::captions().Caption0Euros);
        QCOMPARE(hijo<QLineEdit>(*frm, "lbtTotTrans")->text(), "1");
    }

    void ordenPorColumnas() {
        // Eleven cheques: keys 1 to 11, so "Orden" as text would put 10
        // and 11 before 2.
        for (int i = 1; i <= 11; ++i)
            guarda("1", CuentaA, QStringLiteral("10000%1").arg(i, 2, 10, QChar(u'0')),
                   QStringLiteral("%1,00").arg(12 - i));
        abre();
        const auto claves = [this] { return columna(TPanelListaCheques::colOrden); };
        QStringList ascendente;
        for (int i = 1; i <= 11; ++i)
            ascendente << QString::number(i);
        QStringList descendente = ascendente;
        std::reverse(descendente.begin(), descendente.end());

        clickCabecera(TPanelListaCheques::colOrden);
        QCOMPARE(claves(), descendente);
        clickCabecera(TPanelListaCheques::colOrden);
        QCOMPARE(claves(), ascendente);
        // A text column starts ascending, as text: "10,00" before "2,00".
        clickCabecera(TPanelListaCheques::colImporte);
        QCOMPARE(columna(TPanelListaCheques::colImporte).mid(0, 4),
                 (QStringList{"1,00", "10,00", "11,00", "2,00"}));
        clickCabecera(TPanelListaCheques::colImporte);
        QCOMPARE(columna(TPanelListaCheques::colImporte).first(), "9,00");

        // The directions last for the whole run: a new opening goes on
        // from where the last one left each column.
        frm.reset();
        abre();
        QCOMPARE(claves(), ascendente);
        clickCabecera(TPanelListaCheques::colOrden);
        QCOMPARE(claves(), descendente);
    }

    void imagenConSusSustitutos_data() {
        QTest::addColumn<bool>("frontal");
        QTest::addColumn<QByteArray>("deAplicacion");
        QTest::addColumn<bool>("dePub");
        QTest::addColumn<QString>("mostrada");
        const QByteArray jpeg("jpeg");
        QTest::newRow("su imagen") << true << jpeg << true << "frontal";
        QTest::newRow("sin imagen") << false << jpeg << true << "aplicacion";
        QTest::newRow("sustituto ilegible")
            << false << QByteArray("no es una imagen") << true << "pub";
        QTest::newRow("sin sustituto") << false << QByteArray() << true << "pub";
        QTest::newRow("nada") << false << QByteArray() << false << "";
    }

    void imagenConSusSustitutos() {
        QFETCH(bool, frontal);
        QFETCH(QByteArray, deAplicacion);
        QFETCH(bool, dePub);
        QFETCH(QString, mostrada);
        const tTalon t = guarda("1", CuentaA, "1000001");
        if (frontal)
            creaImagenes(t);
        const QString aplicacion = p->inst.dirs.Dir_Aplicacion + "SIN_IMAGEN.jpg";
        const QString pub = p->inst.dirs.Dir_Pub + "SIN_IMAGEN.jpg";
        if (deAplicacion == "jpeg")
            escribeJpeg(aplicacion, Qt::lightGray);
        else if (!deAplicacion.isEmpty())
            escribeBytes(aplicacion, deAplicacion);
        if (dePub)
            escribeJpeg(pub, Qt::gray);
        abre();
        const QMap<QString, QString> rutas{
            {"frontal", rutaImagenFrontal(p->inst.dirs.Dir_Imagenes, baseImagenTalon(t))},
            {"aplicacion", aplicacion},
            {"pub", pub},
            {"", QString()}};
        QCOMPARE(frm->imagenMostrada(), rutas.value(mostrada));
        QCOMPARE(hijo<QLabel>(*frm, "imgCheque")->pixmap().isNull(), mostrada.isEmpty());
    }
};

QTEST_MAIN(TstTfrmMod_Cheque)
#include "tst_TfrmMod_Cheque.moc"
