#include "Fechas.h"

#include <QTest>

class TstFechas : public QObject {
    Q_OBJECT
private slots:
    void fecha_data();
    void fecha();
};

void TstFechas::fecha_data() {
    // Today is fixed at 15/06/2024 (2024 is a leap year).
    QTest::addColumn<QString>("fecha");
    QTest::addColumn<bool>("valida");
    QTest::newRow("today") << "15/06/2024" << true;
    QTest::newRow("eight digits") << "01022024" << true;
    QTest::newRow("blanks around") << "  15/06/2024 " << true;
    QTest::newRow("one-digit day and month") << "5/6/2024  " << false;
    QTest::newRow("short with separators") << "1/2/2024" << false;
    QTest::newRow("365 days after") << "15/06/2025" << true;
    QTest::newRow("366 days after") << "16/06/2025" << false;
    QTest::newRow("365 days before") << "16/06/2023" << true;
    QTest::newRow("366 days before") << "15/06/2023" << false;
    QTest::newRow("29 February of a leap year") << "29/02/2024" << true;
    QTest::newRow("31 February") << "31/02/2024" << false;
    QTest::newRow("month 13") << "01/13/2024" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("masked but empty") << "  /  /    " << false;
    QTest::newRow("letters") << "ab/cd/efgh" << false;
    QTest::newRow("two-digit year") << "15/06/24" << false;
    QTest::newRow("signed parts") << "+1/+6/2024" << false;
}

void TstFechas::fecha() {
    QFETCH(QString, fecha);
    QTEST(esFechaValida(fecha, QDate(2024, 6, 15)), "valida");
}

QTEST_GUILESS_MAIN(TstFechas)
#include "tst_fechas.moc"
