#pragma once

// A real main window over a small dictionary made by the test, driven by the messages that the
// user's typing, keys and clicks produce.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "DicFor/TForm1.h"
#include "support/TestFolder.h"
#include "ui/Application.h"

namespace varkam::testing {

class WindowTest : public ::testing::Test {
 protected:
  WindowTest();  // starts from an empty clipboard, so that no test sees another's copy
  ~WindowTest() override;

  // Writes the dictionary into a fresh folder, makes it the current one, and opens the window
  // with a client area of the given size.
  void Open(const DictionaryLayout& layout, int clientWidth = 359, int clientHeight = 336);
  // The same, leaving the window as its creation made it.
  void OpenAsCreated(const DictionaryLayout& layout);
  // Closes the window as the user does, and waits until it is gone.
  void Close();
  void SetClientSize(int width, int height);

  void Pump();
  void Type(const std::wstring& text);  // characters typed into the search box
  void KeyInSearchBox(WORD key);
  void KeyInList(WORD key);
  void ClickRow(int row);
  void Scroll(WORD code);  // what the scroll bar sends its window
  void PutOnClipboard(const std::wstring& text, std::initializer_list<const wchar_t*> marks = {});

  std::wstring SearchText() const { return form->ComboBox1.Text(); }
  std::wstring Meaning() const { return form->TntMemo1.Text(); }
  std::wstring Caption() const { return form->Caption(); }
  std::wstring StatusText() const;
  std::wstring HighlightedRowText() const;
  std::wstring Row(int row) const { return form->ListBox1.RowText(row); }
  RECT ClientBounds(HWND control) const;
  std::pair<DWORD, DWORD> SearchSelection() const;
  // That every control shows what the session's view says: the rows and the highlight, the
  // caption, status text, search text and meaning, the scroll bar, the recent words, the check
  // marks, the title, and every control's place. `after` names the event for the failures.
  void ExpectControlsShowTheView(const char* after);
  // Each event in turn, each followed by that check.
  void DriveAndCheck(std::initializer_list<std::pair<const char*, std::function<void()>>> events);

  TestFolder folder;
  ui::Application application;
  std::unique_ptr<TForm1> form;

 private:
  std::filesystem::path previousFolder_;
};

}  // namespace varkam::testing
