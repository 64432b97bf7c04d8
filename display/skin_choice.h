#pragma once
// Which skin a run shows and which of its drawings a board is made from. The front end lists the
// Skin folder and loads files; every choice is made here, the same on every platform.

#include <cstdint>

#include "display/settings.h"
#include "display/skin_scale.h"

// At most this many skins take part in a random pick.
constexpr int32_t kMaxRandomSkins = 100;

struct SkinName {
    WideChar text[kPathCapacity];
};

// The front end's side of the skins. It keeps what it loads: one classic drawing (scale 1) and
// one larger drawing at a time; loading again replaces what was loaded at that kind of scale.
struct SkinSource {
    void* context;
    // Fills names with the Skin folder's skin files in the platform's order, at most capacity of
    // them; returns how many.
    int32_t (*listSkins)(void* context, SkinName* names, int32_t capacity);
    // Loads the named skin's drawing at scale (1 the classic cells, else a larger drawing); false
    // when there is no such file or it does not load as a skin of that size.
    bool (*loadSkin)(void* context, const WideChar* name, int32_t scale);
    // Whether the named skin has a drawing file at scale, without loading it.
    bool (*hasDrawing)(void* context, const WideChar* name, int32_t scale);
};

struct SkinChoice {
    bool loaded;                           // a classic drawing is loaded
    WideChar name[kPathCapacity];          // the chosen file's name
    bool available[kLargeSkinScaleCount];  // larger drawings not yet known to fail
    int32_t scale;  // the drawing the board is made from: 1, or a larger one loaded
};

// The skin of a run: the named one when randomSkin is 0 and it loads, else one of the first
// kMaxRandomSkins listed, drawn with random, drawing again among the rest while the one drawn does
// not load (a lone skin takes no number). False when none loads.
bool ChooseSaverSkin(SkinChoice& choice, const SkinSource& source, const SaverSettings& settings,
                     uint32_t& random);

// The drawing a board of cellSize is best made from: the smallest larger drawing whose cells are
// at least that large, else the largest on hand, else the classic one; loaded through the source
// when it is not the one loaded, and never asked for again once it fails. Returns its scale.
int32_t ChooseBoardDrawing(SkinChoice& choice, const SkinSource& source, int32_t cellSize);

// The next number of a small pseudo-random sequence (xorshift); state must not be 0.
uint32_t NextRandom(uint32_t& state);
