#pragma once
// What the command line asks for: the screen-saver switch and the window handle that goes with it.

#include <cstdint>

#include "text/word_list.h"

enum class RunMode : int32_t { FullScreen, Preview, Configure, ChangePassword };

// By the first character of word 1, either case: p, c, a; anything else, or nothing, is FullScreen.
RunMode ChooseRunMode(const WordList& words);

// The window handle the mode takes, as a number; 0 when there is none (and always for FullScreen).
// Preview wants it as a separate word (/p 1234), Configure joined (/c:1234), and ChangePassword
// either way, the joined form first.
int32_t WindowNumberFor(RunMode mode, const WordList& words);
