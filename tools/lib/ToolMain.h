#pragma once

// What every tool's program has: its arguments in UTF-8 (Unicode file names work on Windows
// too), standard output and standard error that take UTF-8 text (shown as UTF-16 on a Windows
// console, passed on as they are to a pipe or a file), and what a window of its own needs.

#include <filesystem>
#include <string>
#include <vector>

namespace varkam::tools {

// The tool's body, which each tool defines: the arguments with the program's name first.
int RunTool(const std::vector<std::string>& arguments);

// Whether the program has a console window of its own, which closes when it ends: on Windows,
// as when a file is dropped onto it. Never elsewhere.
bool HasConsoleOfItsOwn();

// The folder the program's file is in.
std::filesystem::path ProgramFolder();

// Says so and waits for a key, so that the user sees what happened before the window closes.
void WaitForKey();

}  // namespace varkam::tools
