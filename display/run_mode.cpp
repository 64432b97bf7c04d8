#include "display/run_mode.h"

RunMode ChooseRunMode(const WordList& words) {
    const CharString first = word(words, 1);
    switch (first.at(0)) {
        case 'P':
        case 'p':
            return RunMode::Preview;
        case 'C':
        case 'c':
            return RunMode::Configure;
        case 'A':
        case 'a':
            return RunMode::ChangePassword;
        default:
            return RunMode::FullScreen;
    }
}

int32_t WindowNumberFor(RunMode mode, const WordList& words) {
    switch (mode) {
        case RunMode::Preview:
            return ParseNumber(word(words, 2).chars());
        case RunMode::Configure:
            return ParseNumber(word(words, 1).chars());
        case RunMode::ChangePassword: {
            const int32_t joined = ParseNumber(word(words, 1).chars());
            return joined != 0 ? joined : ParseNumber(word(words, 2).chars());
        }
        case RunMode::FullScreen:
            break;
    }
    return 0;
}
