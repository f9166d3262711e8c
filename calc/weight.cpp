#include "weight.h"

#include "runtimeerror.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

constexpr double kFactor = 0.4;
static_assert(std::bit_cast<std::uint64_t>(kFactor) == 0x3FD999999999999A);

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// More significant digits than any double needs to be rounded correctly; the
// ones beyond are summed up in one sticky digit.
constexpr std::size_t kMaxDigits = 800;

// Exponents are clamped here: far beyond the double range, yet safe to add to
// a count of digits without overflowing.
constexpr std::int64_t kExponentClamp = std::int64_t{1} << 40;

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
    const qsizetype size = text.size();
    qsizetype i = 0;
    auto at = [&](qsizetype k) -> char16_t { return k < size ? text[k].unicode() : u'\0'; };

    while (at(i) == u' ' || at(i) == u'\t')
        ++i;

    bool negative = false;
    if (at(i) == u'+' || at(i) == u'-') {
        negative = at(i) == u'-';
        ++i;
    }

    // The value is 0.<digits> x 10^exponent, with leading zeros dropped. The
    // digits go straight into the text handed to from_chars:
    // "0.<digits>[1]e<exponent>".
    char normal[kMaxDigits + 32] = {'0', '.'};
    std::size_t count = 0;
    bool sticky = false;
    std::int64_t exponent = 0;
    bool sawDigit = false;

    auto take = [&](char16_t c) {
        if (count < kMaxDigits)
            normal[2 + count++] = static_cast<char>(c);
        else if (c != u'0')
            sticky = true;
    };

    for (; isDigit(at(i)); ++i) {
        sawDigit = true;
        if (count == 0 && at(i) == u'0')
            continue;
        take(at(i));
        ++exponent;
    }
    if (at(i) == u'.') {
        for (++i; isDigit(at(i)); ++i) {
            sawDigit = true;
            if (count == 0 && at(i) == u'0')
                --exponent;
            else
                take(at(i));
        }
    }
    if (!sawDigit)
        return 0.0;

    if (at(i) == u'e' || at(i) == u'E') {
        qsizetype j = i + 1;
        bool negativeExponent = false;
        if (at(j) == u'+' || at(j) == u'-') {
            negativeExponent = at(j) == u'-';
            ++j;
        }
        const qsizetype firstDigit = j;
        std::int64_t written = 0;
        for (; isDigit(at(j)); ++j)
            written = std::min(written * 10 + (at(j) - u'0'), kExponentClamp);
        // Without a digit the 'e' is not part of the number.
        if (j > firstDigit)
            exponent += negativeExponent ? -written : written;
    }

    const double zero = negative ? -0.0 : 0.0;
    if (count == 0)
        return zero;
    // 0.1e310 is beyond the largest double; 0.9e-324 rounds to zero.
    if (exponent > 310)
        throw RunTimeError::overflow();
    if (exponent < -330)
        return zero;

    char* end = normal + 2 + count;
    if (sticky)
        *end++ = '1';
    *end++ = 'e';
    end = std::to_chars(end, normal + sizeof normal, exponent).ptr;

    double value = 0.0;
    const auto parsed = std::from_chars(normal, end, value);
    if (parsed.ec == std::errc::result_out_of_range || !std::isfinite(value)) {
        if (exponent > 0)
            throw RunTimeError::overflow();
        return zero;
    }
    return negative ? -value : value;
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
    QLocale plain = locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    if (weight == 0.0)
        weight = 0.0; // drops the sign of negative zero
    return plain.toString(weight, 'g', 15);
}
