// The calculator's evaluation, number text and keyboard map.
#include "accessories/calcengine.h"

#include <QRegularExpression>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace calc {

QString formatGeneral(long double value, int significant)
{
    if (value == 0.0L || std::isnan(value) || std::isinf(value))
        return QStringLiteral("0");
    // "%.*Le" gives d.ddd…e±x; the separator it uses depends on the C
    // locale, so only its digits and exponent are read.
    char buf[128];
    std::snprintf(buf, sizeof buf, "%.*Le", significant - 1, value);
    QString digits;
    bool negative = false;
    int exponent = 0;
    const char *p = buf;
    if (*p == '-') {
        negative = true;
        ++p;
    }
    for (; *p && *p != 'e' && *p != 'E'; ++p)
        if (*p >= '0' && *p <= '9')
            digits.append(QLatin1Char(*p));
    if (*p)
        exponent = std::atoi(p + 1);
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

// The value rounded to `digits` significant decimal digits.
long double roundToDigits(long double value, int digits)
{
    const std::optional<long double> back = calc::parseNumber(calc::formatGeneral(value, digits));
    return back ? *back : value;
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
}

void CalcEngine::comma()
{
    // Neither a new entry nor a second comma is looked at.
    m_display.append(QLatin1Char(','));
}

QString CalcEngine::readDisplay(Real48 *out) const
{
    const std::optional<long double> value = calc::parseNumber(m_display);
    if (!value)
        return conversionError(m_display);
    if (!Real48::fromExtended(*value, out))
        return overflow();
    return {};
}

QString CalcEngine::evaluate()
{
    if (!m_accumulatorSet) {
        // The first number: one that cannot be taken is dropped silently.
        Real48 first;
        if (!readDisplay(&first).isEmpty()) {
            m_display.clear();
            return {};
        }
        m_accumulator = first;
        m_accumulatorSet = true;
        m_newEntry = true;
        return {};
    }
    const QString error = readDisplay(&m_operand);
    if (!error.isEmpty())
        return error;
    const long double a = m_accumulator.toExtended();
    const long double b = m_operand.toExtended();
    long double result = a;
    switch (m_pending) {
    case '+': result = a + b; break;
    case '-': result = a - b; break;
    case '*': result = a * b; break;
    case '/':
        if (b == 0.0L)
            return a == 0.0L ? invalidOperation() : divisionByZero();
        result = a / b;
        break;
    default: break;
    }
    Real48 stored;
    if (!Real48::fromExtended(result, &stored))
        return overflow();
    m_accumulator = stored;
    m_display = calc::formatGeneral(roundToDigits(m_accumulator.toExtended(), kResultDigits));
    m_newEntry = true;
    return {};
}

QString CalcEngine::operation(char op)
{
    const QString error = evaluate();
    if (error.isEmpty())
        m_pending = op;
    return error;
}

QString CalcEngine::showUnary(long double result)
{
    Real48 stored;
    if (!Real48::fromExtended(result, &stored))
        return overflow();
    m_display = calc::formatGeneral(result);
    m_accumulator = stored;
    m_accumulatorSet = true;
    m_newEntry = true;
    return {};
}

QString CalcEngine::reciprocal()
{
    const QString error = readDisplay(&m_operand);
    if (!error.isEmpty())
        return error;
    const long double b = m_operand.toExtended();
    if (b == 0.0L)
        return divisionByZero();
    return showUnary(1.0L / b);
}

QString CalcEngine::squareRoot()
{
    const QString error = readDisplay(&m_operand);
    if (!error.isEmpty())
        return error;
    const long double b = m_operand.toExtended();
    if (b < 0.0L)
        return invalidOperation();
    return showUnary(std::sqrt(b));
}

void CalcEngine::clear()
{
    m_display.clear();
    m_accumulator = Real48();
    m_operand = Real48();
    m_accumulatorSet = false;
    m_pending = 0;
}
