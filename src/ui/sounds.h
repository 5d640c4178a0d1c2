// The two sounds a learner may ask for, played through the desktop's sound
// theme. Behind an interface so that tests count them instead.
#pragma once
#include <QThreadPool>

#include <memory>

namespace ui {

class SoundPlayer
{
public:
    enum class Sound { Error, LessonEnd };
    virtual ~SoundPlayer() = default;
    // Starts the sound and returns at once; nothing when no sound can play.
    virtual void play(Sound sound) = 0;
};

// libcanberra with the freedesktop theme's "bell" and "complete", on a thread
// of its own: the first sound connects to the sound server, and without one
// every sound is silence.
class ThemeSoundPlayer final : public SoundPlayer
{
public:
    ThemeSoundPlayer();
    ~ThemeSoundPlayer() override;
    void play(Sound sound) override;

private:
    void playNow(Sound sound);

    struct Context;
    std::unique_ptr<Context> m_context; // worker thread only
    int m_failures = 0;                 // in a row; worker thread only
    bool m_failed = false;              // worker thread only
    QThreadPool m_worker;               // gone first: waits for the sound it starts
};

SoundPlayer &soundPlayer();
// Replaces the player (tests); returns the previous one.
std::unique_ptr<SoundPlayer> setSoundPlayer(std::unique_ptr<SoundPlayer> player);

} // namespace ui
