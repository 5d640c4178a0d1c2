// Sounds through libcanberra. ca_context_play returns before the sound ends,
// but connecting and asking the server may take a moment: that happens on
// the player's own thread, so no key ever waits for a sound.
#include "ui/sounds.h"

#include <QCoreApplication>

#include <canberra.h>

namespace ui {

struct ThemeSoundPlayer::Context
{
    ca_context *handle = nullptr;
    ~Context()
    {
        if (handle)
            ca_context_destroy(handle);
    }
};

ThemeSoundPlayer::ThemeSoundPlayer()
{
    m_worker.setMaxThreadCount(1);
}

ThemeSoundPlayer::~ThemeSoundPlayer()
{
    m_worker.waitForDone();
}

void ThemeSoundPlayer::play(Sound sound)
{
    m_worker.start([this, sound] { playNow(sound); });
}

void ThemeSoundPlayer::playNow(Sound sound)
{
    if (m_failed)
        return;
    if (!m_context) {
        auto context = std::make_unique<Context>();
        if (ca_context_create(&context->handle) != CA_SUCCESS ||
            ca_context_change_props(context->handle, CA_PROP_APPLICATION_NAME, "Tapivox",
                                    CA_PROP_APPLICATION_ID, "io.github.tapivox.Tapivox",
                                    nullptr) != CA_SUCCESS ||
            ca_context_open(context->handle) != CA_SUCCESS) {
            // No sound server: the learner is not told each time, there is
            // simply no sound.
            m_failed = true;
            return;
        }
        m_context = std::move(context);
    }
    const char *id = sound == Sound::Error ? "bell" : "complete";
    const char *description = sound == Sound::Error ? "Erreur de frappe" : "Fin de la leçon";
    // Id 1 for errors: a new error cuts the one still ringing short.
    const uint32_t channel = sound == Sound::Error ? 1 : 2;
    ca_context_cancel(m_context->handle, channel);
    const int result = ca_context_play(m_context->handle, channel, CA_PROP_EVENT_ID, id,
                                       CA_PROP_EVENT_DESCRIPTION, description, nullptr);
    // A machine with no sound card, or no theme, fails every time, and its
    // sound library says so on the terminal: a few tries are enough.
    m_failures = result == CA_SUCCESS || result == CA_ERROR_CANCELED ? 0 : m_failures + 1;
    m_failed = m_failures >= 3;
}

namespace {
std::unique_ptr<SoundPlayer> &current()
{
    static std::unique_ptr<SoundPlayer> player;
    return player;
}
} // namespace

SoundPlayer &soundPlayer()
{
    if (!current()) {
        current() = std::make_unique<ThemeSoundPlayer>();
        // Its thread ends with the application, not after it.
        if (QCoreApplication::instance())
            qAddPostRoutine([] { current().reset(); });
    }
    return *current();
}

std::unique_ptr<SoundPlayer> setSoundPlayer(std::unique_ptr<SoundPlayer> player)
{
    std::swap(current(), player);
    return player;
}

} // namespace ui
