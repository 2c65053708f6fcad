#pragma once
// Texts of the error codes that the Seac Banche library hands to its error
// handler. The codes are single bits; a code with several bits set reads as
// the texts of each, joined by line feeds.

#include <QString>

// The text of one code, or of each bit it holds; a code without any known bit
// gives "Error del lector (código N)".
QString textoErrorLectorSB(int codigo);
