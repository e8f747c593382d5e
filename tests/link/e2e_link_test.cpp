// kestrin-cli against kestrin-sim, each its own process, over a real
// pseudo-terminal paced like a 57600-baud line. Whatever the line does, the
// unit ends up holding exactly the file that was programmed, or the command
// says that it failed.

#include "e2e_process.h"

#include "app/messages.h"
#include "files/file_steps.h"
#include "files/ign_reader.h"
#include "files/ign_writer.h"
#include "link/sim/pseudo_terminal.h"
#include "model/document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace kestrin::e2e {
namespace {

// The image as kestrin-sim --dump writes it: 2850 numbers.
std::vector<int> numbers(const std::string& text)
{
    std::istringstream in(text);
    std::vector<int> v;
    int n = 0;
    while (in >> n)
        v.push_back(n);
    return v;
}

std::vector<int> numbers(const ParameterImage& image) { return {image.bytes().begin(), image.bytes().end()}; }

// What the command line sends for a file: the file read, then the steps
// that run before a program.
ParameterImage imageSentFor(const std::string& path)
{
    Document doc;
    EXPECT_TRUE(loadParameterFile(doc, path, {}).loaded());
    RunAfterLoadSteps(doc);
    RunBeforeSaveSteps(doc);
    return doc.image;
}

class LinkEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (sim::PseudoTerminal probe; !probe.open())
            GTEST_SKIP() << "this system gives no pseudo-terminal: " << probe.error();
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(test->test_suite_name()) + "." + test->name();
        std::replace(name.begin(), name.end(), '/', '_');
        dir = scratchDir(name);
        // A set the simulated unit (bike 11) does not hold yet.
        file = dir + "/bike20.ign";
        Document doc;
        PrepareDefaultSet(doc, 20);
        ASSERT_TRUE(saveParameterFile(doc, file, MessageTable(English)));
        expected = imageSentFor(file);
    }

    RunResult cli(const std::vector<std::string>& args) { return runProgram(cliPath(), args); }

    std::string dir;
    std::string file;
    ParameterImage expected;
};

TEST_F(LinkEndToEnd, ProgramWritesTheFileAndReadBringsItBackWithTheUnitsIdentification)
{
    const std::string dump = dir + "/unit.txt";
    SimProcess sim({"--dump", dump});
    ASSERT_FALSE(sim.device().empty());

    const auto program = cli({"program", "--port", sim.device(), file});
    EXPECT_EQ(program.exitCode, 0) << program.err;
    EXPECT_NE(program.err.find("Verify: OK"), std::string::npos) << program.err;
    EXPECT_NE(program.err.find("Saving:"), std::string::npos) << "waits while the unit stores";

    const std::string readBack = dir + "/read.ign";
    const auto read = cli({"read", "--port", sim.device(), "-o", readBack});
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_NE(read.err.find("Read:"), std::string::npos);
    const std::string text = readFile(readBack);
    EXPECT_NE(text.find("HEX"), std::string::npos);
    EXPECT_NE(text.find("Kestrin 2007 simulated unit"), std::string::npos) << "the HEX line names the unit";
    EXPECT_EQ(numbers(imageSentFor(readBack)), numbers(expected));

    const auto verify = cli({"verify", "--port", sim.device(), file});
    EXPECT_EQ(verify.exitCode, 0) << verify.err;

    ASSERT_EQ(sim.stop(), 0);
    EXPECT_EQ(numbers(readFile(dump)), numbers(expected)) << "the unit holds what was programmed";
}

struct FaultyLine {
    const char* name;
    std::vector<std::string> faults;
    bool mustSucceed;
};

void PrintTo(const FaultyLine& c, std::ostream* os) { *os << c.name; }

class LinkFaultyLine : public LinkEndToEnd, public ::testing::WithParamInterface<FaultyLine> {};

TEST_P(LinkFaultyLine, ProgramEndsWithTheFileInTheUnitOrAReportedFailure)
{
    const auto& c = GetParam();
    const std::string dump = dir + "/unit.txt";
    auto args = c.faults;
    args.insert(args.end(), {"--dump", dump});
    SimProcess sim(args);
    ASSERT_FALSE(sim.device().empty());
    const auto program = cli({"program", "--port", sim.device(), file});
    ASSERT_EQ(sim.stop(), 0);
    if (c.mustSucceed) {
        EXPECT_EQ(program.exitCode, 0) << program.err;
    }
    if (program.exitCode == 0) {
        EXPECT_EQ(numbers(readFile(dump)), numbers(expected));
    } else {
        EXPECT_EQ(program.exitCode, 1);
        EXPECT_TRUE(program.err.find("Program error!") != std::string::npos ||
                    program.err.find("Verify error!") != std::string::npos)
            << program.err;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, LinkFaultyLine,
    ::testing::Values(FaultyLine{"SplitReplies", {"--split"}, true},
                      FaultyLine{"LateReplies", {"--delay-ticks", "2"}, true},
                      // A burst still arriving when the PC reads leaves its
                      // tail in front of the next reply, which then fails
                      // and is sent again.
                      FaultyLine{"BurstsDropsAndBadChecks",
                                 {"--burst", "2", "--drop-rate", "15", "--corrupt-rate", "10", "--seed", "7"},
                                 false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkEndToEnd, UnitFailuresAreReportedWithExitStatusOne)
{
    struct Case {
        std::vector<std::string> faults;
        std::string command;
        std::string message;
    };
    const Case cases[] = {
        {{"--drop-block", "7"}, "program", "Program error!"},
        {{"--wrong-code"}, "verify", "Verify error!"},
        {{"--silent-after", "4"}, "read", "Read error!"},
        // Written and verified, but silent before it has stored the data.
        {{"--silent-after", "39"}, "program", "No connection with PC"},
        {{"--version", "81"}, "read", "Unmatched version of PC and Ignition programs!  PC-82, IGN-81"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command + " " + c.faults[0]);
        SimProcess sim(c.faults);
        ASSERT_FALSE(sim.device().empty());
        std::vector<std::string> args = {c.command, "--port", sim.device()};
        if (c.command != "read")
            args.push_back(file);
        const std::string out = dir + "/out.ign";
        if (c.command == "read")
            args.insert(args.end(), {"-o", out});
        const auto r = cli(args);
        EXPECT_EQ(r.exitCode, 1) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_TRUE(readFile(out).empty()) << "a failed read writes no file";
    }
}

TEST_F(LinkEndToEnd, MonitorPrintsOneRecordPerFrame)
{
    SimProcess sim({});
    ASSERT_FALSE(sim.device().empty());

    const auto values = cli({"monitor", "--port", sim.device(), "--frames", "3", "--trace"});
    EXPECT_EQ(values.exitCode, 0) << values.err;
    EXPECT_EQ(std::count(values.out.begin(), values.out.end(), '\n'), 3) << values.out;
    EXPECT_NE(values.out.find("version=82"), std::string::npos) << values.out;
    EXPECT_NE(values.err.find(" ms -> 152: 30 "), std::string::npos) << "the poll, traced";
    EXPECT_NE(values.err.find(" ms <- 152: B0 "), std::string::npos) << "the monitor frame, traced";

    const auto labels = cli({"monitor", "--port", sim.device(), "--frames", "2", "--labels", "--language", "CESKY"});
    EXPECT_EQ(labels.exitCode, 0) << labels.err;
    std::istringstream in(labels.out);
    std::string line;
    int records = 0, rows = 0;
    while (std::getline(in, line)) {
        if (line.empty()) {
            ++records;
            continue;
        }
        ++rows;
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 2) << line;
    }
    EXPECT_EQ(records, 2);
    EXPECT_GT(rows, 100);
    EXPECT_NE(labels.out.find("LabelVersion\t"), std::string::npos);
}

TEST_F(LinkEndToEnd, BadUsageAndUnopenablePortExitWithTwo)
{
    const auto noPort = cli({"read"});
    EXPECT_EQ(noPort.exitCode, 2);
    const auto missing = cli({"read", "--port", "/dev/kestrin-no-such-port"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("Com opening error!"), std::string::npos) << missing.err;
    const auto badLanguage = cli({"monitor", "--port", "/dev/null", "--language", "KLINGON"});
    EXPECT_EQ(badLanguage.exitCode, 2);
    const auto badFile = cli({"program", "--port", "/dev/kestrin-no-such-port", dir + "/none.ign"});
    EXPECT_EQ(badFile.exitCode, 2);
}

}  // namespace
}  // namespace kestrin::e2e
