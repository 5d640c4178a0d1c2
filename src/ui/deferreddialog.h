// Dialogs whose controls are built the first time they are needed, so that
// start-up does not pay for a window the learner may never open. The dialog
// exists from the start with its name, title, size and font; its controls
// come before its first showing, or at the first call that reaches one of
// them (the dialog's accessors build them). They are named for screen
// readers as they are built.
#pragma once
#include <QDialog>

namespace ui {

// A window whose controls may not exist yet.
class DeferredControls
{
public:
    // Builds the controls, once.
    virtual void buildControls() = 0;
    virtual bool controlsBuilt() const = 0;

protected:
    ~DeferredControls() = default;
};

class DeferredDialog : public QDialog, public DeferredControls
{
    Q_OBJECT
public:
    void buildControls() override;
    bool controlsBuilt() const override { return m_built; }

    void setVisible(bool visible) override;

protected:
    explicit DeferredDialog(QWidget *parent, Qt::WindowFlags flags = {});

    virtual void build() = 0;

    // An accessor's body: the control, built first if need be.
    template<typename T>
    T *built(T *const &control)
    {
        buildControls();
        return control;
    }

private:
    bool m_built = false;
};

// Builds the controls of root and of every window under it that defers
// them: for code that walks widgets by name.
void buildEveryControl(QWidget *root);

} // namespace ui
