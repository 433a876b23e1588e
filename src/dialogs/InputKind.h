#pragma once

#include <cstdint>

#include "common/ProgramState.h"

namespace qvx {

inline constexpr std::int32_t kMinInputKind = 0;
inline constexpr std::int32_t kMaxInputKind = 29;

// Records the kind the value dialog is about to ask for; values outside
// 0..29 leave the recorded kind unchanged.
void SetInputKind(ProgramState& state, std::int32_t kind);
std::int32_t GetInputKind(const ProgramState& state);

}  // namespace qvx
