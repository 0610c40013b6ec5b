#include "cli/Args.h"

#include <gtest/gtest.h>

namespace vormid::cli {
namespace {

const std::vector<CommandSpec> kCommands = {
    {"budget", "", "", 1, {{"--format", {"text", "csv", "json"}, "text"}}},
    {"import", "", "", 1, {{"-o", {}, "", true}}},
};

ParsedArgs Parse(std::vector<std::string> args) { return ParseArgs(args, kCommands); }

TEST(Args, CommandOperandAndOptionsInAnyOrder) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"budget", "m.gmf", "--format", "json"},
             {"budget", "--format", "json", "m.gmf"},
             {"budget", "--format=json", "m.gmf"},
         }) {
        const ParsedArgs p = Parse(args);
        ASSERT_NE(p.Command, nullptr);
        EXPECT_EQ(p.Command->Name, "budget");
        EXPECT_EQ(p.Operands, std::vector<std::string>{"m.gmf"});
        EXPECT_EQ(p.Options.at("--format"), "json");
    }
}

TEST(Args, DefaultsHelpVersionAndDoubleDash) {
    EXPECT_EQ(Parse({"budget", "m.gmf"}).Options.at("--format"), "text");
    EXPECT_TRUE(Parse({"--version"}).Version);
    EXPECT_TRUE(Parse({"--help"}).Help);
    const ParsedArgs h = Parse({"budget", "--help"});
    EXPECT_TRUE(h.Help);
    EXPECT_EQ(h.Command->Name, "budget");
    EXPECT_EQ(Parse({"help", "import"}).Command->Name, "import");
    EXPECT_EQ(Parse({"budget", "--", "-odd.gmf"}).Operands, std::vector<std::string>{"-odd.gmf"});
    EXPECT_EQ(Parse({"import", "m.json", "-o", "out.gmf"}).Options.at("-o"), "out.gmf");
}

TEST(Args, BadCommandLinesAreUsageErrors) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"frobnicate", "m.gmf"},
        {"budget"},
        {"budget", "a.gmf", "b.gmf"},
        {"budget", "m.gmf", "--format"},
        {"budget", "m.gmf", "--format", "xml"},
        {"budget", "m.gmf", "--format", "csv", "--format", "json"},
        {"budget", "m.gmf", "--colour"},
        {"import", "m.json"},  // -o is required
        {"--version", "x"},
        {"help", "nothing"},
    };
    for (const auto& args : bad) EXPECT_THROW(Parse(args), UsageError) << (args.empty() ? "" : args[0]);
}

}  // namespace
}  // namespace vormid::cli
