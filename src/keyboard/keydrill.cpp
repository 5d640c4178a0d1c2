// Key drill: the 34 keys, the random draw and the score text.
#include "keyboard/keydrill.h"

namespace keyboard {
namespace {

const KeyDrill::Key kKeys[KeyDrill::kKeyCount] = {
    {9, "Tabulation"},
    {16, "Majuscules"},
    {17, "Contrôle"},
    {18, "Alt"},
    {19, "Pause"},
    {20, "Verr Maj"},
    {33, "Page Up"},
    {34, "Page Down"},
    {35, "End"},
    {36, "Home"},
    {37, "Left"},
    {38, "Up"},
    {39, "Right"},
    {40, "Down"},
    {44, "Imp Ecran"},
    {45, "Insert"},
    {46, "Suppression"},
    {91, "Windows gauche"},
    {92, "Windows droite"},
    {93, "Menu"},
    {112, "F1"},
    {113, "F2"},
    {114, "F3"},
    {115, "F4"},
    {116, "F5"},
    {117, "F6"},
    {118, "F7"},
    {119, "F8"},
    {120, "F9"},
    {121, "F10"},
    {122, "F11"},
    {123, "F12"},
    {144, "Verr Num"},
    {145, "Arrêt Défil"},
};

} // namespace

const KeyDrill::Key &KeyDrill::key(int index)
{
    return kKeys[index];
}

KeyDrill::KeyDrill(std::uint32_t seed)
    : m_random(seed)
{}

void KeyDrill::reseed(std::uint32_t seed)
{
    m_random.seed(seed);
}

int KeyDrill::draw()
{
    std::uniform_int_distribution<int> uniform(0, kKeyCount - 1);
    m_index = uniform(m_random);
    m_target = kKeys[m_index].virtualKey;
    return m_index;
}

QString KeyDrill::prompt() const
{
    return QStringLiteral("Appuyez sur la touche ") + QString::fromUtf8(kKeys[m_index].name);
}

QString KeyDrill::scoreText(std::int32_t good, std::int32_t errors, bool right)
{
    const QString first = right ? QStringLiteral("Bien : ") + QString::number(good) : QString();
    return first + QStringLiteral("\r\nNombre d'Erreurs : ") + QString::number(errors);
}

} // namespace keyboard
