#pragma once
// The error that ends an operation of the data module and travels to its
// caller, whose error display shows the text (a file that cannot be written,
// no free emission number, an amount that does not read). Operations that
// report failure by their result never throw it.

#include <QString>

#include <stdexcept>

class TErrorOperacion : public std::runtime_error {
public:
    explicit TErrorOperacion(const QString& texto)
        : std::runtime_error(texto.toStdString()), texto_(texto) {}

    // The message for the operator, as it was given.
    const QString& texto() const { return texto_; }

private:
    QString texto_;
};
