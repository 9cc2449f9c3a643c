#pragma once
// Firmware files for the tests, made at test time by the tools that make real ones: srec_cat
// (Debian's srecord) and objcopy (binutils) over a binary the test writes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <QByteArray>
#include <string>
#include <vector>

namespace testing_support {

// Runs a tool with the arguments (shell words); fails the test with what it said when it fails.
inline void RunTool(const std::string& tool, const std::string& arguments)
{
    const std::string command = tool + " " + arguments + " 2>&1";
    FILE* const pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr) << command;
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        output += buffer;
    ASSERT_EQ(::pclose(pipe), 0) << command << "\n" << output;
}

inline void SrecCat(const std::string& arguments)
{
    RunTool("srec_cat", arguments);
}

// The file's bytes; a file that cannot be read fails the test (and gives nothing).
inline std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "cannot read " << path;
        return {};
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteText(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

// The lines of a file made by the tools as the meter is sent them: without CR or LF.
inline std::vector<std::string> LinesOf(const std::string& path)
{
    std::vector<std::string> lines;
    for (const QByteArray& line : QByteArray::fromStdString(ReadText(path)).trimmed().split('\n'))
        lines.push_back(line.trimmed().toStdString());
    return lines;
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

// Whole firmware files in folder, made from one binary of 600 bytes (paths in this order):
// objcopy's S0 header, S1 records and S9 with CR LF; srec_cat's S0 header, S2 records from
// 0x30000 and S5 count with LF; srec_cat's S3 records from 0x40000 with CR LF in lines of 256
// bytes with their line end, the longest the meter takes.
inline void MakeWholeFirmwareFiles(const std::string& folder, std::vector<std::string>& paths)
{
    const std::string binary = folder + "/firmware.bin";
    WritePattern(binary, 600, 3);
    paths = {folder + "/s1.mot", folder + "/s2.mot", folder + "/s3.mot"};
    RunTool("objcopy", "-I binary -O srec '" + binary + "' '" + paths[0] + "'");
    SrecCat("'" + binary + "' -binary -offset 0x30000 -o '" + paths[1] +
            "' -motorola -address-length=3");
    SrecCat("'" + binary + "' -binary -offset 0x40000 -o '" + paths[2] +
            "' -motorola -address-length=4 -crlf -line-length=254");
}

}  // namespace testing_support
