#pragma once
// Tells an indicator's component name from any other: the kind's prefix directly followed by
// a decimal number.
#include <cstdint>
#include <QString>
#include <string>

// True when name, after any leading characters below "A", is prefix directly followed by a
// decimal digit; number then holds the run of digits (what follows them is not examined).
bool ParseIndexedName(const std::string& prefix, const QString& name, std::int32_t& number);
