#pragma once
// The native program's settings file: where it is, reading the settings from it and its data
// folder, and writing the game number back without ever leaving a half-written file.

#include <cstdint>
#include <string>

#include "display/settings.h"

// $XDG_CONFIG_HOME/quorvane/quorvane.conf, or ~/.config/quorvane/quorvane.conf when the variable
// is unset, empty or not an absolute path; empty when neither gives a folder.
std::string DefaultConfigPath(const char* xdgConfigHome, const char* home);

// The settings file of a run: given when not empty, else the default of the environment's
// XDG_CONFIG_HOME and HOME.
std::string ChosenConfigPath(const std::string& given);

// Defaults built on dataFolder (the PGN file varnoth.pgn in it), then the file's lines over them.
// A file that is missing, unreadable, no regular file (never waited on) or larger than 16 MiB
// leaves the defaults.
void LoadSettingsFile(SaverSettings& settings, const std::string& configPath,
                      const std::string& dataFolder);

// Writes the saver's place (the game number, and the file, seed and position of a folder or a
// shuffled round) into the file, keeping its other lines and line ends: the new text
// goes to a fresh temporary file beside it, which then replaces the file in one rename. A missing
// file is made, with its folder. The file is rewritten only when it was read whole: false, and
// the file left as it is, when it is unreadable, no regular file, larger than 16 MiB or
// read-only, or when any step fails.
bool StoreSaverPlace(const std::string& configPath, const SaverSettings& settings);

// A settings path as the bytes of the 16-bit settings field, one byte per character.
std::string PathBytes(const WideChar* text);

// path with a leading "~/" (or a lone "~") read as the home folder, as a shell would; other paths,
// and any path when home is unset or empty, as they are.
std::string ExpandHome(const std::string& path, const char* home);

// The PGN message of the native program: names the settings file to edit.
std::string PgnMissingTextFor(const std::string& configPath);
