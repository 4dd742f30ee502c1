// The built VADire program on a virtual X display, driven with real key and
// mouse events (xdotool) against the terminal simulator on a pseudo-terminal.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "SimulatorProcess.h"
#include "TempDir.h"

namespace {

bool OnPath(const char* program)
{
    const std::string probe = std::string("command -v ") + program + " >/dev/null 2>&1";
    return std::system(probe.c_str()) == 0;
}

// The operator's session. Positions are in dialog units of the 299 x 203
// template and scaled to the window's size, whatever the font. The program
// runs under another name, so the message box's caption shows that name.
constexpr const char* kDriver = R"sh(
set -eu
exe=$1 port=$2 name=$3
"$exe" & pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Orvane VADire' | head -n1)
xdotool windowfocus --sync "$wid"
eval "$(xdotool getwindowgeometry --shell "$wid")"
click() { xdotool mousemove --window "$wid" $(($1 * WIDTH / 299)) $(($2 * HEIGHT / 203)) click 1; sleep 0.3; }

xdotool type --delay 40 "$port"   # the focus starts in the port list
click 20 66                       # MAC地址
click 203 13                      # 读取: the address read comes back into the MAC field
sleep 1
xdotool key Tab Return            # from 读取 on to 写入, Enter: write it back
sleep 1

# No port: the refusal's box carries the program's name.
click 60 13
xdotool key ctrl+a BackSpace Return
box=$(timeout 15 xdotool search --sync --onlyvisible --name "^$name\$" | head -n1)
xdotool windowfocus --sync "$box" key Return
sleep 0.5

xdotool windowfocus --sync "$wid" key Escape
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then echo "still running after Escape"; exit 1; fi
wait $pid
)sh";

}  // namespace

TEST(EndToEnd, OperatorReadsMacWritesItBackAndClosesWithEscape)
{
    if (!OnPath("xvfb-run") || !OnPath("xdotool") || !OnPath("xauth")) {
        GTEST_SKIP() << "needs xvfb-run, xauth and xdotool (packages xvfb, xauth, xdotool)";
    }
    ScopedRuntimeDir runtimeDir;
    SimulatorProcess sim;
    TempDir work;
    const std::string name = "RenamedVADire";
    const std::string exe = work.Path() + "/" + name;
    std::filesystem::copy_file(VADIRE_EXE_PATH, exe);
    const std::string driver = work.Path() + "/driver.sh";
    std::ofstream(driver) << kDriver;

    const std::string command = "xvfb-run -a -s '-screen 0 1024x768x24' bash " + driver + " " +
                                exe + " " + sim.PortText() + " " + name + " > " + work.Path() +
                                "/driver.log 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream log(work.Path() + "/driver.log");
    const std::string output((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;

    const std::vector<std::string> expected = {
        "XP0000 0958\r\n", "XP3301\r\n",                         // the Read
        "XP0000 0958\r\n", "XP3301 \"02:5A:C1:00:00:01\"\r\n",   // the address written back
    };
    EXPECT_EQ(sim.WireLines(), expected) << output;
}
