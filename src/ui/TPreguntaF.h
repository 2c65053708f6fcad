#pragma once
// The question dialog: one or two buttons whose labels and caption the caller
// chooses. One instance is created at start-up and reconfigured completely for
// every question.

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

class TPreguntaF : public QDialog {
    Q_OBJECT
public:
    enum class Imagen { Pregunta, Informacion };

    // Positions of the buttons from the dialog's left edge.
    static constexpr int XPrimerBotonDeDos = 119;
    static constexpr int XSegundoBotonDeDos = 209;
    static constexpr int XBotonUnico = 164;
    // Questions shorter than this are pushed one line down in the label.
    static constexpr int LongitudPreguntaCorta = 56;

    explicit TPreguntaF(QWidget* parent = nullptr);

    // Shows the question modally: 0 when the first button closed it, 1 otherwise.
    // The second button's label comes before the caption.
    quint16 PreguntaDlg(const QString& Texto, const QString& Boton1, const QString& Boton2,
                        const QString& Cabecera);

    // Configuration without showing, so it can be checked and the dialog opened
    // non-modally. PreguntaDlg is prepara() + exec() + respuesta().
    void prepara(const QString& Texto, const QString& Boton1, const QString& Boton2,
                 const QString& Cabecera);
    // The answer of the last closing: 0 for the first button, 1 otherwise.
    quint16 respuesta() const;

    // The label text for a question: short ones get a line break in front.
    static QString textoEtiqueta(const QString& Texto);

    bool modoDosBotones() const { return dosBotones_; }
    Imagen imagen() const { return imagen_; }
    QLabel* etiquetaPregunta() const { return lblPregunta_; }
    QLabel* etiquetaImagen() const { return imgImagen_; }
    QPushButton* SiBtn() const { return SiBtn_; }
    QPushButton* NoBtn() const { return NoBtn_; }

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void muestraImagen();
    void centraEnPantalla();

    QLabel* imgImagen_;
    QLabel* lblPregunta_;
    QPushButton* SiBtn_;
    QPushButton* NoBtn_;
    Imagen imagen_ = Imagen::Pregunta;
    bool dosBotones_ = true;
};
