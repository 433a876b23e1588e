#include "common/UserPrompts.h"

#include "common/TextFile.h"

namespace qvx {

bool UserPrompts::Succeeded(const Result<void>& result) {
    if (!result.ok()) ReportFailure(result.error());
    return result.ok();
}

}  // namespace qvx
