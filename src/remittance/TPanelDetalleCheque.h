#pragma once
// The cheque editor's detail panel: the fields of the cheque on screen, its
// front picture with the duplicate stamp, and the four editing buttons
// beside the picture. While the window edits, leaving the model and amount
// fields applies their rules and Enter moves through the fields in the
// order the operator fills them, ending on the button that saves.

#include "CalidadImagen.h"
#include "Instalacion.h"
#include "Registros.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;

class TPanelDetalleCheque : public QWidget {
    Q_OBJECT
public:
    enum class Campo { Modelo, Numero, Importe };

    // `dirs` says where the pictures are; it outlives the panel.
    TPanelDetalleCheque(const tDirectorios& dirs, QWidget* parent);

    // --- Showing -------------------------------------------------------------
    void muestraTalon(const tTalon& talon, const QString& nombreLibrado);
    void muestraLibrado(const QString& nombre);
    void vacia();
    // Empties what a list refill leaves stale: the account and the drawer.
    void vaciaCuentaYLibrado();
    void muestraZonaImagen(bool visible);
    // The picture for a cheque: its front JPEG, else the application's
    // placeholder, else the placeholder of the "Pub" folder.
    QString rutaImagenTalon(const tTalon& talon) const;
    // Path of the picture on screen; empty when none could be loaded.
    const QString& imagenMostrada() const { return imagenMostrada_; }
    bool duplicadoMostrado() const;
    // The image mark of the cheque on screen, over the foot of its picture
    // with its reason as tooltip; none hides it.
    void muestraAvisoImagen(const tAvisoImagen& aviso);

    // --- Editing -------------------------------------------------------------
    // `base` with the fields copied in: the cheque as it would be saved.
    tTalon talonDeCampos(const tTalon& base) const;
    // The amount field holds something that is no amount (the cheque from
    // the fields then has none).
    bool importeIlegible() const;
    void bloquea(bool bloquear);
    // Aceptar and Cancelar live, Siguiente and Anterior by the position of
    // row `fila` of `filas`; from now on the fields' rules apply.
    void abreEdicion(int fila, int filas);
    void fijaPosicion(int fila, int filas);
    // The four editing buttons locked; the fields' rules no longer apply.
    void cierraEdicion();
    void saleModelo();
    void saleImporte();
    // Focus on a field, taken whole so that typing replaces it.
    void enfoca(Campo campo);
    // Focus on the model field with the cursor at its start.
    void enfocaAlPrincipio();

signals:
    void siguientePulsado();
    void anteriorPulsado();
    void aceptarPulsado();
    void cancelarPulsado();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    QLayout* creaBotones();
    QWidget* creaImagen();
    QWidget* creaDetalle();
    void nombra();
    void fijaFechaEditable(bool editable);
    void cargaImagen(const tTalon& talon);
    void saleCampo(QObject* campo);
    void pasaAlSiguiente(QObject* campo);
    void enfocaControl(QWidget* control);
    QString textoMascara(const QLineEdit* campo) const;

    const tDirectorios& dirs_;
    bool editando_ = false;
    QString imagenMostrada_;

    QGroupBox* grpDetalle = nullptr;
    QLineEdit* edtFormato = nullptr;
    QLineEdit* edtNumero = nullptr;
    QLineEdit* lbtImporte = nullptr;
    QLineEdit* lbleditCuenta = nullptr;
    QLineEdit* medtAbono = nullptr;
    QCheckBox* chIndicador = nullptr;
    QLineEdit* lbleditNombreBenef = nullptr;
    QComboBox* cboxOrdenes = nullptr;

    QFrame* pnlImagen = nullptr;
    QLabel* imgCheque = nullptr;
    QLabel* imgDuplicado = nullptr;
    QLabel* lblAvisoImagen = nullptr; // the image mark of the cheque on screen

    QPushButton* btnSiguiente = nullptr;
    QPushButton* btnAnterior = nullptr;
    QPushButton* btnAceptar = nullptr;
    QPushButton* btnCancelar = nullptr;
};
