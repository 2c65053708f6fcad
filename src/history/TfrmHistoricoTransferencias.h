#pragma once
// The history of emitted cheques: the result of a search in a grid, the front
// image of the chosen cheque, and the annulment of a cheque, which makes it
// acceptable again in a new remittance. The window never lists the history by
// itself: every listing is the result of a search.

#include "TVentanaModal.h"

#include <functional>

class QLabel;
class QModelIndex;
class QPushButton;
class QTableView;
class TdmBBDD;
class TqryHistorico;

class TfrmHistoricoTransferencias : public TVentanaModal {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Histórico de Cheques");
    static QStringList textoAyuda();
    static inline const QString NingunCheque = QStringLiteral("Ningún cheque cumple los criterios");
    // What the line under the grid says of a search: how many cheques were
    // found (while they are still being counted, how many so far).
    static QString textoResultado(const TqryHistorico& q);

    // Runs a first search and, when it was accepted, shows the window
    // modally. The arguments change nothing. True when closed with OK (never).
    static bool Launch(TdmBBDD& dm, const QString& referencia_Fichero, bool primeraBusqueda,
                       QWidget* parent);

    explicit TfrmHistoricoTransferencias(TdmBBDD& dm, QWidget* parent = nullptr);
    ~TfrmHistoricoTransferencias() override;

    // Opens the criteria window; true when accepted (the search has run).
    // Tests put their own criteria here.
    std::function<bool()> abreCriterios;

    // --- Commands ------------------------------------------------------------
    // "&Buscar": a new search; a cancelled one leaves the grid as it was.
    void buscar();
    void anular();
    // "&Registro de actividad": who emitted, completed, annulled or deleted what.
    void registroActividad();
    // The image refresh after a search or an annulment (keys up or down): the
    // current row's archived front image, hidden when it cannot be loaded;
    // the placeholder and "&Anular" disabled when there are no rows.
    void refrescaImagen(int tecla);
    // A click on a cell or a move to another row: the row's image, or the
    // placeholder when its file does not exist; hidden when neither can be
    // loaded.
    void pulsaCelda(const QModelIndex& indice);

    // The archived front image of a row (empty when its name is refused).
    QString rutaImagenFila(int fila) const;
    QString rutaSinImagen() const;
    // The file now in the picture ("" when it is hidden or empty).
    const QString& imagenMostrada() const { return imagenMostrada_; }

    QTableView* dbgHistorico = nullptr;
    QLabel* lblResultado = nullptr;
    QLabel* imgCheque = nullptr;
    QPushButton* btnAnular = nullptr;
    QPushButton* btnBuscar = nullptr;
    QPushButton* btnSalir = nullptr;
    QPushButton* btnActividad = nullptr;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void creaControles();
    // Widths wide enough for the usual values and the titles.
    void ajustaColumnas();
    void muestraResultado();
    int filaActual() const;
    bool muestraImagen(const QString& ruta);
    void ocultaImagen();

    TdmBBDD& dm_;
    QString imagenMostrada_;
};
