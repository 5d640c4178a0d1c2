// The program entry: splash, every window in order, the message loop.
#pragma once

int runTapivox(int argc, char **argv);
