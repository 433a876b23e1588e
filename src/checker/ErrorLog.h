#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace qvx {

class UserPrompts;

// errors.log, written from scratch by each check or correction: one entry per
// finding, each a line ending in CR LF. The first failure to write it is
// reported; the check itself goes on.
class ErrorLog {
  public:
    ErrorLog(std::string path, UserPrompts& prompts);
    ~ErrorLog();
    ErrorLog(const ErrorLog&) = delete;
    ErrorLog& operator=(const ErrorLog&) = delete;

    void Append(std::string_view entry);
    void Close();
    // Closes the log and deletes it; a log already gone is no failure.
    void Remove();

  private:
    void Fail();

    std::string path_;
    UserPrompts& prompts_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

}  // namespace qvx
