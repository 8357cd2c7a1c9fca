#pragma once
// The machine functions the interpreter carries out; every other M number does nothing.

#include <array>

inline constexpr std::array<int, 17> MachineFunctionCodes = {0, 2, 3, 4, 5, 6, 8, 9, 10, 11, 13, 14, 25, 26, 30, 38, 39};
