#pragma once
// The steps of the dialect rewrite, each over the tokens of one statement (see TraductorSql.h).
#include "outside/ado/sqlite/Lexico.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

namespace ado::sqlite {

// Edits of a statement's tokens, recorded by index and applied together.
class Edicion {
  public:
    explicit Edicion(const Piezas& piezas);

    // A removed token's blanks pass to the next token when that one has none ("T(nolock)WHERE").
    void quitar(qsizetype i);
    void quitar(qsizetype desde, qsizetype hasta);  // both included
    // The new text is split into tokens; the first keeps the replaced token's blanks.
    void cambiar(qsizetype i, const QString& texto);
    // Before token i (i may be the count: the end). A text with no leading blank takes token i's.
    void insertarAntes(qsizetype i, const QString& texto);
    void insertarDespues(qsizetype i, const QString& texto);
    bool hayCambios() const { return cambios_; }

    Piezas aplicar() const;

  private:
    const Piezas& piezas_;
    std::vector<char> quitada_;
    std::vector<Piezas> reemplazo_;
    std::vector<char> reemplazada_;
    std::vector<Piezas> antes_;
    std::vector<Piezas> despues_;
    bool cambios_ = false;
};

// For every parenthesis the index of its partner; empty when they do not pair up.
std::vector<qsizetype> Parejas(const Piezas& piezas);

// Upper-cased type name of the tokens [desde, hasta), blanks dropped ("varchar (10)" -> "VARCHAR(10)").
QString NombreDeTipo(const Piezas& piezas, qsizetype desde, qsizetype hasta);
bool EsTipoNumerico(const QString& tipo);
bool EsTipoTexto(const QString& tipo);
bool EsTipoFecha(const QString& tipo);
// The server's functions that surely give a text (LTRIM, SUBSTRING, the translated LEFT, ...).
bool FuncionDeTexto(const QString& nombre);

// The statements that set up the checks of lengths, numbers and dates of the columns a translated
// CREATE TABLE or ALTER TABLE ADD declares; empty for any other statement.
QStringList VigilanciaDeSentencia(const Piezas& piezas);

// Steps, in the order they run.
Piezas AjustarNombresYFunciones(const Piezas& piezas);
Piezas AjustarSentencia(const Piezas& piezas);  // may return nothing: no statement for the engine
Piezas TopALimit(const Piezas& piezas);
Piezas AjustarSumas(const Piezas& piezas);
Piezas AjustarComparaciones(const Piezas& piezas);
Piezas AcotarLike(const Piezas& piezas);

}  // namespace ado::sqlite
