#include "outside/ado/Field.h"

#include "outside/ado/ErroresAdo.h"
#include "outside/ado/Recordset.h"

#include <utility>

namespace ado {

Field::Field(Recordset* rs, int indice, QString nombre, int tipo, long largo)
    : rs_(rs), indice_(indice), nombre_(std::move(nombre)), tipo_(tipo), largo_(largo) {}

QVariant Field::Value() const {
    rs_->exigirAbierto();
    rs_->exigirFila();
    return rs_->valorActual(indice_);
}

void Field::setValue(const QVariant& v) {
    rs_->asignar(indice_, v);
}

QVariant Field::OriginalValue() const {
    rs_->exigirAbierto();
    rs_->exigirFila();
    return rs_->valorOriginal(indice_);
}

Field& Fields::Item(int i) {
    if (i < 0 || i >= campos_.size()) LanzarAdo(kErrElementoNoEncontrado);
    return campos_[i];
}

Field& Fields::Item(const QString& nombre) {
    const int i = indiceDe(nombre);
    if (i < 0) LanzarAdo(kErrElementoNoEncontrado);
    return campos_[i];
}

int Fields::indiceDe(const QString& nombre) const {
    for (int i = 0; i < campos_.size(); ++i)
        if (campos_[i].Name().compare(nombre, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

}  // namespace ado
