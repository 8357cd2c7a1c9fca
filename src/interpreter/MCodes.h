#pragma once
// The machine functions (M codes) the interpreter acts on. ExecuteMCode's table must hold
// exactly these numbers: the help explains each of them, and its test reads this list.

#include <array>

namespace interpreter::mcodes {

inline constexpr std::array<int, 17> MachineFunctionCodes = {0, 2, 3, 4, 5, 6, 8, 9, 10, 11, 13, 14, 25, 26, 30, 38, 39};

} // namespace interpreter::mcodes
