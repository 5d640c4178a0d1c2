// TClavier: lesson window (module code 1).
#pragma once
#include "app/lessonwindow.h"

class TClavier final : public LessonWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TClavier)
public:
    explicit TClavier(QWidget *parent = nullptr);
};
