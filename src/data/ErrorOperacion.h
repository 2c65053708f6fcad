#pragma once
// The one way an operation of the data module fails: it throws this, and the
// window that asked for the operation shows the text (through
// CajaMensajes::ejecutaMostrandoError). It carries the Spanish message and,
// when the table engine failed, the engine's own text for support. Answers
// that are not failures (a cheque exists, a name is taken, the operator said
// no) travel as results; a failure never does, and no operation both answers
// "failed" and throws.

#include <QString>

#include <stdexcept>

// What separates the Spanish sentence from the engine's text in an engine
// message: the operator reads both, support reads the second.
inline const QString SeparadorMensajeMotor = QStringLiteral("\nMensaje del motor: ");

// The message followed by the engine's text, when there is one.
inline QString mensajeConMotor(const QString& mensaje, const QString& textoMotor) {
    return textoMotor.isEmpty() ? mensaje : mensaje + SeparadorMensajeMotor + textoMotor;
}

class TErrorOperacion : public std::runtime_error {
public:
    // `texto` as the operator reads it: a message, or an engine message made
    // by the table layer (the sentence, SeparadorMensajeMotor, the engine text).
    explicit TErrorOperacion(const QString& texto)
        : std::runtime_error(texto.toStdString()), texto_(texto) {}
    // A message and the engine's text, joined as the table layer joins them.
    TErrorOperacion(const QString& mensaje, const QString& textoMotor)
        : TErrorOperacion(mensajeConMotor(mensaje, textoMotor)) {}

    // The message for the operator, as it was given.
    const QString& texto() const { return texto_; }
    // The Spanish sentence alone.
    QString mensaje() const { return texto_.section(SeparadorMensajeMotor, 0, 0); }
    // The engine's text; empty when the engine did not fail.
    QString textoMotor() const {
        const qsizetype i = texto_.indexOf(SeparadorMensajeMotor);
        return i < 0 ? QString() : texto_.mid(i + SeparadorMensajeMotor.size());
    }

private:
    QString texto_;
};

// For the table layer's helpers that answer an engine message or "": throws
// it when there is one.
inline void fallaSiHayError(const QString& mensajeMotor) {
    if (!mensajeMotor.isEmpty())
        throw TErrorOperacion(mensajeMotor);
}
