#pragma once

// What the tests that drive the real Varkam.exe from outside share.

#include <windows.h>

#include <string>

#include "support/TestFolder.h"

namespace varkam::testing {

extern std::wstring ProgramPath;  // Varkam.exe, from the command line

// Five animals with their Persian meanings.
DictionaryLayout Animals();

// The main window's meaning pane: its one multi-line edit.
HWND MeaningPane(HWND main);

}  // namespace varkam::testing
