// Presenter maintenance driven as the operator drives it: clicks, typing,
// leaving fields, and every message box answered through the hook.
#include "Cadenas.h"
#include "CajaMensajes.h"
#include "InstalacionPrueba.h"
#include "ListaOrdenable.h"
#include "TfrmMnto_Ordenantes.h"

#include <QAccessible>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {
const QString IbanValido = QStringLiteral("ES9121000418450200051332");
const QString IbanValido2 = QStringLiteral("ES7921000813610123456789");
const QString NifValido = QStringLiteral("12345678Z");
} // namespace

class TstTfrmMnto_Ordenantes : public QObject {
    Q_OBJECT

    std::unique_ptr<InstalacionPrueba> p;
    std::unique_ptr<TfrmMnto_Ordenantes> frm;

    // Stores a presenter directly, as an earlier session would have left it.
    void guardaPresentador(const QString& nombre, const QString& cuenta, const QString& nif) {
        tOrdenantes o;
        o.EsNuevo = true;
        o.Nombre_ordenante = nombre;
        o.Cuenta = cuenta;
        o.Nif_Sufijo = nif;
        QString e;
        QVERIFY2(p->dm->GuardaOrdenante(o, e), qPrintable(e));
    }

    void abre() {
        frm = std::make_unique<TfrmMnto_Ordenantes>(*p->dm);
        frm->prepara();
        frm->show();
        QVERIFY(QTest::qWaitForWindowActive(frm.get()));
    }

    static void escribe(QLineEdit* campo, const QString& texto) {
        campo->setFocus();
        campo->selectAll();
        QTest::keyClick(campo, Qt::Key_Delete);
        QTest::keyClicks(campo, texto);
    }

    void rellena(const QString& nombre, const QString& cuenta, const QString& nif) {
        escribe(frm->edtNombre, nombre);
        escribe(frm->edtCuenta, cuenta);
        escribe(frm->edtNif, nif);
    }

    // Rows of the presenter table: NIF, name, account, in key order.
    QList<QStringList> presentadores() const {
        return filasDe(p->dm->rutaOrdenantes(),
                       "SELECT Nif_Sufijo, Nombre_Ordenante, Cuenta FROM Ordenantes "
                       "ORDER BY Pk_Ordenante");
    }

    QStringList nombresEnLista() const {
        QStringList r;
        for (int i = 0; i < frm->lvwOrdenante->numeroFilas(); ++i)
            r << frm->lvwOrdenante->fila(i)->text(0);
        return r;
    }

    void click(QPushButton* b) {
        QVERIFY2(b->isEnabled(), qPrintable(b->text()));
        QTest::mouseClick(b, Qt::LeftButton);
    }

private slots:
    void init() {
        p = std::make_unique<InstalacionPrueba>();
        CajaMensajes::activaGrabacion();
    }
    void cleanup() {
        frm.reset();
        p.reset();
        CajaMensajes::restablece();
    }

    void abreEnModoConsultaConLaListaYLaAyuda() {
        guardaPresentador("BETA SL", IbanValido, "B12345674");
        guardaPresentador("alfa sa", IbanValido2, NifValido);
        abre();
        QCOMPARE(frm->windowTitle(), QStringLiteral("Mantenimiento de Presentadores"));
        QCOMPARE(frm->size(), QSize(858, 526));
        QCOMPARE(frm->lvwOrdenante->headerItem()->text(2), QStringLiteral("Identificador"));
        QCOMPARE(nombresEnLista(), (QStringList{"alfa sa", "BETA SL"}));
        QCOMPARE(frm->mmoAyuda->toPlainText().split(u'\n'), TfrmMnto_Ordenantes::textoAyuda());
        // Browse mode, nothing selected yet.
        QVERIFY(frm->lvwOrdenante->isEnabled());
        QVERIFY(frm->btnNuevo->isEnabled() && frm->btnSalir->isEnabled());
        QVERIFY(!frm->btnModificar->isEnabled() && !frm->btnEliminar->isEnabled());
        QVERIFY(!frm->btnAceptar->isEnabled() && !frm->btnCancelar->isEnabled());
        QVERIFY(!frm->edtNombre->isEnabled());
        // Each field is named by its label for assistive technology.
        for (auto [campo, etiqueta] :
             {std::pair{frm->edtNombre, "Nombre"}, std::pair{frm->edtCuenta, "Cuenta (IBAN)"},
              std::pair{frm->edtNif, "CIF/NIF"}}) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(campo);
            QVERIFY(a);
            QCOMPARE(a->text(QAccessible::Name), QString::fromUtf8(etiqueta));
        }
        // Selecting a row shows the presenter and unlocks its commands.
        frm->lvwOrdenante->seleccionaFila(1);
        QCOMPARE(frm->edtNombre->text(), QStringLiteral("BETA SL"));
        QCOMPARE(frm->edtNif->text(), QStringLiteral("B12345674"));
        QCOMPARE(frm->edtCuenta->text(), IbanValido);
        QVERIFY(frm->btnModificar->isEnabled() && frm->btnEliminar->isEnabled());
    }

    void abreOrdenadaPorLaColumnaCompartida() {
        guardaPresentador("AAA", IbanValido2, "B12345674");
        guardaPresentador("BBB", IbanValido, NifValido);
        p->estado.ColumnaOrden = 2; // last clicked elsewhere: the identifier
        abre();
        QCOMPARE(nombresEnLista(), (QStringList{"BBB", "AAA"}));
        emit frm->lvwOrdenante->header()->sectionClicked(0);
        QCOMPARE(p->estado.ColumnaOrden, 0);
        QCOMPARE(nombresEnLista(), (QStringList{"AAA", "BBB"}));
    }

    void comprobacionesEnOrden_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("cuenta");
        QTest::addColumn<QString>("nif");
        QTest::addColumn<QString>("mensaje");
        const tRegistro_Mensajes& m = Cadenas::mensajes();
        QTest::newRow("todo mal: el nombre primero") << "  "
                                                     << "X"
                                                     << "1" << m.mnjErrorNombreAcreedor;
        QTest::newRow("iban con digitos de control malos")
            << "EMPRESA"
            << "ES9121000418450200051331" << NifValido << m.mnjErrorIbanNoEspanol;
        QTest::newRow("iban correcto de otro pais")
            << "EMPRESA"
            << "DE89370400440532013000" << NifValido << m.mnjErrorIbanNoEspanol;
        QTest::newRow("iban mal antes que nif mal") << "EMPRESA"
                                                    << "ES00"
                                                    << "12345678A" << m.mnjErrorIbanNoEspanol;
        QTest::newRow("nif con letra mala")
            << "EMPRESA" << IbanValido << "12345678A" << m.mnjErrorNifAcreedor;
        QTest::newRow("nif corto sin letra")
            << "EMPRESA" << IbanValido << "123" << m.mnjErrorNifAcreedor;
        QTest::newRow("duplicado: mismo nif y cuenta")
            << "OTRO NOMBRE" << IbanValido << NifValido << QStringLiteral("Presentador duplicado");
    }
    void comprobacionesEnOrden() {
        QFETCH(QString, nombre);
        QFETCH(QString, cuenta);
        QFETCH(QString, nif);
        QFETCH(QString, mensaje);
        guardaPresentador("EXISTENTE", IbanValido, NifValido);
        abre();
        click(frm->btnNuevo);
        rellena(nombre, cuenta, nif);
        click(frm->btnAceptar);
        QCOMPARE(CajaMensajes::textos(), QStringList{mensaje});
        // Nothing stored, and the window stays in edit mode with what was typed.
        QCOMPARE(presentadores().size(), 1);
        QVERIFY(frm->enEdicion());
        QVERIFY(frm->btnAceptar->isEnabled());
        QVERIFY(!frm->lvwOrdenante->isEnabled());
        QCOMPARE(frm->edtNombre->text(), nombre);
    }

    void nuevoSeGuardaYQuedaSeleccionadaLaPrimeraFila() {
        guardaPresentador("MMM", IbanValido, NifValido);
        abre();
        click(frm->btnNuevo);
        QVERIFY(frm->edtNombre->hasFocus());
        // Same NIF with another account is another presenter; letters are
        // typed in capitals.
        rellena("zeta comercial", IbanValido2.toLower(), NifValido);
        // Enter leads from the last field to "&Aceptar" and presses it.
        QTest::keyClick(frm->edtNif, Qt::Key_Return);
        QVERIFY(frm->btnAceptar->hasFocus());
        QTest::keyClick(frm->btnAceptar, Qt::Key_Return);
        QCOMPARE(CajaMensajes::textos(), QStringList{});
        QCOMPARE(presentadores().last(), (QStringList{NifValido, "ZETA COMERCIAL", IbanValido2}));
        QVERIFY(!frm->enEdicion());
        QVERIFY(!frm->edtNombre->isEnabled());
        QCOMPARE(nombresEnLista(), (QStringList{"MMM", "ZETA COMERCIAL"}));
        QCOMPARE(frm->lvwOrdenante->filaSeleccionada(), frm->lvwOrdenante->fila(0));
        QCOMPARE(frm->edtNombre->text(), QStringLiteral("MMM"));
    }

    void alSalirDelCampoNifSeRellenaConCerosYLaCuentaSeGuardaSinBlancos() {
        abre();
        click(frm->btnNuevo);
        escribe(frm->edtNombre, "EMPRESA");
        // The field holds 26 characters: room for some blanks, not for all groups.
        escribe(frm->edtCuenta, "es91 2100 0418450200051332");
        escribe(frm->edtNif, "1234567L");
        frm->edtNombre->setFocus();
        QCOMPARE(frm->edtNif->text(), QStringLiteral("01234567L"));
        QCOMPARE(frm->edtCuenta->text(), IbanValido);
        click(frm->btnAceptar);
        QCOMPARE(CajaMensajes::textos(), QStringList{});
        QCOMPARE(presentadores(), (QList<QStringList>{{"01234567L", "EMPRESA", IbanValido}}));
    }

    void laTeclaDeAccesoAplicaLasReglasDelCampoQueSeEstaEscribiendo() {
        abre();
        click(frm->btnNuevo);
        escribe(frm->edtNombre, "EMPRESA");
        escribe(frm->edtNif, NifValido);
        escribe(frm->edtCuenta, "ES91 2100 0418450200051332");
        QTest::keyClick(frm->edtCuenta, Qt::Key_A, Qt::AltModifier);
        // The access key clicks the button a moment later.
        QTRY_COMPARE(presentadores().size(), 1);
        QCOMPARE(CajaMensajes::textos(), QStringList{});
        QCOMPARE(presentadores(), (QList<QStringList>{{NifValido, "EMPRESA", IbanValido}}));
    }

    void modificarSinCambiosNoEsDuplicado() {
        guardaPresentador("EMPRESA", IbanValido, NifValido);
        abre();
        frm->lvwOrdenante->seleccionaFila(0);
        QTest::keyClick(frm->lvwOrdenante, Qt::Key_Return);
        QVERIFY(frm->enEdicion());
        QVERIFY(frm->edtNombre->hasFocus());
        QCOMPARE(frm->edtNombre->text(), QStringLiteral("EMPRESA"));
        click(frm->btnAceptar);
        QCOMPARE(CajaMensajes::textos(), QStringList{});
        escribe(frm->edtNombre, "x"); // browse mode: the field takes nothing
        click(frm->btnModificar);
        escribe(frm->edtNombre, "EMPRESA NUEVA");
        click(frm->btnAceptar);
        QCOMPARE(presentadores(), (QList<QStringList>{{NifValido, "EMPRESA NUEVA", IbanValido}}));
    }

    void cancelarDescartaLoEscritoYF2VaciaElCampo() {
        guardaPresentador("EMPRESA", IbanValido, NifValido);
        abre();
        frm->lvwOrdenante->seleccionaFila(0);
        click(frm->btnModificar);
        QTest::keyClick(frm->edtNombre, Qt::Key_F2);
        QCOMPARE(frm->edtNombre->text(), QString());
        QTest::keyClicks(frm->edtNombre, "OTRA");
        QTest::keyClick(frm->edtNombre, Qt::Key_Return);
        QVERIFY(frm->edtCuenta->hasFocus());
        click(frm->btnCancelar);
        QVERIFY(!frm->enEdicion());
        QCOMPARE(frm->edtNombre->text(), QStringLiteral("EMPRESA"));
        QCOMPARE(presentadores().first().at(1), QStringLiteral("EMPRESA"));
    }

    void eliminarPideConfirmacion_data() {
        QTest::addColumn<quint16>("respuesta");
        QTest::addColumn<int>("quedan");
        QTest::newRow("Aceptar borra") << CajaMensajes::PrimerBoton << 1;
        QTest::newRow("Cancelar no borra") << CajaMensajes::SegundoBoton << 2;
    }
    void eliminarPideConfirmacion() {
        QFETCH(quint16, respuesta);
        QFETCH(int, quedan);
        guardaPresentador("AAA", IbanValido, NifValido);
        guardaPresentador("BBB", IbanValido2, NifValido);
        abre();
        frm->lvwOrdenante->seleccionaFila(0);
        CajaMensajes::fijaSiguienteRespuesta(respuesta);
        click(frm->btnEliminar);
        QCOMPARE(CajaMensajes::registros().size(), 1);
        const CajaMensajes::Registro& r = CajaMensajes::registros().first();
        QCOMPARE(r.tipo, CajaMensajes::Tipo::Confirmacion);
        QCOMPARE(r.titulo, QStringLiteral("ATENCIÓN"));
        QCOMPARE(r.texto, QStringLiteral("¿Desea Eliminar el presentador seleccionado?."));
        QCOMPARE(presentadores().size(), quedan);
        QCOMPARE(presentadores().last().at(1), QStringLiteral("BBB"));
        QCOMPARE(frm->lvwOrdenante->numeroFilas(), quedan);
    }
};

QTEST_MAIN(TstTfrmMnto_Ordenantes)
#include "tst_TfrmMnto_Ordenantes.moc"
