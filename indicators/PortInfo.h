#pragma once
// A channel record: the channel's short key and display name (code page 932 text), and where its
// live fixed-point value lives. Records are copied by value; a copy keeps pointing at the same
// live value.
#include <cstdint>
#include <string>
#include <utility>

enum TDatType { IntRec, CapRec };

struct TCapture {
    std::int32_t Interval = 0;
    std::int32_t Catch = 0;
    std::int32_t Release = 0;
    std::int32_t Width = 0;
};
using PTCapture = TCapture*;

struct TPortInfo {
    std::string Designator;   // "TACHO"; empty ends a table
    std::string Description;  // "Tacho[rpm]"
    // Case IntRec (every row of the table): Address, DecimalPoint and MaxDigits.
    // Case CapRec: PCap in the place of Address.
    union {
        std::int32_t* Address;
        PTCapture PCap;
    };
    std::uint8_t DecimalPoint = 0;
    std::uint8_t MaxDigits = 0;

    TPortInfo() : Address(nullptr) {}
    TPortInfo(std::string designator, std::string description, std::int32_t* address,
              std::uint8_t decimalPoint, std::uint8_t maxDigits)
        : Designator(std::move(designator)), Description(std::move(description)), Address(address),
          DecimalPoint(decimalPoint), MaxDigits(maxDigits)
    {}
};

// Points at the first record of a channel table, a run of records ended by one whose
// Designator is empty.
using TPLUT = const TPortInfo*;

// The record that stands for no channel.
extern const TPortInfo EmptyPort;
