#pragma once
#include <string>
#include <vector>

namespace qv {

// Runs the program: the single-instance check, the start-up of every
// process-wide object in order, the message loop and the ordered teardown.
// `parameters` excludes the program name. Returns the process exit code.
int RunApplication(const std::vector<std::string> &parameters);

} // namespace qv
