#pragma once
// The "Cuadre" box of the capture windows and the cheque editor: the number
// of documents and the amount the operator expects for the remittance (from
// the deposit slip or the adding machine), both optional, against those the
// window counts, with the difference of each. A difference shows in red; an
// exact match says "Cuadrado". What is typed is kept for the remittance
// (TCuadreRemesa) as soon as a field is left.

#include "ComparacionCuadre.h"

#include <QGroupBox>

class QLabel;
class QLineEdit;
class TCuadreRemesa;
struct tEstadoPrograma;

class TCuadroCuadre : public QGroupBox {
    Q_OBJECT
public:
    static inline const QString Titulo = QStringLiteral("Cuadre");
    static inline const QString TextoCuadrado = QStringLiteral("Cuadrado");
    static inline const QString TextoDescuadrado = QStringLiteral("No cuadra");
    static inline const QString MensajeDocumentos =
        QStringLiteral("El número de documentos declarado debe ser un número entero (o quedar "
                       "en blanco).");
    static inline const QString MensajeImporte =
        QStringLiteral("El importe declarado no es un importe válido (o debe quedar en blanco).");

    // The correct cheques as CalculaTotales gives them (amount in display
    // form, count as text).
    static tTotalesCuadre totalesDeCabecera(const QString& importe, const QString& completos);

    TCuadroCuadre(const tEstadoPrograma& estado, const TCuadreRemesa& almacen, QWidget* parent);

    // Shows what was declared for the remittance; a table that cannot be
    // read is said once and shows nothing declared.
    void cargaRemesa(int pkRemesa);
    // What the window counts now.
    void muestraContados(const tTotalesCuadre& contados);

    const tCuadreDeclarado& declarado() const { return declarado_; }
    tDiferenciaCuadre diferencia() const { return comparaCuadre(declarado_, contados_); }

    QLineEdit* edtDocumentosDeclarados = nullptr;
    QLineEdit* edtImporteDeclarado = nullptr;
    QLabel* lblDocumentosLeidos = nullptr;
    QLabel* lblDocumentosDiferencia = nullptr;
    QLabel* lblImporteLeido = nullptr;
    QLabel* lblImporteDiferencia = nullptr;
    QLabel* lblCuadre = nullptr;

private:
    void campoDejado();
    void guarda(const tCuadreDeclarado& nuevo);
    void muestraDeclarado();
    void actualiza();

    const tEstadoPrograma& estado_;
    const TCuadreRemesa& almacen_;
    int pkRemesa_ = 0;
    tCuadreDeclarado declarado_;
    tTotalesCuadre contados_;
};
