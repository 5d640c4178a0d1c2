// TPhrases: lesson window (module code 3).
#pragma once
#include "app/lessonwindow.h"

class TPhrases final : public LessonWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPhrases)
public:
    explicit TPhrases(QWidget *parent = nullptr);
};
