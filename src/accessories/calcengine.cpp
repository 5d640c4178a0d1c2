// The calculator's evaluation, number text and keyboard map.
#include "accessories/calcengine.h"

#include <QRegularExpression>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace calc {

namespace {

// A decimal d.ddd… × 10^exponent in the general format; digits holds the
// significant digits without the point, at most 15 of them.
QString formatDigits(bool negative, QString digits, int exponent)
{
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);
    QString out = negative ? QStringLiteral("-") : QString();
    if (exponent + 1 <= 15 && exponent >= -5) {
        if (exponent >= 0) {
            const qsizetype whole = exponent + 1;
            if (digits.size() <= whole) {
                out += digits + QString(whole - digits.size(), QLatin1Char('0'));
            } else {
                out += digits.left(whole) + QLatin1Char(',') + digits.mid(whole);
            }
        } else {
            out += QStringLiteral("0,") + QString(-exponent - 1, QLatin1Char('0')) + digits;
        }
    } else {
        out += digits.left(1);
        if (digits.size() > 1)
            out += QLatin1Char(',') + digits.mid(1);
        out += QLatin1Char('E') + QString::number(exponent);
    }
    return out;
}

// The value rounded to `significant` digits: its digits and decimal exponent.
void nearestDigits(long double value, int significant, QString *digits, int *exponent)
{
    // "%.*Le" gives d.ddd…e±x; the separator it uses depends on the C
    // locale, so only its digits and exponent are read.
    char buf[128];
    std::snprintf(buf, sizeof buf, "%.*Le", significant - 1, std::fabs(value));
    digits->clear();
    const char *p = buf;
    for (; *p && *p != 'e' && *p != 'E'; ++p)
        if (*p >= '0' && *p <= '9')
            digits->append(QLatin1Char(*p));
    *exponent = *p ? std::atoi(p + 1) : 0;
}

} // namespace

QString formatGeneral(long double value, int significant)
{
    if (value == 0.0L || std::isnan(value) || std::isinf(value))
        return QStringLiteral("0");
    QString digits;
    int exponent = 0;
    nearestDigits(value, significant, &digits, &exponent);
    return formatDigits(value < 0, digits, exponent);
}

QString shortestText(const Real48 &value, long double spread)
{
    const long double x = value.toExtended();
    if (value.isZero() || spread >= std::fabs(x))
        return QStringLiteral("0");
    const auto fits = [&](const QString &text) {
        const std::optional<long double> back = parseNumber(text);
        if (!back)
            return false;
        Real48 stored;
        return std::fabs(*back - x) <= spread || (Real48::fromExtended(*back, &stored) && stored == value);
    };
    for (int n = 1; n < 15; ++n) {
        QString digits;
        int exponent = 0;
        nearestDigits(x, n, &digits, &exponent);
        const QString nearest = formatDigits(x < 0, digits, exponent);
        if (fits(nearest))
            return nearest;
        // Just above a power of two the 48-bit value's lower neighbour is
        // nearer than its upper one, so the decimal one step further from
        // zero may read back where the nearest does not.
        const long double shown = std::fabs(*parseNumber(nearest));
        const long long step = shown < std::fabs(x) ? 1 : -1;
        const QString other = QString::number(digits.toLongLong() + step);
        const QString next = formatDigits(x < 0, other, exponent + int(other.size() - digits.size()));
        if (fits(next))
            return next;
    }
    return formatGeneral(x);
}

std::optional<long double> parseNumber(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral(R"(^\s*([+-]?)(\d*)(?:[,.](\d*))?(?:[eE]([+-]?\d+))?\s*$)"));
    const QRegularExpressionMatch m = number.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QString whole = m.captured(2);
    const QString fraction = m.captured(3);
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    const QByteArray plain = (whole.isEmpty() ? QStringLiteral("0") : whole).toLatin1() + '.' +
                             (fraction.isEmpty() ? QStringLiteral("0") : fraction).toLatin1() + 'e' +
                             (m.captured(4).isEmpty() ? QStringLiteral("0") : m.captured(4)).toLatin1();
    long double value = 0;
    const auto [end, ec] = std::from_chars(plain.constData(), plain.constData() + plain.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Beyond the extended range: the leading digit's decimal exponent
        // tells an overflow from an underflow.
        const QString significant = whole + fraction;
        const qsizetype first = significant.indexOf(QRegularExpression(QStringLiteral("[1-9]")));
        bool exponentOk = false;
        long long exponent = m.captured(4).toLongLong(&exponentOk);
        if (!exponentOk)
            exponent =
                m.captured(4).startsWith(QLatin1Char('-')) ? -1'000'000'000'000LL : 1'000'000'000'000LL;
        exponent = std::clamp(exponent, -1'000'000'000'000LL, 1'000'000'000'000LL);
        const long long lead = static_cast<long long>(whole.size()) - 1 - first;
        value = (first >= 0 && lead + exponent > 0) ? HUGE_VALL : 0.0L;
    } else if (ec != std::errc() || end != plain.constData() + plain.size()) {
        return std::nullopt;
    }
    return m.captured(1) == QLatin1String("-") ? -value : value;
}

} // namespace calc

namespace {

QString conversionError(const QString &text)
{
    return QStringLiteral("'%1' n'est pas une valeur flottante correcte").arg(text);
}
QString divisionByZero()
{
    return QStringLiteral("Division flottante par zéro");
}
QString invalidOperation()
{
    return QStringLiteral("Opération flottante incorrecte");
}
QString overflow()
{
    return QStringLiteral("Débordement flottant");
}

} // namespace

CalcEngine::Key CalcEngine::keyForChar(quint8 code)
{
    if (code >= '0' && code <= '9')
        return static_cast<Key>(static_cast<int>(Key::Digit0) + (code - '0'));
    switch (code) {
    case 27: return Key::Close;
    case ',':
    case '.': return Key::Comma;
    case '+': return Key::Plus;
    case '-': return Key::Minus;
    case '*': return Key::Times;
    case '/': return Key::Divide;
    case '=': return Key::Equals;
    case 'C':
    case 'c': return Key::Clear;
    case 'S':
    case 's': return Key::SquareRoot;
    case 'X':
    case 'x': return Key::Reciprocal;
    default: return Key::None;
    }
}

QString CalcEngine::press(Key key)
{
    if (key >= Key::Digit0 && key <= Key::Digit9) {
        digit(static_cast<int>(key) - static_cast<int>(Key::Digit0));
        return {};
    }
    switch (key) {
    case Key::Comma: comma(); return {};
    case Key::Equals: return evaluate();
    case Key::Plus: return operation('+');
    case Key::Minus: return operation('-');
    case Key::Times: return operation('*');
    case Key::Divide: return operation('/');
    case Key::Reciprocal: return reciprocal();
    case Key::SquareRoot: return squareRoot();
    case Key::Clear: clear(); return {};
    default: return {};
    }
}

void CalcEngine::digit(int d)
{
    if (m_newEntry)
        m_display.clear();
    m_display.append(QChar(u'0' + d));
    m_newEntry = false;
    m_shownText.clear(); // a number typed is read as typed, even if it looks the same
}

void CalcEngine::comma()
{
    // Neither a new entry nor a second comma is looked at.
    m_display.append(QLatin1Char(','));
    m_shownText.clear();
}

namespace {

// Half a unit in the last place of a 48-bit value: how far the decimal that
// was typed may lie from the value it was stored as.
long double halfUnit(const Real48 &value)
{
    if (value.isZero())
        return 0.0L;
    return std::ldexp(1.0L, value.exponent() - Real48::kBias - Real48::kFractionBits - 1);
}

} // namespace

QString CalcEngine::readDisplay(Real48 *out, long double *uncertainty) const
{
    // A result still on the display is taken back as the value it stands
    // for, not as the decimal shown.
    if (!m_shownText.isEmpty() && m_display == m_shownText) {
        *out = m_shownValue;
        *uncertainty = m_shownUncertainty;
        return {};
    }
    const std::optional<long double> value = calc::parseNumber(m_display);
    if (!value)
        return conversionError(m_display);
    if (!Real48::fromExtended(*value, out))
        return overflow();
    // The typed decimal lies this near the stored value (its extended
    // reading is within half a unit of its 64-bit significand).
    *uncertainty = std::fabs(out->toExtended() - *value) + std::ldexp(std::fabs(*value), -63);
    return {};
}

void CalcEngine::show(const QString &text, long double uncertainty)
{
    m_display = text;
    m_shownText = text;
    m_shownValue = m_accumulator;
    m_shownUncertainty = uncertainty;
    m_accUncertainty = uncertainty;
    m_newEntry = true;
}

QString CalcEngine::evaluate()
{
    if (!m_accumulatorSet) {
        // The first number: one that cannot be taken is dropped silently.
        Real48 first;
        long double uncertainty = 0;
        if (!readDisplay(&first, &uncertainty).isEmpty()) {
            m_display.clear();
            return {};
        }
        m_accumulator = first;
        m_accUncertainty = uncertainty;
        m_accumulatorSet = true;
        m_newEntry = true;
        return {};
    }
    long double eb = 0;
    const QString error = readDisplay(&m_operand, &eb);
    if (!error.isEmpty())
        return error;
    const long double a = m_accumulator.toExtended();
    const long double b = m_operand.toExtended();
    const long double ea = m_accUncertainty;
    long double result = a;
    // How far the exact result of the decimals typed may lie from `result`.
    long double spread = ea;
    switch (m_pending) {
    case '+':
        result = a + b;
        spread = ea + eb;
        break;
    case '-':
        result = a - b;
        spread = ea + eb;
        break;
    case '*':
        result = a * b;
        spread = std::fabs(a) * eb + std::fabs(b) * ea + ea * eb;
        break;
    case '/':
        if (b == 0.0L)
            return a == 0.0L ? invalidOperation() : divisionByZero();
        result = a / b;
        spread = std::fabs(b) > eb ? (ea + std::fabs(result) * eb) / (std::fabs(b) - eb) : HUGE_VALL;
        break;
    default: break;
    }
    Real48 stored;
    if (!Real48::fromExtended(result, &stored))
        return overflow();
    // The stored value's own rounding, and a margin for the extended step.
    spread += std::fabs(stored.toExtended() - result) + std::ldexp(std::fabs(result), -62);
    if (!std::isfinite(spread))
        spread = halfUnit(stored);
    // A result that may be 0 (0,1 + 0,2 − 0,3) is 0, as it is shown: a
    // division by it must not find a hidden residue.
    if (spread >= std::fabs(stored.toExtended()))
        stored = Real48();
    m_accumulator = stored;
    show(calc::shortestText(m_accumulator, spread), spread);
    return {};
}

QString CalcEngine::operation(char op)
{
    const QString error = evaluate();
    if (error.isEmpty())
        m_pending = op;
    return error;
}

QString CalcEngine::showUnary(long double result, long double spread)
{
    Real48 stored;
    if (!Real48::fromExtended(result, &stored))
        return overflow();
    m_accumulator = stored;
    m_accumulatorSet = true;
    spread += std::fabs(stored.toExtended() - result) + std::ldexp(std::fabs(result), -62);
    show(calc::formatGeneral(result), std::isfinite(spread) ? spread : halfUnit(stored));
    return {};
}

QString CalcEngine::reciprocal()
{
    long double eb = 0;
    const QString error = readDisplay(&m_operand, &eb);
    if (!error.isEmpty())
        return error;
    const long double b = m_operand.toExtended();
    if (b == 0.0L)
        return divisionByZero();
    return showUnary(1.0L / b, std::fabs(b) > eb ? eb / (std::fabs(b) * (std::fabs(b) - eb)) : HUGE_VALL);
}

QString CalcEngine::squareRoot()
{
    long double eb = 0;
    const QString error = readDisplay(&m_operand, &eb);
    if (!error.isEmpty())
        return error;
    const long double b = m_operand.toExtended();
    if (b < 0.0L)
        return invalidOperation();
    const long double root = std::sqrt(b);
    return showUnary(root, root > 0.0L ? eb / root : std::sqrt(eb));
}

void CalcEngine::clear()
{
    m_display.clear();
    m_accumulator = Real48();
    m_operand = Real48();
    m_accUncertainty = 0;
    m_shownText.clear();
    m_accumulatorSet = false;
    m_pending = 0;
}
