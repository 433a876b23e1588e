#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/ProgramState.h"
#include "support/RecordingPrompts.h"
#include "support/TempFolder.h"

namespace qvx::test {

// A program folder with its state and a recorder for the boxes.
struct CheckerFolder {
    CheckerFolder() { state.paths = folder.paths(); }

    void WriteScript(const std::string& bytes) const { folder.Write("demo.txt", bytes); }
    std::string Script() const { return folder.Read("demo.txt"); }
    std::string Log() const { return folder.Read("errors.log"); }
    std::vector<std::string> Boxes() const { return prompts.Texts(); }

    TempFolder folder;
    ProgramState state;
    RecordingPrompts prompts;
};

class CheckerFixture : public ::testing::Test, public CheckerFolder {};

// Log text lines joined the way errors.log holds them.
inline std::string LogOf(const std::vector<std::string>& entries) {
    std::string log;
    for (const auto& entry : entries) log += entry + "\r\n";
    return log;
}

}  // namespace qvx::test
