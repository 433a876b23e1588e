#pragma once

#include <array>
#include <string_view>

#include "checker/RuleConditions.h"

namespace qvx {

// One rule of the full check: when it fires on a command line, the box text
// is shown and the log text goes to errors.log. {N} is the line number, {L}
// the line, {F} the wave file name.
struct CheckRule {
    RuleCondition when;
    FindingKind kind;
    std::string_view boxText;
    std::string_view logText;
};

inline constexpr CheckRule kMissingBracketRule{kNoCloseBracket, FindingKind::Error,
                                               "error! missing close brackets on line {N}: {L}",
                                               "error: missing close bracket ] on line {N}: {L}"};
inline constexpr CheckRule kToneLessThanRule{
    kToneWithoutLessThan, FindingKind::Error,
    "error! missing less-than sign < for start of parameters in tone command on line {N}: {L}",
    "error! missing less-than sign < for start of parameters in tone command on line {N}: {L}"};
inline constexpr CheckRule kToneGreaterThanRule{
    kToneWithoutGreaterThan, FindingKind::Error,
    "error! missing greater-than sign > for end of parameters in tone command on line {N}: {L}",
    "error! missing greater-than sign > for end of parameters in tone command on line {N}: {L}"};
inline constexpr CheckRule kToneCommaRule{
    kToneWithoutComma, FindingKind::Error,
    "error! missing comma for separation between parameters in tone command on line {N}: {L}",
    "error! missing comma sign , for separation between parameters in tone command on line {N}: "
    "{L}"};
inline constexpr CheckRule kDialQuotesRule{
    kDialWithoutQuotes, FindingKind::Error,
    "error! missing quotes for dial command. entry must have quotes around them. line {N}: {L}",
    "error! missing quotes for dial command. entry must have quotes around them. line {N}: {L}"};
inline constexpr CheckRule kDialBalanceRule{
    kDialUnbalancedQuotes, FindingKind::Error,
    "error! unbalanced quotes in dial command on line {N}: {L}",
    "error! unbalanced quotes in dial command on line {N}: {L}"};
inline constexpr CheckRule kPhoneParameterRule{kPhoneWithoutOnOff, FindingKind::Error,
                                               "error! unexpected statement: line {N}: {L}",
                                               "error! unexpected statement: line {N}: {L}"};
inline constexpr CheckRule kVoiceParameterRule{kUnknownVoiceParameter, FindingKind::Error,
                                               "error! unexpected statement on line {N}: {L}",
                                               "error! unexpected statement on line {N}: {L}"};
inline constexpr CheckRule kPhoneOffRule{
    kPhoneOffWithoutOn, FindingKind::Warning,
    "warning! [:phone off] statement with no [:phone on] statement on line {N}.",
    "warning! [:phone off] statement with no [:phone on] statement on line {N}."};
inline constexpr CheckRule kWaveFileRule{
    kMissingWaveFile, FindingKind::Warning,
    "warning! specified wave file to play on line {N}, {F} does not exist.",
    "warning! specified wave file to play on line {N}, {F} does not exist."};
inline constexpr CheckRule kCommandRule{kUnknownCommand, FindingKind::Error,
                                        "error! invalid command: {L} on line {N}",
                                        "error! invalid command: {L} on line {N}"};

// Every command line of the script is held against these, in this order.
inline constexpr std::array kScriptRules{
    kMissingBracketRule, kToneLessThanRule, kToneGreaterThanRule, kToneCommaRule,
    kDialQuotesRule,     kDialBalanceRule,  kPhoneParameterRule,  kVoiceParameterRule,
    kPhoneOffRule,       kWaveFileRule,     kCommandRule};

}  // namespace qvx
