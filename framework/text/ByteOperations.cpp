#include "framework/text/ByteOperations.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define FW_BYTES_SSSE3 1
#endif

namespace fw {

namespace {

constexpr std::uint64_t kEveryByte = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

std::uint64_t LoadWord(const char* at) {
  std::uint64_t word = 0;
  std::memcpy(&word, at, sizeof word);
  return word;
}

// True when one of the eight bytes of `word` equals `byte`.
bool WordHasByte(std::uint64_t word, char byte) {
  const std::uint64_t x = word ^ (kEveryByte * static_cast<unsigned char>(byte));
  return ((x - kEveryByte) & ~x & kHighBits) != 0;
}

// Every step below writes at `out`, which never overtakes `in`, and only over bytes that have
// already been read; so the bytes can be compacted where they are.

std::size_t DeleteEveryScalar(char* data, std::size_t in, std::size_t out, std::size_t size,
                              char target) {
  while (in < size) {
    if (in + 8 <= size) {
      const std::uint64_t word = LoadWord(data + in);
      if (!WordHasByte(word, target)) {
        std::memcpy(data + out, &word, sizeof word);
        out += 8;
        in += 8;
        continue;
      }
    }
    const std::size_t stop = std::min(in + 8, size);
    for (; in < stop; ++in) {
      const char c = data[in];
      data[out] = c;
      out += c != target ? 1 : 0;
    }
  }
  return out;
}

#ifdef FW_BYTES_SSSE3

// For each set of bytes to drop out of eight (a bit each), the shuffle indices that gather the
// kept bytes at the front (0x80 clears the rest), and how many are kept.
struct CompactionTable {
  std::array<std::uint64_t, 256> indices{};
  std::array<std::uint8_t, 256> kept{};
};

const CompactionTable& Compaction() {
  static const CompactionTable table = [] {
    CompactionTable t;
    for (unsigned drop = 0; drop < 256; ++drop) {
      std::uint64_t indices = 0x8080808080808080ULL;
      unsigned kept = 0;
      for (unsigned byte = 0; byte < 8; ++byte) {
        if ((drop & (1u << byte)) != 0) continue;
        indices &= ~(std::uint64_t{0xFF} << (8 * kept));
        indices |= std::uint64_t{byte} << (8 * kept);
        ++kept;
      }
      t.indices[drop] = indices;
      t.kept[drop] = static_cast<std::uint8_t>(kept);
    }
    return t;
  }();
  return table;
}

// Sixteen bytes a step: the bytes to drop are found at once and the kept ones of each half
// gathered with one shuffle.
__attribute__((target("ssse3"))) std::size_t DeleteEverySSSE3(char* data, std::size_t& in,
                                                              std::size_t out, std::size_t size,
                                                              char target) {
  const CompactionTable& table = Compaction();
  const __m128i needle = _mm_set1_epi8(target);
  for (; in + 16 <= size; in += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + in));
    const auto drop = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, needle)));
    if (drop == 0) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(data + out), block);
      out += 16;
      continue;
    }
    const unsigned low = drop & 0xFFu;
    const unsigned high = drop >> 8;
    // The indices of the upper half point 8 bytes further; 0x80 stays 0x80 or more.
    const __m128i control =
        _mm_set_epi64x(static_cast<long long>(table.indices[high] + 0x0808080808080808ULL),
                       static_cast<long long>(table.indices[low]));
    const __m128i gathered = _mm_shuffle_epi8(block, control);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(data + out), gathered);
    out += table.kept[low];
    _mm_storel_epi64(reinterpret_cast<__m128i*>(data + out), _mm_srli_si128(gathered, 8));
    out += table.kept[high];
  }
  return out;
}

bool HaveSSSE3() {
  static const bool have = __builtin_cpu_supports("ssse3");
  return have;
}

#endif

}  // namespace

std::size_t FirstNonASCII(const std::string& bytes) {
  std::size_t i = 0;
  while (i + 8 <= bytes.size() && (LoadWord(bytes.data() + i) & kHighBits) == 0) i += 8;
  while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80) ++i;
  return i;
}

void MapNonASCIIBytes(std::string& bytes, const std::array<char, 256>& table) {
  const auto map = [&](std::size_t i) { bytes[i] = table[static_cast<unsigned char>(bytes[i])]; };
  std::size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    if ((LoadWord(bytes.data() + i) & kHighBits) == 0) continue;  // eight ASCII bytes stay
    for (std::size_t j = i; j < i + 8; ++j) map(j);
  }
  for (; i < bytes.size(); ++i) map(i);
}

void DeleteEvery(std::string& bytes, char target) {
  const void* first = std::memchr(bytes.data(), target, bytes.size());
  if (first == nullptr) return;
  char* const data = bytes.data();
  std::size_t out = static_cast<std::size_t>(static_cast<const char*>(first) - data);
  std::size_t in = out + 1;
#ifdef FW_BYTES_SSSE3
  if (HaveSSSE3()) out = DeleteEverySSSE3(data, in, out, bytes.size(), target);
#endif
  bytes.resize(DeleteEveryScalar(data, in, out, bytes.size(), target));
}

}  // namespace fw
