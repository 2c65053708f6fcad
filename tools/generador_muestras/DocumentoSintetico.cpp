#include "DocumentoSintetico.h"

#include "DigitosControl.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

namespace {

const char* const Libradores[] = {"FERRETERIA LOS ALAMOS SL", "MARIA LUISA GARRIDO PEREZ",
                                  "TRANSPORTES OLMEDO SA",    "ANTONIO RUIZ CABELLO",
                                  "DISTRIBUCIONES NORTE SL",  "PANADERIA SANTA ANA CB"};
const char* const Bancos[] = {"BANCO DEL DUERO", "CAJA RURAL DEL SUR", "BANCO MERIDIONAL",
                              "CAJA DE LA SIERRA"};
const char* const Tipos[] = {"42", "43", "77", "75", "82", "90"};

QString digitos(QRandomGenerator& g, int n) {
    QString t;
    for (int i = 0; i < n; ++i)
        t += QChar(u'0' + g.bounded(10));
    return t;
}

QString importeCentimos(const tDatosDocumento& d) {
    QString t = QStringLiteral("%1").arg(d.centimos, 11, 10, QChar(u'0'));
    return d.fallo == FalloMuestra::ImporteCorto ? t.left(6) : t;
}

QString importeTexto(qint64 centimos) {
    QString euros = QString::number(centimos / 100);
    for (qsizetype i = euros.size() - 3; i > 0; i -= 3)
        euros.insert(i, QChar(u'.'));
    return euros + QStringLiteral(",%1").arg(centimos % 100, 2, 10, QChar(u'0'));
}

// The account block with unreadable characters for the Ilegible fault.
QString oficinaLeida(const tDatosDocumento& d, QChar ilegible) {
    return d.fallo == FalloMuestra::Ilegible
               ? d.oficina.left(1) + QString(2, ilegible) + d.oficina.mid(3)
               : d.oficina;
}

} // namespace

tDatosDocumento documentoAleatorio(quint32 semilla, int indice) {
    QRandomGenerator g(semilla + static_cast<quint32>(indice) * 7919u);
    tDatosDocumento d;
    d.numero = digitos(g, 7);
    d.entidad = QStringLiteral("%1").arg(g.bounded(1, 3200), 4, 10, QChar(u'0'));
    d.oficina = digitos(g, 4);
    d.cuenta = digitos(g, 10);
    d.modelo = QString::fromLatin1(Tipos[indice % 6]) + digitos(g, 2);
    d.centimos = g.bounded(2000, 900000);
    d.librador = QString::fromLatin1(Libradores[g.bounded(6)]);
    d.banco = QString::fromLatin1(Bancos[g.bounded(4)]);
    return d;
}

QByteArray codelineSeac(const tDatosDocumento& d) {
    return QStringLiteral("+%1 %2 %3 %4 %5 %6")
        .arg(d.numero, d.entidad, oficinaLeida(d, QChar(u'?')), d.cuenta, d.modelo,
             importeCentimos(d))
        .toLatin1();
}

QByteArray codelineExcella(const tDatosDocumento& d) {
    return QStringLiteral("%1 %2 %3 %4 %5%6 %7")
        .arg(d.numero, d.entidad, oficinaLeida(d, QChar(u'?')), d.cuenta, d.modelo,
             digitoControlModulo7(d.modelo), importeCentimos(d))
        .toLatin1();
}

// The reader hands at most 45 characters, whose digit spans end at 37: no
// room for the 11 amount digits, so the amount is left to the operator.
QByteArray codelineVisionX(const tDatosDocumento& d) {
    return QStringLiteral("<%1>%2;;%3;;%4;;%5")
        .arg(d.numero, d.entidad, oficinaLeida(d, QChar(u' ')), d.cuenta, d.modelo)
        .toLatin1();
}

QImage dibujaFrontal(const tDatosDocumento& d, int ppp) {
    const double mm = ppp / 25.4;
    QImage img(static_cast<int>(175 * mm), static_cast<int>(80 * mm), QImage::Format_Grayscale8);
    img.fill(QColor(236, 236, 236));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A light guilloche band, as on printed cheques.
    p.setPen(QPen(QColor(210, 210, 210), 1));
    for (int x = -img.height(); x < img.width(); x += 6)
        p.drawLine(x, 0, x + img.height(), img.height());
    QFont letra(QStringLiteral("DejaVu Sans"));
    letra.setPixelSize(static_cast<int>(4.2 * mm));
    letra.setBold(true);
    p.setFont(letra);
    p.setPen(Qt::black);
    p.drawText(QPointF(6 * mm, 9 * mm), d.banco);
    const bool pagare = d.modelo.startsWith(QStringLiteral("82"));
    letra.setBold(false);
    letra.setPixelSize(static_cast<int>(3.2 * mm));
    p.setFont(letra);
    p.drawText(QPointF(6 * mm, 15 * mm),
               pagare ? QStringLiteral("PAGARÉ") : QStringLiteral("CHEQUE"));
    const QString ccc =
        d.entidad + d.oficina +
        calculaDigitosControlCCC(d.entidad + d.oficina + QStringLiteral("00") + d.cuenta) +
        d.cuenta;
    p.drawText(QPointF(6 * mm, 21 * mm), QStringLiteral("Cuenta %1").arg(ccc));
    p.drawText(QPointF(110 * mm, 15 * mm),
               QStringLiteral("Nº %1-%2")
                   .arg(d.numero, digitoControlModulo7(d.modelo.left(4) + d.numero)));
    p.drawRect(QRectF(118 * mm, 19 * mm, 50 * mm, 8 * mm));
    p.drawText(QPointF(121 * mm, 25 * mm), QStringLiteral("€ %1").arg(importeTexto(d.centimos)));
    p.drawText(QPointF(6 * mm, 34 * mm),
               QStringLiteral("Páguese por este %1 a")
                   .arg(pagare ? QStringLiteral("pagaré") : QStringLiteral("cheque")));
    p.drawLine(QPointF(48 * mm, 35 * mm), QPointF(168 * mm, 35 * mm));
    p.drawText(QPointF(6 * mm, 44 * mm), QStringLiteral("Librado por %1").arg(d.librador));
    // A signature.
    QPainterPath firma;
    firma.moveTo(118 * mm, 52 * mm);
    firma.cubicTo(125 * mm, 40 * mm, 132 * mm, 60 * mm, 140 * mm, 48 * mm);
    firma.cubicTo(146 * mm, 40 * mm, 150 * mm, 58 * mm, 162 * mm, 47 * mm);
    p.setPen(QPen(Qt::black, 0.5 * mm));
    p.drawPath(firma);
    // The codeline band along the bottom, as the reader reads it.
    p.fillRect(QRectF(0, 62 * mm, img.width(), 18 * mm), QColor(250, 250, 250));
    QFont cmc7(QStringLiteral("DejaVu Sans Mono"));
    cmc7.setPixelSize(static_cast<int>(4 * mm));
    p.setFont(cmc7);
    p.setPen(Qt::black);
    p.drawText(QPointF(8 * mm, 72 * mm), QString::fromLatin1(codelineSeac(d)).mid(1));
    p.end();
    return img;
}

QImage dibujaTrasera(const tDatosDocumento& d, int ppp) {
    const double mm = ppp / 25.4;
    QImage img(static_cast<int>(175 * mm), static_cast<int>(80 * mm), QImage::Format_Grayscale8);
    img.fill(Qt::white);
    QPainter p(&img);
    QFont letra(QStringLiteral("DejaVu Sans"));
    letra.setPixelSize(static_cast<int>(3 * mm));
    p.setFont(letra);
    p.setPen(Qt::black);
    p.drawRect(QRectF(100 * mm, 8 * mm, 66 * mm, 22 * mm));
    p.drawText(QPointF(103 * mm, 15 * mm), QStringLiteral("ENDOSO"));
    p.drawText(QPointF(103 * mm, 22 * mm), QStringLiteral("Ref. %1").arg(d.numero));
    p.end();
    return img;
}
