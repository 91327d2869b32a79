#pragma once
// Cuts the ADPCM bit stream of an event sound (two bits of code size, then
// blocks of 4096 samples that need not end on a byte) into packets of one
// block each with the code size in front, so a long sound is decoded a
// block at a time as it plays instead of all at once.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace swf {

class AdpcmBlocks {
public:
    explicit AdpcmBlocks(int channels) : channels(channels) {}

    void append(const uint8_t *data, size_t size);
    // The next whole block as a packet; false until all its bits are here.
    bool next(std::vector<uint8_t> &packet);
    // What is left after the whole blocks, as a packet, when it holds at
    // least a block's header; the end of the data.
    bool rest(std::vector<uint8_t> &packet);
    void clear();

private:
    size_t bitsHere() const { return pending.size() * 8 - bitAt; }
    void cut(size_t bits, std::vector<uint8_t> &packet);

    const int channels;
    int codeSize = -1; // the two-bit field; -1 before the first byte
    size_t blockBits = 0;
    std::vector<uint8_t> pending;
    size_t bitAt = 0; // where the next block starts in `pending`
};

}
