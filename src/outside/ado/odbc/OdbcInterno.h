#pragma once
// Helpers shared by the ODBC provider's sources.
#include "outside/runtime/EsperaVisible.h"

#include <sql.h>
#include <sqlext.h>

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace ado::odbc::interno {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "the driver manager must use UTF-16 wide characters");

// A null-terminated UTF-16 copy the driver may read while it lives.
class TextoW {
  public:
    explicit TextoW(const QString& s) : datos_(s.utf16(), s.utf16() + s.size() + 1) {}
    SQLWCHAR* ptr() { return reinterpret_cast<SQLWCHAR*>(datos_.data()); }
    SQLINTEGER largo() const { return SQLINTEGER(datos_.size() - 1); }

  private:
    std::vector<char16_t> datos_;
};

inline QString DeSqlW(const SQLWCHAR* s, qsizetype n) {
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(s), n);
}

// A value read as text, as the column's ADO type (the text itself when it does not read as one).
QVariant ConvertirTexto(const QString& texto, int tipoAdo);
// "catalog.schema.table" (parts may be in [ ] or " ") split into its parts; the last is the table.
QStringList Partes(const QString& nombre);

// The table a plain single-table SELECT reads ("dbo.Cuentas"), or empty for joins, unions,
// groupings, subqueries in FROM and anything that is not a SELECT.
QString TablaUnica(const QString& sql);

// The server may make a statement of a transaction wait for another user's lock, and the driver
// does not tell: while such a statement runs the busy cursor is shown, and the input made meanwhile
// is dropped when it returns. Outside a transaction nothing changes.
class EsperaDeTransaccion {
  public:
    explicit EsperaDeTransaccion(bool enTransaccion) : propia_(enTransaccion && !vb::EnEspera()) {
        if (propia_) vb::EmpiezaEspera();
    }
    ~EsperaDeTransaccion() {
        if (propia_) vb::TerminaEspera();
    }
    EsperaDeTransaccion(const EsperaDeTransaccion&) = delete;
    EsperaDeTransaccion& operator=(const EsperaDeTransaccion&) = delete;

  private:
    bool propia_;
};

// A statement handle freed with its scope.
class Sentencia {
  public:
    explicit Sentencia(SQLHDBC dbc) : rc_(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &h_)) {}
    ~Sentencia() {
        if (h_ != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, h_);
    }
    Sentencia(const Sentencia&) = delete;
    Sentencia& operator=(const Sentencia&) = delete;
    bool valida() const { return SQL_SUCCEEDED(rc_) && h_ != SQL_NULL_HSTMT; }
    SQLHSTMT h() const { return h_; }

  private:
    SQLHSTMT h_ = SQL_NULL_HSTMT;
    SQLRETURN rc_;
};

}  // namespace ado::odbc::interno
