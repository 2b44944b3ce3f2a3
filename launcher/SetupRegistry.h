// Registry values that the launcher reads and writes: Program Files, the resume marker in the Run
// key, the MDAC and .NET checks, the PDF reader, and App Paths.
#pragma once

#include <string>

namespace launcher {

// "ProgramFilesDir" of the machine, or "C:\Program Files" when it cannot be read.
std::string programFilesFolder();

// Makes Windows start the launcher at the given stage after the next logon. The chosen product's
// reference is kept beside the Run entry, whose command stays as it always was; an empty
// reference keeps none.
void writeResumeMarker(const std::string& baseFolder, const std::string& stage,
                       const std::string& productReference);
// Removes the Run entry and the product kept with it.
void clearResumeMarker();
// Removes them when the Run entry starts a program that is no longer there (a CD image that was
// unmounted, a disc taken out for good), so that the logon does not try it for ever.
void clearStaleResumeMarker();
// The reference of the product whose installation the marker resumes; empty when none is kept.
std::string resumedProduct();

bool mdacPresent();
bool dotNetPresent();

// The installed PDF reader: a fixed Acrobat 6.0 path unless the registry names a later one, in
// either registry view.
std::string findPdfReader();

// App Paths entry for a program: its full path and the folder to put on the search path.
void registerAppPath(const std::string& name, const std::string& path, const std::string& folder);

}  // namespace launcher
