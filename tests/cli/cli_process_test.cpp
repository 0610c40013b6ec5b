// The built vormid-cli run as a process: on the sample models, on damaged
// files and on bad command lines, checking output and exit status.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <map>
#include <random>
#include <set>

#include "RunProcess.h"

namespace vormid::cli::test {
namespace {

using nlohmann::json;
using ::vormid::test::ProcessOptions;
using ::vormid::test::ProcessResult;
using ::vormid::test::ReadFile;
using ::vormid::test::WriteFile;
namespace fs = std::filesystem;

ProcessResult RunCli(const std::vector<std::string>& args, const ProcessOptions& options = {}) {
    return ::vormid::test::RunProcess(VORMID_CLI_PATH, args, options);
}

// A fresh empty directory for one test.
std::string TempDir(const std::string& name) {
    const auto dir = fs::path(VORMID_TEST_TMP) / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir.string();
}

const std::vector<std::string> kExamples = {"resistance", "gauge_block", "mass", "distributions", "attenuation"};

std::string Example(const std::string& name, const std::string& ext) {
    return std::string(VORMID_EXAMPLES_DIR) + "/" + name + ext;
}

std::set<std::string> Keys(const json& object) {
    std::set<std::string> keys;
    for (auto it = object.begin(); it != object.end(); ++it) keys.insert(it.key());
    return keys;
}

// ------------------------------------------------------------ command line

TEST(CliProcess, VersionAndHelpSucceed) {
    for (const auto& args : std::vector<std::vector<std::string>>{{"--version"},
                                                                  {"--help"},
                                                                  {"help", "budget"},
                                                                  {"budget", "--help"},
                                                                  {"stats", "--help"},
                                                                  {"dump", "--help"},
                                                                  {"export", "--help"},
                                                                  {"import", "--help"}}) {
        const ProcessResult r = RunCli(args);
        EXPECT_EQ(r.Status, 0) << args[0];
        EXPECT_FALSE(r.Out.empty()) << args[0];
        EXPECT_TRUE(r.Err.empty()) << args[0];
    }
    EXPECT_EQ(RunCli({"--version"}).Out.rfind("vormid-cli ", 0), 0u);
    EXPECT_NE(RunCli({"budget", "--help"}).Out.find("--format"), std::string::npos);
}

TEST(CliProcess, BadUsageExitsWithTwoAndSaysWhy) {
    const std::string model = Example("resistance", ".gmf");
    for (const auto& args : std::vector<std::vector<std::string>>{{},
                                                                  {"evaluate", model},
                                                                  {"budget"},
                                                                  {"budget", model, "--format", "xml"},
                                                                  {"stats", model, "--format", "csv"},
                                                                  {"budget", model, model},
                                                                  {"import", Example("mass", ".json")},
                                                                  {"dump", model, "--verbose"}}) {
        const ProcessResult r = RunCli(args);
        EXPECT_EQ(r.Status, 2) << (args.empty() ? "(none)" : args[0]);
        EXPECT_TRUE(r.Out.empty());
        EXPECT_NE(r.Err.find("vormid-cli: "), std::string::npos);
    }
}

// ------------------------------------------------------------ the examples

TEST(CliProcess, ValidateSavesTheExampleModelsThatItChecks) {
    const std::string dir = TempDir("validate");
    const ProcessResult r = RunCli({"validate", "--save", dir});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("Валидирано"), std::string::npos);
    const ProcessResult gauge = RunCli({"budget", dir + "/jcgm100-h1.gmf"});
    EXPECT_EQ(gauge.Status, 0) << gauge.Err;
    EXPECT_NE(gauge.Out.find("50,000838"), std::string::npos) << gauge.Out;
}

TEST(CliProcess, ExamplesAreWhatTheirJsonImportsTo) {
    const std::string dir = TempDir("examples");
    for (const auto& name : kExamples) {
        const std::string out = dir + "/" + name + ".gmf";
        const ProcessResult r = RunCli({"import", Example(name, ".json"), "-o", out});
        ASSERT_EQ(r.Status, 0) << name << ": " << r.Err;
        EXPECT_EQ(ReadFile(out), ReadFile(Example(name, ".gmf"))) << name << ".gmf is stale: import its JSON again";
    }
}

TEST(CliProcess, ExportImportSavesTheSameBytes) {
    const std::string dir = TempDir("roundtrip");
    for (const auto& name : kExamples) {
        const ProcessResult exported = RunCli({"export", Example(name, ".gmf")});
        ASSERT_EQ(exported.Status, 0) << exported.Err;
        WriteFile(dir + "/" + name + ".json", exported.Out);
        const std::string out = dir + "/" + name + ".gmf";
        ASSERT_EQ(RunCli({"import", dir + "/" + name + ".json", "-o", out}).Status, 0);
        EXPECT_EQ(ReadFile(out), ReadFile(Example(name, ".gmf"))) << name;
        EXPECT_EQ(RunCli({"export", out}).Out, exported.Out) << name;
        // Streamed, yet the text that the document's own dump gives.
        EXPECT_EQ(exported.Out, nlohmann::ordered_json::parse(exported.Out).dump(2) + "\n") << name;
    }
}

TEST(CliProcess, BudgetJsonHasThePublishedFields) {
    const std::set<std::string> budget_keys = {"name",
                                               "units",
                                               "error_code",
                                               "error_message",
                                               "value",
                                               "combined_uncertainty",
                                               "relative_uncertainty",
                                               "effective_dof",
                                               "dof_ignores_correlation",
                                               "coverage_factor",
                                               "coverage_probability",
                                               "coverage_probability_at_dof",
                                               "expanded_uncertainty",
                                               "result_format",
                                               "max_contribution",
                                               "max_index",
                                               "entries",
                                               "statement"};
    const std::set<std::string> entry_keys = {
        "name",         "kind", "units",       "value",        "std_uncertainty", "rel_uncertainty",
        "distribution", "dof",  "sensitivity", "contribution", "ratio",           "index"};
    const std::set<std::string> statement_keys = {"value", "expanded_uncertainty", "coverage_factor",
                                                  "coverage_probability"};
    for (const auto& name : kExamples) {
        const ProcessResult r = RunCli({"budget", Example(name, ".gmf"), "--format", "json"});
        ASSERT_EQ(r.Status, 0) << name << ": " << r.Err;
        const json doc = json::parse(r.Out);
        EXPECT_EQ(Keys(doc), (std::set<std::string>{"program", "version", "file", "budgets"}));
        ASSERT_FALSE(doc["budgets"].empty());
        for (const auto& b : doc["budgets"]) {
            EXPECT_EQ(Keys(b), budget_keys) << name;
            EXPECT_EQ(b["error_code"], 0) << b["error_message"];
            EXPECT_EQ(Keys(b["statement"]), statement_keys);
            EXPECT_EQ(b["statement"]["value"].size(), 2u);
            for (const auto& e : b["entries"]) {
                EXPECT_EQ(Keys(e), entry_keys);
                EXPECT_TRUE(std::set<std::string>({"TypeA", "TypeB", "Const", "VarResult"}).count(e["kind"]))
                    << e["kind"];
            }
        }
    }
}

TEST(CliProcess, ResistanceBudgetAgreesWithAHandCalculation) {
    const ProcessResult r = RunCli({"budget", Example("resistance", ".gmf"), "--format", "json"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const json b = json::parse(r.Out)["budgets"][0];
    // U: mean of the ten readings; I = 0.100021 A; 1 + 0.0039 * 3 = 1.0117.
    const double u_mean = 100.0065 / 10;
    const double value = u_mean / 0.100021 / 1.0117;
    EXPECT_NEAR(b["value"].get<double>(), value, 1e-9 * value);
    EXPECT_EQ(b["name"], "R");
    EXPECT_EQ(b["units"], "Ом");
    EXPECT_EQ(b["entries"].size(), 5u);
    EXPECT_EQ(b["statement"]["coverage_probability"], "95,00 %");
    // The t method writes back k for nu_eff; it is above the normal factor.
    EXPECT_GT(b["coverage_factor"].get<double>(), 1.96);
    for (const auto& e : b["entries"]) {
        if (e["name"] == "A" || e["name"] == "T0") {
            EXPECT_EQ(e["kind"], "Const");
        }
    }
}

TEST(CliProcess, BudgetTextShowsTheTableAndTheResultLine) {
    const ProcessResult r = RunCli({"budget", Example("resistance", ".gmf")});
    ASSERT_EQ(r.Status, 0) << r.Err;
    for (const char* text : {"Бюджет: R", "Величина", "Стойност", "Станд. неопр.", "Разпред.", "Ст. Св.",
                             "Коеф. на чувств.", "Принос в неопр.", "Правоъгълно", "Комб. станд. неопределеност",
                             "Ефект. степени на свобода", "Резултат", "± ", "95,00 %", " Ом"})
        EXPECT_NE(r.Out.find(text), std::string::npos) << text;
    // Hidden in a new model: units, relative uncertainty, relative contribution, index.
    for (const char* text : {"Изм. ед.", "Отн.неопр. %", "Отн. принос", "Дисп. индекс"})
        EXPECT_EQ(r.Out.find(text), std::string::npos) << text;
}

TEST(CliProcess, InfiniteDegreesOfFreedomAreWrittenAsInfinity) {
    // In the mass example MR has nu = 0 entered and DB a reliability of 25 %;
    // the constant-free distributions example has inputs with r = 0.
    const ProcessResult text = RunCli({"budget", Example("distributions", ".gmf")});
    ASSERT_EQ(text.Status, 0) << text.Err;
    EXPECT_NE(text.Out.find("∞"), std::string::npos);
    const json doc = json::parse(RunCli({"budget", Example("distributions", ".gmf"), "--format", "json"}).Out);
    bool found = false;
    for (const auto& e : doc["budgets"][0]["entries"])
        if (e["dof"] == -1) found = true;
    EXPECT_TRUE(found);
}

// The machine forms carry what was computed: ν above the table's display
// limit as the integer, names and units as readable text (not markup), and
// what a stated k covers at ν_eff.
TEST(CliProcess, MachineOutputKeepsWhatWasComputed) {
    const std::string dir = TempDir("machine");
    WriteFile(dir + "/m.json", R"({"equation": "{\\rtf1 Y = U\\sub 1\\nosupersub\\par W = C\\par Z = B\\par}",
        "quantities": [{"name": "Y", "kind": "Result", "units": "\\u937"},
          {"name": "U\\b1\\n", "kind": "TypeA", "units": "\\u937", "uncertainty_source": "entered",
           "eval_type": "std_uncertainty", "stated_value": 0.1, "degrees_of_freedom": 80111, "observations": [5, 5]},
          {"name": "W", "kind": "Result"},
          {"name": "C", "kind": "TypeB", "eval_type": "standard", "value": 1, "stated_value": 0.1,
           "degrees_of_freedom": 10},
          {"name": "Z", "kind": "Result"},
          {"name": "B", "kind": "TypeA", "uncertainty_source": "entered", "eval_type": "std_uncertainty",
           "stated_value": 0.1, "degrees_of_freedom": 2147483647, "observations": [1, 1]}]})");
    const ProcessResult import = RunCli({"import", dir + "/m.json", "-o", dir + "/m.gmf"});
    ASSERT_EQ(import.Status, 0) << import.Err;
    const ProcessResult r = RunCli({"budget", dir + "/m.gmf", "--format", "json"});
    ASSERT_EQ(r.Status, 0) << r.Err << r.Out;
    const json doc = json::parse(r.Out);
    std::map<std::string, json> budgets;
    for (const auto& b : doc["budgets"]) budgets[b["name"].get<std::string>()] = b;
    ASSERT_EQ(budgets.size(), 3u) << r.Out;
    EXPECT_EQ(budgets["Y"]["effective_dof"], 80111);
    EXPECT_EQ(budgets["Y"]["units"], "Ω");
    EXPECT_EQ(budgets["Y"]["entries"][0]["name"], "U₁");
    EXPECT_EQ(budgets["Y"]["entries"][0]["units"], "Ω");
    EXPECT_EQ(budgets["Y"]["entries"][0]["dof"], 80111);
    EXPECT_EQ(budgets["Z"]["entries"][0]["dof"], 2147483647);
    // k = 2 for 95 % at ν_eff = 10 covers 92,66 %; at 80111 about 95,45 %.
    EXPECT_NEAR(budgets["W"]["coverage_probability_at_dof"].get<double>(), 92.66, 0.01);
    EXPECT_EQ(budgets["W"]["coverage_probability"], 95.0);
    EXPECT_NEAR(budgets["Y"]["coverage_probability_at_dof"].get<double>(), 95.45, 0.01);

    const std::string csv = RunCli({"budget", dir + "/m.gmf", "--format", "csv"}).Out;
    EXPECT_NE(csv.find("Y,entry,U₁,TypeA,Ω,"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",80111,"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",2147483647,"), std::string::npos) << csv;
    EXPECT_EQ(csv.find("\\u937"), std::string::npos) << csv;

    const std::string text = RunCli({"budget", dir + "/m.gmf"}).Out;
    EXPECT_NE(text.find("2,00†"), std::string::npos) << text;
    EXPECT_NE(text.find("† Факторът на покриване k = 2,00 обхваща при ν_eff = 10 само 92,66 %"), std::string::npos)
        << text;
    EXPECT_NE(text.find("k = 2,23"), std::string::npos) << text;

    const json stats = json::parse(RunCli({"stats", dir + "/m.gmf", "--format", "json"}).Out);
    EXPECT_EQ(stats["quantities"][0]["name"], "U₁");
    EXPECT_EQ(stats["quantities"][0]["dof"], 80111);
}

TEST(CliProcess, CorrelatedBudgetSaysItsDegreesOfFreedomIgnoreTheCorrelation) {
    // mass correlates MR and DB, both inputs of M.
    const ProcessResult text = RunCli({"budget", Example("mass", ".gmf")});
    ASSERT_EQ(text.Status, 0) << text.Err;
    EXPECT_NE(text.Out.find("не отчитат корелациите"), std::string::npos);
    const json doc = json::parse(RunCli({"budget", Example("mass", ".gmf"), "--format", "json"}).Out);
    EXPECT_EQ(doc["budgets"][0]["dof_ignores_correlation"], true);
    const json gauge = json::parse(RunCli({"budget", Example("gauge_block", ".gmf"), "--format", "json"}).Out);
    for (const auto& b : gauge["budgets"]) EXPECT_EQ(b["dof_ignores_correlation"], false);
}

TEST(CliProcess, ConstantsAndIntermediatesHaveNoDistributionInJson) {
    for (const auto& name : kExamples) {
        const json doc = json::parse(RunCli({"budget", Example(name, ".gmf"), "--format", "json"}).Out);
        for (const auto& b : doc["budgets"])
            for (const auto& e : b["entries"]) {
                const bool input = e["kind"] == "TypeA" || e["kind"] == "TypeB";
                EXPECT_EQ(e["distribution"].is_null(), !input) << name << " " << e["name"];
                if (e["kind"] == "Const") {
                    EXPECT_TRUE(e["dof"].is_null()) << name << " " << e["name"];
                }
            }
    }
}

TEST(CliProcess, BudgetCsvIsOneRowPerEntryAndPerResult) {
    const ProcessResult r = RunCli({"budget", Example("mass", ".gmf"), "--format", "csv"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < r.Out.size();) {
        const std::size_t end = r.Out.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos) << "records end with CRLF";
        lines.push_back(r.Out.substr(pos, end - pos));
        pos = end + 2;
    }
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("result,row,name,kind,units,value,std_uncertainty", 0), 0u);
    int results = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_TRUE(lines[i].rfind("M,", 0) == 0 || lines[i].rfind("DMR,", 0) == 0) << lines[i];
        if (lines[i].find(",result,") != std::string::npos) ++results;
    }
    EXPECT_EQ(results, 2);
}

TEST(CliProcess, StatsOfTypeAQuantities) {
    const ProcessResult j = RunCli({"stats", Example("mass", ".gmf"), "--format", "json"});
    ASSERT_EQ(j.Status, 0) << j.Err;
    const json doc = json::parse(j.Out);
    ASSERT_EQ(doc["quantities"].size(), 1u);
    const json& q = doc["quantities"][0];
    EXPECT_EQ(q["name"], "DM");
    EXPECT_EQ(q["count"], 10);  // 3 + 5 + 2 grouped observations
    EXPECT_NEAR(q["mean"].get<double>(), (3 * 0.00010 + 5 * 0.00012 + 2 * 0.00015) / 10, 1e-15);
    EXPECT_EQ(q["value"], q["mean"]);
    EXPECT_EQ(q["dof"], 9);
    int counted = 0;
    for (const auto& c : q["classes"]) counted += c["count"].get<int>();
    EXPECT_EQ(counted, 10);
    for (const char* key : {"min", "max", "median", "range", "variance", "std_dev", "rel_std_dev", "std_dev_mean",
                            "sigma_mean", "skewness", "kurtosis", "ks_distance", "ks_critical_05", "ks_critical_01",
                            "normal_05", "normal_01", "std_uncertainty"})
        EXPECT_TRUE(q.contains(key)) << key;

    const ProcessResult t = RunCli({"stats", Example("resistance", ".gmf")});
    ASSERT_EQ(t.Status, 0);
    for (const char* label : {"Тип А: U", "Брой стойности", "Средна стойност", "Станд. отклонение (Ср. ст.)",
                              "Показател за съгл. с НР (K-S-L)", "Съответства на НР (95%)", "Ексес"})
        EXPECT_NE(t.Out.find(label), std::string::npos) << label;
}

TEST(CliProcess, DumpDecodesEveryFieldOfAGoodFile) {
    const ProcessResult r = RunCli({"dump", Example("gauge_block", ".gmf")});
    ASSERT_EQ(r.Status, 0) << r.Err << r.Out;
    for (const char* text : {"header byte 1: 0x47", "section 1 (model header): offset 22",
                             "section 5 (display settings)", "schema formula (text101): \"(x1+x2+x3)/3\"",
                             "distribution (u8): 7 (U-разпределение)", "chart shows contribution (u8): 1"})
        EXPECT_NE(r.Out.find(text), std::string::npos) << text;
    EXPECT_EQ(r.Out.find("BROKEN"), std::string::npos);
}

// ------------------------------------------------------------ damaged input

TEST(CliProcess, MissingAndDamagedFilesExitWithThree) {
    const std::string dir = TempDir("damaged");
    const std::string good = ReadFile(Example("mass", ".gmf"));
    ASSERT_GT(good.size(), 100u);
    std::string wrong_length = good;
    wrong_length[2 + 4] = static_cast<char>(0xFF);  // L2 far too long
    std::string bad_pack = good;
    bad_pack[22 + 8] ^= 0x5A;  // inside section 1's packed chunks
    const std::vector<std::pair<std::string, std::string>> files = {
        {"empty.gmf", ""},
        {"short.gmf", good.substr(0, 10)},
        {"truncated.gmf", good.substr(0, good.size() - 7)},
        {"length.gmf", wrong_length},
        {"packed.gmf", bad_pack},
        {"text.gmf", "this is not a model file at all, just text that is long enough\n"},
    };
    for (const auto& [name, bytes] : files) {
        const std::string path = dir + "/" + name;
        WriteFile(path, bytes);
        for (const char* cmd : {"budget", "stats", "export"}) {
            const ProcessResult r = RunCli({cmd, path});
            EXPECT_EQ(r.Status, 3) << cmd << " " << name << ": " << r.Out;
            EXPECT_EQ(r.Signal, 0);
            EXPECT_TRUE(r.Out.empty()) << cmd << " " << name;
            EXPECT_NE(r.Err.find(name), std::string::npos) << "the message names the file: " << r.Err;
        }
        const ProcessResult d = RunCli({"dump", path});
        EXPECT_EQ(d.Status, 3) << name << d.Out;
        EXPECT_NE(d.Out.find("BROKEN"), std::string::npos) << name << d.Out;
        EXPECT_EQ(ReadFile(path), bytes) << "no command writes to its input";
    }
    for (const std::string& path : {dir + "/missing.gmf", dir}) {
        EXPECT_EQ(RunCli({"budget", path}).Status, 3);
        EXPECT_EQ(RunCli({"dump", path}).Status, 3);
    }
}

TEST(CliProcess, RandomDamageNeverCrashes) {
    const std::string dir = TempDir("fuzz");
    const std::string good = ReadFile(Example("gauge_block", ".gmf"));
    std::mt19937 rng(20261208);
    for (int round = 0; round < 40; ++round) {
        std::string bytes = good;
        const int flips = 1 + static_cast<int>(rng() % 4);
        for (int k = 0; k < flips; ++k) bytes[rng() % bytes.size()] = static_cast<char>(rng());
        if (round % 5 == 0) bytes.resize(rng() % bytes.size());
        const std::string path = dir + "/f.gmf";
        WriteFile(path, bytes);
        for (const char* cmd : {"budget", "dump", "export", "stats"}) {
            const ProcessResult r = RunCli({cmd, path});
            EXPECT_EQ(r.Signal, 0) << cmd << " round " << round;
            EXPECT_TRUE(r.Status == 0 || r.Status == 1 || r.Status == 3)
                << cmd << " round " << round << ": " << r.Status;
        }
    }
}

TEST(CliProcess, FailedBudgetExitsWithOneAndSaysWhy) {
    const std::string dir = TempDir("failed");
    WriteFile(dir + "/bad.json", R"({"equation": "{\\rtf1 Y = A*NOSUCH\\par}",
        "quantities": [{"name": "Y", "kind": "Result"},
                       {"name": "A", "kind": "TypeB", "eval_type": "standard", "value": 1, "stated_value": 0.1}]})");
    ASSERT_EQ(RunCli({"import", dir + "/bad.json", "-o", dir + "/bad.gmf"}).Status, 0);
    const ProcessResult text = RunCli({"budget", dir + "/bad.gmf"});
    EXPECT_EQ(text.Status, 1);
    EXPECT_NE(text.Out.find("Грешка при изчисляване на бюджета."), std::string::npos) << text.Out;
    EXPECT_FALSE(text.Err.empty());
    const ProcessResult j = RunCli({"budget", dir + "/bad.gmf", "--format", "json"});
    EXPECT_EQ(j.Status, 1);
    const json b = json::parse(j.Out)["budgets"][0];
    EXPECT_NE(b["error_code"], 0);
    EXPECT_FALSE(b["error_message"].get<std::string>().empty());
    EXPECT_TRUE(b["statement"].is_null());
}

// ------------------------------------------------------------ import

TEST(CliProcess, ImportRefusesBadDocumentsAndKeepsTheOldFile) {
    const std::string dir = TempDir("import");
    const std::string out = dir + "/out.gmf";
    WriteFile(out, "previous content");
    const std::vector<std::pair<std::string, std::string>> docs = {
        {"{\"quantities\": [", "JSON"},
        {"{\"quantities\": [{\"name\": \"X\", \"kind\": \"TypeB\", \"eval_type\": 256}]}", "quantities[0].eval_type"},
        {"{\"quantities\": [{\"name\": \"X\", \"kind\": \"Const\", \"value\": true}]}", "quantities[0].value"},
        {"{\"colour\": 1}", "colour"},
        {"\"just a string\"", "(документ)"},
    };
    for (const auto& [doc, field] : docs) {
        WriteFile(dir + "/in.json", doc);
        const ProcessResult r = RunCli({"import", dir + "/in.json", "-o", out});
        EXPECT_EQ(r.Status, 3) << doc;
        EXPECT_NE(r.Err.find(field), std::string::npos) << r.Err;
        EXPECT_EQ(ReadFile(out), "previous content");
    }
    WriteFile(dir + "/in.json", "{}");
    EXPECT_EQ(RunCli({"import", dir + "/in.json", "-o", dir + "/in.json"}).Status, 2);
    EXPECT_EQ(ReadFile(dir + "/in.json"), "{}");
    EXPECT_EQ(RunCli({"import", dir + "/in.json", "-o", dir + "/no/such/dir/x.gmf"}).Status, 3);
    EXPECT_EQ(RunCli({"import", dir + "/missing.json", "-o", out}).Status, 3);
}

TEST(CliProcess, CommandsNeverWriteTheirInput) {
    const std::string dir = TempDir("readonly");
    const std::string path = dir + "/m.gmf";
    fs::copy_file(Example("resistance", ".gmf"), path);
    const auto before = fs::last_write_time(path);
    const std::string bytes = ReadFile(path);
    for (const auto& args : std::vector<std::vector<std::string>>{{"budget", path},
                                                                  {"budget", path, "--format", "json"},
                                                                  {"budget", path, "--format", "csv"},
                                                                  {"stats", path},
                                                                  {"dump", path},
                                                                  {"export", path}}) {
        const int status = RunCli(args).Status;
        EXPECT_TRUE(status == 0 || (status == 1 && args[0] == "budget")) << args[0] << ": " << status;
    }
    EXPECT_EQ(ReadFile(path), bytes);
    EXPECT_EQ(fs::last_write_time(path), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator{}), 1) << "no stray files";
}

// ------------------------------------------------------------ mc

TEST(CliProcess, MonteCarloSameSeedSameJsonOnOneAndTwoThreads) {
    const std::string model = Example("attenuation", ".gmf");
    const ProcessResult one = RunCli({"mc", model, "--format", "json", "--seed", "9", "--threads", "1"});
    const ProcessResult two = RunCli({"mc", model, "--format", "json", "--seed", "9", "--threads", "2"});
    ASSERT_EQ(one.Status, 0) << one.Err;
    EXPECT_EQ(one.Out, two.Out);
    const json doc = json::parse(one.Out);
    const json& r = doc.at("results").at(0);
    EXPECT_EQ(Keys(r), (std::set<std::string>{"name", "ok", "error_message", "trials", "converged", "tolerance", "mean",
                                              "std_uncertainty", "coverage_probability", "symmetric_interval",
                                              "shortest_interval", "gum", "failed_draws", "first_error",
                                              "approximate_correlation"}));
    EXPECT_TRUE(r.at("converged").get<bool>());
    EXPECT_FALSE(r.at("gum").at("validated").get<bool>());  // the logarithm is too far from linear
    EXPECT_TRUE(RunCli({"mc", Example("mass", ".gmf"), "--format", "json"}).Out.find("\"validated\": true") !=
                std::string::npos);
}

// A run that would stop early when adaptive still draws every trial asked
// for, also when the count is no whole number of batches.
TEST(CliProcess, MonteCarloFixedRunsExactlyTheTrialsAsked) {
    const std::string model = Example("mass", ".gmf");
    const json adaptive = json::parse(RunCli({"mc", model, "--format", "json"}).Out)["results"][0];
    ASSERT_LT(adaptive["trials"].get<long long>(), 1'234'567);
    for (const char* n : {"1234567", "100"}) {
        const ProcessResult r = RunCli({"mc", model, "--format", "json", "--fixed", n});
        ASSERT_EQ(r.Status, 0) << r.Err;
        EXPECT_EQ(json::parse(r.Out)["results"][0]["trials"].get<long long>(), std::stoll(n));
    }
    const ProcessResult both = RunCli({"mc", model, "--fixed", "1000", "--trials", "1000"});
    EXPECT_EQ(both.Status, 2);
    EXPECT_TRUE(both.Out.empty());
    EXPECT_EQ(RunCli({"mc", model, "--fixed", "99"}).Status, 2);
}

TEST(CliProcess, MonteCarloFailedDrawsAndBadOptions) {
    const std::string dir = TempDir("mc");
    const std::string src = dir + "/ln.json", gmf = dir + "/ln.gmf";
    WriteFile(src, R"({"format": "vormid-model", "version": 1,
        "equation": "{\\rtf1\\ansi\\ansicpg1251 Y = LN(A)\\par}",
        "quantities": [{"name": "Y", "kind": "Result"},
                       {"name": "A", "kind": "TypeB", "eval_type": "standard", "value": 0.5, "stated_value": 1}]})");
    ASSERT_EQ(RunCli({"import", src, "-o", gmf}).Status, 0);
    const ProcessResult r = RunCli({"mc", gmf, "--format", "json"});
    EXPECT_EQ(r.Status, 1);
    const json doc = json::parse(r.Out);
    EXPECT_FALSE(doc["results"][0]["ok"].get<bool>());
    EXPECT_GT(doc["results"][0]["failed_draws"].get<int>(), 0);
    EXPECT_TRUE(doc["results"][0]["mean"].is_null());
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"mc", gmf, "--trials", "10"}, {"mc", gmf, "--digits", "x"}, {"mc", gmf, "--result", "Z"}}) {
        const ProcessResult bad = RunCli(args);
        EXPECT_EQ(bad.Status, 2) << args[2];
        EXPECT_TRUE(bad.Out.empty());
    }
}

TEST(CliProcess, DashIsStandardInputAndOutput) {
    const std::string dir = TempDir("dash");
    const std::string cwd = TempDir("std");
    const std::string model = Example("mass", ".gmf");
    // In a directory of its own, so that a file named "-" would show.
    const auto run = [&](std::vector<std::string> args, const std::string& in, const std::string& out) {
        return RunCli(args, {.Input = in, .Output = out, .WorkDir = cwd}).Status;
    };
    ASSERT_EQ(run({"export", "-"}, model, dir + "/a.json"), 0);
    ASSERT_EQ(run({"import", "-", "-o", "-"}, dir + "/a.json", dir + "/b.gmf"), 0);
    EXPECT_FALSE(fs::exists(fs::path(cwd) / "-"));
    ASSERT_EQ(run({"budget", "-", "--format", "json"}, dir + "/b.gmf", dir + "/b.json"), 0);
    ASSERT_EQ(run({"stats", "-", "--format", "json"}, dir + "/b.gmf", dir + "/s.json"), 0);
    const json budget = json::parse(ReadFile(dir + "/b.json"));
    EXPECT_EQ(budget["program"], "vormid-cli");
    EXPECT_EQ(budget["file"], "-");
    EXPECT_FALSE(budget["version"].get<std::string>().empty());
    const json stats = json::parse(ReadFile(dir + "/s.json"));
    EXPECT_EQ(stats["program"], "vormid-cli");
    ASSERT_EQ(run({"mc", "-", "--format", "json", "--result", "M"}, dir + "/b.gmf", dir + "/m.json"), 0);
    const json mc = json::parse(ReadFile(dir + "/m.json"));
    EXPECT_EQ(mc["program"], "vormid-cli");
    EXPECT_EQ(mc["version"], budget["version"]);
    EXPECT_EQ(mc["file"], "-");
    EXPECT_EQ(ReadFile(dir + "/a.json"), RunCli({"export", dir + "/b.gmf"}).Out);
}

TEST(CliProcess, FailedBudgetHasNoFigures) {
    const std::string dir = TempDir("nullfigures");
    WriteFile(dir + "/bad.json", R"({"equation": "{\\rtf1 Y = A/0\\par}",
        "quantities": [{"name": "Y", "kind": "Result"},
                       {"name": "A", "kind": "TypeB", "eval_type": "standard", "value": 1, "stated_value": 0.1}]})");
    ASSERT_EQ(RunCli({"import", dir + "/bad.json", "-o", dir + "/bad.gmf"}).Status, 0);
    const json b = json::parse(RunCli({"budget", dir + "/bad.gmf", "--format", "json"}).Out)["budgets"][0];
    for (const char* key : {"value", "combined_uncertainty", "relative_uncertainty", "effective_dof", "coverage_factor",
                            "coverage_probability", "expanded_uncertainty"})
        EXPECT_TRUE(b[key].is_null()) << key;
    for (const auto& e : b["entries"]) EXPECT_TRUE(e["contribution"].is_null());
    const std::string csv = RunCli({"budget", dir + "/bad.gmf", "--format", "csv"}).Out;
    EXPECT_NE(csv.find("Y,result,Y,Result,,,,,,,,,,,,,,"), std::string::npos) << csv;
}

TEST(CliProcess, ImportWarnsAndRefusesNamingTheQuantity) {
    const std::string dir = TempDir("importchecks");
    WriteFile(dir + "/neg.json", R"({"quantities": [{"name": "Y", "kind": "Result"},
        {"name": "A", "kind": "TypeB", "eval_type": "standard", "value": 1, "stated_value": -0.1}]})");
    const ProcessResult neg = RunCli({"import", dir + "/neg.json", "-o", dir + "/neg.gmf"});
    EXPECT_EQ(neg.Status, 3);
    EXPECT_NE(neg.Err.find("quantities[1].stated_value"), std::string::npos) << neg.Err;
    EXPECT_NE(neg.Err.find("„A“"), std::string::npos) << neg.Err;
    EXPECT_FALSE(fs::exists(dir + "/neg.gmf"));
    WriteFile(dir + "/warn.json", R"({"quantities": [{"name": "Y", "kind": "Result", "coverage_method": 1,
        "coverage_probability": 0.95}]})");
    const ProcessResult warn = RunCli({"import", dir + "/warn.json", "-o", dir + "/warn.gmf"});
    EXPECT_EQ(warn.Status, 0);
    EXPECT_NE(warn.Err.find("в проценти ли е?"), std::string::npos) << warn.Err;
}

}  // namespace
}  // namespace vormid::cli::test
