// TExos: lesson window (module code 2).
#pragma once
#include "app/lessonwindow.h"

class TExos final : public LessonWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TExos)
public:
    explicit TExos(QWidget *parent = nullptr);
};
