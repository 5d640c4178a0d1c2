// Tapivox: the program entry.
#include "app/entry.h"

int main(int argc, char **argv)
{
    return runTapivox(argc, argv);
}
