#pragma once

// The about box: a banner, a picture that opens the product's web site, and an OK button.
// A fresh box is made for each opening and destroyed when it closes.

#include <windows.h>

#include "ui/Window.h"

namespace varkam {

class TAboutBox : public ui::Window {
 public:
  TAboutBox();
  ~TAboutBox() override;

  // Shows a new box modally, centred over `owner`, until OK, Enter or the close box ends it.
  static void ShowModal(HWND owner);

  void OKButtonClick();
  void Image1Click();

  HWND OKButton() const { return okButton_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool Create(HWND owner);
  void Paint();
  void Close();

  HWND okButton_ = nullptr;
  HFONT font_ = nullptr;
  struct Pictures;
  Pictures* pictures_ = nullptr;
  bool closed_ = false;
};

}  // namespace varkam
