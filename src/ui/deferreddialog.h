// Dialogs whose controls are built the first time they are needed, so that
// start-up does not pay for a window the learner may never open. The dialog
// exists from the start with its name, title, size and font; its controls
// come before its first showing, or at the first call that reaches one of
// them (the dialog's accessors build them). They are named for screen
// readers as they are built.
#pragma once
#include <QDialog>

namespace ui {

// A window whose controls may not exist yet: build() makes them, once,
// and they are then named for screen readers.
class DeferredControls
{
public:
    void buildControls();
    bool controlsBuilt() const { return m_built; }

protected:
    // self: the window; deferred: its controls wait for buildControls().
    DeferredControls(QWidget *self, bool deferred)
        : m_self(self)
        , m_built(!deferred)
    {}
    virtual ~DeferredControls() = default;

    virtual void build() = 0;
    // After build(): the window adapts the new controls (text size).
    virtual void controlsAdded() {}
    void deferControls() { m_built = false; }

    // An accessor's body: the control, built first if need be.
    template <typename T> T *built(T *const &control) const
    {
        const_cast<DeferredControls *>(this)->buildControls();
        return control;
    }

private:
    QWidget *m_self;
    bool m_built;
};

class DeferredDialog : public QDialog, public DeferredControls
{
    Q_OBJECT
public:
    void setVisible(bool visible) override;

protected:
    explicit DeferredDialog(QWidget *parent, Qt::WindowFlags flags = {});
};

// Builds the controls of root and of every window under it that defers
// them: for code that walks widgets by name.
void buildEveryControl(QWidget *root);

} // namespace ui
