// Feeds arbitrary bytes, read as UTF-16 code units (lone surrogates and NULs
// included), through readWeight, computeAdjusted and formatWeight, and checks
// what comes out, not just that nothing crashes: only the overflow error
// escapes, weights are finite, the result never lies below the ideal weight,
// and its text reads back as the result rounded to 15 significant digits.
// The first newline splits the real from the ideal weight's text.
#include "runtimeerror.h"
#include "weight.h"

#include <cmath>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size / 2 * 2);
    try {
        const double real = readWeight(text.section('\n', 0, 0));
        const double ideal = readWeight(text.section('\n', 1));
        const double adjusted = computeAdjusted(real, ideal);
        const QString written = formatWeight(adjusted, QLocale::c());
        if (!std::isfinite(real) || !std::isfinite(ideal) || !std::isfinite(adjusted) ||
            adjusted < ideal ||
            std::fabs(readWeight(written) - adjusted) > 6e-15 * std::fabs(adjusted))
            qFatal("wrong result %s for %s", qPrintable(written), qPrintable(text.left(200)));
    } catch (const RunTimeError& error) {
        if (error.number() != RunTimeError::Overflow)
            qFatal("%s", error.what());
    }
    return 0;
}
