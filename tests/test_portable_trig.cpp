#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "core/portable_trig.h"
#include "tests/xorshift.h"

namespace {

// Against MPFR's correctly rounded atan and asin: never a unit in the last
// place off, correctly rounded in at least 99.9 % of the arguments, over the
// whole range served (the slopes of the programs lie in 0.05 to 0.1).
TEST(PortableTrig, AccurateAgainstMpfr) {
    mpfr_t x, exact;
    mpfr_inits2(256, x, exact, static_cast<mpfr_ptr>(nullptr));
    Xorshift random;
    auto unit = [&random] { return random.unit(); };
    const struct {
        const char* name;
        double (*ours)(double);
        int (*reference)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
    } functions[] = {{"atan", portableAtan, mpfr_atan}, {"asin", portableAsin, mpfr_asin}};
    for (const auto& f : functions) {
        SCOPED_TRACE(f.name);
        long correctlyRounded = 0, beyondOneUlp = 0;
        double worst = 0.0;
        const long samples = 300000;
        for (long i = 0; i < samples; ++i) {
            // half uniform over the range, half over every binade down to 2^-30
            const double a = i % 2 == 0 ? unit() * SMALL_ANGLE_MAX : SMALL_ANGLE_MAX * std::exp2(-30.0 * unit());
            const double arg = i % 4 < 2 ? a : -a;
            const double got = f.ours(arg);
            mpfr_set_d(x, arg, MPFR_RNDN);
            f.reference(exact, x, MPFR_RNDN);
            const double rounded = mpfr_get_d(exact, MPFR_RNDN);
            correctlyRounded += got == rounded;
            const double ulp = std::nextafter(std::fabs(rounded), INFINITY) - std::fabs(rounded);
            mpfr_sub_d(exact, exact, got, MPFR_RNDN);
            const double error = std::fabs(mpfr_get_d(exact, MPFR_RNDN)) / ulp;
            worst = error > worst ? error : worst;
            if (error >= 1.0 && ++beyondOneUlp <= 5) ADD_FAILURE() << arg << ": " << error << " ulp";
        }
        std::printf("%s: %ld samples, %.4f %% correctly rounded, largest error %.3f ulp\n", f.name, samples,
                    100.0 * correctlyRounded / samples, worst);
        EXPECT_GE(correctlyRounded, samples * 999 / 1000);
    }
    mpfr_clears(x, exact, static_cast<mpfr_ptr>(nullptr));
}

TEST(PortableTrig, ExactCasesAndTheEdgesOfTheRange) {
    EXPECT_EQ(portableAtan(0.0), 0.0);
    EXPECT_EQ(portableAsin(0.0), 0.0);
    EXPECT_TRUE(std::signbit(portableAtan(-0.0)));
    EXPECT_EQ(portableAtan(-0.1), -portableAtan(0.1));  // odd functions
    EXPECT_EQ(portableAsin(-0.1), -portableAsin(0.1));
    EXPECT_FALSE(std::isnan(portableAtan(SMALL_ANGLE_MAX)));
    for (double outside : {std::nextafter(SMALL_ANGLE_MAX, 1.0), -0.2, 1.0, double(INFINITY), double(NAN)}) {
        SCOPED_TRACE(outside);
        EXPECT_TRUE(std::isnan(portableAtan(outside)));
        EXPECT_TRUE(std::isnan(portableAsin(outside)));
    }
}

}  // namespace
