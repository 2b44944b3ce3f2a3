#include "launcher/LauncherRules.h"

namespace launcher {
namespace {

std::string_view trim(std::string_view text, std::string_view junk) {
  size_t first = text.find_first_not_of(junk);
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of(junk);
  return text.substr(first, last - first + 1);
}

// The leading decimal digits of a version part, as atoi reads them (saturating, never overflowing).
long leadingNumber(std::string_view text) {
  long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    if (value < 100000000) value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::vector<std::string> splitList(std::string_view list) {
  std::vector<std::string> pieces;
  while (!list.empty()) {
    size_t end = list.find(';');
    std::string_view piece = trim(list.substr(0, end), " ;");
    if (!piece.empty()) pieces.emplace_back(piece);
    if (end == std::string_view::npos) break;
    list.remove_prefix(end + 1);
  }
  return pieces;
}

std::string withProductName(std::string_view format, std::string_view name) {
  std::string text;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's') {
      text += name;
      ++i;
    } else {
      text += format[i];
    }
  }
  return text;
}

std::string joinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || path.back() != '\\') path += '\\';
  while (!name.empty() && name.front() == '\\') name.remove_prefix(1);
  path += name;
  return path;
}

bool isAbsolutePath(std::string_view path) {
  if (path.size() >= 3 && path[1] == ':' && path[2] == '\\') return true;
  return path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
}

std::string folderOfFile(std::string_view path) {
  size_t cut = path.rfind('\\');
  std::string folder(path.substr(0, cut == std::string_view::npos ? 0 : cut));
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  return folder;
}

std::string quoteArgument(std::string_view argument) {
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes only escape when a quote follows them.
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  quoted += '"';
  return quoted;
}

std::string commandLine(std::string_view program, std::string_view arguments) {
  // The program name is read up to the closing quote without escapes, so it is quoted plainly.
  std::string line = "\"" + std::string(program) + "\"";
  if (!arguments.empty()) {
    line += ' ';
    line += arguments;
  }
  return line;
}

StartArguments parseStartArguments(std::string_view commandLine, std::string_view defaultFolder) {
  StartArguments result;
  std::string_view rest = trim(commandLine, " \t");
  if (rest.empty()) {
    result.baseFolder = std::string(defaultFolder);
  } else {
    // A quoted first token may hold blanks and runs to the closing quote; backslashes are path
    // separators only, so "X:\" works as typed. An unquoted one ends at the first blank.
    size_t end;
    std::string base;
    if (rest[0] == '"') {
      end = rest.find('"', 1);
      base = std::string(rest.substr(1, end == std::string_view::npos ? end : end - 1));
      end = end == std::string_view::npos ? rest.size() : end + 1;
    } else {
      end = rest.find_first_of(" \t");
      if (end == std::string_view::npos) end = rest.size();
      base = std::string(rest.substr(0, end));
    }
    // "C:\cd\\" from a runtime-style quoted argument means the same folder.
    while (base.size() > 1 && base.back() == '\\' && base[base.size() - 2] == '\\') base.pop_back();
    result.baseFolder = base;
    result.stage = std::string(trim(rest.substr(end), " \t"));
  }
  if (result.baseFolder.empty() || result.baseFolder.back() != '\\') result.baseFolder += '\\';
  return result;
}

std::string resumeCommand(std::string_view baseFolder, std::string_view stage) {
  return commandLine(joinPath(baseFolder, "KvSetupX.exe"),
                     "\"" + std::string(baseFolder) + "\" " + std::string(stage));
}

std::string commandProgram(std::string_view command) {
  command = trim(command, " \t");
  if (!command.empty() && command.front() == '"') {
    command.remove_prefix(1);
    return std::string(command.substr(0, command.find('"')));
  }
  return std::string(command.substr(0, command.find_first_of(" \t")));
}

bool mdacVersionPresent(std::string_view version) {
  size_t firstDot = version.find('.');
  long major = leadingNumber(version.substr(0, firstDot));
  long minor = 0;
  if (firstDot != std::string_view::npos) {
    std::string_view after = version.substr(firstDot + 1);
    minor = leadingNumber(after.substr(0, after.find('.')));
  }
  return major > 2 || (major == 2 && minor > 59);
}

bool sourceReplacesDestination(std::optional<uint64_t> source,
                               std::optional<uint64_t> destination) {
  if (!source || !destination) return true;
  return *source >= *destination;
}

std::string expandProgramFiles(std::string_view targetFolder, std::string_view programFiles) {
  static constexpr std::string_view token = "<ProgramFiles>";
  std::string result;
  while (true) {
    size_t at = targetFolder.find(token);
    result += targetFolder.substr(0, at);
    if (at == std::string_view::npos) break;
    result += programFiles;
    targetFolder.remove_prefix(at + token.size());
  }
  return result;
}

std::string startFailureText(StartKind kind, std::string_view target, std::string_view reason,
                             unsigned long code, const MenuTexts& texts) {
  std::string_view name = trim(target, "\"");
  // A path is named by its file name; an address has no backslash and is shown whole.
  const size_t cut = name.rfind('\\');
  if (cut != std::string_view::npos) name.remove_prefix(cut + 1);
  std::string text =
      withProductName(kind == StartKind::Program ? texts.cannotStart : texts.cannotOpen, name) +
      "\n";
  const std::string number = std::to_string(code);
  text += reason.empty()
              ? std::string(texts.errorCode) + " " + number
              : std::string(reason) + " (" + texts.errorCodeAfterReason + " " + number + ")";
  return text;
}

FlowStage flowStageFor(std::string_view stage) {
  if (stage == "1") return FlowStage::Mdac;
  if (stage == "2") return FlowStage::DotNet;
  if (stage == "3") return FlowStage::Files;
  if (stage == "4") return FlowStage::Finish;
  return FlowStage::Wmi;
}

}  // namespace launcher
