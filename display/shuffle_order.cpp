#include "display/shuffle_order.h"

namespace {

constexpr uint64_t kGolden = 0x9E3779B97F4A7C15u;  // 2^64 divided by the golden ratio, odd

// splitmix64's finaliser: every input bit reaches every output bit.
uint64_t MixBits(uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

// A balanced Feistel network over the smallest even number of bits that holds count: a
// bijection of [0, 2^bits) for any round function, and six rounds mix well even for 2-bit
// domains. Walking the cycle from a position until it lands below count gives a bijection of
// [0, count); the domain is less than four times count, so a walk takes under four steps on
// average.
struct Feistel {
    uint64_t key;
    uint32_t halfBits;
    uint32_t mask;
};

constexpr int kRounds = 6;

Feistel FeistelFor(uint64_t key, int32_t count) {
    uint32_t bits = 2;
    while ((uint64_t{1} << bits) < static_cast<uint64_t>(count))
        bits += 2;
    return {key, bits / 2, (1u << (bits / 2)) - 1};
}

uint32_t RoundValue(const Feistel& f, int round, uint32_t half) {
    const uint64_t mixed = MixBits(f.key ^ (static_cast<uint64_t>(round + 1) * kGolden) ^ half);
    return static_cast<uint32_t>(mixed) & f.mask;
}

uint32_t Forward(const Feistel& f, uint32_t x) {
    uint32_t left = x >> f.halfBits;
    uint32_t right = x & f.mask;
    for (int round = 0; round < kRounds; ++round) {
        const uint32_t next = left ^ RoundValue(f, round, right);
        left = right;
        right = next;
    }
    return (left << f.halfBits) | right;
}

uint32_t Backward(const Feistel& f, uint32_t x) {
    uint32_t left = x >> f.halfBits;
    uint32_t right = x & f.mask;
    for (int round = kRounds - 1; round >= 0; --round) {
        const uint32_t previous = right ^ RoundValue(f, round, left);
        right = left;
        left = previous;
    }
    return (left << f.halfBits) | right;
}

uint64_t NameHash(const std::string& name) {
    uint64_t hash = 0xCBF29CE484222325u;  // FNV-1a
    for (const char ch : name)
        hash = (hash ^ static_cast<unsigned char>(ch)) * 0x100000001B3u;
    return hash;
}

}  // namespace

int32_t ShuffledIndex(uint64_t key, int32_t count, int32_t position) {
    if (count <= 1) return position;
    const Feistel f = FeistelFor(key, count);
    auto x = static_cast<uint32_t>(position);
    do {
        x = Forward(f, x);
    } while (x >= static_cast<uint32_t>(count));
    return static_cast<int32_t>(x);
}

int32_t ShufflePositionOf(uint64_t key, int32_t count, int32_t index) {
    if (count <= 1) return index;
    const Feistel f = FeistelFor(key, count);
    auto x = static_cast<uint32_t>(index);
    do {
        x = Backward(f, x);
    } while (x >= static_cast<uint32_t>(count));
    return static_cast<int32_t>(x);
}

uint32_t NextRoundSeed(uint32_t seed) {
    const auto next = static_cast<uint32_t>(MixBits(seed + kGolden) >> 32);
    return next == 0 ? 1 : next;
}

uint64_t FileOrderKey(uint32_t seed) {
    return MixBits(seed * kGolden + 1);
}

uint64_t GameOrderKey(uint32_t seed, const std::string& fileName) {
    return MixBits((seed * kGolden) ^ NameHash(fileName));
}
