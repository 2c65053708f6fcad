#pragma once
// The capture window that every reader shares: the list of read lines, Save
// (acttramitar), Clear (actLimpiar) and Exit with their questions and
// messages, the two picture links and the help text. A reader's window
// derives from it and adds only its reading.
//
// How a reader's window extends it:
//  - The constructor takes the caption and a tComportamientoCaptura: which
//    storing operation Save calls and with which `todos`, which message forms
//    it shows, whether the list is emptied after Save, and whether Clear and
//    showing empty the temporary image folder. acttramitar and actLimpiar may
//    be renamed (their buttons follow).
//  - leer() (pure): "&Leer cheques" was pressed.
//  - fotoDetalle() / fotoDespiece() (pure): file names in the Pub folder that
//    the links "Detalle del escáner" and the second link open; an empty name
//    makes the link do nothing. textoEnlaceDespiece() gives the second link's
//    caption ("Despiece en  detalle del escáner" unless overridden).
//  - textoAyuda() (pure): the help lines, set each time the window is shown,
//    so a window may choose them by the configured type.
//  - alMostrar(): after the list (and the image folder) were emptied on
//    showing: reset the reader's state, set a caption chosen by type.
//  - alCerrar(): the window is closing (close the reader if it must).
//  - zonaLector() is a layout above the list for the reader's own widgets
//    (the keyboard reader's input box); anadeBotonLector() puts a reader
//    button ("&Desatascar", "&Parar", "&Reiniciar") under "&Leer cheques".
//  - Lines are added only through anadeLinea() (codeline + "¬" + sequence
//    number) or anadeLineaSinSecuencia() (a line already formed: the Excella
//    form, or the line of a reader whose adapter numbers the line and its
//    images together), so the list on screen and the enabling of Save and
//    Clear always follow. A reader that delivers lines on its own (Seac
//    Banche, Vision X) hands them to recibeLineaLector(): a line that arrives
//    while a question or a Save is open waits (lineasEnEspera) and is added
//    when the last one closes, before alQuedarLibre() is called.
//  - Questions and messages of the reader go through CajaMensajes (tests
//    answer them); a reader that must not be read while a question is open
//    checks preguntaAbierta(), which also covers the whole of Save.
//  - lecturaEnCurso(): while a reader feeds documents on its own, Save and
//    Clear are disabled (they would store or delete lines whose images are
//    still being written); the reader calls actualizaAcciones() when the run
//    ends. anadeLineaEstado() puts the state line of such a reader above the
//    list.
//  - Save keeps the lines it could not store, with their temporary images,
//    and names them in its message; new lines are numbered after the highest
//    number still listed, so a kept line never shares a number with a new
//    document. The Excella window (lines numbered by their place) keeps only
//    the lines that can be stored later, renumbered with their images.
// The reader's library callbacks must reach these on the user-interface
// thread.
//
// Control totals and image checks:
//  - grpCuadre shows what the operator declared for the remittance against
//    its correct cheques plus the lines in the list.
//  - Each document's images are checked on a worker thread once they are
//    all written: when the next line arrives or the reading run ends (a
//    reader that feeds on its own calls muestraEstadoLector, the others
//    return from leer()), and at the latest before Save. A failed check
//    marks the line (avisoDe) with its reason as tooltip; Save stores the
//    cheque anyway and keeps the mark for the editor.

#include "AvisosImagen.h"
#include "CuadreRemesa.h"
#include "ImagenesTalon.h"
#include "LineaLectura.h"
#include "ResultadoLectura.h"

#include <QHash>
#include <QMap>

#include <QDialog>
#include <QStringList>

class TdmBBDD;
class TCuadroCuadre;
class TEnlaceFoto;
class TVerificadorImagenes;
class QAction;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

struct tComportamientoCaptura {
    // How the window's reader writes its lines, and so how they are stored.
    VarianteLectura variante = VarianteLectura::Normal;
    bool todos = false;
    // "Revise si se leyeros todos." instead of "leyeron": the misspelt text
    // of the keyboard and Excella windows, quoted on purpose (TextosCaptura).
    bool leyeros = false;
    // The unstored-lines message says that they stay on screen until
    // [Limpiar]: true for the windows that keep them after Save (all but
    // Excella, whose bad reads can never be stored and are dropped).
    bool avisoLargo = false;
    bool limpiarVaciaImagenes = true;
    bool mostrarVaciaImagenes = true;
};

class TfrmCaptura : public QDialog {
    Q_OBJECT
public:
    static inline const QString TextoDetalle = QStringLiteral("Detalle del escáner");
    static inline const QString TextoDespiece = QStringLiteral("Despiece en  detalle del escáner");

    TfrmCaptura(TdmBBDD& dm, const QString& caption, const tComportamientoCaptura& comportamiento,
                QWidget* parent = nullptr);

    // Shows the window modally (the list starts empty); true when it closed
    // with OK (Exit always closes with OK).
    bool Launch();

    const QStringList& lista() const { return lista_; }
    const tComportamientoCaptura& comportamiento() const { return comportamiento_; }

    // The actions, as the buttons and the tests call them.
    void salvar();
    void limpiar();
    void salir();
    // Save and Clear are enabled exactly when the list holds a line and no
    // reading run is in progress.
    void actualizaAcciones();
    bool preguntaAbierta() const { return preguntaAbierta_ > 0; }
    // Lines of the reader that wait for an open question or Save to close.
    const QStringList& lineasEnEspera() const { return enEspera_; }

    QListWidget* lstLista = nullptr;
    QPlainTextEdit* mmoAyuda = nullptr;
    QAction* acttramitar = nullptr;
    QAction* actLimpiar = nullptr;
    QPushButton* btnLeer = nullptr;
    QPushButton* btnSalvar = nullptr;
    QPushButton* btnLimpiar = nullptr;
    QPushButton* btnSalir = nullptr;
    TEnlaceFoto* lblDetalle = nullptr;
    TEnlaceFoto* lblDespiece = nullptr;
    QLabel* lblEstado = nullptr; // only for the readers that feed on their own
    TCuadroCuadre* grpCuadre = nullptr;

    // The image mark of the listed line with that sequence number (none
    // while unchecked or when its images passed).
    tAvisoImagen avisoDe(const QString& secuencia) const { return avisos_.value(secuencia); }
    // Sends every line still unchecked to the check and waits for the
    // verdicts (at most `ms`); true when none is missing.
    bool terminaVerificacion(int ms);

    // Escape and the close box ask as Exit does.
    void reject() override;

protected:
    virtual void leer() = 0;
    virtual QString fotoDetalle() const = 0;
    virtual QString fotoDespiece() const = 0;
    virtual QStringList textoAyuda() const = 0;
    virtual QString textoEnlaceDespiece() const { return TextoDespiece; }
    virtual void alMostrar() {}
    virtual void alCerrar() {}
    virtual bool lecturaEnCurso() const { return false; }
    virtual void alQuedarLibre() {}

    // Adds codeline + "¬" + its sequence number (the list's count after
    // adding, or one past the highest number still listed); answers that
    // number.
    int anadeLinea(const QString& codigo);
    void anadeLineaSinSecuencia(const QString& linea);
    // A line the reader delivered on its own: added, or held while a
    // question or Save is open.
    void recibeLineaLector(const QString& linea);
    // Creates lblEstado above the list.
    void anadeLineaEstado();
    // Shows the state of a reader that feeds on its own: "&Leer cheques",
    // Save and Clear follow lecturaEnCurso(); the state line says whether it
    // reads, the documents of the last run (`documentos` < 0: no run yet in
    // this showing) and any further lines.
    void muestraEstadoLector(int documentos, const QStringList& mas = {});

    QVBoxLayout* zonaLector() const { return zonaLector_; }
    void anadeBotonLector(QPushButton* boton);

    TdmBBDD& dm() const { return dm_; }
    // The question dialog through the message facade, counted as open.
    quint16 pregunta(const QString& texto);

    void showEvent(QShowEvent* e) override;
    void done(int r) override;

private:
    // Counts an open question or a Save in progress for preguntaAbierta().
    class Ocupada;
    void refresca();
    // Excella: the lines kept for another Save take the places 1, 2…, and
    // their images the same numbers.
    void dejaLineasExcella(const tResultadoLectura& resultado);
    // The numbers of the temporary images that listed or waiting lines use.
    QStringList secuenciasEnUso() const;
    void abreFoto(const QString& fichero) const;
    void vaciaImagenesTmp() const;
    // --- Control totals and image checks ---
    bool conImagenes() const;
    // The number of the images of the line at `indice`.
    QString secuenciaEn(qsizetype indice) const;
    void cuentaRemesa();
    void muestraCuadre();
    void lineaAnadida();
    void verificaRestantes();
    void marcaLinea(qsizetype indice);
    void recibeVerificacion(const QString& secuencia, const tAvisoImagen& aviso);
    void olvidaVerificaciones();
    void guardaAvisos(const tResultadoLectura& resultado);

    TdmBBDD& dm_;
    const tComportamientoCaptura comportamiento_;
    QStringList lista_;
    QStringList enEspera_;
    QVBoxLayout* zonaLector_ = nullptr;
    QVBoxLayout* botonesLector_ = nullptr;
    int preguntaAbierta_ = 0;
    // --- Control totals and image checks ---
    TCuadreRemesa cuadre_;
    TAvisosImagen almacenAvisos_;
    tTotalesCuadre enRemesa_; // correct cheques of the remittance
    TVerificadorImagenes* verificador_ = nullptr;
    QStringList porVerificar_; // lines whose images may still be arriving
    QMap<QString, tAvisoImagen> avisos_;
    QHash<QString, qint64> importesLineas_; // cents of each line, decoded once
};
