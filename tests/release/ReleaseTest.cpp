// The two release forms as a Windows user meets them: the portable folder unpacked anywhere
// writable, and the per-user installer with its Start menu shortcut and its uninstaller.

#include <windows.h>

#include <gtest/gtest.h>
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/Processes.h"

namespace varkam::testing {
namespace {

std::wstring Installer;       // Varkam-VERSION-setup.exe
std::wstring PortableFolder;  // where the portable zip was unpacked

constexpr const wchar_t* FirstEntryCaption = L"a  (Varkam)";

std::filesystem::path KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  SHGetKnownFolderPath(id, 0, nullptr, &path);
  std::filesystem::path folder = path != nullptr ? path : L"";
  CoTaskMemFree(path);
  return folder;
}

// Starts the program as the shortcut says, shows entry 1, closes; the settings land there.
void RunOnceFrom(const std::wstring& program, const std::filesystem::path& folder) {
  std::filesystem::remove(folder / "DicSet.vq");
  // Clipboard meaning looks up what is on the clipboard at start-up; entry 1 is to show.
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
  Program running(program, folder);
  ASSERT_TRUE(running.Started());
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = TopWindowOf(running.Id(), L"TForm1")) != nullptr; }));
  EXPECT_TRUE(WaitFor([&] { return TextOf(main) == FirstEntryCaption; })) << TextOf(main);
  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(running.Ended());
  EXPECT_EQ(std::filesystem::file_size(folder / "DicSet.vq"), 22u);
}

TEST(Release, ThePortableFolderRunsWhereItIsUnpacked) {
  RunOnceFrom(PortableFolder + L"\\Varkam.exe", PortableFolder);
}

// The dictionary's data travels with its licences and the Wiktionary credits.
TEST(Release, TheDataComesWithItsNotices) {
  const std::filesystem::path folder = PortableFolder;
  for (const char* name :
       {"NOTICES.txt", "LICENSE-CLDR.txt", "LICENSE-WordNet.txt", "CREDITS-Wiktionary.txt"}) {
    EXPECT_GT(std::filesystem::file_size(folder / name), 200u) << name;
  }
}

// Whether a program file still carries its symbol table (the COFF header points to it).
bool HasSymbols(const std::filesystem::path& program) {
  std::ifstream in(program, std::ios::binary);
  IMAGE_DOS_HEADER dos{};
  in.read(reinterpret_cast<char*>(&dos), sizeof dos);
  in.seekg(dos.e_lfanew + static_cast<long>(sizeof(DWORD)));
  IMAGE_FILE_HEADER header{};
  in.read(reinterpret_cast<char*>(&header), sizeof header);
  return !in || header.PointerToSymbolTable != 0;
}

// The programs ship without their symbols, so the download stays small.
TEST(Release, TheProgramsComeWithoutTheirSymbols) {
  const std::filesystem::path folder = PortableFolder;
  EXPECT_LE(std::filesystem::file_size(folder / "Varkam.exe"), 1u << 20);
  for (const char* name : {"Varkam.exe", "vqbuild.exe", "vqlookup.exe", "vqdump.exe"}) {
    EXPECT_FALSE(HasSymbols(folder / name)) << name;
  }
}

struct Shortcut {
  std::wstring target;
  std::wstring workingFolder;
};

Shortcut ReadShortcut(const std::filesystem::path& link) {
  Shortcut shortcut;
  IShellLinkW* shellLink = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&shellLink)))) {
    return shortcut;
  }
  IPersistFile* file = nullptr;
  if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    if (SUCCEEDED(file->Load(link.c_str(), STGM_READ))) {
      wchar_t text[MAX_PATH] = {};
      shellLink->GetPath(text, MAX_PATH, nullptr, 0);
      shortcut.target = text;
      shellLink->GetWorkingDirectory(text, MAX_PATH);
      shortcut.workingFolder = text;
    }
    file->Release();
  }
  shellLink->Release();
  return shortcut;
}

void RunSilently(const std::wstring& program, const std::filesystem::path& folder = {}) {
  Program run(program, folder, L"/S");
  ASSERT_TRUE(run.Started());
  ASSERT_TRUE(run.Ended(60000));
  EXPECT_EQ(run.ExitCode(), 0u);
}

std::filesystem::path InstallFolder() {
  return KnownFolder(FOLDERID_LocalAppData) / "Programs" / "Varkam";
}

TEST(Release, TheInstallerPutsVarkamInTheUsersProgramsAndTakesItAway) {
  RunSilently(Installer);
  const std::filesystem::path folder = InstallFolder();
  for (const char* name :
       {"Varkam.exe", "vqbuild.exe", "vqlookup.exe", "vqdump.exe", "Dat01.vq", "Dat02.vq",
        "Dat03.vq", "Dat04.vq", "README.txt", "NOTICES.txt", "LICENSE-CLDR.txt",
        "LICENSE-WordNet.txt", "CREDITS-Wiktionary.txt", "Uninstall.exe"}) {
    EXPECT_TRUE(std::filesystem::exists(folder / name)) << name;
  }
  const std::filesystem::path link = KnownFolder(FOLDERID_Programs) / "Varkam" / "Varkam.lnk";
  ASSERT_TRUE(std::filesystem::exists(link));
  const Shortcut shortcut = ReadShortcut(link);
  EXPECT_TRUE(std::filesystem::equivalent(shortcut.target, folder / "Varkam.exe"));
  ASSERT_FALSE(shortcut.workingFolder.empty());
  EXPECT_TRUE(std::filesystem::equivalent(shortcut.workingFolder, folder));
  RunOnceFrom(shortcut.target, shortcut.workingFolder);

  Program uninstall((folder / "Uninstall.exe").wstring(), folder, L"/S");
  ASSERT_TRUE(uninstall.Started());
  // The uninstaller runs on from a copy of itself, so wait for the folder to go.
  EXPECT_TRUE(WaitFor([&] { return !std::filesystem::exists(folder); }, 60000));
  EXPECT_FALSE(std::filesystem::exists(link));
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The four data files in a folder, one after another; empty for a file that is not there.
std::vector<std::string> DataFilesIn(const std::filesystem::path& folder) {
  std::vector<std::string> files;
  for (const char* name : {"Dat01.vq", "Dat02.vq", "Dat03.vq", "Dat04.vq"}) {
    files.push_back(ReadBytes(folder / name));
  }
  return files;
}

// A dictionary the user compiled into the program's folder, as the read-me invites: setup run
// again leaves it in use and the uninstaller leaves it, taking only the bundled dictionary away.
TEST(Release, ReinstallingAndUninstallingKeepTheUsersOwnDictionary) {
  RunSilently(Installer);
  const std::filesystem::path folder = InstallFolder();
  const std::filesystem::path source =
      std::filesystem::temp_directory_path() / "varkam-users-own.tsv";
  {
    std::ofstream out(source, std::ios::binary);
    for (int entry = 1000; entry < 2000; ++entry) {
      out << "mine" << entry << "\tm" << entry << "\n";
    }
  }
  Program build((folder / "vqbuild.exe").wstring(), folder,
                L"-o \"" + folder.wstring() + L"\" \"" + source.wstring() + L"\"");
  ASSERT_TRUE(build.Started());
  ASSERT_TRUE(build.Ended(60000));
  ASSERT_EQ(build.ExitCode(), 0u);
  const std::vector<std::string> mine = DataFilesIn(folder);
  const std::vector<std::string> bundled = DataFilesIn(PortableFolder);
  ASSERT_TRUE(mine != bundled);
  ASSERT_TRUE(DataFilesIn(folder / "previous") == bundled) << "vqbuild kept the bundled dictionary it replaced";

  RunSilently(Installer);
  EXPECT_TRUE(DataFilesIn(folder) == mine) << "setup again keeps the user's dictionary in use";
  EXPECT_TRUE(DataFilesIn(folder / "previous") == bundled);

  Program uninstall((folder / "Uninstall.exe").wstring(), folder, L"/S");
  ASSERT_TRUE(uninstall.Started());
  // The uninstaller runs on from a copy of itself; its last step takes the registry entry.
  EXPECT_TRUE(WaitFor([&] { return !std::filesystem::exists(folder / "Uninstall.exe"); }, 60000));
  HKEY key = nullptr;
  EXPECT_TRUE(WaitFor(
      [&] {
        const LONG opened = RegOpenKeyExW(
            HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Varkam",
            0, KEY_READ, &key);
        if (opened == ERROR_SUCCESS) {
          RegCloseKey(key);
        }
        return opened != ERROR_SUCCESS;
      },
      60000));
  EXPECT_TRUE(DataFilesIn(folder) == mine) << "the uninstaller leaves the user's dictionary";
  EXPECT_FALSE(std::filesystem::exists(folder / "previous")) << "and takes the bundled dictionary away";
  EXPECT_FALSE(std::filesystem::exists(folder / "Varkam.exe"));
  EXPECT_FALSE(std::filesystem::exists(KnownFolder(FOLDERID_Programs) / "Varkam" / "Varkam.lnk"));
  std::filesystem::remove_all(folder);
  std::filesystem::remove(source);
}

}  // namespace
}  // namespace varkam::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: release_tests INSTALLER PORTABLE-FOLDER\n");
    return 2;
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  varkam::testing::Installer = varkam::testing::WindowsPath(argv[1]);
  varkam::testing::PortableFolder = varkam::testing::WindowsPath(argv[2]);
  const int result = RUN_ALL_TESTS();
  CoUninitialize();
  return result;
}
