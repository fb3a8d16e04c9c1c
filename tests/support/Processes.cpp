#include "support/Processes.h"

#include <chrono>
#include <thread>

namespace varkam::testing {

std::wstring WindowsPath(const std::string& path) {
  std::wstring wide(path.begin(), path.end());
  if (!wide.empty() && wide.front() == L'/') {
    wide = L"Z:" + wide;
  }
  for (wchar_t& c : wide) {
    c = c == L'/' ? L'\\' : c;
  }
  return wide;
}

bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 50) {
    if (condition()) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return condition();
}

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
  return text;
}

namespace {

struct Search {
  DWORD process;
  const wchar_t* className;
  HWND window;
};

BOOL CALLBACK Visit(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (owner == search->process && std::wstring(name) == search->className &&
      IsWindowVisible(window)) {
    search->window = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND TopWindowOf(DWORD process, const wchar_t* className) {
  Search search{process, className, nullptr};
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  return search.window;
}

Program::Program(const std::wstring& path, const std::filesystem::path& folder,
                 const std::wstring& arguments) {
  STARTUPINFOW startup{sizeof startup};
  std::wstring commandLine = L"\"" + path + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  started_ =
      CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     folder.empty() ? nullptr : folder.wstring().c_str(), &startup, &info_) != 0;
}

Program::~Program() {
  if (started_) {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(info_.hProcess, 1);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
}

bool Program::Ended(DWORD milliseconds) const {
  return WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

DWORD Program::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

}  // namespace varkam::testing
