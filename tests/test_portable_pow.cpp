#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "core/approximate_pow.h"
#include "core/portable_pow.h"
#include "tests/xorshift.h"

namespace {

constexpr double INF = std::numeric_limits<double>::infinity();

TEST(PortablePow, ExactCases) {
    const struct {
        double x, y, expected;
    } cases[] = {
        {7.5, 0.0, 1.0},     {7.5, 1.0, 7.5},        {3.0, 5.0, 243.0},   {2.0, -3.0, 0.125},
        {10.0, 2.0, 100.0},  {2.25, 0.5, 1.5},       {0.0, 0.4, 0.0},     {0.0, -1.0, INF},
        {INF, 0.52, INF},    {INF, -2.0, 0.0},       {1.0, INF, 1.0},     {-2.0, 3.0, -8.0},
        {1e300, 2.0, INF},   {1e-300, 2.0, 0.0},     {4.0, 1.5, 8.0},     {1024.0, 0.1, 2.0},
        {0x1p-1074, 1.0, 0x1p-1074}, {0x1p-1074, 0.5, 0x1p-537}, {0x1p1023, 1.0, 0x1p1023},
        {2.0, 1023.0, 0x1p1023}, {2.0, 1024.0, INF},  {2.0, -1074.0, 0x1p-1074}, {2.0, -1075.0, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << " ^ " << c.y);
        EXPECT_EQ(portablePow(c.x, c.y), c.expected);
    }
}

// The special values as C's pow gives them.
TEST(PortablePow, SpecialValuesAsCsPow) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double values[] = {0.0, -0.0, 1.0, -1.0, 0.5, -0.5, 2.0, -2.0, 3.0, -3.0, 0.4, -0.4, 0.52,
                             1e-310, -1e-310, 1e308, INF, -INF, nan, 9007199254740993.0, -9007199254740993.0};
    for (double x : values) {
        for (double y : values) {
            SCOPED_TRACE(testing::Message() << x << " ^ " << y);
            const double expected = std::pow(x, y);
            const double got = portablePow(x, y);
            if (std::isnan(expected)) {
                EXPECT_TRUE(std::isnan(got)) << got;
            } else {
                // exact for these cases, with the sign of a zero or an infinity
                EXPECT_EQ(got, expected);
                EXPECT_EQ(std::signbit(got), std::signbit(expected));
            }
        }
    }
}

// Against MPFR: the correctly rounded power, and the error of each result in
// units in the last place of the exact value.
class MpfrReference {
public:
    MpfrReference() {
        mpfr_inits2(53, rounded_, xm_, ym_, static_cast<mpfr_ptr>(nullptr));
        mpfr_inits2(256, exact_, diff_, xe_, ye_, static_cast<mpfr_ptr>(nullptr));
    }
    ~MpfrReference() { mpfr_clears(rounded_, xm_, ym_, exact_, diff_, xe_, ye_, static_cast<mpfr_ptr>(nullptr)); }

    double correctlyRounded(double x, double y) {
        const mpfr_exp_t emin = mpfr_get_emin(), emax = mpfr_get_emax();
        mpfr_set_emin(-1073);  // the range of doubles, subnormals included
        mpfr_set_emax(1024);
        mpfr_set_d(xm_, x, MPFR_RNDN);
        mpfr_set_d(ym_, y, MPFR_RNDN);
        const int inexact = mpfr_pow(rounded_, xm_, ym_, MPFR_RNDN);
        mpfr_subnormalize(rounded_, inexact, MPFR_RNDN);
        const double result = mpfr_get_d(rounded_, MPFR_RNDN);
        mpfr_set_emin(emin);
        mpfr_set_emax(emax);
        return result;
    }

    // |got - x^y| in units of the last place of a double at x^y.
    double ulpError(double got, double x, double y) {
        mpfr_set_d(xe_, x, MPFR_RNDN);
        mpfr_set_d(ye_, y, MPFR_RNDN);
        mpfr_pow(exact_, xe_, ye_, MPFR_RNDN);
        mpfr_sub_d(diff_, exact_, got, MPFR_RNDN);
        long exponent = 0;
        mpfr_get_d_2exp(&exponent, exact_, MPFR_RNDN);  // exact = f 2^exponent, 0.5 <= |f| < 1
        const long ulpExponent = exponent - 53 < -1074 ? -1074 : exponent - 53;
        mpfr_mul_2si(diff_, diff_, -ulpExponent, MPFR_RNDN);
        return std::fabs(mpfr_get_d(diff_, MPFR_RNDN));
    }

private:
    mpfr_t rounded_, xm_, ym_, exact_, diff_, xe_, ye_;
};


// Samples: POW_SAMPLES from the environment, 400,000 by default.
long sampleCount() {
    const char* text = std::getenv("POW_SAMPLES");
    return text != nullptr ? std::atol(text) : 400000;
}

TEST(PortablePow, AccurateAgainstMpfr) {
    // Every other sample raises to one of the exponents of the hydraulic
    // relations, the others to a general exponent in [-10, 10]. Half the
    // bases are any positive finite double (a random bit pattern: every
    // binade equally often, subnormals included), half lie between 1e-6
    // and 1e6, where the programs' radii, widths and discharges lie.
    const double exponents[] = {0.666666666666, 0.33333333333, 1.33333333333333, 0.6666666666, 0.52, 0.4};
    MpfrReference mpfr;
    Xorshift random;
    const long samples = sampleCount();
    long finite = 0, correctlyRounded = 0, beyondOneUlp = 0;
    double worst = 0.0, worstX = 0.0, worstY = 0.0;
    for (long i = 0; i < samples; ++i) {
        double x;
        if (i % 4 < 2) {
            x = std::bit_cast<double>(random.bits() % 0x7FEFFFFFFFFFFFFFu + 1);
        } else {
            x = std::exp((random.unit() * 2.0 - 1.0) * 13.815510557964274);
        }
        const double y = i % 2 == 0 ? exponents[(i / 2) % 6] : random.unit() * 20.0 - 10.0;
        const double got = portablePow(x, y);
        const double expected = mpfr.correctlyRounded(x, y);
        if (expected == 0.0 || std::isinf(expected)) {
            // beyond the range: overflow to inf or underflow to 0 (or the
            // smallest subnormal, for a result just above its half)
            if (!(got == expected || std::fabs(got - expected) <= 0x1p-1074)) ADD_FAILURE() << x << " ^ " << y;
            continue;
        }
        ++finite;
        correctlyRounded += got == expected;
        const double error = mpfr.ulpError(got, x, y);
        if (error > worst) {
            worst = error;
            worstX = x;
            worstY = y;
        }
        if (error >= 1.0 && ++beyondOneUlp <= 5) ADD_FAILURE() << x << " ^ " << y << ": " << error << " ulp";
    }
    const double share = static_cast<double>(correctlyRounded) / static_cast<double>(finite);
    std::printf("%ld samples, %ld with a finite nonzero result: %.5f %% correctly rounded, largest error %.4f ulp "
                "(%.17g ^ %.17g)\n",
                samples, finite, 100.0 * share, worst, worstX, worstY);
    EXPECT_EQ(beyondOneUlp, 0);
    EXPECT_GE(share, 0.999);
}

// The quick and the rough power stay inside their error bounds, measured
// against MPFR, and say NaN where they do not serve.
TEST(ApproximatePow, WithinTheirBounds) {
    const double exponents[] = {0.666666666666, 0.33333333333, 1.33333333333333, 0.6666666666, 0.52, 0.4};
    const struct {
        const char* name;
        double (*power)(double, double);
        double bound;
    } powers[] = {{"approximatePow", approximatePow, APPROXIMATE_POW_ERROR}, {"roughPow", roughPow, ROUGH_POW_ERROR}};
    mpfr_t xm, ym, exact, diff;
    mpfr_inits2(256, xm, ym, exact, diff, static_cast<mpfr_ptr>(nullptr));
    for (const auto& f : powers) {
        SCOPED_TRACE(f.name);
        Xorshift random;
        double worstShare = 0.0;
        int served = 0;
        for (int i = 0; i < 200000; ++i) {
            const double x = i % 2 == 0 ? std::exp((random.unit() * 2.0 - 1.0) * 13.8)
                                        : std::exp((random.unit() * 2.0 - 1.0) * 700.0);
            const double y = i % 4 < 2 ? exponents[(i / 4) % 6] : random.unit() * 32.0 - 16.0;
            const double got = f.power(x, y);
            if (std::isnan(got)) continue;
            ++served;
            mpfr_set_d(xm, x, MPFR_RNDN);
            mpfr_set_d(ym, y, MPFR_RNDN);
            mpfr_pow(exact, xm, ym, MPFR_RNDN);
            mpfr_sub_d(diff, exact, got, MPFR_RNDN);
            mpfr_div(diff, diff, exact, MPFR_RNDN);
            // against portablePow too, which lies within an ulp of the exact value
            const double relative = std::fabs(mpfr_get_d(diff, MPFR_RNDN)) + 0x1p-52;
            worstShare = relative / f.bound > worstShare ? relative / f.bound : worstShare;
            if (!(relative <= f.bound)) {
                ADD_FAILURE() << x << " ^ " << y << ": error " << relative << " above the bound " << f.bound;
                break;
            }
        }
        std::printf("%s: %d of 200000 served, largest error %.3f of its bound\n", f.name, served, worstShare);
        EXPECT_GT(served, 150000);
        for (double x : {0.0, -1.0, 0x1p-1074, INF, std::numeric_limits<double>::quiet_NaN()}) {
            EXPECT_TRUE(std::isnan(f.power(x, 1.5))) << x;
        }
        EXPECT_TRUE(std::isnan(f.power(2.0, 17.0)));
        EXPECT_TRUE(std::isnan(f.power(1e300, 3.0)));
    }
    mpfr_clears(xm, ym, exact, diff, static_cast<mpfr_ptr>(nullptr));
}

}  // namespace
