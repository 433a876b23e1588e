#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/Launcher.h"
#include "common/ProgramPaths.h"
#include "common/UserPrompts.h"
#include "update/Internet.h"

namespace qvx {

// The help menu's items.

// The maker's home page.
inline constexpr std::string_view kWebsiteAddress = "https://www.velmora.com/";

// "&about": "quillvox version 5.0.10 ." CR LF "Velmora" (the blank before "."
// stands for the legal notice, empty in this release), OK, no icon.
void HelpMenuAbout(UserPrompts& prompts);

// "&read documentation" and F1: opens readme.txt of the program folder, or
// says it could not be found.
void HelpMenuReadme(UserPrompts& prompts, Launcher& launcher, const ProgramPaths& paths);

// "&visit the website": opens the home page; says so when no browser starts.
void HelpMenuVisitWebsite(UserPrompts& prompts, Launcher& launcher);

// Where the update check goes: the compiled-in hosts, unless settings.ini
// names others with the keys UpdateServer and AddressServer in section
// QVNetwork; the user's temporary and download folders.
NetworkConfig LoadNetworkConfig(const std::string& settingsPath);

// "&Check For Updates" with the hosts of settings.ini. endProgram must end
// the program at once; it runs only after an installer has started.
void HelpMenuCheckForUpdates(UserPrompts& prompts, Launcher& launcher, const ProgramPaths& paths,
                             const std::function<void()>& endProgram);

}  // namespace qvx
