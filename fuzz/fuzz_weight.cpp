// Feeds arbitrary bytes, read as UTF-16 code units (lone surrogates and NULs
// included), through readWeight, computeAdjusted and formatWeight, and checks
// what comes out, not just that nothing crashes. The first newline splits the
// real from the ideal weight's text.
#include "runtimeerror.h"
#include "weight.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

void check(bool holds, const char* property, const QString& detail)
{
    if (!holds) {
        std::fprintf(stderr, "%s: %s\n", property, qPrintable(detail.left(200)));
        std::abort();
    }
}

// The finite weight a step gives, or nothing where it overflows; no other
// error may escape.
template <typename Step> std::optional<double> weight(Step step, const QString& detail)
{
    try {
        const double value = step();
        check(std::isfinite(value), "finite", detail);
        return value;
    } catch (const RunTimeError& error) {
        check(error.number() == RunTimeError::Overflow, "only overflow", error.message());
        return std::nullopt;
    }
}

// The written text reads back as the weight rounded to 15 significant digits,
// which next to the largest double lies beyond the range.
void checkWritten(double value)
{
    const QString text = formatWeight(value, QLocale::c());
    const auto back = weight([&] { return readWeight(text); }, text);
    check(back ? std::fabs(*back - value) <= 6e-15 * std::fabs(value)
               : std::fabs(value) > 1.797e308,
          "reads back", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size / 2 * 2);
    const QString realText = text.section('\n', 0, 0), idealText = text.section('\n', 1);
    const auto real = weight([&] { return readWeight(realText); }, realText);
    const auto ideal = weight([&] { return readWeight(idealText); }, idealText);
    if (!real || !ideal)
        return 0;
    checkWritten(*real);
    checkWritten(*ideal);
    if (const auto adjusted = weight([&] { return computeAdjusted(*real, *ideal); }, text)) {
        check(*adjusted >= *ideal, "never below the ideal", text);
        checkWritten(*adjusted);
    }
    return 0;
}
