// Windows whose controls are built the first time they are needed, so that
// start-up does not pay for a window the learner may never open. The window
// object exists from the start with its name, title, size and font; its
// controls come before its first showing, or at the first call that reaches
// one of them (the window's accessors build them). They are named for
// screen readers as they are built.
#pragma once

class QWidget;

namespace ui {

class DeferredControls
{
public:
    // Builds the controls, once.
    void buildControls();
    bool controlsBuilt() const { return m_built; }

protected:
    explicit DeferredControls(QWidget *window)
        : m_window(window)
    {}
    ~DeferredControls() = default;
    DeferredControls(const DeferredControls &) = delete;
    DeferredControls &operator=(const DeferredControls &) = delete;

    virtual void build() = 0;

    // An accessor's body: the control, built first if need be.
    template<typename T>
    T *built(T *const &control)
    {
        buildControls();
        return control;
    }

private:
    QWidget *m_window;
    bool m_built = false;
};

// Builds the controls of root and of every window under it that defers
// them: for code that walks widgets by name.
void buildEveryControl(QWidget *root);

} // namespace ui
