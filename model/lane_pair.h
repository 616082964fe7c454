#pragma once

#include <cstdint>

#include "model/agent_padding.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#else
#include <bit>
#endif

// Two doubles worked on together, for the dynamics' loops over the agents.
// Every operation rounds exactly as its scalar form does; a mask holds all
// bits set in a lane where a comparison held. On x86-64 the pair is one SSE2
// register (the compiler does not turn the clamps and selects of those loops
// into minpd, maxpd and masks by itself); elsewhere it is two plain doubles.
namespace model::lanes {

inline constexpr int kLaneCount = 2;
static_assert(kLaneCount <= kWidestLaneCount);

#if defined(__SSE2__)

struct Pair {
  __m128d v;
};

inline Pair LoadPair(const double* p) {
  return {_mm_loadu_pd(p)};
}
inline void Store(double* p, Pair a) {
  _mm_storeu_pd(p, a.v);
}
inline Pair BroadcastPair(double x) {
  return {_mm_set1_pd(x)};
}
inline Pair operator+(Pair a, Pair b) {
  return {_mm_add_pd(a.v, b.v)};
}
inline Pair operator-(Pair a, Pair b) {
  return {_mm_sub_pd(a.v, b.v)};
}
inline Pair operator*(Pair a, Pair b) {
  return {_mm_mul_pd(a.v, b.v)};
}
inline Pair operator/(Pair a, Pair b) {
  return {_mm_div_pd(a.v, b.v)};
}
inline Pair LessOrEqual(Pair a, Pair b) {
  return {_mm_cmple_pd(a.v, b.v)};
}
inline Pair Equal(Pair a, Pair b) {
  return {_mm_cmpeq_pd(a.v, b.v)};
}
inline Pair LessThan(Pair a, Pair b) {
  return {_mm_cmplt_pd(a.v, b.v)};
}
// Set where a != b, also when either is not-a-number.
inline Pair NotEqual(Pair a, Pair b) {
  return {_mm_cmpneq_pd(a.v, b.v)};
}
// Bit j set where lane j of the mask is set.
inline int Bits(Pair mask) {
  return _mm_movemask_pd(mask.v);
}
// mask & a, and ~mask & a.
inline Pair And(Pair mask, Pair a) {
  return {_mm_and_pd(mask.v, a.v)};
}
inline Pair AndNot(Pair mask, Pair a) {
  return {_mm_andnot_pd(mask.v, a.v)};
}
inline Pair Xor(Pair a, Pair b) {
  return {_mm_xor_pd(a.v, b.v)};
}
// a < b ? a : b and a > b ? a : b, lane by lane: b when either is not-a-number.
inline Pair MinOf(Pair a, Pair b) {
  return {_mm_min_pd(a.v, b.v)};
}
inline Pair MaxOf(Pair a, Pair b) {
  return {_mm_max_pd(a.v, b.v)};
}
// {a0, b0} and {a1, b1}.
inline Pair Lows(Pair a, Pair b) {
  return {_mm_unpacklo_pd(a.v, b.v)};
}
inline Pair Highs(Pair a, Pair b) {
  return {_mm_unpackhi_pd(a.v, b.v)};
}
inline double Low(Pair a) {
  return _mm_cvtsd_f64(a.v);
}
inline double High(Pair a) {
  return _mm_cvtsd_f64(_mm_unpackhi_pd(a.v, a.v));
}
// 1 where the mask is set, 0 elsewhere.
inline void StoreFlags(std::int32_t* p, Pair mask) {
  const __m128i ones = _mm_and_si128(_mm_castpd_si128(mask.v), _mm_set1_epi64x(1));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_shuffle_epi32(ones, 0x08));
}

#else

struct Pair {
  double v[2];
};

namespace detail {
template <class F>
Pair Bitwise(Pair a, Pair b, F f) {
  Pair r;
  for (int j = 0; j < 2; ++j) {
    r.v[j] = std::bit_cast<double>(
        f(std::bit_cast<std::uint64_t>(a.v[j]), std::bit_cast<std::uint64_t>(b.v[j])));
  }
  return r;
}
inline double MaskOf(bool set) {
  return std::bit_cast<double>(set ? ~std::uint64_t{0} : 0);
}
}  // namespace detail

inline Pair LoadPair(const double* p) {
  return {{p[0], p[1]}};
}
inline void Store(double* p, Pair a) {
  p[0] = a.v[0], p[1] = a.v[1];
}
inline Pair BroadcastPair(double x) {
  return {{x, x}};
}
inline Pair operator+(Pair a, Pair b) {
  return {{a.v[0] + b.v[0], a.v[1] + b.v[1]}};
}
inline Pair operator-(Pair a, Pair b) {
  return {{a.v[0] - b.v[0], a.v[1] - b.v[1]}};
}
inline Pair operator*(Pair a, Pair b) {
  return {{a.v[0] * b.v[0], a.v[1] * b.v[1]}};
}
inline Pair operator/(Pair a, Pair b) {
  return {{a.v[0] / b.v[0], a.v[1] / b.v[1]}};
}
inline Pair LessOrEqual(Pair a, Pair b) {
  return {{detail::MaskOf(a.v[0] <= b.v[0]), detail::MaskOf(a.v[1] <= b.v[1])}};
}
inline Pair Equal(Pair a, Pair b) {
  return {{detail::MaskOf(a.v[0] == b.v[0]), detail::MaskOf(a.v[1] == b.v[1])}};
}
inline Pair LessThan(Pair a, Pair b) {
  return {{detail::MaskOf(a.v[0] < b.v[0]), detail::MaskOf(a.v[1] < b.v[1])}};
}
inline Pair NotEqual(Pair a, Pair b) {
  return {{detail::MaskOf(a.v[0] != b.v[0]), detail::MaskOf(a.v[1] != b.v[1])}};
}
inline int Bits(Pair mask) {
  return static_cast<int>(std::bit_cast<std::uint64_t>(mask.v[0]) >> 63) |
         static_cast<int>(std::bit_cast<std::uint64_t>(mask.v[1]) >> 63) << 1;
}
inline Pair And(Pair mask, Pair a) {
  return detail::Bitwise(mask, a, [](std::uint64_t m, std::uint64_t x) { return m & x; });
}
inline Pair AndNot(Pair mask, Pair a) {
  return detail::Bitwise(mask, a, [](std::uint64_t m, std::uint64_t x) { return ~m & x; });
}
inline Pair Xor(Pair a, Pair b) {
  return detail::Bitwise(a, b, [](std::uint64_t x, std::uint64_t y) { return x ^ y; });
}
inline Pair MinOf(Pair a, Pair b) {
  return {{a.v[0] < b.v[0] ? a.v[0] : b.v[0], a.v[1] < b.v[1] ? a.v[1] : b.v[1]}};
}
inline Pair MaxOf(Pair a, Pair b) {
  return {{a.v[0] > b.v[0] ? a.v[0] : b.v[0], a.v[1] > b.v[1] ? a.v[1] : b.v[1]}};
}
inline Pair Lows(Pair a, Pair b) {
  return {{a.v[0], b.v[0]}};
}
inline Pair Highs(Pair a, Pair b) {
  return {{a.v[1], b.v[1]}};
}
inline double Low(Pair a) {
  return a.v[0];
}
inline double High(Pair a) {
  return a.v[1];
}
inline void StoreFlags(std::int32_t* p, Pair mask) {
  for (int j = 0; j < 2; ++j) p[j] = std::bit_cast<std::uint64_t>(mask.v[j]) != 0 ? 1 : 0;
}

#endif

// mask ? a : b.
inline Pair Select(Pair mask, Pair a, Pair b) {
  return Xor(And(mask, a), AndNot(mask, b));
}
// a where the mask is set, -a elsewhere.
inline Pair NegatedUnless(Pair mask, Pair a) {
  return Xor(a, AndNot(mask, BroadcastPair(-0.0)));
}
// The sum of the two lanes; exact for the whole numbers of a count.
inline double SumOfLanes(Pair a) {
  return Low(a) + High(a);
}

// The passes' view of pairs: what they call without a pair to find it by.
struct PairLanes {
  using V = Pair;
  static constexpr int kCount = kLaneCount;

  static Pair Load(const double* p) { return LoadPair(p); }
  static Pair Broadcast(double x) { return BroadcastPair(x); }

  // Appends first and first + 1 to list where bits 0 and 1 are set, without a
  // branch: each index is written and the count moves on only past a set one.
  static void AppendWhere(int bits, int first, int* list, int& count) {
    list[count] = first;
    count += bits & 1;
    list[count] = first + 1;
    count += bits >> 1;
  }

  // Four sums that each take the agents one by one, in order. Two sums share
  // a register, one sum per lane.
  struct FourSums {
    Pair firstTwo = BroadcastPair(0.0);
    Pair lastTwo = BroadcastPair(0.0);

    // Lane j of a, b, c and d holds agent j's addends; the agents go in order.
    void Add(Pair a, Pair b, Pair c, Pair d) {
      firstTwo = firstTwo + Lows(a, b);
      firstTwo = firstTwo + Highs(a, b);
      lastTwo = lastTwo + Lows(c, d);
      lastTwo = lastTwo + Highs(c, d);
    }
    double First() const { return Low(firstTwo); }
    double Second() const { return High(firstTwo); }
    double Third() const { return Low(lastTwo); }
    double Fourth() const { return High(lastTwo); }
  };

  // One sum taking the agents in order; both lanes hold it.
  struct OneSum {
    Pair both = BroadcastPair(0.0);

    void Add(Pair a) {
      both = both + Lows(a, a);
      both = both + Highs(a, a);
    }
    double Value() const { return Low(both); }
  };
};

}  // namespace model::lanes
