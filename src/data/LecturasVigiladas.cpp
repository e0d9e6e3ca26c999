#include "data/LecturasVigiladas.h"

#include "outside/ado/AdoTipos.h"
#include "outside/runtime/ErrorVB.h"

namespace {

long gAbandonadas = 0;
LecturasVigiladas* gActual = nullptr;

}  // namespace

LecturasVigiladas::LecturasVigiladas() : desde_(gAbandonadas), anterior_(gActual) {
    gActual = this;
}

LecturasVigiladas::~LecturasVigiladas() {
    gActual = anterior_;
}

bool LecturasVigiladas::Abandonada() {
    return gActual && gAbandonadas != gActual->desde_;
}

void LecturasVigiladas::SalSiAbandonada() {
    if (!Abandonada()) return;
    vb::ErrorVB e(ado::kErrObjetoCerrado, QStringLiteral("Lectura abandonada"));
    e.Informado = true;
    throw e;
}

void LecturasVigiladas::AnotaAbandonada() {
    ++gAbandonadas;
}
