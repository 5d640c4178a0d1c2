// The pocket calculator's state machine, without any widget: an immediate-
// execution calculator whose every operation key first carries out the
// pending operation, with the shown number as its second operand.
#pragma once
#include "accessories/real48.h"

#include <QString>

#include <optional>

namespace calc {

// The general format: `significant` significant digits, fixed notation
// without trailing zeros when the integer part has at most 15 digits and the
// magnitude is at least 0.00001, otherwise mantissa, "E" and the exponent
// without leading zeros; the decimal separator is the comma.
QString formatGeneral(long double value, int significant = 15);

// Reads a number as the calculator's display holds it: blanks around, an
// optional sign, digits with a decimal comma (or point), an optional
// exponent. nullopt when the text is not a number. A magnitude beyond the
// extended range comes back infinite; one below it comes back as 0.
std::optional<long double> parseNumber(const QString &text);

// The shortest text in the general format that parseNumber reads back to
// the same 48-bit value, or that lies within `spread` of it: results of
// decimals that the 48-bit format holds only nearly (0,1 + 0,2) come out
// as the decimal the learner expects, not with the format's residue.
QString shortestText(const Real48 &value, long double spread = 0);

} // namespace calc

class CalcEngine final
{
public:
    enum class Key {
        None,
        Digit0,
        Digit1,
        Digit2,
        Digit3,
        Digit4,
        Digit5,
        Digit6,
        Digit7,
        Digit8,
        Digit9,
        Comma,
        Equals,
        Plus,
        Minus,
        Times,
        Divide,
        Reciprocal,
        SquareRoot,
        Clear,
        Close,
    };

    // The key a typed character (Windows-1252 code) stands for.
    static Key keyForChar(quint8 code);

    // Each key returns the message of the error it raised, empty when none.
    QString press(Key key);
    void digit(int d);
    void comma();
    QString evaluate();
    QString operation(char op); // '+', '-', '*', '/'
    QString reciprocal();
    QString squareRoot();
    // Empties the display and forgets the numbers and the pending operation;
    // the new-entry flag keeps its value.
    void clear();

    QString display() const { return m_display; }
    Real48 accumulator() const { return m_accumulator; }
    Real48 operand() const { return m_operand; }
    char pending() const { return m_pending; }
    bool accumulatorSet() const { return m_accumulatorSet; }
    bool newEntry() const { return m_newEntry; }

private:
    // Reads the display into *out and how far the decimal it stands for
    // may lie from *out; the error message otherwise.
    QString readDisplay(Real48 *out, long double *uncertainty) const;
    // Shows the accumulator as text and remembers what the text stands for.
    void show(const QString &text, long double uncertainty);
    // Shows a result of 1/x or sqr and takes it as the running result.
    QString showUnary(long double result, long double spread);

    QString m_display;
    Real48 m_accumulator;
    Real48 m_operand;
    char m_pending = 0;
    bool m_accumulatorSet = false;
    bool m_newEntry = false;
    // How far the exact result of the decimals typed may lie from the
    // accumulator; a result shown keeps its value for when it is read back.
    long double m_accUncertainty = 0;
    QString m_shownText;
    Real48 m_shownValue;
    long double m_shownUncertainty = 0;
};
