// The program-wide references to the windows.
#include "app/lesson/forms.h"

Forms &forms()
{
    static Forms f;
    return f;
}
