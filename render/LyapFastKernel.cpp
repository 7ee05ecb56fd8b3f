// The fast kernel: the plain kernel's arithmetic on many pixels at once.
//
// Every lane runs exactly the plain loop of LyapOrbitProduct: the same
// multiplies and subtractions in the same order (no fused multiply-add), on
// doubles, so the orbit values x and the factors f of a lane are bit for bit
// those of the plain kernel. Four vectors are kept in flight because each
// orbit is one long chain of dependent multiplies. The rate sequence AB runs
// as pairs of steps; any other sequence picks a or b step by step (the same
// choice for every lane). The steps that let the orbit settle come first and
// change x only; the product starts with the measured steps.
//
// Subnormal products. A long ordered orbit drives its product P down past
// 2^-1022 into the subnormal range, where arithmetic is slow on many
// processors. The lanes therefore carry S = P * 2^(500 r) instead: at every
// checkpoint (every kStepsPerBlock steps, and after the last step) a lane
// whose |S| is below 2^-200 (and not 0) is multiplied by 2^500 and its count
// r goes up by one. Scaling a number below 2^-200 up by 2^500 is exact (even
// from a subnormal), and a product of normal numbers rounds the same whatever
// power of two scales it, so S stays exactly P * 2^(500 r) for as long as the
// plain product P stays normal (and S finite). Past that point P loses
// precision (and may flush to exactly 0) while S does not, and the two
// differ. The colour value needs the plain P, so each lane ends in one of
// four ways (ChoosePath):
//
// 1. r = 0: S never was rescaled; it is P, whatever happened to it.
// 2. P provably never became subnormal: P = S * 2^(-500 r), rebuilt exactly
//    (the result is normal).
// 3. P provably ends below fLogFloor: the plain kernel replaces it by
//    fLogFloor, and so do we.
// 4. Otherwise the plain loop takes over for that pixel (rare), from the
//    last checkpoint at which P was still exactly S * 2^(-500 r) (step 0 at
//    worst): the same x, the same P, the same remaining steps.
//
// The proofs use a bound on how fast |P| can grow. With every rate of the
// group in [0, 4] and x0 in [0, 1], x stays in [0, 1] (fl(r x) <= 4x exactly,
// and 4x * fl(1 - x) rounds to at most 1), so fl(c - x) lies in
// [fl(c - 1), c] and |f| <= Cb = max(|c|, |fl(c - 1)|) on b-steps and
// <= Cb * amax * (1 + u) on a-steps (u = 2^-53). Within one block no run of
// consecutive steps multiplies |P| or |S| by more than 2^W, W computed per
// group by GrowthExponent (W = 1 at the default morph with AB, where a- and
// b-steps alternate; for other sequences every step of a run is bounded on
// its own). A group outside those ranges (b counts only when the sequence
// uses it), or with a non-finite centre, gets no bound, and its rescaled
// lanes take way 4.
//
// Rounding is monotone, so from |P_i| < 2^-1022 it follows that
// |P_(i+1)| = fl(|f| |P_i|) <= max(2^-1022, |f| |P_i| (1 + u)): after a drop
// below 2^-1022, |P| stays below 2^-1022 times the largest product of
// consecutive factors since. Applied at checkpoints, with l = floor(log2 |S|)
// - 500 r read from the exponent bits (so 2^l <= |S| 2^(-500 r) < 2^(l+1)):
//
// - "bad": if S itself dropped below 2^-1022 during a block, then at the
//   checkpoint |S| <= 2^(-1022+W); so a lane whose |S| at every checkpoint is
//   finite and above that has been a correctly rounded product of normal
//   numbers throughout: S 2^(-500 r) = T (1 + e)^k with |e| <= u, T being the
//   exact product of the factors from any exact starting point.
// - "sub": if P first dropped below 2^-1022 during a block, P was normal and
//   equal to S 2^(-500 r) up to that step, so S dropped below
//   2^(-1022 + 500 r) there and the checkpoint sees l <= -1022 + W. A lane
//   never marked sub (nor bad) thus takes way 2.
// - Way 3 for a lane not bad: let t0 be the last checkpoint at which P was
//   still exact (step 0 at worst). Each step adds at most 2^-1075 absolute
//   error (half the smallest subnormal) besides the relative one:
//   P_(i+1) <= |f_i| P_i (1 + u) + 2^-1075, so
//   P_N <= T_N (1+u)^N + 2^-1075 * sum over i >= t0 of prod_(l>i) |f_l| (1+u).
//   Split each tail product at the next checkpoint c: the part inside c's
//   block is at most 2^W, the rest is T_N / T_c <= 2^(l_N + 1 - l_c) (up to
//   (1+u)^2N). With lmin the lowest l seen at any checkpoint:
//   P_N <= 1.0001 (2^(l_N+1) + 2^(-1075 + ceil(log2 N) + W + 1 + l_N - lmin)).
//   With e the binary exponent of fLogFloor (fLogFloor >= 2^(e-1); e = -1019
//   for 10^-307), if both exponents are at most e - 3 then P_N < 2^(e-1) <=
//   fLogFloor and the plain kernel takes fLogFloor. The factors are finite
//   and bounded, so P_N is no NaN either.
//   (The typical case: an ordered orbit whose product decays steadily far
//   below the floor has l_N close to lmin and far below e.)
//
// Escaping orbits (rates above 4) either keep r = 0, and S is P including its
// infinities and NaNs, or fall back; so do NaN parameters.

#include "LyapFastKernel.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#ifndef OMBRELIA_LYAP_FAST_KERNEL_SHARED
#define OMBRELIA_LYAP_FAST_KERNEL_SHARED
namespace lyapfast {

// Buffers the vector code loads and stores whole: aligned for the widest
// target (HWY_ALIGN would only suit the target this code is compiled for).
constexpr std::size_t kVectorAlignment = 64;

// A checkpoint follows every block of steps; AB takes them in pairs (a then b).
constexpr std::int64_t kStepsPerBlock = 32;
constexpr double kRescaleBelow = 0x1p-200;
constexpr double kRescaleBy = 0x1p500;
constexpr double kRescaleExponent = 500.0;
constexpr double kExponentBias = 1023.0;

// What the vector code needs besides the rates.
struct OrbitSetup {
    double b;
    double x0;
    double center;
    std::int64_t iterations;      // > 0: the measured steps
    std::int32_t settle;          // the steps before them
    LyapSequence sequence;
    bool alternating;             // the sequence is AB repeated
    double badAtOrBelow;          // biased exponent of |S|: 1 + W
    double subAtOrBelow;          // level l: -1022 + W
};

// Per lane, what the vector code leaves for the scalar finish.
struct alignas(kVectorAlignment) LaneResults {
    double product[kLyapMaxGroup];  // S
    double offset[kLyapMaxGroup];   // 1023 + 500 r
    double lowest[kLyapMaxGroup];   // lowest level l seen at a checkpoint
    double last[kLyapMaxGroup];     // level l at the final checkpoint
    double sub[kLyapMaxGroup];      // 1.0: P may have become subnormal
    double bad[kLyapMaxGroup];      // 1.0: S may not be a rounded product
    // The lane at the last checkpoint where P was still exactly known
    // (x, S, offset and steps done), for the plain loop to go on from.
    double savedX[kLyapMaxGroup];
    double savedProduct[kLyapMaxGroup];
    double savedOffset[kLyapMaxGroup];
    double savedDone[kLyapMaxGroup];
};

}  // namespace lyapfast
#endif

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "LyapFastKernel.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep
#include <hwy/highway.h>

HWY_BEFORE_NAMESPACE();
namespace lyapfast {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

using D = hn::ScalableTag<double>;
using V = hn::Vec<D>;
using M = hn::Mask<D>;

// One vector of lanes: orbit value, scaled product and the checkpoint book.
struct Lanes {
    V x;
    V s;
    V offset;
    V lowest;
    V last;
    M sub;
    M bad;
    V savedX;
    V savedS;
    V savedOffset;
    V savedDone;
};

struct Constants {
    explicit Constants(D d, const OrbitSetup& setup)
        : one(hn::Set(d, 1.0)), zero(hn::Zero(d)), b(hn::Set(d, setup.b)),
          center(hn::Set(d, setup.center)),
          rescaleBelow(hn::Set(d, kRescaleBelow)),
          rescaleBy(hn::Set(d, kRescaleBy)),
          rescaleExponent(hn::Set(d, kRescaleExponent)),
          two52(hn::Set(d, 0x1p52)),
          nonFinite(hn::Set(d, 2047.0)),
          badAtOrBelow(hn::Set(d, setup.badAtOrBelow)),
          subAtOrBelow(hn::Set(d, setup.subAtOrBelow))
    {
    }
    V one, zero, b, center, rescaleBelow, rescaleBy, rescaleExponent, two52,
        nonFinite, badAtOrBelow, subAtOrBelow;
};

// x = (r x)(1 - x), with r = a or b: a step of the orbit alone.
HWY_INLINE V OrbitStep(const Constants& k, V r, V x)
{
    return hn::Mul(hn::Mul(r, x), hn::Sub(k.one, x));
}

// The lanes' orbit values after the settling steps, from x0.
HWY_INLINE void Settle(D d, const Constants& k, const OrbitSetup& setup, V a0, V a1, V a2,
                       V a3, V (&x)[4])
{
    for (V& lane : x)
        lane = hn::Set(d, setup.x0);
    std::int32_t letter = 0;
    for (std::int32_t step = 0; step < setup.settle; ++step) {
        const bool bStep = (setup.sequence.bSteps >> letter) & 1;
        if (++letter == setup.sequence.length)
            letter = 0;
        x[0] = OrbitStep(k, bStep ? k.b : a0, x[0]);
        x[1] = OrbitStep(k, bStep ? k.b : a1, x[1]);
        x[2] = OrbitStep(k, bStep ? k.b : a2, x[2]);
        x[3] = OrbitStep(k, bStep ? k.b : a3, x[3]);
    }
}

HWY_INLINE Lanes StartLanes(D d, V x0)
{
    const M none = hn::Lt(hn::Zero(d), hn::Zero(d));
    const V one = hn::Set(d, 1.0);
    const V bias = hn::Set(d, kExponentBias);
    return Lanes{x0, one, bias, hn::Set(d, HUGE_VAL), hn::Zero(d), none, none,
                 x0, one, bias, hn::Zero(d)};
}

// x = (a x)(1 - x); P = ((c - x) a) P: the plain loop's even step.
HWY_INLINE void StepA(const Constants& k, V a, Lanes& l)
{
    l.x = hn::Mul(hn::Mul(a, l.x), hn::Sub(k.one, l.x));
    l.s = hn::Mul(hn::Mul(hn::Sub(k.center, l.x), a), l.s);
}

// x = (b x)(1 - x); P = (c - x) P: the plain loop's odd step.
HWY_INLINE void StepB(const Constants& k, Lanes& l)
{
    l.x = hn::Mul(hn::Mul(k.b, l.x), hn::Sub(k.one, l.x));
    l.s = hn::Mul(hn::Sub(k.center, l.x), l.s);
}

// Books the lane's level and rescales a small product (see the top);
// `done` steps have been taken.
HWY_INLINE void Checkpoint(D d, const Constants& k, V done, Lanes& l)
{
    const hn::RebindToUnsigned<D> du;
    const V magnitude = hn::Abs(l.s);
    // The 11 exponent bits of |S| slipped under the mantissa of 2^52.
    const auto bits = hn::ShiftRight<52>(hn::BitCast(du, magnitude));
    const V biased = hn::Sub(
        hn::BitCast(d, hn::Or(bits, hn::BitCast(du, k.two52))), k.two52);
    const V level = hn::Sub(biased, l.offset);
    l.lowest = hn::Min(l.lowest, level);
    l.last = level;
    l.sub = hn::Or(l.sub, hn::Le(level, k.subAtOrBelow));
    l.bad = hn::Or(l.bad, hn::Or(hn::Le(biased, k.badAtOrBelow),
                                 hn::Ge(biased, k.nonFinite)));
    const M exact = hn::Not(hn::Or(l.sub, l.bad));
    l.savedX = hn::IfThenElse(exact, l.x, l.savedX);
    l.savedS = hn::IfThenElse(exact, l.s, l.savedS);
    l.savedOffset = hn::IfThenElse(exact, l.offset, l.savedOffset);
    l.savedDone = hn::IfThenElse(exact, done, l.savedDone);
    const M rescale = hn::And(hn::Lt(magnitude, k.rescaleBelow),
                              hn::Gt(magnitude, k.zero));
    l.s = hn::IfThenElse(rescale, hn::Mul(l.s, k.rescaleBy), l.s);
    l.offset = hn::Add(l.offset, hn::IfThenElseZero(rescale, k.rescaleExponent));
}

HWY_INLINE void StoreLanes(D d, const Constants& k, const Lanes& l,
                           std::size_t i, LaneResults* out)
{
    hn::Store(l.s, d, out->product + i);
    hn::Store(l.offset, d, out->offset + i);
    hn::Store(l.lowest, d, out->lowest + i);
    hn::Store(l.last, d, out->last + i);
    hn::Store(hn::IfThenElseZero(l.sub, k.one), d, out->sub + i);
    hn::Store(hn::IfThenElseZero(l.bad, k.one), d, out->bad + i);
    hn::Store(l.savedX, d, out->savedX + i);
    hn::Store(l.savedS, d, out->savedProduct + i);
    hn::Store(l.savedOffset, d, out->savedOffset + i);
    hn::Store(l.savedDone, d, out->savedDone + i);
}

// Runs the orbits of lanes 0 .. count rounded up to 4 vectors; `a` holds
// kLyapMaxGroup aligned rates.
void OrbitGroup(const double* HWY_RESTRICT a, std::size_t count,
                const OrbitSetup& setup, LaneResults* HWY_RESTRICT out)
{
    const D d;
    const std::size_t n = hn::Lanes(d);
    const Constants k(d, setup);
    const std::int64_t steps = setup.iterations;
    for (std::size_t base = 0; base < count; base += 4 * n) {
        const V a0 = hn::Load(d, a + base);
        const V a1 = hn::Load(d, a + base + n);
        const V a2 = hn::Load(d, a + base + 2 * n);
        const V a3 = hn::Load(d, a + base + 3 * n);
        V x[4];
        Settle(d, k, setup, a0, a1, a2, a3, x);
        Lanes l0 = StartLanes(d, x[0]);
        Lanes l1 = StartLanes(d, x[1]);
        Lanes l2 = StartLanes(d, x[2]);
        Lanes l3 = StartLanes(d, x[3]);
        std::int64_t done = 0;  // measured steps
        // Of the sequence, at step `done`: the settling steps went first.
        std::int32_t letter = setup.settle % setup.sequence.length;
        for (;;) {
            const std::int64_t end = std::min(done + kStepsPerBlock, steps);
            if (setup.alternating && letter % 2 == 0) {
                // Pairs from an even letter: a, then b. Only the parity of
                // `letter` matters in such a sequence, and pairs keep it.
                for (; done + 2 <= end; done += 2) {
                    StepA(k, a0, l0);
                    StepA(k, a1, l1);
                    StepA(k, a2, l2);
                    StepA(k, a3, l3);
                    StepB(k, l0);
                    StepB(k, l1);
                    StepB(k, l2);
                    StepB(k, l3);
                }
            } else if (setup.alternating) {
                // From an odd letter (after an odd settling): b, then a.
                for (; done + 2 <= end; done += 2) {
                    StepB(k, l0);
                    StepB(k, l1);
                    StepB(k, l2);
                    StepB(k, l3);
                    StepA(k, a0, l0);
                    StepA(k, a1, l1);
                    StepA(k, a2, l2);
                    StepA(k, a3, l3);
                }
            }
            for (; done < end; ++done) {
                const bool bStep = (setup.sequence.bSteps >> letter) & 1;
                if (++letter == setup.sequence.length)
                    letter = 0;
                if (bStep) {
                    StepB(k, l0);
                    StepB(k, l1);
                    StepB(k, l2);
                    StepB(k, l3);
                } else {
                    StepA(k, a0, l0);
                    StepA(k, a1, l1);
                    StepA(k, a2, l2);
                    StepA(k, a3, l3);
                }
            }
            const V doneV = hn::Set(d, static_cast<double>(done));
            Checkpoint(d, k, doneV, l0);
            Checkpoint(d, k, doneV, l1);
            Checkpoint(d, k, doneV, l2);
            Checkpoint(d, k, doneV, l3);
            if (done >= steps)
                break;
        }
        StoreLanes(d, k, l0, base, out);
        StoreLanes(d, k, l1, base + n, out);
        StoreLanes(d, k, l2, base + 2 * n, out);
        StoreLanes(d, k, l3, base + 3 * n, out);
    }
}

// Colour values of the logarithms of `count` products (a multiple of the
// vector length), as doubles: the arithmetic of LyapExponentOfLog and
// LyapColourValue, lane by lane.
void ColourValues(const double* HWY_RESTRICT logs, std::size_t count,
                  const LyapValueTerms& terms, double* HWY_RESTRICT values)
{
    const D d;
    const V zero = hn::Zero(d);
    const V top = hn::Set(d, 255.0);
    const V logOffset = hn::Set(d, terms.logOffset);
    const V rowLogB = hn::Set(d, terms.rowLogB);
    const V iterations = hn::Set(d, static_cast<double>(terms.iterations));
    const V negContrast = hn::Set(d, -terms.contrast);
    for (std::size_t i = 0; i < count; i += hn::Lanes(d)) {
        const V exponent = hn::Div(
            hn::Add(hn::Add(hn::Load(d, logs + i), logOffset), rowLogB),
            iterations);
        const V v = hn::Mul(exponent, negContrast);
        // Chaotic, not a number, or beyond the top: 255; below 0: 0.
        const M saturated = hn::Or(hn::Not(hn::Le(exponent, zero)),
                                   hn::Not(hn::Lt(v, top)));
        const V graded = hn::IfThenElseZero(hn::Ge(v, zero), hn::Trunc(v));
        hn::Store(hn::IfThenElse(saturated, top, graded), d, values + i);
    }
}

const char* TargetName()
{
    return hwy::TargetName(HWY_TARGET);
}

}  // namespace HWY_NAMESPACE
}  // namespace lyapfast
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace lyapfast {

HWY_EXPORT(OrbitGroup);
HWY_EXPORT(ColourValues);
HWY_EXPORT(TargetName);

namespace {

constexpr double kNoBound = 1e6;

// W: 2^W bounds the growth of |P| (and of |S|) over any run of consecutive
// steps within one block of the group, product rounding included; kNoBound
// when the group's orbits are not known to stay in [0, 1].
double GrowthExponent(const LyapGroupInput& in, const double* a)
{
    const bool usesB = LyapBStepCount(in.sequence, in.sequence.length) > 0;
    if (!(in.x0 >= 0.0 && in.x0 <= 1.0 && std::isfinite(in.center) &&
          (!usesB || (in.b >= 0.0 && in.b <= 4.0))))
        return kNoBound;
    bool inRange = true;
    double aMax = 0.0;
    for (std::int32_t i = 0; i < in.count; ++i) {
        inRange &= (a[i] >= 0.0) & (a[i] <= 4.0);
        aMax = std::max(aMax, a[i]);
    }
    if (!inRange)
        return kNoBound;
    // |fl(c - x)| <= cb for x in [0, 1]; the slack covers the rounding of
    // the factor and of the product, and of this very computation.
    const double cb = std::max(std::fabs(in.center), std::fabs(in.center - 1.0));
    constexpr double kStepSlack = 1.0 + 0x1p-50;
    const double growA = cb * aMax * kStepSlack;
    const double growB = usesB ? cb * kStepSlack : 0.0;
    double growth = std::max(1.0, growB) * std::max(1.0, growA);
    if (LyapIsAlternating(in.sequence)) {
        // A run inside a block: maybe a b-step, pairs (a, b), maybe an a-step
        // (after an odd settling, the same with a and b swapped).
        const double growPair = std::max(1.0, growA * growB);
        for (std::int64_t p = 0; p < kStepsPerBlock / 2; ++p)
            growth *= growPair;
    } else {
        // Any other run: at most a block of steps, each bounded on its own.
        const double growStep = std::max({1.0, growA, growB});
        for (std::int64_t p = 1; p < kStepsPerBlock; ++p)
            growth *= growStep;
    }
    growth *= 1.0 + 0x1p-40;
    if (!(growth < 0x1p900))
        return kNoBound;
    int e = 0;
    const double m = std::frexp(growth, &e);  // growth = m 2^e, m in [0.5, 1)
    return m == 0.5 ? e - 1 : e;
}

// Smallest c with 2^c >= n, for n >= 1.
int CeilLog2(std::int64_t n)
{
    int c = 0;
    while ((std::int64_t{1} << c) < n)
        ++c;
    return c;
}

enum class LanePath { Exact, Rescaled, BelowFloor, Fallback };

// What way 3 needs to know of the group: the floor's binary exponent e
// (fLogFloor >= 2^(e-1)), ceil(log2 N) and W.
struct FloorProof {
    bool possible;
    double floorExponent;
    double log2Steps;
    double w;
};

FloorProof MakeFloorProof(double logFloor, std::int32_t steps, double w)
{
    int e = 0;
    const bool usable = logFloor > 0.0 && std::isfinite(logFloor);
    if (usable)
        std::frexp(logFloor, &e);
    return FloorProof{usable, static_cast<double>(e),
                      static_cast<double>(CeilLog2(steps)), w};
}

// Way 3's bound (see the top), with both terms at most 2^(e-2):
// l_N + 1 <= e - 3, and -1075 + ceil(log2 N) + W + 1 + (l_N - lmin) <= e - 3.
bool ProvenBelowFloor(const FloorProof& f, double last, double lowest)
{
    return f.possible && last <= f.floorExponent - 4.0 &&
           f.log2Steps + f.w + (last - lowest) <= f.floorExponent + 1071.0;
}

// How lane i's plain product can be had (the four ways at the top).
LanePath ChoosePath(const LaneResults& r, std::int32_t i, const FloorProof& f)
{
    if (r.offset[i] == kExponentBias)
        return LanePath::Exact;
    if (r.bad[i] != 0.0)
        return LanePath::Fallback;
    if (r.sub[i] == 0.0)
        return LanePath::Rescaled;
    return ProvenBelowFloor(f, r.last[i], r.lowest[i]) ? LanePath::BelowFloor
                                                       : LanePath::Fallback;
}

// P rebuilt from S and its offset 1023 + 500 r: r exact multiplications by
// 2^-500 (each result is at least P, which is normal).
double Unscaled(double s, double offset)
{
    for (double o = offset; o > kExponentBias; o -= kRescaleExponent)
        s *= 1.0 / kRescaleBy;
    return s;
}

// The plain loop from the lane's last exactly known state to the end
// (steps counted from the orbit's start, settling included).
double PlainProductFromSaved(const LaneResults& r, std::int32_t i, double a,
                             const LyapGroupInput& in)
{
    const auto done = static_cast<std::int32_t>(r.savedDone[i]);
    return LyapOrbitProductFrom(a, in.b, in.center, r.savedX[i],
                                Unscaled(r.savedProduct[i], r.savedOffset[i]),
                                in.sequence, in.settle + done, in.settle + in.terms.iterations);
}

void Count(LanePath path, LyapPathCounts* counts)
{
    if (counts == nullptr)
        return;
    switch (path) {
    case LanePath::Exact: ++counts->exact; break;
    case LanePath::Rescaled: ++counts->rescaled; break;
    case LanePath::BelowFloor: ++counts->belowFloor; break;
    case LanePath::Fallback: ++counts->fallback; break;
    }
}

// Colour values from `logs`, an aligned buffer of kLyapMaxGroup entries of
// which the first count are used (the rest is overwritten).
void ValuesOfAlignedLogs(double* logs, std::int32_t count,
                         const LyapValueTerms& terms, std::int32_t* values)
{
    std::fill(logs + count, logs + kLyapMaxGroup, 0.0);
    alignas(kVectorAlignment) double valueOfLane[kLyapMaxGroup];
    HWY_DYNAMIC_DISPATCH(ColourValues)(logs, kLyapMaxGroup, terms, valueOfLane);
    for (std::int32_t i = 0; i < count; ++i)
        values[i] = static_cast<std::int32_t>(valueOfLane[i]);
}

// The logarithms of the group's held products (LyapLogOfProduct) into
// logs, an aligned buffer of kLyapMaxGroup entries; there are steps.
void GroupLogs(const LyapGroupInput& in, double* logs, LyapPathCounts* counts)
{
    const std::int32_t steps = in.terms.iterations;
    alignas(kVectorAlignment) double a[kLyapMaxGroup];
    std::copy(in.a, in.a + in.count, a);
    // Lanes past the group compute a copy of its last pixel, to be ignored.
    std::fill(a + in.count, a + kLyapMaxGroup, in.a[in.count - 1]);

    const double w = GrowthExponent(in, a);
    const OrbitSetup setup{in.b, in.x0, in.center, steps, in.settle, in.sequence,
                           LyapIsAlternating(in.sequence), 1.0 + w, -1022.0 + w};
    LaneResults r;
    HWY_DYNAMIC_DISPATCH(OrbitGroup)(a, static_cast<std::size_t>(in.count),
                                     setup, &r);

    const FloorProof proof = MakeFloorProof(in.terms.logFloor, steps, w);
    const double logFloor = in.terms.logFloor;
    std::optional<double> logOfFloor;
    for (std::int32_t i = 0; i < in.count; ++i) {
        const LanePath path = ChoosePath(r, i, proof);
        Count(path, counts);
        switch (path) {
        case LanePath::Exact:
            logs[i] = LyapLogOfProduct(r.product[i], logFloor);
            break;
        case LanePath::Rescaled:
            logs[i] = LyapLogOfProduct(Unscaled(r.product[i], r.offset[i]),
                                       logFloor);
            break;
        case LanePath::BelowFloor:
            if (!logOfFloor)
                logOfFloor = LyapLogOfProduct(0.0, logFloor);
            logs[i] = *logOfFloor;
            break;
        case LanePath::Fallback:
            logs[i] = LyapLogOfProduct(PlainProductFromSaved(r, i, a[i], in),
                                       logFloor);
            break;
        }
    }
}

// The group's outputs made by fromLogs(aligned logs, out); with no steps,
// no exponent: the plain kernel's 0 (as colour value and as exponent).
template <typename Value, typename FromLogs>
void GroupOutputs(const LyapGroupInput& in, Value* out, LyapPathCounts* counts, FromLogs fromLogs)
{
    if (in.terms.iterations <= 0) {
        std::fill(out, out + in.count, Value{0});
        if (counts != nullptr)
            counts->exact += in.count;
        return;
    }
    alignas(kVectorAlignment) double logs[kLyapMaxGroup];
    GroupLogs(in, logs, counts);
    fromLogs(logs, out);
}

}  // namespace
}  // namespace lyapfast

void LyapFastGroupValues(const LyapGroupInput& in, std::int32_t* values,
                         LyapPathCounts* counts)
{
    lyapfast::GroupOutputs(in, values, counts, [&in](double* logs, std::int32_t* out) {
        lyapfast::ValuesOfAlignedLogs(logs, in.count, in.terms, out);
    });
}

void LyapFastGroupExponents(const LyapGroupInput& in, double* exponents,
                            LyapPathCounts* counts)
{
    lyapfast::GroupOutputs(in, exponents, counts, [&in](const double* logs, double* out) {
        for (std::int32_t i = 0; i < in.count; ++i)
            out[i] = LyapExponentOfLog(logs[i], in.terms);
    });
}

void LyapColourValuesOfLogs(const double* logs, std::int32_t count,
                            const LyapValueTerms& terms, std::int32_t* values)
{
    alignas(lyapfast::kVectorAlignment) double aligned[kLyapMaxGroup];
    std::copy(logs, logs + count, aligned);
    lyapfast::ValuesOfAlignedLogs(aligned, count, terms, values);
}

std::vector<std::int64_t> LyapFastKernelTargets()
{
    return hwy::SupportedAndGeneratedTargets();
}

const char* LyapFastKernelTargetName()
{
    return HWY_DYNAMIC_DISPATCH(lyapfast::TargetName)();
}
#endif  // HWY_ONCE
