// The typing game's rules, apart from its window.
#include "drills/gamelogic.h"

#include "drills/gamewords.h"
#include "ui/int32.h"

#include <QDateTime>

namespace {

constexpr std::int32_t kLettersGame = 1;
constexpr std::int32_t kWordsGame = 2;

} // namespace

quint32 GameLogic::clockSeed()
{
    const quint64 ms = static_cast<quint64>(QDateTime::currentMSecsSinceEpoch());
    return static_cast<quint32>(ms ^ (ms >> 32));
}

GameLogic::GameLogic(SeedSource seedSource)
    : m_seedSource(std::move(seedSource))
{}

void GameLogic::setSeedSource(SeedSource seedSource)
{
    m_seedSource = std::move(seedSource);
}

int GameLogic::columnCount(std::int32_t code)
{
    switch (code) {
    case kLettersGame: return 10;
    case kWordsGame: return 5;
    default: return 0;
    }
}

std::int32_t GameLogic::columnX(std::int32_t code, int i)
{
    return code == kWordsGame ? 100 * i : 50 * i;
}

void GameLogic::setIni(std::int32_t code)
{
    m_random.seed(m_seedSource ? m_seedSource() : clockSeed());
    m_code = code;
    m_errors = 0;
    m_good = 0;
    if (code == kLettersGame)
        drawLetters();
    else if (code == kWordsGame)
        drawWords();
}

void GameLogic::drawLetters()
{
    const QString letters = QString::fromUtf8(game::kLetters);
    for (QString &item : m_items)
        item = letters.at(static_cast<qsizetype>(m_random.bounded(game::kLetterCount)));
}

void GameLogic::drawWords()
{
    for (int i = 1; i <= columnCount(kWordsGame); ++i)
        setItem(i, QString::fromUtf8(game::kWords[m_random.bounded(game::kWordCount)]));
}

void GameLogic::drawPositions()
{
    for (std::int32_t &y : m_positions)
        y = kTop + static_cast<std::int32_t>(m_random.bounded(kStartRange));
}

void GameLogic::step()
{
    const int columns = columnCount(m_code);
    if (columns == 0)
        return;
    // Each column's last drawing is blanked before its item moves on; what
    // the other game left in the columns this one does not play goes too.
    m_screen.fill(Drawing{});
    for (int i = 1; i <= columns; ++i) {
        QString &item = m_items.at(index(i));
        if (item.isEmpty())
            continue;
        std::int32_t &y = m_positions.at(index(i));
        y = ui::add32(y, kDrop);
        // Drawn at the position where it is lost, until the next step.
        m_screen.at(index(i)) = Drawing{item, columnX(m_code, i), y};
        if (y > kBottom) {
            const auto lost = m_code == kWordsGame ? static_cast<std::int32_t>(item.size()) : 1;
            m_errors = ui::add32(m_errors, lost);
            item.clear();
        }
    }
}

bool GameLogic::keyPress(QChar typed)
{
    bool hit = false;
    const int columns = columnCount(m_code);
    for (int i = 1; i <= columns; ++i) {
        QString &item = m_items.at(index(i));
        Drawing &shown = m_screen.at(index(i));
        if (m_code == kLettersGame) {
            // Case and accents count: only the very same letter destroys it.
            if (item.size() != 1 || item.at(0) != typed)
                continue;
            item.clear();
            shown = Drawing{};
        } else {
            // One occurrence per word, the first one.
            const qsizetype at = item.indexOf(typed);
            if (at < 0)
                continue;
            item.remove(at, 1);
            // A word whose last letter goes stops falling and leaves nothing drawn.
            shown = item.isEmpty() ? Drawing{} : Drawing{item, columnX(m_code, i), position(i)};
        }
        m_good = ui::add32(m_good, 1);
        hit = true;
    }
    return hit;
}

void GameLogic::setItem(int i, const QString &text)
{
    m_items.at(index(i)) = text;
    Drawing &shown = m_screen.at(index(i));
    if (text.isEmpty())
        shown = Drawing{};
    else if (!shown.text.isEmpty())
        shown.text = text;
}

bool GameLogic::falling() const
{
    for (int i = 1; i <= columnCount(m_code); ++i)
        if (!item(i).isEmpty())
            return true;
    return false;
}

QString GameLogic::scoreLine() const
{
    return scoreLine(m_good, m_errors);
}

QString GameLogic::scoreLine(std::int32_t good, std::int32_t errors)
{
    return QStringLiteral("Bon : %1  Erreurs : %2").arg(good).arg(errors);
}
