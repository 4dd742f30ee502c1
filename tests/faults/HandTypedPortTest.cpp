// Port texts an operator can type by hand into the port box: the press fails
// with "通讯异常." and nothing reaches any terminal, and a press on the right
// port afterwards works.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OperatorBench.h"
#include "SimulatorProcess.h"
#include "TempDir.h"

namespace {

using Lines = std::vector<std::string>;

struct PortCase {
    std::string name;
    std::string typed;  // UTF-8, as the box holds it
};

void PrintTo(const PortCase& c, std::ostream* os)
{
    *os << c.name;
}

class HandTypedPort : public ::testing::TestWithParam<PortCase> {
protected:
    ScopedRuntimeDir m_runtime;
};

TEST_P(HandTypedPort, FailsWithoutSendingAndTheRightPortWorksAfter)
{
    SimulatorProcess sim;
    OperatorBench bench(GetParam().typed);
    const auto descriptorsBefore = OpenDescriptors();

    EXPECT_EQ(bench.Read(ProductType).lines, (Lines{"通讯异常."}));
    EXPECT_TRUE(bench.view.Boxes().empty());
    EXPECT_EQ(OpenDescriptors(), descriptorsBefore);

    bench.view.SetWindowText(IDC_COMBO_PORT, sim.PortText());
    EXPECT_EQ(bench.Read(ProductType).lines, (Lines{"通讯结果：", "QZ_DEVTYPE A vEdge\r\n"}));
    EXPECT_EQ(sim.WireLines(), (Lines{"QZ_DEVTYPE\r\n"}));
}

// Each reads as a port number that no port has: 0 for text without leading
// digits, a negative number, or one too long for the port path.
INSTANTIATE_TEST_SUITE_P(
    Texts, HandTypedPort,
    ::testing::Values(PortCase{"ComPrefix", "COM3"},
                      PortCase{"FiveDigits", "12345"},
                      PortCase{"Negative", "-1"},
                      PortCase{"BlanksOnly", "   "},
                      PortCase{"Letters", "abc"},
                      PortCase{"Chinese", "串口"},
                      PortCase{"HugeNumber", "99999999999999999999"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
