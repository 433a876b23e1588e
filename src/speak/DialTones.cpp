#include "speak/DialTones.h"

#include "common/AsciiCase.h"

namespace qvx::speak {
namespace {

// The standard touch-tone pairs.
constexpr DialKey kDialKeys[] = {
    {'1', 697, 1209}, {'2', 697, 1336}, {'3', 697, 1477}, {'a', 697, 1633},
    {'4', 770, 1209}, {'5', 770, 1336}, {'6', 770, 1477}, {'b', 770, 1633},
    {'7', 852, 1209}, {'8', 852, 1336}, {'9', 852, 1477}, {'c', 852, 1633},
    {'*', 941, 1209}, {'0', 941, 1336}, {'#', 941, 1477}, {'d', 941, 1633},
};

}  // namespace

const DialKey* FindDialKey(char c) {
    const char lower = ToLowerAscii(c);
    for (const DialKey& key : kDialKeys) {
        if (key.key == lower) return &key;
    }
    return nullptr;
}

}  // namespace qvx::speak
