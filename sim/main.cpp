// vadire-terminal-sim: plays the weighing terminal at the far end of a serial
// line, on a pseudo-terminal registered as a COM port for VADire.
#include <csignal>
#include <cstdio>
#include <exception>
#include <string_view>
#include <vector>

#include "RunSimulator.h"
#include "SimOptions.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const ParsedOptions parsed = ParseSimOptions(args);
    if (!parsed.options) {
        std::fprintf(stderr, "vadire-terminal-sim: %s (%.*s)\n", parsed.error.c_str(),
                     static_cast<int>(SimUsage().size()), SimUsage().data());
        return kExitUsage;
    }
    if (parsed.options->showHelp) {
        std::printf("%.*s\n", static_cast<int>(SimHelp().size()), SimHelp().data());
        return 0;
    }

    // The reader of the ready line may be gone long before we stop; a write to
    // stdout must not kill the simulator then.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        return RunSimulator(*parsed.options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vadire-terminal-sim: %s\n", e.what());
        return kExitFailure;
    }
}
