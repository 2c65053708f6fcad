// Control totals and image marks in the cheque editor and the remittance
// list: the Cuadre box follows completing and deleting, Emitir asks on a
// difference or on marked cheques (and not otherwise), and what was declared
// outlives the window but not the emission or the deletion of the remittance.
#include "FalloOperacion.h"
#include "AlmacenRemesas.h"
#include "AlmacenTalones.h"
#include "AvisosImagen.h"
#include "CuadreRemesa.h"
#include "DigitosControl.h"
#include "PruebaVentanas.h"
#include "TCuadroCuadre.h"
#include "TfrmMnto_Remesas.h"
#include "TfrmMod_Cheque.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString Cuenta =
    QStringLiteral("21000418") +
    calculaDigitosControlCCC(QStringLiteral("2100041800") + QStringLiteral("4502000513")) +
    QStringLiteral("4502000513");

QString conDigito(const QString& digitos, const QString& prefijo = QString()) {
    return digitos + u'-' + digitoControlModulo7(prefijo + digitos);
}

} // namespace

class TstCuadreYAvisos : public QObject {
    Q_OBJECT
    PruebaVentanas p;
    std::unique_ptr<TfrmMod_Cheque> frm;

    // A type-42 cheque of remittance 1; state "0" with its amount, or "1"
    // (to complete) with none.
    int guarda(const QString& estado, int serie, const QString& importe = QStringLiteral("0,00")) {
        tTalon t;
        t.Nuevo = true;
        t.Estado = estadoDeCodigo(estado);
        t.Cuenta = Cuenta;
        t.numero_Modelo = conDigito("4212");
        t.Numero = conDigito(QString::number(1000000 + serie), "4212");
        t.Importe = tImporte::leeTexto(importe);
        t.Modelo_Talon = QStringLiteral("0");
        t.fk_Remesas = 1;
        const QString e = falloDe([&] { p->dm->talones().GuardaTalon(t, p->dm->rutaTalonesActual()); });
        if (!e.isNull())
            qFatal("could not store the test cheque: %s", qPrintable(e));
        return t.Pk_Talon;
    }
    void abre() {
        frm = std::make_unique<TfrmMod_Cheque>(*p->dm,
                                               p->dm->remesas().cargaRegistroRemesasTablas(1));
        frm->prepara();
        frm->show();
        QVERIFY(QTest::qWaitForWindowActive(frm.get()));
    }
    void declara(const QString& documentos, const QString& importe) {
        for (const auto& [campo, texto] : {std::pair{"edtDocumentosDeclarados", documentos},
                                           std::pair{"edtImporteDeclarado", importe}}) {
            escribe(hijo<QLineEdit>(*frm, campo), texto);
            QTest::keyClick(hijo<QLineEdit>(*frm, campo), Qt::Key_Return);
        }
    }
    // Read count, read amount, the two differences and the verdict.
    QStringList cuadre() const {
        QStringList t;
        for (const char* n : {"lblDocumentosLeidos", "lblImporteLeido", "lblDocumentosDiferencia",
                              "lblImporteDiferencia", "lblCuadre"})
            t << hijo<QLabel>(*frm, n)->text();
        return t;
    }
    bool enRojo(const char* etiqueta) const {
        return hijo<QLabel>(*frm, etiqueta)->styleSheet().contains("#c00000");
    }
    void seleccionaFila(int fila) {
        QTreeWidget* l = hijo<QTreeWidget>(*frm, "lvwTransferencias");
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                          l->visualItemRect(l->topLevelItem(fila)).center());
    }

private slots:
    void init() { p.prepara(); }
    void cleanup() {
        frm.reset();
        p.restablece();
    }

    // Shown at opening, updated on completing and on deleting, kept for the
    // remittance across windows (and programs: it is in its own table).
    void cuadreEnElEditor() {
        guarda("0", 1, "100,00");
        guarda("0", 2, "50,00");
        guarda("1", 3);
        abre();
        QCOMPARE(cuadre(), (QStringList{"2", "150,00", "", "", ""}));
        declara("3", "");
        QCOMPARE(cuadre(), (QStringList{"2", "150,00", "-1", "", "No cuadra"}));
        QVERIFY(enRojo("lblDocumentosDiferencia"));

        // What a capture window declares shows when it closes.
        p->estado.Escaner.tipo = 1;
        p->estado.abreVentanaCaptura = [this](int) {
            TCuadreRemesa(p->inst).guarda(1, {3, tImporte::deCentimos(20000)});
            return true;
        };
        frm->escanear();
        QCOMPARE(hijo<QLineEdit>(*frm, "edtImporteDeclarado")->text(), "200,00");
        QCOMPARE(cuadre(), (QStringList{"2", "150,00", "-1", "-50,00", "No cuadra"}));
        QVERIFY(enRojo("lblImporteDiferencia"));

        // Completing the third cheque squares it.
        seleccionaFila(2);
        pulsa(hijo<QPushButton>(*frm, "btnModifica"));
        escribe(hijo<QLineEdit>(*frm, "lbtImporte"), "50,00");
        pulsa(hijo<QPushButton>(*frm, "btnAceptar"));
        QCOMPARE(p->guion.textos(), QStringList{});
        QCOMPARE(cuadre(), (QStringList{"3", "200,00", "0", "0,00", "Cuadrado"}));
        QVERIFY(!enRojo("lblDocumentosDiferencia") && !enRojo("lblCuadre"));

        seleccionaFila(0);
        frm->eliminar();
        QCOMPARE(cuadre(), (QStringList{"2", "100,00", "-1", "-100,00", "No cuadra"}));

        // A new window on the same installation shows what was declared.
        frm.reset();
        QCOMPARE(TCuadreRemesa(p->inst).carga(1).documentos, std::optional<qint64>(3));
        abre();
        QCOMPARE(hijo<QLineEdit>(*frm, "edtDocumentosDeclarados")->text(), "3");
        QCOMPARE(hijo<QLineEdit>(*frm, "edtImporteDeclarado")->text(), "200,00");
        // A field that does not read keeps what was declared.
        declara("tres", "200,00");
        QCOMPARE(p->guion.textos(), QStringList{TCuadroCuadre::MensajeDocumentos});
        QCOMPARE(hijo<QLineEdit>(*frm, "edtDocumentosDeclarados")->text(), "3");
        // Emptied, nothing is declared any more.
        p->guion.restablece();
        declara("", "");
        QVERIFY(TCuadreRemesa(p->inst).carga(1).vacio());
        QCOMPARE(cuadre().last(), QString());
    }

    void preguntaDeEmision_data() {
        QTest::addColumn<QString>("documentos");
        QTest::addColumn<QString>("importe");
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<bool>("pregunta");
        QTest::addColumn<bool>("aviso");
        QTest::newRow("sin totales") << ""
                                     << "" << 0 << false << true;
        QTest::newRow("cuadrado") << "2"
                                  << "150,00" << 0 << false << true;
        QTest::newRow("descuadre, volver") << "2"
                                           << "150,01" << 1 << true << false;
        QTest::newRow("descuadre, emitir") << "3"
                                           << "" << 0 << true << true;
    }
    void preguntaDeEmision() {
        QFETCH(QString, documentos);
        QFETCH(QString, importe);
        QFETCH(int, respuesta);
        QFETCH(bool, pregunta);
        QFETCH(bool, aviso);
        guarda("0", 1, "100,00");
        guarda("0", 2, "50,00");
        guarda("1", 3, "70,00"); // incomplete: not emitted, not counted
        abre();
        declara(documentos, importe);
        p->guion.fijaSiguienteRespuesta(quint16(respuesta));
        pulsa(hijo<QPushButton>(*frm, "btnEmision"));
        QCOMPARE(p->guion.cajas.size(), pregunta ? 1 : 0);
        if (pregunta) {
            const TGuionDialogos::Caja& c = p->guion.cajas.first();
            QCOMPARE(c.boton1, "Emitir igualmente");
            QCOMPARE(c.boton2, "Volver");
            QVERIFY2(c.texto.startsWith("Los totales declarados no cuadran"), qPrintable(c.texto));
        }
        QCOMPARE(hijo<QFrame>(*frm, "pnlAviso")->isVisible(), aviso);
        QCOMPARE(frm->modo() == TfrmMod_Cheque::Modo::Aviso, aviso);
    }

    // A marked cheque shows its mark over its picture and by its row; Emitir
    // asks once for the correct ones; the mark of a deleted cheque never
    // passes to the cheque that takes its key again.
    void avisosDeImagen() {
        const int correcto = guarda("0", 1, "100,00");
        const int otro = guarda("0", 2, "60,00");
        const int incompleto = guarda("1", 3);
        const tAvisoImagen oscura{AvisoImagen::Oscura, "El anverso es demasiado oscuro."};
        TAvisosImagen(p->inst).fija(1, {correcto, otro, incompleto},
                                    {{correcto, oscura},
                                     {otro, {AvisoImagen::Oscura, "otra"}},
                                     {incompleto, {AvisoImagen::EnBlanco, "blanco"}}});
        abre();
        QLabel* marca = hijo<QLabel>(*frm, "lblAvisoImagen");
        QVERIFY(marca->isVisible());
        QCOMPARE(marca->text(), AvisoImagen::Oscura);
        QCOMPARE(marca->toolTip(), oscura.motivo);
        const QTreeWidgetItem* fila = hijo<QTreeWidget>(*frm, "lvwTransferencias")->topLevelItem(0);
        QCOMPARE(fila->toolTip(0), AvisoImagen::Oscura + ": " + oscura.motivo);
        QVERIFY(!fila->icon(0).isNull());

        // Two correct cheques are marked: one question names them.
        p->guion.fijaSiguienteRespuesta(1);
        pulsa(hijo<QPushButton>(*frm, "btnEmision"));
        QCOMPARE(p->guion.cajas.size(), 1);
        QVERIFY2(p->guion.cajas[0].texto.startsWith(
                     "Se van a emitir 2 cheques con la imagen marcada (IMAGEN: oscura)"),
                 qPrintable(p->guion.cajas[0].texto));
        QVERIFY(frm->modo() == TfrmMod_Cheque::Modo::Navegando);
        p->guion.fijaSiguienteRespuesta(0);
        pulsa(hijo<QPushButton>(*frm, "btnEmision"));
        QVERIFY(frm->modo() == TfrmMod_Cheque::Modo::Aviso);
        frm->cancelarAviso();

        // The last cheque goes; the manual one takes its key, unmarked.
        seleccionaFila(2);
        QCOMPARE(marca->text(), AvisoImagen::EnBlanco);
        frm->eliminar();
        QCOMPARE(TAvisosImagen(p->inst).carga(1).keys(), (QList<int>{correcto, otro}));
        pulsa(hijo<QPushButton>(*frm, "btnManual"));
        QCOMPARE(frm->regTalon().Pk_Talon, incompleto);
        QVERIFY(marca->isHidden());
    }

    // What was declared goes with the emission and with the deletion of
    // the remittance, with its cheques' marks; a failed emission keeps it.
    void remesaEmitidaOEliminada() {
        const tCuadreDeclarado declarado{2, tImporte::deCentimos(15000)};
        const TCuadreRemesa cuadre(p->inst);
        const TAvisosImagen avisos(p->inst);
        for (bool emitida : {false, true}) {
            cuadre.guarda(1, declarado);
            avisos.fija(1, {1}, {{1, {AvisoImagen::Tamano, "corta"}}});
            TfrmMnto_Remesas lista(*p->dm);
            lista.abreEditor = [](const tRemesas&) { return true; };
            lista.abreFechas = [](QString&, QString&) { return true; };
            lista.emite = [emitida](tRemesas&, const QString&, const QString&) { return emitida; };
            lista.abreResumen = [](const QString&) {};
            lista.refrescaLista();
            lista.recorrido();
            QCOMPARE(cuadre.carga(1).vacio(), emitida);
            // The marks of cheques left in the remittance stay.
            QCOMPARE(avisos.carga(1).size(), 1);
        }
        cuadre.guarda(1, declarado);
        TfrmMnto_Remesas lista(*p->dm);
        lista.pulsaEliminar();
        QVERIFY(cuadre.carga(1).vacio());
        QVERIFY(avisos.carga(1).isEmpty());
    }
};

QTEST_MAIN(TstCuadreYAvisos)
#include "tst_CuadreYAvisos.moc"
