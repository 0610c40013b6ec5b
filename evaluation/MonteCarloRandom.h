#pragma once
// Random numbers of the Monte Carlo propagation: the xoshiro256** generator
// (Blackman and Vigna) seeded by SplitMix64, with jump() for streams that
// never overlap (each is 2^128 draws apart), and the few exact samplers and
// quantile functions the input distributions are built from. Everything is
// written out here rather than taken from <random>, whose distributions
// differ between library versions: a seed must give the same numbers on
// every build.
#include <array>
#include <cstddef>
#include <cstdint>

namespace vormid::mc {

class TXoshiro256 {
public:
    // The state is filled from SplitMix64 started at seed.
    explicit TXoshiro256(std::uint64_t seed);
    // A given state (not all zero).
    explicit TXoshiro256(const std::array<std::uint64_t, 4>& state) : S_(state) {}

    std::uint64_t Next() {
        const std::uint64_t result = Rotl(S_[1] * 5, 7) * 9;
        const std::uint64_t t = S_[1] << 17;
        S_[2] ^= S_[0];
        S_[3] ^= S_[1];
        S_[1] ^= S_[2];
        S_[0] ^= S_[3];
        S_[2] ^= t;
        S_[3] = Rotl(S_[3], 45);
        return result;
    }

    // Advances by 2^128 draws: the streams of successive jumps never meet.
    void Jump();

    // Uniform on the open interval (0, 1), in steps of 2^-53: never 0 or 1,
    // so every quantile function below gets a finite argument.
    double Uniform() { return (static_cast<double>(Next() >> 11) + 0.5) * 0x1.0p-53; }
    // Uniform on (-1, 1).
    double Symmetric() { return 2.0 * Uniform() - 1.0; }
    // Standard normal, by inversion of a uniform.
    double Normal();
    // count standard normals, the same numbers as count calls of Normal()
    // but with the inversion run over the block.
    void NormalBlock(double* out, std::size_t count);
    // Student's t with nu > 0 degrees of freedom (Bailey's polar method).
    double StudentT(double nu);

    const std::array<std::uint64_t, 4>& State() const { return S_; }

private:
    static std::uint64_t Rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::array<std::uint64_t, 4> S_;
};

// Inverse of the standard normal distribution function (Wichura's AS 241,
// relative accuracy about 1e-16) for 0 < p < 1.
double NormalQuantile(double p);
// NormalQuantile of each of values[0..count), in place, bit for bit.
void NormalQuantiles(double* values, std::size_t count);
// The standard normal distribution function.
double NormalCdf(double z);
// Inverse of Student's t distribution function with nu >= 1 degrees of
// freedom, for 0 < p < 1 (closed forms for nu = 1, 2; otherwise Newton
// steps on the exact distribution function, safeguarded by bisection).
// Not for worker threads: the exact distribution function goes through
// lgamma, which writes a process-wide sign variable.
double StudentQuantile(double nu, double p);

// The SplitMix64 step: advances x and returns the next output.
std::uint64_t SplitMix64(std::uint64_t& x);

}  // namespace vormid::mc
