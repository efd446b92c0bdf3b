#pragma once

#include <filesystem>
#include <string>

namespace scriblo::DesktopExec {

// An Exec value that starts `program` with no arguments: the whole path in double
// quotes with the four special characters escaped, and '%' doubled so that it is not
// read as a field code.
std::string quoted(const std::filesystem::path& program);

// The program an Exec value starts, unquoted as the desktop entry rules say and looked
// up in PATH when it is a bare name; empty when the value cannot be parsed.
std::filesystem::path program(const std::string& exec);

}
