#include "dialogs/InputKind.h"

namespace qvx {

void SetInputKind(ProgramState& state, std::int32_t kind) {
    if (kind >= kMinInputKind && kind <= kMaxInputKind) state.InputKind = kind;
}

std::int32_t GetInputKind(const ProgramState& state) {
    return state.InputKind;
}

}  // namespace qvx
