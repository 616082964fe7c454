#pragma once

#include <array>

namespace model {

// The five attributes an agent carries, each with its own distribution kind.
enum class Attribute { R, I, T, E, RPrime };

inline constexpr std::array<Attribute, 5> kAttributes = {Attribute::R, Attribute::I, Attribute::T,
                                                         Attribute::E, Attribute::RPrime};

}  // namespace model
