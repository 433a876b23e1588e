#pragma once

#include <cstdint>
#include <string>

#include "common/ProgramPaths.h"

namespace qvx {

// The seven options as the rest of the program reads them; settings.ini is
// their store and RefreshSettings rebuilds this copy from it.
struct Options {
    bool KeepDataOnExit = true;
    bool ToneSystem = true;  // on: note numbers; off: frequencies
    bool LogErrors = true;
    bool StopAfterFirstError = false;
    bool UseEditor = true;
    bool AutoLineCheck = true;
    bool CheckBeforeRun = true;

    bool operator==(const Options&) const = default;
};

// What an operation asks of its caller once it is done: whether the options,
// the menus and the gender are to be read afresh from the files.
enum class Refresh { NotNeeded, Needed };

// Program-wide state, owned by the main window and passed by reference.
struct ProgramState {
    ProgramPaths paths;
    Options options;
    std::string NextGender = "female";  // what the gender item switches to next
    std::int32_t InputKind = 0;         // 0..29, recorded before the value dialog opens
    bool ScriptCheckPassed = false;     // verdict of the last check or correction
};

}  // namespace qvx
