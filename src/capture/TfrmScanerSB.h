#pragma once
// Capture window of the Seac Banche readers (scanner type 1). The reader
// feeds the hopper on its own: "&Leer cheques" starts a reading run through
// the adapter, whose signals bring each read line, and each error the reader
// reports, onto the user-interface thread while the run goes on.
//
// What the operator sees of a run besides the list: the state line under the
// list (reading, documents done, the reader's errors in Spanish) and, when a
// run that reported an error ends, a message saying what happened, so that a
// jam or a double feed never leaves a count that looks right. Lines whose
// images did not arrive are named there too.
//
// Lines that arrive while a question or a Save is open wait until it closes
// (the storing step walks the list); lines that arrive after the window
// closed are dropped by the adapter.

#include "TfrmCaptura.h"

#include <QString>

class TAdaptadorSB;

class TfrmScanerSB : public TfrmCaptura {
    Q_OBJECT
public:
    static inline const QString Caption =
        QStringLiteral("Escaneo  de Cheques. Escáner tipo SEAC BANCHE");
    static QStringList ayuda();

    // The adapter outlives the window (both live until the program ends).
    // Creating the window resets the reader's preferences and configures its
    // library, once.
    TfrmScanerSB(TdmBBDD& dm, TAdaptadorSB& adaptador, QWidget* parent = nullptr);

    QPushButton* btnDesatascar = nullptr;
    QPushButton* btnParar = nullptr;
    QPushButton* btnReiniciar = nullptr;

    TAdaptadorSB& adaptador() const { return adaptador_; }
    // The reader's errors of the current showing, in Spanish, in order.
    const QStringList& erroresLector() const { return errores_; }

    // The buttons, as the operator presses them.
    void desatascar();
    void parar();
    void reiniciar();

protected:
    void leer() override;
    QString fotoDetalle() const override { return QStringLiteral("detalle.jpg"); }
    QString fotoDespiece() const override { return QStringLiteral("despiece.jpg"); }
    QStringList textoAyuda() const override { return ayuda(); }
    void alMostrar() override;
    void alCerrar() override;
    bool lecturaEnCurso() const override;
    void alQuedarLibre() override;

private:
    void recibeLinea(const QString& linea);
    void recibeError(int codigo, const QString& texto);
    void finDeLectura();
    void muestraEstado();
    QStringList secuenciasSinImagenes() const;
    void muestraMensaje(const QString& texto);

    TAdaptadorSB& adaptador_;
    QStringList errores_;
    QString avisoPendiente_; // the end-of-run message, while a question is open
    bool abierta_ = false;
    bool haLeido_ = false; // a run was started in this showing
    int erroresAlEmpezar_ = 0;
    int primeraDeLaLectura_ = 1; // sequence number of the run's first line
};
