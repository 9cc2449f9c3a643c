#pragma once
// Files for the firmware tests: made with srec_cat (Debian's srecord), read back whole.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace testing_support {

// Runs srec_cat with the arguments (shell words); fails the test when it fails.
inline void SrecCat(const std::string& arguments)
{
    const std::string command = "srec_cat " + arguments + " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

inline std::vector<std::uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A file of length bytes in a repeatable pattern with runs of 0xFF in it (erased flash).
inline void WritePattern(const std::string& path, std::size_t length, unsigned seed)
{
    std::ofstream out(path, std::ios::binary);
    std::uint32_t state = seed * 2654435761u + 1;
    for (std::size_t i = 0; i < length; ++i) {
        state = state * 1664525u + 1013904223u;
        const bool erased = (i / 64) % 5 == 3;
        out.put(static_cast<char>(erased ? 0xFF : state >> 24));
    }
}

}  // namespace testing_support
