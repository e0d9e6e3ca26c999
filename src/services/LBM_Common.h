#pragma once
// Small routines shared by the windows: the upper-case key filter and opening a document.
#include <QString>

namespace LBM_Common {

// ESCRIBE_SOLO_MAYUSCULAS is "SI": typed letters of the filter's list become capitals.
extern bool gSoloMayusculas;

// The code to use instead of a typed character code.
int ConvierteMayuscula(int codigoTecla);
// Opens a file or web address with the desktop's program for it.
void AbreDocumento(const QString& documento, bool maximizado);

}  // namespace LBM_Common
