// Text rules of the launcher that need no Windows: list fields, hover texts, command lines, the
// resume marker, version rules and the stage at which the installation flow starts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "launcher/MenuLanguage.h"

namespace launcher {

// Splits a list field at ";", trimming blanks and ";" from each piece and skipping empty pieces.
std::vector<std::string> splitList(std::string_view list);

// The hover text with every "%s" replaced by the product name; other "%" are shown as written.
std::string withProductName(std::string_view format, std::string_view name);

// "folder" + "\" + "name" without doubling the separator when the folder already ends in one.
std::string joinPath(std::string_view folder, std::string_view name);

// A path that starts at a drive (X:\...) or a network share (\\server\...), as opposed to one
// taken from the base folder.
bool isAbsolutePath(std::string_view path);

// The folder part of a full file path; a bare drive ("X:") gets "\" appended.
std::string folderOfFile(std::string_view path);

// Quotes one argument so that the Microsoft C runtime reads it back unchanged.
std::string quoteArgument(std::string_view argument);

// A command line that starts exactly the given program: the path quoted, then the arguments as
// given.
std::string commandLine(std::string_view program, std::string_view arguments);

struct StartArguments {
  std::string baseFolder;  // ends in "\"
  std::string stage;
};

// The launcher's command line: the first token is the base folder (quoted when it holds blanks,
// the quotes taken literally), the trimmed rest is the stage. An empty command line gives the
// default folder.
StartArguments parseStartArguments(std::string_view commandLine, std::string_view defaultFolder);

// The command that the Run key holds to resume at the given stage.
std::string resumeCommand(std::string_view baseFolder, std::string_view stage);
// The program a command line starts: up to the closing quote when it starts with one (a missing
// closing quote takes the rest), else up to the first blank.
std::string commandProgram(std::string_view command);

// "FullInstallVer" of MDAC names a version of at least 2.60.
bool mdacVersionPresent(std::string_view fullInstallVersion);

// File versions as (most significant << 32 | least significant); absent when a file has no version
// resource. The source replaces the destination when either is unknown or the source is not older.
bool sourceReplacesDestination(std::optional<uint64_t> source, std::optional<uint64_t> destination);

// Replaces the token "<ProgramFiles>" in the target folder.
std::string expandProgramFiles(std::string_view targetFolder, std::string_view programFiles);

enum class StartKind { Program, Open };

// The status text when a program could not be started or a document or address not opened: the
// file's name (or the address), then on the next line the system's reason and the error code, in
// the words of the menu's language.
std::string startFailureText(StartKind kind, std::string_view target, std::string_view reason,
                             unsigned long code, const MenuTexts& texts);

enum class FlowStage { Wmi, Mdac, DotNet, Files, Finish };

// Where a (resumed) installation begins: "1" MDAC, "2" .NET, "3" files, "4" the final marker,
// anything else from the start.
FlowStage flowStageFor(std::string_view stage);

}  // namespace launcher
