#pragma once

// The Windows tests' way to run a program as a user starts it, and to find and read its
// windows from outside.

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>

namespace varkam::testing {

// A Linux path, as ctest hands it over, as Wine's Z: drive sees it.
std::wstring WindowsPath(const std::string& path);

// Waits up to `milliseconds` for a condition.
bool WaitFor(const std::function<bool()>& condition, int milliseconds = 10000);

// The window text, read with WM_GETTEXT, which works across processes.
std::wstring TextOf(HWND window);

// A visible top-level window of the process with that class name.
HWND TopWindowOf(DWORD process, const wchar_t* className);

// A program started with its arguments in a working folder; ended when the object goes.
class Program {
 public:
  Program(const std::wstring& path, const std::filesystem::path& folder,
          const std::wstring& arguments = L"");
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool Started() const { return started_; }
  DWORD Id() const { return info_.dwProcessId; }
  bool Ended(DWORD milliseconds = 10000) const;
  DWORD ExitCode() const;

 private:
  PROCESS_INFORMATION info_{};
  bool started_ = false;
};

}  // namespace varkam::testing
