#pragma once

#include <array>
#include <cstdint>

namespace ui {

// The five attributes of the panel, each with its own distribution selector.
enum class Attribute : std::uint8_t { kR, kI, kT, kE, kRPrime };

inline constexpr std::array<Attribute, 5> kAttributes = {
    Attribute::kR, Attribute::kI, Attribute::kT, Attribute::kE, Attribute::kRPrime};

}  // namespace ui
