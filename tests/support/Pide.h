#pragma once
// A lookup window's request changed as its caller changes it: read, changed, handed back.
template <class Ventana, class Cambio>
void Pide(Ventana& ventana, Cambio cambio) {
    auto pedido = ventana.pedido();
    cambio(pedido);
    ventana.Prepara(pedido);
}
