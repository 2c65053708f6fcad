// The activity record window, opened from the history window: rows newest
// first with who and where, narrowed by act and by dates.
#include "DatosPrueba.h"
#include "PruebaVentanas.h"
#include "RegistroActividad.h"
#include "TfrmHistoricoTransferencias.h"
#include "TfrmRegistroActividad.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

QStringList columna(const QTreeWidget* lista, int c) {
    QStringList textos;
    for (int i = 0; i < lista->topLevelItemCount(); ++i)
        textos << lista->topLevelItem(i)->text(c);
    return textos;
}

} // namespace

class TstTfrmRegistroActividad : public QObject {
    Q_OBJECT
    PruebaVentanas p;

private slots:
    void init() {
        p.prepara();
        TRegistroActividad registro(p->inst.dirs);
        registro.anota(ActoActividad::Emision, "CONS.0001");
        for (const auto& [clave, fecha, acto] :
             {std::tuple{2, "2001-03-10 09:00:00", ActoActividad::Emision},
              std::tuple{3, "2001-03-20 18:30:00", ActoActividad::AnulacionCheque}})
            ejecutaEn(registro.ruta(),
                      "INSERT INTO Actividad (Pk_Actividad, FechaHora, Usuario, Equipo, Acto, "
                      "Detalle) VALUES (?, ?, 'ana', 'caja1', ?, 'antes')",
                      {clave, fecha, acto});
    }
    void cleanup() { p.restablece(); }

    void abiertaDesdeElHistorico() {
        TfrmHistoricoTransferencias historico(*p->dm);
        QPushButton* boton = hijo<QPushButton>(historico, "btnActividad");
        QCOMPARE(boton->text(), QString("&Registro de actividad"));
        QStringList vistos;
        QMetaObject::invokeMethod(
            this,
            [&vistos] {
                auto* frm = qobject_cast<TfrmRegistroActividad*>(QApplication::activeModalWidget());
                QVERIFY(frm);
                vistos = columna(hijo<QTreeWidget>(*frm, "lvwActividad"), 3);
                pulsa(hijo<QPushButton>(*frm, "btnSalir"));
            },
            Qt::QueuedConnection);
        pulsa(boton);
        QCOMPARE(vistos, (QStringList{ActoActividad::Emision, ActoActividad::AnulacionCheque,
                                      ActoActividad::Emision}));
    }

    void filtros() {
        TfrmRegistroActividad frm(*p->dm);
        QTreeWidget* lista = hijo<QTreeWidget>(frm, "lvwActividad");
        QCOMPARE(columna(lista, 1).mid(1), (QStringList{"ana", "ana"}));
        QCOMPARE(columna(lista, 1).first(), TRegistroActividad::usuarioSistema());
        QCOMPARE(columna(lista, 2).first(), TRegistroActividad::nombreEquipo());
        QCOMPARE(columna(lista, 0).last(), QString("10/03/2001 09:00:00"));

        hijo<QComboBox>(frm, "cmbActo")->setCurrentText(ActoActividad::AnulacionCheque);
        QCOMPARE(columna(lista, 3), QStringList{ActoActividad::AnulacionCheque});
        hijo<QComboBox>(frm, "cmbActo")->setCurrentIndex(0);
        QCOMPARE(lista->topLevelItemCount(), 3);

        hijo<QDateEdit>(frm, "dtpDesde")->setDate(QDate(2001, 3, 1));
        hijo<QDateEdit>(frm, "dtpHasta")->setDate(QDate(2001, 3, 15));
        QVERIFY(!hijo<QDateEdit>(frm, "dtpHasta")->isEnabled());
        hijo<QCheckBox>(frm, "chkHasta")->setChecked(true);
        QCOMPARE(columna(lista, 0), QStringList{"10/03/2001 09:00:00"});
        hijo<QCheckBox>(frm, "chkDesde")->setChecked(true);
        hijo<QDateEdit>(frm, "dtpDesde")->setDate(QDate(2001, 3, 11));
        QCOMPARE(lista->topLevelItemCount(), 0);
        QCOMPARE(hijo<QLabel>(frm, "lblResultado")->text(),
                 QString("Ninguna acción registrada con estas condiciones"));
    }
};

QTEST_MAIN(TstTfrmRegistroActividad)
#include "tst_TfrmRegistroActividad.moc"
