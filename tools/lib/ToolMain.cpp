#include "lib/ToolMain.h"

#include "lib/Utf8.h"

#include <algorithm>
#include <csignal>
#include <iostream>
#include <memory>

#ifdef _WIN32
#include <windows.h>

#include <conio.h>
#include <fcntl.h>
#include <io.h>

#include <streambuf>
#endif

namespace varkam::tools {

#ifdef _WIN32

namespace {

// UTF-8 text written to a console as UTF-16, so that Persian shows whatever the console's
// code page.
class ConsoleBuffer : public std::streambuf {
 public:
  explicit ConsoleBuffer(HANDLE console) : console_(console) {
    setp(buffer_, buffer_ + sizeof buffer_);
  }
  ~ConsoleBuffer() override { sync(); }

 protected:
  int_type overflow(int_type c) override {
    if (sync() != 0) {
      return traits_type::eof();
    }
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }

  int sync() override {
    const auto pending = static_cast<std::size_t>(pptr() - pbase());
    const std::size_t whole = WholeUtf8Length(std::string_view(pbase(), pending));
    if (whole > 0) {
      std::wstring wide(whole, L'\0');
      wide.resize(static_cast<std::size_t>(MultiByteToWideChar(
          CP_UTF8, 0, pbase(), static_cast<int>(whole), wide.data(), static_cast<int>(whole))));
      DWORD written = 0;
      if (!WriteConsoleW(console_, wide.data(), static_cast<DWORD>(wide.size()), &written,
                         nullptr)) {
        return -1;
      }
    }
    std::copy(pbase() + whole, pptr(), buffer_);
    setp(buffer_, buffer_ + sizeof buffer_);
    pbump(static_cast<int>(pending - whole));
    return 0;
  }

 private:
  HANDLE console_;
  char buffer_[4096];
};

std::string Utf8Of(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
  return utf8;
}

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != 0;
}

}  // namespace

bool HasConsoleOfItsOwn() {
  DWORD processes[2] = {};
  return GetConsoleProcessList(processes, 2) == 1;
}

std::filesystem::path ProgramFolder() {
  std::wstring name(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()))) ==
         name.size()) {
    name.resize(name.size() * 2);
  }
  name.resize(length);
  return std::filesystem::path(name).parent_path();
}

void WaitForKey() {
  std::cout << "Press a key to close this window." << std::flush;
  _getwch();
}

}  // namespace varkam::tools

int wmain(int argc, wchar_t** argv) {
  using namespace varkam::tools;
  // A console shows UTF-16; a pipe or a file takes the UTF-8 bytes, without CR added to LF.
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  std::unique_ptr<ConsoleBuffer> outputConsole;
  std::unique_ptr<ConsoleBuffer> errorConsole;
  std::streambuf* const outputBuffer = std::cout.rdbuf();
  std::streambuf* const errorBuffer = std::cerr.rdbuf();
  if (IsConsole(output)) {
    outputConsole = std::make_unique<ConsoleBuffer>(output);
    std::cout.rdbuf(outputConsole.get());
  } else {
    _setmode(_fileno(stdout), _O_BINARY);
  }
  if (IsConsole(error)) {
    errorConsole = std::make_unique<ConsoleBuffer>(error);
    std::cerr.rdbuf(errorConsole.get());
  } else {
    _setmode(_fileno(stderr), _O_BINARY);
  }
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) {
    arguments.push_back(Utf8Of(argv[i]));
  }
  const int code = varkam::tools::RunTool(arguments);
  std::cout.flush();
  std::cerr.flush();
  std::cout.rdbuf(outputBuffer);
  std::cerr.rdbuf(errorBuffer);
  return code;
}

#else

bool HasConsoleOfItsOwn() {
  return false;
}

std::filesystem::path ProgramFolder() {
  return std::filesystem::canonical("/proc/self/exe").parent_path();
}

void WaitForKey() {}

}  // namespace varkam::tools

int main(int argc, char** argv) {
  // A file-size limit (ulimit -f) then fails the write, which says so and undoes what it began,
  // instead of ending the program without a word.
  std::signal(SIGXFSZ, SIG_IGN);
  return varkam::tools::RunTool(std::vector<std::string>(argv, argv + argc));
}

#endif
