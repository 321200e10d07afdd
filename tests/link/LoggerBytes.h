#pragma once
// The logger's side of the line, built by hand for the link tests: status records and memory
// blocks laid out as the logger sends them.

#include <QByteArray>
#include <QtGlobal>
#include <functional>
#include <initializer_list>
#include <utility>

namespace loggerbytes {

// A 112-byte status record with the given bytes (numbered from 1) set, every other byte 0.
inline QByteArray StatusRecordBytes(std::initializer_list<std::pair<int, int>> bytes) {
    QByteArray r(112, '\0');
    for (const auto& [n, value] : bytes) r[n - 1] = static_cast<char>(value);
    return r;
}

// One 80-byte memory block: its start in tenths of a second, then 60 ten-bit codes packed four
// to five bytes, least significant first.
inline QByteArray Block(quint32 startTicks, const std::function<int(int)>& code) {
    QByteArray b(80, '\0');
    for (int i = 0; i < 4; ++i) b[i] = static_cast<char>((startTicks >> (8 * i)) & 0xFF);
    for (int g = 0; g < 15; ++g) {
        quint64 packed = 0;
        for (int k = 0; k < 4; ++k) packed |= quint64(code(4 * g + k) & 0x3FF) << (10 * k);
        for (int i = 0; i < 5; ++i)
            b[4 + 5 * g + i] = static_cast<char>((packed >> (8 * i)) & 0xFF);
    }
    return b;
}

// Memory block b (0-based, memory order) of the tests: 60 s apart, each reading's code telling
// its memory position.
inline int CodeAt(int memoryPosition) {
    return (memoryPosition * 7) % 1021;
}
inline quint32 TicksOfBlock(int b) {
    return 600u * quint32(b) + 50u;
}
inline QByteArray Memory(int blocks) {
    QByteArray bytes;
    bytes.reserve(blocks * 80);
    for (int b = 0; b < blocks; ++b)
        bytes += Block(TicksOfBlock(b), [b](int s) { return CodeAt(b * 60 + s + 1); });
    return bytes;
}

} // namespace loggerbytes
