#pragma once

// The main window: the word list with its scroll bar, the search box with its recent words,
// the right-to-left meaning pane, the status bar, and the switches of its pop-up menus. What
// the window knows and decides lives in the portable LookupSession; this class turns each
// control event into a command of it and renders the answer on the real controls, writing only
// what changed. Its methods are spread over one file per concern.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "rules/LookupSession.h"
#include "ui/Actions.h"
#include "ui/Application.h"
#include "ui/ComboBox.h"
#include "ui/ListBox.h"
#include "ui/Resources.h"
#include "ui/ScrollBar.h"
#include "ui/TextControls.h"
#include "ui/Window.h"

namespace varkam {

class TForm1 : public ui::Window {
 public:
  explicit TForm1(ui::Application& application);
  ~TForm1() override;

  // Creates the window and its controls, then runs FormCreate. False when the window could
  // not be made or the dictionary could not be opened (the failure has been reported then).
  bool Create();

  // Each handler turns one event into a command of the session and renders its answer.
  // Word list (WordList.cpp).
  void ScrollBar1Change(int position);
  void ListBox1Click(int row);
  bool ListBox1KeyDown(WORD key);  // true when the key was handled here
  void ListBox1DblClick();

  // Search box (SearchBox.cpp).
  void ComboBox1Change(const std::wstring& typed);
  void ComboBox1Caret();
  std::optional<ui::ComboBox::Completed> ComboBox1Completion(const std::wstring& text,
                                                             std::size_t selectionStart,
                                                             std::size_t selectionEnd,
                                                             wchar_t typed);
  void ComboBox1KeyDown(WORD key);
  void Paste3Click();
  void SelectAll3Click();
  void MenuCopyClick();
  void copy1Click();
  void SelectAll1Click();

  // Layout and views (Layout.cpp).
  void FormResize();
  void FormDpiChanged(int dpi, const RECT& suggested);
  void Shape1MouseDown(int x, int y);
  void Shape1MouseMove(bool leftButtonDown, int x, int y);

  // Clipboard meaning (Clipboard.cpp).
  void OnDrawClipboard();
  void OnChangeClipboardChain(HWND leaving, HWND following);
  void CheckClipboard();
  HWND NextClipboardViewer() const { return nextClipboardViewer_; }

  // The switches and commands of the pop-up menus (Lifecycle.cpp).
  void ActionAutomeaningExecute();
  void ActionStayOnTopExecute();
  void ActionHidStatusBarExecute();
  void ActionFullExecute();
  void ActionNormalExecute();
  void ActionTaskbarScrollerExecute();
  void ActionSaveExitExecute();
  void ActionAboutExecute();

  // Lifecycle (Lifecycle.cpp), and what the window shows (Render.cpp).
  void FormCreate();
  void FormClose();
  void FormActivate(bool active);
  void Timer1Timer();

  // What the window knows, for those who look on: the session's view, which the controls show.
  const WindowView* SessionView() const { return session_ ? &session_->View() : nullptr; }
  std::int32_t CurrentIndex() const { return session_ ? session_->CurrentIndex() : 0; }
  std::int32_t PageTop() const { return session_ ? session_->PageTop() : 0; }
  std::uint16_t VisibleRows() const { return session_ ? session_->VisibleRows() : 0; }
  bool InClipboardChain() const { return inClipboardChain_; }
  Bounds Shape1Bounds() const { return shown_.layout.splitter; }
  Bounds AboutButtonBounds() const { return shown_.layout.aboutButton; }
  bool ListBandShown() const { return shown_.switches.fullView; }

  // The controls and actions, as the user meets them.
  ui::ListBox ListBox1;
  ui::ScrollBar ScrollBar1;
  ui::ComboBox ComboBox1;
  ui::Memo TntMemo1;
  ui::StatusBar StatusBar1;
  ui::Timer Timer1;

  ui::Action ActionAutomeaning;
  ui::Action ActionStayOnTop;
  ui::Action ActionHidStatusBar;
  ui::Action ActionFull;
  ui::Action ActionNormal;
  ui::Action ActionView;
  ui::Action ActionTaskbarScroller;
  ui::Action ActionSaveExit;
  ui::Action ActionAbout;

  ui::PopupMenu MainPopupMenu;
  ui::PopupMenu ComboBoxPopupMenu;
  ui::PopupMenu MemoPopupMenu;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool CreateControls();
  void BindHandlers();
  void BuildMenus();
  void ShowMenuFor(HWND control, POINT screen);
  void Paint();
  void RepaintAboutButton();
  void MouseDown(UINT message, int x, int y);
  void MouseMove(WPARAM keys, int x, int y);
  void MouseUp(UINT message, int x, int y);
  bool SetCursorShape();
  void Run(const std::function<const WindowView&(LookupSession&)>& command);
  void Render(const WindowView& view);
  void RenderLayout(const Layout& layout);
  void RenderFonts(const Layout& layout);
  void RenderSwitches(const Switches& switches);
  ui::Action& ActionOf(Switch which);  // the action that shows a switch's check mark
  std::pair<int, int> ClientSize() const;
  // Where the stored size and place put the window, on a monitor that is there (Settings.cpp).
  std::optional<Bounds> StoredPlacement(const std::optional<SettingsRecord>& stored) const;
  // The window's outer bounds, as it stands when neither minimized nor maximized.
  Bounds RestoredBounds() const;

  ui::Application& application_;
  std::optional<LookupSession> session_;
  WindowView shown_;       // what the controls show now
  bool anyShown_ = false;  // nothing has been rendered yet
  ui::Font windowFont_;    // at the layout's dpi
  ui::Font meaningFont_;

  bool changingDpi_ = false;  // the window takes the size of a new dpi
  bool splitterHeld_ = false;
  bool aboutPressed_ = false;
  bool aboutHot_ = false;
  HWND lastFocus_ = nullptr;
  HWND nextClipboardViewer_ = nullptr;
  bool inClipboardChain_ = false;
};

// The settings file in the current folder. Reading gives nothing for a missing, locked or
// short file; writing replaces the file only with a complete one and says whether it did.
std::optional<SettingsRecord> ReadSettingsFile();
bool WriteSettingsFile(const SettingsRecord& settings);

}  // namespace varkam
