#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "UnitAbout.h"
#include "support/WindowsClipboard.h"
#include "ui/Clipboard.h"
#include "wine/WindowFixture.h"

namespace varkam::testing {
namespace {

using namespace std::string_literals;
using Lifecycle = WindowTest;

std::string SettingsBytes(bool saveOnExit, std::int32_t width, std::int32_t height,
                          std::int32_t left, std::int32_t top, std::string switches) {
  std::string bytes(1, saveOnExit ? '\1' : '\0');
  bytes += Int32Bytes(width) + Int32Bytes(height) + Int32Bytes(left) + Int32Bytes(top);
  return bytes + switches;
}

RECT OuterBounds(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  return bounds;
}

// Each menu's Save on exit item shows the one switch.
bool SaveOnExitMarked(TForm1& form) {
  for (auto [menu, name] : {std::pair{&form.MainPopupMenu, L"SaveOnExit1"},
                            std::pair{&form.MemoPopupMenu, L"SaveOnExit2"},
                            std::pair{&form.ComboBoxPopupMenu, L"SaveOnExit3"}}) {
    EXPECT_EQ(menu->Find(name)->action, &form.ActionSaveExit) << name;
  }
  return form.ActionSaveExit.checked;
}

void ExpectDefaults(TForm1& form) {
  const RECT bounds = OuterBounds(form.Handle());
  EXPECT_EQ(bounds.left, 338);
  EXPECT_EQ(bounds.top, 152);
  EXPECT_EQ(bounds.right - bounds.left, 266);
  EXPECT_EQ(bounds.bottom - bounds.top, 161);
  EXPECT_TRUE(form.ActionFull.checked);
  EXPECT_FALSE(form.ActionNormal.checked);
  EXPECT_TRUE(form.ActionAutomeaning.checked);
  EXPECT_FALSE(form.ActionStayOnTop.checked);
  EXPECT_FALSE(form.ActionHidStatusBar.checked);
  EXPECT_TRUE(form.StatusBar1.Visible());
  EXPECT_FALSE(form.ActionTaskbarScroller.checked);
}

TEST_F(Lifecycle, WithoutASettingsFileTheDefaultsApply) {
  OpenAsCreated(NumberedWords(50));
  ExpectDefaults(*form);
  EXPECT_TRUE(SaveOnExitMarked(*form));
  EXPECT_EQ(form->CurrentIndex(), 1);
  EXPECT_EQ(SearchText(), L"w000001");
  EXPECT_TRUE(form->InClipboardChain());
}

TEST_F(Lifecycle, AFirstByteOfZeroTurnsSaveOnExitOffAndKeepsTheDefaults) {
  folder.WriteFile("DicSet.vq", SettingsBytes(false, 500, 400, 10, 20, "\1\1\1\1\1"));
  OpenAsCreated(NumberedWords(50));
  ExpectDefaults(*form);
  EXPECT_FALSE(SaveOnExitMarked(*form));
}

TEST_F(Lifecycle, AShortFileCountsAsNone) {
  folder.WriteFile("DicSet.vq", SettingsBytes(true, 500, 400, 10, 20, "\1\1\1\1"));
  OpenAsCreated(NumberedWords(50));
  ExpectDefaults(*form);
  EXPECT_TRUE(SaveOnExitMarked(*form));
}

TEST_F(Lifecycle, AllSwitchesOnAndTheStoredGeometry) {
  folder.WriteFile("DicSet.vq", SettingsBytes(true, 420, 300, 40, 30, "\1\1\1\1\1"));
  OpenAsCreated(NumberedWords(50));
  const RECT bounds = OuterBounds(form->Handle());
  EXPECT_EQ(bounds.left, 40);
  EXPECT_EQ(bounds.top, 30);
  EXPECT_EQ(bounds.right - bounds.left, 420);
  EXPECT_EQ(bounds.bottom - bounds.top, 300);
  EXPECT_TRUE(form->ActionAutomeaning.checked);
  EXPECT_TRUE(form->ActionStayOnTop.checked);
  EXPECT_TRUE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(form->ActionHidStatusBar.checked);
  EXPECT_FALSE(IsWindowVisible(form->StatusBar1.Handle()));
  EXPECT_TRUE(form->ActionFull.checked);
  EXPECT_TRUE(form->ActionTaskbarScroller.checked);
  form->Timer1Timer();
  EXPECT_EQ(application.Title(), L"w000001   -Vark");
}

// A place stored on a monitor that is gone: the window opens on the screen, its size kept.
TEST_F(Lifecycle, AStoredPlaceOffEveryMonitorComesBackOnTheScreen) {
  folder.WriteFile("DicSet.vq", SettingsBytes(true, 300, 200, 5000, -100000, "\1\0\0\1\0"s));
  OpenAsCreated(NumberedWords(50));
  const RECT bounds = OuterBounds(form->Handle());
  EXPECT_EQ(bounds.right - bounds.left, 300);
  EXPECT_EQ(bounds.bottom - bounds.top, 200);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_GE(bounds.left, work.left);
  EXPECT_LE(bounds.right, work.right);
  EXPECT_GE(bounds.top, work.top);
  EXPECT_LE(bounds.bottom, work.bottom);
}

TEST_F(Lifecycle, AStoredNormalViewAndATinyHeight) {
  folder.WriteFile("DicSet.vq", SettingsBytes(true, 300, 10, 40, 30, "\0\0\0\0\0"s));
  OpenAsCreated(NumberedWords(50));
  EXPECT_TRUE(form->ActionNormal.checked);
  EXPECT_FALSE(form->ActionAutomeaning.checked);
  EXPECT_FALSE(form->ListBandShown());
  EXPECT_LT(form->VisibleRows(), 2);
  EXPECT_EQ(form->ScrollBar1.LargeChange(), 10) << "the design value stays";
  EXPECT_EQ(form->CurrentIndex(), 1);
}

TEST_F(Lifecycle, ClosingWritesTheTwentyTwoBytesAndAgainTheSame) {
  OpenAsCreated(NumberedWords(50));
  form->ActionHidStatusBar.Execute();
  ui::Choose(*form->MainPopupMenu.Find(L"SaveOnExit1"));
  EXPECT_FALSE(SaveOnExitMarked(*form));
  SetWindowPos(form->Handle(), nullptr, 60, 70, 280, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  Close();
  EXPECT_EQ(folder.ReadFile("DicSet.vq"), SettingsBytes(false, 280, 200, 60, 70, "\1\0\1\1\0"s));
  EXPECT_FALSE(std::filesystem::exists(folder / "DicSet.vq.new"));

  form = std::make_unique<TForm1>(application);
  ASSERT_TRUE(form->Create());
  EXPECT_FALSE(SaveOnExitMarked(*form));
  ExpectDefaults(*form);
  ui::Choose(*form->ComboBoxPopupMenu.Find(L"SaveOnExit3"));
  EXPECT_TRUE(SaveOnExitMarked(*form));
  Close();
  const std::string first = folder.ReadFile("DicSet.vq");
  EXPECT_EQ(first, SettingsBytes(true, 266, 161, 338, 152, "\1\0\0\1\0"s));
  form = std::make_unique<TForm1>(application);
  ASSERT_TRUE(form->Create());
  Close();
  EXPECT_EQ(folder.ReadFile("DicSet.vq"), first) << "no changes, the same bytes";
}

// A window closed while maximized keeps its restored place and size, and the switches changed
// in that session.
TEST_F(Lifecycle, ClosingWhileMaximizedKeepsTheRestoredPlaceAndTheSwitches) {
  folder.WriteFile("DicSet.vq", SettingsBytes(true, 420, 300, 40, 30, "\1\0\0\1\0"s));
  OpenAsCreated(NumberedWords(50));
  form->ActionStayOnTop.Execute();
  ShowWindow(form->Handle(), SW_MAXIMIZE);
  Pump();
  ASSERT_TRUE(IsZoomed(form->Handle()));
  Close();
  EXPECT_EQ(folder.ReadFile("DicSet.vq"), SettingsBytes(true, 420, 300, 40, 30, "\1\1\0\1\0"s));
}

TEST_F(Lifecycle, AProtectedOrLockedFileStaysAsItWas) {
  const std::string stored = SettingsBytes(true, 420, 300, 40, 30, "\1\0\0\1\0"s);
  folder.WriteFile("DicSet.vq", stored);
  OpenAsCreated(NumberedWords(50));
  Close();
  EXPECT_EQ(folder.ReadFile("DicSet.vq"), stored) << "no change, the same bytes";

  SetFileAttributesW(L"DicSet.vq", FILE_ATTRIBUTE_READONLY);
  form = std::make_unique<TForm1>(application);
  ASSERT_TRUE(form->Create());
  form->ActionStayOnTop.Execute();
  Close();
  EXPECT_EQ(folder.ReadFile("DicSet.vq"), stored);
  SetFileAttributesW(L"DicSet.vq", FILE_ATTRIBUTE_NORMAL);

  form = std::make_unique<TForm1>(application);
  ASSERT_TRUE(form->Create());
  HANDLE held = CreateFileW(L"DicSet.vq", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  form->ActionStayOnTop.Execute();
  Close();
  CloseHandle(held);
  EXPECT_EQ(folder.ReadFile("DicSet.vq"), stored);
  EXPECT_FALSE(std::filesystem::exists(folder / "DicSet.vq.new"));
}

// Another program in the clipboard viewer chain: counts what reaches it and passes it on.
class TestViewer {
 public:
  TestViewer() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VarkamTestViewer";
    RegisterClassW(&windowClass);
    window_ = CreateWindowW(L"VarkamTestViewer", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    next_ = SetClipboardViewer(window_);
  }
  ~TestViewer() {
    Leave();
    DestroyWindow(window_);
  }
  void Leave() {
    if (inChain_) {
      ChangeClipboardChain(window_, next_);
      inChain_ = false;
    }
  }
  HWND Handle() const { return window_; }
  HWND Next() const { return next_; }
  int Notifications() const { return notifications_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TestViewer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_DRAWCLIPBOARD) {
      ++self->notifications_;
      if (self->next_ != nullptr) {
        SendMessageW(self->next_, message, wParam, lParam);
      }
      return 0;
    }
    if (self != nullptr && message == WM_CHANGECBCHAIN) {
      if (reinterpret_cast<HWND>(wParam) == self->next_) {
        self->next_ = reinterpret_cast<HWND>(lParam);
      } else if (self->next_ != nullptr) {
        SendMessageW(self->next_, message, wParam, lParam);
      }
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
  HWND next_ = nullptr;
  bool inChain_ = true;
  int notifications_ = 0;
};

DictionaryLayout AnimalWords() {
  DictionaryLayout layout;
  for (const char* word : {"ant", "bee", "cat", "dog", "eel", "fox"}) {
    layout.entries.emplace_back(word, " \xA4");
  }
  return layout;
}

TEST_F(Lifecycle, CopiedTextIsLookedUpAndTheChainIsKept) {
  TestViewer before;  // joined before the window: the window's next viewer
  OpenAsCreated(AnimalWords());
  TestViewer after;  // joined after: the window is its next viewer
  EXPECT_EQ(form->NextClipboardViewer(), before.Handle());
  EXPECT_EQ(after.Next(), form->Handle());

  const int seen = before.Notifications();
  PutOnClipboard(L"dog");
  EXPECT_EQ(form->CurrentIndex(), 4);
  EXPECT_EQ(SearchText(), L"dog");
  EXPECT_EQ(form->ComboBox1.Items(), std::vector<std::wstring>{L"dog"});
  EXPECT_EQ(before.Notifications(), seen + 1) << "passed on";
  PutOnClipboard(L"dog");
  EXPECT_EQ(form->ComboBox1.Items().size(), 1u) << "looked up again, kept once";

  PutOnClipboard(L"fox\r\ncat");
  EXPECT_EQ(form->CurrentIndex(), 6);
  EXPECT_EQ(SearchText(), L"fox") << "the first line only";

  form->ActionStayOnTop.Execute();
  form->ActionStayOnTop.Execute();
  PutOnClipboard(L"bee");
  EXPECT_EQ(form->CurrentIndex(), 2) << "still in the chain after Stay on top";

  before.Leave();  // the window's next viewer leaves
  EXPECT_EQ(form->NextClipboardViewer(), nullptr);
  PutOnClipboard(L"cat");
  EXPECT_EQ(form->CurrentIndex(), 3);
  EXPECT_GT(after.Notifications(), 0);
}

// A reader copies a word with what surrounds it in the text; a copy of millions of characters
// is read no further than a word can reach.
TEST_F(Lifecycle, ACopiedWordIsFoundWhateverSurroundsIt) {
  OpenAsCreated(AnimalWords());
  PutOnClipboard(L"\u201Ccat\u201D,");
  EXPECT_EQ(form->CurrentIndex(), 3);
  EXPECT_EQ(SearchText(), L"cat");
  PutOnClipboard(L"(dog's)");
  EXPECT_EQ(form->CurrentIndex(), 4);
  EXPECT_EQ(form->ComboBox1.Items(), (std::vector<std::wstring>{L"dog", L"cat"}));

  PutOnClipboard(L"bee" + std::wstring(2'000'000, L' ') + L"ant");
  EXPECT_EQ(form->CurrentIndex(), 2);
  EXPECT_EQ(SearchText(), L"bee");
  const auto content = ui::ReadClipboard(form->Handle(), CopiedTextLimit);
  ASSERT_TRUE(content && content->text);
  EXPECT_EQ(content->text->size(), CopiedTextLimit);
}

TEST_F(Lifecycle, WhatIsNotLookedUp) {
  TestViewer before;
  OpenAsCreated(AnimalWords());
  PutOnClipboard(L"eel");
  ASSERT_EQ(form->CurrentIndex(), 5);
  const int seen = before.Notifications();

  PutOnClipboard(L"");
  EXPECT_EQ(form->CurrentIndex(), 5) << "an empty text";

  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(CF_BITMAP, CreateBitmap(4, 4, 1, 32, nullptr));
  CloseClipboard();
  Pump();
  EXPECT_EQ(form->CurrentIndex(), 5) << "a picture";

  PutOnClipboard(L"ant", {L"ExcludeClipboardContentFromMonitorProcessing"});
  EXPECT_EQ(form->CurrentIndex(), 5) << "a password manager's copy";
  PutOnClipboard(L"bee", {L"Clipboard Viewer Ignore"});
  EXPECT_EQ(form->CurrentIndex(), 5);
  EXPECT_EQ(form->ComboBox1.Items(), std::vector<std::wstring>{L"eel"}) << "nor recorded";

  form->ActionAutomeaning.Execute();
  PutOnClipboard(L"bee");
  EXPECT_EQ(form->CurrentIndex(), 5) << "Clipboard meaning off";
  EXPECT_EQ(before.Notifications(), seen + 5) << "every change passed on";
}

// Text the code page cannot hold is no English word: not looked up, not recorded.
TEST_F(Lifecycle, CopiedPersianTextIsPassedOver) {
  OpenAsCreated(AnimalWords());
  PutOnClipboard(L"eel");
  ASSERT_EQ(form->CurrentIndex(), 5);
  PutOnClipboard(L"\u0633\u06AF \u062A\u0627\u0632\u06CC");
  EXPECT_EQ(form->CurrentIndex(), 5);
  EXPECT_EQ(SearchText(), L"eel");
  EXPECT_EQ(form->ComboBox1.Items(), std::vector<std::wstring>{L"eel"});
  PutOnClipboard(L"fox\r\n\u0633\u06AF");
  EXPECT_EQ(form->CurrentIndex(), 6) << "only the first line counts";
}

// A viewer after the window that has stopped answering: the window goes on looking words up.
class HungViewer {
 public:
  HungViewer() : thread_([this] { Run(); }) {
    while (!joined_.load()) {
      Sleep(10);
    }
  }
  ~HungViewer() {
    SetEvent(release_);
    thread_.join();
    CloseHandle(release_);
  }

 private:
  void Run() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
      auto* self = reinterpret_cast<HungViewer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
      if (message == WM_DRAWCLIPBOARD && self != nullptr && self->joined_.load()) {
        WaitForSingleObject(self->release_, INFINITE);  // stops answering
        return LRESULT{0};
      }
      return DefWindowProcW(window, message, wParam, lParam);
    };
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VarkamHungViewer";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"VarkamHungViewer", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    HWND next = SetClipboardViewer(window);
    joined_ = true;
    MSG message{};
    while (WaitForSingleObject(release_, 0) == WAIT_TIMEOUT) {
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
      }
      Sleep(10);
    }
    ChangeClipboardChain(window, next);
    DestroyWindow(window);
  }

  HANDLE release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<bool> joined_{false};
  std::thread thread_;
};

TEST_F(Lifecycle, AHungViewerAfterTheWindowCannotStopIt) {
  HungViewer hung;  // joined before the window: the window's next viewer
  OpenAsCreated(AnimalWords());
  PutOnClipboard(L"bee");
  EXPECT_EQ(form->CurrentIndex(), 2);
  PutOnClipboard(L"fox");
  EXPECT_EQ(form->CurrentIndex(), 6) << "the window still answers";
  Close();
}

TEST_F(Lifecycle, TextOnTheClipboardAtStartUpIsLookedUp) {
  ASSERT_TRUE(PutTextOnClipboard(L"fox"));
  OpenAsCreated(AnimalWords());
  EXPECT_EQ(form->CurrentIndex(), 6);
  EXPECT_EQ(SearchText(), L"fox");
}

TEST_F(Lifecycle, TheKeyboardLayoutFollowsTheFocus) {
  OpenAsCreated(AnimalWords());
  application.SetKeyboardLayouts("00000429", "00000409");
  ui::Control::SetFocusListener([this](HWND control) { application.ControlFocused(control); });
  SetFocus(form->TntMemo1.Handle());
  EXPECT_EQ(application.LastKeyboardLayout(), "00000429");
  SetFocus(form->ComboBox1.EditHandle());
  EXPECT_EQ(application.LastKeyboardLayout(), "00000409");
  SetFocus(form->TntMemo1.Handle());
  std::string inAboutBox;
  TAboutBox::ShowModal(form->Handle(), [&](TAboutBox& box) {
    inAboutBox = application.LastKeyboardLayout();
    box.OKButtonClick();
  });
  EXPECT_EQ(inAboutBox, "00000409") << "its OK button reads left to right";
  ui::Control::SetFocusListener(nullptr);
}

// The picture opens the web site on a click: a press and a release both on it.
TEST_F(Lifecycle, TheAboutBoxPictureOpensTheWebSiteOnAWholeClick) {
  OpenAsCreated(AnimalWords());
  int openings = -1;
  TAboutBox::ShowModal(form->Handle(), [&](TAboutBox& box) {
    openings = 0;
    box.openWebSite = [&] { ++openings; };
    const auto mouse = [&box](UINT message, int x, int y) {
      SendMessageW(box.Handle(), message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                   MAKELPARAM(x, y));
    };
    const POINT banner{150, 100};
    const POINT picture{150, 300};
    mouse(WM_LBUTTONDOWN, banner.x, banner.y);
    mouse(WM_LBUTTONUP, picture.x, picture.y);
    EXPECT_EQ(openings, 0) << "the press began on the banner";
    mouse(WM_LBUTTONDOWN, picture.x, picture.y);
    mouse(WM_LBUTTONUP, banner.x, banner.y);
    EXPECT_EQ(openings, 0) << "released off the picture";
    mouse(WM_LBUTTONDOWN, picture.x, picture.y);
    mouse(WM_LBUTTONUP, picture.x, picture.y);
    box.OKButtonClick();
  });
  EXPECT_EQ(openings, 1);
}

// The about box moved to a display of 144 dpi: one and a half times as large, its pictures
// drawn at that size from the larger ones.
TEST_F(Lifecycle, TheAboutBoxFollowsADpiChange) {
  OpenAsCreated(AnimalWords());
  RECT client96{};
  RECT client144{};
  RECT button144{};
  COLORREF cover96 = 0;
  COLORREF cover144 = 0;
  // A point on the book's blue cover: (45, 100) in the picture at 96 dpi.
  const auto pixel = [](HWND window, int x, int y) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = GetDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
  };
  TAboutBox::ShowModal(form->Handle(), [&](TAboutBox& box) {
    GetClientRect(box.Handle(), &client96);
    cover96 = pixel(box.Handle(), 6 + 45, 156 + 100);
    RECT suggested{0, 0, 465, 650};
    AdjustWindowRectEx(&suggested, static_cast<DWORD>(GetWindowLongW(box.Handle(), GWL_STYLE)),
                       FALSE, static_cast<DWORD>(GetWindowLongW(box.Handle(), GWL_EXSTYLE)));
    SendMessageW(box.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    GetClientRect(box.Handle(), &client144);
    GetWindowRect(box.OKButton.Handle(), &button144);
    MapWindowPoints(HWND_DESKTOP, box.Handle(), reinterpret_cast<POINT*>(&button144), 2);
    cover144 = pixel(box.Handle(), 77, 384);
    box.OKButtonClick();
  });
  EXPECT_EQ(client96.right, 310);
  EXPECT_EQ(client96.bottom, 433);
  EXPECT_EQ(client144.right, 465);
  EXPECT_EQ(client144.bottom, 650);
  EXPECT_EQ(button144.left, 23);
  EXPECT_EQ(button144.top, 596);
  EXPECT_EQ(button144.right - button144.left, 96);
  EXPECT_EQ(button144.bottom - button144.top, 33);
  const auto alike = [](COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) < 24 &&
           std::abs(GetGValue(a) - GetGValue(b)) < 24 && std::abs(GetBValue(a) - GetBValue(b)) < 24;
  };
  const COLORREF coverBlue = RGB(0x1B, 0x4F, 0x9C);
  EXPECT_TRUE(alike(cover96, coverBlue)) << std::hex << cover96;
  EXPECT_TRUE(alike(cover144, coverBlue)) << std::hex << cover144 << ": the picture is not scaled";
}

}  // namespace
}  // namespace varkam::testing
