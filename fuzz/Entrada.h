#pragma once
// How a harness reads the fuzzer's bytes as a text: the first byte chooses UTF-8, or raw UTF-16
// units (NULs and unpaired surrogates included).
#include <cstddef>
#include <cstdint>

#include <QString>

inline QString TextoDeEntrada(const uint8_t* datos, size_t largo) {
    if (largo == 0) return {};
    const auto* resto = reinterpret_cast<const char*>(datos + 1);
    const qsizetype n = qsizetype(largo - 1);
    return (datos[0] & 1) ? QString::fromUtf8(resto, n)
                          : QString(reinterpret_cast<const QChar*>(resto), n / 2);
}
