#include "weight.h"

#include "numbertext.h"
#include "runtimeerror.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace {

constexpr double kFactor = 0.4;
static_assert(std::bit_cast<std::uint64_t>(kFactor) == 0x3FD999999999999A);

// Each step of the formula is rounded to double; one that leaves the range of
// a double is an overflow, not an infinity.
double checked(double step)
{
    if (!std::isfinite(step))
        throw RunTimeError::overflow();
    return step;
}

} // namespace

double readWeight(QStringView text)
{
    return valFromText(text);
}

double computeAdjusted(double real, double ideal)
{
    // Weights come from readWeight and are never NaN, so exactly one case applies.
    const double difference = checked(real - ideal);
    const double share = checked(difference * kFactor);
    if (real >= ideal)
        return checked(ideal + share);
    return checked(ideal - share);
}

QString formatWeight(double weight, const QLocale& locale)
{
    return textFromDouble(weight, locale);
}
