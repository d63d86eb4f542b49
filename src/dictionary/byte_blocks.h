#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// Sixteen bytes tested at once, for the loops that read a whole entries or index file: the
// compiler turns these into the machine's vector instructions (SSE2 on x86-64, NEON on ARM).
namespace kv::blocks {

using CBlock = unsigned char __attribute__((vector_size(16)));
using CMask = signed char __attribute__((vector_size(16)));  // per byte: -1 (yes) or 0
inline constexpr std::size_t kLanes = sizeof(CBlock);

inline CBlock Load(const char* at) {
  CBlock block;
  std::memcpy(&block, at, kLanes);
  return block;
}

inline CBlock Splat(unsigned char value) {
  CBlock block;
  for (std::size_t i = 0; i < kLanes; ++i) block[i] = value;
  return block;
}

inline bool AnySet(CMask mask) {
  std::uint64_t halves[2];
  std::memcpy(halves, &mask, sizeof halves);
  return (halves[0] | halves[1]) != 0;
}

// One bit per byte of `mask`, bit i for byte i.
inline std::uint32_t Bits(CMask mask) {
  std::uint64_t halves[2];
  std::memcpy(halves, &mask, sizeof halves);
  // The low bit of each byte gathered into the top byte, in place order.
  constexpr std::uint64_t kLowBits = 0x0101010101010101;
  constexpr std::uint64_t kGather = 0x0102040810204080;
  const auto low = static_cast<std::uint32_t>(((halves[0] & kLowBits) * kGather) >> 56);
  const auto high = static_cast<std::uint32_t>(((halves[1] & kLowBits) * kGather) >> 56);
  return low | high << 8;
}

inline CMask IsLineEnd(CBlock bytes) { return (bytes == Splat('\r')) | (bytes == Splat('\n')); }

}  // namespace kv::blocks
