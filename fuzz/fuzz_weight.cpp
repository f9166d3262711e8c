// Feeds arbitrary bytes through readWeight, computeAdjusted and formatWeight
// and checks properties of what comes out, not just that nothing crashes.
//
// Input: the first byte's low bit picks the encoding of the rest, UTF-8 (0)
// or UTF-16 in little-endian order (1), where any code unit is allowed, lone
// surrogates included. The text is split at its first newline into the real
// and the ideal weight's field text.
#include "runtimeerror.h"
#include "weight.h"

#include <QLocale>
#include <QRegularExpression>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

[[noreturn]] void violated(const char* property, const QString& detail)
{
    std::fprintf(stderr, "property violated: %s: %s\n", property, qPrintable(detail));
    std::abort();
}

QString decode(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return {};
    if ((data[0] & 1) == 0)
        return QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    QString text;
    for (std::size_t i = 1; i + 1 < size; i += 2)
        text.append(QChar(char16_t(data[i] | (data[i + 1] << 8))));
    return text;
}

// A weight, or nothing where the text overflows; nothing else may escape.
std::optional<double> read(const QString& text)
{
    try {
        const double weight = readWeight(text);
        if (!std::isfinite(weight))
            violated("readWeight is finite", text.left(80));
        return weight;
    } catch (const RunTimeError& error) {
        if (error.number() != RunTimeError::Overflow)
            violated("readWeight raises only overflow", error.message());
        return std::nullopt;
    }
}

int significantDigits(const QString& text)
{
    const QString mantissa = text.section(QRegularExpression("[eE]"), 0, 0);
    int digits = 0;
    bool leading = true;
    for (QChar c : mantissa) {
        if (!c.isDigit())
            continue;
        if (leading && c == u'0')
            continue;
        leading = false;
        ++digits;
    }
    return digits;
}

// The value rounded to 15 significant digits (ties to even); infinity where
// that leaves the range of a double, as reading it back then overflows.
double roundedTo15(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    const double rounded = std::strtod(text, nullptr);
    return std::isfinite(rounded) ? rounded : HUGE_VAL;
}

// Whether the value's exact decimal expansion has a 5 as 16th significant
// digit and nothing after it.
bool isHalfway(double value)
{
    char digits[64]; // "d.ddd...e+XX" with 40 significant digits
    std::snprintf(digits, sizeof digits, "%.39e", std::fabs(value));
    if (digits[16] != '5')
        return false;
    for (int i = 17; i <= 40; ++i) {
        if (digits[i] != '0')
            return false;
    }
    return true;
}

void checkFormat(double value)
{
    static const QLocale point = QLocale::c();
    static const QLocale italian(QLocale::Italian, QLocale::Italy);

    const QString pointText = formatWeight(value, point);
    const QString italianText = formatWeight(value, italian);
    for (const QString& text : {pointText, italianText}) {
        if (text.contains("nan", Qt::CaseInsensitive) || text.contains("inf", Qt::CaseInsensitive))
            violated("formatWeight writes a number", text);
        if (significantDigits(text) > 15)
            violated("at most 15 significant digits", text);
    }
    // The group separator of each locale is the other's decimal separator.
    if (pointText.contains(u',') || italianText.contains(u'.'))
        violated("no digit grouping", pointText + " / " + italianText);

    // Read back, the text gives the value rounded to 15 significant digits.
    // A value exactly halfway between two 15-digit numbers may round either
    // way (the toolkit rounds such ties away from zero, printf to even); next
    // to the largest double the rounding leaves the range, and reading it
    // back is an overflow.
    const double back = read(pointText).value_or(HUGE_VAL);
    bool asExpected = back == roundedTo15(value);
    if (!asExpected && isHalfway(value))
        asExpected = back == roundedTo15(std::nextafter(value, value > 0 ? HUGE_VAL : -HUGE_VAL));
    if (!asExpected)
        violated("formatWeight reads back",
                 QString("%1 from %2").arg(pointText).arg(value, 0, 'g', 17));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = decode(data, size);
    const qsizetype newline = text.indexOf(u'\n');
    const QString realText = newline < 0 ? text : text.left(newline);
    const QString idealText = newline < 0 ? QString() : text.mid(newline + 1);

    const std::optional<double> real = read(realText);
    const std::optional<double> ideal = read(idealText);
    if (real)
        checkFormat(*real);
    if (!real || !ideal)
        return 0;
    checkFormat(*ideal);

    try {
        const double adjusted = computeAdjusted(*real, *ideal);
        if (!std::isfinite(adjusted))
            violated("computeAdjusted is finite", QString::number(adjusted));
        if (adjusted < *ideal)
            violated("never below the ideal weight",
                     QString("%1 from %2, %3").arg(adjusted).arg(*real).arg(*ideal));
        checkFormat(adjusted);
    } catch (const RunTimeError& error) {
        if (error.number() != RunTimeError::Overflow)
            violated("computeAdjusted raises only overflow", error.message());
    }
    return 0;
}
