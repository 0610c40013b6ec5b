// The report as files: "vormid-cli report" and "vormid-cli verify" run as
// processes, the PDF read back as its readers see it (poppler-utils), a
// large model over several pages, and reports whose attachments were
// changed.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "BigModel.h"
#include "RunProcess.h"
#include "cli/BudgetOutput.h"
#include "cli/Calculation.h"
#include "cli/ModelFile.h"
#include "cli/Sha256.h"
#include "core/NameMarkup.h"
#include "evaluation/BudgetTable.h"
#include "persistence/ModelIO.h"
#include "report/ReportBuilder.h"
#include "report/qt/ReportDocument.h"
#include "report/qt/ReportFiles.h"

namespace vormid::report {
namespace {

namespace fs = std::filesystem;
using ::vormid::test::ProcessResult;
using ::vormid::test::ReadFile;
using ::vormid::test::RunProcess;
using ::vormid::test::WriteFile;

ProcessResult Cli(const std::vector<std::string>& args) { return RunProcess(VORMID_CLI_PATH, args); }

std::string Tmp(const std::string& name) {
    fs::create_directories(VORMID_TEST_TMP);
    return (fs::path(VORMID_TEST_TMP) / name).string();
}

std::string Example(const std::string& name) { return std::string(VORMID_EXAMPLES_DIR) + "/" + name; }

// Text with every run of blanks and line ends as one blank: a cell's text
// may be broken over lines.
std::string Flat(const std::string& text) {
    std::string out;
    for (char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\t';
        if (blank && (out.empty() || out.back() == ' ')) continue;
        out += blank ? ' ' : c;
    }
    return out;
}

// The text of a PDF as pdftotext reads it, flattened; pages end in form
// feeds.
std::string PdfText(const std::string& pdf) {
    const ProcessResult r = RunProcess("/usr/bin/pdftotext", {pdf, "-"});
    EXPECT_EQ(r.Status, 0) << r.Err;
    return Flat(r.Out);
}

class ReportFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QGuiApplication::instance() != nullptr) return;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "report_files_test";
        static char* argv[] = {name, nullptr};
        static QGuiApplication app(argc, argv);
    }
};

TEST_F(ReportFiles, PdfOfTheMassSampleHoldsEveryFigureOfItsBudgetsWithFontsEmbedded) {
    const std::string pdf = Tmp("mass.pdf");
    unsetenv("XDG_RUNTIME_DIR");  // as in a job without a login session
    const ProcessResult r = Cli({"report", Example("mass.gmf"), "-o", pdf});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    const std::string text = PdfText(pdf);

    auto loaded = cli::LoadModelFile(Example("mass.gmf"));
    TGumModel& m = loaded->Model;
    std::string why;
    ASSERT_TRUE(cli::CalculateModelBudgets(m, &why));
    const TQuantityIndex index(m.Params);
    const TDisplayState display = ReportDisplay(loaded->Display);
    int checked = 0;
    const auto expectCell = [&](const TBudgetCell& c, const std::string& where) {
        std::string piece;
        if (c.Kind == TBudgetCellKind::Name) {
            for (const TNameRun& run : NameMarkupRuns(c.Markup)) piece += CodePointsToUtf8(run.Text);
        } else if (c.Kind == TBudgetCellKind::Number) {
            piece = c.Text + c.Number.Mantissa;
            if (!c.Number.Exponent.empty()) {
                EXPECT_NE(text.find(c.Number.Exponent), std::string::npos) << where << " exponent";
            }
        } else if (c.Kind == TBudgetCellKind::Text) {
            piece = c.Text;
        } else if (c.Kind == TBudgetCellKind::Dof) {
            piece = c.Infinite ? "∞" : std::to_string(c.Dof);
        }
        if (piece.empty() || piece == " -") return;
        ++checked;
        EXPECT_NE(text.find(piece), std::string::npos) << where << ": \"" << piece << "\"";
    };
    for (const auto& b : m.Budgets) {
        const TBudgetTable t(*b, index, m.FormatSettings, display, m.Correlations);
        for (int c : t.VisibleColumns()) EXPECT_NE(text.find(BudgetHeader(c, true)), std::string::npos);
        for (const TBudgetEntry* e : t.Rows())
            for (int c : t.VisibleColumns()) expectCell(t.Cell(*e, c), b->Name + " " + e->Name);
        for (const auto& row : t.Footer())
            for (const auto& cell : row) expectCell(cell, b->Name + " footer");
    }
    EXPECT_GT(checked, 30);
    EXPECT_NE(text.find("Страница 1 от "), std::string::npos);
    EXPECT_NE(text.find("Отчет за неопределеността на измерването"), std::string::npos);

    const ProcessResult fonts = RunProcess("/usr/bin/pdffonts", {pdf});
    ASSERT_EQ(fonts.Status, 0);
    std::istringstream lines(fonts.Out);
    std::string line;
    int rows = 0;
    std::getline(lines, line);  // the header
    std::getline(lines, line);  // its rule
    while (std::getline(lines, line)) {
        if (line.empty()) continue;
        ++rows;
        // name type encoding emb sub uni object ID: "emb" is the fourth
        // column from the end's sixth; read it by the header's position.
        EXPECT_NE(line.find(" yes "), std::string::npos) << line;
        EXPECT_EQ(line.find("Type 3"), std::string::npos) << line;
    }
    EXPECT_GT(rows, 0);

    const ProcessResult ok = Cli({"verify", pdf});
    EXPECT_EQ(ok.Status, 0) << ok.Out << ok.Err;
    EXPECT_NE(ok.Out.find("Отчетът съответства на модела"), std::string::npos);
}

TEST_F(ReportFiles, OdtIsAnOdfPackageAndHtmlCarriesItsPictures) {
    const std::string odt = Tmp("gauge.odt");
    ASSERT_EQ(Cli({"report", Example("gauge_block.gmf"), "-o", odt}).Status, 0);
    const std::string bytes = ReadFile(odt);
    // An ODF package: a zip whose first entry is the stored "mimetype".
    ASSERT_GT(bytes.size(), 100u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("PK\x03\x04", 4));
    EXPECT_EQ(bytes.substr(30, 8), "mimetype");
    EXPECT_EQ(bytes.substr(38, 39), "application/vnd.oasis.opendocument.text");
    EXPECT_NE(bytes.find("content.xml"), std::string::npos);
    EXPECT_NE(bytes.find("META-INF/manifest.xml"), std::string::npos);

    const std::string html = Tmp("gauge.html");
    ASSERT_EQ(Cli({"report", Example("gauge_block.gmf"), "-o", html}).Status, 0);
    const std::string page = ReadFile(html);
    EXPECT_NE(page.find("data:image/png;base64,"), std::string::npos);
    EXPECT_NE(page.find("Бюджет на неопределеността"), std::string::npos);
    // Ruled tables: a browser reads a fractional border as none.
    EXPECT_NE(page.find("<table border=\"1\""), std::string::npos);
}

TEST_F(ReportFiles, ALargeModelBreaksOverPagesRepeatingTheTableHeader) {
    TGumModel m;
    test::FillBigModel(m, 200, 20);
    std::string why;
    ASSERT_TRUE(cli::CalculateModelBudgets(m, &why)) << why;
    ASSERT_EQ(m.Budgets.front()->ErrorCode, NoError) << m.Budgets.front()->ErrorMessage;
    TDisplayState display;
    TReportSource src;
    src.Model = &m;
    src.Display = &display;
    src.FileName = "big.gmf";
    const TReport r = BuildReport(src);
    const std::string pdf = Tmp("big.pdf");
    QString error;
    ASSERT_TRUE(WriteReport(r, TReportFormat::Pdf, QString::fromStdString(pdf), {}, &error)) << error.toStdString();
    std::vector<std::string> pages;
    std::istringstream all(PdfText(pdf));
    for (std::string page; std::getline(all, page, '\f');)
        if (!Flat(page).empty() && Flat(page) != " ") pages.push_back(page);
    ASSERT_GT(pages.size(), 4u);
    // Every page that holds budget rows (inputs after the budget's heading)
    // starts them under the header.
    int budgetPages = 0;
    bool inBudget = false;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const std::string& text = pages[p];
        EXPECT_NE(text.find("Страница " + std::to_string(p + 1) + " от " + std::to_string(pages.size())),
                  std::string::npos);
        if (text.find("Бюджет на неопределеността") != std::string::npos) inBudget = true;
        if (!inBudget || text.find("X1") == std::string::npos) continue;
        ++budgetPages;
        EXPECT_NE(text.find("Коеф. на чувств."), std::string::npos) << "page " << p + 1;
    }
    EXPECT_GT(budgetPages, 1);
}

class ChangedReports : public ReportFiles {
protected:
    // A report of mass.gmf with the given attachments.
    static std::string Write(const std::string& name, const std::string& model, const std::string& budget) {
        auto loaded = cli::LoadModelFile(Example("mass.gmf"));
        std::string why;
        cli::CalculateModelBudgets(loaded->Model, &why);
        TReportSource src;
        src.Model = &loaded->Model;
        src.Display = &loaded->Display;
        src.FileName = "mass.gmf";
        src.FileSha256 = cli::Sha256Hex(ReadFile(Example("mass.gmf")));
        const TReport r = BuildReport(src);
        std::vector<TReportAttachment> a;
        if (!model.empty()) a.push_back({"mass.gmf", QByteArray::fromStdString(model), "application/octet-stream"});
        if (!budget.empty())
            a.push_back({kBudgetAttachmentName, QByteArray::fromStdString(budget), "application/json"});
        const std::string path = Tmp(name);
        QString error;
        EXPECT_TRUE(WriteReport(r, TReportFormat::Pdf, QString::fromStdString(path), a, &error));
        return path;
    }
    static std::string Budget(TGumModel& m, const TDisplayState& d) {
        std::ostringstream json;
        cli::WriteBudgetsJson("mass.gmf", m, d, json);
        return json.str();
    }
};

TEST_F(ChangedReports, VerifyFailsWhenTheAttachedModelOrBudgetWasChanged) {
    const std::string model = ReadFile(Example("mass.gmf"));
    auto loaded = cli::LoadModelFile(Example("mass.gmf"));
    std::string why;
    cli::CalculateModelBudgets(loaded->Model, &why);
    const std::string budget = Budget(loaded->Model, loaded->Display);
    EXPECT_EQ(Cli({"verify", Write("same.pdf", model, budget)}).Status, 0);

    // A figure of the budget changed.
    std::string tampered = budget;
    const auto at = tampered.find("\"expanded_uncertainty\": ");
    ASSERT_NE(at, std::string::npos);
    tampered.insert(at + 24, "1");
    const ProcessResult b = Cli({"verify", Write("budget.pdf", model, tampered)});
    EXPECT_EQ(b.Status, 1);
    EXPECT_NE(b.Out.find("Отчетът не съответства на модела"), std::string::npos);
    EXPECT_NE(b.Out.find("expanded_uncertainty"), std::string::npos) << b.Out;

    // The model changed (an input's value), budget as printed.
    loaded->Model.Params.FindByName("MR")->BValue += 0.001;
    const std::vector<std::uint8_t> changed = ModelFileBytes(loaded->Model, loaded->Display);
    const ProcessResult c = Cli({"verify", Write("model.pdf", std::string(changed.begin(), changed.end()), budget)});
    EXPECT_EQ(c.Status, 1) << c.Out;
    EXPECT_NE(c.Out.find("SHA-256"), std::string::npos) << c.Out;
}

TEST_F(ChangedReports, VerifyRefusesWhatIsNoReportWithStatus3) {
    const std::string text = Tmp("not.pdf");
    WriteFile(text, "Това не е PDF.\n");
    const std::string plain = Write("plain.pdf", "", "");
    const std::string whole = ReadFile(Write("whole.pdf", ReadFile(Example("mass.gmf")), "{}"));
    const std::string damaged = Tmp("damaged.pdf");
    WriteFile(damaged, whole.substr(0, 600));
    for (const auto& [file, words] : std::vector<std::pair<std::string, std::string>>{
             {text, "не е PDF файл"}, {damaged, "PDF"}, {plain, "не носи приложени файл на модела и бюджет"}}) {
        const ProcessResult r = Cli({"verify", file});
        EXPECT_EQ(r.Status, 3) << file;
        EXPECT_NE(r.Err.find(words), std::string::npos) << r.Err;
    }
}

}  // namespace
}  // namespace vormid::report
