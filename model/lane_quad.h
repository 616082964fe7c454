#pragma once

#include <bit>
#include <cstdint>

#include "model/agent_padding.h"

#if !defined(__AVX2__) || defined(__FMA__)
#error "lane_quad.h belongs to the sources built for x86-64-v3 without FMA"
#endif
#include <immintrin.h>

// Four doubles worked on together, in one AVX register: the same operations
// as lane_pair.h's, each rounding exactly as its scalar form does. Only the
// sources built for x86-64-v3 include this header, and everything in it lives
// in a namespace of its own, so that no function compiled with these
// instructions can stand in for one of the pair path at link time.
namespace model::lanes::v3 {

inline constexpr int kLaneCount = 4;
static_assert(kLaneCount <= kWidestLaneCount);

struct Quad {
  __m256d v;
};

inline void Store(double* p, Quad a) {
  _mm256_storeu_pd(p, a.v);
}
inline Quad operator+(Quad a, Quad b) {
  return {_mm256_add_pd(a.v, b.v)};
}
inline Quad operator-(Quad a, Quad b) {
  return {_mm256_sub_pd(a.v, b.v)};
}
inline Quad operator*(Quad a, Quad b) {
  return {_mm256_mul_pd(a.v, b.v)};
}
inline Quad operator/(Quad a, Quad b) {
  return {_mm256_div_pd(a.v, b.v)};
}
// The predicates are the ordered, quiet forms SSE2's cmplepd, cmpeqpd and
// cmpltpd take; not-equal is the unordered one, set also for not-a-number.
inline Quad LessOrEqual(Quad a, Quad b) {
  return {_mm256_cmp_pd(a.v, b.v, _CMP_LE_OS)};
}
inline Quad Equal(Quad a, Quad b) {
  return {_mm256_cmp_pd(a.v, b.v, _CMP_EQ_OQ)};
}
inline Quad LessThan(Quad a, Quad b) {
  return {_mm256_cmp_pd(a.v, b.v, _CMP_LT_OS)};
}
inline Quad NotEqual(Quad a, Quad b) {
  return {_mm256_cmp_pd(a.v, b.v, _CMP_NEQ_UQ)};
}
// Bit j set where lane j of the mask is set.
inline int Bits(Quad mask) {
  return _mm256_movemask_pd(mask.v);
}
// mask & a, and ~mask & a.
inline Quad And(Quad mask, Quad a) {
  return {_mm256_and_pd(mask.v, a.v)};
}
inline Quad AndNot(Quad mask, Quad a) {
  return {_mm256_andnot_pd(mask.v, a.v)};
}
inline Quad Xor(Quad a, Quad b) {
  return {_mm256_xor_pd(a.v, b.v)};
}
// a < b ? a : b and a > b ? a : b, lane by lane: b when either is not-a-number.
inline Quad MinOf(Quad a, Quad b) {
  return {_mm256_min_pd(a.v, b.v)};
}
inline Quad MaxOf(Quad a, Quad b) {
  return {_mm256_max_pd(a.v, b.v)};
}
// mask ? a : b, for a mask whose lanes are all set or all clear.
inline Quad Select(Quad mask, Quad a, Quad b) {
  return {_mm256_blendv_pd(b.v, a.v, mask.v)};
}
// a where the mask is set, -a elsewhere.
inline Quad NegatedUnless(Quad mask, Quad a) {
  return Xor(a, AndNot(mask, Quad{_mm256_set1_pd(-0.0)}));
}
// 1 where the mask is set, 0 elsewhere: the low half of each lane's mask.
inline void StoreFlags(std::int32_t* p, Quad mask) {
  const __m128 low = _mm_castpd_ps(_mm256_castpd256_pd128(mask.v));
  const __m128 high = _mm_castpd_ps(_mm256_extractf128_pd(mask.v, 1));
  const __m128i words = _mm_castps_si128(_mm_shuffle_ps(low, high, 0x88));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm_and_si128(words, _mm_set1_epi32(1)));
}
// The sum of the four lanes; exact for the whole numbers of a count.
inline double SumOfLanes(Quad a) {
  const __m128d halves = _mm_add_pd(_mm256_castpd256_pd128(a.v), _mm256_extractf128_pd(a.v, 1));
  return _mm_cvtsd_f64(_mm_add_sd(halves, _mm_unpackhi_pd(halves, halves)));
}

// For each pattern of four bits, the positions of its set bits in order.
alignas(16) inline constexpr std::int32_t kSetPositions[16][kLaneCount] = {
    {0, 0, 0, 0}, {0, 0, 0, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}, {2, 0, 0, 0}, {0, 2, 0, 0},
    {1, 2, 0, 0}, {0, 1, 2, 0}, {3, 0, 0, 0}, {0, 3, 0, 0}, {1, 3, 0, 0}, {0, 1, 3, 0},
    {2, 3, 0, 0}, {0, 2, 3, 0}, {1, 2, 3, 0}, {0, 1, 2, 3}};

// The passes' view of quads (see PairLanes in lane_pair.h).
struct QuadLanes {
  using V = Quad;
  static constexpr int kCount = kLaneCount;

  static Quad Load(const double* p) { return {_mm256_loadu_pd(p)}; }
  static Quad Broadcast(double x) { return {_mm256_set1_pd(x)}; }

  // Appends first + j to list for each set bit j, in order, without a branch:
  // four entries are written and the count moves on past the set ones, so the
  // list must have room for three entries past its last agent's.
  static void AppendWhere(int bits, int first, int* list, int& count) {
    const __m128i positions = _mm_load_si128(reinterpret_cast<const __m128i*>(kSetPositions[bits]));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(list + count),
                     _mm_add_epi32(positions, _mm_set1_epi32(first)));
    count += std::popcount(static_cast<unsigned>(bits));
  }

  // Four sums that each take the agents one by one, in order: lane j of one
  // register holds sum j, and each agent's four addends are gathered into one
  // register before they are added.
  struct FourSums {
    __m256d all = _mm256_setzero_pd();

    void Add(Quad a, Quad b, Quad c, Quad d) {
      const __m256d ab02 = _mm256_unpacklo_pd(a.v, b.v);  // a0 b0 a2 b2
      const __m256d ab13 = _mm256_unpackhi_pd(a.v, b.v);  // a1 b1 a3 b3
      const __m256d cd02 = _mm256_unpacklo_pd(c.v, d.v);
      const __m256d cd13 = _mm256_unpackhi_pd(c.v, d.v);
      constexpr int kLowHalves = 0x20;
      constexpr int kHighHalves = 0x31;
      all = _mm256_add_pd(all, _mm256_permute2f128_pd(ab02, cd02, kLowHalves));
      all = _mm256_add_pd(all, _mm256_permute2f128_pd(ab13, cd13, kLowHalves));
      all = _mm256_add_pd(all, _mm256_permute2f128_pd(ab02, cd02, kHighHalves));
      all = _mm256_add_pd(all, _mm256_permute2f128_pd(ab13, cd13, kHighHalves));
    }
    double First() const { return _mm_cvtsd_f64(_mm256_castpd256_pd128(all)); }
    double Second() const {
      const __m128d low = _mm256_castpd256_pd128(all);
      return _mm_cvtsd_f64(_mm_unpackhi_pd(low, low));
    }
    double Third() const { return _mm_cvtsd_f64(_mm256_extractf128_pd(all, 1)); }
    double Fourth() const {
      const __m128d high = _mm256_extractf128_pd(all, 1);
      return _mm_cvtsd_f64(_mm_unpackhi_pd(high, high));
    }
  };

  // One sum taking the agents in order, in a plain double.
  struct OneSum {
    double sum = 0.0;

    void Add(Quad a) {
      const __m128d low = _mm256_castpd256_pd128(a.v);
      const __m128d high = _mm256_extractf128_pd(a.v, 1);
      sum += _mm_cvtsd_f64(low);
      sum += _mm_cvtsd_f64(_mm_unpackhi_pd(low, low));
      sum += _mm_cvtsd_f64(high);
      sum += _mm_cvtsd_f64(_mm_unpackhi_pd(high, high));
    }
    double Value() const { return sum; }
  };
};

}  // namespace model::lanes::v3
