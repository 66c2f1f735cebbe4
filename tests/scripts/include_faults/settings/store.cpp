// The settings reaching up into the shell.
#include "shell/window.h"
