#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <vector>

// What each fuzz target defines: libFuzzer's entry point, and well-formed inputs to start from.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
std::vector<QByteArray> fuzzSeeds();

inline QByteArray fuzzBytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}
