#include "logger-emulator/LoggerFormat.h"

namespace emulator {

std::array<quint8, 5> PackGroup(quint16 first, quint16 second, quint16 third, quint16 fourth) {
    const quint64 bits = quint64(first & MaxCode) | quint64(second & MaxCode) << 10 |
                         quint64(third & MaxCode) << 20 | quint64(fourth & MaxCode) << 30;
    std::array<quint8, 5> bytes{};
    for (int i = 0; i < 5; ++i) bytes[i] = quint8(bits >> (8 * i));
    return bytes;
}

QByteArray EncodeBlock(const Block& block) {
    QByteArray bytes(BlockBytes, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = char(quint8(block.startTick >> (8 * i)));
    for (int group = 0; group < SamplesPerBlock / 4; ++group) {
        const quint16* codes = block.codes.data() + 4 * group;
        const auto packed = PackGroup(codes[0], codes[1], codes[2], codes[3]);
        for (int i = 0; i < 5; ++i) bytes[4 + 5 * group + i] = char(packed[i]);
    }
    return bytes;
}

QByteArray EncodeStatus(const StatusFields& fields) {
    QByteArray record(StatusBytes, char(StatusFiller));
    // Positions below count from 1, as the record is documented.
    auto put = [&record](int position, unsigned value) {
        record[position - 1] = char(value & 0xFF);
    };
    for (int i = 0; i < 4; ++i) put(2 + i, fields.clock >> (8 * i));
    put(11, fields.type);
    put(24, (fields.mode == 1 ? 0x80 : 0x00) | (fields.presentShown ? 0x08 : 0x00));
    put(28, fields.number);
    put(29, fields.number >> 8);
    put(35, fields.low);
    put(36, fields.high);
    put(43, fields.currentBlockFlag);
    put(44, fields.present);
    put(45, (fields.present >> 8) & 0x03);
    const int block = qBound(0, fields.currentBlock, MemoryBlocks - 1);
    const int index = block % BlocksPerBank;
    put(68, index);
    put(69, index >> 8);
    put(70, block / BlocksPerBank);
    put(71, fields.wrapCount);
    return record;
}

} // namespace emulator
