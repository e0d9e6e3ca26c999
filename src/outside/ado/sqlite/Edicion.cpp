#include "outside/ado/sqlite/Reescritura.h"

namespace ado::sqlite {

Edicion::Edicion(const Piezas& piezas)
    : piezas_(piezas),
      quitada_(piezas.size(), 0),
      reemplazo_(piezas.size()),
      reemplazada_(piezas.size(), 0),
      antes_(piezas.size() + 1),
      despues_(piezas.size()) {}

void Edicion::quitar(qsizetype i) {
    if (i < 0 || i >= piezas_.size()) return;
    quitada_[i] = 1;
    cambios_ = true;
}

void Edicion::quitar(qsizetype desde, qsizetype hasta) {
    for (qsizetype i = desde; i <= hasta; ++i) quitar(i);
}

void Edicion::cambiar(qsizetype i, const QString& texto) {
    if (i < 0 || i >= piezas_.size()) return;
    Piezas nuevas = Tokenizar(texto);
    if (!nuevas.isEmpty()) nuevas.first().espacio = piezas_[i].espacio;
    reemplazo_[i] = std::move(nuevas);
    reemplazada_[i] = 1;
    cambios_ = true;
}

void Edicion::insertarAntes(qsizetype i, const QString& texto) {
    if (i < 0 || i > piezas_.size()) return;
    antes_[i] += Tokenizar(texto);
    cambios_ = true;
}

void Edicion::insertarDespues(qsizetype i, const QString& texto) {
    if (i < 0 || i >= piezas_.size()) return;
    despues_[i] += Tokenizar(texto);
    cambios_ = true;
}

Piezas Edicion::aplicar() const {
    if (!cambios_) return piezas_;
    Piezas r;
    r.reserve(piezas_.size() + 8);
    QString pendiente;
    bool hayPendiente = false;
    auto poner = [&](Pieza p) {
        if (hayPendiente) {
            const bool cierra = p.es(Clase::CierraParen) || p.es(Clase::Coma) || p.es(Clase::PuntoYComa);
            if (p.espacio.isEmpty() && !cierra) p.espacio = pendiente;
            hayPendiente = false;
        }
        r.append(std::move(p));
    };
    auto ponerTodas = [&](const Piezas& ps) {
        for (const Pieza& p : ps) poner(p);
    };
    const qsizetype n = piezas_.size();
    for (qsizetype i = 0; i <= n; ++i) {
        bool robado = false;  // an inserted prefix ("SV_SUMA(") took token i's blanks
        if (!antes_[i].isEmpty()) {
            Piezas insertadas = antes_[i];
            if (i < n && insertadas.first().espacio.isEmpty() && !piezas_[i].espacio.isEmpty()) {
                insertadas.first().espacio = piezas_[i].espacio;
                robado = true;
            }
            ponerTodas(insertadas);
        }
        if (i == n) break;
        if (quitada_[i]) {
            if (!hayPendiente && !robado) {
                pendiente = piezas_[i].espacio;
                hayPendiente = true;
            }
        } else if (reemplazada_[i]) {
            Piezas propias = reemplazo_[i];
            if (robado && !propias.isEmpty()) propias.first().espacio.clear();
            ponerTodas(propias);
        } else {
            Pieza p = piezas_[i];
            if (robado) p.espacio.clear();
            poner(std::move(p));
        }
        ponerTodas(despues_[i]);
    }
    return r;
}

std::vector<qsizetype> Parejas(const Piezas& piezas) {
    std::vector<qsizetype> pareja(piezas.size(), -1);
    std::vector<qsizetype> abiertas;
    for (qsizetype i = 0; i < piezas.size(); ++i) {
        if (piezas[i].es(Clase::AbreParen)) {
            abiertas.push_back(i);
        } else if (piezas[i].es(Clase::CierraParen)) {
            if (abiertas.empty()) return {};
            pareja[i] = abiertas.back();
            pareja[abiertas.back()] = i;
            abiertas.pop_back();
        }
    }
    if (!abiertas.empty()) return {};
    return pareja;
}

}  // namespace ado::sqlite
