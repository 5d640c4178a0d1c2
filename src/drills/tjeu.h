// TJeu: lesson window (module code 5).
#pragma once
#include "app/lessonwindow.h"

class TJeu final : public LessonWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TJeu)
public:
    explicit TJeu(QWidget *parent = nullptr);
};
