#pragma once
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

namespace ado {

class Recordset;

// One column of the current row. Null is an invalid-typed null QVariant (QVariant()).
class Field {
  public:
    QString Name() const { return nombre_; }
    int Type() const { return tipo_; }           // DataTypeEnum, from the declared column type
    long DefinedSize() const { return largo_; }  // characters for text columns
    // Raises 3704 on a closed recordset and 3021 without a current row.
    QVariant Value() const;
    // Raises 3421 when the column cannot take the value (text too long, not a number, ...).
    void setValue(const QVariant& v);
    QVariant OriginalValue() const;

    // Used by the recordset.
    Field(Recordset* rs, int indice, QString nombre, int tipo, long largo);
    int indice() const { return indice_; }

  private:
    Recordset* rs_;
    int indice_;
    QString nombre_;
    int tipo_;
    long largo_;
};

class Fields {
  public:
    int Count() const { return int(campos_.size()); }
    // Raise 3265 for an unknown name or index; names are compared case-blind.
    Field& Item(int i);
    Field& Item(const QString& nombre);
    Field& operator[](int i) { return Item(i); }
    Field& operator[](const QString& nombre) { return Item(nombre); }
    // -1 when there is no such column.
    int indiceDe(const QString& nombre) const;

    void limpiar() { campos_.clear(); }
    void agregar(const Field& f) { campos_.append(f); }

  private:
    QList<Field> campos_;
};

}  // namespace ado
