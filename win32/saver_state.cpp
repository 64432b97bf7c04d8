#include "win32/saver_state.h"

ShellState theShell{};
SaverSettings theSettings{};
SaverSession theSession{};
