// The launcher's configuration: defaults, the product table and the reader of "KvSetupX.ini".
// Parses from text only, so it builds and is tested without Windows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "launcher/MenuLanguage.h"

namespace launcher {

struct Product {
  std::string Reference;
  std::string Name;
  std::string SetupAppPath;  // entries each followed by ";"
  std::string UserGuide;     // entries each followed by ";"
};

// Hover and action texts of the four action buttons and the exit button, from the INI file.
struct ButtonTexts {
  std::string browseHover;
  std::string exitHover;
  std::string installHover;
  std::string registerHover;
  std::string manualHover;
  std::string browseAction;
  std::string installAction;
  std::string registerAction;
  std::string manualAction;
  std::string manualCaption;
};

class LauncherConfig {
 public:
  static constexpr size_t kMaxProducts = 16;
  static constexpr size_t kMaxFiles = 16;

  LauncherConfig() = default;

  // Feeds the whole file text; lines end in "\n" (a "\r" before it is dropped, as text mode does).
  void readText(std::string_view text);
  // One line without its line end.
  void readLine(std::string_view line);

  void clearProducts() {
    products_.clear();
    currentKey_.clear();
  }
  const std::vector<Product>& products() const { return products_; }
  size_t productCount() const { return products_.size(); }
  const Product* product(int index) const;
  // The index of the product with the reference, or -1.
  int productIndex(std::string_view reference) const;
  const std::string& currentProductKey() const { return currentKey_; }

  // The language of the file read, which the menu's own texts follow.
  MenuLanguage language = MenuLanguage::Dutch;
  std::string baseFolder;  // always ends in "\"
  std::string stage;
  std::string commonReference;
  std::string video = "setup\\flying.avi";
  std::string dotNetInstaller = "dotnet\\dotnetfx.exe";
  std::string dotNetParameters = "/q:a /c:\"install /l /q\"";
  std::string dotNetDescription;
  std::string mdacInstaller = "mdac\\mdac_typ.exe";
  std::string mdacParameters = "/q:a /c:\"dasetup /l /q N\"";
  std::string mdacDescription;
  std::string wmiInstaller = "wmi\\wmicore.exe";
  std::string targetFolder;
  std::string sourceFolder;
  std::vector<std::string> files;
  std::string hoverSound = "setup\\Ballon.wav";
  std::string buttonSounds[4];
  std::string background = "setup\\bg.bmp";
  std::string acrobat = "Acrobat\\AcroRd32.exe";
  std::string homePage = "https://www.reefsaver.example/";
  std::string supportPage = "https://www.reefsaver.example/support/?ref=";  // the reference follows
  std::string browser;  // a browser program of the CD's choice; empty: the user's own
  ButtonTexts buttons;

 private:
  Product* productForCurrentKey();

  std::vector<Product> products_;
  std::string currentKey_;
};

}  // namespace launcher
