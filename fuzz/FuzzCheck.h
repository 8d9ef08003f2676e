#pragma once
// Turns a broken property into a crash that libFuzzer records with its input.
#include <cstdio>
#include <cstdlib>
#include <string>

namespace pw::fuzz {

// `problem` is empty when the property holds, else what broke.
inline void Require(const std::string& problem, const char* what) {
    if (problem.empty()) return;
    std::fprintf(stderr, "%s: %s\n", what, problem.c_str());
    std::abort();
}

inline void Require(bool holds, const char* what) { Require(holds ? std::string() : std::string("failed"), what); }

}  // namespace pw::fuzz
