#pragma once

// The command of the code lens ▶ 再生: it starts the viewer on the saved
// file with the animation or the pattern of the line, and does not wait for
// it. The viewer's program name may be set by NIMBREL_VIEWER, so that tests
// and builds can point at a viewer of their own.

#include <nlohmann/json.hpp>

#include <functional>
#include <string>
#include <vector>

namespace lsp {

inline constexpr const char* kPlayCommand = "nimbrel.play";
inline constexpr const char* kPlayTitle = "▶ 再生";

// The command's arguments for a lens: the option ("--play" or "--pattern"),
// its value and the file.
nlohmann::json playCommand(const std::string& option, const std::string& value, const std::string& path);

// The viewer's whole argument list, program first, for the arguments of an
// executeCommand request; raises Refusal for arguments that are not a lens's.
std::vector<std::string> playArguments(const nlohmann::json& arguments);

void runPlayCommand(
    const nlohmann::json& params, const std::function<void(const std::vector<std::string>&)>& launch);

// Starts a program in a session of its own, its output away from ours;
// raises Refusal when it cannot be started.
void launchDetached(const std::vector<std::string>& arguments);

} // namespace lsp
