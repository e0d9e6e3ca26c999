#pragma once
// The connection's error list. Cleared at the start of every open, execute and recordset
// open on the connection and kept until the next one.
#include <QList>
#include <QString>
#include <cstdint>

namespace ado {

struct Error {
    QString SQLState;
    int32_t Number = 0;
    QString Description;
    int32_t NativeError = 0;
    QString Source;
};

class Errors {
  public:
    int Count() const { return int(lista_.size()); }
    // Raises 3265 outside 0..Count-1.
    const Error& Item(int i) const;
    void Clear() { lista_.clear(); }
    void Add(const Error& e) { lista_.append(e); }

  private:
    QList<Error> lista_;
};

}  // namespace ado
