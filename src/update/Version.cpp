#include "update/Version.h"

#include "common/NumericText.h"

namespace qvx {

std::string VersionNumberText() {
    return FormatNumber(kVersionMajor) + "." + FormatNumber(kVersionMinor) + "." +
           FormatNumber(kVersionRevision);
}

}  // namespace qvx
