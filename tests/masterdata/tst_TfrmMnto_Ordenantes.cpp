// Presenter maintenance driven as the operator drives it: clicks, typing,
// leaving fields, and every message box answered through the hook.
#include "AlmacenOrdenantes.h"
#include "AyudaEnPantalla.h"
#include "Cadenas.h"
#include "CajaMensajes.h"
#include "ListaOrdenable.h"
#include "OtroPrograma.h"
#include "PruebaVentanas.h"
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

    PruebaVentanas p;
    std::unique_ptr<TfrmMnto_Ordenantes> frm;

    // Stores a presenter directly, as an earlier session would have left it.
    void guardaPresentador(const QString& nombre, const QString& cuenta, const QString& nif) {
        tOrdenantes o;
        o.EsNuevo = true;
        o.Nombre_ordenante = nombre;
        o.Cuenta = cuenta;
        o.Nif_Sufijo = nif;
        p->dm->ordenantes().GuardaOrdenante(o);
    }

    void abre() {
        frm = std::make_unique<TfrmMnto_Ordenantes>(*p->dm);
        frm->prepara();
        frm->show();
        QVERIFY(QTest::qWaitForWindowActive(frm.get()));
    }

    void rellena(const QString& nombre, const QString& cuenta, const QString& nif) {
        escribe(hijo<QLineEdit>(*frm, "edtNombre"), nombre);
        escribe(hijo<QLineEdit>(*frm, "edtCuenta"), cuenta);
        escribe(hijo<QLineEdit>(*frm, "edtNif"), nif);
    }

    // Rows of the presenter table: NIF, name, account, in key order.
    QList<QStringList> presentadores() const {
        return filasDe(p->dm->instalacion().rutaOrdenantes(),
                       "SELECT Nif_Sufijo, Nombre_Ordenante, Cuenta FROM Ordenantes "
                       "ORDER BY Pk_Ordenante");
    }

    QStringList nombresEnLista() const {
        QStringList r;
        for (int i = 0; i < hijo<TListaOrdenable>(*frm, "lvwOrdenante")->numeroFilas(); ++i)
            r << hijo<TListaOrdenable>(*frm, "lvwOrdenante")->fila(i)->text(0);
        return r;
    }

private slots:
    void init() { p.prepara(); }
    void cleanup() {
        frm.reset();
        p.restablece();
    }

    void abreEnModoConsultaConLaListaYLaAyuda() {
        guardaPresentador("BETA SL", IbanValido, "B12345674");
        guardaPresentador("alfa sa", IbanValido2, NifValido);
        abre();
        QCOMPARE(frm->windowTitle(), QStringLiteral("Mantenimiento de Presentadores"));
        const TListaOrdenable& lista = *hijo<TListaOrdenable>(*frm, "lvwOrdenante");
        QCOMPARE(lista.headerItem()->text(2), QStringLiteral("Identificador"));
        QCOMPARE(nombresEnLista(), (QStringList{"alfa sa", "BETA SL"}));
        // Whole rows in sight, and each quoted help line one line on screen.
        QVERIFY(lista.header()->length() <= lista.viewport()->width());
        const QPlainTextEdit& ayuda = *hijo<QPlainTextEdit>(*frm, "mmoAyuda");
        QCOMPARE(ayuda.toPlainText().split(u'\n'),
                 (QStringList{"El procedimiento de entrega a la entidad de crédito de una remesa "
                              "de cheques para su tramitación y abono, exige informar del "
                              "presentador o ",
                              "persona-empresa que hace la entrega y recibe el pago.",
                              "La aplicación permite tener varios presentadores. Al emitir una "
                              "remesa la aplicación exige elegir un presentador de entre los "
                              "existentes.",
                              "Este menú facilita el alta y mantenimiento de presentadores."}));
        QVERIFY(ayudaSinPartir(ayuda));
        // Browse mode, nothing selected yet.
        QVERIFY(hijo<TListaOrdenable>(*frm, "lvwOrdenante")->isEnabled());
        QVERIFY(hijo<QPushButton>(*frm, "btnNuevo")->isEnabled() &&
                hijo<QPushButton>(*frm, "btnSalir")->isEnabled());
        QVERIFY(!hijo<QPushButton>(*frm, "btnModificar")->isEnabled() &&
                !hijo<QPushButton>(*frm, "btnEliminar")->isEnabled());
        QVERIFY(!hijo<QPushButton>(*frm, "btnAceptar")->isEnabled() &&
                !hijo<QPushButton>(*frm, "btnCancelar")->isEnabled());
        QVERIFY(!hijo<QLineEdit>(*frm, "edtNombre")->isEnabled());
        // Each field is named by its label for assistive technology.
        for (auto [campo, etiqueta] :
             {std::pair{hijo<QLineEdit>(*frm, "edtNombre"), "Nombre"},
              std::pair{hijo<QLineEdit>(*frm, "edtCuenta"), "Cuenta (IBAN)"},
              std::pair{hijo<QLineEdit>(*frm, "edtNif"), "CIF/NIF"}}) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(campo);
            QVERIFY(a);
            QCOMPARE(a->text(QAccessible::Name), QString::fromUtf8(etiqueta));
        }
        // Selecting a row shows the presenter and unlocks its commands.
        hijo<TListaOrdenable>(*frm, "lvwOrdenante")->seleccionaFila(1);
        QCOMPARE(hijo<QLineEdit>(*frm, "edtNombre")->text(), QStringLiteral("BETA SL"));
        QCOMPARE(hijo<QLineEdit>(*frm, "edtNif")->text(), QStringLiteral("B12345674"));
        QCOMPARE(hijo<QLineEdit>(*frm, "edtCuenta")->text(), IbanValido);
        QVERIFY(hijo<QPushButton>(*frm, "btnModificar")->isEnabled() &&
                hijo<QPushButton>(*frm, "btnEliminar")->isEnabled());
    }

    void abreOrdenadaPorLaColumnaCompartida() {
        guardaPresentador("AAA", IbanValido2, "B12345674");
        guardaPresentador("BBB", IbanValido, NifValido);
        p->estado.ColumnaOrden = 2; // last clicked elsewhere: the identifier
        abre();
        QCOMPARE(nombresEnLista(), (QStringList{"BBB", "AAA"}));
        emit hijo<TListaOrdenable>(*frm, "lvwOrdenante")->header()->sectionClicked(0);
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
        pulsa(hijo<QPushButton>(*frm, "btnNuevo"));
        rellena(nombre, cuenta, nif);
        pulsa(hijo<QPushButton>(*frm, "btnAceptar"));
        QCOMPARE(p->guion.textos(), QStringList{mensaje});
        // Nothing stored, and the window stays in edit mode with what was typed.
        QCOMPARE(presentadores().size(), 1);
        QVERIFY(frm->enEdicion());
        QVERIFY(hijo<QPushButton>(*frm, "btnAceptar")->isEnabled());
        QVERIFY(!hijo<TListaOrdenable>(*frm, "lvwOrdenante")->isEnabled());
        QCOMPARE(hijo<QLineEdit>(*frm, "edtNombre")->text(), nombre);
    }

    void nuevoSeGuardaYQuedaSeleccionadaLaPrimeraFila() {
        guardaPresentador("MMM", IbanValido, NifValido);
        abre();
        pulsa(hijo<QPushButton>(*frm, "btnNuevo"));
        QVERIFY(hijo<QLineEdit>(*frm, "edtNombre")->hasFocus());
        // Same NIF with another account is another presenter; letters are
        // typed in capitals.
        rellena("zeta comercial", IbanValido2.toLower(), NifValido);
        // Enter leads from the last field to "&Aceptar" and presses it.
        QTest::keyClick(hijo<QLineEdit>(*frm, "edtNif"), Qt::Key_Return);
        QVERIFY(hijo<QPushButton>(*frm, "btnAceptar")->hasFocus());
        QTest::keyClick(hijo<QPushButton>(*frm, "btnAceptar"), Qt::Key_Return);
        QCOMPARE(p->guion.textos(), QStringList{});
        QCOMPARE(presentadores().last(), (QStringList{NifValido, "ZETA COMERCIAL", IbanValido2}));
        QVERIFY(!frm->enEdicion());
        QVERIFY(!hijo<QLineEdit>(*frm, "edtNombre")->isEnabled());
        QCOMPARE(nombresEnLista(), (QStringList{"MMM", "ZETA COMERCIAL"}));
        QCOMPARE(hijo<TListaOrdenable>(*frm, "lvwOrdenante")->filaSeleccionada(),
                 hijo<TListaOrdenable>(*frm, "lvwOrdenante")->fila(0));
        QCOMPARE(hijo<QLineEdit>(*frm, "edtNombre")->text(), QStringLiteral("MMM"));
    }

    void alSalirDelCampoNifSeRellenaConCerosYLaCuentaSeGuardaSinBlancos() {
        abre();
        pulsa(hijo<QPushButton>(*frm, "btnNuevo"));
        escribe(hijo<QLineEdit>(*frm, "edtNombre"), "EMPRESA");
        // The field holds 26 characters: room for some blanks, not for all groups.
        escribe(hijo<QLineEdit>(*frm, "edtCuenta"), "es91 2100 0418450200051332");
        escribe(hijo<QLineEdit>(*frm, "edtNif"), "1234567L");
        hijo<QLineEdit>(*frm, "edtNombre")->setFocus();
        QCOMPARE(hijo<QLineEdit>(*frm, "edtNif")->text(), QStringLiteral("01234567L"));
        QCOMPARE(hijo<QLineEdit>(*frm, "edtCuenta")->text(), IbanValido);
        pulsa(hijo<QPushButton>(*frm, "btnAceptar"));
        QCOMPARE(p->guion.textos(), QStringList{});
        QCOMPARE(presentadores(), (QList<QStringList>{{"01234567L", "EMPRESA", IbanValido}}));
    }

    void laTeclaDeAccesoAplicaLasReglasDelCampoQueSeEstaEscribiendo() {
        abre();
        pulsa(hijo<QPushButton>(*frm, "btnNuevo"));
        escribe(hijo<QLineEdit>(*frm, "edtNombre"), "EMPRESA");
        escribe(hijo<QLineEdit>(*frm, "edtNif"), NifValido);
        escribe(hijo<QLineEdit>(*frm, "edtCuenta"), "ES91 2100 0418450200051332");
        QTest::keyClick(hijo<QLineEdit>(*frm, "edtCuenta"), Qt::Key_A, Qt::AltModifier);
        // The access key clicks the button a moment later.
        QTRY_COMPARE(presentadores().size(), 1);
        QCOMPARE(p->guion.textos(), QStringList{});
        QCOMPARE(presentadores(), (QList<QStringList>{{NifValido, "EMPRESA", IbanValido}}));
    }

    // Another program works on the presenter table while the operator
    // accepts a new presenter: it is saving the same one (this one waits for
    // it and refuses: one row, one message), or it holds the table longer
    // than the engine waits (nothing changes, the table is in use, and
    // accepting again once it is done saves it).
    void nuevoMientrasOtroProgramaEscribe_data() {
        QTest::addColumn<QString>("cuentaDelOtro");
        QTest::addColumn<int>("msRetenida");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("el otro guarda el mismo") << IbanValido << 1000 << "Presentador duplicado";
        QTest::newRow("el otro retiene la tabla")
            << IbanValido2 << 6500 << "está en uso por otro programa";
    }
    void nuevoMientrasOtroProgramaEscribe() {
        QFETCH(QString, cuentaDelOtro);
        QFETCH(int, msRetenida);
        QFETCH(QString, mensaje);
        abre();
        pulsa(hijo<QPushButton>(*frm, "btnNuevo"));
        rellena("ALFA SL", IbanValido, NifValido);
        TOtroPrograma otro;
        QVERIFY(otro.inicia(p->dm->instalacion().rutaOrdenantes(),
                            {QString("INSERT INTO Ordenantes (Pk_Ordenante, Nif_Sufijo, "
                                     "Nombre_Ordenante, Cuenta) VALUES (1, '%1', 'OTRO', '%2')")
                                 .arg(NifValido, cuentaDelOtro)},
                            msRetenida));
        pulsa(hijo<QPushButton>(*frm, "btnAceptar"));
        QVERIFY(otro.termina());
        QCOMPARE(p->guion.textos().size(), 1);
        QVERIFY2(p->guion.textos().first().contains(mensaje),
                 qPrintable(p->guion.textos().first()));
        QVERIFY(frm->enEdicion());
        const QStringList delOtro{NifValido, "OTRO", cuentaDelOtro};
        QCOMPARE(presentadores(), QList<QStringList>{delOtro});
        if (cuentaDelOtro != IbanValido) {
            pulsa(hijo<QPushButton>(*frm, "btnAceptar"));
            QCOMPARE(p->guion.textos().size(), 1);
            QCOMPARE(presentadores(),
                     (QList<QStringList>{delOtro, {NifValido, "ALFA SL", IbanValido}}));
        }
    }

    void modificarSinCambiosNoEsDuplicado() {
        guardaPresentador("EMPRESA", IbanValido, NifValido);
        abre();
        hijo<TListaOrdenable>(*frm, "lvwOrdenante")->seleccionaFila(0);
        QTest::keyClick(hijo<TListaOrdenable>(*frm, "lvwOrdenante"), Qt::Key_Return);
        QVERIFY(frm->enEdicion());
        QVERIFY(hijo<QLineEdit>(*frm, "edtNombre")->hasFocus());
        QCOMPARE(hijo<QLineEdit>(*frm, "edtNombre")->text(), QStringLiteral("EMPRESA"));
        pulsa(hijo<QPushButton>(*frm, "btnAceptar"));
        QCOMPARE(p->guion.textos(), QStringList{});
        escribe(hijo<QLineEdit>(*frm, "edtNombre"), "x"); // browse mode: the field takes nothing
        pulsa(hijo<QPushButton>(*frm, "btnModificar"));
        escribe(hijo<QLineEdit>(*frm, "edtNombre"), "EMPRESA NUEVA");
        pulsa(hijo<QPushButton>(*frm, "btnAceptar"));
        QCOMPARE(presentadores(), (QList<QStringList>{{NifValido, "EMPRESA NUEVA", IbanValido}}));
    }

    void cancelarDescartaLoEscritoYF2VaciaElCampo() {
        guardaPresentador("EMPRESA", IbanValido, NifValido);
        abre();
        hijo<TListaOrdenable>(*frm, "lvwOrdenante")->seleccionaFila(0);
        pulsa(hijo<QPushButton>(*frm, "btnModificar"));
        QTest::keyClick(hijo<QLineEdit>(*frm, "edtNombre"), Qt::Key_F2);
        QCOMPARE(hijo<QLineEdit>(*frm, "edtNombre")->text(), QString());
        QTest::keyClicks(hijo<QLineEdit>(*frm, "edtNombre"), "OTRA");
        QTest::keyClick(hijo<QLineEdit>(*frm, "edtNombre"), Qt::Key_Return);
        QVERIFY(hijo<QLineEdit>(*frm, "edtCuenta")->hasFocus());
        pulsa(hijo<QPushButton>(*frm, "btnCancelar"));
        QVERIFY(!frm->enEdicion());
        QCOMPARE(hijo<QLineEdit>(*frm, "edtNombre")->text(), QStringLiteral("EMPRESA"));
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
        hijo<TListaOrdenable>(*frm, "lvwOrdenante")->seleccionaFila(0);
        p->guion.fijaSiguienteRespuesta(respuesta);
        pulsa(hijo<QPushButton>(*frm, "btnEliminar"));
        QCOMPARE(p->guion.cajas.size(), 1);
        const TGuionDialogos::Caja& r = p->guion.cajas.first();
        QCOMPARE(r.tipo, CajaMensajes::Tipo::Confirmacion);
        QCOMPARE(r.titulo, QStringLiteral("ATENCIÓN"));
        QCOMPARE(r.texto, QStringLiteral("¿Desea Eliminar el presentador seleccionado?."));
        QCOMPARE(presentadores().size(), quedan);
        QCOMPARE(presentadores().last().at(1), QStringLiteral("BBB"));
        QCOMPARE(hijo<TListaOrdenable>(*frm, "lvwOrdenante")->numeroFilas(), quedan);
    }
};

QTEST_MAIN(TstTfrmMnto_Ordenantes)
#include "tst_TfrmMnto_Ordenantes.moc"
