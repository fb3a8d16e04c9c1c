#pragma once

// The about box: a banner, a picture that opens the product's web site, and an OK button.
// A fresh box is made for each opening and destroyed when it closes.

#include <windows.h>

#include <functional>
#include <memory>

#include "rules/AboutBoxLayout.h"
#include "rules/Resample.h"
#include "ui/Resources.h"
#include "ui/TextControls.h"
#include "ui/Window.h"

namespace varkam {

class TAboutBox : public ui::Window {
 public:
  TAboutBox();
  ~TAboutBox() override;

  // Shows a new box modally, centred over `owner`, until OK, Enter or the close box ends it.
  // `opened` is told of the box once it shows, before the user meets it.
  static void ShowModal(HWND owner, const std::function<void(TAboutBox&)>& opened = {});

  void OKButtonClick();
  void Image1Click();

  ui::Button OKButton;
  // Opens the product's web site; the system's browser unless told otherwise.
  std::function<void()> openWebSite;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool Create(HWND owner);
  bool CreateControls();
  // Places the controls, makes the font and draws the pictures for the layout's dpi.
  void ApplyLayout(const AboutBoxLayout& layout);
  void Paint();
  void Close();

  AboutBoxLayout layout_;
  ui::Font font_;
  ui::Label versionLabel_;
  ui::Label copyrightLabel_;
  ui::Label contactLine_;
  struct Pictures;
  std::unique_ptr<Pictures> pictures_;
  bool imagePressed_ = false;  // the press began on the picture
  bool closed_ = false;
};

}  // namespace varkam
