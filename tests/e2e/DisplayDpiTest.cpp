// The real Varkam.exe on a display of 144 dpi, beside one of 96. Windows keeps the display's
// dpi in the user's registry, and a program takes it when it starts; each test sets it for the
// programs it starts, then puts it back.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "e2e/EndToEnd.h"
#include "persian/PersianEncode.h"
#include "support/Processes.h"
#include "support/WindowsClipboard.h"

namespace varkam::testing {
namespace {

constexpr const wchar_t* DesktopKey = L"Control Panel\\Desktop";

class DisplayDpi {
 public:
  explicit DisplayDpi(DWORD dpi) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, DesktopKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &value,
                     &size) == ERROR_SUCCESS) {
      previous_ = value;
    }
    set_ = RegSetKeyValueW(HKEY_CURRENT_USER, DesktopKey, L"LogPixels", REG_DWORD, &dpi,
                           sizeof dpi) == ERROR_SUCCESS;
  }
  ~DisplayDpi() {
    if (previous_) {
      RegSetKeyValueW(HKEY_CURRENT_USER, DesktopKey, L"LogPixels", REG_DWORD, &*previous_,
                      sizeof *previous_);
    } else {
      RegDeleteKeyValueW(HKEY_CURRENT_USER, DesktopKey, L"LogPixels");
    }
  }
  DisplayDpi(const DisplayDpi&) = delete;
  DisplayDpi& operator=(const DisplayDpi&) = delete;
  bool Set() const { return set_; }

 private:
  std::optional<DWORD> previous_;
  bool set_ = false;
};

// The window opens on "eel", whose meaning has a tall alef and letters that reach below the
// line, so that its height on the screen is the font's.
DictionaryLayout TallWords() {
  DictionaryLayout layout;
  layout.entries.emplace_back(
      "eel", persian::UnicodeToPersian(u"\u0645\u0627\u0631\u0645\u0627\u0647\u06CC"));
  layout.entries.emplace_back("fox", persian::UnicodeToPersian(u"\u0631\u0648\u0628\u0627\u0647"));
  return layout;
}

struct Extent {
  int width = 0;
  int height = 0;
  bool operator==(const Extent&) const = default;
  friend void PrintTo(const Extent& extent, std::ostream* out) {
    *out << extent.width << " x " << extent.height;
  }
};

Extent SizeOf(const RECT& rect) {
  return {rect.right - rect.left, rect.bottom - rect.top};
}

// The height of the text in a window's client area as the screen shows it: from the first to
// the last row with a pixel much darker than the pane's light background.
int InkHeight(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  POINT corner{0, 0};
  ClientToScreen(window, &corner);
  const int width = client.right;
  const int height = client.bottom;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP capture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, capture);
  BitBlt(memory, 0, 0, width, height, screen, corner.x, corner.y, SRCCOPY);
  GdiFlush();
  int first = -1;
  int last = -1;
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t pixel = pixels[y * width + x];
      const int luminance =
          (((pixel >> 16) & 0xFF) * 3 + ((pixel >> 8) & 0xFF) * 6 + (pixel & 0xFF)) / 10;
      if (luminance < 160) {
        first = first < 0 ? y : first;
        last = y;
        break;
      }
    }
  }
  SelectObject(memory, previous);
  DeleteObject(capture);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return first < 0 ? 0 : last - first + 1;
}

// What a user sees of the program at one dpi: the window, its rows, its Persian text, and the
// about box; then the program is closed.
struct Seen {
  Extent window;
  int rowHeight = 0;
  Extent list;
  int inkHeight = 0;
  Extent aboutClient;
  RECT aboutBounds{};
  Extent okButton;
};

Seen Look(const TestFolder& folder, int dpi) {
  Seen seen;
  Program program(ProgramPath, folder.Path());
  EXPECT_TRUE(program.Started());
  HWND main = nullptr;
  if (!WaitFor([&] { return (main = TopWindowOf(program.Id(), L"TForm1")) != nullptr; })) {
    ADD_FAILURE() << "no main window";
    return seen;
  }
  EXPECT_TRUE(WaitFor([&] { return TextOf(main) == L"eel  (Varkam)"; }));
  RECT bounds{};
  GetWindowRect(main, &bounds);
  seen.window = SizeOf(bounds);
  HWND list = FindWindowExW(main, nullptr, L"ListBox", nullptr);
  seen.rowHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  GetWindowRect(list, &bounds);
  seen.list = SizeOf(bounds);
  HWND meaning = MeaningPane(main);
  WaitFor([&] { return (seen.inkHeight = InkHeight(meaning)) > 0; }, 3000);

  RECT client{};
  GetClientRect(main, &client);
  const LPARAM button = MAKELPARAM(client.right - MulDiv(11, dpi, 96), MulDiv(13, dpi, 96));
  PostMessageW(main, WM_LBUTTONDOWN, MK_LBUTTON, button);
  PostMessageW(main, WM_LBUTTONUP, 0, button);
  HWND about = nullptr;
  if (WaitFor([&] { return (about = TopWindowOf(program.Id(), L"TAboutBox")) != nullptr; })) {
    GetClientRect(about, &client);
    seen.aboutClient = SizeOf(client);
    GetWindowRect(about, &seen.aboutBounds);
    HWND ok = FindWindowExW(about, nullptr, L"Button", nullptr);
    GetWindowRect(ok, &bounds);
    seen.okButton = SizeOf(bounds);
    PostMessageW(ok, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_TRUE(WaitFor([&] { return TopWindowOf(program.Id(), L"TAboutBox") == nullptr; }));
  } else {
    ADD_FAILURE() << "no about box";
  }
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.Ended());
  return seen;
}

TEST(DisplayDpi, At144DpiEverythingIsOneAndAHalfTimesAsLarge) {
  TestFolder folder;
  WriteDictionary(folder, TallWords());
  ASSERT_TRUE(PutTextOnClipboard(L""));
  Seen at96;
  {
    DisplayDpi dpi(96);
    ASSERT_TRUE(dpi.Set());
    at96 = Look(folder, 96);
  }
  std::filesystem::remove(folder / "DicSet.vq");
  Seen at144;
  {
    DisplayDpi dpi(144);
    ASSERT_TRUE(dpi.Set());
    at144 = Look(folder, 144);
  }
  EXPECT_EQ(at96.window, (Extent{266, 161}));
  EXPECT_EQ(at144.window, (Extent{399, 242}));
  EXPECT_EQ(at96.rowHeight, 13);
  EXPECT_EQ(at144.rowHeight, 20);
  EXPECT_EQ(at96.list.width, 73);
  EXPECT_EQ(at144.list.width, 110);
  EXPECT_EQ(at96.aboutClient, (Extent{310, 433}));
  EXPECT_EQ(at144.aboutClient, (Extent{465, 650}));
  EXPECT_EQ(at96.okButton, (Extent{64, 22}));
  EXPECT_EQ(at144.okButton, (Extent{96, 33}));
  // Centred over the main window near the screen's top, the tall box would reach above it.
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_GE(at144.aboutBounds.top, work.top);
  EXPECT_LE(at144.aboutBounds.bottom, work.bottom);
  // The Persian meaning is drawn with a font of the display's size, not stretched.
  ASSERT_GT(at96.inkHeight, 4);
  const double inkRatio = static_cast<double>(at144.inkHeight) / at96.inkHeight;
  EXPECT_GT(inkRatio, 1.3) << at96.inkHeight << " and " << at144.inkHeight << " pixels high";
  EXPECT_LT(inkRatio, 1.8) << at96.inkHeight << " and " << at144.inkHeight << " pixels high";
}

// The settings file keeps the pixels of the display the window was on: a window closed at
// 144 dpi opens at the same size again, not scaled a second time.
TEST(DisplayDpi, AStoredSizeIsTakenAsItIs) {
  TestFolder folder;
  WriteDictionary(folder, TallWords());
  ASSERT_TRUE(PutTextOnClipboard(L""));
  DisplayDpi dpi(144);
  ASSERT_TRUE(dpi.Set());
  EXPECT_EQ(Look(folder, 144).window, (Extent{399, 242}));
  const std::string settings = folder.ReadFile("DicSet.vq");
  ASSERT_EQ(settings.size(), 22u);
  EXPECT_EQ(settings.substr(1, 8), Int32Bytes(399) + Int32Bytes(242));
  EXPECT_EQ(Look(folder, 144).window, (Extent{399, 242}));
}

}  // namespace
}  // namespace varkam::testing
