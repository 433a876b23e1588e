#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/Launcher.h"
#include "common/ProgramPaths.h"
#include "common/UserPrompts.h"
#include "update/Internet.h"

namespace qvx {

// The maker's home page.
inline constexpr std::string_view kWebsiteAddress = "https://www.velmora.com/";

// "quillvox version 5.0.10 ." CR LF "Velmora" (the blank before "." stands
// for the legal notice, empty in this release).
std::string AboutText();

// "&about": the about text, OK, no icon, the application title.
void HelpMenuAbout(UserPrompts& prompts);

// "&read documentation" and F1: opens readme.txt of the program folder, or
// says it could not be found.
void HelpMenuReadme(UserPrompts& prompts, Launcher& launcher, const ProgramPaths& paths);

// "&visit the website": opens the home page; says so when no browser starts.
void HelpMenuVisitWebsite(UserPrompts& prompts, Launcher& launcher);

// "&Check For Updates" with the hosts and folders given: the check, then the
// offer or the "Error" box. endProgram must end the program at once; it runs
// only after an installer has started.
void RunUpdateCheck(UserPrompts& prompts, Launcher& launcher, const NetworkConfig& config,
                    const ProgramPaths& paths, const std::function<void()>& endProgram);

// "&Check For Updates" with the hosts of settings.ini and the user's folders.
void HelpMenuCheckForUpdates(UserPrompts& prompts, Launcher& launcher, const ProgramPaths& paths,
                             const std::function<void()>& endProgram);

}  // namespace qvx
