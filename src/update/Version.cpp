#include "update/Version.h"

#include "script/Writers.h"

namespace qvx {

std::string VersionNumberText() {
    return FormatNumber(kVersionMajor) + "." + FormatNumber(kVersionMinor) + "." +
           FormatNumber(kVersionRevision);
}

}  // namespace qvx
