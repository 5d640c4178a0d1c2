// The key drill: asks for one of 34 special keys at random and judges the
// key the learner gives back.
#pragma once
#include <QString>

#include <cstdint>
#include <random>

namespace keyboard {

class KeyDrill final
{
public:
    static constexpr int kKeyCount = 34;

    struct Key
    {
        quint16 virtualKey;
        const char *name; // UTF-8, as the prompt shows it
    };
    // The drill's keys, in table order.
    static const Key &key(int index);

    // seed: the clock at creation in the program, a fixed value in tests.
    explicit KeyDrill(std::uint32_t seed);
    void reseed(std::uint32_t seed);

    // Draws the next key, each of the 34 equally likely (the key just asked
    // may come again), and returns its index.
    int draw();
    quint16 target() const { return m_target; }
    // "Appuyez sur la touche " and the name of the key last drawn.
    QString prompt() const;
    // The name of the key last drawn.
    QString targetName() const { return QString::fromUtf8(key(m_index).name); }
    bool isRight(quint16 virtualKey) const { return virtualKey == m_target; }

    // "Bien : n" CR LF "Nombre d'Erreurs : m"; after a wrong answer the first
    // line is empty.
    static QString scoreText(std::int32_t good, std::int32_t errors, bool right);

private:
    std::mt19937 m_random;
    int m_index = 0;
    quint16 m_target = 0;
};

} // namespace keyboard
