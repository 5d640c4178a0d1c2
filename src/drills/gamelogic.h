// The typing game without its window: the falling items and their positions,
// the drop step, the matching of typed characters, the counts, and what each
// column shows on screen, so that the game can be played by ticks and keys.
#pragma once
#include <QChar>
#include <QRandomGenerator>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>

class GameLogic final
{
public:
    static constexpr int kItemCount = 10;        // items 1..10
    static constexpr std::int32_t kDrop = 20;    // pixels per step
    static constexpr std::int32_t kBottom = 350; // below this an item is lost
    static constexpr std::int32_t kTop = 100;    // start positions 100..199
    static constexpr std::int32_t kStartRange = 100;

    // A text drawn on the window at (x, y), its top left corner; an empty
    // text is a column where nothing is drawn.
    struct Drawing
    {
        QString text;
        std::int32_t x = 0;
        std::int32_t y = 0;
        bool operator==(const Drawing &) const = default;
    };

    // The seed given to the generator at each setIni.
    using SeedSource = std::function<quint32()>;
    static quint32 clockSeed();

    explicit GameLogic(SeedSource seedSource = &GameLogic::clockSeed);
    void setSeedSource(SeedSource seedSource);

    // Seeds the generator, keeps the code, zeroes the counts and draws new
    // items: code 1 ten letters, code 2 five words (items 6..10 are left as
    // they were); any other code draws nothing. Positions are not touched.
    void setIni(std::int32_t code);
    // A start position 100..199 for each of the ten items.
    void drawPositions();
    // One drop step: every item still falling goes 20 pixels lower and is
    // drawn there; past the bottom it is lost and its letters count as errors.
    void step();
    // A typed character; true when it destroyed a letter or shortened a word
    // (the score line is then rewritten). Wrong characters cost nothing.
    bool keyPress(QChar typed);

    std::int32_t code() const { return m_code; }
    std::int32_t good() const { return m_good; }
    std::int32_t errors() const { return m_errors; }
    // "Bon : n  Erreurs : m"
    QString scoreLine() const;
    static QString scoreLine(std::int32_t good, std::int32_t errors);

    // Items and positions by column number 1..10.
    QString item(int i) const { return m_items.at(index(i)); }
    std::int32_t position(int i) const { return m_positions.at(index(i)); }
    const Drawing &drawing(int i) const { return m_screen.at(index(i)); }
    const std::array<Drawing, kItemCount> &screen() const { return m_screen; }
    // A game set up by hand, for demonstrations and tests; an item already on
    // screen is shown changed at once.
    void setItem(int i, const QString &text);
    void setPosition(int i, std::int32_t y) { m_positions.at(index(i)) = y; }

    // How many columns a game plays (10, 5, or 0 for no game) and where.
    static int columnCount(std::int32_t code);
    static std::int32_t columnX(std::int32_t code, int i);
    // True while some item of the current game is still falling.
    bool falling() const;

private:
    static std::size_t index(int i) { return static_cast<std::size_t>(i - 1); }
    void drawLetters();
    void drawWords();

    SeedSource m_seedSource;
    QRandomGenerator m_random;
    std::int32_t m_code = 0;
    std::int32_t m_good = 0;
    std::int32_t m_errors = 0;
    std::array<QString, kItemCount> m_items;
    std::array<std::int32_t, kItemCount> m_positions{};
    std::array<Drawing, kItemCount> m_screen;
};
