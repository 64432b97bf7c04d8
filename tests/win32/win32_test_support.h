#pragma once
// Helpers for the Win32 tests under Wine: a private temporary folder, files in it, a skin bitmap
// whose cells are each one known colour, and the registry keys the saver uses.

#include <windows.h>

#include <cstdint>
#include <string>

#include "display/settings.h"

// A fresh folder below the system's temporary folder, removed with its files at the end.
class TemporaryFolder {
  public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

  private:
    std::wstring path_;
};

void WriteFileBytes(const std::wstring& path, const std::string& bytes);

// The solid colour of skin cell (column, row), 10 columns by 7 rows of 64 pixels.
COLORREF CellColour(int32_t column, int32_t row);

// A 24-bit bottom-up bitmap file of width x height whose every 64 x 64 cell is CellColour.
void WriteCellSkin(const std::wstring& path, int32_t width = 640, int32_t height = 448);

// Removes the per-user and machine-wide settings keys (both registry views).
void DeleteSettingsKeys();

// Settings for a saver run from folder, with every field set.
SaverSettings SettingsFor(const std::wstring& installFolder, const std::wstring& pgnPath,
                          const std::wstring& skinName);

// True when the test runs with an X display for Wine to draw on.
bool HaveDisplay();
