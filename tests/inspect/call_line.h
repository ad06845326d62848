// One GL call as a line of text, the same on both sides of the comparison
// between the page's record and the recording GL.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

inline std::string callLine(const std::string& name, const std::vector<double>& args)
{
    std::string line = name;
    for (double a : args) {
        char number[32];
        std::snprintf(number, sizeof number, " %.9g", a);
        line += number;
    }
    return line;
}
