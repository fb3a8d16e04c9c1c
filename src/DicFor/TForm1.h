#pragma once

// The main window: the word list with its scroll bar, the search box with its recent words,
// the right-to-left meaning pane, the status bar, and the switches of its pop-up menus. The
// decisions live in the portable rules (paging, layout, recent words, entry texts); this class
// applies them to the real controls. Its methods are spread over one file per concern.

#include <cstdint>
#include <memory>
#include <string>

#include "DicFor/EntryTexts.h"
#include "DicFor/LayoutRules.h"
#include "DicFor/RecentWords.h"
#include "DicFor/SettingsRecord.h"
#include "DicFor/WordListPaging.h"
#include "UnitDitionary.h"
#include "ui/Actions.h"
#include "ui/Application.h"
#include "ui/ComboBox.h"
#include "ui/ListBox.h"
#include "ui/ScrollBar.h"
#include "ui/TextControls.h"
#include "ui/Window.h"

namespace varkam {

class TForm1 : public ui::Window {
 public:
  // The modes of ShowEntry.
  enum : std::uint8_t { ShowAndWriteSearchBox = 0, ShowCurrentAgain = 1, ShowKeepSearchBox = 2 };
  // The view codes of SetViewMode.
  enum : std::uint8_t { ViewFull = 5, ViewNormal = 6 };

  explicit TForm1(ui::Application& application);
  ~TForm1() override;

  // Creates the window and its controls, then runs FormCreate. False when the window could
  // not be made or the dictionary could not be opened (the failure has been reported then).
  bool Create();

  // Entry display (EntryDisplay.cpp).
  void ShowEntry(std::int32_t index, std::uint8_t mode);
  void Timer1Timer();

  // Word list (WordList.cpp).
  void FillPage(std::int32_t index);
  void SelectRow(std::int32_t index);
  void NavigateKey(std::uint16_t key);
  void ScrollBar1Change();
  void ListBox1Click();
  void ListBox1KeyDown(WORD key);

  // Search box (SearchBox.cpp).
  void LookUpText(const std::string& text);
  void AddToHistory(const std::string& word, bool fromClipboard);
  void ComboBox1Change();
  void ComboBox1KeyDown(WORD key);
  void Paste3Click();
  void SelectAll3Click();
  void MenuCopyClick();
  void copy1Click();
  void SelectAll1Click();

  // Layout and views (Layout.cpp).
  void ArrangeControls();
  void FormResize();
  void SetViewMode(std::uint8_t view);
  void ActionFullExecute();
  void ActionNormalExecute();
  void ActionStayOnTopExecute();
  void ActionHidStatusBarExecute();
  void Shape1MouseDown(int x, int y);
  void Shape1MouseMove(bool leftButtonDown, int x, int y);
  void ListBox1DblClick();

  // Clipboard meaning (Clipboard.cpp).
  void OnDrawClipboard();
  void OnChangeClipboardChain(HWND leaving, HWND following);
  void CheckClipboard();
  void ClipboardLookUp();
  HWND NextClipboardViewer() const { return nextClipboardViewer_; }

  // Lifecycle and settings (Lifecycle.cpp, Settings.cpp).
  void FormCreate();
  void FormClose();
  void FormActivate(bool active);
  void ActionAboutExecute();
  void SaveOnExit();
  void SetSaveOnExit(bool value);
  void ApplySettings(const std::optional<SettingsRecord>& stored);
  SettingsRecord CurrentSettings() const;

  std::int32_t CurrentIndex() const { return currentIndex_; }
  std::int32_t PageTop() const { return pageTop_; }
  std::uint16_t VisibleRows() const { return visibleRows_; }
  std::int32_t FilledRows() const { return filledRows_; }
  const TitleScroller& Scroller() const { return scroller_; }
  const RecentWords& History() const { return recentWords_; }
  TDictionary* Dictionary() const { return dictionary_.get(); }
  bool InClipboardChain() const { return inClipboardChain_; }
  Bounds Shape1Bounds() const { return shape1_; }
  Bounds AboutButtonBounds() const { return aboutButton_; }
  bool ListBandShown() const { return listShown_; }

  // The controls and actions, as the user meets them.
  ui::ListBox ListBox1;
  ui::ScrollBar ScrollBar1;
  ui::ComboBox ComboBox1;
  ui::Memo TntMemo1;
  ui::StatusBar StatusBar1;
  ui::HiddenEdit Edit1;
  ui::HiddenEdit EditClipboard;
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
  PageShape Shape() const;
  void CreateControls();
  void BindHandlers();
  void BuildMenus();
  void ShowMenuFor(HWND control, POINT screen);
  void Paint();
  void MouseDown(UINT message, int x, int y);
  void MouseMove(WPARAM keys, int x, int y);
  void MouseUp(int x, int y);
  bool SetCursorShape();
  std::string HighlightedRowText() const;

  ui::Application& application_;
  std::unique_ptr<TDictionary> dictionary_;
  HFONT windowFont_ = nullptr;
  HFONT meaningFont_ = nullptr;
  bool created_ = false;

  std::int32_t currentIndex_ = 0;
  std::int32_t pageTop_ = 0;
  std::uint16_t visibleRows_ = 15;
  std::int32_t filledRows_ = 0;
  TitleScroller scroller_;
  RecentWords recentWords_;

  bool listShown_ = true;
  int listWidth_ = DesignListWidth;
  Bounds shape1_{85, 224, SplitterWidth, 65};
  Bounds aboutButton_{328, 8, AboutButtonWidth, SearchRowHeight};
  int grabX_ = 0;
  bool splitterHeld_ = false;
  bool aboutPressed_ = false;
  HWND lastFocus_ = nullptr;
  HWND nextClipboardViewer_ = nullptr;
  bool inClipboardChain_ = false;
  ui::MenuItem* saveOnExit1_ = nullptr;
  ui::MenuItem* saveOnExit2_ = nullptr;
  ui::MenuItem* saveOnExit3_ = nullptr;
};

// The settings file in the current folder. Reading gives nothing for a missing, locked or
// short file; writing replaces the file only with a complete one and says whether it did.
std::optional<SettingsRecord> ReadSettingsFile();
bool WriteSettingsFile(const SettingsRecord& settings);

}  // namespace varkam
