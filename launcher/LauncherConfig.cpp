#include "launcher/LauncherConfig.h"

#include <cstddef>

namespace launcher {
namespace {

std::string lowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

std::string trimSection(std::string_view line) {
  const std::string_view junk = " []";
  size_t first = line.find_first_not_of(junk);
  if (first == std::string_view::npos) return std::string();
  size_t last = line.find_last_not_of(junk);
  return std::string(line.substr(first, last - first + 1));
}

}  // namespace

const Product* LauncherConfig::product(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= products_.size()) return nullptr;
  return &products_[static_cast<size_t>(index)];
}

int LauncherConfig::productIndex(std::string_view reference) const {
  for (size_t i = 0; i < products_.size(); ++i) {
    if (products_[i].Reference == reference) return static_cast<int>(i);
  }
  return -1;
}

Product* LauncherConfig::productForCurrentKey() {
  for (Product& p : products_) {
    if (p.Reference == currentKey_) return &p;
  }
  if (products_.size() >= kMaxProducts) return nullptr;
  products_.push_back(Product{currentKey_, {}, {}, {}});
  return &products_.back();
}

void LauncherConfig::readText(std::string_view text) {
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    readLine(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

void LauncherConfig::readLine(std::string_view line) {
  if (line.empty() || line[0] == ';') return;
  if (line[0] == '[') {
    currentKey_ = trimSection(line);
    return;
  }
  using Apply = void (*)(LauncherConfig&, std::string &&);
  struct KeyRule {
    const char* key;
    Apply apply;
  };
  // The order in which keys are tried; the button keys sit between "background=" and "manual=",
  // the web keys come last.
  static const KeyRule rules[] = {
      {"common_reference=", [](LauncherConfig& c, std::string&& v) { c.commonReference = v; }},
      {"ref=", [](LauncherConfig& c, std::string&& v) {
         c.currentKey_ = v;
         if (Product* p = c.productForCurrentKey()) p->Reference = v;
       }},
      {"name=", [](LauncherConfig& c, std::string&& v) {
         if (Product* p = c.productForCurrentKey()) p->Name = v;
       }},
      {"path=", [](LauncherConfig& c, std::string&& v) {
         if (Product* p = c.productForCurrentKey()) p->SetupAppPath += v + ";";
       }},
      {"avi=", [](LauncherConfig& c, std::string&& v) { c.video = v; }},
      {"dotnet=", [](LauncherConfig& c, std::string&& v) { c.dotNetInstaller = v; }},
      {"dotnetparam=", [](LauncherConfig& c, std::string&& v) { c.dotNetParameters = v; }},
      {"dotnetdescr=", [](LauncherConfig& c, std::string&& v) { c.dotNetDescription = v; }},
      {"mdac=", [](LauncherConfig& c, std::string&& v) { c.mdacInstaller = v; }},
      {"mdacparam=", [](LauncherConfig& c, std::string&& v) { c.mdacParameters = v; }},
      {"mdacdescr=", [](LauncherConfig& c, std::string&& v) { c.mdacDescription = v; }},
      {"wmi=", [](LauncherConfig& c, std::string&& v) { c.wmiInstaller = v; }},
      {"targetdir=", [](LauncherConfig& c, std::string&& v) { c.targetFolder = v; }},
      {"sourcedir=", [](LauncherConfig& c, std::string&& v) { c.sourceFolder = v; }},
      {"file=", [](LauncherConfig& c, std::string&& v) {
         if (c.files.size() < kMaxFiles) c.files.push_back(v);
       }},
      {"wav=", [](LauncherConfig& c, std::string&& v) { c.hoverSound = v; }},
      {"wav1=", [](LauncherConfig& c, std::string&& v) { c.buttonSounds[0] = v; }},
      {"wav2=", [](LauncherConfig& c, std::string&& v) { c.buttonSounds[1] = v; }},
      {"wav3=", [](LauncherConfig& c, std::string&& v) { c.buttonSounds[2] = v; }},
      {"wav4=", [](LauncherConfig& c, std::string&& v) { c.buttonSounds[3] = v; }},
      {"background=", [](LauncherConfig& c, std::string&& v) { c.background = v; }},
      {"dlgbuttonbrowse=", [](LauncherConfig& c, std::string&& v) { c.buttons.browseHover = v; }},
      {"dlgbuttonexit=", [](LauncherConfig& c, std::string&& v) { c.buttons.exitHover = v; }},
      {"dlgbuttoninstall=", [](LauncherConfig& c, std::string&& v) { c.buttons.installHover = v; }},
      {"dlgbuttonregister=",
       [](LauncherConfig& c, std::string&& v) { c.buttons.registerHover = v; }},
      {"dlgbuttonmanual=", [](LauncherConfig& c, std::string&& v) { c.buttons.manualHover = v; }},
      {"dlgbuttonbrowseaction=",
       [](LauncherConfig& c, std::string&& v) { c.buttons.browseAction = v; }},
      {"dlgbuttoninstallaction=",
       [](LauncherConfig& c, std::string&& v) { c.buttons.installAction = v; }},
      {"dlgbuttonregisteraction=",
       [](LauncherConfig& c, std::string&& v) { c.buttons.registerAction = v; }},
      {"dlgbuttonmanualaction=",
       [](LauncherConfig& c, std::string&& v) { c.buttons.manualAction = v; }},
      {"dlgbuttonmanualcaption=",
       [](LauncherConfig& c, std::string&& v) { c.buttons.manualCaption = v; }},
      {"manual=", [](LauncherConfig& c, std::string&& v) {
         if (Product* p = c.productForCurrentKey()) p->UserGuide += v + ";";
       }},
      {"acrobat=", [](LauncherConfig& c, std::string&& v) { c.acrobat = v; }},
      {"homepage=", [](LauncherConfig& c, std::string&& v) { c.homePage = v; }},
      {"supportpage=", [](LauncherConfig& c, std::string&& v) { c.supportPage = v; }},
      {"browser=", [](LauncherConfig& c, std::string&& v) { c.browser = v; }},
  };

  const std::string lower = lowerAscii(line);
  for (const KeyRule& rule : rules) {
    const std::string_view key(rule.key);
    if (startsWith(lower, key)) {
      // Values come from the line as read, so they keep their case and trailing blanks.
      rule.apply(*this, std::string(line.substr(key.size())));
      return;
    }
  }
}

}  // namespace launcher
