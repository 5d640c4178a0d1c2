// TSaisie: lesson window (module code 7).
#pragma once
#include "app/lessonwindow.h"

class TSaisie final : public LessonWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TSaisie)
public:
    explicit TSaisie(QWidget *parent = nullptr);
};
