// TTableur: lesson window (module code 6).
#pragma once
#include "app/lessonwindow.h"

class TTableur final : public LessonWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TTableur)
public:
    explicit TTableur(QWidget *parent = nullptr);

    // Cut, copy and paste on the one-cell buffer.
    void Couper();
    void Copier();
    void Coller();
};
