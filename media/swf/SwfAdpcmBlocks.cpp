#include "SwfAdpcmBlocks.h"

namespace swf {

void AdpcmBlocks::append(const uint8_t *data, size_t size)
{
    pending.insert(pending.end(), data, data + size);
    if (codeSize < 0 && !pending.empty()) {
        codeSize = pending[0] >> 6;
        bitAt = 2;
        // Per channel a 16-bit first sample and a 6-bit step index, then
        // 4095 codes.
        blockBits = size_t(channels) * (22 + size_t(codeSize + 2) * 4095);
    }
}

bool AdpcmBlocks::next(std::vector<uint8_t> &packet)
{
    if (codeSize < 0 || bitsHere() < blockBits)
        return false;
    cut(blockBits, packet);
    return true;
}

bool AdpcmBlocks::rest(std::vector<uint8_t> &packet)
{
    if (codeSize < 0 || bitsHere() < size_t(channels) * 22)
        return false;
    cut(bitsHere(), packet);
    return true;
}

void AdpcmBlocks::clear()
{
    pending.clear();
    codeSize = -1;
    bitAt = 0;
}

void AdpcmBlocks::cut(size_t bits, std::vector<uint8_t> &packet)
{
    packet.assign((bits + 2 + 7) / 8, 0);
    packet[0] = uint8_t(codeSize << 6);
    for (size_t j = 0; j < bits; ++j) {
        size_t from = bitAt + j;
        if ((pending[from >> 3] >> (7 - (from & 7))) & 1) {
            size_t to = j + 2;
            packet[to >> 3] |= uint8_t(0x80 >> (to & 7));
        }
    }
    bitAt += bits;
    size_t whole = bitAt / 8;
    pending.erase(pending.begin(), pending.begin() + std::ptrdiff_t(whole));
    bitAt -= whole * 8;
}

}
