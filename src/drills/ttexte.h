// TTexte: lesson window (module code 4).
#pragma once
#include "app/lessonwindow.h"

class TTexte final : public LessonWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TTexte)
public:
    explicit TTexte(QWidget *parent = nullptr);

    // Edition commands, bold and underline, and the character table.
    void Couper();
    void Copier();
    void Coller();
    void Gras();
    void Souligne();
    void Caracteres();
};
