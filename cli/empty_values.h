#pragma once

#include <string>

namespace CLI {
class App;
}

namespace cli {

// An option given an empty value ("--seed ''", "--out ''") is a mistake, most
// often a shell variable that was never set; taking it as the option's absence
// would silently use the clock, standard output or no overlay instead. After
// parsing: the refusal of the first such option, one line without the program
// name, or an empty string.
std::string EmptyValueRefusal(const CLI::App& app);

}  // namespace cli
